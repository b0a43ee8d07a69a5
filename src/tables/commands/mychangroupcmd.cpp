#include "tables/commands/mychangroupcmd.h"

#include "tables/commands/mychancmd.h"
#include "tables/editcontext.h"
#include "tables/maingrid.h"

namespace {
constexpr int FAVOURITES_COLUMN = 1003;
}

// Unlike lock and renumber, undo brings the view back first: the marks cleared are the restored table's.
MyChanGroupCmd::MyChanGroupCmd(const UndoState &state, bool mark, int favIndex, QUndoCommand *parent)
    : GroupCmd(state, mark, UndoClears::RestoredTable, parent), m_favIndex(favIndex) {}

void MyChanGroupCmd::runChild(QUndoCommand *child, bool forward) {
    auto *cmd = dynamic_cast<MyChanCmd *>(child);
    if (!cmd) {
        // A member packed to make room for the new ones (a FavCmd): its row is no row of the edit.
        GroupCmd::runChild(child, forward);
        return;
    }
    if (forward)
        cmd->execute(static_cast<quint16>(m_favIndex), mark());
    else
        cmd->unexecute(static_cast<quint16>(m_favIndex), mark());
}

void MyChanGroupCmd::childrenRan(MainGrid *grid, bool forward) {
    if (mark() || !grid)
        return;
    // Without marks the rows are not check-marked but made current, each in turn: only the last shown one
    // of the run stays current, so only that one is made current. Favourites edits show and hide no rows.
    const int count = childCount();
    for (int i = 0; i < count; ++i) {
        const int index = forward ? count - 1 - i : i;
        const auto *cmd = dynamic_cast<const MyChanCmd *>(child(index));
        const int row = cmd ? rowOf(cmd->rowItem()) : -1;
        if (row >= 0 && grid->isRowVisible(row)) {
            markRow(grid, row, false);
            return;
        }
    }
}

void MyChanGroupCmd::refresh(MainGrid *grid) {
    refreshColumn(grid, FAVOURITES_COLUMN);
    // The favourites lists' member counts changed: the window's count tips follow, on the push and on every
    // undo and redo.
    if (EditContext *ctx = context())
        ctx->refreshAfterEdit(false);
}
