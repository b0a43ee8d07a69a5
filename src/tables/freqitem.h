#ifndef FREQITEM_H
#define FREQITEM_H

#include <QTableWidgetItem>

// The "Frequency" cell; sorts by the channel's frequency, not by its text.
class FreqItem : public QTableWidgetItem {
public:
    FreqItem() : QTableWidgetItem(0) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
