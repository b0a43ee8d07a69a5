#include "tables/commands/mychancmd.h"

#include "core/channel.h"
#include "tables/checkboxitem.h"
#include "tables/commands/mychangroupcmd.h"
#include "tables/maingrid.h"

MyChanCmd::MyChanCmd(CheckBoxItem *item, int newPosition, MyChanGroupCmd *group)
    : UndoItem(group), m_newPosition(newPosition), m_item(item), m_channel(item ? item->channel() : nullptr) {
    const int list = group ? group->favIndex() : 0;
    m_oldPosition = (m_channel && list >= 1 && list <= Channel::NUMBER_MY_FAVOURITES_LISTS)
                        ? m_channel->favouritePosition(static_cast<quint16>(list))
                        : Channel::NOT_A_MEMBER;
    m_oldModified = m_channel ? m_channel->isModified() : false;
}

void MyChanCmd::execute(quint16 favIndex, bool mark) {
    apply(favIndex, m_newPosition, mark);
}

void MyChanCmd::unexecute(quint16 favIndex, bool mark) {
    apply(favIndex, m_oldPosition, mark);
    if (m_channel)
        m_channel->setModified(m_oldModified);
}

void MyChanCmd::apply(quint16 favIndex, int position, bool mark) {
    if (!m_channel)
        return;
    m_channel->setFavouritePosition(favIndex, position);
    MainGrid *grid = gridOf(m_item);
    const int row = rowOf(m_item);
    if (!grid || row < 0)
        return;
    // One bracket around the row's changes: the row index stays valid until all are made.
    grid->beginInsert();
    // Check-marks a shown row when mark is true; without marks the group makes one row current at the end.
    grid->updateFavouriteCell(m_item, mark);
    // The row's item holds this command's channel: its description, made when a tool tip is shown, is the
    // text the row needs. Making it here for every repacked member would cost more than the rest of the row.
    grid->resetRowToolTip(row);
    grid->endInsert();
}
