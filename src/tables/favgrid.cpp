#include "tables/favgrid.h"

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/satellitechannel.h"
#include "tables/checkboxitem.h"
#include "tables/mychannelnumbertablewidgetitem.h"

#include <QContextMenuEvent>
#include <QMenu>

FavGrid::FavGrid(QWidget *parent, int listKind, bool ordered, bool membershipOnly)
    : Grid(parent, listKind), m_ordered(ordered), m_membershipOnly(membershipOnly) {
    addColumn(ordered ? POSITION_COLUMN : NUMBER_COLUMN);
    addColumn(NAME_COLUMN);
    createContextMenu();
}

FavGrid *FavGrid::create(int listKind, bool ordered, bool membershipOnly) {
    auto *grid = new FavGrid(nullptr, listKind, ordered, membershipOnly);
    grid->fitColumnsToTitles();
    grid->sortDefault();
    return grid;
}

FavGrid *FavGrid::createAirGrid(bool ordered, bool membershipOnly) {
    return create(AIR_LIST, ordered, membershipOnly);
}

FavGrid *FavGrid::createCableGrid(bool ordered, bool membershipOnly) {
    return create(CABLE_LIST, ordered, membershipOnly);
}

FavGrid *FavGrid::createSatelliteGrid(bool ordered, bool membershipOnly) {
    return create(SATELLITE_LIST, ordered, membershipOnly);
}

FavGrid *FavGrid::createAstraHDGrid(bool ordered, bool membershipOnly) {
    return create(ASTRA_HD_LIST, ordered, membershipOnly);
}

void FavGrid::sortDefault() {
    if (m_ordered)
        sortByMyNumber();
    else
        sortByNumber();
}

// ---------------------------------------------------------------------------------------------------------
// Rows

void FavGrid::appendRow(Channel *channel, int row) {
    setCheckCell(false, channel, row);
    if (m_ordered)
        addPositionCell(channel, row);
    else
        setNumberCell(channel, false, row);
    // Nothing in a favourites table is edited in place. The row's tool tip is the channel's description,
    // made when it is shown.
    setNameCell(channel, false, row);
}

void FavGrid::addPositionCell(Channel *channel, int row) {
    if (!hasColumn(POSITION_COLUMN) || !channel)
        return;
    auto *item = new MyChannelNumberTableWidgetItem(channel);
    item->setText(QString::number(channel->favouritePosition(quint16(m_favIndex))));
    item->setData(Qt::UserRole, int(channel->number()));
    setCellItem(item, row, columnIndex(POSITION_COLUMN), false);
}

void FavGrid::addAirRow(AirChannel *channel, int row) {
    appendRow(channel, row);
}

void FavGrid::addCableRow(CableChannel *channel, int row) {
    appendRow(channel, row);
}

void FavGrid::addSatelliteRow(SatelliteChannel *channel, int row) {
    appendRow(channel, row);
}

void FavGrid::addAstraHDRow(AstraHDChannel *channel, int row) {
    appendRow(channel, row);
}

void FavGrid::updatePositionCell(Channel *channel, int row, int list) {
    if (!channel || !isValidRow(row) || !hasColumn(POSITION_COLUMN) || list < 1 ||
        list > Channel::NUMBER_MY_FAVOURITES_LISTS)
        return;
    if (QTableWidgetItem *cell = item(row, columnIndex(POSITION_COLUMN)))
        cell->setText(QString::number(channel->favouritePosition(quint16(list))));
}

void FavGrid::setFavouriteIndex(int list) {
    if (list < 1 || list > Channel::NUMBER_MY_FAVOURITES_LISTS)
        return;
    m_favIndex = list;
    beginInsert();
    for (int row = 0; row < rowCount(); ++row)
        updatePositionCell(channelAt(row), row, m_favIndex);
    endInsert();
}

void FavGrid::refreshChannelRow(Channel *channel, int row, int list) {
    if (m_ordered)
        updatePositionCell(channel, row, list);
    else
        updateNumber(channel, row);
}

void FavGrid::refreshAllRows(bool clearModified) {
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    beginInsert();
    for (int row = rowCount() - 1; row >= 0; --row) {
        Channel *channel = channelAt(row);
        if (!channel)
            continue;
        if (m_ordered)
            updatePositionCell(channel, row, m_favIndex);
        else
            updateNumber(channel, row);
        updateName(channel, row);
        resetRowToolTip(row);
        if (clearModified)
            channel->setModified(false);
    }
    endInsert();
    setUpdatesEnabled(updates);
}

// ---------------------------------------------------------------------------------------------------------
// Filtering

void FavGrid::setRowCellsEnabled(int row, bool enabled) {
    const int ids[] = {CHECK_COLUMN, NUMBER_COLUMN, POSITION_COLUMN, NAME_COLUMN};
    for (int id : ids) {
        if (!hasColumn(id))
            continue;
        if (QTableWidgetItem *cell = item(row, columnIndex(id))) {
            const Qt::ItemFlags flags = cell->flags();
            cell->setFlags(enabled ? flags | Qt::ItemIsEnabled : flags & ~Qt::ItemIsEnabled);
        }
    }
}

void FavGrid::applyFilter(int typeMask, int favNo, int satelliteId, int selectMode, bool uncheckAll,
                          bool checkShown) {
    beginInsert();
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    setFilterState(typeMask, favNo);
    const int oldCurrent = currentVisibleRow();
    int checkable = 0;

    if (rowCount() > 0) {
        int firstSelectable = -1;
        int firstNewlyEnabled = -1;
        for (int row = 0; row < rowCount(); ++row) {
            const Channel *channel = channelAt(row);
            if (!channel)
                continue;
            if (uncheckAll)
                setRowChecked(row, false);
            const bool matches = matchesFilter(channel, typeMask, satelliteId);
            setRowVisible(row, matches);
            if (matches) {
                const bool member = favNo >= 1 && favNo <= Channel::NUMBER_MY_FAVOURITES_LISTS &&
                                    channel->favouritePosition(quint16(favNo)) != Channel::NOT_A_MEMBER;
                if (member && isRowEnabled(row)) {
                    // A member is shown greyed out: it cannot be added again.
                    setRowChecked(row, false);
                    setRowCellsEnabled(row, false);
                } else if (!member && !isRowEnabled(row)) {
                    if (checkShown)
                        setRowChecked(row, true);
                    if (firstNewlyEnabled == -1)
                        firstNewlyEnabled = row;
                    setRowCellsEnabled(row, true);
                }
                if (isRowEnabled(row))
                    ++checkable;
            }
            if (matches && isRowEnabled(row) && firstSelectable == -1)
                firstSelectable = row;
        }
        setCheckableCount(checkable);

        applySelectMode(selectMode, firstSelectable, firstNewlyEnabled, oldCurrent);
    } else {
        setCheckableCount(0);
    }

    setUpdatesEnabled(updates);
    endInsert();
    updateRowHeights();
    updateHeaderCheckState();
    emit filterFinished();
}

void FavGrid::reload(int selectMode, bool uncheckAll, bool checkShown) {
    applyFilter(typeMask(), favNo(), -1, selectMode, uncheckAll, checkShown);
}

// ---------------------------------------------------------------------------------------------------------
// Context menu

void FavGrid::createContextMenu() {
    auto *menu = new QMenu(this);
    m_selectAllAction = menu->addAction(tr("Select All"));
    connect(m_selectAllAction, &QAction::triggered, this, qOverload<bool>(&Grid::selectAll));
    if (m_ordered) {
        m_moveAction = menu->addAction(tr("Move"));
        connect(m_moveAction, &QAction::triggered, this, &FavGrid::on_moveMyChannels);
    }
    m_deselectAllAction = menu->addAction(tr("Deselect All"));
    connect(m_deselectAllAction, &QAction::triggered, this, qOverload<bool>(&Grid::deselectAll));
    setContextMenu(menu);
}

void FavGrid::prepareContextMenu() {
    if (m_moveAction)
        m_moveAction->setEnabled(true);
    m_selectAllAction->setEnabled(checkableCount() > 0 && checkableCount() > checkedCount());
    m_deselectAllAction->setEnabled(checkableCount() > 0 && checkedCount() > 0);
}

void FavGrid::contextMenuEvent(QContextMenuEvent *event) {
    if (visibleCount() == 0 || !contextMenu())
        return;
    prepareContextMenu();
    contextMenu()->popup(event->globalPos());
}
