#include "tables/commands/childlockgroupcmd.h"

#include "tables/commands/childlockcmd.h"

namespace {
constexpr int LOCKED_COLUMN = 1004;
}

ChildLockGroupCmd::ChildLockGroupCmd(bool mark, bool lock, const UndoState &state)
    : GroupCmd(state, mark, UndoClears::ShownTable, nullptr), m_lock(lock) {}

void ChildLockGroupCmd::runChild(QUndoCommand *child, bool forward) {
    auto *cmd = dynamic_cast<ChildLockCmd *>(child);
    if (!cmd)
        return;
    if (forward)
        cmd->execute(mark());
    else
        cmd->unexecute(mark());
}

void ChildLockGroupCmd::refresh(MainGrid *grid) {
    refreshColumn(grid, LOCKED_COLUMN);
}
