#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "core/liststatistics.h"
#include "datafilehandlers/datadirector.h"
#include "tables/editcontext.h"
#include "tables/maingrid.h"
#include "tables/undostack.h"
#include "widgets/custommainwindow.h"

#include <QButtonGroup>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

class ChannelListProvider;
class ComboBox;
class FavGrid;
class Grid;
class IChListUploader;
class QAction;
class QCloseEvent;
class QFrame;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QSpacerItem;
class QSplitter;
class QStackedWidget;
class QVBoxLayout;
class QWidget;

// The one top-level window: the menus, the list tabs, the category panel with the satellite lists, the
// channel tables with their tool buttons, the favourites page and the status strip. It owns the open
// document, its tables and the undo stack, and every edit reaches the tables through it.
class MainWindow : public CustomMainWindow, public EditContext {
    Q_OBJECT

public:
    // (list id, table) pairs in the order the tables were made; drives the row upload of a load.
    using LoadList = QList<QPair<int, Grid *>>;

    MainWindow();
    ~MainWindow() override;

    // Installs a document that is already read: builds its tables, fills them and shows them in place of the
    // open document, which is deleted. The window takes ownership. The file path names the document (title,
    // Save target); it is not read.
    void showDocument(ChannelListProvider *document, const QString &file);

    // Document state.
    bool isFileLoaded() const { return fileLoaded; }
    bool isModified() const;
    void markSaved();
    ChannelListProvider *document() const { return provider.get(); }
    int currentListId() const;
    int currentCategoryId() const;
    bool isInsertMode() const;
    static bool isGermanCountry(const QString &country);
    int typeMaskOfFavFilter(int index) const;
    QString title() const;

    // The tables of the shown list; null when there is none. Never inserts into the table maps.
    MainGrid *currentMainGrid() override;
    FavGrid *currentLeftFavGrid() override;
    FavGrid *currentRightFavGrid() override;
    MainGrid *mainGridOf(int listId) const { return mainGrids.value(listId, nullptr); }
    FavGrid *leftFavGridOf(int listId) const { return leftFavGrids.value(listId, nullptr); }
    FavGrid *rightFavGridOf(int listId) const { return rightFavGrids.value(listId, nullptr); }

    // Texts and panel refreshes that the undo commands ask for.
    void refreshAfterEdit(bool allLists) override;
    void updateChannelCountLabel() override;
    void updateSatelliteLists() override;

    void updateActions();
    void updateStatus();
    void updateSelectionStatus();
    void updateFavButtons();
    // The part of updateActions that follows the check marks and the current row alone.
    void updateSelectionControls();
    // True when the document's format holds the favourites list chosen on the favourites page.
    bool chosenFavouritesListExists() const;
    void showFavouritesPage(int leftIndex, int rightIndex, bool refresh);

    // Document flows. loadFile reads the file into a new document under the progress dialog (or, with
    // convert, rebuilds the tables of the open document), fills its tables and installs it; true only when
    // the new document was installed. merge and convert are never both true. A quiet load is the read-back
    // after a save: it shows no progress dialog, takes no pause at the end, cannot be cancelled, and a failed
    // read says that the file was saved.
    bool loadFile(const QString &file, bool merge, const QString &country, bool convert, bool quiet = false);
    // Offers to save unsaved changes; false when the user chose Cancel, refused a lossy save or the save
    // failed.
    bool askSaveChanges();
    // One error box: the file's name, ": " and the message of the result code.
    void showFileError(const QString &title, const QString &file, int code, const QString &country);
    // The box of a read-back that failed after the save itself went through.
    void showReadBackError(const QString &file, int code, const QString &country);
    // countriesInFile: the countries a universal file offers when "*" could not choose among them.
    static QString fileErrorMessage(int code, const QString &country,
                                    const QStringList &countriesInFile = QStringList());
    // The box after a merge: the file's Astra HD+ channels a 2010-01 list left out, and the favourites
    // entries and child locks that went with the lists the merge replaced (the Astra HD+ list among them
    // unless astraReplaced is false). Empty when there is nothing to say.
    static QString mergeReport(int astraLeftOut, int memberships, int locks, bool astraReplaced);
    // Progress of the row upload after n rows of a document of total channels (three tables per list).
    static int rowProgress(int n, int total);
    // Gives the favourites members without a position the positions after the highest one of their list.
    static void numberUnpositionedFavourites(ChannelListProvider *document);

public slots:
    void show();
    void showWelcomeScreen();

    void on_checkedNumberChanged(int);
    void on_selectionStateChanged(bool);
    void on_renumberStateChanged(bool enabled);
    void on_deleteStateChanged(bool enabled);
    void on_AstraHDCopyStateChanged(bool enabled);
    void on_deleteButton_clicked();
    void on_astraHDCopyButton_clicked();
    void on_renameButton_clicked();
    void on_renumberButton_clicked();
    void on_unlockButton_clicked();
    void on_lockButton_clicked();
    void on_subButton_clicked();
    void on_addButton_clicked();
    void on_listButtonClicked(int id);
    void on_filterButtonClicked(int id);
    void on_favButtonClicked(int id);
    void on_fav1Filter_currentIndexChanged(int index);
    void on_fav2Filter_currentIndexChanged(int index);
    void on_fav1cellClicked(int row, int column);
    void on_fav2cellClicked(int row, int column);
    void on_insertButtonClicked(bool checked);
    void on_actionAbout_Program();
    void on_satListAllClicked(QListWidgetItem *item);
    void on_satListTvClicked(QListWidgetItem *item);
    void on_satListRadioClicked(QListWidgetItem *item);
    void on_satListDataClicked(QListWidgetItem *item);
    void on_childLockStateChanged(MainGrid::ChildLockSelStatus status);
    void on_hasChannelsChanged();
    void on_fav1HasChannelsChanged();
    void on_fav2HasChannelsChanged();
    void on_renameStateChanged(bool enabled);
    void on_menuEditAboutToShow();
    void on_menuMergeClicked(bool checked = true);
    void on_stateChangeRequest(UndoState state);
    void on_actionDelete(bool checked);
    void on_actionAstraHDCopy(bool checked);
    void on_actionRenumber(bool checked);
    void on_actionRename(bool checked);
    void on_actionLock(bool checked);
    void on_actionUnlock(bool checked);
    void on_actionSetFav1(bool checked);
    void on_actionSetFav2(bool checked);
    void on_actionSetFav3(bool checked);
    void on_actionSetFav4(bool checked);
    void on_actionSetFav5(bool checked);
    void on_actionSelectAll(bool checked);
    void on_actionDeselectAll(bool checked);
    void on_actionOpen(bool checked = true);
    void on_actionExit(bool checked = true);
    void on_actionSave(bool checked = true);
    void on_actionSaveAs(bool checked = true);
    void on_canUndoChanged(bool);
    void on_canRedoChanged(bool);
    void on_actionUndo(bool checked = true);
    void on_actionRedo(bool checked = true);

protected:
    // Asks to save unsaved changes, then closes the document; the event loop ends normally afterwards, so
    // everything the window owns (the director's working folder among it) is cleaned up on the way out.
    void closeEvent(QCloseEvent *event) override;

    // The view an undo step was made in: brought back before the step runs.
    void restoreView(const UndoState &state) override;

    // Form (built in code; object names are what the style sheet and the by-name slot links use).
    void setupUi();
    void retranslateUi();

    // Construction steps.
    void connectUndoStack();
    void loadStyleSheets();
    void applyStyleSheetFiles(const QStringList &paths);
    void connectListButtonGroup();
    void connectFilterButtonGroup();
    void connectSatelliteLists();
    void connectFavButtonGroup();
    void connectMenus();
    void fillFavFilters();
    void createPanelStacks();

    // Documents and their tables.
    void closeDocument();
    void connectGridSignals();
    void disconnectGridSignals();
    void removeGrids();
    void deleteGrids(const LoadList &list);
    IChListUploader *createUploader(ChannelListProvider *document, const QPair<int, Grid *> &pair);
    void createMainGrids(QMap<int, MainGrid *> &map, LoadList &list, bool ordered);
    void createFavGrids(QMap<int, FavGrid *> &map, LoadList &list, bool ordered, bool membershipOnly);
    void addGridsToStacks();
    // The install step of a load: the new document and its filled tables replace the open ones. A null
    // document keeps the open one, whose tables were rebuilt (a conversion); with merge the title and file
    // path stay.
    void installDocument(std::unique_ptr<ChannelListProvider> document, const QMap<int, MainGrid *> &main,
                         const QMap<int, FavGrid *> &left, const QMap<int, FavGrid *> &right,
                         const QString &file, bool merge);
    void applyCountryDefaults();
    // Asks before a save in the format (FF_KEEP for the document's own) that would not keep all the document
    // holds (lossy is set then), or that goes to an older model year; true when the save may go on.
    bool confirmSaveLosses(int format, bool &lossy);
    // Save and the save-changes question: writes the document to its file in its own format; false when the
    // user refused the loss or the save failed.
    bool saveInOwnFormat();
    // After a Save As, or a Save that lost something: reads the written file back as the document and shows
    // the view the user was in.
    void reopenSavedFile(const QString &file);
    void showViewAfterReopen(UndoState view);

    // Small state operations.
    void updateModifiedLabel();
    void updateInsertButtonVisibility();
    void setTitle(const QString &path);
    void setLastFilePath(const QString &path);
    QString lastDirectory();
    void updateFileDependentUi();
    void storeViewState();
    void showSatelliteList(int categoryId);
    void selectSatelliteRow(int categoryId, int satelliteId);
    void filterMainStack(QStackedWidget *stack, int typeMask, int satelliteId);
    void filterFavStack(QStackedWidget *stack, int favouriteNumber, bool uncheck);
    void applyFavPanelFilter(QStackedWidget *stack, int typeMask, int satelliteId, int favouriteNumber);

    // Views.
    void fillSatelliteLists();
    void appendSatelliteItem(QListWidget *list, int satelliteId);
    void updateListTooltips(QPushButton *button, const ListStatistics &s);
    void updateCategoryTooltips(const ListStatistics &s);
    void updateVersionCountryLabel(const QString &country, const QString &version);
    void showListPanels(int id);
    void applyCategoryFilter(int categoryId, bool refresh, int satelliteId);
    void satelliteRowClicked(int categoryId, QListWidgetItem *item);
    QPushButton *listButton(int listId) const;
    // The favourites table that select and deselect all act on; null when none qualifies.
    Grid *favouritesFocusGrid();

public:
    // Form widgets, named after their objects.
    QAction *actionOpen = nullptr;
    QAction *actionSave = nullptr;
    QAction *actionSaveAs = nullptr;
    QAction *actionExit = nullptr;
    QAction *actionUndo = nullptr;
    QAction *actionRedo = nullptr;
    QAction *actionRenumber = nullptr;
    QAction *actionRename = nullptr;
    QAction *actionLock = nullptr;
    QAction *actionAbout_Program = nullptr;
    QAction *actionUnlock = nullptr;
    QAction *actionMy1 = nullptr;
    QAction *actionMy2 = nullptr;
    QAction *actionMy3 = nullptr;
    QAction *actionMy4 = nullptr;
    QAction *actionMy5 = nullptr;
    QAction *actionSelectAll = nullptr;
    QAction *actionDeselectAll = nullptr;
    QAction *actionMerge = nullptr;
    QAction *actionDelete = nullptr;
    QAction *actionAstraHDCopy = nullptr;
    QAction *actionWelcomeScreen = nullptr;

    QVBoxLayout *verticalLayout = nullptr;
    QFrame *menuBarFrame = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QMenuBar *menuBar = nullptr;
    QMenu *menuFile = nullptr;
    QMenu *menuEdit = nullptr;
    QMenu *menuMyChannels = nullptr;
    QMenu *menuAbout = nullptr;

    QFrame *tabFrame = nullptr;
    QHBoxLayout *horizontalLayout_3 = nullptr;
    QFrame *spacer_1 = nullptr;
    QVBoxLayout *verticalLayout_6 = nullptr;
    QPushButton *airButton = nullptr;
    QFrame *spacer_2 = nullptr;
    QVBoxLayout *verticalLayout_8 = nullptr;
    QPushButton *cableButton = nullptr;
    QFrame *spacer_3 = nullptr;
    QVBoxLayout *verticalLayout_9 = nullptr;
    QPushButton *satButton = nullptr;
    QFrame *spacer_5 = nullptr;
    QVBoxLayout *verticalLayout_10 = nullptr;
    QPushButton *astraHDButton = nullptr;
    QFrame *spacer_4 = nullptr;
    QLabel *versionCountry = nullptr;

    QFrame *body = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;
    QSplitter *splitter = nullptr;
    QFrame *categoryFrame = nullptr;
    QVBoxLayout *verticalLayout_3 = nullptr;
    QLabel *label = nullptr;
    QRadioButton *allButton = nullptr;
    QListWidget *satListAll = nullptr;
    QRadioButton *tvButton = nullptr;
    QListWidget *satListTv = nullptr;
    QRadioButton *radioButton = nullptr;
    QListWidget *satListRadio = nullptr;
    QRadioButton *dataButton = nullptr;
    QListWidget *satListData = nullptr;
    QFrame *frame_3 = nullptr;
    QFrame *categorySplitter = nullptr;
    QFrame *frame_4 = nullptr;
    QRadioButton *myChannelsButton = nullptr;
    QStackedWidget *mainPanels = nullptr;
    QWidget *lists = nullptr;
    QVBoxLayout *verticalLayout_7 = nullptr;
    QFrame *toolsFrame = nullptr;
    QHBoxLayout *horizontalLayout_5 = nullptr;
    QPushButton *undoButton = nullptr;
    QPushButton *redoButton = nullptr;
    QPushButton *astraHDCopyButton = nullptr;
    QPushButton *deleteButton = nullptr;
    QPushButton *renumberButton = nullptr;
    QPushButton *renameButton = nullptr;
    QPushButton *lockButton = nullptr;
    QPushButton *unlockButton = nullptr;
    QPushButton *fav1Button = nullptr;
    QPushButton *fav2Button = nullptr;
    QPushButton *fav3Button = nullptr;
    QPushButton *fav4Button = nullptr;
    QPushButton *fav5Button = nullptr;
    QWidget *myChannels = nullptr;
    QHBoxLayout *myChannelsLayout = nullptr;
    QVBoxLayout *fav1Layout = nullptr;
    ComboBox *fav1Filter = nullptr;
    QVBoxLayout *buttonsLayout = nullptr;
    QPushButton *addButton = nullptr;
    QPushButton *subButton = nullptr;
    QVBoxLayout *fav2Layout = nullptr;
    ComboBox *fav2Filter = nullptr;
    QLabel *channelCount = nullptr;
    QSpacerItem *bodySpacer = nullptr;

    // The status widgets without object name.
    QPushButton *insertButton = nullptr;
    QLabel *selectionLabel = nullptr;
    QLabel *modifiedLabel = nullptr;

protected:
    // Satellite rows of the category panel carry this plus their satellite id as item type.
    static constexpr int SATELLITE_ITEM_TYPE = 1000;

    QButtonGroup listButtonGroup;
    QButtonGroup filterButtonGroup;
    QButtonGroup favButtonGroup;
    QStackedWidget *mainStack = nullptr;
    QStackedWidget *leftFavStack = nullptr;
    QStackedWidget *rightFavStack = nullptr;
    QMap<int, MainGrid *> mainGrids;
    QMap<int, FavGrid *> leftFavGrids;
    QMap<int, FavGrid *> rightFavGrids;
    QMap<int, int> favFilterTypeMasks;
    QMap<int, QListWidget *> satelliteLists;
    UndoStack undoStack;
    DataDirector dataDirector;
    // The open document; null before the first load and after close. The tables and the undo commands
    // point into it, so it is replaced or released only after they are gone.
    std::unique_ptr<ChannelListProvider> provider;
    QString lastFilePath;
    QString currentFile;
    bool fileLoaded = false;
    bool mergedSinceSave = false;
    // The read-back after the last save failed: the document may hold what its file does not, with no undo
    // step to show for it. Kept apart from the undo stack, whose clean state an empty stack cannot change.
    bool readBackFailed = false;
    ListStatistics statistics;
    // A load is between reading and installing: the window must not close under it.
    bool loadInProgress = false;

private:
    QFrame *statusBar = nullptr;
    QLabel *leftMenuSpacer = nullptr;
};

#endif
