#include "tables/freqitem.h"

#include "core/channel.h"
#include "tables/itemchannel.h"

bool FreqItem::operator<(const QTableWidgetItem &other) const {
    const Channel *mine = channelOfItem(*this);
    const Channel *theirs = channelOfItem(other);
    if (!mine || !theirs)
        return QTableWidgetItem::operator<(other);
    return mine->frequency() < theirs->frequency();
}
