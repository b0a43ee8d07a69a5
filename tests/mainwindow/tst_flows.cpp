// The document flows through the real window, offscreen: open every format, edit, save and find the edits in
// the file; Save As across the model years and to the universal format; merge; every error box with the open
// document kept; cancel during a load; the save-changes question on open and on close.
#include "core/translations.h"
#include "mainwindow/mainwindow.h"
#include "sampledocument.h"
#include "support/flowsupport.h"
#include "tables/favgrid.h"
#include "widgets/combobox.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace FlowSupport;

namespace {

class TestWindow : public MainWindow {
public:
    using MainWindow::currentFile;
    using MainWindow::lastFilePath;
    using MainWindow::mainGrids;
    using MainWindow::mergedSinceSave;
    using MainWindow::modifiedLabel;
    using MainWindow::reopenSavedFile;
    using MainWindow::rightFavGrids;
    using MainWindow::undoStack;
};

int rowOfName(Grid *grid, const QString &name) {
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->channelAt(row) && grid->channelAt(row)->name() == name)
            return row;
    }
    return -1;
}

// Marks one air channel deleted through the window, as a user would: check its row, Delete, confirm.
void deleteAirChannel(TestWindow &window, ModalScript &script, const QString &name) {
    MainGrid *grid = window.mainGrids.value(0);
    QVERIFY(grid);
    const int row = rowOfName(grid, name);
    QVERIFY2(row >= 0, qPrintable(name));
    grid->setRowChecked(row, true);
    script.press(QDialogButtonBox::Ok);
    window.on_deleteButton_clicked();
    QVERIFY(script.done());
}

// The sample document with the given format code, changed by edit when given, written to the path.
void writeSample(const QString &path, int format, const QString &country = QStringLiteral("DEU"),
                 const std::function<void(ChannelListProvider &)> &edit = {}) {
    const int favouritesLists = format == FF_RAW_2010_01 ? 4 : format >= FF_RAW_2011_01 ? 5 : 0;
    std::unique_ptr<ChannelListProvider> document(SampleDocument::create(country, format, favouritesLists));
    if (edit)
        edit(*document);
    QVERIFY2(writeList(*document, path, format), qPrintable(path));
}

void openThroughDialog(TestWindow &window, ModalScript &script, const QString &path,
                       const QString &country = QStringLiteral("DEU")) {
    script.openFile(path, country);
    window.on_actionOpen(true);
    QVERIFY(script.done());
    script.seen.removeAll(QStringLiteral("dialog|Open File"));
}

QString modifiedText(TestWindow &window) {
    return window.modifiedLabel->text();
}

// A Save that drops what the file's format cannot keep (a name longer than a raw record holds) and whose
// read-back then fails: the temporary folder is a file, so no working folder can be made to read the written
// file. Both boxes are answered.
void saveWithFailingReadBack(TestWindow &window, ModalScript &script, const QString &notAFolder) {
    window.document()->airList()->channelAt(0)->setName(QString(70, QLatin1Char('x')));
    QFile blocker(notAFolder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray temp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(notAFolder));
    script.press(QDialogButtonBox::Yes);
    script.press(QDialogButtonBox::Ok);
    window.actionSave->trigger();
    qputenv("TMPDIR", temp);
    QVERIFY(script.done());
}

// The save warnings among the boxes the script saw: each ends by saying what No does.
int saveWarnings(const QStringList &seen) {
    return int(seen.filter(QStringLiteral("\n\nNo saves nothing: ")).size());
}

} // namespace

class TestFlows : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString path(const QString &name) const { return folder.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        // The save warning's sentences take their singular and plural forms from it, as in the program.
        QVERIFY(Translations::installEnglish());
        // The window reads its one setting in the group of the program's version.
        QCoreApplication::setApplicationVersion(QStringLiteral("1.08"));
        // The welcome screen would come up over every window shown.
        QSettings settings;
        settings.beginGroup(QStringLiteral("1.08"));
        settings.setValue(QStringLiteral("welcomescreen/show"), false);
    }

    void cleanup() { QTRY_VERIFY_WITH_TIMEOUT(workingFolders().size() <= 0, 2000); }

    void errorMessages_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("1") << 1 << "Unknown error.";
        QTest::newRow("2") << 2 << "File not found.\nPlease verify that the correct file name was given.";
        QTest::newRow("3") << 3 << "Can't open file.";
        QTest::newRow("4") << 4 << "Can't read file.";
        QTest::newRow("5") << 5 << "Can't write to file.";
        QTest::newRow("6") << 6 << "Access to file has been denied.";
        QTest::newRow("7") << 7 << "Invalid file format.";
        QTest::newRow("8") << 8 << "Invalid file contents (checksum verification failed).";
        QTest::newRow("9")
            << 9
            << "Merge impossible - not enough free user satellite slots. Please remove some user "
               "satellites before proceeding.";
        QTest::newRow("10") << 10 << "No service list found for specified country (*).";
        QTest::newRow("11") << 11
                            << "The Astra HD+ favourite range (1 to 99) holds more channels than it has "
                               "numbers.";
        QTest::newRow("12") << 12 << "The channel list is too long for this file format.";
        QTest::newRow("1000") << 1000 << "Invalid file contents (0).";
        QTest::newRow("1005") << 1005 << "Invalid file contents (5).";
        QTest::newRow("0") << 0 << "Unknown error.";
        QTest::newRow("13") << 13 << "Unknown error.";
        QTest::newRow("999") << 999 << "Unknown error.";
        QTest::newRow("-1") << -1 << "Unknown error.";
    }
    void errorMessages() {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(MainWindow::fileErrorMessage(code, QStringLiteral("*")), message);
        // The box names the file, never its folder.
        TestWindow window;
        ModalScript script;
        script.press(QDialogButtonBox::Ok);
        window.showFileError(QStringLiteral("File open error!"), QStringLiteral("/some/where/list.rvl"), code,
                             QStringLiteral("*"));
        QCOMPARE(script.seen, QStringList{QStringLiteral("File open error!|list.rvl: ") + message});
    }

    void progressFollowsTheRows() {
        QCOMPARE(MainWindow::rowProgress(10, 15), 37);
        QCOMPARE(MainWindow::rowProgress(20, 15), 55);
        QCOMPARE(MainWindow::rowProgress(30, 15), 73);
        QCOMPARE(MainWindow::rowProgress(40, 15), 91);

        // A document of 15 air channels: each of the three air tables adds 14 rows.
        SampleDocument::makeDatabase();
        ChannelListProvider fifteen(nullptr);
        fifteen.setCountry(QStringLiteral("AUT"));
        for (quint16 n = 1; n <= 15; ++n)
            fifteen.airList()->append(SampleDocument::air(QStringLiteral("Air %1").arg(n), n, 474.0f + n));
        const QString file = path(QStringLiteral("fifteen.ulmx"));
        QVERIFY(writeList(fifteen, file, FF_UNIVERSAL));

        TestWindow window;
        window.show();
        ModalScript script;
        ProgressRecorder progress;
        openThroughDialog(window, script, file, QStringLiteral("AUT"));
        QVERIFY(window.isFileLoaded());
        QCOMPARE(progress.title, QStringLiteral("Open: fifteen.ulmx"));
        QCOMPARE(progress.label, QStringLiteral("Opening File"));
        QCOMPARE(progress.values, QList<int>({5, 10, 15, 20, 37, 55, 73, 91, 100}));
        QCOMPARE(window.mainGrids.value(0)->rowCount(), 15);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void openEditSaveReopen_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        QTest::newRow("2010-01") << 3 << "list10.rvl"
                                 << "2010-01";
        QTest::newRow("2011-01") << 4 << "list11.rvl"
                                 << "2011-01";
        QTest::newRow("2012-01") << 5 << "list12.rvl"
                                 << "2012-01";
        QTest::newRow("universal") << 1 << "list.ulmx" << QString();
    }
    void openEditSaveReopen() {
        QFETCH(int, format);
        QFETCH(QString, name);
        QFETCH(QString, version);
        const QString file = path(name);
        writeSample(file, format);

        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, file);
        QVERIFY(window.isFileLoaded());
        QCOMPARE(window.windowTitle(), name + QStringLiteral(" - Tunelane"));
        QCOMPARE(window.currentFile, file);
        QCOMPARE(window.document()->formatCode(), format == 1 ? 0 : format);
        if (!version.isEmpty())
            QCOMPARE(window.document()->versionText(), version);
        QCOMPARE(window.mainGrids.value(0)->rowCount(), window.document()->airList()->size());
        QCOMPARE(workingFolders().size(), format == 1 ? 0 : 1);
        QCOMPARE(modifiedText(window), QString());

        deleteAirChannel(window, script, QStringLiteral("ZDF HD"));
        QVERIFY(window.isModified());
        QCOMPARE(modifiedText(window), QStringLiteral("| Modified"));

        window.actionSave->trigger();
        QVERIFY(script.seen.isEmpty());
        QVERIFY(!window.isModified());
        QCOMPARE(modifiedText(window), QString());

        ReadBack back(file, QStringLiteral("DEU"));
        QCOMPARE(back.code, int(RC_SUCCESS));
        QVERIFY(!channelNamed(back.document.airList(), QStringLiteral("ZDF HD")));
        QVERIFY(channelNamed(back.document.airList(), QStringLiteral("Das Erste HD")));
        QCOMPARE(liveNames(back.document.cableList()), liveNames(window.document()->cableList()));
        QCOMPARE(liveNames(back.document.satelliteList()), liveNames(window.document()->satelliteList()));
    }

    void saveAsAcrossFormats_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<bool>("ordered");
        QTest::newRow("2012-01 to 2010-01") << 5 << 3 << true << false;
        QTest::newRow("2012-01 to 2011-01") << 5 << 4 << true << false;
        QTest::newRow("2011-01 to 2012-01") << 4 << 5 << false << true;
        QTest::newRow("2010-01 to 2012-01") << 3 << 5 << false << true;
        QTest::newRow("2010-01 to 2011-01") << 3 << 4 << false << false;
        QTest::newRow("2011-01 to 2010-01") << 4 << 3 << true << false;
        QTest::newRow("2012-01 to universal") << 5 << 1 << true << false;
        QTest::newRow("2010-01 to universal") << 3 << 1 << true << false;
        QTest::newRow("universal to 2012-01") << 1 << 5 << false << true;
        QTest::newRow("universal to 2010-01") << 1 << 3 << true << false;
        // Nothing lost: the file holds what the window shows, so nothing is read back, as after a Save.
        QTest::newRow("2012-01 to 2012-01") << 5 << 5 << false << true;
        QTest::newRow("universal to universal") << 1 << 1 << false << false;
    }
    void saveAsAcrossFormats() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, warning);
        QFETCH(bool, ordered);
        const QString source = path(from == 1 ? QStringLiteral("from.ulmx") : QStringLiteral("from.rvl"));
        const QString target = path(to == 1 ? QStringLiteral("to.ulmx") : QStringLiteral("to.rvl"));
        QFile::remove(target);
        writeSample(source, from);

        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        QVERIFY(window.isFileLoaded());
        QStringList airNames = liveNames(window.document()->airList());
        airNames.sort();
        const ChannelListProvider *shown = window.document();

        script.saveFile(target, to);
        if (warning)
            script.press(QDialogButtonBox::Yes);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        QCOMPARE(script.seen.filter(QStringLiteral("UNEXPECTED")), QStringList());
        QCOMPARE(saveWarnings(script.seen), warning ? 1 : 0);
        QCOMPARE(window.currentFile, target);
        QCOMPARE(window.windowTitle(), QFileInfo(target).fileName() + QStringLiteral(" - Tunelane"));
        QVERIFY(!window.isModified());
        // The document is now in the format it was saved in; the tables keep an order within favourites lists
        // exactly for 2012-01.
        QCOMPARE(window.document()->formatCode(), to);
        QCOMPARE(window.rightFavGrids.value(0)->isOrdered(), ordered);
        QCOMPARE(workingFolders().size(), to == 1 ? 0 : 1);
        // The written file is read back as the document only when it may hold less than the window showed.
        QCOMPARE(window.document() == shown, from == to);

        ReadBack back(target, QStringLiteral("DEU"));
        QCOMPARE(back.code, int(RC_SUCCESS));
        QCOMPARE(back.document.formatCode(), to == 1 ? 0 : to);
        // The universal format keeps the channels of one multiplex together: compare as sets.
        QStringList backNames = liveNames(back.document.airList());
        backNames.sort();
        QCOMPARE(backNames, airNames);

        // A later Save (format kept) goes to the new file in the new format.
        deleteAirChannel(window, script, QStringLiteral("3sat HD"));
        window.actionSave->trigger();
        QVERIFY(!window.isModified());
        ReadBack again(target, QStringLiteral("DEU"));
        QCOMPARE(again.code, int(RC_SUCCESS));
        QCOMPARE(again.document.formatCode(), to == 1 ? 0 : to);
        QVERIFY(!channelNamed(again.document.airList(), QStringLiteral("3sat HD")));
    }

    void conversionToOrderedNumbersAfterTheHighestPosition() {
        SampleDocument::makeDatabase();
        ChannelListProvider document(nullptr);
        for (quint16 n = 1; n <= 5; ++n)
            document.airList()->append(SampleDocument::air(QStringLiteral("Air %1").arg(n), n, 474.0f + n));
        document.cableList()->append(SampleDocument::cable(QStringLiteral("Cable"), 1, 114.0f));
        auto *air = document.airList();
        air->channelAt(0)->setFavouritePosition(1, -2);
        air->channelAt(1)->setFavouritePosition(1, 4);
        air->channelAt(2)->setFavouritePosition(1, 1);
        air->channelAt(3)->setFavouritePosition(1, -2);
        air->channelAt(3)->setDeleted(true);
        air->channelAt(4)->setFavouritePosition(2, -2);
        document.cableList()->channelAt(0)->setFavouritePosition(1, -2);
        MainWindow::numberUnpositionedFavourites(&document);
        QCOMPARE(air->channelAt(0)->favouritePosition(1), 5);
        QCOMPARE(air->channelAt(1)->favouritePosition(1), 4);
        QCOMPARE(air->channelAt(2)->favouritePosition(1), 1);
        QCOMPARE(air->channelAt(3)->favouritePosition(1), 6);
        QCOMPARE(air->channelAt(4)->favouritePosition(1), -1);
        QCOMPARE(air->channelAt(4)->favouritePosition(2), 1);
        // Every list counts on its own.
        QCOMPARE(document.cableList()->channelAt(0)->favouritePosition(1), 1);
    }

    void saveAsToOrderedGivesPositionsInListOrder() {
        const QString source = path(QStringLiteral("eleven.rvl"));
        const QString target = path(QStringLiteral("twelve.rvl"));
        writeSample(source, FF_RAW_2011_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        // 2011-01 keeps membership only.
        auto *air = window.document()->airList();
        QCOMPARE(air->channelAt(0)->favouritePosition(1), -2);
        QCOMPARE(air->channelAt(1)->favouritePosition(1), -2);
        script.saveFile(target, FF_RAW_2012_01);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        // The document is now the written file, read back.
        air = window.document()->airList();
        QCOMPARE(air->channelAt(0)->favouritePosition(1), 1);
        QCOMPARE(air->channelAt(1)->favouritePosition(1), 2);
        QCOMPARE(air->channelAt(2)->favouritePosition(2), 1);
        ReadBack back(target, QStringLiteral("DEU"));
        QCOMPARE(back.document.airList()->channelAt(1)->favouritePosition(1), 2);
    }

    void laterDowngradeWarnsBeforeDroppingAList() {
        // 2010-01 -> 2011-01 -> 2010-01: the second Save As leaves a format that knows five lists.
        const QString source = path(QStringLiteral("ten.rvl"));
        writeSample(source, FF_RAW_2010_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        script.saveFile(path(QStringLiteral("up.rvl")), FF_RAW_2011_01);
        window.on_actionSaveAs();
        QCOMPARE(window.document()->formatCode(), int(FF_RAW_2011_01));
        QCOMPARE(window.document()->favouritesListCount(), 5);
        script.saveFile(path(QStringLiteral("down.rvl")), FF_RAW_2010_01);
        script.press(QDialogButtonBox::No);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        QCOMPARE(saveWarnings(script.seen), 1);
        // No: nothing saved, nothing changed.
        QVERIFY(!QFile::exists(path(QStringLiteral("down.rvl"))));
        QCOMPARE(window.currentFile, path(QStringLiteral("up.rvl")));
    }

    void saveAsWarnsWhenTheTargetCannotHoldTheList() {
        // A universal document is of the lowest format code, yet "2010-01" has no Astra HD+ list.
        const QString source = path(QStringLiteral("astra.ulmx"));
        const QString target = path(QStringLiteral("noastra.rvl"));
        QFile::remove(target);
        writeSample(source, FF_UNIVERSAL);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        QVERIFY(!liveNames(window.document()->astraHDList()).isEmpty());
        script.saveFile(target, FF_RAW_2010_01);
        script.press(QDialogButtonBox::No);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        QCOMPARE(saveWarnings(script.seen), 1);
        QVERIFY(!QFile::exists(target));
        QCOMPARE(window.currentFile, source);
    }

    void saveAsWarningSaysWhatWillBeLost_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("warning");
        // A title for the action, one item per kind with the first names concerned, and what No does.
        const QString intro =
            QStringLiteral("|The file will not keep everything the channel list holds:\n\n");
        const QString end = QStringLiteral("\n\nDo you want to save anyway?\n\nNo saves nothing: no file is "
                                           "written or replaced.");
        QTest::newRow("long name")
            << 1 << 5 << "long name"
            << "Save As" + intro +
                   "\u2022 1 name is longer than 64 characters and will be shortened.\n"
                   "    \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026\"" +
                   end;
        QTest::newRow("Astra HD+ range with gaps")
            << 1 << 5 << "gaps"
            << "Save As" + intro +
                   "\u2022 A 2012-01 file numbers the Astra HD+ favourite range 1 to 99 without gaps: 4 "
                   "channels "
                   "will be renumbered.\n    \"RTL HD\", \"SAT.1 HD\", \"ProSieben HD\" and 1 more" +
                   end;
        QTest::newRow("2010-01 to universal")
            << 3 << 1 << ""
            << "Save As" + intro +
                   "\u2022 A universal file holds no favourites lists: 6 channels will leave their "
                   "favourites.\n"
                   "    \"Das Erste HD\", \"ZDF HD\", \"3sat HD\" and 3 more\n\n"
                   "\u2022 A universal file keeps no child locks: 1 channel will be saved unlocked.\n"
                   "    \"ZDF HD\"\n\n"
                   "\u2022 A universal file keeps a transponder (the satellite frequency a channel is "
                   "broadcast on) "
                   "only with its satellite: 1 channel whose satellite is missing will lose its frequency, "
                   "polarity, symbol rate, modulation and FEC.\n    \"Feed 7\"\n\n"
                   "\u2022 A universal file keeps no network numbers (TSID and ONID, which name the "
                   "broadcast a "
                   "digital channel belongs to): 40 channels will lose them.\n"
                   "    \"Das Erste HD\", \"ZDF HD\", \"3sat HD\" and 37 more\n\n"
                   "\u2022 A universal file keeps no bandwidth of analogue channels: 2 analogue channels "
                   "will lose "
                   "it.\n    \"Kanal 5\", \"Kanal 12\"\n\n"
                   "\u2022 A universal file keeps QPSK as its only satellite modulation: 17 satellite "
                   "channels will "
                   "have their modulation saved as \"Unknown\".\n"
                   "    \"Das Erste HD\", \"ZDF HD\", \"RTL\" and 14 more" +
                   end;
        // An older model year keeps the old question and its title.
        QTest::newRow("older model year")
            << 5 << 3 << ""
            << "Compatibility warning" + intro +
                   "\u2022 A 2010-01 file holds no Astra HD+ list: its 8 channels will not be saved.\n"
                   "    \"RTL HD\", \"SAT.1 HD\", \"ProSieben HD\" and 5 more\n\n"
                   "\u2022 A 2010-01 file keeps no order within favourites lists: 6 channels will lose their "
                   "places.\n    \"Das Erste HD\", \"ZDF HD\", \"3sat HD\" and 3 more\n\n"
                   "Saving channel list to file with an older format may result in loss of some data. Do you "
                   "want to proceed?\n\nNo saves nothing: no file is written or replaced.";
    }
    void saveAsWarningSaysWhatWillBeLost() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, change);
        QFETCH(QString, warning);
        const QString source = path(from == 1 ? QStringLiteral("lost.ulmx") : QStringLiteral("lost.rvl"));
        const QString target = path(to == 1 ? QStringLiteral("kept.ulmx") : QStringLiteral("kept.rvl"));
        QFile::remove(target);
        writeSample(source, from, QStringLiteral("DEU"), [&change](ChannelListProvider &document) {
            if (change == QLatin1String("long name"))
                document.airList()->channelAt(0)->setName(QString(70, QLatin1Char('x')));
            const quint16 numbers[] = {5, 10, 20, 30, 150};
            for (int i = 0; change == QLatin1String("gaps") && i < 5; ++i)
                document.astraHDList()->channelAt(i)->setNumber(numbers[i]);
        });
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        script.saveFile(target, to);
        script.press(QDialogButtonBox::No);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        QCOMPARE(script.seen.value(1), warning);
        QVERIFY(!QFile::exists(target));
    }

    void saveAsksBeforeDroppingWhatItsFormatCannotKeep() {
        const QString source = path(QStringLiteral("net.rvl"));
        writeSample(source, FF_RAW_2012_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        // What no edit should be able to make: a name longer than a raw record holds.
        window.document()->airList()->channelAt(0)->setName(QString(70, QLatin1Char('x')));
        deleteAirChannel(window, script, QStringLiteral("ZDF HD"));
        const QString warning =
            QStringLiteral("Save|The file will not keep everything the channel list holds:\n\n\u2022 1 name "
                           "is longer than 64 "
                           "characters and will be shortened.\n    "
                           "\"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026\"\n\nDo you want "
                           "to save anyway?\n\nNo saves nothing: the file stays as it was last saved.");

        // No writes nothing: on Save, and in the save question on close, which then leaves the window open.
        script.seen.clear();
        script.press(QDialogButtonBox::No);
        window.actionSave->trigger();
        script.press(QDialogButtonBox::Yes);
        script.press(QDialogButtonBox::No);
        QVERIFY(!window.close());
        QVERIFY(script.done());
        QCOMPARE(script.seen,
                 (QStringList{warning, QStringLiteral("net.rvl - Tunelane|Do you want to save changes?"),
                              warning}));
        QVERIFY(window.isModified());
        {
            ReadBack back(source, QStringLiteral("DEU"));
            QVERIFY(channelNamed(back.document.airList(), QStringLiteral("ZDF HD")));
        }

        // Yes writes, and the window then shows what the file holds.
        script.press(QDialogButtonBox::Yes);
        window.actionSave->trigger();
        QVERIFY(script.done());
        QVERIFY(!window.isModified());
        const QString cut(64, QLatin1Char('x'));
        QVERIFY(channelNamed(window.document()->airList(), cut));
        ReadBack back(source, QStringLiteral("DEU"));
        QVERIFY(channelNamed(back.document.airList(), cut));
        QVERIFY(!channelNamed(back.document.airList(), QStringLiteral("ZDF HD")));
    }

    void readBackLeavesAConsistentWindow() {
        const QString source = path(QStringLiteral("consistent.rvl"));
        const QString target = path(QStringLiteral("consistent10.rvl"));
        writeSample(source, FF_RAW_2012_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        {
            // The read-back after Save As shows no progress dialog: there is nothing to cancel.
            ProgressRecorder recorder;
            recorder.cancelAt = 0;
            script.saveFile(target, FF_RAW_2010_01);
            script.press(QDialogButtonBox::Yes);
            window.on_actionSaveAs();
            QVERIFY(script.done());
            QCOMPARE(recorder.values, QList<int>());
        }
        QCOMPARE(window.versionCountry->text(), QStringLiteral("DEU  2010-01"));
        QCOMPARE(window.document()->favouritesListCount(), 4);
        QVERIFY(!window.rightFavGrids.value(0)->isOrdered());
        QCOMPARE(window.mainGrids.value(3)->rowCount(), 0);
        QVERIFY(!window.isModified());

        // A read-back that fails keeps the document, in tables built for the format it is now in, modified.
        ChannelListProvider *kept = window.document();
        kept->setFormatCode(FF_RAW_2012_01);
        kept->setVersionText(QStringLiteral("2012-01"));
        kept->setFavouritesListCount(5);
        script.press(QDialogButtonBox::Ok);
        window.reopenSavedFile(path(QStringLiteral("vanished.rvl")));
        QVERIFY(script.done());
        QCOMPARE(window.document(), kept);
        QVERIFY(window.rightFavGrids.value(0)->isOrdered());
        QCOMPARE(window.versionCountry->text(), QStringLiteral("DEU  2012-01"));
        QVERIFY(window.isModified());
    }

    void failedReadBackSaysTheFileWasSaved() {
        const QString source = path(QStringLiteral("unread.rvl"));
        writeSample(source, FF_RAW_2012_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        script.seen.clear();
        saveWithFailingReadBack(window, script, path(QStringLiteral("no-temp-folder")));
        QCOMPARE(script.seen.value(1),
                 QStringLiteral("File read-back error!|unread.rvl: The file was saved but could not be read "
                                "back.\nCan't open file.\nThe window keeps the document as it is, still "
                                "marked as modified."));
        QVERIFY(window.isModified());
        ReadBack back(source, QStringLiteral("DEU"));
        QVERIFY(channelNamed(back.document.airList(), QString(64, QLatin1Char('x'))));
    }

    void failedReadBackStaysModifiedOnlyUntilSavedOrReplaced() {
        const QString source = path(QStringLiteral("unread2.rvl"));
        const QString next = path(QStringLiteral("unread3.rvl"));
        const QString notAFolder = path(QStringLiteral("no-temp-folder2"));
        writeSample(source, FF_RAW_2012_01);
        writeSample(next, FF_RAW_2011_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        saveWithFailingReadBack(window, script, notAFolder);
        QVERIFY(window.isModified());

        // The next Save that works marks the document saved: here one that loses nothing, so that no
        // read-back of the file can clear the mark instead.
        window.document()->airList()->channelAt(0)->setName(QStringLiteral("Short again"));
        script.seen.clear();
        window.actionSave->trigger();
        QCOMPARE(script.seen, QStringList());
        QVERIFY(!window.isModified());
        QCOMPARE(modifiedText(window), QString());

        // A file opened instead of a document left so is not modified, and closing asks nothing.
        saveWithFailingReadBack(window, script, notAFolder);
        script.press(QDialogButtonBox::No);
        openThroughDialog(window, script, next);
        QCOMPARE(window.currentFile, next);
        QVERIFY(!window.isModified());
        script.seen.clear();
        QVERIFY(window.close());
        QCOMPARE(script.seen, QStringList());
    }

    void saveAsKeepsTheEditMode() {
        const QString source = path(QStringLiteral("mode.rvl"));
        writeSample(source, FF_RAW_2011_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        QVERIFY(window.isInsertMode());
        window.insertButton->click();
        QVERIFY(!window.isInsertMode());
        script.saveFile(path(QStringLiteral("mode12.rvl")), FF_RAW_2012_01);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        // Read back in the new format, with the user's choice.
        QVERIFY(window.rightFavGrids.value(0)->isOrdered());
        QVERIFY(!window.isInsertMode());
    }

    void saveAsForgetsASatelliteTheFileNoLongerHolds() {
        const QString source = path(QStringLiteral("satellites.rvl"));
        // Another model year, so the written file is read back and the tables are built anew.
        writeSample(source, FF_RAW_2011_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        window.satButton->click();
        QListWidgetItem *hotbird = window.satListAll->item(0);
        window.satListAll->setCurrentItem(hotbird);
        emit window.satListAll->itemClicked(hotbird);
        MainGrid *grid = window.mainGrids.value(2);
        QCOMPARE(grid->visibleCount(), 3);
        grid->selectAll();
        script.press(QDialogButtonBox::Ok);
        window.on_deleteButton_clicked();
        QVERIFY(script.done());

        script.saveFile(path(QStringLiteral("satellites2.rvl")), FF_RAW_2012_01);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        // The file holds no channel of that satellite, so the panel has no row for it: every satellite is
        // shown, as the panel says.
        grid = window.mainGrids.value(2);
        QCOMPARE(window.currentListId(), 2);
        QVERIFY(!window.satListAll->currentItem());
        const int live = liveNames(window.document()->satelliteList()).size();
        QVERIFY(live > 0);
        QCOMPARE(grid->visibleCount(), live);
        QCOMPARE(window.channelCount->text(), QStringLiteral("Channels in list: %1").arg(live));
    }

    void lossySaveAsShowsWhatTheFileHolds() {
        const QString source = path(QStringLiteral("full.rvl"));
        const QString target = path(QStringLiteral("lossy.rvl"));
        QFile::remove(target);
        {
            std::unique_ptr<ChannelListProvider> document(SampleDocument::create());
            document->airList()->channelAt(4)->setFavouritePosition(5, 1);
            QVERIFY(writeList(*document, source, FF_RAW_2012_01));
        }
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        QVERIFY(!liveNames(window.document()->astraHDList()).isEmpty());
        window.cableButton->click();

        script.saveFile(target, FF_RAW_2010_01);
        script.press(QDialogButtonBox::Yes);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        // The window holds what the file holds: no Astra HD+ channels, no fifth favourites list.
        ChannelListProvider *document = window.document();
        QCOMPARE(liveNames(document->astraHDList()), QStringList());
        QCOMPARE(window.mainGrids.value(3)->rowCount(), 0);
        QVERIFY(!channelNamed(document->airList(), QStringLiteral("phoenix HD"))->isInFavourites(5));
        QCOMPARE(document->favouritesListCount(), 4);
        QVERIFY(!window.isModified());
        QVERIFY(!window.undoStack.canUndo());
        // The user stays where the save found them.
        QCOMPARE(window.currentListId(), 1);
        QCOMPARE(window.currentFile, target);
    }

    void saveAsIntoFewerFavouritesListsShowsTheFirst() {
        const QString source = path(QStringLiteral("five.rvl"));
        const QString target = path(QStringLiteral("four.rvl"));
        QFile::remove(target);
        writeSample(source, FF_RAW_2012_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        window.myChannelsButton->click();
        window.fav2Filter->setCurrentIndex(4);
        script.saveFile(target, FF_RAW_2010_01);
        script.press(QDialogButtonBox::Yes);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        // The fifth list is gone: the page shows the first one.
        QCOMPARE(window.fav2Filter->currentIndex(), 0);
    }

    void saveAsQuestions() {
        const QString source = path(QStringLiteral("own.rvl"));
        const QString other = path(QStringLiteral("other.rvl"));
        writeSample(source, FF_RAW_2012_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);

        QFile file(other);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();
        const QString question =
            QStringLiteral("Save As|other.rvl file already exists\nDo you want to replace it?");
        // No and Escape keep the other file.
        for (int round = 0; round < 2; ++round) {
            script.seen.clear();
            script.saveFile(other, FF_RAW_2012_01);
            if (round == 0)
                script.press(QDialogButtonBox::No);
            else
                script.escape();
            window.on_actionSaveAs();
            QVERIFY(script.done());
            QCOMPARE(script.seen.value(1), question);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("keep me"));
            file.close();
            QCOMPARE(window.currentFile, source);
        }
        // Yes replaces it.
        script.seen.clear();
        script.saveFile(other, FF_RAW_2012_01);
        script.press(QDialogButtonBox::Yes);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        QCOMPARE(window.currentFile, other);
        QCOMPARE(ReadBack(other, QStringLiteral("DEU")).code, int(RC_SUCCESS));
        // Onto the document's own file: no question.
        script.seen.clear();
        script.saveFile(other, FF_RAW_2012_01);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        QCOMPARE(script.seen, QStringList{QStringLiteral("dialog|Save As")});
    }

    void failedSavesChangeNothing() {
        const QString source = path(QStringLiteral("failing.rvl"));
        const QString blocked = path(QStringLiteral("blocked.rvl"));
        writeSample(source, FF_RAW_2011_01);
        QDir().rmdir(blocked);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        deleteAirChannel(window, script, QStringLiteral("ZDF HD"));

        // A folder where the file should go: neither save can replace it.
        QVERIFY(QDir().mkdir(blocked));
        script.saveFile(blocked, FF_RAW_2012_01);
        script.press(QDialogButtonBox::Yes); // replace the "file"
        script.press(QDialogButtonBox::Ok);
        window.on_actionSaveAs();
        QVERIFY(script.done());
        QCOMPARE(script.seen.value(2),
                 QStringLiteral("File save error!|blocked.rvl: ") + MainWindow::fileErrorMessage(5, {}));
        QCOMPARE(window.currentFile, source);
        QCOMPARE(window.windowTitle(), QStringLiteral("failing.rvl - Tunelane"));
        QVERIFY(window.isModified());
        QCOMPARE(window.document()->formatCode(), int(FF_RAW_2011_01));
        QVERIFY(!window.rightFavGrids.value(0)->isOrdered());
        // The positions given for the new format stay.
        QCOMPARE(window.document()->airList()->channelAt(2)->favouritePosition(2), 1);

        QVERIFY(QFile::remove(source));
        QVERIFY(QDir().mkdir(source));
        script.seen.clear();
        script.press(QDialogButtonBox::Ok);
        window.actionSave->trigger();
        QVERIFY(script.done());
        QCOMPARE(script.seen, QStringList{QStringLiteral("File save error!|failing.rvl: ") +
                                          MainWindow::fileErrorMessage(5, {})});
        QVERIFY(window.isModified());
        QCOMPARE(modifiedText(window), QStringLiteral("| Modified"));
        QVERIFY(QDir().rmdir(source));
        QVERIFY(QDir().rmdir(blocked));
    }

    void errorBoxesKeepTheOpenDocument_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "missing.rvl" << QByteArray() << "*"
                                 << "File not found.\nPlease verify that the correct file name was given.";
        QTest::newRow("not an archive") << "broken.rvl" << QByteArray("this is no zip archive") << "*"
                                        << "Can't open file.";
        QTest::newRow("wrong suffix") << "list.txt" << QByteArray("text") << "*"
                                      << "Invalid file format.";
        QTest::newRow("not xml") << "broken.ulmx" << QByteArray("<ULM><unclosed>") << "*"
                                 << "Invalid file format.";
        QTest::newRow("other country") << "france.ulmx" << QByteArray("sample") << "FRA"
                                       << "No service list found for specified country (FRA).";
    }
    void errorBoxesKeepTheOpenDocument() {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, country);
        QFETCH(QString, message);
        const QString source = path(QStringLiteral("kept.rvl"));
        writeSample(source, FF_RAW_2012_01);
        const QString bad = path(name);
        QFile::remove(bad);
        if (contents == "sample") {
            writeSample(bad, FF_UNIVERSAL);
        } else if (!contents.isEmpty()) {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }

        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        ChannelListProvider *kept = window.document();
        MainGrid *keptGrid = window.mainGrids.value(0);
        const DatabaseSnapshot database;
        deleteAirChannel(window, script, QStringLiteral("ZDF HD"));

        script.press(QDialogButtonBox::Ok);
        QVERIFY(!window.loadFile(bad, false, country, false));
        QVERIFY(script.done());
        QCOMPARE(script.seen,
                 QStringList{QStringLiteral("File open error!|") + name + QStringLiteral(": ") + message});
        QCOMPARE(window.document(), kept);
        QCOMPARE(window.mainGrids.value(0), keptGrid);
        QCOMPARE(window.currentFile, source);
        QCOMPARE(window.windowTitle(), QStringLiteral("kept.rvl - Tunelane"));
        QVERIFY(window.isModified());
        QVERIFY(DatabaseSnapshot() == database);
        QCOMPARE(workingFolders().size(), 1);

        // The kept document still saves to its own file.
        window.actionSave->trigger();
        ReadBack back(source, QStringLiteral("DEU"));
        QCOMPARE(back.code, int(RC_SUCCESS));
        QVERIFY(!channelNamed(back.document.airList(), QStringLiteral("ZDF HD")));
    }

    void cancelledOpenKeepsTheOpenDocument_data() {
        QTest::addColumn<int>("cancelAt");
        QTest::newRow("after the read") << 5;
        QTest::newRow("after the main tables") << 10;
        QTest::newRow("during the rows") << 21;
    }
    void cancelledOpenKeepsTheOpenDocument() {
        QFETCH(int, cancelAt);
        const QString source = path(QStringLiteral("first.rvl"));
        const QString next = path(QStringLiteral("second.rvl"));
        writeSample(source, FF_RAW_2012_01);
        {
            // Another file with other channels and another satellite database.
            std::unique_ptr<ChannelListProvider> document(
                SampleDocument::create(QStringLiteral("AUT"), 4, 5));
            document->airList()->channelAt(0)->setName(QStringLiteral("Only in second"));
            SatelliteChannel::satellites[SampleDocument::ASTRA_19].name = QStringLiteral("Renamed 19.2E");
            QVERIFY(writeList(*document, next, FF_RAW_2011_01));
        }

        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        ChannelListProvider *kept = window.document();
        const QStringList folders = workingFolders();
        const DatabaseSnapshot database;
        deleteAirChannel(window, script, QStringLiteral("ZDF HD"));
        const int undoCount = window.undoStack.count();

        ProgressRecorder progress;
        progress.cancelAt = cancelAt;
        script.press(QDialogButtonBox::No); // keep the changes unsaved for now
        openThroughDialog(window, script, next, QStringLiteral("*"));
        QVERIFY(!progress.values.isEmpty());
        QVERIFY(progress.values.last() < 100);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(window.document(), kept);
        QCOMPARE(window.currentFile, source);
        QCOMPARE(window.undoStack.count(), undoCount);
        QVERIFY(window.isModified());
        QCOMPARE(workingFolders(), folders);
        QVERIFY(DatabaseSnapshot() == database);
        // The kept document is still editable and undoable.
        window.on_actionUndo();
        QVERIFY(channelNamed(window.document()->airList(), QStringLiteral("ZDF HD")));
        window.on_actionRedo();

        // Save writes the kept document to its own file, in its own format.
        window.actionSave->trigger();
        QVERIFY(script.seen.filter(QStringLiteral("error")).isEmpty());
        ReadBack back(source, QStringLiteral("DEU"));
        QCOMPARE(back.code, int(RC_SUCCESS));
        QCOMPARE(back.document.formatCode(), int(FF_RAW_2012_01));
        QVERIFY(!channelNamed(back.document.airList(), QStringLiteral("ZDF HD")));
        QVERIFY(!channelNamed(back.document.airList(), QStringLiteral("Only in second")));
        QCOMPARE(back.satellites.value(SampleDocument::ASTRA_19).name, QStringLiteral("Astra 19.2E"));
        ReadBack untouched(next);
        QVERIFY(channelNamed(untouched.document.airList(), QStringLiteral("Only in second")));
    }

    void mergeKeepsTheOpenFileAndFormat() {
        const QString source = path(QStringLiteral("base.rvl"));
        const QString extra = path(QStringLiteral("extra.ulmx"));
        writeSample(source, FF_RAW_2012_01);
        {
            std::unique_ptr<ChannelListProvider> document(
                SampleDocument::create(QStringLiteral("DEU"), 1, 0));
            document->airList()->append(SampleDocument::air(QStringLiteral("Merged Air"), 60, 770.0f));
            document->cableList()->append(SampleDocument::cable(QStringLiteral("Merged Cable"), 60, 770.0f));
            QVERIFY(writeList(*document, extra, FF_UNIVERSAL));
        }
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        ProgressRecorder progress;
        script.openFile(extra);
        script.press(QDialogButtonBox::Ok);
        window.on_menuMergeClicked();
        QVERIFY(script.done());
        // The sample's air list held three favourites entries and a lock; the file's holds none.
        QCOMPARE(
            script.seen,
            QStringList({QStringLiteral("dialog|Choose file to merge"),
                         QStringLiteral("Merge|The merge put the file's air, cable and Astra HD+ lists, "
                                        "where it has them, in place of the channel list's own. The file "
                                        "holds no favourites and no child locks: 3 entries in favourites "
                                        "lists and 1 child lock went with the replaced lists. Nothing is "
                                        "saved until you save the channel list.")}));
        QCOMPARE(progress.title, QStringLiteral("Merge: extra.ulmx"));
        QCOMPARE(progress.label, QStringLiteral("Merging file"));
        QVERIFY(channelNamed(window.document()->airList(), QStringLiteral("Merged Air")));
        // The cable tab, not shown, counts the merged list too.
        QVERIFY(window.cableButton->toolTip().startsWith(QStringLiteral("All:\t12\n")));
        QVERIFY(window.isModified());
        QVERIFY(!window.undoStack.canUndo());
        QCOMPARE(modifiedText(window), QStringLiteral("| Modified"));
        QCOMPARE(window.windowTitle(), QStringLiteral("base.rvl - Tunelane"));
        QCOMPARE(window.currentFile, source);
        QCOMPARE(window.lastFilePath, source);
        // Still the open file's format: ordered favourites, five lists.
        QCOMPARE(window.document()->formatCode(), int(FF_RAW_2012_01));
        QCOMPARE(window.document()->favouritesListCount(), 5);
        QVERIFY(window.rightFavGrids.value(0)->isOrdered());

        window.actionSave->trigger();
        QVERIFY(!window.isModified());
        // Nothing could be undone, so only the save itself can clear the mark.
        QCOMPARE(modifiedText(window), QString());
        ReadBack back(source, QStringLiteral("DEU"));
        QCOMPARE(back.document.formatCode(), int(FF_RAW_2012_01));
        QVERIFY(channelNamed(back.document.airList(), QStringLiteral("Merged Air")));

        // Opening a file afterwards starts without the merged state. The merged lists had nothing to lose.
        script.openFile(extra);
        window.on_menuMergeClicked();
        QVERIFY(window.isModified());
        script.press(QDialogButtonBox::No);
        openThroughDialog(window, script, source);
        QVERIFY(!window.mergedSinceSave);
        QVERIFY(!window.isModified());
        QCOMPARE(modifiedText(window), QString());
        QCOMPARE(script.seen.filter(QStringLiteral("UNEXPECTED")), QStringList());
    }

    void mergeIntoA2010ListSaysTheAstraListStayedOut() {
        const QString source = path(QStringLiteral("old.rvl"));
        const QString extra = path(QStringLiteral("withastra.ulmx"));
        writeSample(source, FF_RAW_2010_01);
        writeSample(extra, FF_UNIVERSAL);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        script.openFile(extra);
        script.press(QDialogButtonBox::Ok);
        window.on_menuMergeClicked();
        QVERIFY(script.done());
        // The eight channels of the sample; the free places of its favourite range are not in the file. One
        // box also names what went with the replaced air list.
        QCOMPARE(script.seen,
                 QStringList({QStringLiteral("dialog|Choose file to merge"),
                              QStringLiteral("Merge|The file's Astra HD+ list (8 channels) was not merged: a "
                                             "2010-01 list holds no Astra HD+ list.\n\nThe merge put the "
                                             "file's air and cable lists, where it has them, in "
                                             "place of the channel list's own. The file holds no favourites "
                                             "and no child locks: 3 entries in favourites lists and 1 child "
                                             "lock went with the replaced lists. Nothing is saved until you "
                                             "save the channel list.")}));
        QVERIFY(window.document()->astraHDList()->isEmpty());
        QVERIFY(window.isModified());
    }

    // The box names only the kinds that went, each with its count.
    void mergeReportNamesOnlyWhatWent_data() {
        QTest::addColumn<int>("memberships");
        QTest::addColumn<int>("locks");
        QTest::addColumn<QString>("gone");
        QTest::newRow("locks only") << 0 << 2 << QStringLiteral("2 child locks");
        QTest::newRow("favourites only") << 1 << 0 << QStringLiteral("1 entry in a favourites list");
    }
    void mergeReportNamesOnlyWhatWent() {
        QFETCH(int, memberships);
        QFETCH(int, locks);
        QFETCH(QString, gone);
        QVERIFY(MainWindow::mergeReport(0, memberships, locks, true).contains(": " + gone + " went with"));
    }

    void failedAndCancelledMergeLeaveEverything() {
        const QString source = path(QStringLiteral("stay.rvl"));
        const QString extra = path(QStringLiteral("other.ulmx"));
        writeSample(source, FF_RAW_2012_01);
        {
            std::unique_ptr<ChannelListProvider> document(
                SampleDocument::create(QStringLiteral("DEU"), 1, 0));
            SatelliteChannel::satellites[SampleDocument::ASTRA_19].name = QStringLiteral("Merged name");
            for (quint16 n = 0; n < 40; ++n)
                document->airList()->append(
                    SampleDocument::air(QStringLiteral("M%1").arg(n), 60 + n, 770.0f));
            QVERIFY(writeList(*document, extra, FF_UNIVERSAL));
        }
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        ChannelListProvider *kept = window.document();
        const DatabaseSnapshot database;
        const QStringList airNames = liveNames(kept->airList());

        ProgressRecorder progress;
        progress.cancelAt = 20;
        script.openFile(extra);
        window.on_menuMergeClicked();
        QVERIFY(script.done());
        QCOMPARE(window.document(), kept);
        QCOMPARE(liveNames(kept->airList()), airNames);
        QVERIFY(!window.isModified());
        QVERIFY(DatabaseSnapshot() == database);

        // A file that is not there: the merge error box, nothing changed.
        script.press(QDialogButtonBox::Ok);
        QVERIFY(!window.loadFile(path(QStringLiteral("gone.ulmx")), true, kept->country(), false));
        QCOMPARE(
            script.seen.last(),
            QStringLiteral("File merge error!|gone.ulmx: File not found.\nPlease verify that the correct "
                           "file name was given."));
        QCOMPARE(window.document(), kept);
        QVERIFY(DatabaseSnapshot() == database);
    }

    void closingAsksAboutChanges_data() {
        QTest::addColumn<int>("answer"); // 0 Yes, 1 No, 2 Cancel, 3 Escape, 4 Yes with a failing save
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << 0 << true << true;
        QTest::newRow("no") << 1 << true << false;
        QTest::newRow("cancel") << 2 << false << false;
        QTest::newRow("escape") << 3 << false << false;
        QTest::newRow("yes, save fails") << 4 << false << false;
    }
    void closingAsksAboutChanges() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        const QString source = path(QStringLiteral("close.ulmx"));
        writeSample(source, FF_UNIVERSAL);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        deleteAirChannel(window, script, QStringLiteral("ZDF HD"));
        if (answer == 4) {
            // The file's place is taken by a folder: the save cannot replace it.
            QVERIFY(QFile::remove(source));
            QVERIFY(QDir().mkdir(source));
        }
        script.seen.clear();
        if (answer == 3)
            script.escape();
        else
            script.press(answer == 0 || answer == 4 ? QDialogButtonBox::Yes
                         : answer == 1              ? QDialogButtonBox::No
                                                    : QDialogButtonBox::Cancel);
        if (answer == 4)
            script.press(QDialogButtonBox::Ok);
        const bool closed = window.close();
        QVERIFY(script.done());
        QCOMPARE(script.seen.value(0), QStringLiteral("close.ulmx - Tunelane|Do you want to save changes?"));
        if (answer == 4)
            QCOMPARE(script.seen.value(1),
                     QStringLiteral("File save error!|close.ulmx: ") + MainWindow::fileErrorMessage(5, {}));
        QCOMPARE(closed, closes);
        QCOMPARE(window.isVisible(), !closes);
        QCOMPARE(window.isFileLoaded(), !closes);
        if (!closes)
            QVERIFY(window.isModified());
        if (answer != 4) {
            ReadBack back(source, QStringLiteral("DEU"));
            QCOMPARE(back.code, int(RC_SUCCESS));
            QCOMPARE(channelNamed(back.document.airList(), QStringLiteral("ZDF HD")) == nullptr, saved);
        } else {
            QVERIFY(QDir().rmdir(source));
        }
    }

    void openAsksAboutChanges() {
        const QString source = path(QStringLiteral("ask.rvl"));
        const QString next = path(QStringLiteral("next.rvl"));
        writeSample(source, FF_RAW_2012_01);
        writeSample(next, FF_RAW_2011_01);
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, source);
        deleteAirChannel(window, script, QStringLiteral("ZDF HD"));
        // Cancel and Escape stop the open before the file dialog.
        for (bool escape : {false, true}) {
            script.seen.clear();
            if (escape)
                script.escape();
            else
                script.press(QDialogButtonBox::Cancel);
            window.on_actionOpen();
            QVERIFY(script.done());
            QCOMPARE(script.seen.size(), 1);
            QCOMPARE(window.currentFile, source);
        }
        // Yes saves, then opens.
        script.seen.clear();
        script.press(QDialogButtonBox::Yes);
        openThroughDialog(window, script, next);
        QCOMPARE(window.currentFile, next);
        QVERIFY(!window.isModified());
        QCOMPARE(window.document()->formatCode(), int(FF_RAW_2011_01));
        QCOMPARE(window.document()->favouritesListCount(), 5);
        QVERIFY(!window.rightFavGrids.value(0)->isOrdered());
        // The folder of the first file went with it.
        QCOMPARE(workingFolders().size(), 1);
        ReadBack back(source, QStringLiteral("DEU"));
        QVERIFY(!channelNamed(back.document.airList(), QStringLiteral("ZDF HD")));
    }

    void countryDecidesAstraAndInsertMode() {
        const QString german = path(QStringLiteral("deu.rvl"));
        const QString austrian = path(QStringLiteral("aut.rvl"));
        writeSample(german, FF_RAW_2012_01, QStringLiteral("DEU"));
        writeSample(austrian, FF_RAW_2012_01, QStringLiteral("AUT"));
        TestWindow window;
        window.show();
        ModalScript script;
        openThroughDialog(window, script, german);
        QVERIFY(window.astraHDButton->isVisible());
        QVERIFY(window.isInsertMode());
        openThroughDialog(window, script, austrian);
        QCOMPARE(window.document()->country(), QStringLiteral("AUT"));
        QVERIFY(!window.astraHDButton->isVisible());
        QVERIFY(!window.isInsertMode());
    }
};

QTEST_MAIN(TestFlows)
#include "tst_flows.moc"
