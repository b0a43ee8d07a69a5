#ifndef CHILDLOCKGROUPCMD_H
#define CHILDLOCKGROUPCMD_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

// One lock or unlock edit, with one ChildLockCmd per row. The push applies it and keeps the user's check
// marks (mark false selects the one edited row instead); every later run clears the table's marks and
// check-marks the rows it touches.
class ChildLockGroupCmd : public UndoItem {
public:
    ChildLockGroupCmd(bool mark, bool lock, const UndoState &state);

    void undo() override;
    void redo() override;

    bool mark() const { return m_mark; }
    bool lock() const { return m_lock; }
    bool isFirst() const { return m_first; }
    const UndoState &state() const { return m_state; }

private:
    bool m_mark;
    bool m_lock;
    UndoState m_state;
    bool m_first = true;
};

#endif // CHILDLOCKGROUPCMD_H
