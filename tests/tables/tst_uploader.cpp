// The list uploaders and the favourites tables they fill: step counts, early stops, the row operation of
// each list kind, and the favourites table's columns, position cells, filter and menu.
#include "testdocument.h"
#include "testgrid.h"

#include "tables/checkboxitem.h"
#include "tables/favgrid.h"
#include "tables/headerview.h"

#include <QAction>
#include <QSignalSpy>
#include <QtTest>

using namespace TestDocument;

class TstUploader : public QObject {
    Q_OBJECT

private:
    static QList<int> columnIds(const Grid &grid) {
        QList<int> ids;
        for (int column = 0; column < grid.columnCount(); ++column)
            ids << grid.columnIdAt(column);
        return ids;
    }

    // Channels 1..6: odd numbers TV, even radio; 1 and 4 in list 2 (positions 1 and 2), 5 in list 2 without
    // a position; 3 deleted.
    ChannelList<CableChannel> favouritesList() {
        ChannelList<CableChannel> list;
        for (int i = 1; i <= 6; ++i)
            list.append(cable(QStringLiteral("c%1").arg(i), quint16(i), 300.0f + i, i % 2 ? 1 : 2));
        list[0].setFavouritePosition(2, 1);
        list[3].setFavouritePosition(2, 2);
        list[4].setFavouritePosition(2, -2);
        list[2].setDeleted(true);
        return list;
    }

private slots:
    void initTestCase() {
        Grid::initStatics(nullptr);
        makeDatabase();
    }

    void emptyList() {
        ChannelList<AirChannel> list;
        TestGrid grid(Grid::AIR_LIST);
        ChListUploader<AirChannel> uploader(&list, &grid);
        uploader.begin();
        QCOMPARE(grid.rowCount(), 0);
        QVERIFY(grid.isInserting());
        QVERIFY(!uploader.uploadNext());
        uploader.finish();
        QVERIFY(!grid.isInserting());
        QCOMPARE(grid.visibleCount(), 0);
        QCOMPARE(grid.sortDefaults, 1);
        QCOMPARE(grid.header()->sectionMinimumSize(1),
                 Grid::tableFontMetrics().horizontalAdvance(QStringLiteral("Number")) + Grid::TITLE_MARGIN);
    }

    void stepsAndSortingSuspension() {
        ChannelList<AirChannel> one;
        one.append(air(QStringLiteral("only"), 1, 474.0f));
        TestGrid single(Grid::AIR_LIST);
        ChListUploader<AirChannel> first(&one, &single);
        first.begin();
        QVERIFY(!first.uploadNext()); // one channel: the first step builds it and says none remain
        QCOMPARE(single.channelAt(0), one.channelAt(0));
        QVERIFY(!first.uploadNext());
        QCOMPARE(single.addAirRows, 1);
        first.finish();
        QCOMPARE(single.visibleCount(), 1);

        ChannelList<AirChannel> list;
        for (int i = 5; i >= 1; --i)
            list.append(air(QStringLiteral("c%1").arg(i), quint16(i), 474.0f));
        TestGrid grid(Grid::AIR_LIST);
        ChListUploader<AirChannel> uploader(&list, &grid);
        uploader.begin();
        QCOMPARE(grid.rowCount(), 5);
        int steps = 1;
        while (uploader.uploadNext()) {
            ++steps;
            // Rows stay where they are put while loading.
            QVERIFY(!grid.isSortingEnabled());
        }
        QCOMPARE(steps, 5);
        QCOMPARE(rowNames(grid), (QStringList{"c5", "c4", "c3", "c2", "c1"}));
        uploader.finish();
        // After the load the default sort applies although the list was stored in another order.
        QCOMPARE(rowNames(grid), (QStringList{"c1", "c2", "c3", "c4", "c5"}));
        QVERIFY(grid.isSortingEnabled());
        for (int row = 0; row < grid.rowCount(); ++row)
            QCOMPARE(grid.rowHeight(row), Grid::SHOWN_ROW_HEIGHT);
    }

    void stoppedEarly() {
        ChannelList<SatelliteChannel> list;
        for (int i = 1; i <= 20; ++i)
            list.append(satellite(QStringLiteral("s%1").arg(i), quint16(i), 1));
        TestGrid grid(Grid::SATELLITE_LIST);
        ChListUploader<SatelliteChannel> uploader(&list, &grid);
        uploader.begin();
        for (int i = 0; i < 7; ++i)
            QVERIFY(uploader.uploadNext());
        uploader.finish();
        QCOMPARE(uploader.rowsFilled(), 7);
        QCOMPARE(grid.visibleCount(), 7);
        QCOMPARE(grid.rowCount(), 20);
        // The empty rows are no channels; nothing reads them as such.
        int channels = 0;
        for (int row = 0; row < grid.rowCount(); ++row)
            channels += grid.channelAt(row) ? 1 : 0;
        QCOMPARE(channels, 7);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::SELECT_FIRST_SHOWN, true, false);
        QCOMPARE(grid.visibleCount(), 7);
    }

    void eachKindThroughItsOwnRow() {
        ChannelList<AstraHDChannel> astra;
        astra.append(astraHD(QStringLiteral("RTL HD"), 1, 2));
        TestGrid astraGrid(Grid::ASTRA_HD_LIST);
        uploadAll(astra, astraGrid);
        QCOMPARE(astraGrid.addAstraHDRows, 1);
        QCOMPARE(astraGrid.addSatelliteRows, 0);
        QCOMPARE(cellText(astraGrid, 0, Grid::PROVIDER_COLUMN), QStringLiteral("HD+"));

        ChannelList<SatelliteChannel> satellites;
        satellites.append(satellite(QStringLiteral("Das Erste"), 1, 1));
        TestGrid satelliteGrid(Grid::SATELLITE_LIST);
        uploadAll(satellites, satelliteGrid);
        QCOMPARE(satelliteGrid.addSatelliteRows, 1);
        QCOMPARE(satelliteGrid.addAstraHDRows, 0);
    }

    void favouritesTableColumns() {
        std::unique_ptr<FavGrid> plain(FavGrid::createSatelliteGrid(false, true));
        QCOMPARE(columnIds(*plain), (QList<int>{1000, 1001, 1002}));
        QVERIFY(!plain->isOrdered());
        QVERIFY(plain->isMembershipOnly());
        QCOMPARE(plain->favIndex(), 1);
        QCOMPARE(plain->listKind(), int(Grid::SATELLITE_LIST));
        QVERIFY(!plain->moveAction());

        std::unique_ptr<FavGrid> ordered(FavGrid::createAstraHDGrid(true, false));
        QCOMPARE(columnIds(*ordered), (QList<int>{1000, 1012, 1002}));
        QCOMPARE(ordered->columnTitle(1), QStringLiteral("Number"));
        QVERIFY(ordered->moveAction());
        QCOMPARE(std::unique_ptr<FavGrid>(FavGrid::createAirGrid(false, false))->listKind(), 0);
        QCOMPARE(std::unique_ptr<FavGrid>(FavGrid::createCableGrid(false, false))->listKind(), 1);
    }

    void favouritesRowsAreReadOnly() {
        ChannelList<CableChannel> list = favouritesList();
        list.append(cable(QStringLiteral("analogue"), 7, 300.0f, 1, Channel::ANALOGUE));
        FavGrid grid(nullptr, Grid::CABLE_LIST, false, false);
        uploadAll(list, grid);
        QCOMPARE(grid.rowCount(), 7);
        for (int row = 0; row < grid.rowCount(); ++row) {
            for (int column = 0; column < grid.columnCount(); ++column) {
                QVERIFY(!(grid.item(row, column)->flags() & Qt::ItemIsEditable));
                QCOMPARE(grid.item(row, column)->toolTip(), grid.channelAt(row)->toString());
            }
        }
    }

    void positionCells() {
        ChannelList<CableChannel> list = favouritesList();
        FavGrid grid(nullptr, Grid::CABLE_LIST, true, false);
        grid.setFavouriteIndex(2);
        uploadAll(list, grid);
        // Sorted by position in list 2: -2 first, then the non-members (-1), then 1 and 2.
        QCOMPARE(rowNames(grid), (QStringList{"c5", "c2", "c3", "c6", "c1", "c4"}));
        QCOMPARE(cellText(grid, 0, Grid::POSITION_COLUMN), QStringLiteral("-2"));
        QCOMPARE(cellText(grid, 5, Grid::POSITION_COLUMN), QStringLiteral("2"));

        list[3].setFavouritePosition(2, 7);
        grid.refreshChannelRow(list.channelAt(3), grid.rowOfChannel(list.channelAt(3)), 2);
        QCOMPARE(cellText(grid, grid.rowOfChannel(list.channelAt(3)), Grid::POSITION_COLUMN),
                 QStringLiteral("7"));

        list[0].setName(QStringLiteral("renamed"));
        grid.refreshAllRows(true);
        QCOMPARE(cellText(grid, grid.rowOfChannel(list.channelAt(0)), Grid::NAME_COLUMN),
                 QStringLiteral("renamed"));
        QVERIFY(!list[0].isModified());

        grid.setFavouriteIndex(0); // not a list: ignored
        QCOMPARE(grid.favIndex(), 2);
    }

    void rightTableShowsMembers() {
        ChannelList<CableChannel> list = favouritesList();
        std::unique_ptr<FavGrid> right(FavGrid::createCableGrid(true, false));
        right->setFavouriteIndex(2);
        uploadAll(list, *right);
        right->filter(Grid::ALL_CATEGORIES, 2, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(right->visibleCount(), 3);
        right->filter(Channel::CATEGORY_RADIO, 2, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(right->visibleCount(), 1);
    }

    void leftTableGreysMembers() {
        ChannelList<CableChannel> list = favouritesList();
        std::unique_ptr<FavGrid> left(FavGrid::createCableGrid(false, false));
        uploadAll(list, *left);
        QSignalSpy finished(left.get(), &Grid::filterFinished);
        const int member = left->rowOfChannel(list.channelAt(0));
        const int other = left->rowOfChannel(list.channelAt(1));
        left->setRowChecked(member, true);

        left->applyFilter(Grid::ALL_CATEGORIES, 2, -1, Grid::SELECT_FIRST_SHOWN, false, false);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(left->visibleCount(), 5); // all but the deleted channel, members included
        QVERIFY(left->isRowVisible(member));
        QVERIFY(!left->isRowEnabled(member));
        QVERIFY(!(left->item(member, left->columnIndex(Grid::NAME_COLUMN))->flags() & Qt::ItemIsEnabled));
        QVERIFY(!(left->item(member, left->columnIndex(Grid::NUMBER_COLUMN))->flags() & Qt::ItemIsEnabled));
        QVERIFY(!left->isRowChecked(member));
        QCOMPARE(left->checkedCount(), 0);
        QCOMPARE(left->checkableCount(), 2); // c2 and c6; c1, c4 and c5 are members
        // The first shown row that can be checked becomes current.
        QCOMPARE(left->currentVisibleRow(), other);
        QCOMPARE(left->typeMask(), int(Grid::ALL_CATEGORIES));
        QCOMPARE(left->favNo(), 2);

        // Leaving the list enables the row again and, with checkShown, check-marks it.
        list[0].setFavouritePosition(2, -1);
        left->reload(Grid::SELECT_FIRST_NEWLY_SHOWN, false, true);
        QVERIFY(left->isRowEnabled(member));
        QVERIFY(left->isRowChecked(member));
        QCOMPARE(left->currentVisibleRow(), member);
        QCOMPARE(left->checkableCount(), 3);
        QCOMPARE(left->header()->checkState(), 1);

        // A click does not check a greyed-out member; select all skips it.
        left->applyFilter(Grid::ALL_CATEGORIES, 2, -1, Grid::CLEAR_CURRENT, true, false);
        const int greyed = left->rowOfChannel(list.channelAt(3));
        left->on_cellClicked(greyed, 0);
        QVERIFY(!left->isRowChecked(greyed));
        left->selectAll();
        QCOMPARE(left->checkedCount(), 3);
        QVERIFY(!left->isRowChecked(greyed));

        // The satellite condition leaves cable channels alone.
        left->applyFilter(Channel::CATEGORY_TV, 2, ASTRA, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(left->visibleCount(), 2);
    }

    void favouritesContextMenu() {
        ChannelList<CableChannel> list = favouritesList();
        FavGrid grid(nullptr, Grid::CABLE_LIST, true, false);
        grid.setFavouriteIndex(2);
        uploadAll(list, grid);
        grid.filter(Grid::ALL_CATEGORIES, 2, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.selectAllAction()->text(), QStringLiteral("Select All"));
        QCOMPARE(grid.moveAction()->text(), QStringLiteral("Move"));
        QCOMPARE(grid.deselectAllAction()->text(), QStringLiteral("Deselect All"));

        grid.selectAllAction()->trigger();
        QCOMPARE(grid.checkedCount(), 3);
        grid.deselectAllAction()->trigger();
        QCOMPARE(grid.checkedCount(), 0);
    }
};

QTEST_MAIN(TstUploader)
#include "tst_uploader.moc"
