#include "core/favouriteorder.h"

#include "core/channel.h"

#include <algorithm>
#include <climits>

namespace FavouriteOrder {

bool roomAfterHighest(int highest, qint64 withoutPosition, int adding) {
    return highest + withoutPosition + adding <= Channel::HIGHEST_FAVOURITE_POSITION;
}

QList<int> packingOrder(const QList<int> &positions) {
    QList<int> order;
    order.reserve(positions.size());
    for (int i = 0; i < positions.size(); ++i)
        order.append(i);
    const auto key = [&positions](int i) { return positions[i] >= 1 ? positions[i] : INT_MAX; };
    std::stable_sort(order.begin(), order.end(), [&key](int a, int b) { return key(a) < key(b); });
    return order;
}

} // namespace FavouriteOrder
