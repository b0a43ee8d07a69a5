// The Astra HD+ favourite range: the channels numbered 1 to 99 form an ordered list kept without gaps. A move
// renumbers the whole range around the moved block, a delete closes the gap, and a copy puts copies of
// channels from outside the range into it, shifting the channels behind the insertion point.

#include "tables/maingrid.h"

#include "core/astrahdchannel.h"
#include "tables/checkboxitem.h"
#include "tables/commands/astrahdcopygrpcmd.h"
#include "tables/commands/compoundeditcmd.h"
#include "tables/commands/deletegroupcmd.h"
#include "tables/commands/mychangroupcmd.h"
#include "tables/commands/renumbergroupcmd.h"
#include "tables/favouritesrepack.h"
#include "tables/undostack.h"

#include <QDebug>
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

    DeleteGroupCmd *deletions = stack->createDeleteGroupCmd(root);
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

void MainGrid::actionAstraHDCopy() {
    UndoStack *stack = Grid::undoStack();
    if (!stack || !isAstraHD())
        return;
    const QList<int> rows = astraHDSelection();
    if (rows.isEmpty())
        return;

    QMap<int, int> used;  // number -> row, channels of the range not marked deleted
    QList<int> freeSlots; // rows of the range whose channel is marked deleted, in the order found
    for (int row = rowCount() - 1; row >= 0; --row) {
        const Channel *channel = channelAt(row);
        if (!channel)
            continue;
        qDebug().noquote() << QStringLiteral("CH: ") + QString::number(channel->number()) +
                                  QStringLiteral(" NM: \"") + channel->name() +
                                  QStringLiteral("\", deleted: ") +
                                  (channel->isDeleted() ? QStringLiteral("true") : QStringLiteral("false"));
        if (!inRange(channel->number()))
            continue;
        if (channel->isDeleted())
            freeSlots << row;
        else
            used.insert(channel->number(), row);
    }
    const int highest = used.isEmpty() ? 0 : used.lastKey();

    QList<RangeRow> sources;
    for (int row : rows) {
        const Channel *channel = channelAt(row);
        // Channels of the range are moved, not copied.
        if (!channel || inRange(channel->number()))
            return;
        sources << RangeRow{channel->number(), row};
    }
    sortRangeRows(sources);
    const int m = static_cast<int>(sources.size());

    if (m > ASTRA_HD_RANGE_HIGHEST) {
        showMessage(CRITICAL_ICON, nativeParentWidget(), tr("Channel copy conflict!"),
                    tr("Cannot copy more than 99 channels into favourite channels range (1..99)."),
                    QDialogButtonBox::Ok, QDialogButtonBox::NoButton);
        return;
    }
    if (m + highest > ASTRA_HD_RANGE_HIGHEST) {
        const QString text = tr("Number of selected channels is greater than empty positions in favourite "
                                "range, channels from the end of the favourite range will be removed.") +
                             QLatin1Char('\n') + tr("Continue?");
        if (showMessage(EXCLAMATION_ICON, nativeParentWidget(), tr("Channel copy"), text,
                        QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                        QDialogButtonBox::Ok) == QDialogButtonBox::Cancel)
            return;
    }
    int target = 1;
    if (!askNumber(this, 1, 1, std::min(highest + 1, ASTRA_HD_RANGE_HIGHEST + 1 - m), tr("Astra HD Copy"),
                   tr("Copy channel(s) to number:"), target))
        return;

    // The channels from target on move down by m as far as the first gap wide enough; in a range without
    // gaps that is every channel up to the end. Those pushed beyond 99 leave the range. Every number from
    // target to the last one written then holds exactly one channel: a channel of the range already there
    // is overwritten (its record has moved on), any other number takes a free slot.
    struct Shift {
        int sourceRow;
        int number;
    };
    QList<Shift> shifts;
    int next = target + m;
    for (auto it = used.lowerBound(target); it != used.end(); ++it) {
        if (it.key() >= next)
            break;
        if (next <= ASTRA_HD_RANGE_HIGHEST)
            shifts << Shift{it.value(), next};
        ++next;
    }
    int slotsNeeded = 0;
    for (const Shift &s : shifts) {
        if (!used.contains(s.number))
            ++slotsNeeded;
    }
    for (int j = 0; j < m; ++j) {
        if (!used.contains(target + j))
            ++slotsNeeded;
    }
    if (slotsNeeded > freeSlots.size()) {
        // Never a partial copy: either every selected channel gets its place or nothing changes.
        showMessage(
            EXCLAMATION_ICON, nativeParentWidget(), tr("Channel copy"),
            tr("There are not enough empty positions in the favourite range for this copy (%1 needed, "
               "%2 available). Nothing was copied.")
                .arg(slotsNeeded)
                .arg(freeSlots.size()),
            QDialogButtonBox::Ok, QDialogButtonBox::NoButton);
        return;
    }

    beginInsert();
    if (checkedCount() > 0) {
        for (int row : rows)
            setRowChecked(row, false);
    }
    endInsert();

    // The next position of each favourites list: the copies are appended after the highest in use.
    QVector<int> lastPosition(Channel::NUMBER_MY_FAVOURITES_LISTS, 0);
    if (orderedFavourites()) {
        for (int row = 0; row < rowCount(); ++row) {
            const Channel *channel = channelAt(row);
            if (!channel || channel->isDeleted())
                continue;
            for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++list)
                lastPosition[list - 1] =
                    std::max(lastPosition[list - 1], channel->favouritePosition(quint16(list)));
        }
    }

    AstraHDCopyGrpCmd *group = stack->createAstraHDCopyGrpCmd();
    int nextSlot = 0;
    // From the end backwards, so that every record is copied on before its own place is overwritten.
    for (auto it = shifts.crbegin(); it != shifts.crend(); ++it) {
        if (used.contains(it->number))
            stack->createAstraHDCopyCmd(checkBoxItem(it->sourceRow), checkBoxItem(used.value(it->number)),
                                        group, -1);
        else
            stack->createAstraHDCopyCmd(checkBoxItem(it->sourceRow), checkBoxItem(freeSlots.at(nextSlot++)),
                                        group, it->number);
    }
    for (int j = 0; j < m; ++j) {
        CheckBoxItem *source = checkBoxItem(sources.at(j).row);
        QVector<int> favourites;
        getNextFavourites(lastPosition, favourites, source->channel());
        const int number = target + j;
        if (used.contains(number))
            stack->createAstraHDCopyCmd(source, checkBoxItem(used.value(number)), group, -1, favourites);
        else
            stack->createAstraHDCopyCmd(source, checkBoxItem(freeSlots.at(nextSlot++)), group, number,
                                        favourites);
    }
    stack->push(group);
}
