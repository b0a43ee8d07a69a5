// The main window as a user meets it: the form and its shortcuts, the start-up setting, the state without a
// document, a document shown from memory with its tables, counts and panels, switching lists and categories,
// the enabling rules, the favourites page and the view an undo brings back.
#include "mainwindow/mainwindow.h"
#include "sampledocument.h"
#include "tables/favgrid.h"
#include "tables/headerview.h"
#include "widgets/combobox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Opens the protected parts of the window that the tests check directly.
class TestWindow : public MainWindow {
public:
    using MainWindow::closeDocument;
    using MainWindow::filterButtonGroup;
    using MainWindow::leftFavGrids;
    using MainWindow::leftFavStack;
    using MainWindow::listButtonGroup;
    using MainWindow::mainGrids;
    using MainWindow::mainStack;
    using MainWindow::restoreView;
    using MainWindow::rightFavGrids;
    using MainWindow::rightFavStack;
    using MainWindow::setTitle;
    using MainWindow::storeViewState;
    using MainWindow::undoStack;
};

// A document that reports its own deletion.
class TrackedDocument : public ChannelListProvider {
public:
    explicit TrackedDocument(bool *deleted) : ChannelListProvider(nullptr), m_deleted(deleted) {}
    ~TrackedDocument() override { *m_deleted = true; }

private:
    bool *m_deleted;
};

QStringList entryTexts(QMenu *menu) {
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("—") : action->text());
    return texts;
}

// Makes a row current the way a click on its first cell would.
void clickRow(Grid *grid, int row) {
    grid->setCurrentCell(row, 0);
    grid->setCurrentCell(row, 1);
    QApplication::processEvents();
}

int rowOfName(Grid *grid, const QString &name) {
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->channelAt(row) && grid->channelAt(row)->name() == name)
            return row;
    }
    return -1;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;

    // A window showing the sample document (German, "2012-01" unless told otherwise).
    static TestWindow *openSample(TestWindow &window, ChannelListProvider *document = nullptr) {
        window.showDocument(document ? document : SampleDocument::create(),
                            QStringLiteral("/data/lists/channel_list.rvl"));
        return &window;
    }

private slots:
    void initTestCase() {
        QCoreApplication::setOrganizationName(QStringLiteral("Quorlin Electronics Co. Ltd."));
        QCoreApplication::setApplicationName(QStringLiteral("Tunelane"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.08"));
        QVERIFY(settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }

    void init() { QSettings().clear(); }

    void formTitlesMenusAndShortcuts() {
        TestWindow window;
        QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tunelane"));

        const QList<QAction *> bar = window.menuBar->actions();
        QCOMPARE(bar.size(), 3);
        QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
        QCOMPARE(bar[1]->text(), QStringLiteral("&Edit"));
        QCOMPARE(bar[2]->text(), QStringLiteral("&Help"));
        QCOMPARE(entryTexts(window.menuFile),
                 (QStringList{QStringLiteral("&Open"), QStringLiteral("&Save"),
                              QStringLiteral("Save &As... "), QStringLiteral("—"), QStringLiteral("&Merge"),
                              QStringLiteral("—"), QStringLiteral("E&xit")}));
        QCOMPARE(entryTexts(window.menuEdit),
                 (QStringList{QStringLiteral("&Undo"), QStringLiteral("&Redo"), QStringLiteral("—"),
                              QStringLiteral("&Delete"), QStringLiteral("Copy"),
                              QStringLiteral("&Edit Number/Move to"), QStringLiteral("Edit &Name"),
                              QStringLiteral("—"), QStringLiteral("&Lock"), QStringLiteral("Unl&ock"),
                              QStringLiteral("—"), QStringLiteral("&My Favourites"), QStringLiteral("—"),
                              QStringLiteral("&Select All"), QStringLiteral("&Deselect All")}));
        QCOMPARE(window.menuEdit->actions().at(11)->menu(), window.menuMyChannels);
        QCOMPARE(
            entryTexts(window.menuMyChannels),
            (QStringList{QStringLiteral("My Fav 1"), QStringLiteral("My Fav 2"), QStringLiteral("My Fav 3"),
                         QStringLiteral("My Fav 4"), QStringLiteral("My Fav 5")}));
        for (QAction *my : window.menuMyChannels->actions())
            QVERIFY(my->isCheckable());
        QCOMPARE(entryTexts(window.menuAbout),
                 (QStringList{QStringLiteral("&Welcome Screen"), QStringLiteral("—"),
                              QStringLiteral("&About Program")}));

        const QList<QPair<QAction *, QKeySequence>> shortcuts{
            {window.actionOpen, QKeySequence(Qt::CTRL | Qt::Key_O)},
            {window.actionSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
            {window.actionSaveAs, QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S)},
            {window.actionExit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
            {window.actionUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
            {window.actionRedo, QKeySequence(Qt::CTRL | Qt::Key_Y)},
            {window.actionDelete, QKeySequence(Qt::Key_Delete)},
            {window.actionSelectAll, QKeySequence(Qt::CTRL | Qt::Key_A)},
            {window.actionDeselectAll, QKeySequence(Qt::CTRL | Qt::Key_D)},
        };
        for (const auto &s : shortcuts)
            QCOMPARE(s.first->shortcut(), s.second);
        for (QAction *none : {window.actionMerge, window.actionAstraHDCopy, window.actionRenumber,
                              window.actionRename, window.actionLock, window.actionUnlock, window.actionMy1,
                              window.actionWelcomeScreen, window.actionAbout_Program})
            QVERIFY2(none->shortcut().isEmpty(), qPrintable(none->objectName()));

        // Texts of the form and the shared tool tips.
        QCOMPARE(window.astraHDButton->text(), QStringLiteral("Astra 19.2"));
        QCOMPARE(window.versionCountry->text(), QStringLiteral("TextLabel"));
        QCOMPARE(window.label->text(), QStringLiteral("Channel Category"));
        QCOMPARE(window.deleteButton->toolTip(), QStringLiteral("Delete (Del)"));
        QCOMPARE(window.astraHDCopyButton->toolTip(), QStringLiteral("Copy to 1-99 range"));
        QCOMPARE(window.fav3Button->toolTip(), QStringLiteral("My Fav 3"));
        QCOMPARE(window.undoButton->toolTip(), QStringLiteral("Undo (Ctrl+Z)"));
        QCOMPARE(window.fav1Filter->count(), 4);
        QCOMPARE(window.fav2Filter->itemText(4), QStringLiteral("My Favourites 5"));
        QVERIFY(window.findChild<QPushButton *>(QStringLiteral("renumberButton")));
        QVERIFY(window.findChild<QFrame *>(QStringLiteral("categorySplitter")));
    }

    void nothingEditableWithoutDocument() {
        TestWindow window;
        window.CustomMainWindow::show();
        QVERIFY(!window.isFileLoaded());
        for (QAction *a :
             {window.actionSave, window.actionSaveAs, window.actionMerge, window.actionUndo,
              window.actionRedo, window.actionDelete, window.actionAstraHDCopy, window.actionRename,
              window.actionRenumber, window.actionLock, window.actionUnlock, window.actionMy1,
              window.actionMy5, window.actionSelectAll, window.actionDeselectAll})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(!window.menuEdit->isEnabled());
        QVERIFY(!window.menuMyChannels->isEnabled());
        QVERIFY(!window.toolsFrame->isEnabled());
        QVERIFY(window.actionOpen->isEnabled());
        QVERIFY(window.actionExit->isEnabled());
        QVERIFY(window.actionAbout_Program->isEnabled());
        QVERIFY(!window.body->isVisible());
        QVERIFY(!window.tabFrame->isVisible());

        // The shortcuts and the slots behind them find no table and do nothing.
        QTest::keyClick(&window, Qt::Key_Delete);
        QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
        window.on_actionDelete(true);
        window.on_actionSelectAll(true);
        window.on_actionDeselectAll(true);
        window.on_deleteButton_clicked();
        window.on_lockButton_clicked();
        window.on_favButtonClicked(1);
        window.on_addButton_clicked();
        window.on_subButton_clicked();
        window.on_menuEditAboutToShow();
        QVERIFY(window.currentMainGrid() == nullptr);
        QVERIFY(window.currentLeftFavGrid() == nullptr);
        // Look-ups never insert empty entries.
        QVERIFY(window.mainGrids.isEmpty());
        QVERIFY(window.leftFavGrids.isEmpty());
        QVERIFY(window.rightFavGrids.isEmpty());
        window.closeDocument();
        window.closeDocument();
        QVERIFY(!window.isFileLoaded());
    }

    void welcomeScreenFollowsTheSetting() {
        // First start: the window shows and the welcome screen runs over it.
        {
            TestWindow window;
            bool welcomed = false;
            QTimer::singleShot(0, &window, [&] {
                auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                welcomed = modal != nullptr && modal->parentWidget() == &window;
                if (modal)
                    modal->reject();
            });
            window.show();
            QVERIFY(welcomed);
            QVERIFY(window.isVisible());
        }
        // The welcome screen's check box writes the setting in this version's group.
        {
            TestWindow window;
            QTimer::singleShot(0, &window, [&] {
                QWidget *modal = QApplication::activeModalWidget();
                if (!modal)
                    return;
                if (auto *box = modal->findChild<QCheckBox *>(QStringLiteral("showAgain")))
                    box->setChecked(true);
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
            });
            window.show();
            QCOMPARE(QSettings().value(QStringLiteral("1.08/welcomescreen/show")), QVariant(false));
            QSettings().clear();
        }
        // Switched off under another version's group: still shown.
        {
            QSettings settings;
            settings.setValue(QStringLiteral("1.07/welcomescreen/show"), false);
        }
        {
            TestWindow window;
            bool welcomed = false;
            QTimer::singleShot(0, &window, [&] {
                QWidget *modal = QApplication::activeModalWidget();
                welcomed = modal != nullptr;
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
            });
            window.show();
            QVERIFY(welcomed);
        }
        // Switched off for this version: the window comes up alone.
        {
            QSettings settings;
            settings.setValue(QStringLiteral("1.08/welcomescreen/show"), false);
        }
        {
            TestWindow window;
            bool welcomed = false;
            QTimer::singleShot(0, &window, [&] {
                welcomed = QApplication::activeModalWidget() != nullptr;
                if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    dialog->reject();
            });
            window.show();
            QApplication::processEvents();
            QVERIFY(!welcomed);
            QVERIFY(window.isVisible());
        }
    }

    void documentShowsItsTablesAndCounts() {
        TestWindow window;
        openSample(window);
        QVERIFY(window.isFileLoaded());
        QCOMPARE(window.windowTitle(), QStringLiteral("channel_list.rvl - Tunelane"));
        QCOMPARE(window.versionCountry->text(), QStringLiteral("DEU  2012-01"));
        QVERIFY(window.menuEdit->isEnabled());
        QVERIFY(window.actionSave->isEnabled());
        QVERIFY(window.actionMerge->isEnabled());
        QVERIFY(!window.isModified());

        // One main and two favourites tables per list, at the page of their list id.
        for (int id = 0; id < 4; ++id) {
            QVERIFY(window.mainGridOf(id));
            QVERIFY(window.leftFavGridOf(id));
            QVERIFY(window.rightFavGridOf(id));
            QCOMPARE(window.mainStack->widget(id), window.mainGridOf(id));
            QCOMPARE(window.leftFavStack->widget(id), window.leftFavGridOf(id));
            QCOMPARE(window.rightFavStack->widget(id), window.rightFavGridOf(id));
        }
        ChannelListProvider *doc = window.document();
        QCOMPARE(window.mainGridOf(0)->rowCount(), doc->airList()->size());
        QCOMPARE(window.mainGridOf(3)->rowCount(), doc->astraHDList()->size());

        // The view starts on the air list, all categories; deleted channels are not counted.
        QCOMPARE(window.currentListId(), 0);
        QCOMPARE(window.currentCategoryId(), 7);
        QCOMPARE(window.currentMainGrid(), window.mainGridOf(0));
        QCOMPARE(window.channelCount->text(), QStringLiteral("Channels in list: 14"));
        QCOMPARE(window.airButton->toolTip(),
                 QStringLiteral("All:\t14\nTV:\t11\nRadio:\t2\nData/Other:\t1\nFree:\t14\nScrambled:\t0"));
        QCOMPARE(window.tvButton->toolTip(), QStringLiteral("TV:\t11"));
        QCOMPARE(window.myChannelsButton->toolTip(),
                 QStringLiteral("My Favourites 1:\t2\nMy Favourites 2:\t1\nMy Favourites 3:\t0\n"
                                "My Favourites 4:\t0\nMy Favourites 5:\t0"));
        QCOMPARE(window.selectionLabel->text(), QStringLiteral("0 channels selected"));
        QCOMPARE(window.modifiedLabel->text(), QString());

        // German lists offer the Astra HD+ tab and start in insert mode.
        QVERIFY(!window.astraHDButton->isHidden());
        QVERIFY(window.insertButton->isChecked());
        QCOMPARE(window.insertButton->text(), QStringLiteral("| Insert Mode"));
        QCOMPARE(MainGrid::insertMode(), 1);

        // A tab not shown since counts the document installed after it, not the one before.
        window.cableButton->click();
        window.airButton->click();
        ChannelListProvider *withoutCable = SampleDocument::create();
        withoutCable->cableList()->clear();
        openSample(window, withoutCable);
        QCOMPARE(window.cableButton->toolTip(),
                 QStringLiteral("All:\t0\nTV:\t0\nRadio:\t0\nData/Other:\t0\nFree:\t0\nScrambled:\t0"));
    }

    void otherCountriesHideAstraHD() {
        TestWindow window;
        openSample(window, SampleDocument::create(QStringLiteral("AUT")));
        QVERIFY(window.astraHDButton->isHidden());
        QVERIFY(!window.insertButton->isChecked());
        QCOMPARE(window.insertButton->text(), QStringLiteral("| Swap Mode"));
        QCOMPARE(MainGrid::insertMode(), 0);
    }

    void newDocumentReplacesAndDeletesTheOld() {
        bool firstDeleted = false;
        bool secondDeleted = false;
        {
            TestWindow window;
            auto *first = new TrackedDocument(&firstDeleted);
            first->airList()->append(SampleDocument::air(QStringLiteral("One"), 1, 500.0f));
            openSample(window, first);
            QCOMPARE(window.mainGridOf(0)->rowCount(), 1);
            auto *second = new TrackedDocument(&secondDeleted);
            second->airList()->append(SampleDocument::air(QStringLiteral("A"), 1, 500.0f));
            second->airList()->append(SampleDocument::air(QStringLiteral("B"), 2, 508.0f));
            openSample(window, second);
            QVERIFY(firstDeleted);
            QVERIFY(!secondDeleted);
            QCOMPARE(window.mainGridOf(0)->rowCount(), 2);
            QCOMPARE(window.mainStack->count(), 4);
        }
        // The window owns the document it shows.
        QVERIFY(secondDeleted);
    }

    void switchingListsAndCategories() {
        TestWindow window;
        openSample(window);
        window.cableButton->click();
        QCOMPARE(window.currentListId(), 1);
        QCOMPARE(window.mainStack->currentWidget(), window.mainGridOf(1));
        QCOMPARE(window.leftFavStack->currentWidget(), window.leftFavGridOf(1));
        QCOMPARE(window.rightFavStack->currentWidget(), window.rightFavGridOf(1));
        QCOMPARE(window.channelCount->text(), QStringLiteral("Channels in list: 11"));
        QCOMPARE(window.undoStack.state(), UndoState(1, 7, 0, 0, -1));

        window.radioButton->click();
        QCOMPARE(window.currentCategoryId(), 2);
        QCOMPARE(window.channelCount->text(), QStringLiteral("Channels in list: 1"));
        QCOMPARE(window.undoStack.state().filterId, 2);
        // Every list switch lands on the all category.
        window.airButton->click();
        QCOMPARE(window.currentCategoryId(), 7);
        QCOMPARE(window.channelCount->text(), QStringLiteral("Channels in list: 14"));
        window.dataButton->click();
        QCOMPARE(window.mainGridOf(0)->visibleCount(), 1);
        // Satellite lists are shown on the satellite tab only.
        QVERIFY(window.satListData->isHidden());

        window.astraHDButton->click();
        QVERIFY(window.insertButton->isHidden());
        QVERIFY(!window.astraHDCopyButton->isHidden());
        QVERIFY(window.actionAstraHDCopy->isVisible());
        window.satButton->click();
        QVERIFY(!window.insertButton->isHidden());
        QVERIFY(window.astraHDCopyButton->isHidden());
        QVERIFY(!window.actionAstraHDCopy->isVisible());
        QVERIFY(!window.actionAstraHDCopy->isEnabled());
    }

    void satellitePanel() {
        TestWindow window;
        openSample(window);
        const int satellitesBefore = SatelliteChannel::satellites.size();
        auto ids = [](QListWidget *list) {
            QList<int> result;
            for (int row = 0; row < list->count(); ++row)
                result << list->item(row)->type() - 1000;
            return result;
        };
        using namespace SampleDocument;
        // Rows in ascending satellite id, one per satellite with channels of the category.
        QCOMPARE(ids(window.satListAll), (QList<int>{HOTBIRD_13, ASTRA_19, ASTRA_28, UNKNOWN_SATELLITE}));
        QCOMPARE(ids(window.satListRadio), (QList<int>{HOTBIRD_13, ASTRA_19, ASTRA_28}));
        QCOMPARE(ids(window.satListData), (QList<int>{ASTRA_19}));
        QCOMPARE(window.satListAll->item(1)->text(), QStringLiteral("     Astra 19.2E"));
        QCOMPARE(window.satListAll->item(1)->toolTip(), QStringLiteral("Astra 19.2E:\t12"));
        QCOMPARE(window.satListRadio->item(0)->toolTip(), QStringLiteral("Hotbird 13.0E:\t1"));
        QCOMPARE(window.satListData->maximumHeight(), 27);
        // A satellite the database lacks gets a row without name and is not added to the database.
        QCOMPARE(window.satListAll->item(3)->text(), QStringLiteral("     "));
        QCOMPARE(window.satListAll->item(3)->toolTip(), QStringLiteral(":\t1"));
        QCOMPARE(SatelliteChannel::satellites.size(), satellitesBefore);
        QVERIFY(!SatelliteChannel::satellites.contains(UNKNOWN_SATELLITE));

        window.satButton->click();
        window.CustomMainWindow::show();
        QVERIFY(window.satListAll->isVisible());
        QVERIFY(!window.satListTv->isVisible());
        window.tvButton->click();
        QVERIFY(window.satListTv->isVisible());
        QVERIFY(!window.satListAll->isVisible());
        // Choosing a satellite filters by it and by the category.
        QListWidgetItem *hotbird = window.satListTv->item(0);
        window.satListTv->setCurrentItem(hotbird);
        emit window.satListTv->itemClicked(hotbird);
        QCOMPARE(window.channelCount->text(), QStringLiteral("Channels in list: 2"));
        window.storeViewState();
        QCOMPARE(window.undoStack.state(), UndoState(2, 1, 0, 0, HOTBIRD_13));
        // The category button again shows every satellite of the category.
        window.tvButton->click();
        QCOMPARE(window.channelCount->text(), QStringLiteral("Channels in list: 13"));
        QVERIFY(window.satListTv->selectedItems().isEmpty());
        // The favourites category hides every satellite list.
        window.myChannelsButton->click();
        QVERIFY(!window.satListTv->isVisible());
    }

    void enablingRules() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        MainGrid *air = window.mainGridOf(0);
        // Nothing selected: nothing to edit, everything to select.
        QVERIFY(window.toolsFrame->isEnabled());
        QVERIFY(!window.deleteButton->isEnabled());
        QVERIFY(!window.actionDelete->isEnabled());
        QVERIFY(!window.fav1Button->isEnabled());
        QVERIFY(!window.menuMyChannels->isEnabled());
        QVERIFY(window.actionSelectAll->isEnabled());
        QVERIFY(!window.actionDeselectAll->isEnabled());
        QVERIFY(!window.actionUndo->isEnabled());
        QVERIFY(window.astraHDCopyButton->isHidden());

        clickRow(air, rowOfName(air, QStringLiteral("arte HD")));
        QVERIFY(window.deleteButton->isEnabled());
        QVERIFY(window.actionDelete->isEnabled());
        QVERIFY(window.lockButton->isEnabled());
        QVERIFY(window.actionLock->isEnabled());
        QVERIFY(window.menuMyChannels->isEnabled());
        for (QPushButton *fav : {window.fav1Button, window.fav5Button})
            QVERIFY(fav->isEnabled());
        QVERIFY(window.actionMy5->isEnabled());
        QVERIFY(!window.actionMy1->isChecked());

        // Select all and deselect all act on the shown table.
        window.actionSelectAll->trigger();
        QCOMPARE(air->checkedCount(), 14);
        QCOMPARE(window.selectionLabel->text(), QStringLiteral("14 channels selected"));
        QVERIFY(!window.actionSelectAll->isEnabled());
        QVERIFY(window.actionDeselectAll->isEnabled());
        window.actionDeselectAll->trigger();
        QCOMPARE(air->checkedCount(), 0);
        air->setRowChecked(rowOfName(air, QStringLiteral("ZDF HD")), true);
        QApplication::processEvents();
        QCOMPARE(window.selectionLabel->text(), QStringLiteral("1 channel selected"));

        // A locked channel can only be unlocked.
        window.on_childLockStateChanged(MainGrid::AllLocked);
        QVERIFY(!window.lockButton->isEnabled());
        QVERIFY(window.unlockButton->isEnabled());
        window.on_childLockStateChanged(MainGrid::NoneLocked);
        QVERIFY(window.lockButton->isEnabled());
        QVERIFY(!window.unlockButton->isEnabled());
        window.on_childLockStateChanged(MainGrid::PartiallyLocked);
        QVERIFY(window.lockButton->isEnabled() && window.unlockButton->isEnabled());
        // Nothing selected: nothing to lock or unlock.
        window.on_childLockStateChanged(MainGrid::NothingSelected);
        QVERIFY(!window.actionLock->isEnabled() && !window.actionUnlock->isEnabled());
    }

    void selectionControlsFollowTheCheckMarksAfterAFilterPass() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.satButton->click();
        MainGrid *satellite = window.mainGridOf(2);
        satellite->toggleAll();
        QVERIFY(window.lockButton->isEnabled());
        QVERIFY(window.fav1Button->isEnabled());
        // Choosing a satellite unchecks every row and leaves none current: nothing to lock, unlock, put into
        // a favourites list or deselect.
        QListWidgetItem *hotbird = window.satListAll->item(0);
        window.satListAll->setCurrentItem(hotbird);
        emit window.satListAll->itemClicked(hotbird);
        QVERIFY(!satellite->hasSelection());
        for (QAction *action : {window.actionLock, window.actionUnlock, window.actionDeselectAll})
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        for (QPushButton *button :
             {window.lockButton, window.unlockButton, window.fav1Button, window.fav5Button})
            QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
        QVERIFY(!window.menuMyChannels->isEnabled());
    }

    void selectAllAndDeselectAllFollowEachCheckMark() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        MainGrid *air = window.mainGridOf(0);
        const int checkColumn = air->columnIndex(Grid::CHECK_COLUMN);
        QList<int> shown;
        for (int row = 0; row < air->rowCount(); ++row) {
            if (air->isRowVisible(row))
                shown << row;
        }
        // Checked one click at a time: once every row is checked there is nothing left to select.
        for (int row : std::as_const(shown))
            air->on_cellClicked(row, checkColumn);
        QCOMPARE(air->checkedCount(), shown.size());
        QVERIFY(!window.actionSelectAll->isEnabled());
        QVERIFY(window.actionDeselectAll->isEnabled());
        // And unchecked again: nothing left to deselect.
        for (int row : std::as_const(shown))
            air->on_cellClicked(row, checkColumn);
        QVERIFY(window.actionSelectAll->isEnabled());
        QVERIFY(!window.actionDeselectAll->isEnabled());
    }

    void selectAllFollowsTheRowsAChosenSatelliteShows() {
        // Feed 7, the only channel on its satellite, deleted: the panel keeps the satellite's row, which then
        // shows no channel.
        ChannelListProvider *document = SampleDocument::create();
        ChannelList<SatelliteChannel> *channels = document->satelliteList();
        channels->channelAt(channels->size() - 1)->setDeleted(true);
        TestWindow window;
        openSample(window, document);
        window.CustomMainWindow::show();
        window.satButton->click();
        MainGrid *satellite = window.mainGridOf(2);
        auto choose = [&window](int row) {
            QListWidgetItem *item = window.satListAll->item(row);
            window.satListAll->setCurrentItem(item);
            emit window.satListAll->itemClicked(item);
        };
        // No check mark changes on the way: only the rows shown decide.
        QVERIFY(window.actionSelectAll->isEnabled());
        choose(3);
        QCOMPARE(satellite->visibleCount(), 0);
        QVERIFY(!window.actionSelectAll->isEnabled());
        choose(0);
        QCOMPARE(satellite->visibleCount(), 3);
        QVERIFY(window.actionSelectAll->isEnabled());
        QVERIFY(!window.actionDeselectAll->isEnabled());
    }

    void locksFollowTheFormat_data() {
        QTest::addColumn<int>("formatCode");
        QTest::addColumn<int>("lists");
        QTest::newRow("2010-01") << 3 << 4;
        QTest::newRow("universal") << 0 << 0;
    }

    void locksFollowTheFormat() {
        QFETCH(int, formatCode);
        QFETCH(int, lists);
        const bool kept = formatCode != 0;
        TestWindow window;
        openSample(window, SampleDocument::create(QStringLiteral("DEU"), formatCode, lists));
        window.CustomMainWindow::show();
        MainGrid *air = window.mainGridOf(0);
        const int arte = rowOfName(air, QStringLiteral("arte HD"));
        const int zdf = rowOfName(air, QStringLiteral("ZDF HD")); // locked
        // Check marks on a locked and an unlocked channel answer as a current row does.
        air->setRowChecked(zdf, true);
        air->setRowChecked(arte, true);
        QCOMPARE(window.lockButton->isEnabled(), kept);
        QCOMPARE(window.unlockButton->isEnabled(), kept);
        air->setRowChecked(zdf, false);
        air->setRowChecked(arte, false);
        clickRow(air, arte);
        QCOMPARE(window.lockButton->isEnabled(), kept);
        QCOMPARE(window.actionLock->isEnabled(), kept);
        QCOMPARE(air->isLockEnabled(), kept);
        // A format without locks takes none, whichever way the edit is asked for.
        window.on_actionLock(true);
        QCOMPARE(air->currentChannel()->isLocked(), kept);
        QCOMPARE(window.undoStack.count(), kept ? 1 : 0);
        QCOMPARE(window.unlockButton->isEnabled(), kept);
        QCOMPARE(window.actionUnlock->isEnabled(), kept);
    }

    void favouritesFollowTheFormat_data() {
        QTest::addColumn<int>("formatCode");
        QTest::addColumn<int>("lists");
        QTest::newRow("2010-01") << 3 << 4;
        QTest::newRow("2012-01") << 5 << 5;
        QTest::newRow("universal") << 0 << 0;
    }

    void favouritesFollowTheFormat() {
        QFETCH(int, formatCode);
        QFETCH(int, lists);
        TestWindow window;
        openSample(window, SampleDocument::create(QStringLiteral("DEU"), formatCode, lists));
        window.CustomMainWindow::show();
        MainGrid *air = window.mainGridOf(0);
        clickRow(air, 0);
        const QList<QPushButton *> buttons{window.fav1Button, window.fav2Button, window.fav3Button,
                                           window.fav4Button, window.fav5Button};
        const QList<QAction *> actions{window.actionMy1, window.actionMy2, window.actionMy3, window.actionMy4,
                                       window.actionMy5};
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(buttons[k - 1]->isEnabled(), k <= lists);
            QCOMPARE(actions[k - 1]->isEnabled(), k <= lists);
        }
        // The first channel is in favourites list 1: its check mark shows in the Edit menu.
        window.on_menuEditAboutToShow();
        QVERIFY(window.actionMy1->isChecked());
        QVERIFY(!window.actionMy2->isChecked());
        // The right favourites filter offers only the lists the format knows.
        const QList<QAction *> offered = window.fav2Filter->itemMenu()->actions();
        int visible = 0;
        for (QAction *item : offered)
            visible += item->isVisible() ? 1 : 0;
        QCOMPARE(visible, lists);
        // Favourites tables keep an order only for "2012-01".
        QCOMPARE(window.rightFavGridOf(0)->isOrdered(), formatCode == 5);
        QCOMPARE(window.leftFavGridOf(0)->isOrdered(), false);

        // The favourites page edits only lists the format holds.
        window.myChannelsButton->click();
        FavGrid *left = window.currentLeftFavGrid();
        FavGrid *right = window.currentRightFavGrid();
        clickRow(left, rowOfName(left, QStringLiteral("arte HD")));
        window.on_fav1cellClicked(0, 0);
        QCOMPARE(window.addButton->isEnabled(), lists > 0);
        window.on_addButton_clicked();
        clickRow(right, rowOfName(right, QStringLiteral("ZDF HD")));
        window.on_fav2cellClicked(0, 0);
        QCOMPARE(window.subButton->isEnabled(), lists > 0);
        window.on_subButton_clicked();
        QCOMPARE(window.undoStack.count(), lists > 0 ? 2 : 0);
    }

    void favouritesPage() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.fav1Filter->setCurrentIndex(2);
        window.myChannelsButton->click();
        // Entering the page resets both filters and shows list 1's members on the right.
        QCOMPARE(window.mainPanels->currentIndex(), 1);
        QCOMPARE(window.fav1Filter->currentIndex(), 0);
        QCOMPARE(window.fav2Filter->currentIndex(), 0);
        FavGrid *left = window.currentLeftFavGrid();
        FavGrid *right = window.currentRightFavGrid();
        QCOMPARE(left, window.leftFavGridOf(0));
        QCOMPARE(right->visibleCount(), 2);
        QCOMPARE(left->visibleCount(), 14);
        QVERIFY(window.channelCount->isHidden());
        QCOMPARE(window.selectionLabel->text(), QStringLiteral("0 selected on Left  |  0 selected on Right"));
        QCOMPARE(window.undoStack.state(), UndoState(0, 0, 0, 0, -1));
        // Nothing selected: neither button does anything.
        QVERIFY(!window.addButton->isEnabled());
        QVERIFY(!window.subButton->isEnabled());
        QVERIFY(!window.actionSelectAll->isEnabled());
        for (QAction *a : {window.actionDelete, window.actionLock, window.actionRename, window.actionMy1})
            QVERIFY(!a->isEnabled());
        QVERIFY(!window.actionAstraHDCopy->isVisible());

        // The filters choose the left table's types and the favourites list on the right.
        window.fav2Filter->setCurrentIndex(1);
        QCOMPARE(right->visibleCount(), 1);
        QCOMPARE(window.undoStack.state(), UndoState(0, 0, 0, 1, -1));
        QCOMPARE(right->favIndex(), 2);
        window.fav1Filter->setCurrentIndex(2);
        QCOMPARE(left->visibleCount(), 2);
        QCOMPARE(window.undoStack.state(), UndoState(0, 0, 2, 1, -1));

        // A click into one table clears the other's current row; the buttons follow.
        window.fav1Filter->setCurrentIndex(0);
        clickRow(right, rowOfName(right, QStringLiteral("3sat HD")));
        QVERIFY(right->hasCurrent());
        // Add follows the left table alone.
        window.on_fav2cellClicked(0, 0);
        QVERIFY(!window.addButton->isEnabled());
        QVERIFY(window.subButton->isEnabled());
        clickRow(left, rowOfName(left, QStringLiteral("arte HD")));
        window.on_fav1cellClicked(0, 0);
        QVERIFY(!right->hasCurrent());
        QVERIFY(window.addButton->isEnabled());
        QVERIFY(!window.subButton->isEnabled());
        QVERIFY(window.actionSelectAll->isEnabled());
        window.actionSelectAll->trigger();
        QCOMPARE(left->checkedCount(), left->checkableCount());
        // Remove follows the right table alone.
        QVERIFY(!window.subButton->isEnabled());
        QCOMPARE(window.selectionLabel->text(),
                 QStringLiteral("%1 selected on Left  |  0 selected on Right").arg(left->checkedCount()));

        // The add button puts the checked channels into the chosen list as one undo step; the remove button
        // takes the right table's selection out again.
        const int added = left->checkedCount();
        window.on_addButton_clicked();
        QCOMPARE(right->visibleCount(), 1 + added);
        QCOMPARE(right->checkedCount(), added);
        window.on_subButton_clicked();
        QCOMPARE(right->visibleCount(), 1);
        window.actionUndo->trigger();
        QCOMPARE(right->visibleCount(), 1 + added);
        window.actionUndo->trigger();
        QCOMPARE(right->visibleCount(), 1);

        // Another category returns to the lists page.
        window.allButton->click();
        QCOMPARE(window.mainPanels->currentIndex(), 0);
        QVERIFY(!window.channelCount->isHidden());
    }

    void favouritesPageAddsAndRemoves() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.myChannelsButton->click();
        FavGrid *left = window.currentLeftFavGrid();
        FavGrid *right = window.currentRightFavGrid();
        Channel *arte = left->channelAt(rowOfName(left, QStringLiteral("arte HD")));
        clickRow(left, rowOfName(left, QStringLiteral("arte HD")));
        window.on_fav1cellClicked(0, 0);
        QVERIFY(window.addButton->isEnabled());
        window.addButton->click();
        // Ordered lists give the new member the next position.
        QCOMPARE(arte->favouritePosition(1), 3);
        QCOMPARE(right->visibleCount(), 3);
        QVERIFY(window.isModified());
        // The right table marks what it newly shows; clear that before choosing a member to remove.
        QCOMPARE(right->checkedCount(), 1);
        right->deselectAll(true);

        Channel *zdf = right->channelAt(rowOfName(right, QStringLiteral("ZDF HD")));
        clickRow(right, rowOfName(right, QStringLiteral("ZDF HD")));
        window.on_fav2cellClicked(0, 0);
        QVERIFY(!left->hasCurrent());
        QVERIFY(window.subButton->isEnabled());
        window.subButton->click();
        QVERIFY(!zdf->isInFavourites(1));
        // The members after the removed one close the gap.
        QCOMPARE(arte->favouritePosition(1), 2);

        // Undo from the lists page comes back to the favourites page and list.
        window.cableButton->click();
        window.actionUndo->trigger();
        QCOMPARE(window.currentListId(), 0);
        QCOMPARE(window.mainPanels->currentIndex(), 1);
        QCOMPARE(zdf->favouritePosition(1), 2);
        window.actionUndo->trigger();
        QVERIFY(!arte->isInFavourites(1));
        QCOMPARE(window.currentRightFavGrid()->visibleCount(), 2);
    }

    void undoBringsBackTheViewOfTheEdit() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.cableButton->click();
        window.tvButton->click();
        MainGrid *cable = window.mainGridOf(1);
        const int row = rowOfName(cable, QStringLiteral("VOX HD"));
        clickRow(cable, row);
        Channel *vox = cable->channelAt(row);
        QVERIFY(!vox->isLocked());
        window.lockButton->click();
        QVERIFY(vox->isLocked());
        QVERIFY(window.isModified());
        QCOMPARE(window.modifiedLabel->text(), QStringLiteral("| Modified"));
        QVERIFY(window.actionUndo->isEnabled());
        QVERIFY(window.undoButton->isEnabled());

        // Elsewhere, undo returns to the cable list's TV category and then undoes.
        window.satButton->click();
        window.myChannelsButton->click();
        window.actionUndo->trigger();
        QVERIFY(!vox->isLocked());
        QCOMPARE(window.currentListId(), 1);
        QCOMPARE(window.currentCategoryId(), 1);
        QCOMPARE(window.mainPanels->currentIndex(), 0);
        QCOMPARE(window.mainStack->currentWidget(), cable);
        QVERIFY(window.isEnabled());
        QCOMPARE(window.modifiedLabel->text(), QString());
        window.airButton->click();
        window.actionRedo->trigger();
        QVERIFY(vox->isLocked());
        QCOMPARE(window.currentListId(), 1);

        window.markSaved();
        QVERIFY(!window.isModified());
        QVERIFY(!window.undoStack.canUndo());
    }

    void restoringAnotherListHidesTheSatellitePanel_data() {
        QTest::addColumn<int>("listId");
        QTest::addColumn<int>("categoryId");
        QTest::newRow("Astra HD+ list") << 3 << 7;
        QTest::newRow("air list, TV") << 0 << 1;
        QTest::newRow("air list, favourites page") << 0 << 0;
    }

    void restoringAnotherListHidesTheSatellitePanel() {
        // An undo brings back another list without a click on its tab: the satellite panel, which would
        // filter that list by satellite, goes all the same.
        QFETCH(int, listId);
        QFETCH(int, categoryId);
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.satButton->click();
        QVERIFY(window.satListAll->isVisible());
        window.restoreView(UndoState(listId, categoryId, 0, 0, -1));
        QCOMPARE(window.currentListId(), listId);
        for (QListWidget *list :
             {window.satListAll, window.satListTv, window.satListRadio, window.satListData})
            QVERIFY2(list->isHidden(), qPrintable(list->objectName()));
    }

    void editsBeyondTheUndoLimitStayModified() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.cableButton->click();
        MainGrid *cable = window.mainGridOf(1);
        const int row = rowOfName(cable, QStringLiteral("VOX HD"));
        clickRow(cable, row);
        Channel *vox = cable->channelAt(row);
        // One edit more than the history keeps: lock, unlock, lock, ... ending locked.
        for (int edit = 0; edit <= UndoStack::UNDO_LIMIT; ++edit)
            (edit % 2 == 0 ? window.lockButton : window.unlockButton)->click();
        QVERIFY(vox->isLocked());
        while (window.undoStack.canUndo())
            window.actionUndo->trigger();
        // The first lock is still in the document although nothing more can be undone.
        QVERIFY(vox->isLocked());
        QVERIFY(window.isModified());
        QCOMPARE(window.modifiedLabel->text(), QStringLiteral("| Modified"));
        window.markSaved();
        QVERIFY(!window.isModified());
        QCOMPARE(window.modifiedLabel->text(), QString());
    }

    void restoringTheFavouritesPageRecordsIt() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.restoreView(UndoState(2, 0, 1, 2, -1));
        QCOMPARE(window.currentListId(), 2);
        QCOMPARE(window.mainPanels->currentIndex(), 1);
        QCOMPARE(window.currentLeftFavGrid(), window.leftFavGridOf(2));
        QCOMPARE(window.leftFavStack->currentWidget(), window.leftFavGridOf(2));
        QCOMPARE(window.fav1Filter->currentIndex(), 1);
        QCOMPARE(window.fav2Filter->currentIndex(), 2);
        // The view recorded from inside the restore names the category being restored.
        QCOMPARE(window.undoStack.state(), UndoState(2, 0, 1, 2, -1));
        QVERIFY(window.isEnabled());

        window.restoreView(UndoState(2, 4, 0, 0, SampleDocument::ASTRA_19));
        QCOMPARE(window.currentCategoryId(), 4);
        QCOMPARE(window.mainPanels->currentIndex(), 0);
        QCOMPARE(window.satListData->selectedItems().size(), 1);
        QCOMPARE(window.mainGridOf(2)->visibleCount(), 1);
        // The restored satellite is the panel's choice again: a view recorded now names it.
        window.storeViewState();
        QCOMPARE(window.undoStack.state().satelliteId, int(SampleDocument::ASTRA_19));
    }

    void undoRestoresTheViewThatWasShownNotAnEarlierSatellite() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.satButton->click();
        // Hotbird chosen, then the category again: every satellite is on screen when the edit is made.
        QListWidgetItem *hotbird = window.satListAll->item(0);
        window.satListAll->setCurrentItem(hotbird);
        emit window.satListAll->itemClicked(hotbird);
        window.allButton->click();
        MainGrid *satellite = window.mainGridOf(2);
        const int shown = satellite->visibleCount();
        const int row = rowOfName(satellite, QStringLiteral("RTL")); // on Astra 19.2E
        clickRow(satellite, row);
        Channel *rtl = satellite->channelAt(row);
        window.lockButton->click();
        QVERIFY(rtl->isLocked());

        window.airButton->click();
        window.actionUndo->trigger();
        QVERIFY(!rtl->isLocked());
        QCOMPARE(window.currentListId(), 2);
        QCOMPARE(window.currentCategoryId(), 7);
        QCOMPARE(satellite->visibleCount(), shown);
        QVERIFY(satellite->isRowVisible(satellite->rowOfChannel(rtl)));
    }

    void undoThatSwitchesTheViewRecountsTheChannelsShown() {
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        window.cableButton->click();
        window.tvButton->click();
        MainGrid *cable = window.mainGridOf(1);
        clickRow(cable, rowOfName(cable, QStringLiteral("VOX HD")));
        window.lockButton->click();
        window.airButton->click();
        const QString airCount = window.channelCount->text();

        window.actionUndo->trigger();
        QCOMPARE(window.currentListId(), 1);
        const QString cableCount =
            QStringLiteral("Channels in list: ") + QString::number(cable->visibleCount());
        QVERIFY(cableCount != airCount);
        QCOMPARE(window.channelCount->text(), cableCount);
    }

    void headerBoxFollowsTheMarksAnUndoOrRedoLeaves_data() {
        QTest::addColumn<int>("edit");
        QTest::addColumn<bool>("redo");
        // 0 lock, 1 unlock, 2 into favourites list 1.
        QTest::newRow("lock, undo") << 0 << false;
        QTest::newRow("lock, redo") << 0 << true;
        QTest::newRow("unlock, undo") << 1 << false;
        QTest::newRow("unlock, redo") << 1 << true;
        QTest::newRow("favourites, undo") << 2 << false;
        QTest::newRow("favourites, redo") << 2 << true;
    }

    void headerBoxFollowsTheMarksAnUndoOrRedoLeaves() {
        // The table is sorted by no column the edit changes: the header's box must follow the marks all the
        // same, or a click on it acts on marks the user does not see.
        QFETCH(int, edit);
        QFETCH(bool, redo);
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        MainGrid *air = window.mainGridOf(0);
        window.actionSelectAll->trigger();
        switch (edit) {
        case 0:
            window.lockButton->click();
            break;
        case 1:
            window.lockButton->click();
            window.unlockButton->click();
            break;
        default:
            window.fav1Button->click();
            break;
        }
        if (redo)
            window.actionUndo->trigger();
        window.actionDeselectAll->trigger();
        QCOMPARE(air->header()->checkState(), 0);
        (redo ? window.actionRedo : window.actionUndo)->trigger();
        // The rows of the edit come back checked: every row, or all but the members the favourites edit
        // left alone.
        const int checked = air->checkedCount();
        QVERIFY(checked > 0);
        QCOMPARE(air->header()->checkState(), checked == air->checkableCount() ? 2 : 1);
    }

    void countTipsFollowEditsAndTheListAnUndoShows_data() {
        QTest::addColumn<int>("edit");
        // 0 the My Fav 3 button, 1 the Edit menu's My Fav 3 entry, 2 a lock on the cable list undone from
        // the air list.
        QTest::newRow("My Fav button") << 0;
        QTest::newRow("Edit menu's favourites entry") << 1;
        QTest::newRow("undo onto another list") << 2;
    }

    void countTipsFollowEditsAndTheListAnUndoShows() {
        QFETCH(int, edit);
        TestWindow window;
        openSample(window);
        window.CustomMainWindow::show();
        if (edit == 2) {
            window.cableButton->click();
            MainGrid *cable = window.mainGridOf(1);
            clickRow(cable, rowOfName(cable, QStringLiteral("VOX HD")));
            window.lockButton->click();
            window.airButton->click();
            window.actionUndo->trigger();
            QCOMPARE(window.currentListId(), 1);
        } else {
            MainGrid *air = window.mainGridOf(0);
            clickRow(air, rowOfName(air, QStringLiteral("arte HD")));
            if (edit == 0)
                window.fav3Button->click();
            else
                window.actionMy3->trigger();
            QVERIFY(air->channelAt(rowOfName(air, QStringLiteral("arte HD")))->isInFavourites(3));
        }
        const QString favourites = window.myChannelsButton->toolTip();
        const QString tv = window.tvButton->toolTip();
        // A click on the shown list's tab counts the list afresh: the tips already showed those counts.
        window.listButtonGroup.button(window.currentListId())->click();
        QCOMPARE(favourites, window.myChannelsButton->toolTip());
        QCOMPARE(tv, window.tvButton->toolTip());
    }

    void titleAndSmallQueries() {
        TestWindow window;
        window.setTitle(QStringLiteral("/tmp/some/a.rvl"));
        QCOMPARE(window.windowTitle(), QStringLiteral("a.rvl - Tunelane"));
        window.setTitle(QString());
        QCOMPARE(window.windowTitle(), QStringLiteral("Tunelane"));
        QCOMPARE(window.typeMaskOfFavFilter(0), 7);
        QCOMPARE(window.typeMaskOfFavFilter(1), 1);
        QCOMPARE(window.typeMaskOfFavFilter(2), 2);
        QCOMPARE(window.typeMaskOfFavFilter(3), 4);
        QCOMPARE(window.typeMaskOfFavFilter(4), 7);
        QVERIFY(MainWindow::isGermanCountry(QStringLiteral("DEU")));
        QVERIFY(!MainWindow::isGermanCountry(QStringLiteral("deu")));
        QVERIFY(!MainWindow::isGermanCountry(QStringLiteral("*")));
    }

    void closingTheDocumentForgetsItsTables() {
        TestWindow window;
        openSample(window);
        window.closeDocument();
        QVERIFY(!window.isFileLoaded());
        QCOMPARE(window.mainStack->count(), 0);
        QCOMPARE(window.leftFavStack->count(), 0);
        QVERIFY(window.mainGrids.isEmpty());
        QVERIFY(!window.menuEdit->isEnabled());
        QVERIFY(!window.actionSave->isEnabled());
        window.closeDocument();
        QCOMPARE(window.rightFavStack->count(), 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
