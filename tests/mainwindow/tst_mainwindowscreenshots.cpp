// Renders the main window with a document made in memory, as a person would see it: each list, the satellite
// list with one satellite chosen, the favourites page, the window without a document, the welcome screen and
// the About box. Checks that each picture shows something; with TUNELANE_SCREENSHOT_DIR set, the pictures are
// kept there.
#include "dialogs/aboutdialog.h"
#include "dialogs/welcomescreen.h"
#include "mainwindow/mainwindow.h"
#include "sampledocument.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

class TestMainWindowScreenshots : public QObject {
    Q_OBJECT

    QString target;

    void shoot(QWidget *widget, const QString &name) {
        QApplication::processEvents();
        const QImage image = widget->grab().toImage();
        QVERIFY(image.width() >= 150 && image.height() >= 150);
        // Opaque pixels of more than a few colours: drawn skins, texts and pictures, not an empty window.
        QSet<QRgb> colours;
        int opaque = 0;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) > 200) {
                    ++opaque;
                    colours.insert(pixel);
                }
            }
        }
        QVERIFY2(opaque > 1000 && colours.size() > 20, qPrintable(name));
        if (!target.isEmpty())
            QVERIFY(image.save(
                QDir(target).filePath(QStringLiteral("mainwindow-") + name + QStringLiteral(".png"))));
    }

private slots:
    void initTestCase() {
        QCoreApplication::setOrganizationName(QStringLiteral("Quorlin Electronics Co. Ltd."));
        QCoreApplication::setApplicationName(QStringLiteral("Tunelane"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.08"));
        QSettings settings;
        settings.setValue(QStringLiteral("1.08/welcomescreen/show"), false);
        target = qEnvironmentVariable("TUNELANE_SCREENSHOT_DIR");
        if (!target.isEmpty())
            QVERIFY(QDir().mkpath(target));
    }

    void everyView() {
        MainWindow window;
        window.resize(1180, 720);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        shoot(&window, QStringLiteral("empty"));

        window.showDocument(SampleDocument::create(), QStringLiteral("/home/user/Quorlin/channel_list.rvl"));
        shoot(&window, QStringLiteral("air"));
        window.cableButton->click();
        shoot(&window, QStringLiteral("cable"));
        window.satButton->click();
        window.radioButton->click();
        window.tvButton->click();
        QListWidgetItem *astra = window.satListTv->item(0);
        QVERIFY(astra);
        window.satListTv->setCurrentItem(astra);
        emit window.satListTv->itemClicked(astra);
        shoot(&window, QStringLiteral("satellite"));
        window.astraHDButton->click();
        shoot(&window, QStringLiteral("astrahd"));
        window.airButton->click();
        MainGrid *air = window.mainGridOf(0);
        air->setCurrentCell(0, 0);
        air->setCurrentCell(0, 1);
        window.menuEdit->popup(window.mapToGlobal(QPoint(60, 50)));
        QVERIFY(QTest::qWaitForWindowExposed(window.menuEdit));
        shoot(window.menuEdit, QStringLiteral("editmenu"));
        window.menuEdit->hide();
        window.myChannelsButton->click();
        shoot(&window, QStringLiteral("favourites"));
        window.showDocument(SampleDocument::create(), QStringLiteral("/home/user/") +
                                                          QString(200, QLatin1Char('q')) +
                                                          QStringLiteral(".rvl"));
        shoot(&window, QStringLiteral("longname"));

        WelcomeScreen welcome(&window);
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        shoot(&welcome, QStringLiteral("welcome"));
        welcome.hide();
        AboutDialog about(&window);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        shoot(&about, QStringLiteral("about"));
        about.hide();
    }
};

QTEST_MAIN(TestMainWindowScreenshots)
#include "tst_mainwindowscreenshots.moc"
