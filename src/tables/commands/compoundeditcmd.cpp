#include "tables/commands/compoundeditcmd.h"

#include "tables/maingrid.h"

CompoundEditCmd::CompoundEditCmd(QUndoCommand *parent) : UndoItem(parent) {}

void CompoundEditCmd::redo() {
    runHoldingSort(true);
}

void CompoundEditCmd::undo() {
    runHoldingSort(false);
}

void CompoundEditCmd::runHoldingSort(bool forward) {
    MainGrid *grid = tableOfRows(this);
    if (!grid) {
        runChildren(forward);
        return;
    }
    // Painting waits too: the rows' cells change many times over, and are drawn once in their final state.
    const bool updates = grid->updatesEnabled();
    grid->setUpdatesEnabled(false);
    grid->beginInsert();
    runChildren(forward);
    grid->endInsert();
    grid->setUpdatesEnabled(updates);
    // The children sized the rows in the order before the one sort; a hidden row must stay hidden in the new.
    grid->updateRowHeights();
}

void CompoundEditCmd::runChildren(bool forward) {
    if (forward)
        QUndoCommand::redo();
    else
        QUndoCommand::undo();
}

MainGrid *CompoundEditCmd::tableOfRows(const QUndoCommand *command) {
    for (int i = 0; i < command->childCount(); ++i) {
        const QUndoCommand *child = command->child(i);
        const auto *item = dynamic_cast<const UndoItem *>(child);
        if (item && item->rowItem()) {
            if (MainGrid *grid = gridOf(item->rowItem()))
                return grid;
        }
        if (MainGrid *grid = tableOfRows(child))
            return grid;
    }
    return nullptr;
}
