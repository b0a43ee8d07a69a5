#ifndef MAINGRID_H
#define MAINGRID_H

#include "core/astrahdchannel.h"
#include "tables/grid.h"

#include <QDialogButtonBox>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QVector>

class QAction;
class RenumberGroupCmd;
class RowsByNumber;
class UndoStack;
struct AstraHDCopyPlan;

// The editable table of one channel list (0 air, 1 cable, 2 satellite, 3 Astra HD+). On top of Grid it
// builds the cells of each list kind, offers the fixed context menu, keeps per-selection counters that
// drive five state signals (the window enables its buttons from them), lets the user renumber channels by
// dragging rows, and makes the edits of lock, favourites, delete and renumbering as undo command trees.
//
// "Selected rows" means the checked rows when any row is checked, else the current visible row, else none.
// Every change to channels goes through the undo stack's commands; the commands call back setNumberCell,
// setNameCell, updateFavouriteCell and updateRow to keep the rows in step.
class MainGrid : public Grid {
    Q_OBJECT

public:
    enum ChildLockSelStatus { AllLocked = 0, PartiallyLocked = 1, NoneLocked = 2, NothingSelected = 3 };
    Q_ENUM(ChildLockSelStatus)

    // Number ranges by channel kind.
    static constexpr int ANALOGUE_LOWEST = 0;
    static constexpr int ANALOGUE_HIGHEST = 99;
    static constexpr int DIGITAL_LOWEST = 1;
    static constexpr int DIGITAL_HIGHEST = 9999;
    // The Astra HD+ favourite range is 1..99; channels outside it are copied into it, not edited in place.
    static constexpr int ASTRA_HD_RANGE_HIGHEST = AstraHDChannel::FAVOURITE_RANGE_LAST;

    MainGrid(QWidget *parent, int listKind, bool orderedFavourites);
    ~MainGrid() override;

    // Tables without parent, with the columns of their list kind. orderedFavourites is true only for
    // documents whose format keeps an order inside the favourites lists.
    static MainGrid *createAirGrid(bool orderedFavourites);
    static MainGrid *createCableGrid(bool orderedFavourites);
    static MainGrid *createSatelliteGrid(bool orderedFavourites);
    static MainGrid *createAstraHDGrid(bool orderedFavourites);

    // Swap (0) or insert (1) mode for number conflicts; one flag for every main table.
    static void setInsertMode(bool on);
    static int insertMode();
    // Adds the three pixel rows of the drop line (black, cyan, black). Called once at start-up.
    static void addDropBrush();
    static const QString &normalStyleSheet();
    static const QString &dragStyleSheet();

    // Lowest and highest number of a channel kind (1 analogue, 0 digital), and its range message.
    static int lowestNumber(int kind);
    static int highestNumber(int kind);
    static QString rangeText(int kind);

    bool orderedFavourites() const { return m_orderedFavourites; }
    // False for a document whose format keeps no child locks: lock and unlock are then neither offered nor
    // made, since no save could keep them.
    void setLocksKept(bool kept) { m_locksKept = kept; }
    bool locksKept() const { return m_locksKept; }
    bool isAstraHD() const { return listKind() == ASTRA_HD_LIST; }

    // Row building (the list uploader calls these) and refreshing.
    void addAirRow(AirChannel *channel, int row) override;
    void addCableRow(CableChannel *channel, int row) override;
    void addSatelliteRow(SatelliteChannel *channel, int row) override;
    void addAstraHDRow(AstraHDChannel *channel, int row) override;
    void refreshAllRows(bool clearModified) override;
    void sortDefault() override;
    void createContextMenu() override;
    // Rebinds the row to the channel and rewrites all its cells (as an Astra HD+ row); shows the row unless
    // the channel is marked deleted.
    virtual void updateRow(Channel *channel, int row);

    // Cell writers of the commands: set the channel's number / name and the cell, inside the sorting
    // suspension so the write is never mistaken for a user edit.
    using Grid::setNameCell;
    using Grid::setNumberCell;
    void setNumberCell(int row, int number);
    void setNameCell(int row, const QString &name);
    // Refreshes the favourites icon of the item's row and sets its check mark (hidden rows stay unchecked).
    void updateFavouriteCell(CheckBoxItem *item, bool checked);

    // Menu and window queries.
    void enableFavouriteActions(int count);
    int favouritesMaskOfSelection() const;
    void editSelectedCell(int columnId);
    bool isDeleteEnabled() const;
    bool isRenameEnabled() const;
    bool isLockEnabled() const;
    bool isUnlockEnabled() const;
    bool isRenumberEnabled() const;
    bool isAstraHDCopyEnabled() const;

    // Selection counters and the state last emitted.
    ChildLockSelStatus childLockStatus() const { return m_childLockStatus; }
    int lockedCheckedCount() const { return m_lockedCheckedCount; }
    int checkedDigitalCount() const { return m_checkedDigitalCount; }
    int checkedAnalogueCount() const { return m_checkedAnalogueCount; }
    int checkedOutOfRangeCount() const { return m_checkedOutOfRangeCount; }
    bool isDragMode() const { return m_dragMode; }
    QMenu *menu() const { return contextMenu(); }
    // Recounts the selection counters from the check marks and reports every state that changed. The
    // commands call it after each run: a run may change the lock or number of rows that stay checked.
    void refreshSelectionState();

    // Lock, favourites and delete edits: each pushes one undo step.
    void setChildLock(bool lock);
    // Marks the selected rows' channels deleted (air, cable and satellite lists).
    void deleteChannels();
    virtual void setFavourite(int favList, bool add);
    // Adds the selection to favList when any selected channel is not a member, else removes it.
    void toggleFavourite(int favList);

    // Renumbering support shared by number edits, moves, drops and the Astra HD+ range operations.
    //
    // Channels hidden only by the category or satellite filter keep their numbers in the document, so they
    // count as taken numbers and can be pushed along like shown ones; they are never moved themselves.
    //
    // Appends the rows a drag moves: every checked shown row when dragRow is checked, else dragRow.
    void rowsToMove(QList<int> &rows, int dragRow) const;
    // Whether moving `rows` to dropNumber and onwards (in the sort direction) fits the kind's range with
    // every channel of the kind that stands at or beyond dropNumber pushed along; slack is the room left.
    bool validateDrop(int &slack, int kind, int dropNumber, const QList<int> &rows, int dragRow,
                      int anchorRow, int limit, bool dropBeforeBelow, bool ascending) const;
    // Numbers the dragged rows from `number` on and pushes the channels of the kind that stand in the way on
    // by one each, as far as the first gap; pushes one renumber step. validateDrop must have accepted it.
    void moveDraggedRows(int dragRow, int anchorRow, int kind, const QList<int> &rows, bool ascending,
                         int number);
    // Highest start number for inserting the selected channels of the kind (checked rows, or the current
    // row); never above the kind's highest number.
    int countFreeNumbers(int kind, bool useChecked) const;
    // Lowest number of the checked block and the highest number its first channel can get while the block
    // keeps its gaps; false when no block move is possible.
    bool checkedNumberRange(int &lowest, int &highestStart) const;
    // rowA gets rowB's number and rowB rowA's; without a group the two make one pushed undo step.
    void swapNumbers(int rowA, int rowB, RenumberGroupCmd *group);
    void ensureRenumberGroup(RenumberGroupCmd *&group);
    // Asks whether a taken number may be swapped; true when the user accepted.
    virtual bool confirmSwap(int number);

    // Number and name edits, moves and drops. A refused or cancelled cell edit writes the channel's own
    // value back into the cell and pushes nothing.
    void renumberFromCell(int row, QTableWidgetItem *item);
    void renameFromCell(int row, QTableWidgetItem *item);
    // Moves the checked block so that its lowest channel gets target, keeping the gaps inside the block;
    // a taken number is swapped after asking. Pushes one undo step (also after Cancel, for the moves made).
    void moveCheckedBy(int target);
    // Inserts the moved channels (checked rows or the current row, only singleRow when it is not -1) at
    // target, pushing the channels in the way down or filling empty slots. False when nothing was pushed.
    bool moveToNumber(int target, int kind, bool checkedMode, int singleRow);
    // The drop that ends a row drag, with the drop point dragMoveEvent found: numbers the dragged rows from
    // the number after the row above (or from the kind's first number) and pushes the channels in the way.
    void dropAt(int dragRow, int dropRowAbove, int dropRowBelow, bool dropBeforeBelow);
    void showDragRangeError(bool analogue);
    // Up to five characters: space, 0-9, A-Z and / * - + . (the name is upper-cased before the check).
    static bool isValidAnalogueName(const QString &name);

    // The next favourites positions for a copied channel: for each list where ch has a position, the
    // list's next position (currentFav[list-1] goes up); -1 and -2 are kept.
    static void getNextFavourites(QVector<int> &currentFav, QVector<int> &newFav, Channel *ch);

    // Drag mode (row dragging renumbers channels).
    void beginDragMode();
    void endDragMode();

signals:
    void childLockStateChanged(MainGrid::ChildLockSelStatus status);
    void renameStateChanged(bool multiple);
    void renumberStateChanged(bool enabled);
    void deleteStateChanged(bool enabled);
    void astraHDCopyStateChanged(bool enabled);

public slots:
    void actionDelete(bool checked = true);
    void actionAstraHDCopy();
    bool actionAstraHDMove(int newChannelNumber = -1);
    void actionRenumberMove();
    void actionRenumber(bool checked = true);
    void actionRename(bool checked = true);
    void actionMove(bool checked = true);
    void actionLock(bool checked = true);
    void actionUnlock(bool checked = true);
    void actionSetFav1(bool checked = true);
    void actionSetFav2(bool checked = true);
    void actionSetFav3(bool checked = true);
    void actionSetFav4(bool checked = true);
    void actionSetFav5(bool checked = true);
    void on_cellChanged(int row, int column);

protected slots:
    void on_currentChannelChanged(int row);
    void on_channelChecked(int row);
    void on_channelUnchecked(int row);
    void on_filterFinished();
    void on_listLoaded();
    void on_selectionStateChanged(bool selected);

protected:
    bool event(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void drawCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) override;
    // Drops renumber channels, which the table offers as a link action. A drag never moves or copies
    // items: the toolkit would remove the dragged rows after a move, and commands point at their items.
    Qt::DropActions supportedDropActions() const override;
    void startDrag(Qt::DropActions supportedActions) override;

    // Deletes in the Astra HD+ list renumber the favourite range (closing the gap).
    virtual void deleteAstraHDChannels();

    // The questions and messages of the edits. Tests answer them without a modal loop.
    enum MessageIcon { EXCLAMATION_ICON, CRITICAL_ICON };
    virtual QDialogButtonBox::StandardButton askSwapNumbers(int from, int to);
    virtual QDialogButtonBox::StandardButton askPushDown(bool several);
    // Runs a MoveDialog; true and the chosen number when it was accepted.
    virtual bool askNumber(QWidget *parent, int minimum, int value, int maximum, const QString &title,
                           const QString &text, int &number);
    virtual QDialogButtonBox::StandardButton showMessage(MessageIcon icon, QWidget *parent,
                                                         const QString &title, const QString &text,
                                                         QDialogButtonBox::StandardButtons buttons,
                                                         QDialogButtonBox::StandardButton defaultButton);

    // State updates: each emits its signal only when the value differs from the one last emitted.
    void updateChildLockState();
    void updateRenameState();
    void updateRenumberState();
    void updateDeleteState();
    void updateAstraHDCopyState();
    void updateAllStates();

private:
    void addRowCells(Channel *channel, int row, bool numberEditable);
    void writeRowCells(Channel *channel, int row, bool numberEditable);
    void countChecked(int row, int step);
    // The row an edit on "the selection" acts on when exactly one channel is meant (-1 for none).
    int singleSelectedRow() const;
    // Makes row current the way a click would: current cell (row, 0), then (row, 1).
    void makeCurrent(int row);
    bool isMovingRow(int row, int dragRow, bool dragRowChecked) const;
    // The rows a moved block may have to push on: channels of the kind, not marked deleted and not moving,
    // shown or hidden by the filter, numbered at or beyond dropNumber; in the order the block meets them.
    QList<int> obstacleRows(int kind, int dropNumber, bool ascending, int dragRow) const;
    int nearestVisibleRow(int row, int step) const;
    // Editing helpers.
    void restoreCell(int row, int columnId);
    // byNumber holds the rows of the moved kind and is kept current as channels are renumbered.
    void moveOneWithSwap(const QMap<int, int> &rowOfOld, const QList<int> &numbers, int index, int offset,
                         QDialogButtonBox::StandardButton &answer, bool analogue, RowsByNumber &byNumber,
                         RenumberGroupCmd *&group);
    // The rows an Astra HD+ range operation works on: the checked shown rows, else the current row.
    QList<int> astraHDSelection() const;
    bool astraHDMoveRows(int newNumber, const QList<int> &rows, bool mark);
    // An Astra HD+ copy is planned first (the range, the sources, the user's answers, the shifts and the
    // slots); only a complete plan becomes commands. False when the copy is refused or cancelled.
    bool planAstraHDCopy(const QList<int> &rows, AstraHDCopyPlan &plan);
    void collectAstraHDRange(AstraHDCopyPlan &plan) const;
    bool collectCopySources(const QList<int> &rows, AstraHDCopyPlan &plan) const;
    bool confirmCopySize(const AstraHDCopyPlan &plan);
    static void planCopyShifts(AstraHDCopyPlan &plan);
    bool hasSlotsForCopy(const AstraHDCopyPlan &plan);
    void pushAstraHDCopy(UndoStack &stack, const QList<int> &rows, const AstraHDCopyPlan &plan);

    // The lock and renumber states start unknown, so their first updates always report.
    ChildLockSelStatus m_childLockStatus = NothingSelected;
    bool m_childLockKnown = false;
    QAction *m_deleteAction = nullptr;
    QAction *m_favouriteActions[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};
    QAction *m_lockAction = nullptr;
    QAction *m_unlockAction = nullptr;
    QAction *m_renameAction = nullptr;
    QAction *m_moveAction = nullptr;
    QAction *m_renumberAction = nullptr;
    QAction *m_selectAllAction = nullptr;
    QAction *m_deselectAllAction = nullptr;
    QAction *m_copyAction = nullptr;
    bool m_renumberEnabled = false;
    bool m_renumberKnown = false;
    int m_lockedCheckedCount = 0;
    bool m_renameEnabled = false;
    bool m_deleteEnabled = false;
    bool m_astraHDCopyEnabled = false;
    int m_checkedDigitalCount = 0;
    int m_checkedAnalogueCount = 0;
    int m_checkedOutOfRangeCount = 0;
    bool m_dragMode = false;
    int m_dropRowAbove = -1;
    int m_dropRowBelow = -1;
    QPoint m_pressPos;
    int m_dragRow = -1;
    bool m_dropBeforeBelow = false;
    bool m_orderedFavourites;
    bool m_locksKept = true;
    // The table's own style sheet, to which the drag and normal selection colours are appended.
    QString m_baseStyleSheet;
};

Q_DECLARE_METATYPE(MainGrid::ChildLockSelStatus)

#endif // MAINGRID_H
