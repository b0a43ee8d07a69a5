#include "datafilehandlers/datafilehandler_ulmx.h"

#include "core/resultcode.h"
#include "datafilehandlers/datafilehandler_ulmx_codes.h"
#include "datafilehandlers/ulmxnumbers.h"

// The section readers: the satellite database and each kind of service list, called by the skeleton walk
// with the cursor on the section's first child.

namespace {

using N = UlmxTree;
using namespace UlmxCodes;

constexpr int SATELLITE_KIND = 2;

// A frequency as the reader takes it; 0 and ok false when the text is no number.
float frequencyValue(QStringView text, bool &ok) {
    float value = 0;
    ok = UlmxCodes::readFrequency(text, value);
    return value;
}

quint16 channelNumber(quint32 value) {
    return value <= Channel::MAX_NUMBER ? quint16(value) : quint16(0);
}

} // namespace

// ------------------------------------------------------------------------------------------------------
// Loading: taking a list by its country

template <typename T> bool DataFileHandler_ulmx::checkCountryCode(int *state, ChannelList<T> *list) {
    Q_ASSERT_X(state && list, "datafilehandler_ulmx_readers.cpp", "state && list");
    QString code = attributeValue(N::COUNTRY_CODE, N::ATTR_VAL).toString().toUpper();
    const QString wanted = countryCode.toUpper();
    // Asked for any country, a list that names none is a list for any country.
    const bool namesNone = code.isEmpty();
    if (namesNone && wanted == QLatin1String("*"))
        code = wanted;
    bool take = false;
    switch (*state) {
    case EXACT_TAKEN:
        break;
    case WILDCARD_TAKEN:
        // A list for the exact country replaces the "*" list of its kind.
        if (code != wanted)
            break;
        list->clear();
        *state = EXACT_TAKEN;
        take = true;
        break;
    default:
        if (code == wanted) {
            *state = EXACT_TAKEN;
            take = true;
        } else if (code == QLatin1String("*")) {
            *state = WILDCARD_TAKEN;
            take = true;
        }
        break;
    }
    // Only a list of the country itself is the document's own. A "*" list it falls back to stays what every
    // other country takes: a save writes the document's copy under its country and carries the "*" list
    // through unchanged, as it carries a list an exact one replaced.
    if (take && *state == EXACT_TAKEN) {
        takenList.insert(state, tree.parent(cursor));
        if (namesNone)
            takenWithoutCountry.insert(state);
    }
    return take;
}

// ------------------------------------------------------------------------------------------------------
// Loading: the satellite database

void DataFileHandler_ulmx::readSatellites() {
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::SATELLITE)
            continue;
        qint32 id = 0;
        if (!UlmxNumbers::toInt32(tree.attribute(node, N::ATTR_ID), 0, id))
            id = 0;
        quint16 satelliteId = quint16(id);
        if (!tree.hasChildren(node))
            continue;
        SatelliteInfo satellite;
        satellite.name = tree.attribute(node, N::ATTR_NAME).toString();
        cursor = tree.firstChild(node);
        readSatelliteChildren(satellite, satelliteId);
        cursor = node;
        satellite.kind = SATELLITE_KIND;
        // A satellite none of whose transponders could be placed is of no use to any channel.
        if (satellite.transponderCount > 0)
            satelliteMap->insert(satelliteId, satellite);
    }
}

static int orbitalPosition(QStringView value) {
    QString text = value.toString();
    const bool east = text.contains(QLatin1Char('E'));
    text.remove(QLatin1Char('E'));
    text.remove(QLatin1Char('W'));
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QStringView whole = text;
    QStringView fraction = u"0";
    if (dot >= 1) {
        whole = QStringView(text).left(dot);
        fraction = QStringView(text).mid(dot + 1);
    }
    qint32 degrees = 0;
    qint32 tenths = 0;
    if (!UlmxNumbers::toInt32(whole, 10, degrees))
        degrees = 0;
    if (!UlmxNumbers::toInt32(fraction, 10, tenths))
        tenths = 0;
    // Unsigned arithmetic: a huge number wraps within 16 bits instead of overflowing.
    quint32 position = (quint32(degrees) * 10u) & 0xFFFFu;
    position += quint32(tenths);
    if (east)
        position |= EAST;
    return int(position & 0xFFFFu);
}

void DataFileHandler_ulmx::readSatelliteChildren(SatelliteInfo &satellite, quint16 &satelliteId) {
    int position = 0;
    int count = 0;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        switch (tree.name(node)) {
        case N::SAT_ID_OVERRIDE: {
            qint32 id = 0;
            if (!UlmxNumbers::toInt32(tree.attribute(node, N::ATTR_ID), 0, id))
                id = 0;
            satelliteId = quint16(id);
            break;
        }
        case N::ORBITAL_POS:
            position = orbitalPosition(tree.attribute(node, N::ATTR_VAL));
            break;
        case N::TRANSPONDER: {
            cursor = node;
            quint32 itemLoc = 0;
            if (!readItemLoc(itemLoc))
                break;
            Transponder transponder;
            transponder.satelliteId = qint16(satelliteId);
            bool ok = false;
            transponder.frequency = frequencyValue(tree.attribute(node, N::ATTR_FREQ), ok);
            transponder.polarity = polarityCode(tree.attribute(node, N::ATTR_POL));
            quint32 symbolRate = 0;
            if (!UlmxNumbers::toWord32(tree.attribute(node, N::ATTR_SR), 10, symbolRate))
                symbolRate = 0;
            transponder.symbolRate = qint32(symbolRate);
            transponder.modulation = transponderModulationCode(tree.attribute(node, N::ATTR_MOD));
            transponder.fec = fecCode(tree.attribute(node, N::ATTR_FEC));
            transponder.itemLoc = 0;
            transponderMap->insert(itemLoc, transponder);
            ++count;
            break;
        }
        default:
            break; // package_list and anything unknown
        }
    }
    satellite.orbitalPos = position;
    satellite.transponderCount = count;
}

bool DataFileHandler_ulmx::readItemLoc(quint32 &number) {
    if (UlmxNumbers::toUInt32(tree.attribute(cursor, N::ITEM_LOC), 0, number))
        return true;
    for (int child = tree.firstChild(cursor); child != UlmxTree::NO_NODE; child = tree.nextSibling(child)) {
        if (tree.name(child) == N::ITEM_LOC && tree.hasAttribute(child, N::ATTR_ID) &&
            UlmxNumbers::toUInt32(tree.attribute(child, N::ATTR_ID), 0, number))
            return true;
    }
    return false;
}

void DataFileHandler_ulmx::readProviders(ProviderMap *map) {
    if (!readProviderLists || !map)
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::PROVIDER)
            continue;
        cursor = node;
        quint32 itemLoc = 0;
        if (readItemLoc(itemLoc))
            map->insert(itemLoc, ServiceProvider{tree.attribute(node, N::ATTR_NAME).toString(), 0, 0});
    }
}

void DataFileHandler_ulmx::readBouquets(ProviderMap *map) {
    if (!readProviderLists || !map)
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::BOUQUET)
            continue;
        cursor = node;
        quint32 itemLoc = 0;
        // Bouquet ids are 16-bit: a channel's bouquet slots hold no more.
        if (readItemLoc(itemLoc))
            map->insert(itemLoc & 0xFFFFu,
                        ServiceProvider{tree.attribute(node, N::ATTR_NAME).toString(), 0, 0});
    }
}

void DataFileHandler_ulmx::readSatelliteProviders() {
    readProviders(satelliteProviderMap);
}

void DataFileHandler_ulmx::readAstraProviders() {
    readProviders(astraProviderMap);
}

void DataFileHandler_ulmx::readAstraBouquets() {
    readBouquets(astraBouquetMap);
}

// ------------------------------------------------------------------------------------------------------
// Loading: terrestrial and cable lists

DataFileHandler_ulmx::ServiceAttributes DataFileHandler_ulmx::readServiceAttributes(int node,
                                                                                    bool wrapNumber) const {
    ServiceAttributes service;
    quint32 word = 0;
    service.serviceId = UlmxNumbers::toWord32(tree.attribute(node, N::ATTR_SID), 0, word) ? int(word) : 0;
    service.name = tree.attribute(node, N::ATTR_NAME).toString();
    service.serviceType = UlmxNumbers::toWord32(tree.attribute(node, N::ATTR_TYPE), 16, word) ? int(word) : 0;
    service.scrambled = is(tree.attribute(node, N::ATTR_SCRAMBLED), "1");
    const QStringView rcn = tree.attribute(node, N::ATTR_RCN);
    if (wrapNumber) {
        if (UlmxNumbers::toWord32(rcn, 0, word))
            service.number = channelNumber(word & 0xFFFFu);
    } else {
        quint16 value = 0;
        if (UlmxNumbers::toUInt16(rcn, 0, value))
            service.number = channelNumber(value);
    }
    return service;
}

void DataFileHandler_ulmx::readAnalogAirServices() {
    if (!checkCountryCode(&analogAState, airAnalogue.get()))
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::ANALOG_SERVICE)
            continue;
        const QString name = tree.attribute(node, N::ATTR_NAME).toString();
        bool ok = false;
        const float frequency = frequencyValue(tree.attribute(node, N::ATTR_FREQ), ok);
        quint16 rcn = 0;
        if (!UlmxNumbers::toUInt16(tree.attribute(node, N::ATTR_RCN), 0, rcn))
            continue;
        const quint16 number = rcn <= MAX_ANALOGUE_NUMBER ? rcn : 0;
        airAnalogue->append(AirChannel(0, name, number, frequency, SERVICE_TYPE_ANALOGUE, false, false,
                                       Channel::ANALOGUE, NO_BANDWIDTH, SOUND_SYSTEM_UNKNOWN,
                                       COLOUR_SYSTEM_AUTO, NO_TSID, NO_ONID));
    }
}

void DataFileHandler_ulmx::readAnalogCableServices() {
    if (!checkCountryCode(&analogCState, cableAnalogue.get()))
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::ANALOG_SERVICE)
            continue;
        quint16 rcn = 0;
        if (!UlmxNumbers::toUInt16(tree.attribute(node, N::ATTR_RCN), 0, rcn) || rcn > MAX_ANALOGUE_NUMBER)
            rcn = 0;
        const QString name = tree.attribute(node, N::ATTR_NAME).toString();
        bool ok = false;
        const float frequency = frequencyValue(tree.attribute(node, N::ATTR_FREQ), ok);
        if (!ok)
            continue;
        cableAnalogue->append(CableChannel(0, name, rcn, frequency, SERVICE_TYPE_ANALOGUE, false, false,
                                           Channel::ANALOGUE, 0, SOUND_SYSTEM_UNKNOWN, COLOUR_SYSTEM_AUTO,
                                           MODULATION_UNKNOWN, NO_TSID, NO_ONID));
    }
}

void DataFileHandler_ulmx::readDvbTList() {
    if (!checkCountryCode(&dvbTState, airDigital.get()))
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) == N::DIGITAL_STREAM && tree.hasChildren(node))
            descend(node, &DataFileHandler_ulmx::readDvbTStream);
    }
}

void DataFileHandler_ulmx::readDvbTStream() {
    int delivery = cursor;
    if (!findSiblingElement(delivery, N::TERRESTRIAL_DELIVERY))
        return;
    bool ok = false;
    const float frequency = frequencyValue(tree.attribute(delivery, N::ATTR_FREQ), ok);
    if (!ok)
        return;
    const quint16 bandwidth = bandwidthValue(tree.attribute(delivery, N::ATTR_BANDWIDTH));
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::DIGITAL_SERVICE)
            continue;
        const ServiceAttributes service = readServiceAttributes(node, false);
        airDigital->append(AirChannel(service.serviceId, service.name, service.number, frequency,
                                      service.serviceType, service.scrambled, false, Channel::DIGITAL,
                                      bandwidth, SOUND_SYSTEM_UNKNOWN, COLOUR_SYSTEM_AUTO, NO_TSID, NO_ONID));
    }
}

void DataFileHandler_ulmx::readDvbCList() {
    if (!checkCountryCode(&dvbCState, cableDigital.get()))
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) == N::DIGITAL_STREAM && tree.hasChildren(node))
            descend(node, &DataFileHandler_ulmx::readDvbCStream);
    }
}

void DataFileHandler_ulmx::readDvbCStream() {
    int delivery = cursor;
    if (!findSiblingElement(delivery, N::CABLE_DELIVERY))
        return;
    bool ok = false;
    const float frequency = frequencyValue(tree.attribute(delivery, N::ATTR_FREQ), ok);
    if (!ok)
        return;
    quint32 symbolRate = 0;
    if (!UlmxNumbers::toUInt32(tree.attribute(delivery, N::ATTR_SR), 10, symbolRate))
        return;
    const int modulation = cableModulationCode(tree.attribute(delivery, N::ATTR_MOD));
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::DIGITAL_SERVICE)
            continue;
        const ServiceAttributes service = readServiceAttributes(node, false);
        cableDigital->append(CableChannel(service.serviceId, service.name, service.number, frequency,
                                          service.serviceType, service.scrambled, false, Channel::DIGITAL,
                                          quint16(symbolRate), SOUND_SYSTEM_UNKNOWN, COLOUR_SYSTEM_AUTO,
                                          modulation, NO_TSID, NO_ONID));
    }
}

// ------------------------------------------------------------------------------------------------------
// Loading: satellite and Astra HD+ lists

void DataFileHandler_ulmx::readDvbSList() {
    if (!satChannels || !checkCountryCode(&dvbSState, satChannels))
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (!tree.hasChildren(node))
            continue;
        if (tree.name(node) == N::DIGITAL_STREAM)
            descend(node, &DataFileHandler_ulmx::readDvbSStream);
        else if (tree.name(node) == N::PROVIDER_LIST)
            descend(node, &DataFileHandler_ulmx::readSatelliteProviders);
    }
}

bool DataFileHandler_ulmx::findStreamTransponder(int &node, quint32 &transponderId) const {
    for (; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) == N::ITEM_LINK &&
            UlmxNumbers::toUInt32(tree.attribute(node, N::ATTR_ID), 0, transponderId))
            return true;
    }
    return false;
}

int DataFileHandler_ulmx::firstStreamService(quint32 &transponderId) const {
    int link = cursor;
    if (findStreamTransponder(link, transponderId))
        return tree.nextSibling(link);
    // A stream whose transponder the writer could not name still carries its services: they come back
    // without a transponder rather than not at all.
    transponderId = NO_ID;
    return cursor;
}

static bool isLinkType(QStringView type, const char *name, const char *number) {
    return is(type, name) || is(type, number);
}

void DataFileHandler_ulmx::readDvbSStream() {
    quint32 transponderId = NO_ID;
    for (int node = firstStreamService(transponderId); node != UlmxTree::NO_NODE;
         node = tree.nextSibling(node)) {
        if (tree.name(node) != N::DIGITAL_SERVICE)
            continue;
        const ServiceAttributes service = readServiceAttributes(node, true);
        // Only a provider link in first place counts.
        quint32 providerId = NO_ID;
        const int first = tree.firstChild(node);
        if (first != UlmxTree::NO_NODE && tree.name(first) == N::ITEM_LINK &&
            isLinkType(tree.attribute(first, N::ATTR_TYPE), "provider", "1")) {
            if (!UlmxNumbers::toUInt32(tree.attribute(first, N::ATTR_ID), 0, providerId))
                providerId = NO_ID;
        }
        satChannels->append(SatelliteChannel(service.serviceId, service.name, service.number, transponderId,
                                             providerId, service.serviceType, service.scrambled, false,
                                             Channel::DIGITAL, NO_TSID, NO_ONID));
    }
}

void DataFileHandler_ulmx::readAstraHDList() {
    if (!astraChannels || !checkCountryCode(&astraState, astraChannels))
        return;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (!tree.hasChildren(node))
            continue;
        if (tree.name(node) == N::DIGITAL_STREAM)
            descend(node, &DataFileHandler_ulmx::readAstraHDStream);
        else if (tree.name(node) == N::PROVIDER_LIST)
            descend(node, &DataFileHandler_ulmx::readAstraProviders);
        else if (tree.name(node) == N::BOUQUET_LIST)
            descend(node, &DataFileHandler_ulmx::readAstraBouquets);
    }
}

void DataFileHandler_ulmx::readAstraHDStream() {
    quint32 transponderId = NO_ID;
    for (int node = firstStreamService(transponderId); node != UlmxTree::NO_NODE;
         node = tree.nextSibling(node)) {
        if (tree.name(node) != N::DIGITAL_SERVICE)
            continue;
        const ServiceAttributes service = readServiceAttributes(node, true);
        quint32 providerId = NO_ID;
        quint16 vsid = 0;
        quint16 logicalChannel = 0;
        quint16 bouquetIds[AstraHDChannel::MAX_BOUQUETS] = {};
        int bouquetCount = 0;
        for (int child = tree.firstChild(node); child != UlmxTree::NO_NODE; child = tree.nextSibling(child)) {
            quint32 value = 0;
            switch (tree.name(child)) {
            case N::ITEM_LINK: {
                const QStringView type = tree.attribute(child, N::ATTR_TYPE);
                const bool converts = UlmxNumbers::toUInt32(tree.attribute(child, N::ATTR_ID), 0, value);
                if (isLinkType(type, "provider", "1")) {
                    providerId = converts ? value : NO_ID;
                } else if (isLinkType(type, "bouquet", "2") && converts) {
                    // A channel has 16 bouquet slots; links beyond them are dropped.
                    if (bouquetCount < AstraHDChannel::MAX_BOUQUETS)
                        bouquetIds[bouquetCount++] = quint16(value & 0xFFFFu);
                }
                break;
            }
            case N::IDENTIFIER:
                if (is(tree.attribute(child, N::ATTR_TYPE), "vsid"))
                    vsid = UlmxNumbers::toWord32(tree.attribute(child, N::ATTR_VAL), 16, value)
                               ? quint16(value)
                               : 0;
                break;
            case N::LOGICAL_CHANNEL:
                // Whatever its type: our own writer gives it none.
                logicalChannel =
                    UlmxNumbers::toWord32(tree.attribute(child, N::ATTR_LCN), 16, value) ? quint16(value) : 0;
                break;
            default:
                break;
            }
        }
        astraChannels->append(AstraHDChannel(service.serviceId, service.name, service.number, transponderId,
                                             providerId, vsid, logicalChannel, 0, bouquetIds,
                                             AstraHDChannel::MAX_BOUQUETS, service.serviceType,
                                             service.scrambled, false, Channel::DIGITAL, NO_TSID, NO_ONID));
    }
}
