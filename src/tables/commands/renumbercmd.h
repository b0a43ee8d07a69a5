#ifndef RENUMBERCMD_H
#define RENUMBERCMD_H

#include "tables/commands/undoitem.h"

class Channel;

// Gives one row's channel a new number. Only its RenumberGroupCmd runs it (execute/unexecute), inside the
// group's sorting suspension. A row with showRow is marked or selected afterwards; a channel that was only
// pushed along by the edit is not.
class RenumberCmd : public UndoItem {
public:
    RenumberCmd(CheckBoxItem *item, int newNumber, bool showRow, QUndoCommand *parent);

    CheckBoxItem *rowItem() const override { return m_item; }
    Channel *channel() const { return m_channel; }
    int newNumber() const { return m_newNumber; }
    int oldNumber() const { return m_oldNumber; }
    bool showRow() const { return m_showRow; }

    virtual void unexecute(bool mark);
    virtual void execute(bool mark);

private:
    void apply(int number, bool mark);

    int m_newNumber;
    int m_oldNumber;
    CheckBoxItem *m_item;
    Channel *m_channel;
    bool m_showRow;
    bool m_oldModified;
};

#endif // RENUMBERCMD_H
