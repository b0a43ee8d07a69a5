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
    if (grid)
        grid->beginInsert();
    if (forward)
        QUndoCommand::redo();
    else
        QUndoCommand::undo();
    if (!grid)
        return;
    grid->endInsert();
    // The children sized the rows in the order before the one sort; a hidden row must stay hidden in the new.
    grid->updateRowHeights();
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
