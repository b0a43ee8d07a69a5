#include "tables/commands/astrahdcopygrpcmd.h"

#include "tables/maingrid.h"

namespace {
// Filter again keeping the current row when it is still shown, without touching check marks.
constexpr int KEEP_CURRENT = 1;
} // namespace

AstraHDCopyGrpCmd::AstraHDCopyGrpCmd(const UndoState &state, QUndoCommand *parent)
    : GroupCmd(state, true, UndoClears::InsideBracket, parent) {}

void AstraHDCopyGrpCmd::refresh(MainGrid *grid) {
    // The copy changes which rows are placeholders (hidden) and which are channels (shown).
    refreshWindow(grid, [](MainGrid &table) { table.refilter(KEEP_CURRENT, false, false); });
}
