#ifndef CHILDLOCKCMD_H
#define CHILDLOCKCMD_H

#include "tables/commands/undoitem.h"

class Channel;
class ChildLockGroupCmd;

// Locks or unlocks one row's channel; the value comes from the group. Run only by its ChildLockGroupCmd.
class ChildLockCmd : public UndoItem {
public:
    ChildLockCmd(CheckBoxItem *item, ChildLockGroupCmd *group);

    CheckBoxItem *rowItem() const override { return m_item; }
    bool newLocked() const { return m_newLocked; }
    bool oldLocked() const { return m_oldLocked; }

    virtual void unexecute(bool mark);
    virtual void execute(bool mark);

private:
    void apply(bool locked, bool mark);

    bool m_newLocked;
    bool m_oldLocked;
    CheckBoxItem *m_item;
    Channel *m_channel;
    bool m_oldModified;
};

#endif // CHILDLOCKCMD_H
