#ifndef UNDOITEM_H
#define UNDOITEM_H

#include <QUndoCommand>

class CheckBoxItem;
class EditContext;
class MainGrid;
class UndoStack;
struct UndoState;

// Base of every undo command of the tables. Commands carry no text and never merge (id() stays -1); they
// own only their saved values: row items and channels belong to the tables and the document.
//
// Row commands find their row through their CheckBoxItem on every run, so sorting and filtering between
// runs do not matter. They change rows only of the table that holds their item, and skip the row work when
// the item is in no table; the channel change applies in every case.
class UndoItem : public QUndoCommand {
public:
    explicit UndoItem(QUndoCommand *parent = nullptr);

    // The row item a row command works on; null for groups and commands without a row.
    virtual CheckBoxItem *rowItem() const { return nullptr; }

protected:
    static UndoStack *stack();
    static EditContext *context();
    static void requestState(const UndoState &state);

    // The main table that holds the item (null when it is in none), and the item's row there (-1).
    static MainGrid *gridOf(const CheckBoxItem *item);
    static int rowOf(const CheckBoxItem *item);

    // The main table a group works on: the table of its first row command's item (every child of a group
    // comes from one table), or, for a group without rows, the main table shown now.
    static MainGrid *groupGrid(const QUndoCommand *group);

    // The main table shown now, as the window reports it (null without a window or table).
    static MainGrid *shownMainGrid();

    // A row touched by an edit is check-marked when mark is true, otherwise made the current row.
    static void markRow(MainGrid *grid, int row, bool mark);
};

#endif // UNDOITEM_H
