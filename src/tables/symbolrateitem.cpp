#include "tables/symbolrateitem.h"

#include "core/satellitechannel.h"

bool SymbolRateItem::operator<(const QTableWidgetItem &other) const {
    const auto *mine = dynamic_cast<const SatelliteChannel *>(channelOf(*this));
    const auto *theirs = dynamic_cast<const SatelliteChannel *>(channelOf(other));
    if (!mine || !theirs)
        return QTableWidgetItem::operator<(other);
    return mine->symbolRate() < theirs->symbolRate();
}
