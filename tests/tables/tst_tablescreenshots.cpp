// Renders a filled satellite table and a pair of favourites tables with the application style sheet and
// checks the painting rules a person would see: stripes over shown rows only, the favourites strips, the
// greyed-out members. With TUNELANE_SCREENSHOT_DIR set, the pictures are kept there for a person to look at.
#include "testdocument.h"
#include "testgrid.h"

#include "core/channellist.h"
#include "tables/chlistuploader.h"
#include "tables/favgrid.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QTest>

using namespace TestDocument;

class TstTableScreenshots : public QObject {
    Q_OBJECT

    QString target;
    ChannelList<SatelliteChannel> list;

    template <typename T> void upload(ChannelList<T> &channels, Grid &grid) {
        ChListUploader<T> uploader(&channels, &grid);
        uploader.begin();
        while (uploader.uploadNext()) {
        }
        uploader.finish();
    }

    QImage shoot(QWidget *widget, const QString &name) {
        widget->resize(980, 420);
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget))
            return QImage();
        QApplication::processEvents();
        const QImage image = widget->grab().toImage();
        if (!target.isEmpty())
            image.save(QDir(target).filePath(name + QStringLiteral(".png")));
        return image;
    }

private slots:
    void initTestCase() {
        QFile sheet(QStringLiteral(":/styles/styles"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
        Grid::initStatics(nullptr);
        makeDatabase();
        target = qEnvironmentVariable("TUNELANE_SCREENSHOT_DIR");
        if (!target.isEmpty())
            QVERIFY(QDir().mkpath(target));

        const char *names[] = {"Das Erste HD", "ZDF HD",       "arte HD",         "3sat HD",
                               "KiKA HD",      "phoenix HD",   "Deutschlandfunk", "SWR3",
                               "EPG data",     "tagesschau24", "ONE HD",          "ZDFneo HD"};
        const int types[] = {25, 25, 25, 25, 25, 25, 2, 2, 12, 1, 25, 25};
        for (int i = 0; i < 12; ++i) {
            SatelliteChannel &channel =
                list.append(satellite(QLatin1String(names[i]), quint16(i + 1), quint32(1 + i % 3), types[i]));
            if (i % 4 == 0)
                channel.setFavouritePosition(1, i / 4 + 1);
            if (i % 3 == 0)
                channel.setFavouritePosition(3, i / 3 + 1);
            if (i == 5)
                channel.setFavouritePosition(5, 1);
            channel.setLocked(i == 2 || i == 7);
        }
    }

    void satelliteTable() {
        TestGrid grid(Grid::SATELLITE_LIST);
        upload(list, grid);
        grid.setRowChecked(1, true);
        grid.setRowChecked(4, true);
        grid.updateRowHeights();
        grid.selectRowOrClear(3);
        const QImage image = shoot(&grid, QStringLiteral("tables-satellite"));
        QVERIFY(!image.isNull());

        // Row 0 is not a stripe, row 1 is: the stripe colour shows at the right end of the second row.
        const int x = image.width() - 30;
        const int header = grid.horizontalHeader()->height();
        QCOMPARE(image.pixelColor(x, header + 13), QColor(QStringLiteral("#3b3c3d")));
        QCOMPARE(image.pixelColor(x, header + 27 + 13), QColor(QStringLiteral("#3f4042")));

        // Hiding the second row does not leave a gap in the stripes: the third row takes its place.
        grid.filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, true, false);
        grid.setRowVisible(1, false);
        const QImage filtered = shoot(&grid, QStringLiteral("tables-satellite-filtered"));
        QCOMPARE(filtered.pixelColor(x, header + 27 + 13), QColor(QStringLiteral("#3f4042")));
        QCOMPARE(filtered.pixelColor(x, header + 2 * 27 + 13), QColor(QStringLiteral("#3b3c3d")));
    }

    void favouritesTables() {
        QWidget page;
        auto *left = new FavGrid(&page, Grid::SATELLITE_LIST, false, false);
        auto *right = new FavGrid(&page, Grid::SATELLITE_LIST, true, false);
        upload(list, *left);
        upload(list, *right);
        left->applyFilter(Grid::ALL_CATEGORIES, 1, -1, Grid::SELECT_FIRST_SHOWN, true, false);
        right->filter(Grid::ALL_CATEGORIES, 1, -1, Grid::CLEAR_CURRENT, true, false);
        left->setGeometry(0, 0, 480, 420);
        right->setGeometry(500, 0, 480, 420);
        const QImage image = shoot(&page, QStringLiteral("tables-favourites"));
        QVERIFY(!image.isNull());
        QCOMPARE(right->visibleCount(), 3);

        // The member in the first row is drawn with the disabled colours: no bright text, unlike the second.
        auto brightest = [&](int row) {
            const QRect cell = left->visualRect(left->model()->index(row, 2));
            const QPoint origin = left->viewport()->mapTo(&page, cell.topLeft());
            int best = 0;
            for (int y = origin.y() + 2; y < origin.y() + cell.height() - 2; ++y)
                for (int x = origin.x(); x < origin.x() + 80; ++x)
                    best = qMax(best, qGray(image.pixel(x, y)));
            return best;
        };
        QVERIFY(!left->isRowEnabled(0));
        QVERIFY(left->isRowEnabled(2));
        QVERIFY2(brightest(0) < 160, qPrintable(QString::number(brightest(0))));
        QVERIFY2(brightest(2) > 200, qPrintable(QString::number(brightest(2))));
    }
};

QTEST_MAIN(TstTableScreenshots)
#include "tst_tablescreenshots.moc"
