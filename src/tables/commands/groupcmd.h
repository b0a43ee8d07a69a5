#ifndef GROUPCMD_H
#define GROUPCMD_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

#include <functional>

// Base of the group commands of the main tables. A group runs its row commands in one bracket on the table
// they come from: the view the edit was made in comes back first, the table holds its sorting while the rows
// change, and refresh() brings the table and the window up to date once at the end. A subclass states only
// what differs: how it runs a child, whose check marks a run clears, and its refresh.
class GroupCmd : public UndoItem {
public:
    void undo() override;
    void redo() override;

    const UndoState &state() const { return m_state; }
    // The mark the children get: the caller's choice on the push, true (check-mark) on every later run.
    bool mark() const { return m_mark; }
    bool isFirst() const { return m_first; }

protected:
    // Whose check marks an undo clears before the rows change.
    enum class UndoClears {
        // The table shown before the view switch, so nothing stays checked out of sight.
        ShownTable,
        // The group's table, once the view is back.
        RestoredTable,
        // The group's table, inside the bracket; a row the children check-mark again does not also become
        // the current row when there was none.
        InsideBracket
    };

    GroupCmd(const UndoState &state, bool mark, UndoClears undoClears, QUndoCommand *parent);

    // Whether this redo runs the children, and whether it clears the table's check marks first. By default
    // the push runs them and keeps the user's marks; every later redo clears the marks first.
    virtual bool redoRunsChildren() const { return true; }
    virtual bool redoClearsMarks() const { return !m_first; }

    // Runs one child forwards (redo) or backwards (undo); by default as the plain QUndoCommand it is.
    virtual void runChild(QUndoCommand *child, bool forward);
    // Runs a child that is a row command of type Row with the group's mark; a child of another type is
    // skipped.
    template <typename Row> void runRowCmd(QUndoCommand *child, bool forward) {
        auto *cmd = dynamic_cast<Row *>(child);
        if (!cmd)
            return;
        if (forward)
            cmd->execute(mark());
        else
            cmd->unexecute(mark());
    }

    // Called after the children ran, still inside the bracket on the group's table (null when there is none).
    virtual void childrenRan(MainGrid *grid, bool forward) {
        Q_UNUSED(grid);
        Q_UNUSED(forward);
    }

    // Brings the group's table (null when there is none) and the window up to date after a run.
    virtual void refresh(MainGrid *grid) = 0;

    // Refreshes for an edit that changed one column's cells: sorts again if the table is sorted by it, and
    // brings the header's box and the selection state up to the marks the run left.
    static void refreshColumn(MainGrid *grid, int column);
    // Refreshes for an edit that showed, hid or rewrote rows: tableStep updates the table's rows before the
    // selection state and the window's counts and lists are refreshed.
    static void refreshWindow(MainGrid *grid, const std::function<void(MainGrid &)> &tableStep);

private:
    void runChildren(bool forward);

    UndoState m_state;
    bool m_mark;
    UndoClears m_undoClears;
    bool m_first = true;
};

#endif // GROUPCMD_H
