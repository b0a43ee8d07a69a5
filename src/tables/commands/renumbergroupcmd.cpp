#include "tables/commands/renumbergroupcmd.h"

#include "tables/commands/renumbercmd.h"
#include "tables/maingrid.h"

namespace {
constexpr int NUMBER_COLUMN = 1001;
}

RenumberGroupCmd::RenumberGroupCmd(bool mark, const UndoState &state, bool force, QUndoCommand *parent)
    : UndoItem(parent), m_mark(mark), m_state(state), m_force(force) {}

void RenumberGroupCmd::redo() {
    requestState(m_state);
    const bool run = !m_first || m_force;
    MainGrid *grid = groupGrid(this);
    if (grid) {
        if (run)
            grid->deselectAll(true);
        grid->beginInsert();
    }
    if (run) {
        for (int i = 0; i < childCount(); ++i) {
            if (auto *cmd = dynamic_cast<RenumberCmd *>(const_cast<QUndoCommand *>(child(i))))
                cmd->execute(m_mark);
        }
    }
    if (grid) {
        grid->endInsert();
        grid->refreshIfSortedBy(NUMBER_COLUMN);
        grid->refreshSelectionState();
    }
    if (m_first) {
        m_mark = true;
        m_first = false;
    }
}

void RenumberGroupCmd::undo() {
    // The marks of the table shown before the view switch go first, so nothing stays checked out of sight.
    if (MainGrid *shown = shownMainGrid())
        shown->deselectAll(true);
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    if (grid)
        grid->beginInsert();
    for (int i = childCount() - 1; i >= 0; --i) {
        if (auto *cmd = dynamic_cast<RenumberCmd *>(const_cast<QUndoCommand *>(child(i))))
            cmd->unexecute(m_mark);
    }
    if (grid) {
        grid->endInsert();
        grid->refreshIfSortedBy(NUMBER_COLUMN);
        grid->refreshSelectionState();
    }
}
