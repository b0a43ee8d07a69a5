#include "datafilehandlers/channelmerger.h"

#include "core/channelmatching.h"
#include "core/favouriteorder.h"
#include "core/logcategories.h"
#include "datafilehandlers/datafilehandler_ulmx_codes.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <tuple>

namespace {
// The map without the satellites of the ids.
SatelliteMap withoutSatellites(SatelliteMap map, const QList<quint16> &ids) {
    for (const quint16 id : ids)
        map.remove(id);
    return map;
}

// Takes the mark off a channel found again; returns it when it was marked deleted, so the caller can give it
// back its places.
template <typename T> T *undelete(T &channel) {
    if (!channel.isDeleted())
        return nullptr;
    channel.setDeleted(false);
    return &channel;
}

// The index of the first of the first count channels that matches, a live one before any deleted one, or -1.
// A list may hold one service twice with one copy deleted by the user: the file's channel is the live copy,
// and the deleted one stays deleted.
template <typename T, typename Matches>
int matchingIndex(const ChannelList<T> &list, int count, Matches matches) {
    int deleted = -1;
    for (int i = 0; i < count; ++i) {
        if (!matches(i))
            continue;
        if (!list[i].isDeleted())
            return i;
        if (deleted < 0)
            deleted = i;
    }
    return deleted;
}

// Adds the channel to the list, unless the list already holds the same one (by same): that one is kept,
// and undeleted, instead of a second copy. Returns the channel brought back from deleted, if any.
template <typename T, typename Same> T *undeleteOrAppend(ChannelList<T> &list, const T &channel, Same same) {
    const int found = matchingIndex(list, list.size(), [&](int i) { return same(list[i], channel); });
    if (found >= 0)
        return undelete(list[found]);
    list.append(channel);
    return nullptr;
}

// The name as a raw record gives it back, cut to the record's field.
QString rawRecordName(const QString &name) {
    return RawRecordCodec::decodeName(RawRecordCodec::encodeName(name).constData());
}

// How a name of the file is looked for among the document's: in full first, so that a whole name found
// comes before every name found only once cut.
enum class NameMatch { InFull, Cut };
constexpr NameMatch NAME_MATCHES[] = {NameMatch::InFull, NameMatch::Cut};

// A name of the file as the merge compares it, carried as a universal file carries it and cut as a raw record
// cuts it once for a whole lookup. A list saved to a raw file holds the cut name, and its universal export
// carries it, while the file it came from holds the whole name; either may be merged into the other. A name
// that came through a record fits it: two names that are both longer are two different whole names.
class KeptName {
public:
    explicit KeptName(const QString &name)
        : m_carried(UlmxCodes::xmlCarriedText(name)),
          m_cut(fitsRecord(m_carried) ? QString() : rawRecordName(m_carried)) {}

    template <typename Equal> bool matches(const QString &other, NameMatch match, Equal equal) const {
        const QString carried = UlmxCodes::xmlCarriedText(other);
        if (match == NameMatch::InFull)
            return equal(m_carried, carried);
        if (fitsRecord(m_carried))
            return !fitsRecord(carried) && equal(m_carried, rawRecordName(carried));
        return fitsRecord(carried) && equal(m_cut, carried);
    }

    const QString &carried() const { return m_carried; }
    bool fits() const { return fitsRecord(m_carried); }
    // Empty where the name fits the record.
    const QString &cut() const { return m_cut; }

    // A carried name that fits the record comes back from it unchanged.
    static bool fitsRecord(const QString &carried) { return carried.size() <= RawRecordCodec::NAME_UNITS; }

private:
    QString m_carried;
    QString m_cut;
};

// Case is ignored as equalsIgnoreCase ignores it.
QString caseless(const QString &name) {
    return name.toUpper();
}

// Keeps the lowest key of a name: the first provider in key order is the one found.
void keepLowest(QHash<QString, quint32> &keys, const QString &name, quint32 key) {
    const auto it = keys.find(name);
    if (it == keys.end())
        keys.insert(name, key);
    else
        *it = std::min(*it, key);
}

// Lowers found to the key of the name where the keys hold it.
void lowerTo(std::optional<quint32> &found, const QHash<QString, quint32> &keys, const QString &name) {
    const auto it = keys.constFind(name);
    if (it != keys.cend() && (!found || *it < *found))
        found = *it;
}

// Whether the document's transponder, as a universal file gives it back, is the file's within tolerance: a
// polarity written without a text comes back as unknown. The polarity is compared last: it is the rare
// candidate that needs its text.
bool matchesAsReadBack(const Transponder &known, const Transponder &file) {
    Transponder other = known;
    other.polarity = file.polarity;
    return recordsMatchWithTolerance(other, file) &&
           (known.polarity == file.polarity || UlmxCodes::polarityReadBack(known.polarity) == file.polarity);
}

// The megahertz a frequency in kHz lies in: two frequencies less than 1000 kHz apart lie in the same one or
// in neighbours. Values out of range (and NaN, which matches nothing) share the ends.
qint64 megahertzBucket(float kHz) {
    constexpr double LIMIT = 1e15;
    const double bucket = std::floor(double(kHz) / 1000.0);
    if (!(bucket > -LIMIT))
        return qint64(-LIMIT);
    return qint64(std::min(bucket, LIMIT));
}

// What the user satellites of a file have in common with those of the document, for every pair: how many of
// the file satellite's channels carry a service that a channel on the document satellite's transponders
// carries, and how many of the document satellite's transponders the file satellite's match. Counted once
// per merge through indexes by frequency, so twins at one position cost no more than satellites of
// different names.
class TwinEvidence {
public:
    TwinEvidence(const TransponderMap &fileTransponders, const ChannelList<SatelliteChannel> &fileChannels,
                 const TransponderMap &knownTransponders,
                 const ChannelList<SatelliteChannel> &knownChannels) {
        countTransponders(fileTransponders, knownTransponders);
        countServices(fileTransponders, fileChannels, knownTransponders, knownChannels);
    }

    int services(quint16 file, quint16 known) const { return m_services.value(pair(file, known)); }
    int transponders(quint16 file, quint16 known) const { return m_transponders.value(pair(file, known)); }
    int transponders(quint16 known) const { return m_knownTransponders.value(known); }

private:
    using Key = quint32;
    static Key pair(quint16 file, quint16 known) { return Key(file) << 16 | known; }
    static bool onUserSatellite(const Transponder &transponder) {
        return SatelliteIds::isUser(quint16(transponder.satelliteId));
    }
    // The buckets a frequency may match in: its own and its two neighbours.
    template <typename Visit> static void nearBuckets(float kHz, Visit visit) {
        const qint64 bucket = megahertzBucket(kHz);
        for (qint64 b = bucket - 1; b <= bucket + 1; ++b)
            visit(b);
    }

    // A file transponder stands, on each document satellite, for the first of its transponders (ascending
    // keys) that it matches as if it were on that satellite; two that stand for one count once.
    void countTransponders(const TransponderMap &fileTransponders, const TransponderMap &knownTransponders) {
        QHash<qint64, QList<quint32>> byFrequency;
        for (auto it = knownTransponders.cbegin(); it != knownTransponders.cend(); ++it) {
            if (!onUserSatellite(*it))
                continue;
            byFrequency[megahertzBucket(it->frequency)].append(it.key());
            ++m_knownTransponders[quint16(it->satelliteId)];
        }
        QHash<Key, QSet<quint32>> matched;
        for (const Transponder &transponder : fileTransponders) {
            if (!onUserSatellite(transponder))
                continue;
            QHash<quint16, quint32> first;
            nearBuckets(transponder.frequency, [&](qint64 bucket) {
                for (const quint32 key : byFrequency.value(bucket)) {
                    const Transponder &known = *knownTransponders.constFind(key);
                    Transponder asKnown = transponder;
                    asKnown.satelliteId = known.satelliteId;
                    const quint16 satellite = quint16(known.satelliteId);
                    if (matchesAsReadBack(known, asKnown) &&
                        (!first.contains(satellite) || key < first[satellite]))
                        first[satellite] = key;
                }
            });
            for (auto it = first.cbegin(); it != first.cend(); ++it)
                matched[pair(quint16(transponder.satelliteId), it.key())].insert(*it);
        }
        for (auto it = matched.cbegin(); it != matched.cend(); ++it)
            m_transponders.insert(it.key(), int(it->size()));
    }

    // A service is the service id on a transponder within tolerance, the symbol rate and the satellite
    // aside; a deleted channel of the document carries its service still.
    void countServices(const TransponderMap &fileTransponders,
                       const ChannelList<SatelliteChannel> &fileChannels,
                       const TransponderMap &knownTransponders,
                       const ChannelList<SatelliteChannel> &knownChannels) {
        using ServiceKey = QPair<int, qint64>; // service id, frequency bucket
        QHash<ServiceKey, QList<const Transponder *>> byService;
        for (const SatelliteChannel &channel : knownChannels) {
            const auto transponder = knownTransponders.constFind(channel.transponderId());
            if (transponder != knownTransponders.cend() && onUserSatellite(*transponder))
                byService[{channel.serviceId(), megahertzBucket(transponder->frequency)}].append(
                    &*transponder);
        }
        for (const SatelliteChannel &channel : fileChannels) {
            const auto transponder = fileTransponders.constFind(channel.transponderId());
            if (transponder == fileTransponders.cend() || !onUserSatellite(*transponder))
                continue;
            QSet<quint16> carriers;
            nearBuckets(transponder->frequency, [&](qint64 bucket) {
                for (const Transponder *carrier : byService.value({channel.serviceId(), bucket})) {
                    Transponder known = *carrier;
                    known.satelliteId = transponder->satelliteId;
                    known.symbolRate = transponder->symbolRate;
                    if (matchesAsReadBack(known, *transponder))
                        carriers.insert(quint16(carrier->satelliteId));
                }
            });
            for (const quint16 known : carriers)
                ++m_services[pair(quint16(transponder->satelliteId), known)];
        }
    }

    QHash<Key, int> m_services;
    QHash<Key, int> m_transponders;
    QHash<quint16, int> m_knownTransponders;
};

// A channel brought back keeps its place in an ordered favourites list only while that place is still its
// own: a deleted channel keeps its positions (for undo) while the list goes on without it, and a member
// added or packed meanwhile may hold one of them now. Otherwise it goes after the highest position, the list
// packed first where the members a save numbers after the highest would not fit, as adding a member does;
// without room even then it leaves that list. Where it has no position (-2), a save numbers it: it stays so.
template <typename T> void placeBroughtBack(ChannelList<T> &list, T &channel) {
    for (quint16 favList = 1; favList <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++favList) {
        const int position = channel.favouritePosition(favList);
        if (position < 1)
            continue;
        QList<T *> members;
        QList<int> positions;
        int highest = 0;
        qint64 withoutPosition = 0;
        bool taken = false;
        for (T &other : list) {
            const int otherPosition = other.favouritePosition(favList);
            if (&other == &channel || other.isDeleted() || otherPosition == Channel::NOT_A_MEMBER)
                continue;
            members.append(&other);
            positions.append(otherPosition);
            highest = std::max(highest, otherPosition);
            withoutPosition += otherPosition == Channel::MEMBER_WITHOUT_POSITION ? 1 : 0;
            taken = taken || otherPosition == position;
        }
        if (!taken && FavouriteOrder::roomAfterHighest(std::max(highest, position), withoutPosition, 0))
            continue;
        if (FavouriteOrder::roomAfterHighest(highest, withoutPosition, 1)) {
            channel.setFavouritePosition(favList, highest + 1);
            continue;
        }
        if (members.size() >= Channel::HIGHEST_FAVOURITE_POSITION) {
            channel.setFavouritePosition(favList, Channel::NOT_A_MEMBER);
            continue;
        }
        int next = 1;
        for (const int member : FavouriteOrder::packingOrder(positions)) {
            if (positions[member] != next)
                members[member]->setFavouritePosition(favList, next);
            ++next;
        }
        channel.setFavouritePosition(favList, next);
    }
}

// A satellite or Astra HD+ channel of the file, with its transponder already mapped, into the list. Without a
// transponder only the service id and the name tell channels apart, and a file may hold one id on several
// transponders it does not define: such a channel is never merged with another channel of the file, only
// found again among the first documentChannels of the list (those from before the merge) that a universal
// file gives back without a transponder too (writtenWithoutTransponder) and under the same name, each of them
// at most once (claimed holds their indexes). The service id alone would take another broadcaster's channel
// for the file's, and the file's channel would be lost. Returns the channel brought back from deleted, if
// any.
template <typename T, typename WrittenWithoutTransponder>
T *mergeSatelliteService(ChannelList<T> &list, const T &channel, int documentChannels, QSet<int> &claimed,
                         const TransponderMap &transponders,
                         WrittenWithoutTransponder writtenWithoutTransponder) {
    if (transponders.contains(channel.transponderId()))
        return undeleteOrAppend(list, channel,
                                [](const T &a, const T &b) { return isSameSatelliteService(a, b); });
    const KeptName name(channel.name());
    for (const NameMatch match : NAME_MATCHES) {
        const int found = matchingIndex(list, documentChannels, [&](int i) {
            const T &existing = list[i];
            return !claimed.contains(i) && writtenWithoutTransponder(existing) &&
                   existing.serviceId() == channel.serviceId() &&
                   name.matches(existing.name(), match, std::equal_to<QString>());
        });
        if (found >= 0) {
            claimed.insert(found);
            return undelete(list[found]);
        }
    }
    list.append(channel);
    return nullptr;
}

// Whether a universal file holds the channel without a transponder: the transponder is unknown, or its
// satellite is, and a transponder is written only under its satellite.
bool writtenWithoutTransponder(const SatelliteChannel &channel, const TransponderMap &transponders,
                               const SatelliteMap &satellites) {
    const auto transponder = transponders.constFind(channel.transponderId());
    return transponder == transponders.cend() || !satellites.contains(quint16(transponder->satelliteId));
}

// Cable and air lists are replaced by the file's, with channels the file holds twice collapsed into one.
template <typename T>
void replaceCollapsingEqual(const ChannelList<T> &sourceList, ChannelList<T> &destinationList) {
    destinationList.clear();
    for (const T &source : sourceList)
        undeleteOrAppend(destinationList, source, [](const T &a, const T &b) { return isSameChannel(a, b); });
}
} // namespace

ProviderNameIndex::ProviderNameIndex(const ProviderMap &providers) {
    for (auto it = providers.cbegin(); it != providers.cend(); ++it)
        add(it.key(), it->name);
}

void ProviderNameIndex::add(quint32 key, const QString &name) {
    const QString carried = UlmxCodes::xmlCarriedText(name);
    if (KeptName::fitsRecord(carried)) {
        keepLowest(m_fitting, caseless(carried), key);
        return;
    }
    keepLowest(m_long, caseless(carried), key);
    keepLowest(m_longCut, caseless(rawRecordName(carried)), key);
}

bool ProviderNameIndex::find(const QString &name, quint32 &key) const {
    const KeptName kept(name);
    const QString whole = caseless(kept.carried());
    std::optional<quint32> found;
    lowerTo(found, m_fitting, whole);
    lowerTo(found, m_long, whole);
    // A whole name found comes before every name found only once cut.
    if (!found) {
        if (kept.fits())
            lowerTo(found, m_longCut, whole);
        else
            lowerTo(found, m_fitting, caseless(kept.cut()));
    }
    if (found)
        key = *found;
    return found.has_value();
}

bool ChannelMerger::mergeSatelliteData(ChannelList<SatelliteChannel> &sourceList,
                                       SatelliteMap &sourceSatellites, TransponderMap &sourceTransponders,
                                       CategoryProviderMap &sourceProviders,
                                       ChannelList<SatelliteChannel> &destinationList,
                                       SatelliteMap &destinationSatellites,
                                       TransponderMap &destinationTransponders,
                                       CategoryProviderMap &destinationProviders, int sourceVersion,
                                       int destinationVersion, bool orderedFavourites) {
    // A user satellite of the file that the document holds already (the document's own list exported and
    // merged back) is the document's one: it takes no second slot, and neither side gives it up.
    RenumberingMap renumbering =
        sameUserSatellites(sourceSatellites, sourceTransponders, sourceList, destinationSatellites,
                           destinationTransponders, destinationList);
    const QList<quint16> sameInSource = renumbering.keys();

    // Only nine user-satellite slots exist: the older database gives way.
    QList<quint16> surplus;
    if (sourceVersion > destinationVersion) {
        surplusUserSatelliteIds(sourceSatellites,
                                withoutSatellites(destinationSatellites, renumbering.values()), surplus);
        removeSatellites(destinationSatellites, destinationTransponders, destinationList, surplus);
    } else {
        surplusUserSatelliteIds(destinationSatellites, withoutSatellites(sourceSatellites, sameInSource),
                                surplus);
        removeSatellites(sourceSatellites, sourceTransponders, sourceList, surplus);
    }
    const bool allKept = surplus.isEmpty();

    MergeSatellites(withoutSatellites(sourceSatellites, sameInSource), destinationSatellites, renumbering);

    // Each transponder moves one step only: the map may send an id on to an id it moves in turn.
    if (!renumbering.isEmpty()) {
        for (auto it = sourceTransponders.begin(); it != sourceTransponders.end(); ++it) {
            const auto moved = renumbering.constFind(quint16(it->satelliteId));
            if (moved != renumbering.cend())
                it->satelliteId = qint16(*moved);
        }
    }

    for (auto it = sourceTransponders.cbegin(); it != sourceTransponders.cend(); ++it) {
        quint32 key = 0;
        if (!findMatchingTransponder(destinationTransponders, *it, key))
            destinationTransponders.insert(smallestFreeKey(destinationTransponders), *it);
    }

    ProviderMap &destinationSatelliteProviders = destinationProviders[ProviderCategory::SATELLITE];
    const ProviderMap &sourceSatelliteProviders = sourceProviders[ProviderCategory::SATELLITE];
    ProviderNameIndex destinationProviderNames(destinationSatelliteProviders);
    for (auto it = sourceSatelliteProviders.cbegin(); it != sourceSatelliteProviders.cend(); ++it) {
        quint32 key = 0;
        if (findProviderByName(destinationProviderNames, *it, key))
            continue;
        key = smallestFreeKey(destinationSatelliteProviders);
        destinationSatelliteProviders.insert(key, *it);
        destinationProviderNames.add(key, it->name);
    }

    mergeSatelliteChannels(sourceList, sourceTransponders, sourceSatelliteProviders, destinationList,
                           destinationSatellites, destinationTransponders, destinationProviderNames,
                           orderedFavourites);
    return allKept;
}

QList<quint16> ChannelMerger::unusedUserSatelliteIds(const SatelliteMap &satellites,
                                                     const TransponderMap &transponders,
                                                     const ChannelList<SatelliteChannel> &satelliteChannels,
                                                     const ChannelList<AstraHDChannel> &astraChannels) {
    QSet<quint16> used;
    const auto markUsed = [&](quint32 transponderId) {
        const auto transponder = transponders.constFind(transponderId);
        if (transponder != transponders.cend())
            used.insert(quint16(transponder->satelliteId));
    };
    for (const SatelliteChannel &channel : satelliteChannels)
        markUsed(channel.transponderId());
    for (const AstraHDChannel &channel : astraChannels)
        markUsed(channel.transponderId());
    QList<quint16> ids;
    for (auto it = satellites.cbegin(); it != satellites.cend(); ++it) {
        if (SatelliteIds::isUser(it.key()) && !used.contains(it.key()))
            ids.append(it.key());
    }
    return ids;
}

ChannelMerger::RenumberingMap ChannelMerger::sameUserSatellites(
    const SatelliteMap &source, const TransponderMap &sourceTransponders,
    const ChannelList<SatelliteChannel> &sourceChannels, const SatelliteMap &destination,
    const TransponderMap &destinationTransponders, const ChannelList<SatelliteChannel> &destinationChannels) {
    const TwinEvidence evidence(sourceTransponders, sourceChannels, destinationTransponders,
                                destinationChannels);
    struct Pairing {
        int services; // the file satellite's channels whose service the document satellite carries
        int shared;
        int unshared; // the document satellite's other transponders
        NameMatch match;
        quint16 file;
        quint16 known;
    };
    QList<Pairing> pairings;
    for (auto file = source.cbegin(); file != source.cend(); ++file) {
        if (!SatelliteIds::isUser(file.key()))
            continue;
        const KeptName name(file->name);
        for (auto known = destination.cbegin(); known != destination.cend(); ++known) {
            if (!SatelliteIds::isUser(known.key()) || known->orbitalPos != file->orbitalPos)
                continue;
            for (const NameMatch match : NAME_MATCHES) {
                if (name.matches(known->name, match, equalsIgnoreCase)) {
                    const int shared = evidence.transponders(file.key(), known.key());
                    pairings.append({evidence.services(file.key(), known.key()), shared,
                                     evidence.transponders(known.key()) - shared, match, file.key(),
                                     known.key()});
                    break;
                }
            }
        }
    }
    // Names alone may not tell two satellites at one position apart, and the ids of another list mean
    // nothing (a merge moves them). Twins see the same transponders, so the services their channels carry
    // tell them first; then the most transponders shared, and between pairs that share one the fewest of
    // the document satellite's left over. Where they share nothing, how many transponders a twin holds
    // says nothing: a whole name comes before a cut one, so a satellite found only under a cut name takes
    // none that another finds in full; then the same id, as a list's own files keep its ids; then the ids
    // in ascending order. One order over all pairs, so a satellite is not taken by a pair that ranks lower.
    const auto rank = [](const Pairing &p) {
        return std::make_tuple(-p.services, -p.shared, p.shared > 0 ? p.unshared : 0, p.match,
                               p.file != p.known);
    };
    std::stable_sort(pairings.begin(), pairings.end(),
                     [&](const Pairing &a, const Pairing &b) { return rank(a) < rank(b); });
    RenumberingMap same;
    QSet<quint16> taken;
    for (const Pairing &pairing : pairings) {
        if (same.contains(pairing.file) || taken.contains(pairing.known))
            continue;
        same.insert(pairing.file, pairing.known);
        taken.insert(pairing.known);
    }
    return same;
}

void ChannelMerger::surplusUserSatelliteIds(const SatelliteMap &keeper, const SatelliteMap &loser,
                                            QList<quint16> &ids) {
    int freeSlots = 0;
    for (quint32 id = SatelliteIds::FIRST_USER; id <= SatelliteIds::LAST_USER; ++id) {
        if (!keeper.contains(quint16(id)))
            ++freeSlots;
        if (loser.contains(quint16(id)))
            ids.append(quint16(id));
    }
    // The loser keeps its highest-numbered user satellites.
    for (int i = 0; i < freeSlots && !ids.isEmpty(); ++i)
        ids.removeLast();
}

void ChannelMerger::removeSatellites(SatelliteMap &satellites, TransponderMap &transponders,
                                     ChannelList<SatelliteChannel> &channels, const QList<quint16> &ids) {
    for (const quint16 id : ids) {
        for (auto it = transponders.begin(); it != transponders.end();) {
            if (quint16(it->satelliteId) != id) {
                ++it;
                continue;
            }
            const quint32 transponderId = it.key();
            for (int i = channels.size() - 1; i >= 0; --i) {
                if (channels[i].transponderId() == transponderId)
                    channels.erase(i);
            }
            it = transponders.erase(it);
        }
        satellites.remove(id);
    }
}

void ChannelMerger::MergeSatellites(const SatelliteMap &source, SatelliteMap &destination,
                                    RenumberingMap &renumbering) {
    for (auto it = source.cbegin(); it != source.cend(); ++it) {
        const quint16 id = it.key();
        if (!destination.contains(id)) {
            destination.insert(id, *it);
            continue;
        }
        if (!SatelliteIds::isUser(id))
            continue; // a standard satellite already known stays as the document has it
        bool placed = false;
        for (quint32 slot = SatelliteIds::FIRST_USER; slot <= SatelliteIds::LAST_USER; ++slot) {
            if (!destination.contains(quint16(slot))) {
                destination.insert(quint16(slot), *it);
                renumbering.insert(id, quint16(slot));
                placed = true;
                break;
            }
        }
        if (!placed)
            qCDebug(lcMerge) << "No free user satellite slot for satellite" << id;
    }
}

const Transponder *ChannelMerger::findMatchingTransponder(const TransponderMap &transponders,
                                                          const Transponder &transponder, quint32 &key) {
    // The document's transponder is compared as the file carries it, or the document's own file would bring
    // it in a second time.
    for (auto it = transponders.cbegin(); it != transponders.cend(); ++it) {
        if (matchesAsReadBack(*it, transponder)) {
            key = it.key();
            return &*it;
        }
    }
    return nullptr;
}

bool ChannelMerger::findProviderByName(const ProviderNameIndex &providers, const ServiceProvider &provider,
                                       quint32 &key) {
    return providers.find(provider.name, key);
}

quint32 ChannelMerger::destinationTransponderId(quint32 sourceId, const TransponderMap &sourceTransponders,
                                                const TransponderMap &destinationTransponders) {
    // A file id means nothing in the document: kept as it is, a link the file does not define (or one
    // without a counterpart) would land on whichever document transponder has that id.
    const auto transponder = sourceTransponders.constFind(sourceId);
    quint32 key = 0;
    if (transponder != sourceTransponders.cend() &&
        findMatchingTransponder(destinationTransponders, *transponder, key))
        return key;
    return NO_ID;
}

quint32 ChannelMerger::destinationProviderId(quint32 sourceId, const ProviderMap &sourceProviders,
                                             const ProviderNameIndex &destinationProviders) {
    // As for transponders; and a channel without a provider is never matched by the empty name, which
    // would attach it to whichever nameless provider the document happens to have.
    const auto provider = sourceProviders.constFind(sourceId);
    quint32 key = 0;
    if (sourceId != NO_ID && provider != sourceProviders.cend() &&
        findProviderByName(destinationProviders, *provider, key))
        return key;
    return NO_ID;
}

void ChannelMerger::mergeSatelliteChannels(
    const ChannelList<SatelliteChannel> &sourceList, const TransponderMap &sourceTransponders,
    const ProviderMap &sourceProviders, ChannelList<SatelliteChannel> &destinationList,
    const SatelliteMap &destinationSatellites, const TransponderMap &destinationTransponders,
    const ProviderNameIndex &destinationProviders, bool orderedFavourites) {
    // Only channels that were in the document before the merge, or appended by it, are compared; the
    // destination list grows as we go.
    const int documentChannels = destinationList.size();
    QSet<int> claimed;
    // The maps stay as they are while the channels are merged: each file id is looked up once, not once for
    // every channel that refers to it.
    QHash<quint32, quint32> transponderIds, providerIds;
    for (const SatelliteChannel &source : sourceList) {
        SatelliteChannel copy(source);
        if (!transponderIds.contains(source.transponderId()))
            transponderIds.insert(source.transponderId(),
                                  destinationTransponderId(source.transponderId(), sourceTransponders,
                                                           destinationTransponders));
        if (!providerIds.contains(source.providerId()))
            providerIds.insert(
                source.providerId(),
                destinationProviderId(source.providerId(), sourceProviders, destinationProviders));
        copy.setTransponderId(transponderIds.value(source.transponderId()));
        copy.setProviderId(providerIds.value(source.providerId()));
        SatelliteChannel *broughtBack = mergeSatelliteService(
            destinationList, copy, documentChannels, claimed, destinationTransponders,
            [&](const SatelliteChannel &channel) {
                return writtenWithoutTransponder(channel, destinationTransponders, destinationSatellites);
            });
        if (broughtBack && orderedFavourites)
            placeBroughtBack(destinationList, *broughtBack);
    }
}

void ChannelMerger::mergeCableChannels(const ChannelList<CableChannel> &sourceList,
                                       ChannelList<CableChannel> &destinationList) {
    replaceCollapsingEqual(sourceList, destinationList);
}

void ChannelMerger::mergeAirChannels(const ChannelList<AirChannel> &sourceList,
                                     ChannelList<AirChannel> &destinationList) {
    replaceCollapsingEqual(sourceList, destinationList);
}

void ChannelMerger::mergeAstraHDChannels(const TransponderMap &sourceTransponders,
                                         const ChannelList<AstraHDChannel> &sourceList,
                                         const TransponderMap &destinationTransponders,
                                         ChannelList<AstraHDChannel> &destinationList) {
    destinationList.clear();
    QSet<int> claimed;
    for (const AstraHDChannel &source : sourceList) {
        AstraHDChannel copy(source);
        // The file's transponder id means nothing in the document's database: map it first, so the
        // comparison below reads the transponder the channel will really refer to.
        copy.setTransponderId(
            destinationTransponderId(source.transponderId(), sourceTransponders, destinationTransponders));
        // The list is replaced: no channel of the document is looked for.
        mergeSatelliteService(destinationList, copy, 0, claimed, destinationTransponders,
                              [](const AstraHDChannel &) { return false; });
    }
}
