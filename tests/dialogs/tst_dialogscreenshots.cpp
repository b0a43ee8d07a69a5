// Renders every dialog of this folder with the application style sheet and checks that it draws something
// of a sensible size. With TUNELANE_SCREENSHOT_DIR set, the pictures are kept there for a person to look at.
#include "dialogs/aboutdialog.h"
#include "dialogs/configuredialog.h"
#include "dialogs/deletedialog.h"
#include "dialogs/movedialog.h"
#include "dialogs/openfiledialog.h"
#include "dialogs/progressdialog.h"
#include "dialogs/renumberdialog.h"
#include "dialogs/savefiledialog.h"
#include "dialogs/welcomescreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TestDialogScreenshots : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString target;

    void shoot(QWidget *dialog, const QString &name) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QApplication::processEvents();
        const QImage image = dialog->grab().toImage();
        QVERIFY(image.width() >= 200 && image.height() >= 100);
        // Something opaque was drawn: the skins and texts, not a blank translucent window.
        int opaque = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                opaque += qAlpha(image.pixel(x, y)) > 200;
        QVERIFY2(opaque > 100, qPrintable(name));
        if (!target.isEmpty())
            QVERIFY(image.save(QDir(target).filePath(name + QStringLiteral(".png"))));
        dialog->hide();
    }

private slots:
    void initTestCase() {
        QCoreApplication::setOrganizationName(QStringLiteral("Quorlin Electronics Co. Ltd."));
        QCoreApplication::setApplicationName(QStringLiteral("Tunelane"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.08"));
        QFile sheet(QStringLiteral(":/styles/styles"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
        target = qEnvironmentVariable("TUNELANE_SCREENSHOT_DIR");
        if (!target.isEmpty())
            QVERIFY(QDir().mkpath(target));
        QVERIFY(folder.isValid());
        for (const char *name : {"Astra 19.2E.rvl", "Kabel.rvl", "export.ulmx"}) {
            QFile file(folder.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    void configureDialog() {
        ConfigureDialog dialog(nullptr);
        const char *titles[] = {"Number", "Name", "Type", "Locked", "Frequency", "Modulation", "Symbol Rate"};
        for (int i = 0; i < 7; ++i)
            dialog.addColumn(QLatin1String(titles[i]), i, i != 5);
        dialog.findChild<QTableWidget *>(QStringLiteral("customtable"))->selectRow(2);
        shoot(&dialog, QStringLiteral("dialogs-configure"));
    }

    void deleteDialogs() {
        DeleteDialog one(QStringLiteral("Das Erste HD"), nullptr);
        shoot(&one, QStringLiteral("dialogs-delete-one"));
        DeleteDialog many(12, nullptr);
        shoot(&many, QStringLiteral("dialogs-delete-many"));
        DeleteDialog longName(QStringLiteral("Universal-") + QString(190, QLatin1Char('W')), nullptr);
        shoot(&longName, QStringLiteral("dialogs-delete-longname"));
    }

    void renumberDialog() {
        RenumberDialog dialog(17, nullptr);
        shoot(&dialog, QStringLiteral("dialogs-renumber"));
    }

    void moveDialog() {
        MoveDialog dialog(1, 12, 9999, nullptr, QStringLiteral("Move Dialog"),
                          QStringLiteral("Move first channel to number:"));
        shoot(&dialog, QStringLiteral("dialogs-move"));
    }

    void aboutDialog() {
        AboutDialog dialog(nullptr);
        shoot(&dialog, QStringLiteral("dialogs-about"));
    }

    void welcomeScreen() {
        WelcomeScreen dialog(nullptr);
        shoot(&dialog, QStringLiteral("dialogs-welcome"));
    }

    void progressDialog() {
        ProgressDialog dialog(QStringLiteral("Open: Astra 19.2E.rvl"), QStringLiteral("Opening File"), 0, 100,
                              nullptr);
        dialog.setValue(40);
        shoot(&dialog, QStringLiteral("dialogs-progress"));
        ProgressDialog longName(QStringLiteral("Open: ") + QString(200, QLatin1Char('k')) +
                                    QStringLiteral(".rvl"),
                                QStringLiteral("Opening File"), 0, 100, nullptr);
        shoot(&longName, QStringLiteral("dialogs-progress-longname"));
    }

    void fileDialogs() {
        OpenFileDialog open(nullptr, QStringLiteral("Open File"), folder.path(), false);
        open.resize(700, 420);
        shoot(&open, QStringLiteral("dialogs-open"));
        OpenFileDialog merge(nullptr, QStringLiteral("Choose file to merge"), folder.path(), true);
        merge.resize(700, 420);
        shoot(&merge, QStringLiteral("dialogs-merge"));
        SaveFileDialog save(nullptr, QStringLiteral("Save As"), 4, folder.path());
        save.resize(700, 420);
        shoot(&save, QStringLiteral("dialogs-save"));
    }
};

QTEST_MAIN(TestDialogScreenshots)
#include "tst_dialogscreenshots.moc"
