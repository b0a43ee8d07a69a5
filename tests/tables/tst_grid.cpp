#include "testdocument.h"
#include "testgrid.h"

#include "core/channellist.h"
#include "tables/checkboxitem.h"
#include "tables/chlistuploader.h"
#include "tables/headerview.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace TestDocument;

class TstGrid : public QObject {
    Q_OBJECT

private:
    template <typename T> void upload(ChannelList<T> &list, Grid &grid) {
        ChListUploader<T> uploader(&list, &grid);
        uploader.begin();
        while (uploader.uploadNext()) {
        }
        uploader.finish();
    }
    QString text(const Grid &grid, int row, int id) {
        const QTableWidgetItem *cell = grid.item(row, grid.columnIndex(id));
        return cell ? cell->text() : QString();
    }

private slots:
    void initTestCase() {
        Grid::initStatics(nullptr);
        makeDatabase();
    }

    void satelliteTableShowsOneRowPerChannel() {
        ChannelList<SatelliteChannel> list;
        list.append(satellite(QStringLiteral("  Das Erste "), 2, 1));
        list.append(satellite(QStringLiteral("ZDF"), 1, 3));
        TestGrid grid(Grid::SATELLITE_LIST);
        upload(list, grid);
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.visibleCount(), 2);
        QCOMPARE(grid.columnCount(), 12);
        // Sorted by number after the load.
        QCOMPARE(text(grid, 0, Grid::NAME_COLUMN), QStringLiteral("ZDF"));
        QCOMPARE(text(grid, 1, Grid::NAME_COLUMN), QStringLiteral("Das Erste"));
        QCOMPARE(text(grid, 1, Grid::FREQUENCY_COLUMN), QStringLiteral("11493.75 MHz"));
        QCOMPARE(text(grid, 1, Grid::SYMBOL_RATE_COLUMN), QStringLiteral("22000 kS/s"));
        QCOMPARE(text(grid, 0, Grid::FEC_COLUMN), QString());
        QCOMPARE(grid.channelAt(1), list.channelAt(0));
    }
};

QTEST_MAIN(TstGrid)
#include "tst_grid.moc"
