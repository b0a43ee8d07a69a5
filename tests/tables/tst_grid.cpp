// The table base: cells per list kind, filters and visible counts, check marks, the current row, and the
// rows and columns a table does not have.
#include "testdocument.h"
#include "testgrid.h"

#include "core/codenames.h"
#include "tables/checkboxitem.h"
#include "tables/favgrid.h"
#include "tables/headerview.h"

#include <QApplication>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

using namespace TestDocument;

class TstGrid : public QObject {
    Q_OBJECT

private:
    static QList<int> columnIds(const Grid &grid) {
        QList<int> ids;
        for (int column = 0; column < grid.columnCount(); ++column)
            ids << grid.columnIdAt(column);
        return ids;
    }
    static bool hasIcon(const Grid &grid, int row, int id) {
        const QTableWidgetItem *cell = grid.item(row, grid.columnIndex(id));
        return cell && !cell->data(Qt::DecorationRole).value<QIcon>().isNull();
    }
    static Qt::ItemFlags flagsOf(const Grid &grid, int row, int id) {
        return grid.item(row, grid.columnIndex(id))->flags();
    }
    // Every row's height follows its shown flag, and the visible count matches the shown rows.
    static void verifyRowModel(const Grid &grid) {
        int shown = 0;
        for (int row = 0; row < grid.rowCount(); ++row) {
            QCOMPARE(grid.rowHeight(row), grid.isRowVisible(row) ? Grid::SHOWN_ROW_HEIGHT : 0);
            shown += grid.isRowVisible(row) ? 1 : 0;
            if (grid.isRowChecked(row))
                QVERIFY(grid.isRowVisible(row));
        }
        QCOMPARE(grid.visibleCount(), shown);
    }

    ChannelList<AirChannel> mixedAirList() {
        ChannelList<AirChannel> list;
        list.append(air(QStringLiteral("TV one"), 1, 474.0f, 1));
        list.append(air(QStringLiteral("Radio one"), 2, 482.0f, 2));
        list.append(air(QStringLiteral("Data"), 3, 490.0f, 12));
        AirChannel &deleted = list.append(air(QStringLiteral("Deleted TV"), 4, 498.0f, 1));
        deleted.setDeleted(true);
        AirChannel &fav = list.append(air(QStringLiteral("TV fav"), 5, 506.0f, 25));
        fav.setFavouritePosition(2, 1);
        AirChannel &radioFav = list.append(air(QStringLiteral("Radio fav"), 6, 514.0f, 10));
        radioFav.setFavouritePosition(2, -2);
        return list;
    }

private slots:
    void initTestCase() {
        Grid::initStatics(nullptr);
        makeDatabase();
    }

    void airAndCableRows() {
        ChannelList<AirChannel> list;
        AirChannel &analogue =
            list.append(air(QStringLiteral("  BBC One  "), 3, 474.0f, 1, Channel::ANALOGUE));
        analogue.setFavouritePosition(1, 2);
        analogue.setFavouritePosition(3, 1);
        AirChannel &digital = list.append(air(QStringLiteral("Digital"), 1, 522.25f));
        digital.setLocked(true);
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);

        QCOMPARE(columnIds(grid), (QList<int>{1000, 1001, 1002, 1003, 1004, 1007}));
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.visibleCount(), 2);
        QCOMPARE(grid.addAirRows, 2);
        // Sorted by number: the digital channel first (analogue channels follow every digital one).
        QCOMPARE(grid.channelAt(0), list.channelAt(1));
        QCOMPARE(grid.channelAt(1), list.channelAt(0));

        QCOMPARE(cellText(grid, 1, Grid::NUMBER_COLUMN), QStringLiteral("3"));
        QCOMPARE(grid.item(1, grid.columnIndex(Grid::NUMBER_COLUMN))->data(Qt::UserRole).toInt(), 3);
        QVERIFY(hasIcon(grid, 1, Grid::NUMBER_COLUMN));
        QVERIFY(!hasIcon(grid, 0, Grid::NUMBER_COLUMN));
        QCOMPARE(cellText(grid, 1, Grid::NAME_COLUMN), QStringLiteral("BBC One"));
        QCOMPARE(cellText(grid, 1, Grid::FREQUENCY_COLUMN), QStringLiteral("474000 kHz"));
        QCOMPARE(cellText(grid, 0, Grid::FREQUENCY_COLUMN), QStringLiteral("522250 kHz"));
        QVERIFY(hasIcon(grid, 1, Grid::FAVOURITES_COLUMN));
        QVERIFY(!hasIcon(grid, 0, Grid::FAVOURITES_COLUMN));
        QVERIFY(hasIcon(grid, 0, Grid::LOCKED_COLUMN));
        QVERIFY(!hasIcon(grid, 1, Grid::LOCKED_COLUMN));

        // Number cells are editable; names only for analogue channels; the rest never.
        const Qt::ItemFlags readOnly = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled;
        QCOMPARE(flagsOf(grid, 0, Grid::NUMBER_COLUMN), readOnly | Qt::ItemIsEditable);
        QCOMPARE(flagsOf(grid, 1, Grid::NAME_COLUMN), readOnly | Qt::ItemIsEditable);
        QCOMPARE(flagsOf(grid, 0, Grid::NAME_COLUMN), readOnly);
        QCOMPARE(flagsOf(grid, 0, Grid::FREQUENCY_COLUMN), readOnly);
        QCOMPARE(flagsOf(grid, 0, Grid::CHECK_COLUMN), readOnly);
        QCOMPARE(grid.item(0, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));

        // The check cell carries the channel, unchecked and shown.
        const CheckBoxItem *check = grid.checkBoxItem(1);
        QVERIFY(check);
        QCOMPARE(check->channel(), list.channelAt(0));
        QVERIFY(!check->isChecked());
        QVERIFY(check->isShown());

        ChannelList<CableChannel> cables;
        cables.append(cable(QStringLiteral("Kabel"), 7, 346.0f));
        TestGrid cableGrid(Grid::CABLE_LIST);
        uploadAll(cables, cableGrid);
        QCOMPARE(cableGrid.addCableRows, 1);
        QCOMPARE(cellText(cableGrid, 0, Grid::FREQUENCY_COLUMN), QStringLiteral("346000 kHz"));
    }

    void satelliteRows() {
        ChannelList<SatelliteChannel> list;
        list.append(satellite(QStringLiteral("Das Erste"), 1, 1));
        list.append(satellite(QStringLiteral("Rai 1"), 2, 3));
        TestGrid grid(Grid::SATELLITE_LIST);
        uploadAll(list, grid);

        QCOMPARE(columnIds(grid),
                 (QList<int>{1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1011, 1009, 1008, 1010}));
        QCOMPARE(grid.addSatelliteRows, 2);
        QCOMPARE(cellText(grid, 0, Grid::SATELLITE_COLUMN), QStringLiteral("Astra 19.2E"));
        QCOMPARE(cellText(grid, 1, Grid::SATELLITE_COLUMN), QStringLiteral("Hotbird 13E"));
        QCOMPARE(cellText(grid, 0, Grid::PROVIDER_COLUMN), QStringLiteral("ARD"));
        QCOMPARE(cellText(grid, 0, Grid::FREQUENCY_COLUMN), QStringLiteral("11493.75 MHz"));
        QCOMPARE(cellText(grid, 0, Grid::SYMBOL_RATE_COLUMN), QStringLiteral("22000 kS/s"));
        QCOMPARE(cellText(grid, 1, Grid::SYMBOL_RATE_COLUMN), QStringLiteral("27500 kS/s"));
        QCOMPARE(cellText(grid, 0, Grid::POLARITY_COLUMN), PolarityNames::text(0));
        QCOMPARE(cellText(grid, 0, Grid::MODULATION_COLUMN), ModulationNames::text(5));
        QCOMPARE(cellText(grid, 0, Grid::FEC_COLUMN), FecNames::text(2));
        QVERIFY(!cellText(grid, 0, Grid::FEC_COLUMN).isEmpty());
        // A code missing from its name table shows nothing and is not added to the table.
        QCOMPARE(cellText(grid, 1, Grid::FEC_COLUMN), QString());
        QVERIFY(!FecNames::contains(99));
    }

    void toolTipIsSharedByTheRow() {
        ChannelList<SatelliteChannel> list;
        list.append(satellite(QStringLiteral("Das Erste"), 1, 1));
        TestGrid grid(Grid::SATELLITE_LIST);
        uploadAll(list, grid);
        const QString expected = list[0].toString();
        const QString first = grid.item(0, 0)->toolTip();
        QCOMPARE(first, expected);
        for (int column = 0; column < grid.columnCount(); ++column) {
            const QString tip = grid.item(0, column)->toolTip();
            QCOMPARE(tip, expected);
            // One text per row, not one copy per cell.
            QCOMPARE(tip.constData(), first.constData());
        }
    }

    void frequencyTextsInTheGeneralFormat() {
        // The shortest decimal that reads back as the stored float, in the general format with 12 significant
        // digits; kHz moves that decimal three places, so the float's binary remainder never shows (99.9 MHz
        // is held as 99.90000153). Exact values keep every digit.
        struct Texts {
            float mhz;
            QString inMHz;
            QString inKHz;
        };
        auto texts = [](float mhz, const char *inMHz, const char *inKHz) {
            return Texts{mhz, QString::fromLatin1(inMHz), QString::fromLatin1(inKHz)};
        };
        QList<Texts> cases = {texts(474.0f, "474", "474000"),
                              texts(522.25f, "522.25", "522250"),
                              texts(48.25f, "48.25", "48250"),
                              texts(0.5f, "0.5", "500"),
                              texts(0.0f, "0", "0"),
                              texts(99.9f, "99.9", "99900"),
                              texts(506.1f, "506.1", "506100"),
                              texts(482.062f, "482.062", "482062"),
                              texts(482.0625f, "482.0625", "482062.5"),
                              texts(11493.75f, "11493.75", "11493750"),
                              texts(12187.5f, "12187.5", "12187500"),
                              texts(10714.123f, "10714.123", "10714123"),
                              texts(99.99f, "99.99", "99990"),
                              texts(0.01f, "0.01", "10"),
                              texts(1.05f, "1.05", "1050"),
                              texts(3.3333333f, "3.3333333", "3333.3333"),
                              texts(1234567.0f, "1234567", "1234567000"),
                              texts(1.0e9f, "1000000000", "1e+12"),
                              texts(1.0e-5f, "1e-05", "0.01")};
        // Hundredths of a MHz read as they were given, in both units.
        QRandomGenerator random(8);
        for (int i = 0; i < 300; ++i) {
            const int hundredths = random.bounded(1000000);
            cases.append({float(hundredths) / 100.0f, QString::number(hundredths / 100.0, 'g', 12),
                          QString::number(hundredths * 10)});
        }
        ChannelList<AirChannel> list;
        for (const Texts &expected : std::as_const(cases))
            list.append(air(QStringLiteral("f"), 1, expected.mhz));
        TestGrid grid(Grid::AIR_LIST);
        grid.setRowCount(2);
        for (int index = 0; index < list.size(); ++index) {
            for (int row = 0; row < 2; ++row) {
                grid.setCheckCell(false, list.channelAt(index), row);
                grid.setFrequencyCell(list.channelAt(index), row, row == 0);
            }
            QCOMPARE(cellText(grid, 0, Grid::FREQUENCY_COLUMN), cases[index].inMHz + QStringLiteral(" MHz"));
            QCOMPARE(cellText(grid, 1, Grid::FREQUENCY_COLUMN), cases[index].inKHz + QStringLiteral(" kHz"));
        }
    }

    void sharedTextsAreTranslatedPerBatch() {
        // A translator installed between two loads applies to the second: shared texts live for one batch.
        class Shouting : public QTranslator {
        public:
            QString translate(const char *, const char *source, const char *, int) const override {
                return QString::fromLatin1(source).toUpper() + QLatin1Char('!');
            }
            bool isEmpty() const override { return false; }
        };
        ChannelList<SatelliteChannel> list;
        list.append(satellite(QStringLiteral("Das Erste"), 1, 1));
        TestGrid before(Grid::SATELLITE_LIST);
        uploadAll(list, before);
        QCOMPARE(cellText(before, 0, Grid::FREQUENCY_COLUMN), QStringLiteral("11493.75 MHz"));
        Shouting shouting;
        QCoreApplication::installTranslator(&shouting);
        TestGrid after(Grid::SATELLITE_LIST);
        uploadAll(list, after);
        QCoreApplication::removeTranslator(&shouting);
        QCOMPARE(cellText(after, 0, Grid::FREQUENCY_COLUMN), QStringLiteral("11493.75 MHZ!"));
        QCOMPARE(cellText(after, 0, Grid::SYMBOL_RATE_COLUMN), QStringLiteral("22000 KS/S!"));
        QCOMPARE(cellText(after, 0, Grid::MODULATION_COLUMN),
                 ModulationNames::text(5).toUpper() + QLatin1Char('!'));
    }

    void toolTipFollowsTheChannel() {
        ChannelList<CableChannel> list;
        CableChannel &channel = list.append(cable(QStringLiteral("Kabel"), 7, 346.0f));
        std::unique_ptr<FavGrid> grid(FavGrid::createCableGrid(false, true));
        uploadAll(list, *grid);
        // Without a text of its own, every cell shows the channel's description as it is now.
        for (int column = 0; column < grid->columnCount(); ++column)
            QCOMPARE(grid->item(0, column)->toolTip(), channel.toString());
        channel.setLocked(true);
        QCOMPARE(grid->item(0, 2)->toolTip(), channel.toString());

        grid->setRowToolTip(0, QStringLiteral("given"));
        for (int column = 0; column < grid->columnCount(); ++column)
            QCOMPARE(grid->item(0, column)->toolTip(), QStringLiteral("given"));
        grid->resetRowToolTip(0);
        QCOMPARE(grid->item(0, 1)->toolTip(), channel.toString());
        grid->resetRowToolTip(-1);
    }

    void sortingByNumberSortsOnce() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        grid.header()->setSortIndicator(grid.columnIndex(Grid::NAME_COLUMN), Qt::DescendingOrder);
        QSignalSpy sorts(grid.model(), &QAbstractItemModel::layoutChanged);
        grid.sortByNumber();
        QCOMPARE(sorts.count(), 1);
        QCOMPARE(rowNames(grid).first(), QStringLiteral("TV one"));
        QCOMPARE(grid.header()->sortIndicatorSection(), grid.columnIndex(Grid::NUMBER_COLUMN));
        grid.beginInsert();
        grid.sortByNumber();
        QCOMPARE(sorts.count(), 2);
        grid.endInsert();
    }

    void astraHDPlaceholdersHiddenAndNotCounted() {
        ChannelList<AstraHDChannel> list;
        list.append(astraHD(QStringLiteral("RTL HD"), 1, 2));
        list.append(astraHD(QStringLiteral("SAT.1 HD"), 2, 2));
        for (quint16 number = 3; number <= 99; ++number)
            list.append(AstraHDChannel::placeholder(number));
        list.append(astraHD(QStringLiteral("ProSieben HD"), 150, 1));
        TestGrid grid(Grid::ASTRA_HD_LIST);
        uploadAll(list, grid);

        QCOMPARE(grid.addAstraHDRows, list.size());
        QCOMPARE(grid.addSatelliteRows, 0);
        QCOMPARE(grid.rowCount(), 100);
        QCOMPARE(grid.visibleCount(), 3);
        verifyRowModel(grid);
        const int placeholder = grid.rowOfChannel(list.channelAt(10));
        QVERIFY(placeholder >= 0);
        QCOMPARE(grid.rowHeight(placeholder), 0);
        QVERIFY(!grid.isRowVisible(placeholder));
        // The favourite range is editable by number, the channels above it are not.
        const int high = grid.rowOfChannel(list.channelAt(99));
        QVERIFY(!(flagsOf(grid, high, Grid::NUMBER_COLUMN) & Qt::ItemIsEditable));
        QVERIFY(flagsOf(grid, grid.rowOfChannel(list.channelAt(0)), Grid::NUMBER_COLUMN) &
                Qt::ItemIsEditable);

        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, false, false);
        QCOMPARE(grid.visibleCount(), 3);
        verifyRowModel(grid);
    }

    void rowsOutsideTheTableAreIgnored() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        Channel *channel = list.channelAt(0);
        QSignalSpy checked(&grid, &Grid::checkedNumberChanged);
        for (int row : {-1, grid.rowCount(), 1000}) {
            QVERIFY(!grid.checkBoxItem(row));
            QVERIFY(!grid.channelAt(row));
            QCOMPARE(grid.channelKindAt(row), -1);
            QVERIFY(!grid.isRowChecked(row));
            QVERIFY(!grid.isRowVisible(row));
            QVERIFY(!grid.isRowEnabled(row));
            grid.setRowChecked(row, true);
            grid.setRowVisible(row, false);
            grid.updateRowHeight(row);
            grid.updateName(channel, row);
            grid.updateNumber(channel, row);
            grid.updateFavIcon(channel, row);
            grid.updateLockIcon(channel, row);
            grid.setRowToolTip(row, QStringLiteral("tip"));
            grid.setCheckCell(true, channel, row);
            grid.setNumberCell(channel, true, row);
            grid.setNameCell(channel, true, row);
            grid.setFavCell(channel, row);
            grid.setLockCell(channel, row);
            grid.setFrequencyCell(channel, row, true);
            grid.setTextCell(Grid::NAME_COLUMN, QStringLiteral("x"), false, row);
            QVERIFY(!grid.setIntCell(Grid::NAME_COLUMN, 5, false, row));
            grid.on_cellClicked(row, 0);
        }
        QCOMPARE(checked.count(), 0);
        QCOMPARE(grid.checkedCount(), 0);
        QCOMPARE(grid.visibleCount(), list.size());
        QCOMPARE(grid.rowCount(), list.size());

        grid.selectRowOrClear(3);
        QCOMPARE(grid.currentVisibleRow(), 3);
        grid.selectRowOrClear(-1);
        QCOMPARE(grid.currentVisibleRow(), -1);
        grid.selectRowOrClear(grid.rowCount());
        QCOMPARE(grid.currentVisibleRow(), -1);
    }

    void absentColumnsAreNotWritten() {
        ChannelList<AirChannel> list = mixedAirList();
        auto *favourites = new FavGrid(nullptr, Grid::AIR_LIST, false, true);
        uploadAll(list, *favourites);
        Channel *channel = list.channelAt(4);
        const int row = favourites->rowOfChannel(channel);
        CheckBoxItem *check = favourites->checkBoxItem(row);
        QVERIFY(check);
        QVERIFY(!favourites->hasColumn(Grid::FAVOURITES_COLUMN));
        QCOMPARE(favourites->columnIndex(Grid::FAVOURITES_COLUMN), 0);

        favourites->setFavCell(channel, row);
        favourites->setLockCell(channel, row);
        favourites->setFrequencyCell(channel, row, false);
        favourites->setTextCell(Grid::SATELLITE_COLUMN, QStringLiteral("x"), false, row);
        QVERIFY(!favourites->setIntCell(Grid::PROVIDER_COLUMN, 3, false, row));
        favourites->updateFavIcon(channel, row);
        favourites->updateLockIcon(channel, row);
        QCOMPARE(favourites->checkBoxItem(row), check);
        QCOMPARE(favourites->channelAt(row), channel);
        QVERIFY(favourites->item(row, 0)->data(Qt::DecorationRole).isNull());
        QCOMPARE(favourites->columnCount(), 3);
        delete favourites;
    }

    void namesAndUpdaters() {
        ChannelList<AirChannel> list;
        AirChannel &channel = list.append(air(QStringLiteral(" padded "), 1, 474.0f, 1, Channel::ANALOGUE));
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        QCOMPARE(cellText(grid, 0, Grid::NAME_COLUMN), QStringLiteral("padded"));
        grid.updateName(&channel, 0);
        QCOMPARE(cellText(grid, 0, Grid::NAME_COLUMN), QStringLiteral(" padded "));

        channel.setNumber(42);
        grid.updateNumber(&channel, 0);
        QCOMPARE(cellText(grid, 0, Grid::NUMBER_COLUMN), QStringLiteral("42"));
        QVERIFY(hasIcon(grid, 0, Grid::NUMBER_COLUMN));

        channel.setLocked(true);
        grid.updateLockIcon(&channel, 0);
        QVERIFY(hasIcon(grid, 0, Grid::LOCKED_COLUMN));
        channel.setLocked(false);
        grid.updateLockIcon(&channel, 0);
        QVERIFY(!hasIcon(grid, 0, Grid::LOCKED_COLUMN));

        channel.setFavouritePosition(2, 1);
        grid.updateFavIcon(&channel, 0);
        QVERIFY(hasIcon(grid, 0, Grid::FAVOURITES_COLUMN));
        channel.setFavouritePosition(2, -1);
        grid.updateFavIcon(&channel, 0);
        QVERIFY(!hasIcon(grid, 0, Grid::FAVOURITES_COLUMN));
        QVERIFY(grid.updatesEnabled());
    }

    void favouritesStrips() {
        QVERIFY(Grid::favIcon(0).availableSizes().isEmpty() || Grid::favIcon(0).isNull());
        // Lists 1 and 3: two labels of 30 by 20 pixels.
        const QIcon strip = Grid::favIcon(0b101);
        QCOMPARE(strip.availableSizes().value(0), QSize(60, 20));
        QCOMPARE(Grid::favIcon(31).availableSizes().value(0), QSize(150, 20));
        QCOMPARE(Grid::favIcon(16).availableSizes().value(0), QSize(30, 20));
        QVERIFY(Grid::favIcon(32).isNull());
        // The strip shows something: label pictures and numbers are drawn, not a blank pixmap.
        const QImage image = strip.pixmap(QSize(60, 20)).toImage();
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        QVERIFY(opaque > 40);
    }

    void statics() {
        QCOMPARE(Grid::tableFont().families().value(0), QStringLiteral("Gulim"));
        QCOMPARE(Grid::tableFont().pixelSize(), 12);
        QCOMPARE(Grid::titleOf(Grid::CHECK_COLUMN), QString());
        QCOMPARE(Grid::titleOf(Grid::NUMBER_COLUMN), QStringLiteral("Number"));
        QCOMPARE(Grid::titleOf(Grid::POSITION_COLUMN), QStringLiteral("Number"));
        QCOMPARE(Grid::titleOf(Grid::SYMBOL_RATE_COLUMN), QStringLiteral("Symbol Rate"));
        QVERIFY(!Grid::lockedIcon().isNull());
        QVERIFY(!Grid::analogueIcon().isNull());
        QVERIFY(Grid::emptyIcon().isNull());
        QCOMPARE(Grid::backgroundBrush().color(), QColor(QStringLiteral("#3b3c3d")));
        QCOMPARE(Grid::stripeBrush().color(), QColor(QStringLiteral("#3f4042")));
    }

    void columnWidthsFollowTitles() {
        ChannelList<SatelliteChannel> list;
        list.append(satellite(QStringLiteral("Das Erste"), 1, 1));
        TestGrid grid(Grid::SATELLITE_LIST);
        grid.resize(2000, 400);
        uploadAll(list, grid);
        const QFontMetrics metrics = Grid::tableFontMetrics();
        QCOMPARE(grid.columnWidth(0), Grid::CHECK_COLUMN_WIDTH);
        QCOMPARE(grid.header()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(grid.header()->sectionMinimumSize(0), 0);
        for (int column = 1; column < grid.columnCount() - 1; ++column) {
            const int expected = metrics.horizontalAdvance(grid.columnTitle(column)) + Grid::TITLE_MARGIN;
            QCOMPARE(grid.columnWidth(column), expected);
            QCOMPARE(grid.header()->sectionMinimumSize(column), expected);
            QCOMPARE(grid.header()->sectionResizeMode(column), QHeaderView::Interactive);
        }
        QVERIFY(grid.header()->stretchLastSection());
    }

    void filtersAndVisibleCounts() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        QSignalSpy finished(&grid, &Grid::filterFinished);

        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 5); // the deleted channel is hidden by every filter
        QVERIFY(!grid.isRowVisible(grid.rowOfChannel(list.channelAt(3))));
        verifyRowModel(grid);

        grid.filter(Channel::CATEGORY_TV, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 2);
        QCOMPARE(grid.typeMask(), int(Channel::CATEGORY_TV));
        verifyRowModel(grid);

        grid.filter(Channel::CATEGORY_RADIO, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 2);
        grid.filter(Channel::CATEGORY_DATA, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 1);

        // Favourites list 2: a member without a position counts as a member.
        grid.filter(Grid::ALL_CATEGORIES, 2, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 2);
        QCOMPARE(grid.favNo(), 2);
        grid.filter(Channel::CATEGORY_RADIO, 2, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 1);
        verifyRowModel(grid);

        // Air channels pass any satellite condition.
        grid.filter(Grid::ALL_CATEGORIES, 0, ASTRA, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 5);

        // refilter repeats the stored mask and list without a satellite.
        grid.filter(Channel::CATEGORY_TV, 2, -1, Grid::CLEAR_CURRENT, true, false);
        list[0].setFavouritePosition(2, 3);
        grid.refilter(Grid::KEEP_CURRENT, false, false);
        QCOMPARE(grid.visibleCount(), 2);
        QCOMPARE(finished.count(), 9);
    }

    void satelliteFilter() {
        ChannelList<SatelliteChannel> list;
        list.append(satellite(QStringLiteral("A1"), 1, 1));
        list.append(satellite(QStringLiteral("A2"), 2, 2));
        list.append(satellite(QStringLiteral("H1"), 3, 3));
        TestGrid grid(Grid::SATELLITE_LIST);
        uploadAll(list, grid);
        grid.filter(Grid::ALL_CATEGORIES, 0, ASTRA, Grid::SELECT_FIRST_SHOWN, true, false);
        QCOMPARE(grid.visibleCount(), 2);
        QCOMPARE(rowNames(grid).at(grid.currentVisibleRow()), QStringLiteral("A1"));
        grid.filter(Grid::ALL_CATEGORIES, 0, HOTBIRD, Grid::SELECT_FIRST_SHOWN, true, false);
        QCOMPARE(grid.visibleCount(), 1);
        QCOMPARE(grid.currentChannel(), list.channelAt(2));
        grid.filter(Grid::ALL_CATEGORIES, 0, 0x1234, Grid::SELECT_FIRST_SHOWN, true, false);
        QCOMPARE(grid.visibleCount(), 0);
        QCOMPARE(grid.currentVisibleRow(), -1);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::KEEP_CURRENT, true, false);
        QCOMPARE(grid.visibleCount(), 3);
        verifyRowModel(grid);
    }

    void filteringAnEmptyTable() {
        TestGrid grid(Grid::AIR_LIST);
        ChannelList<AirChannel> empty;
        uploadAll(empty, grid);
        QSignalSpy finished(&grid, &Grid::filterFinished);
        QSignalSpy current(&grid, &Grid::currentChannelChanged);
        for (int mode = 0; mode <= 3; ++mode)
            grid.filter(Grid::ALL_CATEGORIES, 0, -1, mode, true, true);
        QCOMPARE(finished.count(), 4);
        QCOMPARE(current.count(), 0);
        QCOMPARE(grid.visibleCount(), 0);
    }

    void filterKeepsOrSetsCheckMarks() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, true, false);
        const int tv = grid.rowOfChannel(list.channelAt(0));
        const int radio = grid.rowOfChannel(list.channelAt(1));
        grid.setRowChecked(tv, true);
        grid.setRowChecked(radio, true);

        // Neither option: the TV row stays shown and checked, the radio row is hidden and loses its mark.
        grid.filter(Channel::CATEGORY_TV, 0, -1, Grid::CLEAR_CURRENT, false, false);
        QVERIFY(grid.isRowChecked(tv));
        QVERIFY(!grid.isRowChecked(radio));
        QCOMPARE(grid.checkedCount(), 1);

        // checkShown: rows shown anew are checked, also a disabled one; rows shown before keep their state.
        grid.checkBoxItem(radio)->setFlags(grid.checkBoxItem(radio)->flags() & ~Qt::ItemIsEnabled);
        grid.setRowChecked(tv, false);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::SELECT_FIRST_NEWLY_SHOWN, false, true);
        QVERIFY(!grid.isRowChecked(tv));
        QVERIFY(grid.isRowChecked(radio));
        QCOMPARE(grid.checkedCount(), 3);
        QCOMPARE(grid.checkableCount(), 4);
        const int firstNew = grid.currentVisibleRow();
        QVERIFY(firstNew != -1);
        QVERIFY(firstNew != tv);

        // uncheckAll clears everything; with no row shown anew, select mode 3 clears the current row.
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::SELECT_FIRST_NEWLY_SHOWN, true, false);
        QCOMPARE(grid.checkedCount(), 0);
        QCOMPARE(grid.currentVisibleRow(), -1);
    }

    void selectModes() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::SELECT_FIRST_SHOWN, true, false);
        QCOMPARE(grid.currentVisibleRow(), 0);

        const int radio = grid.rowOfChannel(list.channelAt(1));
        grid.selectRowOrClear(radio);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::KEEP_CURRENT, true, false);
        QCOMPARE(grid.currentVisibleRow(), radio);
        grid.filter(Channel::CATEGORY_RADIO, 0, -1, Grid::KEEP_CURRENT, true, false);
        QCOMPARE(grid.currentVisibleRow(), radio);
        grid.filter(Channel::CATEGORY_TV, 0, -1, Grid::KEEP_CURRENT, true, false);
        QCOMPARE(grid.currentVisibleRow(), -1);

        // A current row that is disabled is not kept either.
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::KEEP_CURRENT, true, false);
        grid.selectRowOrClear(radio);
        grid.checkBoxItem(radio)->setFlags(grid.checkBoxItem(radio)->flags() & ~Qt::ItemIsEnabled);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::KEEP_CURRENT, true, false);
        QCOMPARE(grid.currentVisibleRow(), -1);

        grid.selectRowOrClear(0);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, 99, true, false);
        QCOMPARE(grid.currentVisibleRow(), 0);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.currentVisibleRow(), -1);
    }

    void currentRowAndSelectionState() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        QSignalSpy state(&grid, &Grid::selectionStateChanged);
        QSignalSpy current(&grid, &Grid::currentChannelChanged);

        QCOMPARE(grid.selectionKind(), int(Grid::NOTHING_SELECTED));
        grid.selectRowOrClear(2);
        QCOMPARE(grid.currentVisibleRow(), 2);
        QCOMPARE(grid.currentChannel(), grid.channelAt(2));
        QCOMPARE(grid.selectionKind(), int(Grid::CURRENT_ROW));
        QVERIFY(grid.hasSelection());
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.last().at(0).toBool(), true);
        QCOMPARE(current.last().at(0).toInt(), 2);

        // Clearing keeps the toolkit's current index but no longer treats it as current.
        grid.clearCurrent();
        QVERIFY(grid.isDeselected());
        QCOMPARE(grid.currentRow(), 2);
        QCOMPARE(grid.currentVisibleRow(), -1);
        QCOMPARE(state.last().at(0).toBool(), false);
        QCOMPARE(current.last().at(0).toInt(), -1);
        grid.reselectCurrent();
        QCOMPARE(grid.currentVisibleRow(), -1);

        // Hiding the current row leaves no current row.
        grid.selectRowOrClear(2);
        QVERIFY(!grid.isDeselected());
        grid.setRowVisible(2, false);
        QCOMPARE(grid.currentVisibleRow(), -1);
        QCOMPARE(grid.selectionKind(), int(Grid::NOTHING_SELECTED));

        grid.setRowChecked(0, true);
        QCOMPARE(grid.selectionKind(), int(Grid::CHECKED_ROWS));
        QCOMPARE(grid.firstCheckedVisibleRow(), 0);

        grid.clearCurrent();
        grid.selectFirstVisible();
        QCOMPARE(grid.currentVisibleRow(), 0);
    }

    void checkMarksCountersAndSignals() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.checkableCount(), 5);
        QSignalSpy state(&grid, &Grid::selectionStateChanged);
        QSignalSpy number(&grid, &Grid::checkedNumberChanged);
        QSignalSpy checked(&grid, &Grid::channelChecked);
        QSignalSpy unchecked(&grid, &Grid::channelUnchecked);

        grid.setRowChecked(0, true);
        grid.setRowChecked(0, true); // no change, no signal
        grid.setRowChecked(1, true);
        QCOMPARE(grid.checkedCount(), 2);
        QCOMPARE(state.count(), 1); // only when the count rose from 0 to 1
        QCOMPARE(number.count(), 2);
        QCOMPARE(number.last().at(0).toInt(), 2);
        QCOMPARE(checked.count(), 2);
        grid.updateHeaderCheckState();
        QCOMPARE(grid.header()->checkState(), 1);
        QVERIFY(grid.header()->styleSheet().contains(QStringLiteral("checkbox/partiallySelected")));

        grid.setRowChecked(1, false);
        grid.setRowChecked(0, false);
        QCOMPARE(state.count(), 1); // unchecking the last row emits none
        QCOMPARE(unchecked.count(), 2);
        grid.updateHeaderCheckState();
        QCOMPARE(grid.header()->checkState(), 0);

        QCOMPARE(grid.toggleAll(), 2);
        QCOMPARE(grid.checkedCount(), 5);
        QCOMPARE(grid.header()->checkState(), 2);
        QVERIFY(grid.header()->styleSheet().contains(QStringLiteral("checkbox/selected")));
        QCOMPARE(grid.toggleAll(), 0);
        QCOMPARE(grid.checkedCount(), 0);
        QCOMPARE(grid.header()->checkState(), 0);
        QVERIFY(grid.header()->styleSheet().contains(QStringLiteral("checkbox/unselected")));

        // Select all never checks a disabled or hidden row.
        grid.checkBoxItem(2)->setFlags(grid.checkBoxItem(2)->flags() & ~Qt::ItemIsEnabled);
        grid.selectAll();
        QVERIFY(!grid.isRowChecked(2));
        QCOMPARE(grid.checkedCount(), 4);
        grid.deselectAll(true);
        QCOMPARE(grid.checkedCount(), 0);

        // With no checkable row, toggling gives 0 and still prompts a refresh.
        grid.filter(Grid::ALL_CATEGORIES, 0, 0, Grid::CLEAR_CURRENT, true, false);
        grid.filter(0, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid.checkableCount(), 0);
        state.clear();
        QCOMPARE(grid.toggleAll(), 0);
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.last().at(0).toBool(), true);
    }

    void clicksInTheCheckColumn() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        grid.resize(800, 400);
        uploadAll(list, grid);
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, true, false);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const QPoint checkCell = grid.visualRect(grid.model()->index(1, 0)).center();
        const QPoint nameCell = grid.visualRect(grid.model()->index(1, 2)).center();

        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, checkCell);
        QVERIFY(grid.isRowChecked(1));
        QCOMPARE(grid.header()->checkState(), 1);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, nameCell);
        QVERIFY(grid.isRowChecked(1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, checkCell);
        QVERIFY(!grid.isRowChecked(1));

        // A right press marks the next click as a right-button one: nothing toggles.
        QTest::mousePress(grid.viewport(), Qt::RightButton, {}, checkCell);
        QVERIFY(grid.rightButtonPressed());
        grid.on_cellClicked(1, 0);
        QVERIFY(!grid.isRowChecked(1));
        QTest::mouseRelease(grid.viewport(), Qt::RightButton, {}, checkCell);

        // A disabled row cannot be checked by a click.
        grid.checkBoxItem(1)->setFlags(grid.checkBoxItem(1)->flags() & ~Qt::ItemIsEnabled);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, checkCell);
        QVERIFY(!grid.isRowChecked(1));
    }

    void rowLookups() {
        ChannelList<AirChannel> list;
        list.append(air(QStringLiteral("a"), 5, 474.0f));
        list.append(air(QStringLiteral("b"), 5, 482.0f));
        AirChannel &deleted = list.append(air(QStringLiteral("c"), 5, 490.0f));
        deleted.setDeleted(true);
        list.append(air(QStringLiteral("d"), 5, 498.0f, 1, Channel::ANALOGUE));
        TestGrid grid(Grid::AIR_LIST);
        uploadAll(list, grid);
        // Several rows with number 5: the one with the highest row index that is not deleted.
        const int row = grid.rowOfNumber(5, false);
        QVERIFY(row >= 0);
        QVERIFY(!grid.channelAt(row)->isDeleted());
        for (int other = row + 1; other < grid.rowCount(); ++other) {
            const Channel *channel = grid.channelAt(other);
            QVERIFY(channel->isDeleted() || channel->kind() != Channel::DIGITAL);
        }
        QCOMPARE(grid.channelAt(grid.rowOfNumber(5, true))->name(), QStringLiteral("d"));
        QCOMPARE(grid.rowOfNumber(6, false), -1);
        QCOMPARE(grid.rowOfChannel(nullptr), -1);
        QCOMPARE(grid.channelKindAt(grid.firstVisibleRowOfKind(Channel::ANALOGUE)), int(Channel::ANALOGUE));
        QCOMPARE(grid.firstVisibleRowOfKind(Channel::DIGITAL), 0);
        QVERIFY(grid.lastVisibleRowOfKind(Channel::DIGITAL) >= 1);
        QCOMPARE(grid.firstCheckedVisibleRow(), -1);
    }

    void rowLookupsFollowSorting() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        TestGrid other(Grid::AIR_LIST);
        uploadAll(list, grid);
        uploadAll(list, other);
        const auto verifyItems = [&grid] {
            for (int row = 0; row < grid.rowCount(); ++row)
                QCOMPARE(grid.rowOfItem(grid.checkBoxItem(row)), row);
        };
        const auto verifyChannels = [&grid] {
            for (int row = 0; row < grid.rowCount(); ++row)
                QCOMPARE(grid.rowOfChannel(grid.channelAt(row)), row);
        };
        verifyItems();
        verifyChannels();
        // Sorting moves the rows after they were looked up: no look-up may answer a row it had before.
        grid.header()->setSortIndicator(grid.columnIndex(Grid::NAME_COLUMN), Qt::DescendingOrder);
        QVERIFY(rowNames(grid) != rowNames(other));
        verifyItems();
        verifyChannels();
        grid.header()->setSortIndicator(grid.columnIndex(Grid::NAME_COLUMN), Qt::AscendingOrder);
        verifyChannels();
        verifyItems();
        QCOMPARE(grid.rowOfItem(other.checkBoxItem(0)), -1);
        QCOMPARE(grid.rowOfItem(nullptr), -1);
    }

    void insertBracketsNest() {
        TestGrid grid(Grid::AIR_LIST);
        QVERIFY(!grid.isSortingEnabled());
        grid.beginInsert();
        grid.beginInsert();
        grid.endInsert();
        QVERIFY(grid.isInserting());
        QVERIFY(!grid.isSortingEnabled());
        grid.endInsert();
        QVERIFY(!grid.isInserting());
        QVERIFY(grid.isSortingEnabled());
        // An unmatched end leaves the bracket closed rather than unbalanced.
        grid.endInsert();
        grid.beginInsert();
        QVERIFY(!grid.isSortingEnabled());
        grid.endInsert();
        QVERIFY(grid.isSortingEnabled());
    }

    void fillingInOneGo() {
        ChannelList<AirChannel> list = mixedAirList();
        TestGrid grid(Grid::AIR_LIST);
        grid.setChannels(list);
        QCOMPARE(grid.rowCount(), list.size());
        QCOMPARE(grid.visibleCount(), list.size());
        QCOMPARE(grid.addAirRows, list.size());
        QCOMPARE(cellText(grid, 0, Grid::NUMBER_COLUMN), QStringLiteral("1"));
        QVERIFY(grid.isSortingEnabled());
    }
};

QTEST_MAIN(TstGrid)
#include "tst_grid.moc"
