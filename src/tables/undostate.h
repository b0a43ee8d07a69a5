#ifndef UNDOSTATE_H
#define UNDOSTATE_H

#include <QMetaType>

// The view an edit was made in: which list, which category filter, which favourites filters and which
// satellite entry were shown. Undo and redo bring this view back before they touch any row, so the user
// sees what changes.
struct UndoState {
    int listId = 0;        // 0 air, 1 cable, 2 satellite, 3 Astra HD+
    int filterId = 0;      // checked category button
    int leftFavIndex = 0;  // current index of the left favourites filter box
    int rightFavIndex = 0; // current index of the right favourites filter box (the favourites list)
    int satelliteId = -1;  // satellite of the shown satellite entry, -1 when none applies

    UndoState() = default;
    UndoState(int list, int filter, int leftFav, int rightFav, int satellite)
        : listId(list), filterId(filter), leftFavIndex(leftFav), rightFavIndex(rightFav),
          satelliteId(satellite) {}

    bool operator==(const UndoState &o) const {
        return listId == o.listId && filterId == o.filterId && leftFavIndex == o.leftFavIndex &&
               rightFavIndex == o.rightFavIndex && satelliteId == o.satelliteId;
    }
    bool operator!=(const UndoState &o) const { return !(*this == o); }
};

Q_DECLARE_METATYPE(UndoState)

#endif // UNDOSTATE_H
