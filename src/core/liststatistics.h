#ifndef LISTSTATISTICS_H
#define LISTSTATISTICS_H

class Channel;

// Counters over the channels of a list that are not marked deleted. Plain ints: a list of more than 32,767
// channels must never show a negative count.
class ListStatistics {
public:
    int all = 0;
    int tv = 0;
    int radio = 0;
    int dataOther = 0;
    int free = 0;
    int scrambled = 0;
    int favourites[5] = {0, 0, 0, 0, 0}; // members of favourites lists 1..5

    // Counts one channel (deleted channels are skipped).
    void add(const Channel &channel);
    // Members of favourites list 1..5; 0 outside that range.
    int favouritesCount(int list) const;

    bool operator==(const ListStatistics &o) const;
    bool operator!=(const ListStatistics &o) const { return !(*this == o); }
};

#endif
