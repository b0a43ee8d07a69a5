#include "tables/channelnumbertablewidgetitem.h"

#include "core/channel.h"
#include "tables/grid.h"
#include "tables/itemchannel.h"

#include <QIcon>

int ChannelNumberTableWidgetItem::sortKey(const Channel &channel) const {
    int key = channel.number();
    if (!data(Qt::DecorationRole).value<QIcon>().isNull())
        key += Grid::ANALOGUE_SORT_OFFSET;
    return key;
}

bool ChannelNumberTableWidgetItem::operator<(const QTableWidgetItem &other) const {
    const Channel *mine = channelOfItem(*this);
    const Channel *theirs = channelOfItem(other);
    const auto *otherItem = dynamic_cast<const ChannelNumberTableWidgetItem *>(&other);
    if (!mine || !theirs || !otherItem)
        return QTableWidgetItem::operator<(other);
    return sortKey(*mine) < otherItem->sortKey(*theirs);
}
