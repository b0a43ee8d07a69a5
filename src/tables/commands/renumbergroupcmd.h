#ifndef RENUMBERGROUPCMD_H
#define RENUMBERGROUPCMD_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

// One renumbering edit (number edit, swap, move, drop, Astra HD+ move), with one RenumberCmd per row.
// Normally its children are applied while the edit is built (UndoStack::addRenumberCmd), so the push
// changes nothing more and keeps the user's check marks; with force the first redo applies them itself.
// From the first undo on, every run clears the table's marks and check-marks the rows it shows.
class RenumberGroupCmd : public UndoItem {
public:
    RenumberGroupCmd(bool mark, const UndoState &state, bool force, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

    bool mark() const { return m_mark; }
    bool isFirst() const { return m_first; }
    bool force() const { return m_force; }
    const UndoState &state() const { return m_state; }

private:
    bool m_mark;
    UndoState m_state;
    bool m_first = true;
    bool m_force;
};

#endif // RENUMBERGROUPCMD_H
