#ifndef MYCHANNELNUMBERTABLEWIDGETITEM_H
#define MYCHANNELNUMBERTABLEWIDGETITEM_H

#include <QTableWidgetItem>

// The position cell of an ordered favourites table: the channel's position in the favourites list the
// table shows. Sorts by that position as a signed number, so members without a position (-2) come first.
class MyChannelNumberTableWidgetItem : public QTableWidgetItem {
public:
    MyChannelNumberTableWidgetItem() : QTableWidgetItem(1012) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
