#ifndef CHANNELMERGER_H
#define CHANNELMERGER_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"
#include "core/satellitedatabase.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

// The names of a document's providers as a merge looks a file's provider up among them: as a universal file
// carries them and with case ignored, and those longer than a raw record also as the record cuts them. Made
// once per merge and told of each provider the merge adds, so that a lookup costs the same however many
// providers the document holds.
class ProviderNameIndex {
public:
    ProviderNameIndex() = default;
    explicit ProviderNameIndex(const ProviderMap &providers);

    void add(quint32 key, const QString &name);
    // The first key (ascending) of the same name; else the first whose name, where one of the two fits a
    // raw record, is the other cut by it. False when none is.
    bool find(const QString &name, quint32 &key) const;

private:
    QHash<QString, quint32> m_fitting; // names a raw record holds whole
    QHash<QString, quint32> m_long;    // the longer ones
    QHash<QString, quint32> m_longCut; // the longer ones as a raw record cuts them
};

// Folds the lists and the satellite database of a universal file (the source) into an open document (the
// destination). Holds nothing: the director creates one per merge and calls it list by list.
//
// The destination maps are the process-wide ones in practice: channel comparisons read the satellite data of
// both sides through the process-wide database, so every source channel is moved onto destination
// transponders before it is compared.
class ChannelMerger {
public:
    using RenumberingMap = QMap<quint16, quint16>;

    ChannelMerger() = default;

    // Satellites (with the nine user-satellite slots), transponders, category-3 providers and satellite
    // channels. A user satellite of the file that the document holds already is taken as the document's.
    // The side with the lower database version (the file on a tie) gives up the user satellites that do
    // not fit, with their transponders and channels. False when any user satellite was given up.
    // The source maps are changed too (renumbered user satellites), so the Astra HD+ merge that follows sees
    // the same transponders. orderedFavourites: the document keeps an order within its favourites lists.
    bool mergeSatelliteData(ChannelList<SatelliteChannel> &sourceList, SatelliteMap &sourceSatellites,
                            TransponderMap &sourceTransponders, CategoryProviderMap &sourceProviders,
                            ChannelList<SatelliteChannel> &destinationList,
                            SatelliteMap &destinationSatellites, TransponderMap &destinationTransponders,
                            CategoryProviderMap &destinationProviders, int sourceVersion,
                            int destinationVersion, bool orderedFavourites);

    // The user satellites that none of the channels refers to through its transponder, ascending.
    QList<quint16> unusedUserSatelliteIds(const SatelliteMap &satellites, const TransponderMap &transponders,
                                          const ChannelList<SatelliteChannel> &satelliteChannels,
                                          const ChannelList<AstraHDChannel> &astraChannels);
    // The file's user satellites that the document holds already (same position, same name ignoring case
    // and the characters a universal file cannot hold, or one name that fits a raw record is the other cut
    // by it), each mapped to the document's id; a document satellite stands for one file satellite at most.
    // The pairs are taken in one order: the most of the file satellite's channels whose service (service
    // id, frequency within 999 kHz, polarity as read back) a channel of the document satellite carries,
    // deleted ones too; then the most transponders shared; then, between pairs that share one, the fewest
    // of the document satellite's left over; then whole names before cut ones; then a satellite of the same
    // id; then ascending ids.
    RenumberingMap sameUserSatellites(const SatelliteMap &source, const TransponderMap &sourceTransponders,
                                      const ChannelList<SatelliteChannel> &sourceChannels,
                                      const SatelliteMap &destination,
                                      const TransponderMap &destinationTransponders,
                                      const ChannelList<SatelliteChannel> &destinationChannels);
    // The user satellites of loser that find no free slot in keeper, lowest ids first.
    void surplusUserSatelliteIds(const SatelliteMap &keeper, const SatelliteMap &loser, QList<quint16> &ids);
    // Removes the satellites, their transponders and the channels on those transponders.
    void removeSatellites(SatelliteMap &satellites, TransponderMap &transponders,
                          ChannelList<SatelliteChannel> &channels, const QList<quint16> &ids);
    // Copies the source satellites into the destination; a user satellite whose id is taken moves to the
    // first free user id, added to renumbering.
    void MergeSatellites(const SatelliteMap &source, SatelliteMap &destination, RenumberingMap &renumbering);

    // The first transponder of the map (ascending keys) within tolerance of the given one, or null. The map's
    // polarities are compared as a universal file gives them back.
    const Transponder *findMatchingTransponder(const TransponderMap &transponders,
                                               const Transponder &transponder, quint32 &key);
    // The first provider (ascending keys) of the same name ignoring case and the characters a universal file
    // cannot hold; else the first whose name, where one of the two fits a raw record, is the other cut by it;
    // false when none is.
    bool findProviderByName(const ProviderNameIndex &providers, const ServiceProvider &provider,
                            quint32 &key);

    // The document's id of the file's transponder (provider) of that id, or NO_ID when the file does not
    // define the id or the document has no counterpart: a channel never links to someone else's record.
    quint32 destinationTransponderId(quint32 sourceId, const TransponderMap &sourceTransponders,
                                     const TransponderMap &destinationTransponders);
    quint32 destinationProviderId(quint32 sourceId, const ProviderMap &sourceProviders,
                                  const ProviderNameIndex &destinationProviders);

    // Adds the file's channels that the document lacks; a document channel of the file is undeleted, unless
    // a live one matches too. A document channel whose transponder a universal file cannot hold (its
    // satellite is unknown) stands for a file channel without a transponder of the same service id and name
    // (the same as a universal file carries it; else, where one of the two fits a raw record, the other cut
    // by it). In ordered favourites lists an undeleted channel takes a place no other member holds.
    void mergeSatelliteChannels(const ChannelList<SatelliteChannel> &sourceList,
                                const TransponderMap &sourceTransponders, const ProviderMap &sourceProviders,
                                ChannelList<SatelliteChannel> &destinationList,
                                const SatelliteMap &destinationSatellites,
                                const TransponderMap &destinationTransponders,
                                const ProviderNameIndex &destinationProviders, bool orderedFavourites);
    // Replace the destination list by the source's channels, equal ones collapsed.
    void mergeCableChannels(const ChannelList<CableChannel> &sourceList,
                            ChannelList<CableChannel> &destinationList);
    void mergeAirChannels(const ChannelList<AirChannel> &sourceList,
                          ChannelList<AirChannel> &destinationList);
    // Replaces the destination list by the source's channels, each moved onto the matching destination
    // transponder before it is compared and stored.
    void mergeAstraHDChannels(const TransponderMap &sourceTransponders,
                              const ChannelList<AstraHDChannel> &sourceList,
                              const TransponderMap &destinationTransponders,
                              ChannelList<AstraHDChannel> &destinationList);

    // The smallest non-negative key that the map does not hold.
    template <typename Map> static quint32 smallestFreeKey(const Map &map) {
        quint32 expected = 0;
        for (auto it = map.cbegin(); it != map.cend(); ++it, ++expected) {
            if (it.key() != expected)
                return expected;
        }
        return expected;
    }
};

#endif
