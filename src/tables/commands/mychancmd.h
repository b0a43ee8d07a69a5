#ifndef MYCHANCMD_H
#define MYCHANCMD_H

#include "tables/commands/undoitem.h"

class Channel;
class MyChanGroupCmd;

// Sets one row's channel's position in the group's favourites list (-1 not a member, -2 a member without a
// position). The old position is read when the command is made, so a group that packs the remaining
// members builds all its commands before any runs. Run only by its MyChanGroupCmd.
class MyChanCmd : public UndoItem {
public:
    MyChanCmd(CheckBoxItem *item, int newPosition, MyChanGroupCmd *group);

    CheckBoxItem *rowItem() const override { return m_item; }
    Channel *channel() const { return m_channel; }
    int newPosition() const { return m_newPosition; }
    int oldPosition() const { return m_oldPosition; }

    virtual void unexecute(quint16 favIndex, bool mark);
    virtual void execute(quint16 favIndex, bool mark);

private:
    void apply(quint16 favIndex, int position, bool mark);

    int m_newPosition;
    int m_oldPosition;
    CheckBoxItem *m_item;
    Channel *m_channel;
    bool m_oldModified;
};

#endif // MYCHANCMD_H
