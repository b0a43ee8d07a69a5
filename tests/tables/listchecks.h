#ifndef LISTCHECKS_H
#define LISTCHECKS_H

#include "core/channel.h"
#include "core/channellist.h"

#include <QSet>

// Checks of a channel list that the editing and the undo tests both make after an edit.
namespace ListChecks {

// True when no two channels of one kind that are not marked deleted share a number.
template <typename T> bool numbersUnique(const ChannelList<T> &list) {
    QSet<int> seen;
    for (const T &channel : list) {
        if (channel.isDeleted())
            continue;
        const int key = channel.number() + (channel.kind() == Channel::ANALOGUE ? 100000 : 0);
        if (seen.contains(key))
            return false;
        seen.insert(key);
    }
    return true;
}

} // namespace ListChecks

#endif // LISTCHECKS_H
