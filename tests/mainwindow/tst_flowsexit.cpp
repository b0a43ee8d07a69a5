// Leaving the program: closing the window ends the event loop normally (the process is not cut short), so the
// window and its members are destroyed and no working folder is left behind.
#include "mainwindow/mainwindow.h"
#include "sampledocument.h"
#include "support/flowsupport.h"

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace FlowSupport;

namespace {
class TestWindow : public MainWindow {
public:
    using MainWindow::mainGrids;
};
} // namespace

class TestFlowsExit : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        // The window reads its one setting in the group of the program's version.
        QCoreApplication::setApplicationVersion(QStringLiteral("1.08"));
        QSettings settings;
        settings.beginGroup(QStringLiteral("1.08"));
        settings.setValue(QStringLiteral("welcomescreen/show"), false);
    }

    void exitSavesEndsTheLoopAndLeavesNoWorkingFolder() {
        const QString file = folder.filePath(QStringLiteral("exit.rvl"));
        {
            std::unique_ptr<ChannelListProvider> document(SampleDocument::create());
            QVERIFY(writeList(*document, file, FF_RAW_2012_01));
        }
        QVERIFY(workingFolders().isEmpty());
        ModalScript script;
        {
            TestWindow window;
            window.show();
            QVERIFY(window.loadFile(file, false, QStringLiteral("*"), false));
            QCOMPARE(workingFolders().size(), 1);

            MainGrid *grid = window.mainGrids.value(0);
            grid->setRowChecked(0, true);
            const QString name = grid->channelAt(0)->name();
            script.press(QDialogButtonBox::Ok);
            window.on_deleteButton_clicked();
            QVERIFY(window.isModified());

            // Exit from the File menu, once the loop runs; Yes saves on the way out.
            script.press(QDialogButtonBox::Yes);
            QTimer::singleShot(0, window.actionExit, &QAction::trigger);
            // A loop that does not end would hang the test: give up after a while.
            QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(42); });
            QCOMPARE(QApplication::exec(), 0);
            QVERIFY(script.done());
            QCOMPARE(script.seen,
                     QStringList{QStringLiteral("exit.rvl - Tunelane|Do you want to save changes?")});
            QVERIFY(!window.isVisible());
            QVERIFY(workingFolders().isEmpty());

            ReadBack back(file, QStringLiteral("DEU"));
            QCOMPARE(back.code, int(RC_SUCCESS));
            QVERIFY(!channelNamed(back.document.airList(), name));
        }
        QVERIFY(workingFolders().isEmpty());
    }
};

QTEST_MAIN(TestFlowsExit)
#include "tst_flowsexit.moc"
