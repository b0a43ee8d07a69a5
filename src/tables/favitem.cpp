#include "tables/favitem.h"

#include "core/channel.h"

int FavItem::favouritesKey(const Channel &channel) {
    if (channel.favouritesMask() == 0)
        return 65535;
    int sum = 0;
    int weight = 1000;
    for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++list) {
        if (channel.isInFavourites(quint16(list))) {
            sum += list * weight;
            weight /= 10;
        }
    }
    return sum;
}

bool FavItem::operator<(const QTableWidgetItem &other) const {
    const Channel *mine = channelOf(*this);
    const Channel *theirs = channelOf(other);
    if (!mine || !theirs)
        return QTableWidgetItem::operator<(other);
    return favouritesKey(*mine) < favouritesKey(*theirs);
}
