#ifndef CHILDLOCKITEM_H
#define CHILDLOCKITEM_H

#include "tables/channelcellitem.h"

class Channel;

// The "Locked" cell: no text, the locked icon. Locked channels sort first.
class ChildLockItem : public ChannelCellItem {
public:
    explicit ChildLockItem(Channel *channel = nullptr) : ChannelCellItem(channel, 1004) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
