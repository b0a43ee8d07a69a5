#include "tables/commands/renumbergroupcmd.h"

#include "tables/commands/renumbercmd.h"

namespace {
constexpr int NUMBER_COLUMN = 1001;
}

RenumberGroupCmd::RenumberGroupCmd(bool mark, const UndoState &state, bool force, QUndoCommand *parent)
    : GroupCmd(state, mark, UndoClears::ShownTable, parent), m_force(force) {}

void RenumberGroupCmd::runChild(QUndoCommand *child, bool forward) {
    runRowCmd<RenumberCmd>(child, forward);
}

void RenumberGroupCmd::refresh(MainGrid *grid) {
    refreshColumn(grid, NUMBER_COLUMN);
}
