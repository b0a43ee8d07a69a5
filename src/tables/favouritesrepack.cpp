#include "tables/favouritesrepack.h"

#include "core/channel.h"
#include "core/favouriteorder.h"
#include "tables/grid.h"

#include <algorithm>

QList<FavouritePlace> repackFavourites(const Grid &grid, int list, const QSet<const Channel *> &leaving) {
    const auto favList = static_cast<quint16>(list);
    QList<int> rows;
    QList<int> positions;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const Channel *channel = grid.channelAt(row);
        if (!channel || channel->isDeleted() || leaving.contains(channel))
            continue;
        const int position = channel->favouritePosition(favList);
        if (position == Channel::NOT_A_MEMBER)
            continue;
        rows.append(row);
        positions.append(position);
    }
    QList<FavouritePlace> places;
    int next = 1;
    for (const int member : FavouriteOrder::packingOrder(positions)) {
        places.append({rows[member], next, positions[member] != next});
        ++next;
    }
    return places;
}

int positionBeforeNewMembers(const Grid &grid, int list, int adding, QList<FavouritePlace> &packed) {
    packed.clear();
    const auto favList = static_cast<quint16>(list);
    int highest = 0;
    qint64 withoutPosition = 0;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const Channel *channel = grid.channelAt(row);
        if (!channel || channel->isDeleted())
            continue;
        const int position = channel->favouritePosition(favList);
        highest = std::max(highest, position);
        withoutPosition += position == Channel::MEMBER_WITHOUT_POSITION ? 1 : 0;
    }
    if (adding == 0 || FavouriteOrder::roomAfterHighest(highest, withoutPosition, adding))
        return highest;
    const QList<FavouritePlace> places = repackFavourites(grid, list, {});
    if (places.size() + adding > Channel::HIGHEST_FAVOURITE_POSITION)
        return -1;
    for (const FavouritePlace &place : places) {
        if (place.changed)
            packed.append(place);
    }
    return static_cast<int>(places.size());
}
