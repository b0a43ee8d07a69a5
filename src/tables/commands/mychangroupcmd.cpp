#include "tables/commands/mychangroupcmd.h"

#include "tables/commands/mychancmd.h"

namespace {
constexpr int FAVOURITES_COLUMN = 1003;
}

// Unlike lock and renumber, undo brings the view back first: the marks cleared are the restored table's.
MyChanGroupCmd::MyChanGroupCmd(const UndoState &state, bool mark, int favIndex, QUndoCommand *parent)
    : GroupCmd(state, mark, UndoClears::RestoredTable, parent), m_favIndex(favIndex) {}

void MyChanGroupCmd::runChild(QUndoCommand *child, bool forward) {
    auto *cmd = dynamic_cast<MyChanCmd *>(child);
    if (!cmd)
        return;
    if (forward)
        cmd->execute(static_cast<quint16>(m_favIndex), mark());
    else
        cmd->unexecute(static_cast<quint16>(m_favIndex), mark());
}

void MyChanGroupCmd::refresh(MainGrid *grid) {
    refreshColumn(grid, FAVOURITES_COLUMN);
}
