#ifndef SYMBOLRATEITEM_H
#define SYMBOLRATEITEM_H

#include "tables/channelcellitem.h"

class Channel;

// The "Symbol Rate" cell of a satellite channel; sorts by the rate in symbols per second.
class SymbolRateItem : public ChannelCellItem {
public:
    explicit SymbolRateItem(Channel *channel = nullptr) : ChannelCellItem(channel, 0) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
