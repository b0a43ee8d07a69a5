#include "tables/commands/renamecmd.h"

#include "core/channel.h"
#include "tables/maingrid.h"

namespace {
constexpr int NAME_COLUMN = 1002;
}

RenameCmd::RenameCmd(const UndoState &state, CheckBoxItem *item, const QString &newName, QUndoCommand *parent)
    : Command(state, item, parent), m_newName(newName) {
    m_oldName = m_channel ? m_channel->name() : QString();
    m_oldModified = m_channel ? m_channel->isModified() : false;
}

void RenameCmd::redo() {
    apply(m_newName);
}

void RenameCmd::undo() {
    apply(m_oldName);
    if (m_channel)
        m_channel->setModified(m_oldModified);
}

void RenameCmd::apply(const QString &name) {
    if (!m_channel)
        return;
    requestState(m_state);
    m_channel->setName(name);
    MainGrid *grid = gridOf(m_item);
    const int row = rowOf(m_item);
    if (!grid || row < 0)
        return;
    grid->beginInsert();
    grid->setNameCell(row, name);
    grid->resetRowToolTip(row);
    grid->endInsert();
    grid->refreshIfSortedBy(NAME_COLUMN);
}
