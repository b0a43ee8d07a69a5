#include "tables/commands/mychangroupcmd.h"

#include "tables/commands/mychancmd.h"
#include "tables/maingrid.h"

namespace {
constexpr int FAVOURITES_COLUMN = 1003;
}

MyChanGroupCmd::MyChanGroupCmd(const UndoState &state, bool mark, int favIndex, QUndoCommand *parent)
    : UndoItem(parent), m_state(state), m_mark(mark), m_favIndex(favIndex) {}

void MyChanGroupCmd::redo() {
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    if (grid) {
        if (!m_first)
            grid->deselectAll(true);
        grid->beginInsert();
    }
    for (int i = 0; i < childCount(); ++i) {
        if (auto *cmd = dynamic_cast<MyChanCmd *>(const_cast<QUndoCommand *>(child(i))))
            cmd->execute(static_cast<quint16>(m_favIndex), m_mark);
    }
    if (grid) {
        grid->endInsert();
        grid->refreshIfSortedBy(FAVOURITES_COLUMN);
        grid->refreshSelectionState();
    }
    if (m_first) {
        m_mark = true;
        m_first = false;
    }
}

void MyChanGroupCmd::undo() {
    // Unlike lock and renumber, the view comes back first: the marks cleared are the restored table's.
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    if (grid) {
        grid->deselectAll(true);
        grid->beginInsert();
    }
    for (int i = childCount() - 1; i >= 0; --i) {
        if (auto *cmd = dynamic_cast<MyChanCmd *>(const_cast<QUndoCommand *>(child(i))))
            cmd->unexecute(static_cast<quint16>(m_favIndex), m_mark);
    }
    if (grid) {
        grid->endInsert();
        grid->refreshIfSortedBy(FAVOURITES_COLUMN);
        grid->refreshSelectionState();
    }
}
