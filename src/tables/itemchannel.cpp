#include "tables/itemchannel.h"

#include "tables/grid.h"

Channel *channelOfItem(const QTableWidgetItem &item) {
    const Grid *grid = qobject_cast<const Grid *>(item.tableWidget());
    return grid ? grid->channelAt(item.row()) : nullptr;
}
