#include "dialogs/aboutdialog.h"
#include "dialogs/progressdialog.h"
#include "dialogs/welcomescreen.h"
#include "support/modalhelper.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {
QVariant storedSetting(const QString &version) {
    QSettings settings;
    settings.beginGroup(version);
    return settings.value(QStringLiteral("welcomescreen/show"));
}
} // namespace

class TestStartupDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QCoreApplication::setOrganizationName(QStringLiteral("Quorlin Electronics Co. Ltd."));
        QCoreApplication::setApplicationName(QStringLiteral("Tunelane"));
    }
    void init() {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.08"));
        QSettings().clear();
    }

    void aboutBoxNamesProgramAndVersion() {
        AboutDialog dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About program"));
        QVERIFY(!dialog.buttonBox());
        auto *text = dialog.findChild<QLabel *>(QStringLiteral("aboutText"));
        QVERIFY(text);
        const QStringList lines = text->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Quorlin Tunelane v1.08"));
        QVERIFY(lines[1].contains(QStringLiteral("Quorlin Electronics Co. Ltd.")));
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("aboutIcon"))->pixmap().isNull());
        QCOMPARE(dialog.size(), QSize(365, 180));
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void aboutBoxKeepsTheDialogsWidthWhenShown() {
        AboutDialog dialog(nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The rights notice wraps instead of widening the box.
        QCOMPARE(dialog.width(), 365);
        QVERIFY(dialog.minimumSizeHint().width() <= 365);
    }

    void firstStartShowsTheWelcomeScreenUnticked() {
        QVERIFY(WelcomeScreen::showOnStartup());
        WelcomeScreen screen(nullptr);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Tunelane"));
        auto *box = screen.findChild<QCheckBox *>(QStringLiteral("showAgain"));
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Don't show again on startup"));
        QVERIFY(!box->isChecked());
        // Showing the stored state writes nothing.
        QVERIFY(!storedSetting(QStringLiteral("1.08")).isValid());
    }

    void tickingWritesAtOnceAndIsReadBack() {
        {
            WelcomeScreen screen(nullptr);
            auto *box = screen.findChild<QCheckBox *>(QStringLiteral("showAgain"));
            box->setChecked(true);
            QCOMPARE(storedSetting(QStringLiteral("1.08")), QVariant(false));
            QVERIFY(!WelcomeScreen::showOnStartup());
        }
        {
            WelcomeScreen screen(nullptr);
            auto *box = screen.findChild<QCheckBox *>(QStringLiteral("showAgain"));
            QVERIFY(box->isChecked());
            box->setChecked(false);
            QCOMPARE(storedSetting(QStringLiteral("1.08")), QVariant(true));
            QVERIFY(WelcomeScreen::showOnStartup());
        }
    }

    void eachVersionKeepsItsOwnSetting() {
        {
            WelcomeScreen screen(nullptr);
            screen.findChild<QCheckBox *>(QStringLiteral("showAgain"))->setChecked(true);
        }
        QCoreApplication::setApplicationVersion(QStringLiteral("1.09"));
        QVERIFY(WelcomeScreen::showOnStartup());
        WelcomeScreen screen(nullptr);
        QVERIFY(!screen.findChild<QCheckBox *>(QStringLiteral("showAgain"))->isChecked());
        QCOMPARE(storedSetting(QStringLiteral("1.08")), QVariant(false));
    }

    void openFileClosesFirstThenAsksToOpen() {
        WelcomeScreen screen(nullptr);
        auto *open = screen.findChild<QPushButton *>(QStringLiteral("openFileButton"));
        QVERIFY(open);
        QCOMPARE(open->text(), QStringLiteral("Open File"));
        int requests = 0;
        bool visibleWhenAsked = true;
        bool checkedArgument = false;
        connect(&screen, &WelcomeScreen::openFileRequested, this, [&](bool checked) {
            ++requests;
            visibleWhenAsked = screen.isVisible();
            checkedArgument = checked;
        });
        onNextModal([open](QWidget *) { open->click(); });
        const int result = screen.exec();
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(requests, 1);
        QVERIFY(!visibleWhenAsked);
        QVERIFY(checkedArgument);
    }

    void progressDialogStartsAtMinimumWithoutText() {
        ProgressDialog dialog(QStringLiteral("Open: list.rvl"), QStringLiteral("Opening File"), 0, 100,
                              nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open: list.rvl"));
        QCOMPARE(dialog.size(), QSize(440, 186));
        auto *bar = dialog.findChild<QProgressBar *>(QStringLiteral("progressBar"));
        QVERIFY(bar);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->value(), 0);
        QVERIFY(!bar->isTextVisible());
        dialog.setValue(40);
        QCOMPARE(bar->value(), 40);
        QVERIFY(!dialog.wasCanceled());
    }

    void progressBarSpansTheContents() {
        ProgressDialog dialog(QStringLiteral("Open: list.rvl"), QStringLiteral("Opening File"), 0, 100,
                              nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *bar = dialog.findChild<QProgressBar *>(QStringLiteral("progressBar"));
        // The contents keep a 12-pixel margin on either side; the bar takes the rest.
        QCOMPARE(bar->width(), bar->parentWidget()->contentsRect().width() - 24);
    }

    void progressDialogOnlyRaisesTheCancelFlag() {
        ProgressDialog dialog(QStringLiteral("Merge: a.ulmx"), QStringLiteral("Merging file"), 0, 100,
                              nullptr);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        dialog.buttonBox()->button(QDialogButtonBox::Cancel)->click();
        QVERIFY(dialog.wasCanceled());
        QVERIFY(dialog.isVisible());

        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.close()); // the title bar's close button calls close()
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.wasCanceled());
        dialog.setValue(100);
        QVERIFY(dialog.wasCanceled());
    }
};

QTEST_MAIN(TestStartupDialogs)
#include "tst_startupdialogs.moc"
