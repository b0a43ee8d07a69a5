#include "tables/commands/deletegroupcmd.h"

#include "tables/editcontext.h"
#include "tables/maingrid.h"

DeleteGroupCmd::DeleteGroupCmd(const UndoState &state, QUndoCommand *parent)
    : UndoItem(parent), m_state(state) {}

void DeleteGroupCmd::redo() {
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    if (grid)
        grid->beginInsert();
    QUndoCommand::redo();
    if (grid)
        grid->endInsert();
    refreshWindow(grid);
}

void DeleteGroupCmd::undo() {
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    const int current = grid ? grid->currentVisibleRow() : -1;
    if (grid) {
        grid->beginInsert();
        grid->deselectAll(true);
    }
    QUndoCommand::undo();
    if (grid) {
        grid->endInsert();
        // Restored rows come back check-marked; they must not also make a row current that was not.
        if (current == -1)
            grid->clearCurrent();
    }
    refreshWindow(grid);
}

void DeleteGroupCmd::refreshWindow(MainGrid *grid) {
    EditContext *ctx = context();
    if (ctx)
        ctx->refreshAfterEdit(true);
    if (grid)
        grid->updateRowHeights();
    if (grid)
        grid->refreshSelectionState();
    if (ctx) {
        ctx->updateChannelCountLabel();
        ctx->updateSatelliteLists();
    }
}
