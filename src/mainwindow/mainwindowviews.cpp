// What the main window shows of the open document: one list, one category of it and, on the satellite list,
// optionally one satellite; the count texts around the tables; and the view an undo step brings back.
#include "mainwindow/mainwindow.h"

#include "core/channellistprovider.h"
#include "core/sharedtexts.h"
#include "tables/favgrid.h"
#include "widgets/combobox.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStringList>

MainGrid *MainWindow::currentMainGrid() {
    return mainGrids.value(currentListId(), nullptr);
}

FavGrid *MainWindow::currentLeftFavGrid() {
    return leftFavGrids.value(currentListId(), nullptr);
}

FavGrid *MainWindow::currentRightFavGrid() {
    return rightFavGrids.value(currentListId(), nullptr);
}

QPushButton *MainWindow::listButton(int listId) const {
    return qobject_cast<QPushButton *>(listButtonGroup.button(listId));
}

void MainWindow::createMainGrids(QMap<int, MainGrid *> &map, LoadList &list, bool ordered) {
    map[Grid::AIR_LIST] = MainGrid::createAirGrid(ordered);
    list.append({Grid::AIR_LIST, map[Grid::AIR_LIST]});
    map[Grid::CABLE_LIST] = MainGrid::createCableGrid(ordered);
    list.append({Grid::CABLE_LIST, map[Grid::CABLE_LIST]});
    map[Grid::SATELLITE_LIST] = MainGrid::createSatelliteGrid(ordered);
    list.append({Grid::SATELLITE_LIST, map[Grid::SATELLITE_LIST]});
    map[Grid::ASTRA_HD_LIST] = MainGrid::createAstraHDGrid(ordered);
    list.append({Grid::ASTRA_HD_LIST, map[Grid::ASTRA_HD_LIST]});
}

void MainWindow::createFavGrids(QMap<int, FavGrid *> &map, LoadList &list, bool ordered,
                                bool membershipOnly) {
    map[Grid::AIR_LIST] = FavGrid::createAirGrid(ordered, membershipOnly);
    list.append({Grid::AIR_LIST, map[Grid::AIR_LIST]});
    map[Grid::CABLE_LIST] = FavGrid::createCableGrid(ordered, membershipOnly);
    list.append({Grid::CABLE_LIST, map[Grid::CABLE_LIST]});
    map[Grid::SATELLITE_LIST] = FavGrid::createSatelliteGrid(ordered, membershipOnly);
    list.append({Grid::SATELLITE_LIST, map[Grid::SATELLITE_LIST]});
    map[Grid::ASTRA_HD_LIST] = FavGrid::createAstraHDGrid(ordered, membershipOnly);
    list.append({Grid::ASTRA_HD_LIST, map[Grid::ASTRA_HD_LIST]});
}

void MainWindow::addGridsToStacks() {
    // The page index of every stack is the list id.
    for (int id = Grid::AIR_LIST; id <= Grid::ASTRA_HD_LIST; ++id) {
        if (MainGrid *grid = mainGrids.value(id, nullptr))
            mainStack->addWidget(grid);
    }
    for (int id = Grid::AIR_LIST; id <= Grid::ASTRA_HD_LIST; ++id) {
        if (FavGrid *grid = leftFavGrids.value(id, nullptr))
            leftFavStack->addWidget(grid);
    }
    for (int id = Grid::AIR_LIST; id <= Grid::ASTRA_HD_LIST; ++id) {
        if (FavGrid *grid = rightFavGrids.value(id, nullptr))
            rightFavStack->addWidget(grid);
    }
}

// ---- count texts
// ---------------------------------------------------------------------------------------------

void MainWindow::updateListTooltips(QPushButton *button, const ListStatistics &s) {
    if (!button)
        return;
    const QStringList lines{
        SharedTexts::statAll() + QString::number(s.all),
        SharedTexts::statTv() + QString::number(s.tv),
        SharedTexts::statRadio() + QString::number(s.radio),
        SharedTexts::statDataOther() + QString::number(s.dataOther),
        SharedTexts::statFree() + QString::number(s.free),
        SharedTexts::statScrambled() + QString::number(s.scrambled),
    };
    button->setToolTip(lines.join(QLatin1Char('\n')));
}

void MainWindow::updateCategoryTooltips(const ListStatistics &s) {
    allButton->setToolTip(SharedTexts::statAll() + QString::number(s.all));
    tvButton->setToolTip(SharedTexts::statTv() + QString::number(s.tv));
    radioButton->setToolTip(SharedTexts::statRadio() + QString::number(s.radio));
    dataButton->setToolTip(SharedTexts::statDataOther() + QString::number(s.dataOther));
    // Five lines whatever number of favourites lists the format knows.
    QStringList lines;
    for (int i = 1; i <= 5; ++i)
        lines << SharedTexts::myFavourites() + QLatin1Char(' ') + QString::number(i) + QStringLiteral(":\t") +
                     QString::number(s.favouritesCount(i));
    myChannelsButton->setToolTip(lines.join(QLatin1Char('\n')));
}

static ListStatistics statisticsOfList(const ChannelListProvider *document, int listId) {
    switch (listId) {
    case Grid::AIR_LIST:
        return document->airList()->statistics();
    case Grid::CABLE_LIST:
        return document->cableList()->statistics();
    case Grid::SATELLITE_LIST:
        return document->satelliteList()->statistics();
    case Grid::ASTRA_HD_LIST:
        return document->astraHDList()->statistics();
    default:
        return ListStatistics();
    }
}

void MainWindow::refreshAfterEdit(bool allLists) {
    ListStatistics s;
    const int c = currentListId();
    const bool known = provider && c >= Grid::AIR_LIST && c <= Grid::ASTRA_HD_LIST;
    if (known) {
        s = statisticsOfList(provider.get(), c);
        updateListTooltips(listButton(c), s);
    }
    updateCategoryTooltips(s);
    statistics = s;
    if (allLists && known) {
        for (int id = Grid::AIR_LIST; id <= Grid::ASTRA_HD_LIST; ++id) {
            if (id != c)
                updateListTooltips(listButton(id), statisticsOfList(provider.get(), id));
        }
    }
}

void MainWindow::fillSatelliteLists() {
    if (!provider)
        return;
    QMap<int, int> masks; // satellite id -> categories present, ordered by id
    for (const SatelliteChannel &channel : *provider->satelliteList())
        masks[channel.satelliteId()] |= channel.category();
    for (QListWidget *list : std::as_const(satelliteLists))
        list->clear();
    for (auto it = masks.cbegin(); it != masks.cend(); ++it) {
        const int m = it.value();
        if (m & 7)
            appendSatelliteItem(satListAll, it.key());
        if (m & 1)
            appendSatelliteItem(satListTv, it.key());
        if (m & 2)
            appendSatelliteItem(satListRadio, it.key());
        if (m & 4)
            appendSatelliteItem(satListData, it.key());
    }
    for (QListWidget *list : {satListAll, satListTv, satListRadio, satListData}) {
        list->setMaximumHeight(25 * list->count() + 2);
        list->clearSelection();
    }
    updateSatelliteLists();
}

void MainWindow::appendSatelliteItem(QListWidget *list, int satelliteId) {
    // Read without inserting: an id the database lacks shows an empty name and stays absent from it.
    const QString name = SatelliteChannel::satelliteNameOf(static_cast<quint16>(satelliteId));
    auto *item =
        new QListWidgetItem(QStringLiteral("     ") + name, nullptr, SATELLITE_ITEM_TYPE + satelliteId);
    // Appended at the end: the rows are made in ascending id order, which a sort by text would undo.
    list->setSortingEnabled(false);
    list->addItem(item);
}

void MainWindow::updateSatelliteLists() {
    if (!provider)
        return;
    QMap<int, int> all, tv, radio, dataOther;
    for (const SatelliteChannel &channel : *provider->satelliteList()) {
        if (channel.isDeleted())
            continue;
        const int id = channel.satelliteId();
        const int category = channel.category();
        if (category & 7)
            all[id] += 1;
        if (category & 1)
            tv[id] += 1;
        if (category & 2)
            radio[id] += 1;
        if (category & 4)
            dataOther[id] += 1;
    }
    const QList<QPair<QListWidget *, const QMap<int, int> *>> countsOfList{
        {satListAll, &all}, {satListTv, &tv}, {satListRadio, &radio}, {satListData, &dataOther}};
    for (const auto &entry : countsOfList) {
        QListWidget *list = entry.first;
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem *item = list->item(row);
            const int id = item->type() - SATELLITE_ITEM_TYPE;
            const QString name = SatelliteChannel::satelliteNameOf(static_cast<quint16>(id));
            item->setToolTip(SharedTexts::statSatellite().arg(name) +
                             QString::number(entry.second->value(id, 0)));
        }
    }
}

void MainWindow::updateChannelCountLabel() {
    MainGrid *grid = currentMainGrid();
    const int visible = grid ? grid->visibleCount() : 0;
    channelCount->setText(SharedTexts::channelsInList() + QStringLiteral(": ") + QString::number(visible));
}

void MainWindow::updateVersionCountryLabel(const QString &country, const QString &version) {
    versionCountry->setText(country + QStringLiteral("  ") + version);
}

// ---- switching the view
// --------------------------------------------------------------------------------------

void MainWindow::showListPanels(int id) {
    if (MainGrid *grid = mainGrids.value(id, nullptr))
        mainStack->setCurrentWidget(grid);
    if (FavGrid *grid = leftFavGrids.value(id, nullptr))
        leftFavStack->setCurrentWidget(grid);
    if (FavGrid *grid = rightFavGrids.value(id, nullptr))
        rightFavStack->setCurrentWidget(grid);
    allButton->setChecked(true);
    updateActions();
}

// True when the satellite panel of the category has a row for the satellite.
static bool panelHasSatellite(const QListWidget *list, int satelliteId, int itemType) {
    if (!list)
        return false;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->type() - itemType == satelliteId)
            return true;
    }
    return false;
}

void MainWindow::applyCategoryFilter(int categoryId, bool refresh, int satelliteId) {
    // A recorded satellite the panel has no row for (a reopened file holds none of its channels) cannot be
    // chosen there, so the table is not filtered by it either: the rows shown match the panel's choice.
    if (satelliteId != -1 && currentListId() == Grid::SATELLITE_LIST &&
        !panelHasSatellite(satelliteLists.value(categoryId, nullptr), satelliteId, SATELLITE_ITEM_TYPE))
        satelliteId = -1;
    if (refresh) {
        if (MainGrid *grid = currentMainGrid())
            grid->refreshAllRows(true);
    }
    filterMainStack(mainStack, categoryId, satelliteId);
    mainPanels->setCurrentIndex(0);
    if (QAbstractButton *button = filterButtonGroup.button(categoryId))
        button->setChecked(true);
    // The satellite panel belongs to the satellite list alone: on any other list it is hidden, however the
    // view got there (an undo restores another list without a tab click).
    showSatelliteList(categoryId);
    if (currentListId() == Grid::SATELLITE_LIST && satelliteId != -1)
        selectSatelliteRow(categoryId, satelliteId);
    updateActions();
}

void MainWindow::on_listButtonClicked(int id) {
    setEnabled(false);
    showListPanels(id);
    applyCategoryFilter(7, true, -1);
    refreshAfterEdit(true);
    setEnabled(true);
    storeViewState();
    allButton->click();
    MainGrid::setInsertMode(insertButton->isChecked());
}

void MainWindow::on_filterButtonClicked(int id) {
    // Either page shows or hides the satellite panel itself.
    if (id != 0)
        applyCategoryFilter(id, true, -1);
    else
        showFavouritesPage(0, 0, true);
    storeViewState();
    updateChannelCountLabel();
}

void MainWindow::satelliteRowClicked(int categoryId, QListWidgetItem *item) {
    if (!item)
        return;
    storeViewState();
    if (MainGrid *grid = currentMainGrid())
        grid->filter(categoryId, 0, item->type() - SATELLITE_ITEM_TYPE, 2, true, false);
    updateChannelCountLabel();
    // Other rows may be shown while no check mark changed, and then no mark signals: Select All and Deselect
    // All follow the rows now shown.
    updateSelectionControls();
}

void MainWindow::on_satListAllClicked(QListWidgetItem *item) {
    satelliteRowClicked(7, item);
}

void MainWindow::on_satListTvClicked(QListWidgetItem *item) {
    satelliteRowClicked(1, item);
}

void MainWindow::on_satListRadioClicked(QListWidgetItem *item) {
    satelliteRowClicked(2, item);
}

void MainWindow::on_satListDataClicked(QListWidgetItem *item) {
    satelliteRowClicked(4, item);
}

void MainWindow::on_stateChangeRequest(UndoState state) {
    // The stack hands the view to its owner directly before it signals; restore only for a stack that has no
    // owner to ask, so a view is never restored twice.
    if (undoStack.owner() == this)
        return;
    restoreView(state);
}

void MainWindow::restoreView(const UndoState &s) {
    setEnabled(false);
    const bool listSwitched = s.listId != currentListId();
    if (listSwitched) {
        if (QAbstractButton *button = listButtonGroup.button(s.listId))
            button->setChecked(true);
        if (MainGrid *grid = mainGrids.value(s.listId, nullptr))
            mainStack->setCurrentWidget(grid);
        if (FavGrid *grid = leftFavGrids.value(s.listId, nullptr))
            leftFavStack->setCurrentWidget(grid);
        if (FavGrid *grid = rightFavGrids.value(s.listId, nullptr))
            rightFavStack->setCurrentWidget(grid);
    }
    // The category button is checked before the favourites filters record the view, so the recorded view
    // names the category being restored.
    if (QAbstractButton *button = filterButtonGroup.button(s.filterId))
        button->setChecked(true);
    if (s.filterId == 0)
        showFavouritesPage(s.leftFavIndex, s.rightFavIndex, true);
    else
        applyCategoryFilter(s.filterId, true, s.satelliteId);
    if (QAbstractButton *button = filterButtonGroup.button(s.filterId))
        button->setChecked(true);
    updateActions();
    // The restored view shows other rows than the one before it: the count follows what is on screen.
    updateChannelCountLabel();
    // The category tips count the shown list; no tab click recounted them for the list restored.
    if (listSwitched)
        refreshAfterEdit(false);
    setEnabled(true);
}
