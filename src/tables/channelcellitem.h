#ifndef CHANNELCELLITEM_H
#define CHANNELCELLITEM_H

#include <QTableWidgetItem>

class Channel;

// A cell of a channel table. A row holds many cells and a table thousands of rows, so what every cell of a
// row shares is stored once: the tool tip lives in the row's check cell and the usual alignment (left,
// vertically centred) is the default, unless a cell is given its own.
//
// Cells that sort by their row's channel keep that channel: asking the table for an item's row searches
// every cell once the table has been sorted, which would make a sort quadratic. Rows that are re-pointed at
// another channel get new cells, so the kept channel is always the row's.
class ChannelCellItem : public QTableWidgetItem {
public:
    static constexpr int DEFAULT_ALIGNMENT = Qt::AlignLeft | Qt::AlignVCenter;

    ChannelCellItem(Channel *channel, int type) : QTableWidgetItem(type), m_channel(channel) {}

    QVariant data(int role) const override;
    // True when the cell carries a tool tip of its own rather than its row's.
    bool hasOwnToolTip() const { return QTableWidgetItem::data(Qt::ToolTipRole).isValid(); }

    // Not owned: the channel lives in the document's list.
    Channel *channel() const { return m_channel; }

    // The channel of a cell: the one it keeps, else the one of the row it occupies in its Grid; null for a
    // cell outside a Grid.
    static Channel *channelOf(const QTableWidgetItem &item);

private:
    Channel *m_channel;
};

#endif
