#ifndef RENAMECMD_H
#define RENAMECMD_H

#include "tables/commands/command.h"

#include <QString>

// Renames one analogue channel. Made and pushed by UndoStack::rename; the push applies the name.
class RenameCmd : public Command {
public:
    RenameCmd(const UndoState &state, CheckBoxItem *item, const QString &newName,
              QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

    const QString &newName() const { return m_newName; }
    const QString &oldName() const { return m_oldName; }

private:
    void apply(const QString &name);

    QString m_newName;
    QString m_oldName;
    bool m_oldModified;
};

#endif // RENAMECMD_H
