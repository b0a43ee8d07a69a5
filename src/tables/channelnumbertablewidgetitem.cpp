#include "tables/channelnumbertablewidgetitem.h"

#include "core/channel.h"
#include "tables/grid.h"

#include <QIcon>

void ChannelNumberTableWidgetItem::setData(int role, const QVariant &value) {
    if (role == Qt::DecorationRole)
        m_hasIcon = value.metaType() == QMetaType::fromType<QIcon>() && !value.value<QIcon>().isNull();
    ChannelCellItem::setData(role, value);
}

int ChannelNumberTableWidgetItem::sortKey(const Channel &channel) const {
    return channel.number() + (m_hasIcon ? Grid::ANALOGUE_SORT_OFFSET : 0);
}

bool ChannelNumberTableWidgetItem::operator<(const QTableWidgetItem &other) const {
    const auto *otherItem = dynamic_cast<const ChannelNumberTableWidgetItem *>(&other);
    const Channel *mine = channel() ? channel() : channelOf(*this);
    const Channel *theirs = otherItem && otherItem->channel() ? otherItem->channel() : channelOf(other);
    if (!mine || !theirs || !otherItem)
        return QTableWidgetItem::operator<(other);
    return sortKey(*mine) < otherItem->sortKey(*theirs);
}
