#include "tables/commands/command.h"

#include "tables/checkboxitem.h"

Command::Command(const UndoState &state, CheckBoxItem *item, QUndoCommand *parent)
    : UndoItem(parent), m_state(state), m_item(item), m_channel(item ? item->channel() : nullptr) {}
