#include "tables/commands/undoitem.h"

#include "tables/checkboxitem.h"
#include "tables/editcontext.h"
#include "tables/maingrid.h"
#include "tables/undostack.h"

UndoItem::UndoItem(QUndoCommand *parent) : QUndoCommand(parent) {}

UndoStack *UndoItem::stack() {
    return UndoStack::instance();
}

EditContext *UndoItem::context() {
    UndoStack *s = stack();
    return s ? s->owner() : nullptr;
}

void UndoItem::requestState(const UndoState &state) {
    if (UndoStack *s = stack())
        s->requestState(state);
}

MainGrid *UndoItem::gridOf(const CheckBoxItem *item) {
    if (!item)
        return nullptr;
    return qobject_cast<MainGrid *>(item->tableWidget());
}

int UndoItem::rowOf(const CheckBoxItem *item) {
    if (!item || !item->tableWidget())
        return -1;
    // The table's own look-up: the toolkit's scans the whole table for every item once rows were sorted.
    if (const auto *grid = qobject_cast<const Grid *>(item->tableWidget()))
        return grid->rowOfItem(item);
    return item->row();
}

MainGrid *UndoItem::groupGrid(const QUndoCommand *group) {
    for (int i = 0; i < group->childCount(); ++i) {
        const auto *child = dynamic_cast<const UndoItem *>(group->child(i));
        if (child && child->rowItem()) {
            if (MainGrid *grid = gridOf(child->rowItem()))
                return grid;
        }
    }
    return shownMainGrid();
}

MainGrid *UndoItem::shownMainGrid() {
    EditContext *c = context();
    return c ? c->currentMainGrid() : nullptr;
}

void UndoItem::markRow(MainGrid *grid, int row, bool mark) {
    // A hidden row is never checked nor made current: every checked row is a shown row.
    if (!grid || row < 0 || !grid->isRowVisible(row))
        return;
    if (mark)
        grid->setRowChecked(row, true);
    else
        grid->selectRowOrClear(row);
}
