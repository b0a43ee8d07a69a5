#include "tables/commands/groupcmd.h"

#include "tables/editcontext.h"
#include "tables/maingrid.h"

GroupCmd::GroupCmd(const UndoState &state, bool mark, UndoClears undoClears, QUndoCommand *parent)
    : UndoItem(parent), m_state(state), m_mark(mark), m_undoClears(undoClears) {}

void GroupCmd::redo() {
    requestState(m_state);
    const bool run = redoRunsChildren();
    MainGrid *grid = groupGrid(this);
    if (grid) {
        if (redoClearsMarks())
            grid->deselectAll(true);
        grid->beginInsert();
    }
    if (run) {
        runChildren(true);
        childrenRan(grid, true);
    }
    if (grid)
        grid->endInsert();
    refresh(grid);
    if (m_first) {
        m_mark = true;
        m_first = false;
    }
}

void GroupCmd::undo() {
    if (m_undoClears == UndoClears::ShownTable) {
        if (MainGrid *shown = shownMainGrid())
            shown->deselectAll(true);
    }
    requestState(m_state);
    MainGrid *grid = groupGrid(this);
    const bool insideBracket = m_undoClears == UndoClears::InsideBracket;
    const int current = (grid && insideBracket) ? grid->currentVisibleRow() : -1;
    if (grid) {
        if (m_undoClears == UndoClears::RestoredTable)
            grid->deselectAll(true);
        grid->beginInsert();
        if (insideBracket)
            grid->deselectAll(true);
    }
    runChildren(false);
    childrenRan(grid, false);
    if (grid) {
        grid->endInsert();
        if (insideBracket && current == -1)
            grid->clearCurrent();
    }
    refresh(grid);
}

void GroupCmd::runChild(QUndoCommand *child, bool forward) {
    if (forward)
        child->redo();
    else
        child->undo();
}

void GroupCmd::runChildren(bool forward) {
    // Undo runs the children in reverse, so each one finds the state its redo left.
    if (forward) {
        for (int i = 0; i < childCount(); ++i)
            runChild(const_cast<QUndoCommand *>(child(i)), true);
    } else {
        for (int i = childCount() - 1; i >= 0; --i)
            runChild(const_cast<QUndoCommand *>(child(i)), false);
    }
}

void GroupCmd::refreshColumn(MainGrid *grid, int column) {
    if (!grid)
        return;
    grid->refreshIfSortedBy(column);
    // The children check-marked their rows one by one, which leaves the header's box as it was; a new sort
    // brings it up to date only when the table is sorted by the column, so it follows the marks here.
    grid->updateHeaderCheckState();
    grid->refreshSelectionState();
}

void GroupCmd::refreshWindow(MainGrid *grid, const std::function<void(MainGrid &)> &tableStep) {
    EditContext *ctx = context();
    if (ctx)
        ctx->refreshAfterEdit(true);
    if (grid) {
        tableStep(*grid);
        grid->refreshSelectionState();
    }
    if (ctx) {
        ctx->updateChannelCountLabel();
        ctx->updateSatelliteLists();
    }
}
