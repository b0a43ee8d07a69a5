#ifndef ASTRAHDCOPYCMD_H
#define ASTRAHDCOPYCMD_H

#include "core/astrahdchannel.h"
#include "tables/commands/command.h"

#include <QList>

// Copies a whole Astra HD+ channel record (the source row's) over the channel of another row of the same
// table, optionally with a new number and new favourites positions. Redo saves the target's full record
// first, so undo restores it bit for bit; the source is never changed.
class AstraHDCopyCmd : public Command {
public:
    // newNumber -1 keeps the target's number.
    AstraHDCopyCmd(const UndoState &state, CheckBoxItem *source, CheckBoxItem *target, int newNumber,
                   QUndoCommand *parent);
    // favourites[i] becomes the target's position in list i + 1.
    AstraHDCopyCmd(const UndoState &state, CheckBoxItem *source, CheckBoxItem *target, int newNumber,
                   const QList<int> &favourites, QUndoCommand *parent);

    void undo() override;
    void redo() override;

    CheckBoxItem *target() const { return m_target; }
    int newNumber() const { return m_newNumber; }
    const QList<int> &favourites() const { return m_favourites; }
    bool hasFavourites() const { return m_hasFavourites; }
    const AstraHDChannel &backup() const { return m_backup; }

private:
    CheckBoxItem *m_target;
    AstraHDChannel m_backup;
    int m_newNumber;
    QList<int> m_favourites;
    bool m_hasFavourites;
};

#endif // ASTRAHDCOPYCMD_H
