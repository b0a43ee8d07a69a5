#ifndef TABLE_H
#define TABLE_H

#include <QTableWidget>

// A table widget on which dragging the mouse neither extends the selection nor starts a drag: only the row
// that was pressed is selected.
class Table : public QTableWidget {
    Q_OBJECT

public:
    Table(int rows, int columns, QWidget *parent = nullptr);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};

#endif // TABLE_H
