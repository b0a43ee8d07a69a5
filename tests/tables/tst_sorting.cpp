// The sort rules of every cell type, ascending and descending, with their tie rules, as the user gets them
// by sorting a filled table.
#include "testdocument.h"
#include "testgrid.h"

#include "tables/favgrid.h"
#include "tables/favitem.h"
#include "tables/headerview.h"

#include <QtTest>

using namespace TestDocument;

class TstSorting : public QObject {
    Q_OBJECT

private:
    static QStringList sortedNames(Grid &grid, int id, Qt::SortOrder order) {
        grid.sortItems(grid.columnIndex(id), order);
        return rowNames(grid);
    }

private slots:
    void initTestCase() {
        Grid::initStatics(nullptr);
        makeDatabase();
    }

    void checkColumn() {
        ChannelList<AirChannel> list;
        for (int i = 1; i <= 5; ++i)
            list.append(air(QStringLiteral("c%1").arg(i), quint16(i), 474.0f));
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        grid.setRowChecked(1, true);
        grid.setRowChecked(3, true);
        QCOMPARE(sortedNames(grid, Grid::CHECK_COLUMN, Qt::AscendingOrder),
                 (QStringList{"c2", "c4", "c1", "c3", "c5"}));
        // Rows in the same state compare equal, so they keep their order in both directions.
        grid.sortByNumber();
        QCOMPARE(sortedNames(grid, Grid::CHECK_COLUMN, Qt::DescendingOrder),
                 (QStringList{"c1", "c3", "c5", "c2", "c4"}));
        QCOMPARE(grid.checkedCount(), 2);
        QVERIFY(grid.isRowChecked(3) && grid.isRowChecked(4));
    }

    void numberColumnPutsAnalogueLast() {
        ChannelList<AirChannel> list;
        list.append(air(QStringLiteral("analogue 0"), 0, 48.25f, 1, Channel::ANALOGUE));
        list.append(air(QStringLiteral("digital 9999"), 9999, 474.0f));
        list.append(air(QStringLiteral("analogue 99"), 99, 55.25f, 1, Channel::ANALOGUE));
        list.append(air(QStringLiteral("digital 1"), 1, 482.0f));
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        QCOMPARE(rowNames(grid), (QStringList{"digital 1", "digital 9999", "analogue 0", "analogue 99"}));
        QCOMPARE(sortedNames(grid, Grid::NUMBER_COLUMN, Qt::DescendingOrder),
                 (QStringList{"analogue 99", "analogue 0", "digital 9999", "digital 1"}));
    }

    void favouritesKeys() {
        auto key = [](std::initializer_list<int> lists) {
            AirChannel channel = air(QStringLiteral("x"), 1, 474.0f);
            for (int list : lists)
                channel.setFavouritePosition(quint16(list), -2);
            return FavItem::favouritesKey(channel);
        };
        QCOMPARE(key({}), 65535);
        QCOMPARE(key({1}), 1000);
        QCOMPARE(key({1, 2}), 1200);
        QCOMPARE(key({1, 5}), 1500);
        QCOMPARE(key({2}), 2000);
        QCOMPARE(key({2, 3, 4}), 2340);
        QCOMPARE(key({1, 2, 3, 4}), 1234);
        QCOMPARE(key({1, 2, 3, 4, 5}), 1234);
    }

    void favouritesColumn() {
        ChannelList<AirChannel> list;
        list.append(air(QStringLiteral("none"), 1, 474.0f));
        list.append(air(QStringLiteral("two"), 2, 474.0f)).setFavouritePosition(2, 1);
        list.append(air(QStringLiteral("one five"), 3, 474.0f)).setFavouritePosition(1, 1);
        list[2].setFavouritePosition(5, 1);
        list.append(air(QStringLiteral("one"), 4, 474.0f)).setFavouritePosition(1, 2);
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        QCOMPARE(sortedNames(grid, Grid::FAVOURITES_COLUMN, Qt::AscendingOrder),
                 (QStringList{"one", "one five", "two", "none"}));
        QCOMPARE(sortedNames(grid, Grid::FAVOURITES_COLUMN, Qt::DescendingOrder),
                 (QStringList{"none", "two", "one five", "one"}));
    }

    void lockColumn() {
        ChannelList<AirChannel> list;
        list.append(air(QStringLiteral("open 1"), 1, 474.0f));
        list.append(air(QStringLiteral("locked 2"), 2, 474.0f)).setLocked(true);
        list.append(air(QStringLiteral("open 3"), 3, 474.0f));
        list.append(air(QStringLiteral("locked 4"), 4, 474.0f)).setLocked(true);
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        QCOMPARE(sortedNames(grid, Grid::LOCKED_COLUMN, Qt::AscendingOrder),
                 (QStringList{"locked 2", "locked 4", "open 1", "open 3"}));
        grid.sortByNumber();
        QCOMPARE(sortedNames(grid, Grid::LOCKED_COLUMN, Qt::DescendingOrder),
                 (QStringList{"open 1", "open 3", "locked 2", "locked 4"}));
    }

    void frequencyAndSymbolRateSortByValue() {
        // As text "10992 MHz" < "11493.75 MHz" < "12187.5 MHz" holds too; kHz texts of air channels do not.
        ChannelList<AirChannel> airList;
        airList.append(air(QStringLiteral("858"), 1, 858.0f));
        airList.append(air(QStringLiteral("48.25"), 2, 48.25f));
        airList.append(air(QStringLiteral("474"), 3, 474.0f));
        TestGrid airGrid(Grid::AIR_LIST);
        uploadAll(airList, airGrid);
        QCOMPARE(sortedNames(airGrid, Grid::FREQUENCY_COLUMN, Qt::AscendingOrder),
                 (QStringList{"48.25", "474", "858"}));
        QCOMPARE(sortedNames(airGrid, Grid::FREQUENCY_COLUMN, Qt::DescendingOrder),
                 (QStringList{"858", "474", "48.25"}));

        ChannelList<SatelliteChannel> list;
        list.append(satellite(QStringLiteral("27500 a"), 1, 2));
        list.append(satellite(QStringLiteral("22000"), 2, 1));
        list.append(satellite(QStringLiteral("27500 b"), 3, 3));
        TestGrid grid(Grid::SATELLITE_LIST);
        uploadAll(list, grid);
        QCOMPARE(sortedNames(grid, Grid::SYMBOL_RATE_COLUMN, Qt::AscendingOrder),
                 (QStringList{"22000", "27500 a", "27500 b"}));
        QCOMPARE(sortedNames(grid, Grid::SYMBOL_RATE_COLUMN, Qt::DescendingOrder),
                 (QStringList{"27500 a", "27500 b", "22000"}));
        QCOMPARE(sortedNames(grid, Grid::FREQUENCY_COLUMN, Qt::AscendingOrder),
                 (QStringList{"27500 b", "22000", "27500 a"}));
    }

    void positionColumnOfAnOrderedFavouritesTable() {
        ChannelList<AirChannel> list;
        list.append(air(QStringLiteral("pos 2"), 1, 474.0f)).setFavouritePosition(3, 2);
        list.append(air(QStringLiteral("not member"), 2, 474.0f));
        list.append(air(QStringLiteral("no position"), 3, 474.0f)).setFavouritePosition(3, -2);
        list.append(air(QStringLiteral("pos 0"), 4, 474.0f)).setFavouritePosition(3, 0);
        list.append(air(QStringLiteral("pos 1"), 5, 474.0f)).setFavouritePosition(3, 1);
        list[0].setFavouritePosition(1, 1);
        std::unique_ptr<FavGrid> grid(FavGrid::createAirGrid(true, false));
        grid->setFavouriteIndex(3);
        uploadAll(list, *grid);
        QCOMPARE(rowNames(*grid), (QStringList{"no position", "not member", "pos 0", "pos 1", "pos 2"}));
        QCOMPARE(cellText(*grid, 4, Grid::POSITION_COLUMN), QStringLiteral("2"));
        QCOMPARE(grid->item(4, grid->columnIndex(Grid::POSITION_COLUMN))->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(sortedNames(*grid, Grid::POSITION_COLUMN, Qt::DescendingOrder),
                 (QStringList{"pos 2", "pos 1", "pos 0", "not member", "no position"}));

        // Showing list 1 rewrites the cells; sorting follows the list shown.
        grid->setFavouriteIndex(1);
        QCOMPARE(cellText(*grid, 0, Grid::POSITION_COLUMN), QStringLiteral("1"));
        grid->sortDefault();
        QCOMPARE(rowNames(*grid).last(), QStringLiteral("pos 2"));
    }

    void filterPassMovesTheRowsItChecksWhenSortedByCheckMarks() {
        ChannelList<AirChannel> list;
        for (int i = 1; i <= 4; ++i)
            list.append(air(QStringLiteral("c%1").arg(i), quint16(i), 474.0f, i % 2 ? 2 : 1));
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        grid.header()->setSortIndicator(grid.columnIndex(Grid::CHECK_COLUMN), Qt::AscendingOrder);
        // The radio rows, then the TV rows with check marks on those newly shown: the marked rows go first.
        grid.filter(Channel::CATEGORY_RADIO, 0, -1, Grid::CLEAR_CURRENT, true, false);
        grid.filter(Channel::CATEGORY_TV, 0, -1, Grid::CLEAR_CURRENT, true, true);
        QCOMPARE(rowNames(grid), (QStringList{"c2", "c4", "c1", "c3"}));
    }

    void sortingKeepsHiddenRowsHidden() {
        ChannelList<AirChannel> list;
        for (int i = 1; i <= 6; ++i)
            list.append(air(QStringLiteral("c%1").arg(i), quint16(i), 474.0f, i % 2 ? 1 : 2));
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        grid.filter(Channel::CATEGORY_TV, 0, -1, Grid::CLEAR_CURRENT, true, false);
        // Sorting through the header, as the user does, re-applies the heights from the shown flags.
        grid.header()->setSortIndicator(grid.columnIndex(Grid::NUMBER_COLUMN), Qt::DescendingOrder);
        grid.updateRowHeights();
        for (int row = 0; row < grid.rowCount(); ++row) {
            const bool tv = grid.channelAt(row)->category() == Channel::CATEGORY_TV;
            QCOMPARE(grid.isRowVisible(row), tv);
            QCOMPARE(grid.rowHeight(row), tv ? Grid::SHOWN_ROW_HEIGHT : 0);
        }
        QCOMPARE(rowNames(grid).first(), QStringLiteral("c6"));
    }
};

QTEST_MAIN(TstSorting)
#include "tst_sorting.moc"
