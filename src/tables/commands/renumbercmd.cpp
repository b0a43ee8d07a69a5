#include "tables/commands/renumbercmd.h"

#include "core/channel.h"
#include "tables/checkboxitem.h"
#include "tables/maingrid.h"

RenumberCmd::RenumberCmd(CheckBoxItem *item, int newNumber, bool showRow, QUndoCommand *parent)
    : UndoItem(parent), m_newNumber(newNumber), m_item(item), m_channel(item ? item->channel() : nullptr),
      m_showRow(showRow) {
    m_oldNumber = m_channel ? m_channel->number() : 0;
    m_oldModified = m_channel ? m_channel->isModified() : false;
}

void RenumberCmd::execute(bool mark) {
    apply(m_newNumber, mark);
}

void RenumberCmd::unexecute(bool mark) {
    apply(m_oldNumber, mark);
    if (m_channel)
        m_channel->setModified(m_oldModified);
}

void RenumberCmd::apply(int number, bool mark) {
    if (!m_channel)
        return;
    m_channel->setNumber(static_cast<quint16>(number));
    MainGrid *grid = gridOf(m_item);
    const int row = rowOf(m_item);
    if (!grid || row < 0)
        return;
    // One bracket around the row's changes: the row index stays valid until all are made.
    grid->beginInsert();
    grid->setNumberCell(row, number);
    grid->resetRowToolTip(row);
    if (m_showRow)
        markRow(grid, row, mark);
    grid->endInsert();
}
