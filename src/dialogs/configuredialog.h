#ifndef CONFIGUREDIALOG_H
#define CONFIGUREDIALOG_H

#include "widgets/customdialog.h"

class ItemDelegate;
class QPushButton;
class QTableWidgetItem;
class Table;

// Order and visibility of a channel table's columns. The caller adds every column in its current visual
// order, runs the dialog and, once accepted, reads the rows from first to last: the row order is the new
// column order and the check marks the new visibility. At least one column always stays visible.
class ConfigureDialog : public CustomDialog {
    Q_OBJECT
public:
    explicit ConfigureDialog(QWidget *parent);

    void addColumn(const QString &title, int id, bool visible);
    int count() const;
    int columnIdAt(int row) const;
    bool isColumnVisible(int row) const;

protected slots:
    virtual void onSelectionChanged();
    virtual void onMoveUpClicked();
    virtual void onMoveDownClicked();
    void onItemChanged(QTableWidgetItem *item);

private:
    void swapRows(int row, int other);

    Table *table;
    QPushButton *moveUpButton;
    QPushButton *moveDownButton;
};

#endif // CONFIGUREDIALOG_H
