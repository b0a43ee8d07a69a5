#include "tables/commands/favgroupcmd.h"

#include "tables/editcontext.h"
#include "tables/favgrid.h"

namespace {
// Select mode that makes the first newly shown (or newly enabled) row current.
constexpr int SELECT_FIRST_NEW = 3;
} // namespace

FavGroupCmd::FavGroupCmd(const UndoState &state, bool checkShown, bool rightSide)
    : UndoItem(nullptr), m_state(state), m_checkShown(checkShown), m_rightSide(rightSide) {}

void FavGroupCmd::redo() {
    run(true);
}

void FavGroupCmd::undo() {
    run(false);
}

void FavGroupCmd::run(bool forward) {
    requestState(m_state);
    EditContext *ctx = context();
    FavGrid *right = ctx ? ctx->currentRightFavGrid() : nullptr;
    FavGrid *left = ctx ? ctx->currentLeftFavGrid() : nullptr;
    if (right)
        right->beginInsert();
    if (forward)
        QUndoCommand::redo();
    else
        QUndoCommand::undo();
    if (right)
        right->endInsert();
    // Undo reverses the direction of the edit, so the other table gets the new check marks.
    const bool towardsRight = forward ? m_rightSide : !m_rightSide;
    if (left)
        left->reload(SELECT_FIRST_NEW, true, m_checkShown && !towardsRight);
    if (right)
        right->refilter(SELECT_FIRST_NEW, true, m_checkShown && towardsRight);
    if (ctx)
        ctx->refreshAfterEdit(true);
}
