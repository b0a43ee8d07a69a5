#include "tables/childlockitem.h"

#include "core/channel.h"

bool ChildLockItem::operator<(const QTableWidgetItem &other) const {
    const Channel *mine = channelOf(*this);
    const Channel *theirs = channelOf(other);
    if (!mine || !theirs)
        return QTableWidgetItem::operator<(other);
    return mine->isLocked() && !theirs->isLocked();
}
