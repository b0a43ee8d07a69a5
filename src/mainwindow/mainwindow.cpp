// The frame of the main window: construction and wiring, document teardown and the small state operations the
// views, flows and commands share.
#include "mainwindow/mainwindow.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/welcomescreen.h"
#include "tables/chlistuploader.h"
#include "tables/favgrid.h"
#include "widgets/combobox.h"
#include "widgets/customtitlebar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QVBoxLayout>

MainWindow::MainWindow() : CustomMainWindow(Qt::WindowFlags()) {
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setupUi();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint);
    Grid::initStatics(&undoStack);
    MainGrid::addDropBrush();
    connectUndoStack();
    loadStyleSheets();
    connectListButtonGroup();
    connectFilterButtonGroup();
    connectSatelliteLists();
    connectFavButtonGroup();
    connectMenus();
    fillFavFilters();
    createPanelStacks();
    updateFileDependentUi();
    // Nothing can be edited, selected, undone or redone before a document is open: the tables these actions
    // reach do not exist yet.
    updateActions();
}

MainWindow::~MainWindow() {
    // The undo commands point into the tables and the document: they go first, without any slot running, then
    // the tables, then the document they show.
    {
        const QSignalBlocker blocker(&undoStack);
        undoStack.clear();
    }
    disconnectGridSignals();
    removeGrids();
    provider.reset();
}

// ---- construction steps
// --------------------------------------------------------------------------------------

void MainWindow::connectUndoStack() {
    undoStack.setOwner(this);
    connect(&undoStack, &UndoStack::stateChangeRequest, this, &MainWindow::on_stateChangeRequest);
    connect(&undoStack, &QUndoStack::canRedoChanged, this, &MainWindow::on_canRedoChanged);
    connect(&undoStack, &QUndoStack::canUndoChanged, this, &MainWindow::on_canUndoChanged);
    connect(&undoStack, &QUndoStack::cleanChanged, this, &MainWindow::updateModifiedLabel);
}

void MainWindow::loadStyleSheets() {
    applyStyleSheetFiles(QStringList{QStringLiteral(":/styles/styles")});
}

void MainWindow::applyStyleSheetFiles(const QStringList &paths) {
    QByteArray style;
    for (const QString &path : paths) {
        QFile file(path);
        // A sheet that cannot be read adds nothing; the window still works, only plainer.
        if (!file.open(QIODevice::ReadOnly))
            continue;
        style += file.readAll();
        file.close();
    }
    qApp->setStyleSheet(QString::fromUtf8(style));
}

void MainWindow::connectListButtonGroup() {
    listButtonGroup.addButton(airButton, Grid::AIR_LIST);
    listButtonGroup.addButton(cableButton, Grid::CABLE_LIST);
    listButtonGroup.addButton(satButton, Grid::SATELLITE_LIST);
    listButtonGroup.addButton(astraHDButton, Grid::ASTRA_HD_LIST);
    connect(&listButtonGroup, &QButtonGroup::idClicked, this, &MainWindow::on_listButtonClicked);
}

void MainWindow::connectFilterButtonGroup() {
    favFilterTypeMasks = {{0, Grid::ALL_CATEGORIES}, {1, 1}, {2, 2}, {3, 4}};
    filterButtonGroup.addButton(allButton, Grid::ALL_CATEGORIES);
    filterButtonGroup.addButton(tvButton, 1);
    filterButtonGroup.addButton(radioButton, 2);
    filterButtonGroup.addButton(dataButton, 4);
    filterButtonGroup.addButton(myChannelsButton, 0);
    connect(&filterButtonGroup, &QButtonGroup::idClicked, this, &MainWindow::on_filterButtonClicked);
}

void MainWindow::connectSatelliteLists() {
    satelliteLists = {{7, satListAll}, {1, satListTv}, {2, satListRadio}, {4, satListData}};
    connect(satListAll, &QListWidget::itemClicked, this, &MainWindow::on_satListAllClicked);
    connect(satListTv, &QListWidget::itemClicked, this, &MainWindow::on_satListTvClicked);
    connect(satListRadio, &QListWidget::itemClicked, this, &MainWindow::on_satListRadioClicked);
    connect(satListData, &QListWidget::itemClicked, this, &MainWindow::on_satListDataClicked);
}

void MainWindow::connectFavButtonGroup() {
    favButtonGroup.addButton(fav1Button, 1);
    favButtonGroup.addButton(fav2Button, 2);
    favButtonGroup.addButton(fav3Button, 3);
    favButtonGroup.addButton(fav4Button, 4);
    favButtonGroup.addButton(fav5Button, 5);
    connect(&favButtonGroup, &QButtonGroup::idClicked, this, &MainWindow::on_favButtonClicked);
}

void MainWindow::connectMenus() {
    connect(menuEdit, &QMenu::aboutToShow, this, &MainWindow::on_menuEditAboutToShow);
    connect(actionMerge, &QAction::triggered, this, &MainWindow::on_menuMergeClicked);
    connect(actionDelete, &QAction::triggered, this, &MainWindow::on_actionDelete);
    connect(actionRenumber, &QAction::triggered, this, &MainWindow::on_actionRenumber);
    connect(actionRename, &QAction::triggered, this, &MainWindow::on_actionRename);
    connect(actionLock, &QAction::triggered, this, &MainWindow::on_actionLock);
    connect(actionUnlock, &QAction::triggered, this, &MainWindow::on_actionUnlock);
    connect(actionMy1, &QAction::triggered, this, &MainWindow::on_actionSetFav1);
    connect(actionMy2, &QAction::triggered, this, &MainWindow::on_actionSetFav2);
    connect(actionMy3, &QAction::triggered, this, &MainWindow::on_actionSetFav3);
    connect(actionMy4, &QAction::triggered, this, &MainWindow::on_actionSetFav4);
    connect(actionMy5, &QAction::triggered, this, &MainWindow::on_actionSetFav5);
    connect(actionSelectAll, &QAction::triggered, this, &MainWindow::on_actionSelectAll);
    connect(actionDeselectAll, &QAction::triggered, this, &MainWindow::on_actionDeselectAll);
    connect(actionOpen, &QAction::triggered, this, &MainWindow::on_actionOpen);
    connect(actionExit, &QAction::triggered, this, &MainWindow::on_actionExit);
    connect(actionSave, &QAction::triggered, this, &MainWindow::on_actionSave);
    connect(actionSaveAs, &QAction::triggered, this, &MainWindow::on_actionSaveAs);
    connect(actionUndo, &QAction::triggered, this, &MainWindow::on_actionUndo);
    connect(actionRedo, &QAction::triggered, this, &MainWindow::on_actionRedo);
    connect(undoButton, &QPushButton::clicked, this, &MainWindow::on_actionUndo);
    connect(redoButton, &QPushButton::clicked, this, &MainWindow::on_actionRedo);
    connect(actionAbout_Program, &QAction::triggered, this, &MainWindow::on_actionAbout_Program);
    connect(actionWelcomeScreen, &QAction::triggered, this, &MainWindow::showWelcomeScreen);
    connect(actionAstraHDCopy, &QAction::triggered, this, &MainWindow::on_actionAstraHDCopy);
}

void MainWindow::fillFavFilters() {
    fav1Filter->addItem(tr("All"));
    fav1Filter->addItem(tr("TV"));
    fav1Filter->addItem(tr("Radio"));
    fav1Filter->addItem(tr("Data/Other"));
    for (int i = 1; i <= 5; ++i)
        fav2Filter->addItem(tr("My Favourites %1").arg(i));
}

void MainWindow::createPanelStacks() {
    mainStack = new QStackedWidget(lists);
    mainStack->setObjectName(QStringLiteral("mainStack"));
    verticalLayout_7->addWidget(mainStack, 0);
    leftFavStack = new QStackedWidget(myChannels);
    leftFavStack->setObjectName(QStringLiteral("leftFavStack"));
    fav1Layout->addWidget(leftFavStack, 0);
    rightFavStack = new QStackedWidget(myChannels);
    rightFavStack->setObjectName(QStringLiteral("rightFavStack"));
    fav2Layout->addWidget(rightFavStack, 0);
}

// ---- showing and the two modal boxes of the Help menu
// --------------------------------------------------------

void MainWindow::show() {
    CustomMainWindow::show();
    if (WelcomeScreen::showOnStartup())
        showWelcomeScreen();
}

void MainWindow::showWelcomeScreen() {
    WelcomeScreen welcome(this);
    // The welcome screen closes itself before it asks for the open, so the file dialog is not stacked on it.
    connect(&welcome, &WelcomeScreen::openFileRequested, this, &MainWindow::on_actionOpen);
    welcome.exec();
}

void MainWindow::on_actionAbout_Program() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::on_actionExit(bool) {
    close();
}

void MainWindow::on_actionUndo(bool) {
    undoStack.undo();
}

void MainWindow::on_actionRedo(bool) {
    undoStack.redo();
}

void MainWindow::on_renameStateChanged(bool enabled) {
    renameButton->setEnabled(enabled);
    actionRename->setEnabled(enabled);
}

void MainWindow::on_childLockStateChanged(MainGrid::ChildLockSelStatus status) {
    // With nothing selected there is nothing to lock or unlock; a format without locks offers neither.
    const MainGrid *grid = currentMainGrid();
    const bool editable = grid && grid->locksKept() && status != MainGrid::NothingSelected;
    const bool lock = editable && status != MainGrid::AllLocked;
    const bool unlock = editable && status != MainGrid::NoneLocked;
    lockButton->setEnabled(lock);
    actionLock->setEnabled(lock);
    unlockButton->setEnabled(unlock);
    actionUnlock->setEnabled(unlock);
}

// ---- documents and their tables
// ------------------------------------------------------------------------------

void MainWindow::closeDocument() {
    {
        const QSignalBlocker blocker(&undoStack);
        undoStack.clear();
    }
    disconnectGridSignals();
    removeGrids();
    menuEdit->setEnabled(false);
    actionSave->setEnabled(false);
    actionSaveAs->setEnabled(false);
    fileLoaded = false;
}

void MainWindow::connectGridSignals() {
    for (MainGrid *grid : std::as_const(mainGrids)) {
        if (!grid)
            continue;
        connect(grid, &MainGrid::hasChannelsChanged, this, &MainWindow::on_hasChannelsChanged);
        connect(grid, &MainGrid::renameStateChanged, this, &MainWindow::on_renameStateChanged);
        connect(grid, &MainGrid::childLockStateChanged, this, &MainWindow::on_childLockStateChanged);
        connect(grid, &MainGrid::renumberStateChanged, this, &MainWindow::on_renumberStateChanged);
        connect(grid, &MainGrid::deleteStateChanged, this, &MainWindow::on_deleteStateChanged);
        connect(grid, &MainGrid::astraHDCopyStateChanged, this, &MainWindow::on_AstraHDCopyStateChanged);
        connect(grid, &Grid::selectionStateChanged, this, &MainWindow::on_selectionStateChanged);
        connect(grid, &Grid::checkedNumberChanged, this, &MainWindow::on_checkedNumberChanged);
    }
    for (FavGrid *grid : std::as_const(leftFavGrids)) {
        if (!grid)
            continue;
        connect(grid, &QTableWidget::cellClicked, this, &MainWindow::on_fav1cellClicked);
        connect(grid, &Grid::hasChannelsChanged, this, &MainWindow::on_fav1HasChannelsChanged);
        connect(grid, &Grid::selectionStateChanged, this, &MainWindow::on_selectionStateChanged);
        connect(grid, &Grid::checkedNumberChanged, this, &MainWindow::on_checkedNumberChanged);
    }
    for (FavGrid *grid : std::as_const(rightFavGrids)) {
        if (!grid)
            continue;
        connect(grid, &QTableWidget::cellClicked, this, &MainWindow::on_fav2cellClicked);
        connect(grid, &Grid::hasChannelsChanged, this, &MainWindow::on_fav2HasChannelsChanged);
        connect(grid, &Grid::selectionStateChanged, this, &MainWindow::on_selectionStateChanged);
        connect(grid, &Grid::checkedNumberChanged, this, &MainWindow::on_checkedNumberChanged);
    }
}

void MainWindow::disconnectGridSignals() {
    // Every link from a table to this window is one of those connectGridSignals made.
    for (MainGrid *grid : std::as_const(mainGrids)) {
        if (grid)
            disconnect(grid, nullptr, this, nullptr);
    }
    for (FavGrid *grid : std::as_const(leftFavGrids)) {
        if (grid)
            disconnect(grid, nullptr, this, nullptr);
    }
    for (FavGrid *grid : std::as_const(rightFavGrids)) {
        if (grid)
            disconnect(grid, nullptr, this, nullptr);
    }
}

void MainWindow::removeGrids() {
    for (QStackedWidget *stack : {mainStack, leftFavStack, rightFavStack}) {
        if (!stack)
            continue;
        while (stack->count() > 0) {
            QWidget *page = stack->widget(stack->count() - 1);
            stack->removeWidget(page);
            delete page;
        }
    }
    mainGrids.clear();
    leftFavGrids.clear();
    rightFavGrids.clear();
}

void MainWindow::deleteGrids(const LoadList &list) {
    for (const auto &pair : list)
        delete pair.second;
}

IChListUploader *MainWindow::createUploader(ChannelListProvider *document, const QPair<int, Grid *> &pair) {
    if (!document || !pair.second)
        return nullptr;
    switch (pair.first) {
    case Grid::AIR_LIST:
        return new ChListUploader<AirChannel>(document->airList(), pair.second);
    case Grid::CABLE_LIST:
        return new ChListUploader<CableChannel>(document->cableList(), pair.second);
    case Grid::SATELLITE_LIST:
        return new ChListUploader<SatelliteChannel>(document->satelliteList(), pair.second);
    case Grid::ASTRA_HD_LIST:
        return new ChListUploader<AstraHDChannel>(document->astraHDList(), pair.second);
    default:
        return nullptr;
    }
}

void MainWindow::showDocument(ChannelListProvider *document, const QString &file) {
    if (!document)
        return;
    // Taken over at once, unless it is the open document whose tables are only rebuilt.
    std::unique_ptr<ChannelListProvider> newDocument(document == provider.get() ? nullptr : document);
    const bool ordered = holdsOrderedFavourites(document->formatCode());
    LoadList loadList;
    QMap<int, MainGrid *> main;
    QMap<int, FavGrid *> left;
    QMap<int, FavGrid *> right;
    createMainGrids(main, loadList, ordered);
    createFavGrids(left, loadList, false, !ordered);
    createFavGrids(right, loadList, ordered, !ordered);
    for (const auto &pair : std::as_const(loadList)) {
        const std::unique_ptr<IChListUploader> uploader(createUploader(document, pair));
        if (!uploader)
            continue;
        uploader->begin();
        while (uploader->uploadNext()) {
        }
        uploader->finish();
    }
    installDocument(std::move(newDocument), main, left, right, file, false);
    applyCountryDefaults();
}

void MainWindow::installDocument(std::unique_ptr<ChannelListProvider> document,
                                 const QMap<int, MainGrid *> &main, const QMap<int, FavGrid *> &left,
                                 const QMap<int, FavGrid *> &right, const QString &file, bool merge) {
    if (!merge)
        currentFile = file;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    closeDocument();
    if (document)
        provider = std::move(document);
    mainGrids = main;
    const bool locks = holdsChildLocks(provider->formatCode());
    for (MainGrid *grid : std::as_const(mainGrids)) {
        if (grid)
            grid->setLocksKept(locks);
    }
    leftFavGrids = left;
    rightFavGrids = right;
    addGridsToStacks();
    connectGridSignals();
    fileLoaded = true;
    airButton->setChecked(true);
    menuEdit->setEnabled(true);
    actionSave->setEnabled(true);
    updateFileDependentUi();
    fillSatelliteLists();
    // Every tab: one not shown yet would keep the counts of the document this one replaced.
    refreshAfterEdit(true);
    allButton->click();
    updateVersionCountryLabel(provider->country(), provider->versionText());
    if (!merge) {
        setTitle(file);
        setLastFilePath(file);
    }
    updateStatus();
    QApplication::restoreOverrideCursor();
}

void MainWindow::applyCountryDefaults() {
    if (!fileLoaded || !provider)
        return;
    const bool german = isGermanCountry(provider->country());
    astraHDButton->setVisible(german);
    insertButton->setChecked(german);
    on_insertButtonClicked(german);
}

// ---- small state operations
// ----------------------------------------------------------------------------------

bool MainWindow::isModified() const {
    // The clean index marks what was last opened or saved. When the undo limit drops the step that held it,
    // Qt leaves the stack unclean for good: the document then differs from the file although nothing more
    // can be undone, and only the next save makes it clean again.
    return !undoStack.isClean() || mergedSinceSave || readBackFailed;
}

void MainWindow::markSaved() {
    undoStack.clear();
    mergedSinceSave = false;
    readBackFailed = false;
}

void MainWindow::updateModifiedLabel() {
    modifiedLabel->setText(isModified() ? QStringLiteral("| Modified") : QString());
}

int MainWindow::currentListId() const {
    return listButtonGroup.checkedId();
}

int MainWindow::currentCategoryId() const {
    return filterButtonGroup.checkedId();
}

bool MainWindow::isInsertMode() const {
    return insertButton->isChecked();
}

void MainWindow::updateInsertButtonVisibility() {
    insertButton->setVisible(currentListId() != Grid::ASTRA_HD_LIST);
}

bool MainWindow::isGermanCountry(const QString &country) {
    return country == QLatin1String("DEU");
}

int MainWindow::typeMaskOfFavFilter(int index) const {
    return favFilterTypeMasks.value(index, Grid::ALL_CATEGORIES);
}

QString MainWindow::title() const {
    return windowTitle();
}

void MainWindow::setTitle(const QString &path) {
    const QString product = tr("Tunelane");
    const QString text =
        path.isEmpty() ? product : QFileInfo(path).fileName() + QStringLiteral(" - ") + product;
    setWindowTitle(text);
    titleBar()->titleLabel()->setText(text);
}

void MainWindow::setLastFilePath(const QString &path) {
    lastFilePath = QFileInfo(path).filePath();
}

QString MainWindow::lastDirectory() {
    if (lastFilePath.isEmpty())
        lastFilePath = QDir::homePath();
    return lastFilePath;
}

void MainWindow::updateFileDependentUi() {
    const bool loaded = fileLoaded;
    actionSave->setEnabled(loaded);
    actionSaveAs->setEnabled(loaded);
    actionMerge->setEnabled(loaded);
    menuEdit->setEnabled(loaded);
    body->setVisible(loaded);
    tabFrame->setVisible(loaded);
    bodySpacer->changeSize(0, 0, QSizePolicy::Fixed, loaded ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    verticalLayout->invalidate();
}

void MainWindow::storeViewState() {
    UndoState state;
    state.listId = currentListId();
    state.filterId = currentCategoryId();
    state.leftFavIndex = fav1Filter->currentIndex();
    state.rightFavIndex = fav2Filter->currentIndex();
    state.satelliteId = -1;
    if (state.listId == Grid::SATELLITE_LIST && state.filterId != 0) {
        QListWidget *list = satelliteLists.value(state.filterId, nullptr);
        if (list && list->currentItem())
            state.satelliteId = list->currentItem()->type() - SATELLITE_ITEM_TYPE;
    }
    undoStack.setState(state);
}

void MainWindow::showSatelliteList(int categoryId) {
    // The current entry of a satellite list is the satellite the table is filtered by, which the recorded
    // view reads: a list shown without a chosen satellite has neither a current nor a selected entry.
    auto forgetChoice = [](QListWidget *list) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
    };
    auto hideAll = [this, &forgetChoice] {
        for (QListWidget *list : std::as_const(satelliteLists)) {
            list->hide();
            forgetChoice(list);
        }
    };
    QListWidget *list = satelliteLists.value(categoryId, nullptr);
    if (currentListId() != Grid::SATELLITE_LIST || categoryId == 0 || !list) {
        hideAll();
        return;
    }
    // Shown in the panel, whether or not the window itself is on screen yet.
    if (!list->isHidden()) {
        forgetChoice(list);
        return;
    }
    hideAll();
    list->show();
}

void MainWindow::selectSatelliteRow(int categoryId, int satelliteId) {
    QListWidget *list = satelliteLists.value(categoryId, nullptr);
    if (!list)
        return;
    for (int row = list->count() - 1; row >= 0; --row) {
        QListWidgetItem *item = list->item(row);
        if (item->type() - SATELLITE_ITEM_TYPE == satelliteId) {
            list->setCurrentItem(item);
            item->setSelected(true);
            return;
        }
    }
}

void MainWindow::filterMainStack(QStackedWidget *stack, int typeMask, int satelliteId) {
    auto *grid = qobject_cast<Grid *>(stack ? stack->currentWidget() : nullptr);
    if (grid)
        grid->filter(typeMask, 0, satelliteId, 2, true, false);
}

void MainWindow::filterFavStack(QStackedWidget *stack, int favouriteNumber, bool uncheck) {
    auto *grid = qobject_cast<Grid *>(stack ? stack->currentWidget() : nullptr);
    if (grid)
        grid->filter(typeMaskOfFavFilter(fav1Filter->currentIndex()), favouriteNumber, -1,
                     Grid::CLEAR_CURRENT, uncheck, false);
}

void MainWindow::applyFavPanelFilter(QStackedWidget *stack, int typeMask, int satelliteId,
                                     int favouriteNumber) {
    auto *grid = qobject_cast<FavGrid *>(stack ? stack->currentWidget() : nullptr);
    if (grid)
        grid->applyFilter(typeMask, favouriteNumber, satelliteId, Grid::CLEAR_CURRENT, true, false);
}
