#include "tables/commands/deletegroupcmd.h"

#include "tables/maingrid.h"

// Undo brings the rows back check-marked, inside the bracket; they must not also make a row current that
// was not.
DeleteGroupCmd::DeleteGroupCmd(const UndoState &state, QUndoCommand *parent)
    : GroupCmd(state, true, UndoClears::InsideBracket, parent) {}

void DeleteGroupCmd::refresh(MainGrid *grid) {
    refreshWindow(grid, [](MainGrid &table) { table.updateRowHeights(); });
}
