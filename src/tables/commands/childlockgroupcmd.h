#ifndef CHILDLOCKGROUPCMD_H
#define CHILDLOCKGROUPCMD_H

#include "tables/commands/groupcmd.h"

// One lock or unlock edit, with one ChildLockCmd per row. The push applies it and keeps the user's check
// marks (mark false selects the one edited row instead); every later run clears the table's marks and
// check-marks the rows it touches.
class ChildLockGroupCmd : public GroupCmd {
public:
    ChildLockGroupCmd(bool mark, bool lock, const UndoState &state);

    bool lock() const { return m_lock; }

protected:
    void runChild(QUndoCommand *child, bool forward) override;
    void refresh(MainGrid *grid) override;

private:
    bool m_lock;
};

#endif // CHILDLOCKGROUPCMD_H
