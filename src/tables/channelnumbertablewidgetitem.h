#ifndef CHANNELNUMBERTABLEWIDGETITEM_H
#define CHANNELNUMBERTABLEWIDGETITEM_H

#include <QTableWidgetItem>

class Channel;

// The "Number" cell. Analogue rows carry the analogue icon, and an item with an icon sorts after every
// digital number (the analogue sort offset).
class ChannelNumberTableWidgetItem : public QTableWidgetItem {
public:
    ChannelNumberTableWidgetItem() : QTableWidgetItem(1001) {}

    bool operator<(const QTableWidgetItem &other) const override;

    // The number plus the analogue sort offset when the item shows an icon.
    int sortKey(const Channel &channel) const;
};

#endif
