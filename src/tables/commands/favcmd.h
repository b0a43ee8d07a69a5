#ifndef FAVCMD_H
#define FAVCMD_H

#include "tables/commands/undoitem.h"

class Channel;

// Sets one channel's position in favourites list `list` (1..5) from the favourites page, and refreshes the
// channel's row in the right favourites table when that table shows it. Its FavGroupCmd restores the view
// and refilters the tables. A main table's favourites edit and an Astra HD+ copy use it too, for the members
// they pack to make room for new ones: the members' rows there show no position.
class FavCmd : public UndoItem {
public:
    FavCmd(Channel *channel, int list, int newPosition, QUndoCommand *parent);

    void undo() override;
    void redo() override;

    Channel *channel() const { return m_channel; }
    int list() const { return m_list; }
    int newPosition() const { return m_newPosition; }
    int oldPosition() const { return m_oldPosition; }

private:
    void apply(int position);

    Channel *m_channel;
    int m_list;
    int m_newPosition;
    int m_oldPosition;
    bool m_oldModified;
};

#endif // FAVCMD_H
