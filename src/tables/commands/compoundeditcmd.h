#ifndef COMPOUNDEDITCMD_H
#define COMPOUNDEDITCMD_H

#include "tables/commands/undoitem.h"

// One user action made of several group commands on one main table (an Astra HD+ delete: the deletions, a
// favourites repack per list and the closing renumbering). The children run as under a plain parent,
// forwards on redo and in reverse on undo, but the table holds its sorting until the last of them is done:
// it sorts once for the whole action instead of once per group.
class CompoundEditCmd : public UndoItem {
public:
    explicit CompoundEditCmd(QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    void runHoldingSort(bool forward);
    // Forwards on redo, in reverse on undo, as a plain QUndoCommand runs its children.
    void runChildren(bool forward);
    // The main table of the first row command among the descendants; null when there is none. Found through
    // the row items, so it does not depend on the view shown before the children restore theirs.
    static MainGrid *tableOfRows(const QUndoCommand *command);
};

#endif // COMPOUNDEDITCMD_H
