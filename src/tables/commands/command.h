#ifndef COMMAND_H
#define COMMAND_H

#include "tables/commands/undoitem.h"
#include "tables/undostate.h"

class Channel;

// A row command that also records the view it was made in: the channel is the item's channel at
// construction (the table may rebind the item later; the command keeps working on this channel).
class Command : public UndoItem {
public:
    Command(const UndoState &state, CheckBoxItem *item, QUndoCommand *parent = nullptr);

    CheckBoxItem *rowItem() const override { return m_item; }
    Channel *channel() const { return m_channel; }
    const UndoState &state() const { return m_state; }

protected:
    UndoState m_state;
    CheckBoxItem *m_item;
    Channel *m_channel;
};

#endif // COMMAND_H
