#ifndef FAVOURITEORDER_H
#define FAVOURITEORDER_H

#include <QList>
#include <QtGlobal>

// The rules that give every member of an ordered favourites list a place of its own, shared by the tables'
// editing and the merge. A member's position is 1 up to Channel::HIGHEST_FAVOURITE_POSITION, or
// Channel::MEMBER_WITHOUT_POSITION: a save numbers those after the highest position, in list order.
namespace FavouriteOrder {

// Whether `adding` members appended after the highest position still leave the withoutPosition members
// room below Channel::HIGHEST_FAVOURITE_POSITION.
bool roomAfterHighest(int highest, qint64 withoutPosition, int adding);

// The order in which members take the places 1, 2, 3 ... when the list is packed: those with a position by
// their position (ties in the given order), then those without one in the given order. positions holds the
// members' positions in table or list order; the result holds indexes into it, the member of place 1 first.
QList<int> packingOrder(const QList<int> &positions);

} // namespace FavouriteOrder

#endif
