// Editing on the favourites page: adding channels to a favourites list, removing them, and reordering the
// members of an ordered list. Each is one undo step of favourites commands.

#include "tables/favgrid.h"

#include "core/channel.h"
#include "dialogs/movedialog.h"
#include "tables/commands/favgroupcmd.h"
#include "tables/favouritesrepack.h"
#include "tables/undostack.h"
#include "widgets/styledspinbox.h"

#include <QSet>

#include <algorithm>
#include <climits>

namespace {

struct Member {
    Channel *channel;
    int position;
};

// Members in the order of their positions; members without a position (-2) after all the others, in
// table order.
void sortByPosition(QList<Member> &members) {
    const auto key = [](const Member &m) { return m.position >= 1 ? m.position : INT_MAX; };
    std::stable_sort(members.begin(), members.end(),
                     [&key](const Member &a, const Member &b) { return key(a) < key(b); });
}

bool isValidList(int list) {
    return list >= 1 && list <= Channel::NUMBER_MY_FAVOURITES_LISTS;
}

} // namespace

void FavGrid::setFavourite(int list, bool add) {
    UndoStack *stack = Grid::undoStack();
    if (!stack || !isValidList(list))
        return;
    const quint16 favList = quint16(list);

    QList<Channel *> taken;
    if (checkedCount() == 0) {
        if (Channel *channel = currentChannel())
            taken << channel;
    } else {
        for (int row = 0; row < rowCount(); ++row) {
            if (isRowChecked(row) && channelAt(row))
                taken << channelAt(row);
        }
    }
    if (taken.isEmpty())
        return;

    int highest = 0;
    QList<FavouritePlace> packed;
    if (add && !m_membershipOnly) {
        const auto joining = std::count_if(taken.cbegin(), taken.cend(), [favList](const Channel *channel) {
            return channel->favouritePosition(favList) == Channel::NOT_A_MEMBER;
        });
        highest = positionBeforeNewMembers(*this, list, static_cast<int>(joining), packed);
        if (highest < 0)
            return;
    }

    FavGroupCmd *group = stack->createFavGroupCmd(true, add);
    for (const FavouritePlace &place : packed)
        stack->createFavCmd(channelAt(place.row), list, place.position, group);
    for (Channel *channel : taken) {
        int position;
        if (m_membershipOnly) {
            position = add ? Channel::MEMBER_WITHOUT_POSITION : Channel::NOT_A_MEMBER;
        } else if (add) {
            // A member already has its place; a second one would give it two.
            if (channel->favouritePosition(favList) != Channel::NOT_A_MEMBER)
                continue;
            position = ++highest;
        } else {
            position = Channel::NOT_A_MEMBER;
        }
        stack->createFavCmd(channel, list, position, group);
    }

    if (!m_membershipOnly && !add && group->childCount() > 0) {
        // Close the gaps; the removed members are told apart by identity, as positions may repeat.
        const QSet<const Channel *> removed(taken.cbegin(), taken.cend());
        for (const FavouritePlace &place : repackFavourites(*this, list, removed)) {
            if (place.changed)
                stack->createFavCmd(channelAt(place.row), list, place.position, group);
        }
    }
    stack->push(group);
}

bool FavGrid::askMovePosition(int maximum, int &position) {
    MoveDialog dialog(1, 1, maximum, this, tr("Move favourites channels"),
                      tr("Move favourite channel(s) to number:"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    position = dialog.spinBox()->value();
    return true;
}

void FavGrid::on_moveMyChannels(bool) {
    UndoStack *stack = Grid::undoStack();
    const int kind = selectionKind();
    if (!stack || kind == NOTHING_SELECTED || !m_ordered)
        return;
    const quint16 favList = quint16(m_favIndex);
    const Channel *current = kind == CURRENT_ROW ? currentChannel() : nullptr;

    // Every member takes part, shown or filtered out, and each one keeps a place of its own.
    QList<Member> moved;
    QList<Member> others;
    for (int row = 0; row < rowCount(); ++row) {
        Channel *channel = channelAt(row);
        if (!channel || channel->isDeleted())
            continue;
        const int position = channel->favouritePosition(favList);
        if (position == Channel::NOT_A_MEMBER)
            continue;
        const bool isMoved = kind == CHECKED_ROWS ? isRowChecked(row) : channel == current;
        (isMoved ? moved : others) << Member{channel, position};
    }
    if (moved.isEmpty())
        return;
    sortByPosition(moved);
    sortByPosition(others);

    const int count = static_cast<int>(moved.size() + others.size());
    int target = 1;
    if (!askMovePosition(count - static_cast<int>(moved.size()) + 1, target))
        return;
    const int end = target + static_cast<int>(moved.size());

    FavGroupCmd *group = stack->createFavGroupCmd(true, selectionKind() == CHECKED_ROWS);
    int position = target;
    for (const Member &m : moved)
        stack->createFavCmd(m.channel, m_favIndex, position++, group);
    position = 1;
    for (const Member &m : others) {
        if (position == target)
            position = end;
        stack->createFavCmd(m.channel, m_favIndex, position++, group);
    }
    stack->push(group);
}
