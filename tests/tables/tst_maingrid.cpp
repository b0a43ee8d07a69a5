#include "undofixture.h"

#include "core/satellitechannel.h"
#include "tables/checkboxitem.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

using namespace UndoFixture;

namespace {
QList<int> columnIds(const MainGrid &grid) {
    QList<int> ids;
    for (int c = 0; c < grid.columnCount(); ++c)
        ids << grid.columnIdAt(c);
    return ids;
}

QAction *actionNamed(QMenu *menu, const QString &text) {
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}
} // namespace

// The main table's structure and the state it reports to the window.
class TestMainGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    ChannelList<AirChannel> air;
    ChannelList<AstraHDChannel> astraHD;

    std::unique_ptr<MainGrid> airGrid() {
        air.clear();
        air.append(digital(1));
        air.append(digital(2));
        air.append(analogue(3));
        air.append(analogue(4));
        std::unique_ptr<MainGrid> grid(MainGrid::createAirGrid(false));
        fill(grid.get(), air);
        return grid;
    }

    std::unique_ptr<MainGrid> astraGrid() {
        astraHD.clear();
        astraHD.append(astra(1, QStringLiteral("One")));
        astraHD.append(astra(2, QStringLiteral("Two")));
        astraHD.append(AstraHDChannel::placeholder(3));
        astraHD.append(astra(150, QStringLiteral("Far")));
        astraHD.append(astra(0, QStringLiteral("Zero")));
        std::unique_ptr<MainGrid> grid(MainGrid::createAstraHDGrid(true));
        fill(grid.get(), astraHD);
        return grid;
    }

    // Opens the context menu and closes it again at once; returns whether it opened.
    bool openMenu(MainGrid *grid) {
        bool opened = false;
        QTimer::singleShot(0, grid, [grid, &opened] {
            if (grid->menu()->isVisible()) {
                opened = true;
                grid->menu()->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), grid->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(grid->viewport(), &event);
        QCoreApplication::processEvents();
        return opened;
    }

private slots:
    void init() {
        stack = std::make_unique<UndoStack>();
        Grid::initStatics(stack.get());
    }

    void cleanup() { stack.reset(); }

    void factoriesBuildTheColumnsOfTheirKind() {
        const QList<int> terrestrial{1000, 1001, 1002, 1003, 1004, 1007};
        const QList<int> satellite{1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1011, 1009, 1008, 1010};
        std::unique_ptr<MainGrid> a(MainGrid::createAirGrid(false));
        std::unique_ptr<MainGrid> c(MainGrid::createCableGrid(false));
        std::unique_ptr<MainGrid> s(MainGrid::createSatelliteGrid(true));
        std::unique_ptr<MainGrid> h(MainGrid::createAstraHDGrid(true));
        QCOMPARE(columnIds(*a), terrestrial);
        QCOMPARE(columnIds(*c), terrestrial);
        QCOMPARE(columnIds(*s), satellite);
        QCOMPARE(columnIds(*h), satellite);
        QCOMPARE(a->listKind(), 0);
        QCOMPARE(h->listKind(), 3);
        QVERIFY(h->orderedFavourites());
        QVERIFY(!a->orderedFavourites());
        QCOMPARE(a->dragDropMode(), QAbstractItemView::DragDrop);
        QVERIFY(!a->showDropIndicator());
    }

    void rowsOfTheAstraHDList() {
        std::unique_ptr<MainGrid> grid = astraGrid();
        const int number = grid->columnIndex(Grid::NUMBER_COLUMN);
        const int far = grid->rowOfChannel(astraHD.channelAt(3));
        const int two = grid->rowOfChannel(astraHD.channelAt(1));
        QVERIFY(grid->item(two, number)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(grid->item(far, number)->flags() & Qt::ItemIsEditable));
        // The placeholder is hidden; the frequency is in MHz.
        QVERIFY(!grid->isRowVisible(grid->rowOfChannel(astraHD.channelAt(2))));
        QCOMPARE(grid->visibleCount(), 4);
        QVERIFY(grid->item(two, grid->columnIndex(Grid::FREQUENCY_COLUMN))
                    ->text()
                    .endsWith(QLatin1String("MHz")));
        QCOMPARE(grid->item(two, 0)->toolTip(), astraHD[1].toString());
    }

    void airRowsShowKilohertz() {
        std::unique_ptr<MainGrid> grid = airGrid();
        QCOMPARE(grid->item(0, grid->columnIndex(Grid::FREQUENCY_COLUMN))->text(),
                 QStringLiteral("474000 kHz"));
    }

    void updateRowRebindsAndFollowsTheDeletedMark() {
        std::unique_ptr<MainGrid> grid = astraGrid();
        const int row = grid->rowOfChannel(astraHD.channelAt(2));
        grid->updateRow(astraHD.channelAt(3), row);
        QCOMPARE(grid->channelAt(row), astraHD.channelAt(3));
        QVERIFY(grid->isRowVisible(row));
        QCOMPARE(grid->item(row, grid->columnIndex(Grid::NAME_COLUMN))->text(), QStringLiteral("Far"));
        grid->updateRow(astraHD.channelAt(2), row);
        QVERIFY(!grid->isRowVisible(row));
    }

    void cellWritersChangeChannelAndCell() {
        std::unique_ptr<MainGrid> grid = airGrid();
        QSignalSpy changes(grid.get(), &QTableWidget::cellChanged);
        const int row = grid->rowOfChannel(air.channelAt(2));
        grid->setNumberCell(row, 7);
        QCOMPARE(air[2].number(), quint16(7));
        // The table sorts again once the write is done.
        const int sorted = grid->rowOfChannel(air.channelAt(2));
        QCOMPARE(sorted, grid->rowCount() - 1);
        grid->setNameCell(sorted, QStringLiteral("XY"));
        QCOMPARE(air[2].name(), QStringLiteral("XY"));
        QCOMPARE(grid->item(sorted, grid->columnIndex(Grid::NUMBER_COLUMN))->text(), QStringLiteral("7"));
        QCOMPARE(grid->item(sorted, grid->columnIndex(Grid::NAME_COLUMN))->text(), QStringLiteral("XY"));
        // The writes happen inside the sorting suspension, so no edit is started from them.
        QVERIFY(!grid->isInserting());
        // A number the channel refuses is not shown either.
        grid->setNumberCell(sorted, 12000);
        QCOMPARE(grid->item(sorted, grid->columnIndex(Grid::NUMBER_COLUMN))->text(), QStringLiteral("7"));
    }

    void refreshAllRowsClearsModifiedMarksOnRequest() {
        std::unique_ptr<MainGrid> grid = airGrid();
        air[0].setLocked(true);
        grid->refreshAllRows(false);
        QVERIFY(air[0].isModified());
        grid->refreshAllRows(true);
        QVERIFY(!air[0].isModified());
    }

    void firstStateUpdateAlwaysReports() {
        std::unique_ptr<MainGrid> grid(MainGrid::createAirGrid(false));
        QSignalSpy lock(grid.get(), &MainGrid::childLockStateChanged);
        QSignalSpy renumber(grid.get(), &MainGrid::renumberStateChanged);
        air.clear();
        air.append(digital(1));
        fill(grid.get(), air);
        grid->filter(7, 0, -1, 2, false, false);
        QCOMPARE(lock.count(), 1);
        QCOMPARE(lock.first().first().value<MainGrid::ChildLockSelStatus>(), MainGrid::NothingSelected);
        QCOMPARE(renumber.count(), 1);
        QCOMPARE(renumber.first().first().toBool(), false);
        grid->filter(7, 0, -1, 2, false, false);
        QCOMPARE(lock.count(), 1);
        QCOMPARE(renumber.count(), 1);
    }

    void stateSignalsFollowTheSelection() {
        std::unique_ptr<MainGrid> grid = airGrid();
        QSignalSpy rename(grid.get(), &MainGrid::renameStateChanged);
        QSignalSpy deletion(grid.get(), &MainGrid::deleteStateChanged);
        const int a3 = rowOfNumber(grid.get(), 3, Channel::ANALOGUE);
        const int a4 = rowOfNumber(grid.get(), 4, Channel::ANALOGUE);
        const int d1 = rowOfNumber(grid.get(), 1);
        grid->setRowChecked(a3, true);
        QCOMPARE(grid->checkedAnalogueCount(), 1);
        QVERIFY(rename.count() >= 1 && rename.last().first().toBool());
        QVERIFY(deletion.last().first().toBool());
        QVERIFY(grid->isRenumberEnabled());
        grid->setRowChecked(a4, true);
        QVERIFY(!rename.last().first().toBool());
        // Two analogue channels: a block move is possible.
        QVERIFY(grid->isRenumberEnabled());
        grid->setRowChecked(d1, true);
        QVERIFY(!grid->isRenumberEnabled());
        QCOMPARE(grid->checkedDigitalCount(), 1);
        grid->setRowChecked(d1, false);
        grid->setRowChecked(a3, false);
        grid->setRowChecked(a4, false);
        QCOMPARE(grid->checkedAnalogueCount(), 0);
        QCOMPARE(grid->favouritesMaskOfSelection(), 31);
        QVERIFY(!grid->isDeleteEnabled() && !grid->isLockEnabled() && !grid->isUnlockEnabled());
        QVERIFY(!grid->isRenumberEnabled());
    }

    void astraHDRangeRules() {
        std::unique_ptr<MainGrid> grid = astraGrid();
        const int far = grid->rowOfChannel(astraHD.channelAt(3));
        const int zero = grid->rowOfChannel(astraHD.channelAt(4));
        const int one = grid->rowOfChannel(astraHD.channelAt(0));
        grid->setRowChecked(far, true);
        QCOMPARE(grid->checkedOutOfRangeCount(), 1);
        QVERIFY(!grid->isDeleteEnabled());
        QVERIFY(!grid->isRenumberEnabled());
        QVERIFY(grid->isAstraHDCopyEnabled());
        grid->setRowChecked(zero, true);
        QVERIFY(grid->isAstraHDCopyEnabled());
        grid->setRowChecked(one, true);
        QVERIFY(!grid->isAstraHDCopyEnabled());
        grid->deselectAll(true);
        grid->selectRowOrClear(one);
        QVERIFY(grid->isDeleteEnabled());
        QVERIFY(grid->isRenumberEnabled());
        QVERIFY(!grid->isAstraHDCopyEnabled());
        QVERIFY(!grid->isRenameEnabled());
    }

    void contextMenuEntries() {
        std::unique_ptr<MainGrid> grid = astraGrid();
        grid->show();
        grid->selectRowOrClear(grid->rowOfChannel(astraHD.channelAt(3)));
        QVERIFY(openMenu(grid.get()));
        QMenu *menu = grid->menu();
        QVERIFY(!actionNamed(menu, QStringLiteral("Name Edit"))->isVisible());
        QVERIFY(actionNamed(menu, QStringLiteral("Copy"))->isVisible());
        QVERIFY(actionNamed(menu, QStringLiteral("Copy"))->isEnabled());
        QVERIFY(!actionNamed(menu, QStringLiteral("Delete"))->isEnabled());

        std::unique_ptr<MainGrid> terrestrial = airGrid();
        terrestrial->show();
        terrestrial->enableFavouriteActions(4);
        terrestrial->setRowChecked(rowOfNumber(terrestrial.get(), 3, Channel::ANALOGUE), true);
        terrestrial->setRowChecked(rowOfNumber(terrestrial.get(), 4, Channel::ANALOGUE), true);
        QVERIFY(openMenu(terrestrial.get()));
        menu = terrestrial->menu();
        QVERIFY(actionNamed(menu, QStringLiteral("Name Edit"))->isVisible());
        QVERIFY(!actionNamed(menu, QStringLiteral("Copy"))->isVisible());
        QVERIFY(actionNamed(menu, QStringLiteral("Move to..."))->isEnabled());
        QVERIFY(!actionNamed(menu, QStringLiteral("Number Edit"))->isEnabled());
        QVERIFY(actionNamed(menu, QStringLiteral("My Fav 4"))->isEnabled());
        QVERIFY(!actionNamed(menu, QStringLiteral("My Fav 5"))->isEnabled());
        QVERIFY(!actionNamed(menu, QStringLiteral("My Fav 1"))->isChecked());
        QVERIFY(actionNamed(menu, QStringLiteral("Deselect All"))->isEnabled());
    }

    void emptyTableOpensNoMenu() {
        std::unique_ptr<MainGrid> grid(MainGrid::createAirGrid(false));
        grid->show();
        QVERIFY(!openMenu(grid.get()));
    }

    void dragModeSelectsTheCheckedRows() {
        std::unique_ptr<MainGrid> grid = airGrid();
        grid->setRowChecked(0, true);
        grid->setRowChecked(2, true);
        grid->selectRowOrClear(0);
        grid->beginDragMode();
        QVERIFY(grid->isDragMode());
        QCOMPARE(grid->selectionMode(), QAbstractItemView::MultiSelection);
        QCOMPARE(grid->selectionModel()->selectedRows().size(), 2);
        QVERIFY(grid->styleSheet().contains(MainGrid::dragStyleSheet()));
        grid->endDragMode();
        QVERIFY(!grid->isDragMode());
        QCOMPARE(grid->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(grid->styleSheet().contains(MainGrid::normalStyleSheet()));
        QCOMPARE(grid->currentVisibleRow(), 0);
    }

    void dropPointNeedsANeighbourOfTheDraggedKind() {
        std::unique_ptr<MainGrid> grid = airGrid();
        grid->resize(600, 400);
        grid->show();
        // Rows: digital 1, digital 2, analogue 3, analogue 4. Digital 1 is dragged.
        grid->selectRowOrClear(0);
        grid->beginDragMode();
        QVERIFY(grid->isDragMode());
        // The row's own drag data, as the toolkit's drag carries it; drag moves reach only the widget that
        // accepted the drag's entry.
        std::unique_ptr<QMimeData> mime(grid->model()->mimeData({grid->model()->index(0, 1)}));
        QDragEnterEvent enter(QPoint(60, 5), Qt::LinkAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        auto dragOver = [&grid, &mime](int row, int dy) {
            const QPoint pos(60, grid->rowViewportPosition(row) + dy);
            QDragMoveEvent event(pos, Qt::LinkAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &event);
            return event.isAccepted() && event.dropAction() == Qt::LinkAction;
        };
        // Upper half of analogue 3: the row above (digital 2) is of the dragged kind.
        QVERIFY(dragOver(2, 3));
        // Lower half of analogue 4: no digital row on either side.
        QVERIFY(!dragOver(3, 20));
        // A drop never moves items out of the table, even where the drag would allow a move.
        QVERIFY(dragOver(2, 3));
        QDropEvent drop(QPointF(60, grid->rowViewportPosition(2) + 3), Qt::LinkAction | Qt::MoveAction,
                        mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &drop);
        QCOMPARE(drop.dropAction(), Qt::LinkAction);
        QVERIFY(!grid->isDragMode());
        QCOMPARE(grid->rowCount(), 4);
    }

    void editSelectedCellOpensTheEditor() {
        std::unique_ptr<MainGrid> grid = airGrid();
        grid->show();
        grid->selectRowOrClear(rowOfNumber(grid.get(), 3, Channel::ANALOGUE));
        grid->actionRename();
        QLineEdit *editor = grid->findChild<QLineEdit *>();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("A3"));
    }

    void insertModeIsSharedByAllTables() {
        MainGrid::setInsertMode(true);
        QCOMPARE(MainGrid::insertMode(), 1);
        MainGrid::setInsertMode(false);
        QCOMPARE(MainGrid::insertMode(), 0);
    }

    void rangeTexts() {
        QCOMPARE(MainGrid::rangeText(Channel::ANALOGUE),
                 QStringLiteral("Analogue channel number has to be in range 0-99."));
        QCOMPARE(MainGrid::rangeText(Channel::DIGITAL),
                 QStringLiteral("Digital channel number has to be in range 1-9999."));
    }
};

QTEST_MAIN(TestMainGrid)
#include "tst_maingrid.moc"
