#ifndef FAVGRID_H
#define FAVGRID_H

#include "tables/grid.h"

class QAction;

// A table of the favourites page. The left one lists the channels of a list (members of the chosen
// favourites list greyed out), the right one the members of that list; where the format keeps an order
// within favourites lists, the right one shows and sorts by each member's position.
class FavGrid : public Grid {
    Q_OBJECT

public:
    FavGrid(QWidget *parent, int listKind, bool ordered, bool membershipOnly);

    // New tables without parent, for list kinds 0 to 3.
    static FavGrid *createAirGrid(bool ordered, bool membershipOnly);
    static FavGrid *createCableGrid(bool ordered, bool membershipOnly);
    static FavGrid *createSatelliteGrid(bool ordered, bool membershipOnly);
    static FavGrid *createAstraHDGrid(bool ordered, bool membershipOnly);

    bool isOrdered() const { return m_ordered; }
    bool isMembershipOnly() const { return m_membershipOnly; }
    // The favourites list (1 to 5) whose positions the position column shows.
    int favIndex() const { return m_favIndex; }
    void setFavouriteIndex(int list);

    // The left table's filter: members of favourites list favNo stay shown but are disabled.
    void applyFilter(int typeMask, int favNo, int satelliteId, int selectMode, bool uncheckAll,
                     bool checkShown);
    void reload(int selectMode, bool uncheckAll, bool checkShown);
    void refreshChannelRow(Channel *channel, int row, int list);
    void updatePositionCell(Channel *channel, int row, int list);

    // Adds the checked channels (or the current one) to favourites list `list`, or removes them, as one
    // undo step. Ordered lists append new members after the highest position (packing the list first where
    // a file could not keep that position) and close the gaps a removal leaves; membership-only lists write
    // -2 and -1.
    void setFavourite(int list, bool add);

    void refreshAllRows(bool clearModified) override;
    void sortDefault() override;
    void createContextMenu() override;
    void addAirRow(AirChannel *channel, int row) override;
    void addCableRow(CableChannel *channel, int row) override;
    void addSatelliteRow(SatelliteChannel *channel, int row) override;
    void addAstraHDRow(AstraHDChannel *channel, int row) override;
    void resetCounters() override {}

    QAction *selectAllAction() const { return m_selectAllAction; }
    QAction *moveAction() const { return m_moveAction; }
    QAction *deselectAllAction() const { return m_deselectAllAction; }

public slots:
    void on_moveMyChannels(bool checked);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    // Sets the enabled states of the menu entries as the menu would show them now.
    void prepareContextMenu();
    // Runs the Move dialog for a block of members; true and the chosen position when it was accepted.
    virtual bool askMovePosition(int maximum, int &position);

private:
    static FavGrid *create(int listKind, bool ordered, bool membershipOnly);
    void appendRow(Channel *channel, int row);
    void addPositionCell(Channel *channel, int row);
    void setRowCellsEnabled(int row, bool enabled);

    bool m_ordered;
    int m_favIndex = 1;
    bool m_membershipOnly;
    QAction *m_selectAllAction = nullptr;
    QAction *m_moveAction = nullptr;
    QAction *m_deselectAllAction = nullptr;
};

#endif
