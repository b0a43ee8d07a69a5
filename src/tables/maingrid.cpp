#include "tables/maingrid.h"

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/satellitechannel.h"
#include "dialogs/deletedialog.h"
#include "dialogs/renumberdialog.h"
#include "tables/checkboxitem.h"
#include "tables/commands/childlockgroupcmd.h"
#include "tables/commands/deletegroupcmd.h"
#include "tables/commands/mychangroupcmd.h"
#include "tables/commands/renumbergroupcmd.h"
#include "tables/favouritesrepack.h"
#include "tables/headerview.h"
#include "tables/undostack.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <memory>

namespace {
int theInsertMode = 0;

const QBrush &dropLineBrush() {
    static const QBrush brush(QColor(8, 214, 255, 255), Qt::SolidPattern);
    return brush;
}

const QBrush &dropEdgeBrush() {
    static const QBrush brush(QColor(0, 0, 0, 255), Qt::SolidPattern);
    return brush;
}

// One entry per pixel row of the drop line, filled by addDropBrush.
QList<const QBrush *> &dropLineBrushes() {
    static QList<const QBrush *> brushes;
    return brushes;
}

constexpr int ALL_FAVOURITES_MASK = 31;
constexpr int HALF_ROW = 14;

void registerMetaTypes() {
    static const bool registered = [] {
        qRegisterMetaType<MainGrid::ChildLockSelStatus>("MainGrid::ChildLockSelStatus");
        qRegisterMetaType<UndoState>("UndoState");
        return true;
    }();
    Q_UNUSED(registered);
}

bool isOutsideAstraHDRange(const Channel *channel) {
    return channel->number() == 0 || channel->number() > MainGrid::ASTRA_HD_RANGE_HIGHEST;
}

bool isInAstraHDRange(const Channel *channel) {
    return channel && !isOutsideAstraHDRange(channel);
}

MainGrid *createGrid(int listKind, bool orderedFavourites, std::initializer_list<int> columns) {
    auto *grid = new MainGrid(nullptr, listKind, orderedFavourites);
    for (int id : columns)
        grid->addColumn(id);
    return grid;
}
} // namespace

MainGrid::MainGrid(QWidget *parent, int listKind, bool orderedFavourites)
    : Grid(parent, listKind), m_orderedFavourites(orderedFavourites) {
    registerMetaTypes();
    m_baseStyleSheet = styleSheet();
    setDragDropMode(QAbstractItemView::DragDrop);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The drop line drawn by drawCell replaces the toolkit's indicator.
    setDropIndicatorShown(false);
    createContextMenu();

    connect(this, &Grid::currentChannelChanged, this, &MainGrid::on_currentChannelChanged);
    connect(this, &QTableWidget::cellChanged, this, &MainGrid::on_cellChanged);
    connect(this, &Grid::listLoaded, this, &MainGrid::on_listLoaded);
    connect(this, &Grid::filterFinished, this, &MainGrid::on_filterFinished);
    connect(this, &Grid::channelChecked, this, &MainGrid::on_channelChecked);
    connect(this, &Grid::channelUnchecked, this, &MainGrid::on_channelUnchecked);
    connect(this, &Grid::selectionStateChanged, this, &MainGrid::on_selectionStateChanged);
}

MainGrid::~MainGrid() = default;

MainGrid *MainGrid::createAirGrid(bool orderedFavourites) {
    return createGrid(AIR_LIST, orderedFavourites,
                      {NUMBER_COLUMN, NAME_COLUMN, FAVOURITES_COLUMN, LOCKED_COLUMN, FREQUENCY_COLUMN});
}

MainGrid *MainGrid::createCableGrid(bool orderedFavourites) {
    return createGrid(CABLE_LIST, orderedFavourites,
                      {NUMBER_COLUMN, NAME_COLUMN, FAVOURITES_COLUMN, LOCKED_COLUMN, FREQUENCY_COLUMN});
}

MainGrid *MainGrid::createSatelliteGrid(bool orderedFavourites) {
    return createGrid(SATELLITE_LIST, orderedFavourites,
                      {NUMBER_COLUMN, NAME_COLUMN, FAVOURITES_COLUMN, LOCKED_COLUMN, SATELLITE_COLUMN,
                       PROVIDER_COLUMN, FREQUENCY_COLUMN, SYMBOL_RATE_COLUMN, POLARITY_COLUMN,
                       MODULATION_COLUMN, FEC_COLUMN});
}

MainGrid *MainGrid::createAstraHDGrid(bool orderedFavourites) {
    return createGrid(ASTRA_HD_LIST, orderedFavourites,
                      {NUMBER_COLUMN, NAME_COLUMN, FAVOURITES_COLUMN, LOCKED_COLUMN, SATELLITE_COLUMN,
                       PROVIDER_COLUMN, FREQUENCY_COLUMN, SYMBOL_RATE_COLUMN, POLARITY_COLUMN,
                       MODULATION_COLUMN, FEC_COLUMN});
}

void MainGrid::setInsertMode(bool on) {
    theInsertMode = on ? 1 : 0;
}

int MainGrid::insertMode() {
    return theInsertMode;
}

void MainGrid::addDropBrush() {
    dropLineBrushes() << &dropEdgeBrush() << &dropLineBrush() << &dropEdgeBrush();
}

const QString &MainGrid::normalStyleSheet() {
    static const QString sheet = QStringLiteral(
        "QTableWidget { selection-background-color: qlineargradient(spread:pad, x1:0, y1:1, x2:0, "
        "y2:0,stop:0 "
        "#3f4042, stop:0.049 #3f4042, stop:0.05 rgba(8, 152, 255, 255), stop:0.1 rgba(14, 81, 129, 255), "
        "stop:0.519774 rgba(14, 81, 129, 255), stop:0.90 rgba(18, 135, 220, 255), stop:0.95 rgba(8, 236, "
        "255, "
        "255), stop:0.951 #3f4042,stop:1 #3f4042);}");
    return sheet;
}

const QString &MainGrid::dragStyleSheet() {
    static const QString sheet =
        QStringLiteral("QTableWidget { selection-background-color: rgba(159, 159, 159, 100);}");
    return sheet;
}

int MainGrid::lowestNumber(int kind) {
    return kind == Channel::ANALOGUE ? ANALOGUE_LOWEST : DIGITAL_LOWEST;
}

int MainGrid::highestNumber(int kind) {
    return kind == Channel::ANALOGUE ? ANALOGUE_HIGHEST : DIGITAL_HIGHEST;
}

QString MainGrid::rangeText(int kind) {
    return kind == Channel::ANALOGUE ? tr("Analogue channel number has to be in range 0-99.")
                                     : tr("Digital channel number has to be in range 1-9999.");
}

// ---------------------------------------------------------------------------------------------------------
// Rows

void MainGrid::addAirRow(AirChannel *channel, int row) {
    addRowCells(channel, row, true);
}

void MainGrid::addCableRow(CableChannel *channel, int row) {
    addRowCells(channel, row, true);
}

void MainGrid::addSatelliteRow(SatelliteChannel *channel, int row) {
    addRowCells(channel, row, true);
}

void MainGrid::addAstraHDRow(AstraHDChannel *channel, int row) {
    // Only the favourite range is edited in place; other Astra HD+ channels are copied into it.
    addRowCells(channel, row, channel->number() <= ASTRA_HD_RANGE_HIGHEST);
    if (channel->isDeleted())
        setRowVisible(row, false);
}

void MainGrid::addRowCells(Channel *channel, int row, bool numberEditable) {
    setCheckCell(false, channel, row);
    writeRowCells(channel, row, numberEditable);
}

void MainGrid::writeRowCells(Channel *channel, int row, bool numberEditable) {
    Grid::setNumberCell(channel, numberEditable, row);
    Grid::setNameCell(channel, true, row);
    setFavCell(channel, row);
    setLockCell(channel, row);
    auto *satellite = dynamic_cast<SatelliteChannel *>(channel);
    if (satellite) {
        setTextCell(SATELLITE_COLUMN, satellite->satelliteName().trimmed(), false, row);
        setTextCell(PROVIDER_COLUMN, satellite->providerName().trimmed(), false, row);
    }
    // Terrestrial frequencies read better in kHz, satellite ones in MHz.
    setFrequencyCell(channel, row, satellite != nullptr);
    if (satellite) {
        setSymbolRateCell(satellite, row);
        setPolarityCell(satellite, row);
        setModulationCell(satellite, row);
        setFecCell(satellite, row);
    }
    // The row's tool tip is the channel's description, made when it is shown.
    resetRowToolTip(row);
}

void MainGrid::updateRow(Channel *channel, int row) {
    CheckBoxItem *check = checkBoxItem(row);
    if (!check || !channel)
        return;
    check->setChannel(channel);
    beginInsert();
    writeRowCells(channel, row, channel->number() <= ASTRA_HD_RANGE_HIGHEST);
    endInsert();
    setRowVisible(row, !channel->isDeleted());
}

void MainGrid::refreshAllRows(bool clearModified) {
    beginInsert();
    for (int row = rowCount() - 1; row >= 0; --row) {
        Channel *channel = channelAt(row);
        if (!channel)
            continue;
        updateNumber(channel, row);
        updateName(channel, row);
        updateFavIcon(channel, row);
        resetRowToolTip(row);
        if (clearModified)
            channel->setModified(false);
    }
    endInsert();
}

void MainGrid::sortDefault() {
    sortByNumber();
}

void MainGrid::setNumberCell(int row, int number) {
    Channel *channel = channelAt(row);
    if (!channel)
        return;
    channel->setNumber(static_cast<quint16>(number));
    if (!hasColumn(NUMBER_COLUMN))
        return;
    beginInsert();
    // The cell shows what the channel holds (it ignores numbers above 9999).
    if (QTableWidgetItem *cell = item(row, columnIndex(NUMBER_COLUMN)))
        cell->setData(Qt::DisplayRole, QString::number(channel->number()));
    endInsert();
}

void MainGrid::setNameCell(int row, const QString &name) {
    Channel *channel = channelAt(row);
    if (!channel)
        return;
    channel->setName(name);
    if (!hasColumn(NAME_COLUMN))
        return;
    beginInsert();
    if (QTableWidgetItem *cell = item(row, columnIndex(NAME_COLUMN)))
        cell->setData(Qt::DisplayRole, name);
    endInsert();
}

void MainGrid::updateFavouriteCell(CheckBoxItem *check, bool checked) {
    if (!check || check->tableWidget() != this)
        return;
    const int row = rowOfItem(check);
    if (row < 0)
        return;
    beginInsert();
    updateFavIcon(check->channel(), row);
    // Every checked row is a shown row; a packed member hidden by the filter stays unchecked.
    setRowChecked(row, checked && isRowVisible(row));
    endInsert();
}

// ---------------------------------------------------------------------------------------------------------
// Context menu, queries and state

void MainGrid::createContextMenu() {
    auto *menu = new QMenu(this);
    auto add = [menu](const QString &text) { return menu->addAction(text); };
    m_deleteAction = add(tr("Delete"));
    connect(m_deleteAction, &QAction::triggered, this, &MainGrid::actionDelete);
    m_copyAction = add(tr("Copy"));
    connect(m_copyAction, &QAction::triggered, this, [this] { actionAstraHDCopy(); });
    m_renumberAction = add(tr("Number Edit"));
    connect(m_renumberAction, &QAction::triggered, this, &MainGrid::actionRenumber);
    m_moveAction = add(tr("Move to..."));
    connect(m_moveAction, &QAction::triggered, this, &MainGrid::actionMove);
    m_renameAction = add(tr("Name Edit"));
    connect(m_renameAction, &QAction::triggered, this, &MainGrid::actionRename);
    menu->addSeparator();
    m_lockAction = add(tr("Lock"));
    connect(m_lockAction, &QAction::triggered, this, &MainGrid::actionLock);
    m_unlockAction = add(tr("Unlock"));
    connect(m_unlockAction, &QAction::triggered, this, &MainGrid::actionUnlock);
    menu->addSeparator();
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i) {
        m_favouriteActions[i] = add(tr("My Fav %1").arg(i + 1));
        m_favouriteActions[i]->setCheckable(true);
    }
    connect(m_favouriteActions[0], &QAction::triggered, this, &MainGrid::actionSetFav1);
    connect(m_favouriteActions[1], &QAction::triggered, this, &MainGrid::actionSetFav2);
    connect(m_favouriteActions[2], &QAction::triggered, this, &MainGrid::actionSetFav3);
    connect(m_favouriteActions[3], &QAction::triggered, this, &MainGrid::actionSetFav4);
    connect(m_favouriteActions[4], &QAction::triggered, this, &MainGrid::actionSetFav5);
    menu->addSeparator();
    m_selectAllAction = add(tr("Select All"));
    connect(m_selectAllAction, &QAction::triggered, this, [this](bool checked) { selectAll(checked); });
    m_deselectAllAction = add(tr("Deselect All"));
    connect(m_deselectAllAction, &QAction::triggered, this, [this](bool checked) { deselectAll(checked); });
    setContextMenu(menu);
}

void MainGrid::enableFavouriteActions(int count) {
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i)
        m_favouriteActions[i]->setEnabled(i + 1 <= count);
}

int MainGrid::favouritesMaskOfSelection() const {
    if (visibleCount() < 1)
        return ALL_FAVOURITES_MASK;
    int mask = ALL_FAVOURITES_MASK;
    if (checkedCount() > 0) {
        for (int row = 0; row < rowCount(); ++row) {
            if (isRowChecked(row) && isRowVisible(row)) {
                if (const Channel *channel = channelAt(row))
                    mask &= channel->favouritesMask();
            }
        }
    } else if (const Channel *channel = currentChannel()) {
        mask &= channel->favouritesMask();
    }
    return mask;
}

int MainGrid::singleSelectedRow() const {
    if (checkedCount() == 1)
        return firstCheckedVisibleRow();
    return currentVisibleRow();
}

void MainGrid::makeCurrent(int row) {
    if (row < 0 || row >= rowCount())
        return;
    setCurrentCell(row, 0);
    if (columnCount() > 1)
        setCurrentCell(row, 1);
}

void MainGrid::editSelectedCell(int columnId) {
    const int row = singleSelectedRow();
    if (row < 0 || !hasColumn(columnId))
        return;
    QTableWidgetItem *cell = item(row, columnIndex(columnId));
    if (!cell || !(cell->flags() & Qt::ItemIsEditable))
        return;
    makeCurrent(row);
    editItem(cell);
}

bool MainGrid::isDeleteEnabled() const {
    if (!hasSelection())
        return false;
    if (!isAstraHD())
        return true;
    if (checkedCount() > 0)
        return m_checkedOutOfRangeCount == 0;
    return isInAstraHDRange(currentChannel());
}

bool MainGrid::isRenameEnabled() const {
    return m_renameEnabled && !isAstraHD() && hasCurrent();
}

bool MainGrid::isLockEnabled() const {
    return m_locksKept && (m_childLockStatus == PartiallyLocked || m_childLockStatus == NoneLocked) &&
           hasSelection();
}

bool MainGrid::isUnlockEnabled() const {
    return m_locksKept && (m_childLockStatus == AllLocked || m_childLockStatus == PartiallyLocked) &&
           hasSelection();
}

bool MainGrid::isRenumberEnabled() const {
    const int checked = checkedCount();
    if (isAstraHD()) {
        if (m_checkedOutOfRangeCount != 0)
            return false;
        return checked >= 1 || isInAstraHDRange(currentChannel());
    }
    if (checked == 1)
        return true;
    if (checked == 0)
        return hasCurrent();
    return m_checkedDigitalCount == checked || m_checkedAnalogueCount == checked;
}

bool MainGrid::isAstraHDCopyEnabled() const {
    if (!isAstraHD())
        return false;
    if (checkedCount() > 0)
        return m_checkedOutOfRangeCount == checkedCount();
    const Channel *channel = currentChannel();
    return channel && isOutsideAstraHDRange(channel);
}

void MainGrid::countChecked(int row, int step) {
    const Channel *channel = channelAt(row);
    if (!channel)
        return;
    if (channel->isLocked())
        m_lockedCheckedCount += step;
    if (channel->kind() != Channel::DIGITAL)
        m_checkedAnalogueCount += step;
    else
        m_checkedDigitalCount += step;
    updateRenumberState();
    if (isAstraHD() && isOutsideAstraHDRange(channel)) {
        m_checkedOutOfRangeCount += step;
        updateDeleteState();
    }
    updateRenameState();
    updateRenumberState();
    updateDeleteState();
    updateAstraHDCopyState();
    updateChildLockState();
}

void MainGrid::on_channelChecked(int row) {
    countChecked(row, 1);
}

void MainGrid::on_channelUnchecked(int row) {
    countChecked(row, -1);
}

void MainGrid::updateAllStates() {
    updateChildLockState();
    updateRenameState();
    updateRenumberState();
    updateDeleteState();
    updateAstraHDCopyState();
}

void MainGrid::on_currentChannelChanged(int) {
    updateAllStates();
}

void MainGrid::on_filterFinished() {
    updateAllStates();
}

void MainGrid::on_selectionStateChanged(bool) {
    updateAllStates();
}

void MainGrid::on_listLoaded() {}

void MainGrid::refreshSelectionState() {
    m_lockedCheckedCount = 0;
    m_checkedDigitalCount = 0;
    m_checkedAnalogueCount = 0;
    m_checkedOutOfRangeCount = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (!isRowChecked(row))
            continue;
        const Channel *channel = channelAt(row);
        if (!channel)
            continue;
        if (channel->isLocked())
            ++m_lockedCheckedCount;
        if (channel->kind() != Channel::DIGITAL)
            ++m_checkedAnalogueCount;
        else
            ++m_checkedDigitalCount;
        if (isAstraHD() && isOutsideAstraHDRange(channel))
            ++m_checkedOutOfRangeCount;
    }
    updateAllStates();
}

void MainGrid::updateChildLockState() {
    ChildLockSelStatus status;
    if (checkedCount() > 0) {
        if (m_lockedCheckedCount == 0)
            status = NoneLocked;
        else if (m_lockedCheckedCount == checkedCount())
            status = AllLocked;
        else
            status = PartiallyLocked;
    } else {
        const Channel *channel = currentChannel();
        status = !channel ? NothingSelected : (channel->isLocked() ? AllLocked : NoneLocked);
    }
    if (!m_childLockKnown || status != m_childLockStatus) {
        m_childLockKnown = true;
        m_childLockStatus = status;
        emit childLockStateChanged(status);
    }
}

void MainGrid::updateRenameState() {
    const Channel *channel = nullptr;
    if (checkedCount() == 1)
        channel = channelAt(firstCheckedVisibleRow());
    else if (checkedCount() == 0)
        channel = currentChannel();
    const bool enabled = isRenamable(channel);
    if (enabled != m_renameEnabled) {
        m_renameEnabled = enabled;
        emit renameStateChanged(enabled);
    }
}

void MainGrid::updateRenumberState() {
    const bool enabled = isRenumberEnabled();
    if (!m_renumberKnown || enabled != m_renumberEnabled) {
        m_renumberKnown = true;
        m_renumberEnabled = enabled;
        emit renumberStateChanged(enabled);
    }
}

void MainGrid::updateDeleteState() {
    const bool enabled = isDeleteEnabled();
    if (enabled != m_deleteEnabled) {
        m_deleteEnabled = enabled;
        emit deleteStateChanged(enabled);
    }
}

void MainGrid::updateAstraHDCopyState() {
    const bool enabled = isAstraHDCopyEnabled();
    if (enabled != m_astraHDCopyEnabled) {
        m_astraHDCopyEnabled = enabled;
        emit astraHDCopyStateChanged(enabled);
    }
}

void MainGrid::contextMenuEvent(QContextMenuEvent *e) {
    if (visibleCount() < 1 || !contextMenu())
        return;
    m_deleteAction->setEnabled(isDeleteEnabled());
    const int mask = favouritesMaskOfSelection();
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i)
        m_favouriteActions[i]->setChecked(mask & (1 << i));
    m_renameAction->setVisible(!isAstraHD());
    m_renameAction->setEnabled(isRenameEnabled());
    const bool block = checkedCount() >= 2 && ((m_checkedDigitalCount >= 1 && m_checkedAnalogueCount == 0) ||
                                               (m_checkedDigitalCount == 0 && m_checkedAnalogueCount >= 1));
    m_moveAction->setVisible(true);
    m_renumberAction->setVisible(true);
    if (block) {
        m_moveAction->setEnabled(isRenumberEnabled());
        m_renumberAction->setEnabled(false);
    } else {
        m_moveAction->setEnabled(false);
        m_renumberAction->setEnabled(checkedCount() < 2 && isRenumberEnabled());
    }
    m_lockAction->setEnabled(isLockEnabled());
    m_unlockAction->setEnabled(isUnlockEnabled());
    m_selectAllAction->setEnabled(checkedCount() < visibleCount());
    m_deselectAllAction->setEnabled(checkedCount() >= 1);
    m_copyAction->setVisible(isAstraHD());
    m_copyAction->setEnabled(isAstraHDCopyEnabled());
    contextMenu()->exec(e->globalPos());
}

// ---------------------------------------------------------------------------------------------------------
// Slots of the menu and the window

void MainGrid::actionRenumber(bool) {
    editSelectedCell(NUMBER_COLUMN);
}

void MainGrid::actionRename(bool) {
    editSelectedCell(NAME_COLUMN);
}

void MainGrid::actionLock(bool) {
    setChildLock(true);
}

void MainGrid::actionUnlock(bool) {
    setChildLock(false);
}

void MainGrid::actionSetFav1(bool checked) {
    setFavourite(1, checked);
}

void MainGrid::actionSetFav2(bool checked) {
    setFavourite(2, checked);
}

void MainGrid::actionSetFav3(bool checked) {
    setFavourite(3, checked);
}

void MainGrid::actionSetFav4(bool checked) {
    setFavourite(4, checked);
}

void MainGrid::actionSetFav5(bool checked) {
    setFavourite(5, checked);
}

void MainGrid::actionRenumberMove() {
    if (checkedCount() < 2) {
        editSelectedCell(NUMBER_COLUMN);
        return;
    }
    if (isAstraHD())
        actionAstraHDMove(-1);
    else
        actionMove();
}

// The number and name cell edits, the Move dialog, the drop and the Astra HD+ range operations live in
// maingrid_editing.cpp and maingrid_astrahd.cpp.

void MainGrid::actionDelete(bool) {
    QString name;
    int count = 0;
    switch (selectionKind()) {
    case CURRENT_ROW:
        if (const Channel *channel = currentChannel())
            name = channel->name();
        break;
    case CHECKED_ROWS:
        if (checkedCount() == 1) {
            int row = rowCount() - 1;
            while (row >= 0 && !(isRowChecked(row) && isRowVisible(row)))
                --row;
            if (row < 0)
                return;
            name = channelAt(row)->name();
        } else {
            count = checkedCount();
        }
        break;
    default:
        return;
    }
    std::unique_ptr<DeleteDialog> dialog(count > 0 ? new DeleteDialog(count, this)
                                                   : new DeleteDialog(name, this));
    if (dialog->exec() != QDialog::Accepted)
        return;
    if (isAstraHD())
        deleteAstraHDChannels();
    else
        deleteChannels();
}

// ---------------------------------------------------------------------------------------------------------
// Lock, favourites and delete edits

void MainGrid::setChildLock(bool lock) {
    UndoStack *stack = Grid::undoStack();
    if (stack && m_locksKept) {
        if (checkedCount() == 0) {
            const int row = currentVisibleRow();
            if (row != -1) {
                makeCurrent(row);
                ChildLockGroupCmd *group = stack->createChildLockGroupCmd(false, lock);
                stack->createChildLockCmd(checkBoxItem(row), group);
                stack->push(group);
            }
        } else {
            ChildLockGroupCmd *group = stack->createChildLockGroupCmd(true, lock);
            int first = -1;
            for (int row = 0; row < rowCount(); ++row) {
                if (!isRowChecked(row))
                    continue;
                // Every checked row gets a command, also one already in the requested state.
                stack->createChildLockCmd(checkBoxItem(row), group);
                if (first == -1)
                    first = row;
            }
            makeCurrent(first);
            stack->push(group);
            // The rows stayed checked while their lock changed, so the counter is recounted.
            m_lockedCheckedCount = lock ? checkedCount() : 0;
        }
    }
    updateChildLockState();
}

void MainGrid::deleteChannels() {
    UndoStack *stack = Grid::undoStack();
    if (!stack || visibleCount() < 1)
        return;
    if (checkedCount() > 0) {
        DeleteGroupCmd *group = stack->createDeleteGroupCmd(nullptr);
        for (int row = rowCount() - 1; row >= 0; --row) {
            if (isRowChecked(row))
                stack->createDeleteCmd(checkBoxItem(row), group, true);
        }
        stack->push(group);
    } else {
        const int row = currentVisibleRow();
        if (row == -1)
            return;
        DeleteGroupCmd *group = stack->createDeleteGroupCmd(nullptr);
        stack->createDeleteCmd(checkBoxItem(row), group, true);
        stack->push(group);
    }
    if (visibleCount() < 1)
        emit hasChannelsChanged();
}

void MainGrid::setFavourite(int favList, bool add) {
    UndoStack *stack = Grid::undoStack();
    if (!stack || favList < 1 || favList > Channel::NUMBER_MY_FAVOURITES_LISTS)
        return;
    const auto list = static_cast<quint16>(favList);

    QList<int> rows;
    const bool mark = checkedCount() > 0;
    if (mark) {
        for (int row = 0; row < rowCount(); ++row) {
            if (isRowChecked(row))
                rows << row;
        }
    } else if (currentVisibleRow() != -1) {
        rows << currentVisibleRow();
    }
    if (rows.isEmpty())
        return;

    int maxPos = 0;
    QList<FavouritePlace> packed;
    if (m_orderedFavourites && add) {
        const auto joining = std::count_if(rows.cbegin(), rows.cend(), [this, list](int row) {
            return channelAt(row) && channelAt(row)->favouritePosition(list) == Channel::NOT_A_MEMBER;
        });
        maxPos = positionBeforeNewMembers(*this, favList, static_cast<int>(joining), packed);
        if (maxPos < 0)
            return;
    }

    MyChanGroupCmd *group = stack->createMyChanGroupCmd(mark, favList, nullptr);
    makeCurrent(rows.first());
    // The packed members keep their rows' check marks: only the rows of the edit are marked.
    for (const FavouritePlace &place : packed)
        stack->createFavCmd(channelAt(place.row), favList, place.position, group);
    QSet<const Channel *> taken;
    for (int row : rows) {
        Channel *channel = channelAt(row);
        if (!channel)
            continue;
        const int position = channel->favouritePosition(list);
        if (!m_orderedFavourites) {
            stack->createMyChanCmd(checkBoxItem(row),
                                   add ? Channel::MEMBER_WITHOUT_POSITION : Channel::NOT_A_MEMBER, group);
        } else if (add) {
            if (position == Channel::NOT_A_MEMBER)
                stack->createMyChanCmd(checkBoxItem(row), ++maxPos, group);
        } else if (position != Channel::NOT_A_MEMBER) {
            stack->createMyChanCmd(checkBoxItem(row), Channel::NOT_A_MEMBER, group);
            taken.insert(channel);
        }
    }

    if (m_orderedFavourites && !add && group->childCount() > 0) {
        // The remaining members close the gaps. They are told apart from the removed ones by identity, not
        // by position: positions may repeat in a file.
        for (const FavouritePlace &place : repackFavourites(*this, favList, taken)) {
            if (place.changed)
                stack->createMyChanCmd(checkBoxItem(place.row), place.position, group);
        }
    }
    stack->push(group);
}

void MainGrid::toggleFavourite(int favList) {
    if (favList < 1 || favList > Channel::NUMBER_MY_FAVOURITES_LISTS)
        return;
    const auto list = static_cast<quint16>(favList);
    bool add = false;
    if (checkedCount() > 0) {
        for (int row = 0; row < rowCount() && !add; ++row) {
            if (isRowChecked(row) && channelAt(row) && !channelAt(row)->isInFavourites(list))
                add = true;
        }
    } else if (const Channel *channel = currentChannel()) {
        add = !channel->isInFavourites(list);
    }
    setFavourite(favList, add);
}

void MainGrid::getNextFavourites(QVector<int> &currentFav, QVector<int> &newFav, Channel *ch) {
    newFav.clear();
    if (currentFav.size() < Channel::NUMBER_MY_FAVOURITES_LISTS)
        currentFav.resize(Channel::NUMBER_MY_FAVOURITES_LISTS);
    for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++list) {
        const int position = ch ? ch->favouritePosition(static_cast<quint16>(list)) : Channel::NOT_A_MEMBER;
        if (position == Channel::NOT_A_MEMBER || position == Channel::MEMBER_WITHOUT_POSITION) {
            newFav.append(position);
        } else {
            ++currentFav[list - 1];
            newFav.append(currentFav[list - 1]);
        }
    }
}

// ---------------------------------------------------------------------------------------------------------
// Renumbering support

void MainGrid::rowsToMove(QList<int> &rows, int dragRow) const {
    if (isRowChecked(dragRow)) {
        for (int row = 0; row < rowCount(); ++row) {
            if (isRowChecked(row) && isRowVisible(row))
                rows << row;
        }
    } else {
        rows << dragRow;
    }
}

bool MainGrid::isMovingRow(int row, int dragRow, bool dragRowChecked) const {
    return dragRowChecked ? isRowChecked(row) : row == dragRow;
}

QList<int> MainGrid::obstacleRows(int kind, int dropNumber, bool ascending, int dragRow) const {
    const bool dragRowChecked = isRowChecked(dragRow);
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        const Channel *channel = channelAt(row);
        if (!channel || channel->isDeleted() || channel->kind() != kind ||
            isMovingRow(row, dragRow, dragRowChecked))
            continue;
        const int number = channel->number();
        if (ascending ? number >= dropNumber : number <= dropNumber)
            rows << row;
    }
    // In the order the moved block meets them.
    std::stable_sort(rows.begin(), rows.end(), [this, ascending](int a, int b) {
        const int na = channelAt(a)->number();
        const int nb = channelAt(b)->number();
        return ascending ? na < nb : na > nb;
    });
    return rows;
}

bool MainGrid::validateDrop(int &slack, int kind, int dropNumber, const QList<int> &rows, int dragRow,
                            int anchorRow, int limit, bool dropBeforeBelow, bool ascending) const {
    Q_UNUSED(anchorRow);
    Q_UNUSED(dropBeforeBelow);
    const int n = static_cast<int>(rows.size());
    const int last = ascending ? dropNumber + n - 1 : dropNumber - n + 1;
    const int lowest = lowestNumber(kind);
    const int highest = highestNumber(kind);
    if (last < lowest || last > highest || dropNumber < lowest || dropNumber > highest) {
        slack = -1;
        return false;
    }
    // Every channel of the kind at or beyond the drop number may have to make room, whether the filter
    // shows it or not.
    const int pushCount = static_cast<int>(obstacleRows(kind, dropNumber, ascending, dragRow).size());
    const int room = ascending ? limit - dropNumber + 1 : dropNumber - lowest + 1;
    slack = room - pushCount - n;
    return slack >= 0;
}

void MainGrid::moveDraggedRows(int dragRow, int anchorRow, int kind, const QList<int> &rows, bool ascending,
                               int number) {
    Q_UNUSED(anchorRow);
    UndoStack *stack = Grid::undoStack();
    if (!stack || rows.isEmpty())
        return;
    const bool dragRowChecked = isRowChecked(dragRow);
    const QList<int> obstacles = obstacleRows(kind, number, ascending, dragRow);
    RenumberGroupCmd *group = stack->createRenumberGroupCmd(dragRowChecked, nullptr);
    beginInsert();
    QList<int> queue = rows;
    int nextObstacle = 0;
    const int step = ascending ? 1 : -1;
    while (!queue.isEmpty()) {
        int obstacle = -1;
        int next = -1;
        if (nextObstacle < obstacles.size()) {
            obstacle = obstacles.at(nextObstacle++);
            next = channelAt(obstacle)->number();
        }
        while (!queue.isEmpty() && (next == -1 || (ascending ? next > number : next < number))) {
            if (number < lowestNumber(kind) || number > highestNumber(kind)) {
                // Never give a number outside the kind's range; validateDrop refuses such drops.
                queue.clear();
                break;
            }
            const int row = queue.takeFirst();
            stack->addRenumberCmd(checkBoxItem(row), number, isMovingRow(row, dragRow, dragRowChecked),
                                  group);
            number += step;
        }
        if (!queue.isEmpty())
            queue.append(obstacle);
    }
    endInsert();
    if (group->childCount() > 0)
        stack->push(group);
    else
        delete group;
}

int MainGrid::countFreeNumbers(int kind, bool useChecked) const {
    const int highest = highestNumber(kind);
    const int n = highest + 1;
    int selected = 0;
    const int current = currentVisibleRow();
    auto isSelected = [&](int row) {
        return isRowVisible(row) && (useChecked ? isRowChecked(row) : row == current);
    };
    for (int row = 0; row < rowCount(); ++row) {
        const Channel *channel = channelAt(row);
        if (channel && channel->kind() == kind && isSelected(row))
            ++selected;
    }
    int unselected = 0;
    for (int row = 0; row < rowCount(); ++row) {
        const Channel *channel = channelAt(row);
        // Hidden channels keep their numbers too; only deleted ones free theirs.
        if (channel && !channel->isDeleted() && channel->kind() == kind && !isSelected(row) &&
            channel->number() >= n - selected)
            ++unselected;
    }
    return std::min(n - selected - unselected, highest);
}

bool MainGrid::checkedNumberRange(int &lowest, int &highestStart) const {
    if (m_checkedDigitalCount > 0 && m_checkedAnalogueCount > 0)
        return false;
    const bool analogue = m_checkedAnalogueCount > 0;
    int low = analogue ? ANALOGUE_HIGHEST + 1 : DIGITAL_HIGHEST + 2;
    int high = 0;
    bool any = false;
    for (int row = 0; row < rowCount(); ++row) {
        if (!isRowChecked(row) || !isRowVisible(row))
            continue;
        const int number = channelAt(row)->number();
        low = std::min(low, number);
        high = std::max(high, number);
        any = true;
    }
    if (!any)
        return false;
    const int limit = analogue ? ANALOGUE_HIGHEST : DIGITAL_HIGHEST;
    lowest = low;
    highestStart = low + limit - high;
    return highestStart <= limit && highestStart >= low &&
           low >= (analogue ? ANALOGUE_LOWEST : DIGITAL_LOWEST);
}

void MainGrid::swapNumbers(int rowA, int rowB, RenumberGroupCmd *group) {
    UndoStack *stack = Grid::undoStack();
    const Channel *a = channelAt(rowA);
    const Channel *b = channelAt(rowB);
    if (!stack || !a || !b)
        return;
    const int numberA = a->number();
    const int numberB = b->number();
    // The items are taken first: the rows may move once the table sorts again.
    CheckBoxItem *itemA = checkBoxItem(rowA);
    CheckBoxItem *itemB = checkBoxItem(rowB);
    const bool own = group == nullptr;
    if (own)
        group = stack->createRenumberGroupCmd(isRowChecked(rowA), nullptr);
    beginInsert();
    stack->addRenumberCmd(itemA, numberB, true, group);
    stack->addRenumberCmd(itemB, numberA, false, group);
    endInsert();
    if (own)
        stack->push(group);
}

void MainGrid::ensureRenumberGroup(RenumberGroupCmd *&group) {
    if (!group && Grid::undoStack())
        group = Grid::undoStack()->createRenumberGroupCmd(true, nullptr);
}

bool MainGrid::confirmSwap(int number) {
    RenumberDialog dialog(number, nativeParentWidget());
    return dialog.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------------------------------------------------
// Dragging rows

void MainGrid::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton) {
        m_pressPos = e->position().toPoint();
        endDragMode();
    }
    Grid::mousePressEvent(e);
}

void MainGrid::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton)
        endDragMode();
    QTableWidget::mouseReleaseEvent(e);
}

void MainGrid::mouseMoveEvent(QMouseEvent *e) {
    if (isAstraHD() || !(e->buttons() & Qt::LeftButton) || rowAt(m_pressPos.y()) == -1) {
        e->ignore();
        return;
    }
    const int sortSection = header()->sortIndicatorSection();
    const bool sortedByNumber = sortSection >= 0 && columnIdAt(sortSection) == NUMBER_COLUMN;
    if (!m_dragMode && sortedByNumber &&
        (e->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance())
        beginDragMode();
    QTableWidget::mouseMoveEvent(e);
}

void MainGrid::beginDragMode() {
    const int current = currentVisibleRow();
    if (current == -1)
        return;
    m_dragRow = current;
    if (isRowChecked(m_dragRow)) {
        clearSelection();
        setSelectionMode(QAbstractItemView::MultiSelection);
        setAutoScroll(false);
        for (int row = rowCount() - 1; row >= 0; --row) {
            if (isRowChecked(row) && isRowVisible(row))
                selectRow(row);
        }
        setAutoScroll(true);
    }
    m_dragMode = true;
    setStyleSheet(m_baseStyleSheet + dragStyleSheet());
}

void MainGrid::endDragMode() {
    if (!m_dragMode)
        return;
    setStyleSheet(m_baseStyleSheet + normalStyleSheet());
    setSelectionMode(QAbstractItemView::SingleSelection);
    m_dragMode = false;
    reselectCurrent();
}

bool MainGrid::event(QEvent *e) {
    const bool result = Grid::event(e);
    // The finished drag's drag object leaving the table is the one sure sign that a drag is over.
    if (e->type() == QEvent::ChildRemoved)
        endDragMode();
    return result;
}

Qt::DropActions MainGrid::supportedDropActions() const {
    return QTableWidget::supportedDropActions() | Qt::LinkAction;
}

void MainGrid::startDrag(Qt::DropActions) {
    QTableWidget::startDrag(Qt::LinkAction);
}

int MainGrid::nearestVisibleRow(int row, int step) const {
    for (int r = row + step; r >= 0 && r < rowCount(); r += step) {
        if (isRowVisible(r))
            return r;
    }
    return -1;
}

void MainGrid::dragMoveEvent(QDragMoveEvent *e) {
    if (!m_dragMode) {
        e->ignore();
        return;
    }
    // The toolkit's handling scrolls near the edges; the decision below is this table's own.
    QTableWidget::dragMoveEvent(e);
    m_dropBeforeBelow = false;
    const QPoint pos = e->position().toPoint();
    const int row = rowAt(pos.y());
    bool accept = false;
    if (row >= 0 && columnAt(pos.x()) >= 0) {
        // Hidden rows have height 0, so shown rows sit on a 27-pixel grid from row 0.
        const int y = pos.y() - rowViewportPosition(0);
        if (y % SHOWN_ROW_HEIGHT < HALF_ROW) {
            m_dropRowBelow = row;
            m_dropRowAbove = nearestVisibleRow(row, -1);
        } else {
            m_dropRowAbove = row;
            m_dropRowBelow = nearestVisibleRow(row, 1);
        }
        const bool dragChecked = isRowChecked(m_dragRow);
        const bool refused = dragChecked ? (m_checkedDigitalCount > 0 && m_checkedAnalogueCount > 0)
                                         : currentVisibleRow() == -1;
        const Channel *dragged = channelAt(m_dragRow);
        if (!refused && dragged) {
            const int kind = dragged->kind();
            if (m_dropRowAbove != -1 && channelAt(m_dropRowAbove)->kind() == kind) {
                accept = true;
            } else if (m_dropRowBelow != -1 && channelAt(m_dropRowBelow)->kind() == kind) {
                m_dropBeforeBelow = true;
                accept = true;
            }
        }
    }
    if (accept) {
        e->setDropAction(Qt::LinkAction);
        e->accept();
    } else {
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
    }
    viewport()->update();
}

void MainGrid::drawCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) {
    Grid::drawCell(painter, option, index);
    if (!m_dragMode)
        return;
    const QList<const QBrush *> &brushes = dropLineBrushes();
    const int n = static_cast<int>(brushes.size());
    const QRect rect = option.rect;
    if (index.row() == m_dropRowAbove) {
        for (int i = n - 1; i >= 0; --i)
            painter->fillRect(QRect(rect.left(), rect.bottom() - i, rect.width(), 1), *brushes.at(i));
    } else if (index.row() == m_dropRowBelow && m_dropRowAbove == -1) {
        for (int i = n - 1; i >= 0; --i)
            painter->fillRect(QRect(rect.left(), rect.top() + i, rect.width(), 1), *brushes.at(i));
    }
}
