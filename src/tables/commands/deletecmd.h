#ifndef DELETECMD_H
#define DELETECMD_H

#include "tables/commands/command.h"

// Marks one row's channel deleted and hides its row; undo clears the mark, shows the row again and gives
// it the check mark recorded at construction.
class DeleteCmd : public Command {
public:
    DeleteCmd(const UndoState &state, CheckBoxItem *item, bool wasChecked, QUndoCommand *parent);

    void undo() override;
    void redo() override;

    bool wasChecked() const { return m_wasChecked; }

private:
    bool m_wasChecked;
};

#endif // DELETECMD_H
