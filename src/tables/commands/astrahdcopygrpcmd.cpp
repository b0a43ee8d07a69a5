#include "tables/commands/astrahdcopygrpcmd.h"

#include "tables/editcontext.h"
#include "tables/maingrid.h"

namespace {
// Filter again keeping the current row when it is still shown, without touching check marks.
constexpr int KEEP_CURRENT = 1;
} // namespace

AstraHDCopyGrpCmd::AstraHDCopyGrpCmd(const UndoState &state, QUndoCommand *parent)
    : UndoItem(parent), m_state(state) {}

void AstraHDCopyGrpCmd::redo() {
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    if (grid)
        grid->beginInsert();
    QUndoCommand::redo();
    if (grid)
        grid->endInsert();
    refreshWindow(grid);
}

void AstraHDCopyGrpCmd::undo() {
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
        if (current == -1)
            grid->clearCurrent();
    }
    refreshWindow(grid);
}

void AstraHDCopyGrpCmd::refreshWindow(MainGrid *grid) {
    EditContext *ctx = context();
    if (ctx)
        ctx->refreshAfterEdit(true);
    // The copy changes which rows are placeholders (hidden) and which are channels (shown).
    if (grid)
        grid->refilter(KEEP_CURRENT, false, false);
    if (grid)
        grid->refreshSelectionState();
    if (ctx) {
        ctx->updateChannelCountLabel();
        ctx->updateSatelliteLists();
    }
}
