#include "tables/mychannelnumbertablewidgetitem.h"

#include "core/channel.h"
#include "tables/favgrid.h"

bool MyChannelNumberTableWidgetItem::operator<(const QTableWidgetItem &other) const {
    const FavGrid *grid = qobject_cast<const FavGrid *>(tableWidget());
    const Channel *mine = channelOf(*this);
    const Channel *theirs = channelOf(other);
    if (!grid || !mine || !theirs)
        return QTableWidgetItem::operator<(other);
    const quint16 list = quint16(grid->favIndex());
    return mine->favouritePosition(list) < theirs->favouritePosition(list);
}
