#include "widgets/table.h"

#include <QMouseEvent>

Table::Table(int rows, int columns, QWidget *parent) : QTableWidget(rows, columns, parent) {}

void Table::mouseMoveEvent(QMouseEvent *event) {
    event->accept();
}
