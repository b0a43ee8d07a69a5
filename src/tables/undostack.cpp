#include "tables/undostack.h"

#include "tables/checkboxitem.h"
#include "tables/commands/astrahdcopycmd.h"
#include "tables/commands/astrahdcopygrpcmd.h"
#include "tables/commands/childlockcmd.h"
#include "tables/commands/childlockgroupcmd.h"
#include "tables/commands/deletecmd.h"
#include "tables/commands/deletegroupcmd.h"
#include "tables/commands/favcmd.h"
#include "tables/commands/favgroupcmd.h"
#include "tables/commands/mychancmd.h"
#include "tables/commands/mychangroupcmd.h"
#include "tables/commands/renamecmd.h"
#include "tables/commands/renumbercmd.h"
#include "tables/commands/renumbergroupcmd.h"
#include "tables/editcontext.h"

namespace {
UndoStack *theStack = nullptr;
}

UndoStack::UndoStack() : QUndoStack(nullptr) {
    qRegisterMetaType<UndoState>("UndoState");
    setUndoLimit(UNDO_LIMIT);
    theStack = this;
}

UndoStack::~UndoStack() {
    // Commands still on the stack are destroyed by the base; none of them may reach a stale instance.
    if (theStack == this)
        theStack = nullptr;
}

UndoStack *UndoStack::instance() {
    return theStack;
}

void UndoStack::requestState(const UndoState &state) {
    if (state == m_state)
        return;
    m_state = state;
    if (m_owner)
        m_owner->restoreView(state);
    emit stateChangeRequest(state);
}

RenumberGroupCmd *UndoStack::createRenumberGroupCmd(bool mark, QUndoCommand *parent, bool force) {
    return new RenumberGroupCmd(mark, m_state, force, parent);
}

ChildLockGroupCmd *UndoStack::createChildLockGroupCmd(bool mark, bool lock) {
    return new ChildLockGroupCmd(mark, lock, m_state);
}

MyChanGroupCmd *UndoStack::createMyChanGroupCmd(bool mark, int favIndex, QUndoCommand *parent) {
    return new MyChanGroupCmd(m_state, mark, favIndex, parent);
}

FavGroupCmd *UndoStack::createFavGroupCmd(bool checkShown, bool rightSide) {
    return new FavGroupCmd(m_state, checkShown, rightSide);
}

DeleteGroupCmd *UndoStack::createDeleteGroupCmd(QUndoCommand *parent) {
    return new DeleteGroupCmd(m_state, parent);
}

AstraHDCopyGrpCmd *UndoStack::createAstraHDCopyGrpCmd() {
    return new AstraHDCopyGrpCmd(m_state);
}

RenumberCmd *UndoStack::createRenumberCmd(CheckBoxItem *item, int newNumber, bool showRow,
                                          QUndoCommand *parent) {
    if (!dynamic_cast<RenumberGroupCmd *>(parent))
        return nullptr;
    return new RenumberCmd(item, newNumber, showRow, parent);
}

RenumberCmd *UndoStack::addRenumberCmd(CheckBoxItem *item, int newNumber, bool showRow,
                                       QUndoCommand *parent) {
    RenumberCmd *cmd = createRenumberCmd(item, newNumber, showRow, parent);
    if (cmd)
        cmd->execute(static_cast<RenumberGroupCmd *>(parent)->mark());
    return cmd;
}

ChildLockCmd *UndoStack::createChildLockCmd(CheckBoxItem *item, ChildLockGroupCmd *group) {
    return new ChildLockCmd(item, group);
}

MyChanCmd *UndoStack::createMyChanCmd(CheckBoxItem *item, int newPosition, MyChanGroupCmd *group) {
    return new MyChanCmd(item, newPosition, group);
}

FavCmd *UndoStack::createFavCmd(Channel *channel, int list, int newPosition, QUndoCommand *parent) {
    return new FavCmd(channel, list, newPosition, parent);
}

DeleteCmd *UndoStack::createDeleteCmd(CheckBoxItem *item, QUndoCommand *parent, bool wasChecked) {
    return new DeleteCmd(m_state, item, wasChecked, parent);
}

AstraHDCopyCmd *UndoStack::createAstraHDCopyCmd(CheckBoxItem *source, CheckBoxItem *target,
                                                QUndoCommand *parent, int newNumber) {
    return new AstraHDCopyCmd(m_state, source, target, newNumber, parent);
}

AstraHDCopyCmd *UndoStack::createAstraHDCopyCmd(CheckBoxItem *source, CheckBoxItem *target,
                                                QUndoCommand *parent, int newNumber,
                                                const QList<int> &favourites) {
    return new AstraHDCopyCmd(m_state, source, target, newNumber, favourites, parent);
}

void UndoStack::rename(CheckBoxItem *item, const QString &newName) {
    push(new RenameCmd(m_state, item, newName));
}
