#include "core/liststatistics.h"

#include "core/channel.h"

void ListStatistics::add(const Channel &channel) {
    if (channel.isDeleted())
        return;
    ++all;
    switch (channel.category()) {
    case Channel::CATEGORY_TV:
        ++tv;
        break;
    case Channel::CATEGORY_RADIO:
        ++radio;
        break;
    default:
        ++dataOther;
        break;
    }
    if (channel.isScrambled())
        ++scrambled;
    else
        ++free;
    for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++list) {
        if (channel.isInFavourites(list))
            ++favourites[list - 1];
    }
}

int ListStatistics::favouritesCount(int list) const {
    if (list < 1 || list > Channel::NUMBER_MY_FAVOURITES_LISTS)
        return 0;
    return favourites[list - 1];
}

bool ListStatistics::operator==(const ListStatistics &o) const {
    for (int i = 0; i < 5; ++i) {
        if (favourites[i] != o.favourites[i])
            return false;
    }
    return all == o.all && tv == o.tv && radio == o.radio && dataOther == o.dataOther && free == o.free &&
           scrambled == o.scrambled;
}
