#ifndef ASTRAHDCOPYGRPCMD_H
#define ASTRAHDCOPYGRPCMD_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

// One copy of Astra HD+ channels into the favourite range, with one AstraHDCopyCmd per copied channel.
class AstraHDCopyGrpCmd : public UndoItem {
public:
    explicit AstraHDCopyGrpCmd(const UndoState &state, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

    const UndoState &state() const { return m_state; }

private:
    void refreshWindow(MainGrid *grid);

    UndoState m_state;
};

#endif // ASTRAHDCOPYGRPCMD_H
