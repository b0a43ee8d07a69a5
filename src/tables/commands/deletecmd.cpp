#include "tables/commands/deletecmd.h"

#include "core/channel.h"
#include "tables/maingrid.h"

DeleteCmd::DeleteCmd(const UndoState &state, CheckBoxItem *item, bool wasChecked, QUndoCommand *parent)
    : Command(state, item, parent), m_wasChecked(wasChecked) {}

void DeleteCmd::redo() {
    if (!m_channel)
        return;
    m_channel->setDeleted(true);
    MainGrid *grid = gridOf(m_item);
    const int row = rowOf(m_item);
    if (grid && row >= 0)
        grid->setRowVisible(row, false);
}

void DeleteCmd::undo() {
    if (!m_channel)
        return;
    m_channel->setDeleted(false);
    MainGrid *grid = gridOf(m_item);
    const int row = rowOf(m_item);
    if (grid && row >= 0) {
        grid->setRowVisible(row, true);
        grid->setRowChecked(row, m_wasChecked);
    }
}
