#ifndef EDITCONTEXT_H
#define EDITCONTEXT_H

class FavGrid;
class MainGrid;
struct UndoState;

// What the undo commands need from the window that shows the tables. The main window implements it; tests
// use a small fake. Commands reach it only through UndoStack::owner().
class EditContext {
public:
    virtual ~EditContext() = default;

    // The tables shown now (null when there is none). After restoreView they are the tables of the
    // restored view.
    virtual MainGrid *currentMainGrid() = 0;
    virtual FavGrid *currentLeftFavGrid() = 0;
    virtual FavGrid *currentRightFavGrid() = 0;

    // Switches back to the list, category, favourites filters and satellite entry of the state. Runs
    // synchronously: the view has changed when it returns.
    virtual void restoreView(const UndoState &state) = 0;

    // Recounts the tips of the shown list (allLists: of every list) after an edit that changed membership
    // or visibility of rows.
    virtual void refreshAfterEdit(bool allLists) = 0;
    virtual void updateChannelCountLabel() = 0;
    virtual void updateSatelliteLists() = 0;
};

#endif // EDITCONTEXT_H
