#include "tables/childlockitem.h"

#include "core/channel.h"
#include "tables/itemchannel.h"

bool ChildLockItem::operator<(const QTableWidgetItem &other) const {
    const Channel *mine = channelOfItem(*this);
    const Channel *theirs = channelOfItem(other);
    if (!mine || !theirs)
        return QTableWidgetItem::operator<(other);
    return mine->isLocked() && !theirs->isLocked();
}
