#include "tables/channelcellitem.h"

#include "tables/checkboxitem.h"
#include "tables/grid.h"

Channel *ChannelCellItem::channelOf(const QTableWidgetItem &item) {
    if (const auto *cell = dynamic_cast<const ChannelCellItem *>(&item)) {
        if (cell->channel())
            return cell->channel();
    }
    const Grid *grid = qobject_cast<const Grid *>(item.tableWidget());
    return grid ? grid->channelAt(item.row()) : nullptr;
}

QVariant ChannelCellItem::data(int role) const {
    if (role != Qt::ToolTipRole && role != Qt::TextAlignmentRole)
        return QTableWidgetItem::data(role);
    const QVariant own = QTableWidgetItem::data(role);
    if (own.isValid())
        return own;
    if (role == Qt::TextAlignmentRole)
        return DEFAULT_ALIGNMENT;
    // The row's tool tip; looked up only when a tool tip is asked for.
    const Grid *grid = qobject_cast<const Grid *>(tableWidget());
    const CheckBoxItem *check = grid ? grid->checkBoxItem(row()) : nullptr;
    return check ? check->data(Qt::ToolTipRole) : QVariant();
}
