#ifndef FREQITEM_H
#define FREQITEM_H

#include "tables/channelcellitem.h"

class Channel;

// The "Frequency" cell; sorts by the channel's frequency, not by its text.
class FreqItem : public ChannelCellItem {
public:
    explicit FreqItem(Channel *channel = nullptr) : ChannelCellItem(channel, 0) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
