#ifndef UNDOSTACK_H
#define UNDOSTACK_H

#include "tables/undostate.h"

#include <QList>
#include <QString>
#include <QUndoStack>

class AstraHDCopyCmd;
class AstraHDCopyGrpCmd;
class Channel;
class CheckBoxItem;
class ChildLockCmd;
class ChildLockGroupCmd;
class DeleteCmd;
class DeleteGroupCmd;
class EditContext;
class FavCmd;
class FavGroupCmd;
class MyChanCmd;
class MyChanGroupCmd;
class RenumberCmd;
class RenumberGroupCmd;

// The application's one undo stack. Every table edit becomes a tree of commands made by the factories
// below; each factory stamps the view shown now (state()) into the commands that record a view, so undo and
// redo can bring that view back through the owner before they touch any row.
//
// The stack registers itself as the process-wide instance when it is constructed; commands reach the stack,
// and through owner() the window, only through instance().
class UndoStack : public QUndoStack {
    Q_OBJECT
public:
    static constexpr int UNDO_LIMIT = 50;

    UndoStack();
    ~UndoStack() override;

    // The stack built last, or null when none exists (the pointer is cleared when that stack is destroyed).
    static UndoStack *instance();

    // The window that shows the tables; not owned. Null until the window wires the stack.
    void setOwner(EditContext *owner) { m_owner = owner; }
    EditContext *owner() const { return m_owner; }

    UndoState state() const { return m_state; }
    // Brings back the view of an undo step: when it differs from the one shown, stores it, asks the owner
    // to restore it (EditContext::restoreView) and then emits stateChangeRequest. An equal state does
    // nothing, so the view never flickers. The owner restores the view in restoreView only; the signal tells
    // observers that the view was switched and must not restore it a second time.
    void requestState(const UndoState &state);

    // Group factories. A group with a parent belongs to that parent; without one, the caller pushes it.
    RenumberGroupCmd *createRenumberGroupCmd(bool mark, QUndoCommand *parent, bool force = false);
    ChildLockGroupCmd *createChildLockGroupCmd(bool mark, bool lock);
    MyChanGroupCmd *createMyChanGroupCmd(bool mark, int favIndex, QUndoCommand *parent);
    FavGroupCmd *createFavGroupCmd(bool checkShown, bool rightSide);
    DeleteGroupCmd *createDeleteGroupCmd(QUndoCommand *parent);
    AstraHDCopyGrpCmd *createAstraHDCopyGrpCmd();

    // Row factories: the new command belongs to the given group.
    // Null (and nothing made) unless parent is a RenumberGroupCmd.
    RenumberCmd *createRenumberCmd(CheckBoxItem *item, int newNumber, bool showRow, QUndoCommand *parent);
    // As createRenumberCmd, then applies the new number at once with the group's current mark, so that
    // later look-ups of the same edit see it. The group's first redo then leaves it alone.
    RenumberCmd *addRenumberCmd(CheckBoxItem *item, int newNumber, bool showRow, QUndoCommand *parent);
    ChildLockCmd *createChildLockCmd(CheckBoxItem *item, ChildLockGroupCmd *group);
    MyChanCmd *createMyChanCmd(CheckBoxItem *item, int newPosition, MyChanGroupCmd *group);
    FavCmd *createFavCmd(Channel *channel, int list, int newPosition, QUndoCommand *parent);
    DeleteCmd *createDeleteCmd(CheckBoxItem *item, QUndoCommand *parent, bool wasChecked);
    AstraHDCopyCmd *createAstraHDCopyCmd(CheckBoxItem *source, CheckBoxItem *target, QUndoCommand *parent,
                                         int newNumber);
    AstraHDCopyCmd *createAstraHDCopyCmd(CheckBoxItem *source, CheckBoxItem *target, QUndoCommand *parent,
                                         int newNumber, const QList<int> &favourites);

    // Makes a rename command and pushes it; the push applies the new name.
    void rename(CheckBoxItem *item, const QString &newName);

public slots:
    // The window calls this on every change of view, so state() always describes the view shown now.
    void setState(const UndoState &state) { m_state = state; }

signals:
    void stateChangeRequest(const UndoState &state);

private:
    EditContext *m_owner = nullptr;
    UndoState m_state;
};

#endif // UNDOSTACK_H
