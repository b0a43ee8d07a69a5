// The Astra HD+ favourite range: the channels numbered 1 to 99 form an ordered list kept without gaps. A move
// renumbers the whole range around the moved block, a delete closes the gap, and a copy puts copies of
// channels from outside the range into it, shifting the channels behind the insertion point.

#include "tables/maingrid.h"

#include "core/astrahdchannel.h"
#include "core/logcategories.h"
#include "tables/checkboxitem.h"
#include "tables/commands/astrahdcopygrpcmd.h"
#include "tables/commands/compoundeditcmd.h"
#include "tables/commands/deletegroupcmd.h"
#include "tables/commands/mychangroupcmd.h"
#include "tables/commands/renumbergroupcmd.h"
#include "tables/favouritesrepack.h"
#include "tables/undostack.h"

#include <QSet>

#include <algorithm>

namespace {

struct RangeRow {
    int number;
    int row;
};

void sortRangeRows(QList<RangeRow> &rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const RangeRow &a, const RangeRow &b) { return a.number < b.number; });
}

bool inRange(int number) {
    return number >= 1 && number <= MainGrid::ASTRA_HD_RANGE_HIGHEST;
}

} // namespace

QList<int> MainGrid::astraHDSelection() const {
    QList<int> rows;
    switch (selectionKind()) {
    case CURRENT_ROW:
        rows << currentVisibleRow();
        break;
    case CHECKED_ROWS:
        for (int row = 0; row < rowCount(); ++row) {
            if (isRowChecked(row) && isRowVisible(row))
                rows << row;
        }
        break;
    default:
        break;
    }
    return rows;
}

// ---------------------------------------------------------------------------------------------------------
// Move inside the range

bool MainGrid::actionAstraHDMove(int newChannelNumber) {
    if (!isAstraHD())
        return false;
    return astraHDMoveRows(newChannelNumber, astraHDSelection(), checkedCount() > 0);
}

bool MainGrid::astraHDMoveRows(int newNumber, const QList<int> &rows, bool mark) {
    UndoStack *stack = Grid::undoStack();
    if (!stack || rows.isEmpty())
        return false;

    // Every channel of the range, shown or filtered out, keeps its place in it.
    QList<RangeRow> used;
    for (int row = 0; row < rowCount(); ++row) {
        const Channel *channel = channelAt(row);
        if (channel && !channel->isDeleted() && inRange(channel->number()))
            used << RangeRow{channel->number(), row};
    }
    sortRangeRows(used);
    QList<RangeRow> moved;
    for (int row : rows) {
        const Channel *channel = channelAt(row);
        // Only channels of the range move inside it.
        if (!channel || channel->isDeleted() || !inRange(channel->number()))
            return false;
        moved << RangeRow{channel->number(), row};
    }
    sortRangeRows(moved);
    if (used.size() > ASTRA_HD_RANGE_HIGHEST)
        return false;

    const int m = static_cast<int>(moved.size());
    const int highest = used.isEmpty() ? 0 : used.last().number;
    const int maxStart = highest - m + 1;
    int target = newNumber;
    // A block of two or more checked rows asks for its place; a single channel takes the number given.
    const bool ask = mark && moved.size() >= 2;
    if (!ask && (newNumber > maxStart || newNumber < 1)) {
        showMessage(EXCLAMATION_ICON, nativeParentWidget(), tr("Invalid channel number!"),
                    tr("The channel number must be in the range 1..%1").arg(maxStart), QDialogButtonBox::Ok,
                    QDialogButtonBox::NoButton);
        return false;
    }
    if (ask) {
        if (maxStart < 1 || !askNumber(this, 1, 1, maxStart, tr("Astra HD Move"),
                                       tr("Move first channel to number:"), target))
            return false;
    }

    RenumberGroupCmd *group = stack->createRenumberGroupCmd(mark, nullptr);
    beginInsert();
    int number = target;
    for (const RangeRow &r : moved)
        stack->addRenumberCmd(checkBoxItem(r.row), number++, true, group);
    // The others keep their order: the first target - 1 of them before the block, the rest after it.
    int placed = 0;
    for (const RangeRow &r : used) {
        const bool isMoved =
            std::any_of(moved.cbegin(), moved.cend(), [&r](const RangeRow &mr) { return mr.row == r.row; });
        if (isMoved)
            continue;
        const int n = placed < target - 1 ? placed + 1 : placed + 1 + m;
        ++placed;
        stack->addRenumberCmd(checkBoxItem(r.row), n, false, group);
    }
    endInsert();
    stack->push(group);
    return true;
}

// ---------------------------------------------------------------------------------------------------------
// Delete with repacking

void MainGrid::deleteAstraHDChannels() {
    UndoStack *stack = Grid::undoStack();
    const QList<int> rows = astraHDSelection();
    if (!stack || rows.isEmpty())
        return;
    QList<RangeRow> doomed;
    for (int row : rows) {
        const Channel *channel = channelAt(row);
        if (!channel || channel->number() > ASTRA_HD_RANGE_HIGHEST)
            return;
        doomed << RangeRow{channel->number(), row};
    }
    sortRangeRows(doomed);
    const auto isDoomed = [&doomed](int row) {
        return std::any_of(doomed.cbegin(), doomed.cend(), [row](const RangeRow &d) { return d.row == row; });
    };

    QList<RangeRow> remaining;
    for (int row = 0; row < rowCount(); ++row) {
        const Channel *channel = channelAt(row);
        if (channel && !channel->isDeleted() && inRange(channel->number()) && !isDoomed(row))
            remaining << RangeRow{channel->number(), row};
    }
    sortRangeRows(remaining);
    // The channels that stay are numbered 1, 2, ... anew. A range holding more of them than it has numbers
    // (a universal file may number several channels alike) cannot be closed up inside 1 to 99 without a
    // duplicate; the delete is refused, as a move in such a range is.
    if (remaining.size() > ASTRA_HD_RANGE_HIGHEST)
        return;

    auto *root = new CompoundEditCmd;
    // The deletions come first, so their undo runs last: it check-marks the channels it brings back, as every
    // delete's undo does, and no favourites repack's undo clears those marks afterwards.
    DeleteGroupCmd *deletions = stack->createDeleteGroupCmd(root);

    if (orderedFavourites()) {
        // Close the gaps the deleted channels leave in each favourites list.
        QSet<const Channel *> leaving;
        for (const RangeRow &d : doomed)
            leaving.insert(channelAt(d.row));
        for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++list) {
            const QList<FavouritePlace> places = repackFavourites(*this, list, leaving);
            if (places.isEmpty())
                continue;
            MyChanGroupCmd *group = stack->createMyChanGroupCmd(false, list, root);
            for (const FavouritePlace &place : places) {
                if (place.changed)
                    stack->createMyChanCmd(checkBoxItem(place.row), place.position, group);
            }
        }
    }

    RenumberGroupCmd *renumbering = stack->createRenumberGroupCmd(false, root, true);
    beginInsert();
    for (const RangeRow &d : doomed)
        stack->createDeleteCmd(checkBoxItem(d.row), deletions, true);
    int number = 1;
    for (const RangeRow &r : remaining) {
        if (r.number != number)
            stack->createRenumberCmd(checkBoxItem(r.row), number, false, renumbering);
        ++number;
    }
    endInsert();
    stack->push(root);
    if (visibleCount() == 0)
        emit hasChannelsChanged();
}

// ---------------------------------------------------------------------------------------------------------
// Copy into the range

// Where a copy puts each record, worked out before anything changes.
struct AstraHDCopyPlan {
    // A record written onto a number: the copy of a selected channel, or a channel of the range moved on.
    struct Placement {
        int sourceRow;
        int number;
    };

    QMap<int, int> usedRows; // number -> row, channels of the range not marked deleted
    QList<int> freeSlots;    // rows of the range whose channel is marked deleted, in the order found
    QList<int> sourceRows;   // the selected rows, by channel number
    int target = 1;          // the number the first copy takes
    QList<Placement> shifts; // the channels of the range that move on, in number order

    int highestUsed() const { return usedRows.isEmpty() ? 0 : usedRows.lastKey(); }
    int copyCount() const { return static_cast<int>(sourceRows.size()); }
};

void MainGrid::actionAstraHDCopy() {
    UndoStack *stack = Grid::undoStack();
    if (!stack || !isAstraHD())
        return;
    const QList<int> rows = astraHDSelection();
    if (rows.isEmpty())
        return;
    AstraHDCopyPlan plan;
    if (planAstraHDCopy(rows, plan))
        pushAstraHDCopy(*stack, rows, plan);
}

bool MainGrid::planAstraHDCopy(const QList<int> &rows, AstraHDCopyPlan &plan) {
    collectAstraHDRange(plan);
    if (!collectCopySources(rows, plan) || !confirmCopySize(plan))
        return false;
    const int highestTarget = std::min(plan.highestUsed() + 1, ASTRA_HD_RANGE_HIGHEST + 1 - plan.copyCount());
    if (!askNumber(this, 1, 1, highestTarget, tr("Astra HD Copy"), tr("Copy channel(s) to number:"),
                   plan.target))
        return false;
    planCopyShifts(plan);
    return hasSlotsForCopy(plan);
}

void MainGrid::collectAstraHDRange(AstraHDCopyPlan &plan) const {
    for (int row = rowCount() - 1; row >= 0; --row) {
        const Channel *channel = channelAt(row);
        if (!channel)
            continue;
        qCDebug(lcTables) << "Astra HD+ row" << row << "number" << channel->number() << channel->name()
                          << (channel->isDeleted() ? "deleted" : "live");
        if (!inRange(channel->number()))
            continue;
        if (channel->isDeleted())
            plan.freeSlots << row;
        else
            plan.usedRows.insert(channel->number(), row);
    }
}

bool MainGrid::collectCopySources(const QList<int> &rows, AstraHDCopyPlan &plan) const {
    QList<RangeRow> sources;
    for (int row : rows) {
        const Channel *channel = channelAt(row);
        // Channels of the range are moved, not copied.
        if (!channel || inRange(channel->number()))
            return false;
        sources << RangeRow{channel->number(), row};
    }
    sortRangeRows(sources);
    for (const RangeRow &source : sources)
        plan.sourceRows << source.row;
    return true;
}

bool MainGrid::confirmCopySize(const AstraHDCopyPlan &plan) {
    if (plan.copyCount() > ASTRA_HD_RANGE_HIGHEST) {
        showMessage(CRITICAL_ICON, nativeParentWidget(), tr("Channel copy conflict!"),
                    tr("Cannot copy more than 99 channels into favourite channels range (1..99)."),
                    QDialogButtonBox::Ok, QDialogButtonBox::NoButton);
        return false;
    }
    if (plan.copyCount() + plan.highestUsed() <= ASTRA_HD_RANGE_HIGHEST)
        return true;
    const QString text = tr("Number of selected channels is greater than empty positions in favourite "
                            "range, channels from the end of the favourite range will be removed.") +
                         QLatin1Char('\n') + tr("Continue?");
    return showMessage(EXCLAMATION_ICON, nativeParentWidget(), tr("Channel copy"), text,
                       QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                       QDialogButtonBox::Ok) != QDialogButtonBox::Cancel;
}

void MainGrid::planCopyShifts(AstraHDCopyPlan &plan) {
    // The channels from target on move down by the number of copies as far as the first gap wide enough; in
    // a range without gaps that is every channel up to the end. Those pushed beyond 99 leave the range.
    int next = plan.target + plan.copyCount();
    for (auto it = plan.usedRows.lowerBound(plan.target); it != plan.usedRows.end(); ++it) {
        if (it.key() >= next)
            break;
        if (next <= ASTRA_HD_RANGE_HIGHEST)
            plan.shifts << AstraHDCopyPlan::Placement{it.value(), next};
        ++next;
    }
}

bool MainGrid::hasSlotsForCopy(const AstraHDCopyPlan &plan) {
    // Every number from target to the last one written then holds exactly one channel: a channel of the
    // range already there is overwritten (its record has moved on), any other number takes a free slot.
    int slotsNeeded = 0;
    for (const AstraHDCopyPlan::Placement &shift : plan.shifts) {
        if (!plan.usedRows.contains(shift.number))
            ++slotsNeeded;
    }
    for (int j = 0; j < plan.copyCount(); ++j) {
        if (!plan.usedRows.contains(plan.target + j))
            ++slotsNeeded;
    }
    if (slotsNeeded <= plan.freeSlots.size())
        return true;
    // Never a partial copy: either every selected channel gets its place or nothing changes. A copy only
    // ever takes the record of a deleted channel of the range; the free numbers of a range without such
    // records (a list read from a universal file has none) are no places to copy into, so they are not
    // counted as if they were.
    const QString text =
        plan.freeSlots.isEmpty()
            ? tr("There are no empty positions in the favourite range to copy into: a copy takes the place "
                 "of a deleted channel of the range, and this list has none. Nothing was copied.")
            : tr("There are not enough empty positions in the favourite range for this copy (%1 needed, "
                 "%2 available). Nothing was copied.")
                  .arg(slotsNeeded)
                  .arg(plan.freeSlots.size());
    showMessage(EXCLAMATION_ICON, nativeParentWidget(), tr("Channel copy"), text, QDialogButtonBox::Ok,
                QDialogButtonBox::NoButton);
    return false;
}

void MainGrid::pushAstraHDCopy(UndoStack &stack, const QList<int> &rows, const AstraHDCopyPlan &plan) {
    // The copies are appended after the highest position of each favourites list their source belongs to;
    // a list packed to make room for them is packed in the same undo step, before the copies.
    QVector<int> lastPosition(Channel::NUMBER_MY_FAVOURITES_LISTS, 0);
    QList<QList<FavouritePlace>> packed(Channel::NUMBER_MY_FAVOURITES_LISTS);
    for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS && orderedFavourites(); ++list) {
        const auto joining = std::count_if(plan.sourceRows.cbegin(), plan.sourceRows.cend(), [&](int row) {
            const Channel *source = channelAt(row);
            return source && source->isInFavourites(quint16(list));
        });
        int &last = lastPosition[list - 1];
        last = positionBeforeNewMembers(*this, list, static_cast<int>(joining), packed[list - 1]);
        if (last < 0)
            return;
    }

    beginInsert();
    if (checkedCount() > 0) {
        for (int row : rows)
            setRowChecked(row, false);
    }
    endInsert();

    AstraHDCopyGrpCmd *group = stack.createAstraHDCopyGrpCmd();
    for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++list) {
        for (const FavouritePlace &place : packed.at(list - 1))
            stack.createFavCmd(channelAt(place.row), list, place.position, group);
    }
    int nextSlot = 0;
    // A number in use is overwritten in place (-1 keeps the target's number); any other takes a free slot.
    const auto addCopy = [&](CheckBoxItem *source, int number, const QList<int> *favourites) {
        const bool used = plan.usedRows.contains(number);
        CheckBoxItem *target =
            checkBoxItem(used ? plan.usedRows.value(number) : plan.freeSlots.at(nextSlot++));
        const int newNumber = used ? -1 : number;
        if (favourites)
            stack.createAstraHDCopyCmd(source, target, group, newNumber, *favourites);
        else
            stack.createAstraHDCopyCmd(source, target, group, newNumber);
    };
    // From the end backwards, so that every record is copied on before its own place is overwritten.
    for (auto it = plan.shifts.crbegin(); it != plan.shifts.crend(); ++it)
        addCopy(checkBoxItem(it->sourceRow), it->number, nullptr);
    for (int j = 0; j < plan.copyCount(); ++j) {
        CheckBoxItem *source = checkBoxItem(plan.sourceRows.at(j));
        QVector<int> favourites;
        getNextFavourites(lastPosition, favourites, source->channel());
        addCopy(source, plan.target + j, &favourites);
    }
    stack.push(group);
}
