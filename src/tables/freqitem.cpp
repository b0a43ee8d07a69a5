#include "tables/freqitem.h"

#include "core/channel.h"

bool FreqItem::operator<(const QTableWidgetItem &other) const {
    const Channel *mine = channelOf(*this);
    const Channel *theirs = channelOf(other);
    if (!mine || !theirs)
        return QTableWidgetItem::operator<(other);
    return mine->frequency() < theirs->frequency();
}
