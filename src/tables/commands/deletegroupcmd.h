#ifndef DELETEGROUPCMD_H
#define DELETEGROUPCMD_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

// One delete edit, with one DeleteCmd per row. Delete is a mark, never an erase: undo shows the rows again.
class DeleteGroupCmd : public UndoItem {
public:
    DeleteGroupCmd(const UndoState &state, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

    const UndoState &state() const { return m_state; }

private:
    void refreshWindow(MainGrid *grid);

    UndoState m_state;
};

#endif // DELETEGROUPCMD_H
