#ifndef ASTRAHDCOPYGRPCMD_H
#define ASTRAHDCOPYGRPCMD_H

#include "tables/commands/groupcmd.h"

// One copy of Astra HD+ channels into the favourite range, with one AstraHDCopyCmd per copied channel.
class AstraHDCopyGrpCmd : public GroupCmd {
public:
    explicit AstraHDCopyGrpCmd(const UndoState &state, QUndoCommand *parent = nullptr);

protected:
    bool redoClearsMarks() const override { return false; }
    void refresh(MainGrid *grid) override;
};

#endif // ASTRAHDCOPYGRPCMD_H
