#ifndef MYCHANGROUPCMD_H
#define MYCHANGROUPCMD_H

#include "tables/commands/groupcmd.h"

// One favourites edit of a main table on list favIndex (1..5), with one MyChanCmd per changed row
// (including the members packed after an ordered removal), after a FavCmd for each member packed to make
// room before an ordered addition; those leave their rows' check marks alone. First redo keeps the user's
// marks and makes the last shown row it touched the current row; later runs clear the restored table's marks
// and check-mark the rows they touch.
class MyChanGroupCmd : public GroupCmd {
public:
    MyChanGroupCmd(const UndoState &state, bool mark, int favIndex, QUndoCommand *parent = nullptr);

    int favIndex() const { return m_favIndex; }

protected:
    void runChild(QUndoCommand *child, bool forward) override;
    void childrenRan(MainGrid *grid, bool forward) override;
    void refresh(MainGrid *grid) override;

private:
    int m_favIndex;
};

#endif // MYCHANGROUPCMD_H
