#include "datafilehandlers/savecapacity.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datadirector.h"
#include "datafilehandlers/datafilehandler_ulmx_codes.h"
#include "datafilehandlers/ggdata.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

QString tr(const char *text) {
    return QCoreApplication::translate("SaveCapacity", text);
}

// Characters XML 1.0 cannot carry, which the universal writer leaves out; tab and line ends it writes as
// references, and a whole surrogate pair as it is.
bool holdsInXml(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (UlmxCodes::isOutsideXmlText(c) && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

// A transponder is written only under its satellite: one whose satellite the database lacks is not written,
// and a channel on it comes back without frequency, polarity and symbol rate.
bool losesTransponder(const SatelliteChannel &channel) {
    const auto transponder = SatelliteChannel::transponders.constFind(channel.transponderId());
    return transponder != SatelliteChannel::transponders.cend() &&
           !SatelliteChannel::satellites.contains(quint16(transponder->satelliteId));
}

// The delivery values of a digital air or cable stream, as a universal file reads them back: a cable
// modulation without a text in the file comes back unknown.
quint16 deliveryOf(const AirChannel &channel) {
    return channel.bandwidth();
}

std::pair<quint16, int> deliveryOf(const CableChannel &channel) {
    for (const UlmxCodes::ModulationText &entry : UlmxCodes::CABLE_MODULATIONS) {
        if (entry.code == channel.modulation())
            return {channel.symbolRate(), entry.code};
    }
    return {channel.symbolRate(), UlmxCodes::MODULATION_UNKNOWN};
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
    // The universal format: analogue numbers up to 99, no TSID, ONID, colour or sound system, XML text.
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

// Counts of what the target drops or changes. Deleted channels are never written, so what they carry is not
// lost; a list the target does not hold is counted once, as a whole.
struct Counts {
    int astraHDChannels = 0;
    int leavingFavourites = 0; // channels in a favourites list beyond the target's
    int losingPlaces = 0;      // channels with a place in a favourites list the target keeps unordered
    int locked = 0;
    int longNames = 0;
    int renumbered = 0;
    int analogueNumbers = 0;   // analogue channels numbered above what the target keeps
    int withoutSatellite = 0;  // channels whose transponder's satellite is missing
    int networkIds = 0;        // digital channels with a TSID or ONID the target does not keep
    int analogueSystems = 0;   // analogue channels with a colour or sound system the target does not keep
    int unwritableNames = 0;   // names with characters the target cannot hold
    int analogueSatellite = 0; // analogue satellite and Astra HD+ channels, which the target cannot hold
    int sharedDelivery = 0;    // digital channels given the delivery values of another one on their frequency
    // Places are shown, and so lost, only where the document's own format keeps an order; elsewhere they are
    // what a conversion to an ordered format left behind.
    bool placesShown = false;

    template <typename T> void countList(const ChannelList<T> &list, const Target &target) {
        for (const T &channel : list) {
            if (channel.isDeleted())
                continue;
            bool leaves = false;
            bool losesPlace = false;
            for (int fav = 1; fav <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++fav) {
                const int position = channel.favouritePosition(quint16(fav));
                if (position == Channel::NOT_A_MEMBER)
                    continue;
                if (fav > target.favouritesLists)
                    leaves = true;
                else if (position > 0 && !target.positions && placesShown)
                    losesPlace = true;
            }
            leavingFavourites += leaves ? 1 : 0;
            losingPlaces += losesPlace ? 1 : 0;
            locked += channel.isLocked() && !target.locks ? 1 : 0;
            countName(channel.name(), target);
            if (target.universal)
                countUniversal(channel);
        }
    }

    // The window shows the TSID and ONID of every channel but an analogue one, and the colour and sound
    // systems of an analogue air or cable channel.
    template <typename T> void countUniversal(const T &channel) {
        const bool analogue = channel.kind() == Channel::ANALOGUE;
        if (!analogue)
            networkIds += channel.transportStreamId() != UlmxCodes::NO_TSID ||
                                  channel.originalNetworkId() != UlmxCodes::NO_ONID
                              ? 1
                              : 0;
        if constexpr (std::is_base_of_v<SatelliteChannel, T>) {
            withoutSatellite += losesTransponder(channel) ? 1 : 0;
            // Written only on a transponder that has a digital channel, and read back digital.
            analogueSatellite += analogue ? 1 : 0;
        } else if (analogue) {
            analogueNumbers += channel.number() > UlmxCodes::MAX_ANALOGUE_NUMBER ? 1 : 0;
            analogueSystems += channel.soundSystem() != UlmxCodes::SOUND_SYSTEM_UNKNOWN ||
                                       channel.colourSystem() != UlmxCodes::COLOUR_SYSTEM_AUTO
                                   ? 1
                                   : 0;
        }
    }

    // The universal writer puts the digital channels of one frequency into one stream whose delivery values
    // are those of its first channel, deleted or not; the others read them back. A frequency that is no
    // number is a stream of its own.
    template <typename T> void countSharedDelivery(const ChannelList<T> &list) {
        QHash<quint32, const T *> firstOfFrequency;
        for (const T &channel : list) {
            float frequency = channel.frequency();
            if (channel.kind() != Channel::DIGITAL || std::isnan(frequency))
                continue;
            if (frequency == 0.0f) // 0 and -0 are one frequency
                frequency = 0.0f;
            quint32 key;
            std::memcpy(&key, &frequency, sizeof key);
            const T *first = firstOfFrequency.value(key);
            if (!first)
                firstOfFrequency.insert(key, &channel);
            else if (!channel.isDeleted() && deliveryOf(channel) != deliveryOf(*first))
                ++sharedDelivery;
        }
    }

    void countName(const QString &name, const Target &target) {
        longNames += target.nameUnits > 0 && name.size() > target.nameUnits ? 1 : 0;
        unwritableNames += target.universal && !holdsInXml(name) ? 1 : 0;
    }

    void countProviders(const CategoryProviderMap &map, const Target &target) {
        for (auto category = map.cbegin(); category != map.cend(); ++category) {
            if (category.key() == ProviderCategory::ASTRA_HD && !target.astraHD)
                continue;
            for (const ServiceProvider &provider : category.value())
                countName(provider.name, target);
        }
    }

    // The channels of the favourite range whose number the read-back packing changes. A range of more than
    // 99 channels cannot be written at all: the save refuses it with its own message.
    void countRenumbered(const ChannelList<AstraHDChannel> &list) {
        std::vector<int> numbers;
        for (const AstraHDChannel &channel : list) {
            if (!channel.isDeleted() && channel.number() >= 1 &&
                channel.number() <= AstraHDChannel::FAVOURITE_RANGE_LAST)
                numbers.push_back(channel.number());
        }
        if (numbers.size() > size_t(AstraHDChannel::FAVOURITE_RANGE_LAST))
            return;
        std::sort(numbers.begin(), numbers.end());
        for (size_t k = 0; k < numbers.size(); ++k)
            renumbered += numbers[k] != int(k + 1) ? 1 : 0;
    }
};

} // namespace

SaveCapacity::SaveCapacity(const ChannelListProvider &document, int format) {
    if (format == FF_KEEP) {
        // A plain save writes in the format of the director's current handler.
        const DataDirector *director = document.director();
        format = director && director->currentFormatCode() >= 0 ? director->currentFormatCode()
                                                                : document.formatCode();
    }
    if (!rawYearOf(format))
        format = FF_UNIVERSAL;
    const Target target = targetOf(format);

    Counts c;
    c.placesShown = holdsOrderedFavourites(document.formatCode());
    c.countList(*document.airList(), target);
    c.countList(*document.cableList(), target);
    c.countList(*document.satelliteList(), target);
    if (target.universal) {
        c.countSharedDelivery(*document.airList());
        c.countSharedDelivery(*document.cableList());
    }
    if (target.astraHD) {
        c.countList(*document.astraHDList(), target);
        if (target.packsAstraHDRange)
            c.countRenumbered(*document.astraHDList());
    } else {
        const auto &astraHD = *document.astraHDList();
        c.astraHDChannels =
            int(std::count_if(astraHD.begin(), astraHD.end(),
                              [](const AstraHDChannel &channel) { return !channel.isDeleted(); }));
    }
    for (const SatelliteInfo &satellite : std::as_const(SatelliteChannel::satellites))
        c.countName(satellite.name, target);
    c.countProviders(SatelliteChannel::serviceProviders, target);
    if (target.astraHD)
        c.countProviders(SatelliteChannel::bouquets, target);

    // One add() per kind of loss, in the order the user reads them; format is FF_UNIVERSAL or a raw year
    // here.
    const QString &name = target.name;
    add(c.astraHDChannels,
        tr("A %1 file holds no Astra HD+ list: its one channel will not be saved.").arg(name),
        tr("A %1 file holds no Astra HD+ list: its %2 channels will not be saved.").arg(name));
    if (target.favouritesLists == 0)
        add(c.leavingFavourites,
            tr("A %1 file holds no favourites lists: 1 channel will leave its favourites.").arg(name),
            tr("A %1 file holds no favourites lists: %2 channels will leave their favourites.").arg(name));
    else // the raw years hold four or five lists: what leaves is list 5
        add(c.leavingFavourites,
            tr("A %1 file holds %2 favourites lists: 1 channel will leave favourites list %3.")
                .arg(name)
                .arg(target.favouritesLists)
                .arg(target.favouritesLists + 1),
            tr("A %1 file holds %2 favourites lists: %4 channels will leave favourites list %3.")
                .arg(name)
                .arg(target.favouritesLists)
                .arg(target.favouritesLists + 1));
    add(c.losingPlaces,
        tr("A %1 file keeps no order within favourites lists: 1 channel will lose its place.").arg(name),
        tr("A %1 file keeps no order within favourites lists: %2 channels will lose their places.")
            .arg(name));
    add(c.locked, tr("A %1 file keeps no child locks: 1 channel will be saved unlocked.").arg(name),
        tr("A %1 file keeps no child locks: %2 channels will be saved unlocked.").arg(name));
    add(c.longNames, tr("1 name is longer than %1 characters and will be shortened.").arg(target.nameUnits),
        tr("%2 names are longer than %1 characters and will be shortened.").arg(target.nameUnits));
    add(c.renumbered,
        tr("A %1 file numbers the Astra HD+ favourite range 1 to 99 without gaps: 1 channel will be "
           "renumbered.")
            .arg(name),
        tr("A %1 file numbers the Astra HD+ favourite range 1 to 99 without gaps: %2 channels will be "
           "renumbered.")
            .arg(name));
    add(c.analogueNumbers,
        tr("A %1 file numbers analogue channels 1 to %2 only: 1 channel will lose its number.")
            .arg(name)
            .arg(UlmxCodes::MAX_ANALOGUE_NUMBER),
        tr("A %1 file numbers analogue channels 1 to %2 only: %3 channels will lose their numbers.")
            .arg(name)
            .arg(UlmxCodes::MAX_ANALOGUE_NUMBER));
    add(c.withoutSatellite,
        tr("A %1 file keeps transponders only with their satellite: 1 channel whose transponder has no "
           "satellite will lose its frequency, polarity and symbol rate.")
            .arg(name),
        tr("A %1 file keeps transponders only with their satellite: %2 channels whose transponder has no "
           "satellite will lose their frequency, polarity and symbol rate.")
            .arg(name));
    add(c.networkIds, tr("A %1 file keeps no TSID and ONID: 1 channel will lose them.").arg(name),
        tr("A %1 file keeps no TSID and ONID: %2 channels will lose them.").arg(name));
    add(c.analogueSystems,
        tr("A %1 file keeps no colour and sound systems: 1 analogue channel will lose them.").arg(name),
        tr("A %1 file keeps no colour and sound systems: %2 analogue channels will lose them.").arg(name));
    add(c.analogueSatellite,
        tr("A %1 file holds satellite channels as digital services only: 1 analogue satellite channel will "
           "be saved as a digital one, or left out where its transponder has no digital channel.")
            .arg(name),
        tr("A %1 file holds satellite channels as digital services only: %2 analogue satellite channels "
           "will be saved as digital ones, or left out where their transponder has no digital channel.")
            .arg(name));
    add(c.sharedDelivery,
        tr("A %1 file keeps one bandwidth, symbol rate and modulation per frequency: 1 channel will take "
           "those of the first channel on its frequency.")
            .arg(name),
        tr("A %1 file keeps one bandwidth, symbol rate and modulation per frequency: %2 channels will take "
           "those of the first channel on their frequency.")
            .arg(name));
    add(c.unwritableNames,
        tr("A %1 file cannot hold control characters and non-characters: 1 name will lose them.").arg(name),
        tr("A %1 file cannot hold control characters and non-characters: %2 names will lose them.")
            .arg(name));
    // The set's own physical-channel tables travel with a raw file; the director knows what the opened file
    // held (a document read without a director has none to lose).
    const DataDirector *director = document.director();
    add(director ? director->physicalChannelsLostIn(format) : 0,
        tr("A %1 file has no room for 1 entry of the set's physical-channel tables: it will not be saved.")
            .arg(name),
        tr("A %1 file has no room for %2 entries of the set's physical-channel tables: they will not be "
           "saved.")
            .arg(name));
}

QStringList SaveCapacity::texts() const {
    QStringList texts;
    for (const Loss &loss : m_losses)
        texts << loss.text;
    return texts;
}

bool SaveCapacity::isOlderFormat(int documentFormat, int format) {
    return rawYearOf(documentFormat) && rawYearOf(format) && format < documentFormat;
}

void SaveCapacity::add(int count, const QString &one, const QString &many) {
    if (count > 0)
        m_losses.append(Loss{count, count == 1 ? one : many.arg(count)});
}
