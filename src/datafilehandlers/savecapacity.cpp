#include "datafilehandlers/savecapacity.h"

#include "core/channellistprovider.h"
#include "core/codenames.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datadirector.h"
#include "datafilehandlers/datafilehandler_ulmx_codes.h"
#include "datafilehandlers/datafilehandler_ulmx_streams.h"
#include "datafilehandlers/ggdata.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>
#include <array>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using Kind = SaveCapacity::Kind;
constexpr int KIND_COUNT = int(Kind::UnwritableNames) + 1;

QString tr(const char *text) {
    return QCoreApplication::translate("SaveCapacity", text);
}

// What a file of the format keeps. The raw years take their rules from the layout their handler writes.
struct Target {
    QString name;
    bool astraHD = true;
    int favouritesLists = 0;
    bool positions = false;
    bool locks = false;
    int nameUnits = 0; // 0: names of any length
    // A raw file packs the Astra HD+ favourite range on reading (RawRecordCodec::fillAstraHDRange).
    bool packsAstraHDRange = false;
    // The universal format: its values go through the texts of UlmxCodes.
    bool universal = false;
};

Target targetOf(int format) {
    const RawYear *year = rawYearOf(format);
    if (!year) // the universal format keeps no favourites lists and no child locks
        return Target{tr("universal"), true, 0, false, false, 0, false, true};
    const RawLayout &layout = year->layout;
    const QString name = QString::fromLatin1(year->version);
    return Target{name,
                  layout.astraHD,
                  layout.favouritesLists,
                  layout.favourites == RawLayout::POSITIONS,
                  holdsChildLocks(format),
                  RawRecordCodec::NAME_UNITS,
                  layout.astraHD,
                  false};
}

// The values a universal file reads back: each written by the writer's text and read by the reader's.
float frequencyReadBack(float megahertz) {
    float value = 0;
    UlmxCodes::readFrequency(UlmxCodes::frequencyText(megahertz), value);
    return value;
}

float transponderFrequencyReadBack(float kilohertz) {
    float value = 0;
    UlmxCodes::readFrequency(UlmxCodes::transponderFrequencyText(kilohertz), value);
    return value;
}

int cableModulationReadBack(int code) {
    return UlmxCodes::cableModulationCode(UlmxCodes::cableModulationText(code));
}

// The delivery values of a digital air or cable stream as a universal file reads them back.
quint16 deliveryReadBack(const AirChannel &channel) {
    return UlmxCodes::bandwidthValue(UlmxCodes::bandwidthText(channel.bandwidth()));
}

std::pair<quint16, int> deliveryReadBack(const CableChannel &channel) {
    return {channel.symbolRate(), cableModulationReadBack(channel.modulation())};
}

// A value that comes back other than it went; a frequency that is no number never comes back.
bool changes(float value, float readBack) {
    return !(value == readBack);
}

// How many items a kind concerns, and the first names of them.
struct Tally {
    int count = 0;
    QStringList names;
};

// Counts of what the target drops or changes, per kind. Deleted channels are never written, so what they
// carry is not lost; a list the target does not hold is counted once, as a whole, and so is a channel the
// target leaves out.
class Counter {
public:
    Counter(const Target &target, bool placesShown) : m_target(target), m_placesShown(placesShown) {}

    const Tally &tally(Kind kind) const { return m_tallies[size_t(kind)]; }

    template <typename T> void countList(const ChannelList<T> &list) {
        QSet<const T *> written;
        if constexpr (std::is_base_of_v<SatelliteChannel, T>) {
            // In a universal file, written only as a service of its transponder's stream, and then read back
            // digital; a raw file writes every channel.
            if (m_target.universal) {
                for (const UlmxStreams::Stream<T> &stream : UlmxStreams::byTransponder(list)) {
                    for (const T *service : stream.services)
                        written.insert(service);
                }
            }
        }
        for (const T &channel : list) {
            if (channel.isDeleted())
                continue;
            if constexpr (std::is_base_of_v<SatelliteChannel, T>) {
                if (m_target.universal && !written.contains(&channel)) {
                    note(Kind::AnalogueSatellite, channel.name());
                    continue;
                }
            }
            countFavourites(channel);
            if (channel.isLocked() && !m_target.locks)
                note(Kind::ChildLocks, channel.name());
            countName(channel.name());
            if (m_target.universal)
                countUniversal(channel);
        }
    }

    // The universal writer puts the digital channels of one frequency into one stream whose delivery values
    // are those of its first channel, deleted or not; the others read them back.
    template <typename T> void countSharedDelivery(const ChannelList<T> &list) {
        for (const UlmxStreams::Stream<T> &stream : UlmxStreams::byFrequency(list)) {
            const auto given = deliveryReadBack(*stream.first);
            for (const T *service : stream.services) {
                if (deliveryReadBack(*service) != given)
                    note(Kind::SharedDelivery, service->name());
            }
        }
    }

    void countName(const QString &name) {
        if (m_target.nameUnits > 0 && name.size() > m_target.nameUnits)
            note(Kind::LongNames, name);
        if (m_target.universal && UlmxCodes::xmlCarriedText(name) != name)
            note(Kind::UnwritableNames, name);
    }

    void countProviders(const CategoryProviderMap &map) {
        for (auto category = map.cbegin(); category != map.cend(); ++category) {
            if (category.key() == ProviderCategory::ASTRA_HD && !m_target.astraHD)
                continue;
            for (const ServiceProvider &provider : category.value())
                countName(provider.name);
        }
    }

    void countDropped(const ChannelList<AstraHDChannel> &list) {
        for (const AstraHDChannel &channel : list) {
            if (!channel.isDeleted())
                note(Kind::AstraHDList, channel.name());
        }
    }

    // The channels of the favourite range whose number the read-back packing changes. A range of more than
    // 99 channels cannot be written at all: the save refuses it with its own message.
    void countRenumbered(const ChannelList<AstraHDChannel> &list) {
        std::vector<const AstraHDChannel *> range;
        for (const AstraHDChannel &channel : list) {
            if (!channel.isDeleted() && channel.number() >= 1 &&
                channel.number() <= AstraHDChannel::FAVOURITE_RANGE_LAST)
                range.push_back(&channel);
        }
        if (range.size() > size_t(AstraHDChannel::FAVOURITE_RANGE_LAST))
            return;
        std::stable_sort(range.begin(), range.end(), [](const AstraHDChannel *a, const AstraHDChannel *b) {
            return a->number() < b->number();
        });
        for (size_t k = 0; k < range.size(); ++k) {
            if (range[k]->number() != int(k + 1))
                note(Kind::AstraHDRenumbered, range[k]->name());
        }
    }

private:
    void note(Kind kind, const QString &name) {
        Tally &tally = m_tallies[size_t(kind)];
        ++tally.count;
        if (tally.names.size() < SaveCapacity::NAMES_KEPT)
            tally.names.append(name);
    }

    void countFavourites(const Channel &channel) {
        bool leaves = false;
        bool losesPlace = false;
        for (int fav = 1; fav <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++fav) {
            const int position = channel.favouritePosition(quint16(fav));
            if (position == Channel::NOT_A_MEMBER)
                continue;
            if (fav > m_target.favouritesLists)
                leaves = true;
            else if (position > 0 && !m_target.positions && m_placesShown)
                losesPlace = true;
        }
        if (leaves)
            note(Kind::FavouritesLists, channel.name());
        if (losesPlace)
            note(Kind::FavouritePlaces, channel.name());
    }

    // The window shows the TSID and ONID of every channel but an analogue one, the colour and sound systems
    // and the bandwidth of an analogue air channel, and the transponder values of a satellite channel.
    template <typename T> void countUniversal(const T &channel) {
        const bool analogue = channel.kind() == Channel::ANALOGUE;
        if (!analogue && (channel.transportStreamId() != UlmxCodes::NO_TSID ||
                          channel.originalNetworkId() != UlmxCodes::NO_ONID))
            note(Kind::NetworkIds, channel.name());
        if constexpr (std::is_base_of_v<SatelliteChannel, T>) {
            if (analogue)
                note(Kind::AnalogueSatellite, channel.name());
            countTransponder(channel);
        } else {
            if (changes(channel.frequency(), frequencyReadBack(channel.frequency())))
                note(Kind::Frequency, channel.name());
            if (analogue)
                countAnalogue(channel);
            else if constexpr (std::is_same_v<T, CableChannel>) {
                if (cableModulationReadBack(channel.modulation()) != channel.modulation())
                    note(Kind::CableModulation, channel.name());
            }
        }
    }

    // The reader gives an analogue channel the defaults of the fields the format has no place for.
    template <typename T> void countAnalogue(const T &channel) {
        if (channel.number() > UlmxCodes::MAX_ANALOGUE_NUMBER)
            note(Kind::AnalogueNumbers, channel.name());
        if (channel.soundSystem() != UlmxCodes::SOUND_SYSTEM_UNKNOWN ||
            channel.colourSystem() != UlmxCodes::COLOUR_SYSTEM_AUTO)
            note(Kind::AnalogueSystems, channel.name());
        if (channel.category() != Channel::categoryOfServiceType(UlmxCodes::SERVICE_TYPE_ANALOGUE))
            note(Kind::AnalogueCategory, channel.name());
        if constexpr (std::is_same_v<T, AirChannel>) {
            if (channel.bandwidth() != UlmxCodes::NO_BANDWIDTH)
                note(Kind::AnalogueBandwidth, channel.name());
        }
    }

    // A transponder is written only under its satellite: one whose satellite the database lacks is not
    // written, and a channel on it comes back without frequency, polarity and symbol rate.
    void countTransponder(const SatelliteChannel &channel) {
        const auto transponder = SatelliteChannel::transponders.constFind(channel.transponderId());
        if (transponder == SatelliteChannel::transponders.cend())
            return;
        if (!SatelliteChannel::satellites.contains(quint16(transponder->satelliteId))) {
            note(Kind::SatelliteMissing, channel.name());
            return;
        }
        if (changes(transponder->frequency, transponderFrequencyReadBack(transponder->frequency)))
            note(Kind::TransponderFrequency, channel.name());
        const int modulation = transponder->modulation;
        if (UlmxCodes::transponderModulationCode(UlmxCodes::transponderModulationText(modulation)) !=
            modulation)
            note(Kind::TransponderModulation, channel.name());
        if (UlmxCodes::fecCode(UlmxCodes::fecText(transponder->fec)) != transponder->fec)
            note(Kind::Fec, channel.name());
    }

    const Target &m_target;
    // Places are shown, and so lost, only where the document's own format keeps an order; elsewhere they are
    // what a conversion to an ordered format left behind.
    const bool m_placesShown;
    std::array<Tally, KIND_COUNT> m_tallies;
};

// The sentence of a kind for one item and for many; many takes the count in its lowest place marker still
// open (the format's name and the like already filled in).
std::pair<QString, QString> sentences(Kind kind, const Target &target) {
    const QString &name = target.name;
    switch (kind) {
    case Kind::AstraHDList:
        return {tr("A %1 file holds no Astra HD+ list: its one channel will not be saved.").arg(name),
                tr("A %1 file holds no Astra HD+ list: its %2 channels will not be saved.").arg(name)};
    case Kind::FavouritesLists:
        if (target.favouritesLists == 0)
            return {tr("A %1 file holds no favourites lists: 1 channel will leave its favourites.").arg(name),
                    tr("A %1 file holds no favourites lists: %2 channels will leave their favourites.")
                        .arg(name)};
        // The raw years hold four or five lists: what leaves is list 5.
        return {tr("A %1 file holds %2 favourites lists: 1 channel will leave favourites list %3.")
                    .arg(name)
                    .arg(target.favouritesLists)
                    .arg(target.favouritesLists + 1),
                tr("A %1 file holds %2 favourites lists: %4 channels will leave favourites list %3.")
                    .arg(name)
                    .arg(target.favouritesLists)
                    .arg(target.favouritesLists + 1)};
    case Kind::FavouritePlaces:
        return {
            tr("A %1 file keeps no order within favourites lists: 1 channel will lose its place.").arg(name),
            tr("A %1 file keeps no order within favourites lists: %2 channels will lose their places.")
                .arg(name)};
    case Kind::ChildLocks:
        return {tr("A %1 file keeps no child locks: 1 channel will be saved unlocked.").arg(name),
                tr("A %1 file keeps no child locks: %2 channels will be saved unlocked.").arg(name)};
    case Kind::LongNames:
        return {tr("1 name is longer than %1 characters and will be shortened.").arg(target.nameUnits),
                tr("%2 names are longer than %1 characters and will be shortened.").arg(target.nameUnits)};
    case Kind::AstraHDRenumbered:
        return {
            tr("A %1 file numbers the Astra HD+ favourite range 1 to 99 without gaps: 1 channel will be "
               "renumbered.")
                .arg(name),
            tr("A %1 file numbers the Astra HD+ favourite range 1 to 99 without gaps: %2 channels will be "
               "renumbered.")
                .arg(name)};
    case Kind::AnalogueNumbers:
        return {tr("A %1 file numbers analogue channels 1 to %2 only: 1 channel will lose its number.")
                    .arg(name)
                    .arg(UlmxCodes::MAX_ANALOGUE_NUMBER),
                tr("A %1 file numbers analogue channels 1 to %2 only: %3 channels will lose their numbers.")
                    .arg(name)
                    .arg(UlmxCodes::MAX_ANALOGUE_NUMBER)};
    case Kind::SatelliteMissing:
        return {tr("A %1 file keeps a transponder (the satellite frequency a channel is broadcast on) only "
                   "with its satellite: 1 channel whose satellite is missing will lose its frequency, "
                   "polarity and symbol rate.")
                    .arg(name),
                tr("A %1 file keeps a transponder (the satellite frequency a channel is broadcast on) only "
                   "with its satellite: %2 channels whose satellite is missing will lose their frequency, "
                   "polarity and symbol rate.")
                    .arg(name)};
    case Kind::NetworkIds:
        return {tr("A %1 file keeps no network numbers (TSID and ONID, which name the broadcast a digital "
                   "channel belongs to): 1 channel will lose them.")
                    .arg(name),
                tr("A %1 file keeps no network numbers (TSID and ONID, which name the broadcast a digital "
                   "channel belongs to): %2 channels will lose them.")
                    .arg(name)};
    case Kind::AnalogueSystems:
        return {
            tr("A %1 file keeps no colour and sound systems: 1 analogue channel will lose them.").arg(name),
            tr("A %1 file keeps no colour and sound systems: %2 analogue channels will lose them.")
                .arg(name)};
    case Kind::AnalogueBandwidth:
        return {tr("A %1 file keeps no bandwidth of analogue channels: 1 analogue channel will lose it.")
                    .arg(name),
                tr("A %1 file keeps no bandwidth of analogue channels: %2 analogue channels will lose it.")
                    .arg(name)};
    case Kind::AnalogueCategory:
        return {
            tr("A %1 file holds every analogue channel as a TV channel: 1 analogue radio or data channel "
               "will be listed with the TV channels.")
                .arg(name),
            tr("A %1 file holds every analogue channel as a TV channel: %2 analogue radio or data channels "
               "will be listed with the TV channels.")
                .arg(name)};
    case Kind::AnalogueSatellite:
        return {tr("A %1 file holds satellite channels as digital ones only: 1 analogue satellite channel "
                   "will be saved as a digital one, or left out when no digital channel is on its "
                   "transponder (its satellite frequency).")
                    .arg(name),
                tr("A %1 file holds satellite channels as digital ones only: %2 analogue satellite channels "
                   "will be saved as digital ones, or left out when no digital channel is on their "
                   "transponder (their satellite frequency).")
                    .arg(name)};
    case Kind::SharedDelivery:
        return {
            tr("A %1 file keeps one bandwidth, symbol rate and modulation per frequency: 1 channel will "
               "take those of the first channel on its frequency.")
                .arg(name),
            tr("A %1 file keeps one bandwidth, symbol rate and modulation per frequency: %2 channels will "
               "take those of the first channel on their frequency.")
                .arg(name)};
    case Kind::Frequency:
        return {
            tr("A %1 file keeps frequencies to six digits: 1 air or cable channel will have its frequency "
               "rounded.")
                .arg(name),
            tr("A %1 file keeps frequencies to six digits: %2 air or cable channels will have their "
               "frequency rounded.")
                .arg(name)};
    case Kind::TransponderFrequency:
        return {
            tr("A %1 file keeps satellite frequencies in whole kHz: 1 satellite channel will have its "
               "frequency cut to whole kHz.")
                .arg(name),
            tr("A %1 file keeps satellite frequencies in whole kHz: %2 satellite channels will have their "
               "frequency cut to whole kHz.")
                .arg(name)};
    case Kind::TransponderModulation:
        return {tr("A %1 file keeps QPSK as its only satellite modulation: 1 satellite channel will have "
                   "its modulation saved as \"%2\".")
                    .arg(name, ModulationNames::text(UlmxCodes::MODULATION_UNKNOWN)),
                tr("A %1 file keeps QPSK as its only satellite modulation: %3 satellite channels will "
                   "have their modulation saved as \"%2\".")
                    .arg(name, ModulationNames::text(UlmxCodes::MODULATION_UNKNOWN))};
    case Kind::Fec:
        return {tr("A %1 file keeps the error correction rates (FEC) 1/2 to 9/10 only: 1 satellite channel "
                   "will have its FEC saved as \"%2\".")
                    .arg(name, FecNames::text(UlmxCodes::FEC_AUTO)),
                tr("A %1 file keeps the error correction rates (FEC) 1/2 to 9/10 only: %3 satellite channels "
                   "will have their FEC saved as \"%2\".")
                    .arg(name, FecNames::text(UlmxCodes::FEC_AUTO))};
    case Kind::CableModulation:
        return {tr("A %1 file keeps only the cable modulations 16-QAM to 256-QAM: 1 cable channel will "
                   "have its modulation saved as \"%2\".")
                    .arg(name, ModulationNames::text(UlmxCodes::MODULATION_UNKNOWN)),
                tr("A %1 file keeps only the cable modulations 16-QAM to 256-QAM: %3 cable channels "
                   "will have their modulation saved as \"%2\".")
                    .arg(name, ModulationNames::text(UlmxCodes::MODULATION_UNKNOWN))};
    case Kind::UnwritableNames:
        return {tr("A %1 file cannot hold control characters and other invisible codes that are no text: "
                   "1 name will lose them.")
                    .arg(name),
                tr("A %1 file cannot hold control characters and other invisible codes that are no text: "
                   "%2 names will lose them.")
                    .arg(name)};
    }
    return {};
}

// The format a save asked for format writes: a plain save writes what the director's save decides.
int formatWritten(const ChannelListProvider &document, int format) {
    if (format == FF_KEEP) {
        const DataDirector *director = document.director();
        format = director ? director->formatOfSave(FF_KEEP) : -1;
        // No file is open: no save can be made, and the document's own format is what it was read from.
        if (format < 0)
            format = document.formatCode();
    }
    return rawYearOf(format) ? format : int(FF_UNIVERSAL);
}

} // namespace

SaveCapacity::SaveCapacity(const ChannelListProvider &document, int format) {
    const Target target = targetOf(formatWritten(document, format));

    Counter c(target, holdsOrderedFavourites(document.formatCode()));
    c.countList(*document.airList());
    c.countList(*document.cableList());
    c.countList(*document.satelliteList());
    if (target.universal) {
        c.countSharedDelivery(*document.airList());
        c.countSharedDelivery(*document.cableList());
    }
    if (target.astraHD) {
        c.countList(*document.astraHDList());
        if (target.packsAstraHDRange)
            c.countRenumbered(*document.astraHDList());
    } else {
        c.countDropped(*document.astraHDList());
    }
    for (const SatelliteInfo &satellite : std::as_const(SatelliteChannel::satellites))
        c.countName(satellite.name);
    c.countProviders(SatelliteChannel::serviceProviders);
    if (target.astraHD)
        c.countProviders(SatelliteChannel::bouquets);

    for (int k = 0; k < KIND_COUNT; ++k) {
        const Kind kind = Kind(k);
        const Tally &tally = c.tally(kind);
        if (tally.count == 0)
            continue;
        const auto [one, many] = sentences(kind, target);
        m_losses.append(Loss{kind, tally.count, tally.names, tally.count == 1 ? one : many.arg(tally.count)});
    }
}

int SaveCapacity::count(Kind kind) const {
    for (const Loss &loss : m_losses) {
        if (loss.kind == kind)
            return loss.count;
    }
    return 0;
}

bool SaveCapacity::isOlderFormat(int documentFormat, int format) {
    return rawYearOf(documentFormat) && rawYearOf(format) && format < documentFormat;
}
