#ifndef RENUMBERGROUPCMD_H
#define RENUMBERGROUPCMD_H

#include "tables/commands/groupcmd.h"

// One renumbering edit (number edit, swap, move, drop, Astra HD+ move), with one RenumberCmd per row.
// Normally its children are applied while the edit is built (UndoStack::addRenumberCmd), so the push
// changes nothing more and keeps the user's check marks; with force the first redo applies them itself.
// From the first undo on, every run clears the table's marks and check-marks the rows it shows.
class RenumberGroupCmd : public GroupCmd {
public:
    RenumberGroupCmd(bool mark, const UndoState &state, bool force, QUndoCommand *parent = nullptr);

    bool force() const { return m_force; }

protected:
    bool redoRunsChildren() const override { return !isFirst() || m_force; }
    bool redoClearsMarks() const override { return redoRunsChildren(); }
    void runChild(QUndoCommand *child, bool forward) override;
    void refresh(MainGrid *grid) override;

private:
    bool m_force;
};

#endif // RENUMBERGROUPCMD_H
