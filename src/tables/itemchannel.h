#ifndef ITEMCHANNEL_H
#define ITEMCHANNEL_H

class Channel;
class QTableWidgetItem;

// The channel of the row an item occupies, asked of the Grid that holds the item; null for an item outside
// a Grid. The sort comparisons of the cell items use it.
Channel *channelOfItem(const QTableWidgetItem &item);

#endif
