#ifndef FAVITEM_H
#define FAVITEM_H

#include "tables/channelcellitem.h"

class Channel;

// The "My Favourites" cell: no text, the icon strip of the lists the channel belongs to. Sorts by the
// membership sequence read as digits, members of no list last.
class FavItem : public ChannelCellItem {
public:
    explicit FavItem(Channel *channel = nullptr) : ChannelCellItem(channel, 0) {}

    bool operator<(const QTableWidgetItem &other) const override;

    // 65535 for a channel in no list; otherwise the first member list counts in thousands, the second in
    // hundreds, the third in tens, the fourth in units ({1, 5} gives 1500, {2} gives 2000).
    static int favouritesKey(const Channel &channel);
};

#endif
