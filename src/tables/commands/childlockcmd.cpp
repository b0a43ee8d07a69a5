#include "tables/commands/childlockcmd.h"

#include "core/channel.h"
#include "tables/checkboxitem.h"
#include "tables/commands/childlockgroupcmd.h"
#include "tables/maingrid.h"

ChildLockCmd::ChildLockCmd(CheckBoxItem *item, ChildLockGroupCmd *group)
    : UndoItem(group), m_newLocked(group ? group->lock() : false), m_item(item),
      m_channel(item ? item->channel() : nullptr) {
    m_oldLocked = m_channel ? m_channel->isLocked() : false;
    m_oldModified = m_channel ? m_channel->isModified() : false;
}

void ChildLockCmd::execute(bool mark) {
    apply(m_newLocked, mark);
}

void ChildLockCmd::unexecute(bool mark) {
    apply(m_oldLocked, mark);
    if (m_channel)
        m_channel->setModified(m_oldModified);
}

void ChildLockCmd::apply(bool locked, bool mark) {
    if (!m_channel)
        return;
    m_channel->setLocked(locked);
    MainGrid *grid = gridOf(m_item);
    const int row = rowOf(m_item);
    if (!grid || row < 0)
        return;
    // One bracket around the row's changes: the row index stays valid until all are made.
    grid->beginInsert();
    grid->updateLockIcon(m_channel, row);
    grid->resetRowToolTip(row);
    markRow(grid, row, mark);
    grid->endInsert();
}
