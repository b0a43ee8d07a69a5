#ifndef FAVOURITESREPACK_H
#define FAVOURITESREPACK_H

#include <QList>
#include <QSet>

class Channel;
class Grid;

// A member of an ordered favourites list and the position it has after a removal.
struct FavouritePlace {
    int row;
    int position;
    bool changed; // the member had another position before
};

// After channels leave an ordered favourites list, the members that stay (every row of the grid, shown or
// filtered out, not marked deleted and not leaving) are numbered 1, 2, 3 ... without gaps, in one order:
// the positioned members by their old position (ties in table order), then the members without a position
// (-2) in table order. Every remaining member so ends with a place of its own, the same whichever table the
// removal was made in. Returns every remaining member with its place, in that order.
QList<FavouritePlace> repackFavourites(const Grid &grid, int list, const QSet<const Channel *> &leaving);

// The position after which `adding` new members of an ordered favourites list are appended. It is the
// highest position in use, unless there are new members and they, with the members without a position that a
// save numbers after the highest, would run past Channel::HIGHEST_FAVOURITE_POSITION, which a file cannot
// keep. Then the list is packed first: packed gets the members whose place changes (repackFavourites without
// anyone leaving), for the caller to set in the same undo step, and the number of members is returned. -1
// when even the packed list has no room for the new members.
int positionBeforeNewMembers(const Grid &grid, int list, int adding, QList<FavouritePlace> &packed);

#endif // FAVOURITESREPACK_H
