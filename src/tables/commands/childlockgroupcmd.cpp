#include "tables/commands/childlockgroupcmd.h"

#include "tables/commands/childlockcmd.h"

namespace {
constexpr int LOCKED_COLUMN = 1004;
}

ChildLockGroupCmd::ChildLockGroupCmd(bool mark, bool lock, const UndoState &state)
    : GroupCmd(state, mark, UndoClears::ShownTable, nullptr), m_lock(lock) {}

void ChildLockGroupCmd::runChild(QUndoCommand *child, bool forward) {
    runRowCmd<ChildLockCmd>(child, forward);
}

void ChildLockGroupCmd::refresh(MainGrid *grid) {
    refreshColumn(grid, LOCKED_COLUMN);
}
