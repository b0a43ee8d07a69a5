#include "tables/commands/childlockgroupcmd.h"

#include "tables/commands/childlockcmd.h"
#include "tables/maingrid.h"

namespace {
constexpr int LOCKED_COLUMN = 1004;
}

ChildLockGroupCmd::ChildLockGroupCmd(bool mark, bool lock, const UndoState &state)
    : UndoItem(nullptr), m_mark(mark), m_lock(lock), m_state(state) {}

void ChildLockGroupCmd::redo() {
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    if (grid) {
        if (!m_first)
            grid->deselectAll(true);
        grid->beginInsert();
    }
    for (int i = 0; i < childCount(); ++i) {
        if (auto *cmd = dynamic_cast<ChildLockCmd *>(const_cast<QUndoCommand *>(child(i))))
            cmd->execute(m_mark);
    }
    if (grid) {
        grid->endInsert();
        grid->refreshIfSortedBy(LOCKED_COLUMN);
        grid->refreshSelectionState();
    }
    if (m_first) {
        m_mark = true;
        m_first = false;
    }
}

void ChildLockGroupCmd::undo() {
    if (MainGrid *shown = shownMainGrid())
        shown->deselectAll(true);
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    if (grid)
        grid->beginInsert();
    for (int i = childCount() - 1; i >= 0; --i) {
        if (auto *cmd = dynamic_cast<ChildLockCmd *>(const_cast<QUndoCommand *>(child(i))))
            cmd->unexecute(m_mark);
    }
    if (grid) {
        grid->endInsert();
        grid->refreshIfSortedBy(LOCKED_COLUMN);
        grid->refreshSelectionState();
    }
}
