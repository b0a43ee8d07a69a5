#ifndef SYMBOLRATEITEM_H
#define SYMBOLRATEITEM_H

#include <QTableWidgetItem>

// The "Symbol Rate" cell of a satellite channel; sorts by the rate in symbols per second.
class SymbolRateItem : public QTableWidgetItem {
public:
    SymbolRateItem() : QTableWidgetItem(0) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
