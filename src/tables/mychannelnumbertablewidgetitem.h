#ifndef MYCHANNELNUMBERTABLEWIDGETITEM_H
#define MYCHANNELNUMBERTABLEWIDGETITEM_H

#include "tables/channelcellitem.h"

class Channel;

// The position cell of an ordered favourites table: the channel's position in the favourites list the
// table shows. Sorts by that position as a signed number, so members without a position (-2) come first.
class MyChannelNumberTableWidgetItem : public ChannelCellItem {
public:
    explicit MyChannelNumberTableWidgetItem(Channel *channel = nullptr) : ChannelCellItem(channel, 1012) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
