#ifndef CHILDLOCKITEM_H
#define CHILDLOCKITEM_H

#include <QTableWidgetItem>

// The "Locked" cell: no text, the locked icon. Locked channels sort first.
class ChildLockItem : public QTableWidgetItem {
public:
    ChildLockItem() : QTableWidgetItem(1004) {}

    bool operator<(const QTableWidgetItem &other) const override;
};

#endif
