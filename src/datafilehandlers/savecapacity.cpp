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
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using Kind = SaveCapacity::Kind;
constexpr int KIND_COUNT = int(Kind::UnwritableNames) + 1;

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
        return Target{
            QCoreApplication::translate("SaveCapacity", "universal"), true, 0, false, false, 0, false, true};
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
        // A universal file writes a digital channel only as a service of a stream, and a satellite channel
        // of either kind only so (read back digital); the channel reads back its stream's delivery values,
        // which are those of the stream's first channel. A raw file writes every channel with its own.
        QHash<const T *, const T *> streamFirst;
        if (m_target.universal) {
            std::vector<UlmxStreams::Stream<T>> streams;
            if constexpr (std::is_base_of_v<SatelliteChannel, T>)
                streams = UlmxStreams::byTransponder(list);
            else
                streams = UlmxStreams::byFrequency(list);
            for (const UlmxStreams::Stream<T> &stream : streams) {
                for (const T *service : stream.services)
                    streamFirst.insert(service, stream.first);
            }
        }
        for (const T &channel : list) {
            if (channel.isDeleted())
                continue;
            const T *first = streamFirst.value(&channel);
            if constexpr (std::is_base_of_v<SatelliteChannel, T>) {
                if (m_target.universal && !first) {
                    note(Kind::AnalogueSatellite, channel.name());
                    continue;
                }
            }
            countFavourites(channel);
            if (channel.isLocked() && !m_target.locks)
                note(Kind::ChildLocks, channel.name());
            countName(channel.name());
            if (m_target.universal)
                countUniversal(channel, first);
        }
    }

    void countName(const QString &name) {
        if (m_target.nameUnits > 0 && name.size() > m_target.nameUnits)
            note(Kind::LongNames, name);
        if (m_target.universal && UlmxCodes::xmlCarriedText(name) != name)
            note(Kind::UnwritableNames, name);
    }

    // A universal file holds the providers of the satellite and the Astra HD+ lists only.
    void countProviders(const CategoryProviderMap &map) {
        for (auto category = map.cbegin(); category != map.cend(); ++category) {
            if (category.key() == ProviderCategory::ASTRA_HD && !m_target.astraHD)
                continue;
            if (m_target.universal && category.key() != ProviderCategory::ASTRA_HD &&
                category.key() != ProviderCategory::SATELLITE)
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
    // first: the first channel of the channel's stream, none for one written outside any.
    template <typename T> void countUniversal(const T &channel, const T *first) {
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
            else if (first)
                countDelivery(channel, *first);
        }
    }

    // A digital air or cable channel reads back the delivery values its stream's first channel gives. Every
    // value that changes is named, and only so: by SharedDelivery where the first's values come back other
    // than the channel's own would, by CableModulation where the modulation comes back unknown.
    template <typename T> void countDelivery(const T &channel, const T &first) {
        if (deliveryReadBack(channel) != deliveryReadBack(first))
            note(Kind::SharedDelivery, channel.name());
        if constexpr (std::is_same_v<T, CableChannel>) {
            const int modulation = cableModulationReadBack(first.modulation());
            if (modulation == UlmxCodes::MODULATION_UNKNOWN && modulation != channel.modulation())
                note(Kind::CableModulation, channel.name());
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
    // written, and a channel on it comes back without any transponder values: frequency and symbol rate 0,
    // polarity, modulation and FEC unknown.
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
        if (UlmxCodes::polarityReadBack(transponder->polarity) != transponder->polarity)
            note(Kind::TransponderPolarity, channel.name());
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

// The sentence of each kind: its count is %n, the format's name %1 and the values valuesOf gives %2 on.
// Their English singular and plural forms come from the English translation.
struct Sentence {
    Kind kind;
    const char *text;
};
constexpr Sentence SENTENCES[] = {
    {Kind::AstraHDList,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file holds no Astra HD+ list: its %n channel(s) will not be saved.")},
    {Kind::FavouritesLists,
     QT_TRANSLATE_N_NOOP(
         "SaveCapacity",
         "A %1 file holds %2 favourites lists: %n channel(s) will leave favourites list %3.")},
    {Kind::FavouritePlaces,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "A %1 file keeps no order within favourites lists: %n channel(s) "
                                         "will lose their places.")},
    {Kind::ChildLocks,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file keeps no child locks: %n channel(s) will be saved unlocked.")},
    {Kind::LongNames,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "%n name(s) longer than %1 characters will be shortened.")},
    {Kind::AstraHDRenumbered,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "A %1 file numbers the Astra HD+ favourite range 1 to 99 without "
                                         "gaps: %n channel(s) will be renumbered.")},
    {Kind::AnalogueNumbers,
     QT_TRANSLATE_N_NOOP(
         "SaveCapacity",
         "A %1 file numbers analogue channels 1 to %2 only: %n channel(s) will lose their numbers.")},
    {Kind::SatelliteMissing,
     QT_TRANSLATE_N_NOOP(
         "SaveCapacity",
         "A %1 file keeps a transponder (the satellite frequency a channel is broadcast on) only "
         "with its satellite: %n channel(s) whose satellite is missing will lose their "
         "frequency, polarity, symbol rate, modulation and FEC.")},
    {Kind::NetworkIds,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file keeps no network numbers (TSID and ONID, which name the "
                         "broadcast a digital channel belongs to): %n channel(s) will lose them.")},
    {Kind::AnalogueSystems,
     QT_TRANSLATE_N_NOOP(
         "SaveCapacity",
         "A %1 file keeps no colour and sound systems: %n analogue channel(s) will lose them.")},
    {Kind::AnalogueBandwidth,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "A %1 file keeps no bandwidth of analogue channels: %n analogue "
                                         "channel(s) will lose it.")},
    {Kind::AnalogueCategory,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file holds every analogue channel as a TV channel: %n analogue "
                         "radio or data channel(s) will be listed with the TV channels.")},
    {Kind::AnalogueSatellite,
     QT_TRANSLATE_N_NOOP(
         "SaveCapacity",
         "A %1 file holds satellite channels as digital ones only: %n analogue satellite "
         "channel(s) will be saved as digital ones, or left out when no digital channel is on "
         "their transponder (their satellite frequency).")},
    {Kind::SharedDelivery,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "A %1 file keeps one bandwidth, symbol rate and modulation per "
                                         "frequency: %n channel(s) will take those of the first channel on "
                                         "their frequency.")},
    {Kind::Frequency,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file keeps frequencies to six digits: %n air or cable channel(s) "
                         "will have their frequency rounded.")},
    {Kind::TransponderFrequency,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "A %1 file keeps satellite frequencies in whole kHz: %n satellite "
                                         "channel(s) will have their frequency cut to whole kHz.")},
    {Kind::TransponderPolarity,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file keeps only horizontal and vertical polarity: %n satellite "
                         "channel(s) will have their polarity saved as \"%2\".")},
    {Kind::TransponderModulation,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file keeps QPSK as its only satellite modulation: %n satellite "
                         "channel(s) will have their modulation saved as \"%2\".")},
    {Kind::Fec,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "A %1 file keeps the error correction rates (FEC) 1/4 to 9/10 only, "
                                         "not \"%2\": %n satellite channel(s) will have their FEC saved as "
                                         "\"%3\".")},
    {Kind::CableModulation,
     QT_TRANSLATE_N_NOOP("SaveCapacity",
                         "A %1 file keeps only the cable modulations 16-QAM to 256-QAM: %n cable "
                         "channel(s) will have their modulation saved as \"%2\".")},
    {Kind::UnwritableNames,
     QT_TRANSLATE_N_NOOP("SaveCapacity", "A %1 file cannot hold control characters and other invisible codes "
                                         "that are no text: %n name(s) will lose them.")},
};
constexpr bool inKindOrder() {
    for (size_t k = 0; k < std::size(SENTENCES); ++k) {
        if (SENTENCES[k].kind != Kind(k))
            return false;
    }
    return std::size(SENTENCES) == size_t(KIND_COUNT);
}
static_assert(inKindOrder(), "one sentence per kind, in the order of the kinds");
// The universal format holds no favourites lists at all; the raw years hold four or five.
const char *const NO_FAVOURITES_LISTS = QT_TRANSLATE_N_NOOP(
    "SaveCapacity", "A %1 file holds no favourites lists: %n channel(s) will leave their favourites.");

// The values of a kind's sentence after its count, in the order of its place markers.
QStringList valuesOf(Kind kind, const Target &target) {
    switch (kind) {
    case Kind::FavouritesLists:
        if (target.favouritesLists == 0)
            return {target.name};
        return {target.name, QString::number(target.favouritesLists),
                QString::number(target.favouritesLists + 1)};
    case Kind::LongNames:
        return {QString::number(target.nameUnits)};
    case Kind::AnalogueNumbers:
        return {target.name, QString::number(UlmxCodes::MAX_ANALOGUE_NUMBER)};
    case Kind::TransponderPolarity:
        return {target.name, PolarityNames::text(UlmxCodes::POLARITY_UNKNOWN)};
    case Kind::TransponderModulation:
    case Kind::CableModulation:
        return {target.name, ModulationNames::text(UlmxCodes::MODULATION_UNKNOWN)};
    case Kind::Fec:
        return {target.name, FecNames::text(UlmxCodes::FEC_NO_CONVOLUTION),
                FecNames::text(UlmxCodes::FEC_AUTO)};
    default:
        return {target.name};
    }
}

QString sentence(Kind kind, const Target &target, int count) {
    const char *text = SENTENCES[size_t(kind)].text;
    if (kind == Kind::FavouritesLists && target.favouritesLists == 0)
        text = NO_FAVOURITES_LISTS;
    QString sentence = QCoreApplication::translate("SaveCapacity", text, nullptr, count);
    for (const QString &value : valuesOf(kind, target))
        sentence = sentence.arg(value);
    return sentence;
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
    if (target.astraHD) {
        c.countList(*document.astraHDList());
        if (target.packsAstraHDRange)
            c.countRenumbered(*document.astraHDList());
    } else {
        c.countDropped(*document.astraHDList());
    }
    // A universal file writes a satellite without transponders, but its reader drops it: its name is not
    // cut, it is not read at all.
    QSet<quint16> satellitesWithTransponders;
    for (const Transponder &transponder : std::as_const(SatelliteChannel::transponders))
        satellitesWithTransponders.insert(quint16(transponder.satelliteId));
    for (auto satellite = SatelliteChannel::satellites.cbegin();
         satellite != SatelliteChannel::satellites.cend(); ++satellite) {
        if (!target.universal || satellitesWithTransponders.contains(satellite.key()))
            c.countName(satellite->name);
    }
    c.countProviders(SatelliteChannel::serviceProviders);
    if (target.astraHD)
        c.countProviders(SatelliteChannel::bouquets);

    for (int k = 0; k < KIND_COUNT; ++k) {
        const Kind kind = Kind(k);
        const Tally &tally = c.tally(kind);
        if (tally.count == 0)
            continue;
        m_losses.append(Loss{kind, tally.count, tally.names, sentence(kind, target, tally.count)});
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
