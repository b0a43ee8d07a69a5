#ifndef CHANNELNUMBERTABLEWIDGETITEM_H
#define CHANNELNUMBERTABLEWIDGETITEM_H

#include "tables/channelcellitem.h"

class Channel;

// The "Number" cell. Analogue rows carry the analogue icon, and an item with an icon sorts after every
// digital number (the analogue sort offset).
class ChannelNumberTableWidgetItem : public ChannelCellItem {
public:
    explicit ChannelNumberTableWidgetItem(Channel *channel = nullptr) : ChannelCellItem(channel, 1001) {}

    bool operator<(const QTableWidgetItem &other) const override;
    void setData(int role, const QVariant &value) override;

    // The number plus the analogue sort offset when the item shows an icon.
    int sortKey(const Channel &channel) const;

private:
    // Whether the decoration is a non-null icon, kept as it is set: sorting asks for it twice per
    // comparison.
    bool m_hasIcon = false;
};

#endif
