#ifndef FAVGROUPCMD_H
#define FAVGROUPCMD_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

// One edit of the favourites page (add to, remove from or reorder a favourites list), with one FavCmd per
// changed channel. After the children run, both favourites tables are filtered again: the table that gains
// rows (the right one after an addition, the left one after a removal, the other way round on undo)
// check-marks the rows it newly shows or enables.
class FavGroupCmd : public UndoItem {
public:
    FavGroupCmd(const UndoState &state, bool checkShown, bool rightSide);

    void undo() override;
    void redo() override;

    bool checkShown() const { return m_checkShown; }
    bool rightSide() const { return m_rightSide; }
    const UndoState &state() const { return m_state; }

private:
    void run(bool forward);

    UndoState m_state;
    bool m_checkShown;
    bool m_rightSide;
};

#endif // FAVGROUPCMD_H
