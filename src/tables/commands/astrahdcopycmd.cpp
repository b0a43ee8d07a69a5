#include "tables/commands/astrahdcopycmd.h"

#include "tables/checkboxitem.h"
#include "tables/maingrid.h"

namespace {
AstraHDChannel placeholderBackup() {
    return AstraHDChannel(0, QStringLiteral("FAKED"), 0, 0, 0, 0, 0, 0, nullptr, 0, 0, false, false, 0, -1,
                          0);
}

AstraHDChannel *astraHDChannelOf(const CheckBoxItem *item) {
    return item ? dynamic_cast<AstraHDChannel *>(item->channel()) : nullptr;
}

// Rewrites the target's row from its channel, inside the table's sorting suspension.
void rewriteRow(CheckBoxItem *target, AstraHDChannel *channel) {
    MainGrid *grid = qobject_cast<MainGrid *>(target->tableWidget());
    const int row = grid ? grid->rowOfItem(target) : -1;
    if (grid && row >= 0)
        grid->updateRow(channel, row);
}
} // namespace

AstraHDCopyCmd::AstraHDCopyCmd(const UndoState &state, CheckBoxItem *source, CheckBoxItem *target,
                               int newNumber, QUndoCommand *parent)
    : Command(state, source, parent), m_target(target), m_backup(placeholderBackup()), m_newNumber(newNumber),
      m_hasFavourites(false) {}

AstraHDCopyCmd::AstraHDCopyCmd(const UndoState &state, CheckBoxItem *source, CheckBoxItem *target,
                               int newNumber, const QList<int> &favourites, QUndoCommand *parent)
    : Command(state, source, parent), m_target(target), m_backup(placeholderBackup()), m_newNumber(newNumber),
      m_favourites(favourites), m_hasFavourites(true) {}

void AstraHDCopyCmd::redo() {
    AstraHDChannel *source = astraHDChannelOf(m_item);
    AstraHDChannel *target = astraHDChannelOf(m_target);
    if (!source || !target)
        return;
    m_backup = *target;
    const quint16 keptNumber = target->number();
    MainGrid *grid = gridOf(m_target);
    if (grid)
        grid->beginInsert();
    *target = *source;
    target->setNumber(m_newNumber == -1 ? keptNumber : static_cast<quint16>(m_newNumber));
    if (m_hasFavourites) {
        const int lists =
            qMin(static_cast<int>(m_favourites.size()), int(Channel::NUMBER_MY_FAVOURITES_LISTS));
        for (int i = 0; i < lists; ++i)
            target->setFavouritePosition(static_cast<quint16>(i + 1), m_favourites.at(i));
    }
    rewriteRow(m_target, target);
    if (grid)
        grid->endInsert();
}

void AstraHDCopyCmd::undo() {
    AstraHDChannel *target = astraHDChannelOf(m_target);
    if (!target)
        return;
    MainGrid *grid = gridOf(m_target);
    if (grid)
        grid->beginInsert();
    *target = m_backup;
    rewriteRow(m_target, target);
    if (grid)
        grid->endInsert();
}
