#ifndef DELETEGROUPCMD_H
#define DELETEGROUPCMD_H

#include "tables/commands/groupcmd.h"

// One delete edit, with one DeleteCmd per row. Delete is a mark, never an erase: undo shows the rows again.
class DeleteGroupCmd : public GroupCmd {
public:
    DeleteGroupCmd(const UndoState &state, QUndoCommand *parent = nullptr);

protected:
    bool redoClearsMarks() const override { return false; }
    void refresh(MainGrid *grid) override;
};

#endif // DELETEGROUPCMD_H
