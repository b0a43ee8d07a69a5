#ifndef MYCHANGROUPCMD_H
#define MYCHANGROUPCMD_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

// One favourites edit of a main table on list favIndex (1..5), with one MyChanCmd per changed row
// (including the members packed after an ordered removal). First redo keeps the user's marks; later runs
// clear the restored table's marks and check-mark the rows they touch.
class MyChanGroupCmd : public UndoItem {
public:
    MyChanGroupCmd(const UndoState &state, bool mark, int favIndex, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

    bool mark() const { return m_mark; }
    int favIndex() const { return m_favIndex; }
    bool isFirst() const { return m_first; }
    const UndoState &state() const { return m_state; }

private:
    UndoState m_state;
    bool m_mark;
    int m_favIndex;
    bool m_first = true;
};

#endif // MYCHANGROUPCMD_H
