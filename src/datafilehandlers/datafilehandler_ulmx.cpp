#include "datafilehandlers/datafilehandler_ulmx.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/ulmxnumbers.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

QString DataFileHandler_ulmx::documentText;
int DataFileHandler_ulmx::itemLocCounter = 1;

namespace {

using N = UlmxTree;

// Moves every buffered byte to the file and the file to the disk, reporting any failure. QSaveFile::commit()
// does both too but ignores their failures: a short final write would still replace the user's file.
bool writeThrough(QSaveFile &file) {
    if (!file.flush())
        return false;
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

// FEC code rates by code; codes 0 (auto) and 13 have no text in the document.
const char *const FEC_TEXTS[] = {nullptr, "1/2", "2/3", "3/4", "5/6", "7/8", "1/4",
                                 "1/3",   "2/5", "3/5", "4/5", "8/9", "9/10"};
constexpr int FEC_TEXT_COUNT = int(sizeof FEC_TEXTS / sizeof FEC_TEXTS[0]);

struct ModulationText {
    int code;
    const char *text;
};
const ModulationText CABLE_MODULATIONS[] = {
    {14, "16QAM"}, {15, "32QAM"}, {1, "64QAM"}, {11, "128QAM"}, {2, "256QAM"}};

constexpr int MODULATION_QPSK = 5;
constexpr int MODULATION_UNKNOWN = -1;
constexpr int POLARITY_HORIZONTAL = 0;
constexpr int POLARITY_VERTICAL = 1;
constexpr int POLARITY_UNKNOWN = 2;
constexpr int FEC_AUTO = 0;
constexpr int SOUND_SYSTEM_UNKNOWN = 0;
constexpr int COLOUR_SYSTEM_AUTO = 6;
constexpr int SERVICE_TYPE_ANALOGUE = 1;
constexpr int NO_TSID = -1;
constexpr int NO_ONID = 0;
constexpr int SATELLITE_KIND = 2;
constexpr quint16 EAST = 0x8000;
constexpr quint16 MAX_ANALOGUE_NUMBER = 99;

bool is(QStringView text, const char *literal) {
    return text == QLatin1StringView(literal);
}

// Appends ` name="value"`; value must already be escaped where it is text.
void attribute(QString &line, const char *name, const QString &value) {
    line += QLatin1Char(' ');
    line += QLatin1StringView(name);
    line += QLatin1String("=\"");
    line += value;
    line += QLatin1Char('"');
}

void hexAttribute(QString &line, const char *name, quint32 value) {
    line += QLatin1Char(' ');
    line += QLatin1StringView(name);
    line += QLatin1String("=\"");
    UlmxNumbers::appendHex(line, value);
    line += QLatin1Char('"');
}

void decimalAttribute(QString &line, const char *name, qint64 value) {
    line += QLatin1Char(' ');
    line += QLatin1StringView(name);
    line += QLatin1String("=\"");
    UlmxNumbers::appendDecimal(line, value);
    line += QLatin1Char('"');
}

void floatAttribute(QString &line, const char *name, float value) {
    line += QLatin1Char(' ');
    line += QLatin1StringView(name);
    line += QLatin1String("=\"");
    UlmxNumbers::appendFloat(line, double(value));
    line += QLatin1Char('"');
}

// A float as a hash key: equal values give equal keys (0 and -0 alike).
quint32 frequencyKey(float value) {
    if (value == 0.0f)
        value = 0.0f;
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float readFrequency(QStringView text, bool &ok) {
    float value = 0;
    ok = UlmxNumbers::toFloat(text, value);
    if (!ok)
        return 0;
    return value < 0 ? 0.0f : value;
}

quint16 channelNumber(quint32 value) {
    return value <= Channel::MAX_NUMBER ? quint16(value) : quint16(0);
}

} // namespace

DataFileHandler_ulmx::DataFileHandler_ulmx(const QString &path) : path(path) {}

DataFileHandler_ulmx::~DataFileHandler_ulmx() = default;

QString DataFileHandler_ulmx::version() const {
    return QStringLiteral("ULMX");
}

void DataFileHandler_ulmx::setDocumentBytes(const QByteArray &bytes) {
    dropDocument();
    documentBytes = bytes;
    useDocumentBytes = true;
}

// ------------------------------------------------------------------------------------------------------
// Loading: the file and the skeleton

int DataFileHandler_ulmx::openDocument() {
    if (documentParsed)
        return parseResult;
    QByteArray data;
    if (useDocumentBytes) {
        data = documentBytes;
    } else {
        const QFileInfo info(path);
        if (!info.exists())
            return RC_FILE_NOT_FOUND;
        // Folders, pipes and devices are no channel lists; opening a pipe would even wait for a writer.
        if (!info.isFile())
            return RC_CANNOT_OPEN;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return RC_CANNOT_OPEN;
        if (file.size() > UlmxTree::MAX_DOCUMENT_SIZE) {
            // Judged by the size alone: a huge file is never read into memory.
            tree.clear();
            documentParsed = true;
            parseResult = RC_INVALID_FORMAT;
            return parseResult;
        }
        // Read by the file's size, not by the limit, which would reserve 64 MiB for every open however small
        // the file; a file that grew meanwhile is read on, up to one byte beyond the limit, which the parser
        // refuses.
        const qint64 size = file.size();
        data = file.read(qMin(size, UlmxTree::MAX_DOCUMENT_SIZE) + 1);
        if (data.size() > size)
            data += file.read(UlmxTree::MAX_DOCUMENT_SIZE + 1 - data.size());
        if (file.error() != QFileDevice::NoError)
            return RC_CANNOT_READ;
    }
    parseResult = tree.parse(data);
    documentParsed = true;
    return parseResult;
}

void DataFileHandler_ulmx::dropDocument() {
    tree.clear();
    documentParsed = false;
    parseResult = RC_SUCCESS;
    cursor = UlmxTree::NO_NODE;
}

void DataFileHandler_ulmx::forgetReferences() {
    satChannels = nullptr;
    satelliteMap = nullptr;
    transponderMap = nullptr;
    satelliteProviderMap = nullptr;
    airChannels = nullptr;
    cableChannels = nullptr;
    astraChannels = nullptr;
    astraBouquetMap = nullptr;
    astraProviderMap = nullptr;
    airAnalogue.reset();
    airDigital.reset();
    cableAnalogue.reset();
    cableDigital.reset();
}

void DataFileHandler_ulmx::setReadFlags(bool dvbS, bool cable, bool air, bool astraHD, bool providers,
                                        bool database) {
    readDvbS = dvbS;
    readCable = cable;
    readAir = air;
    readAstraHD = astraHD;
    readProviderLists = providers;
    readSatelliteDatabase = database;
}

template <typename T> static void prepare(std::unique_ptr<ChannelList<T>> &list) {
    if (!list)
        list = std::make_unique<ChannelList<T>>();
    list->clear();
}

template <typename T> static void handOver(std::unique_ptr<ChannelList<T>> &from, ChannelList<T> &to) {
    to.reserve(to.size() + from->size());
    for (const T &channel : *from)
        to.append(channel);
    // The copies are the caller's now; keeping ours would only hold the memory twice.
    from->clear();
}

int DataFileHandler_ulmx::loadAir(ChannelList<AirChannel> &list, const QString &country) {
    const int result = openDocument();
    if (result != RC_SUCCESS)
        return result;
    list.clear();
    prepare(airDigital);
    prepare(airAnalogue);
    countryCode = country;
    setReadFlags(false, false, true, false, false, false);
    dvbTState = analogAState = NOT_TAKEN;
    parseDocument();
    handOver(airDigital, list);
    handOver(airAnalogue, list);
    return (dvbTState != NOT_TAKEN || analogAState != NOT_TAKEN) ? RC_SUCCESS : RC_NO_SERVICE_LIST;
}

int DataFileHandler_ulmx::loadCable(ChannelList<CableChannel> &list, const QString &country) {
    const int result = openDocument();
    if (result != RC_SUCCESS)
        return result;
    list.clear();
    prepare(cableDigital);
    prepare(cableAnalogue);
    countryCode = country;
    setReadFlags(false, true, false, false, false, false);
    dvbCState = analogCState = NOT_TAKEN;
    parseDocument();
    handOver(cableDigital, list);
    handOver(cableAnalogue, list);
    return (dvbCState != NOT_TAKEN || analogCState != NOT_TAKEN) ? RC_SUCCESS : RC_NO_SERVICE_LIST;
}

int DataFileHandler_ulmx::loadSatellite(ChannelList<SatelliteChannel> &list, SatelliteMap &satellites,
                                        TransponderMap &transponders, CategoryProviderMap &providers,
                                        int *databaseHeader, const QString &country) {
    const int result = openDocument();
    if (result != RC_SUCCESS)
        return result;
    satelliteMap = &satellites;
    transponderMap = &transponders;
    satellites.clear();
    transponders.clear();
    satelliteProviderMap = &providers[ProviderCategory::SATELLITE];
    satelliteProviderMap->clear();
    satChannels = &list;
    list.clear();
    documentVersion = 0;
    countryCode = country;
    setReadFlags(true, false, false, false, true, true);
    dvbSState = NOT_TAKEN;
    parseDocument();
    // The database and its version belong to the file, not to a country: the caller gets them also when
    // no satellite list names the country.
    if (databaseHeader)
        *databaseHeader = documentVersion;
    return dvbSState == NOT_TAKEN ? RC_NO_SERVICE_LIST : RC_SUCCESS;
}

int DataFileHandler_ulmx::loadAstraHD(ChannelList<AstraHDChannel> &list, SatelliteMap &satellites,
                                      TransponderMap &transponders, CategoryProviderMap &providers,
                                      CategoryProviderMap &bouquets, int *databaseHeader,
                                      const QString &country) {
    const int result = openDocument();
    if (result != RC_SUCCESS)
        return result;
    // After loadSatellite the database is in the maps it registered; read it only when that did not happen
    // (or found none), so the two loaders fill one database.
    const bool readDatabase = !satelliteMap || satelliteMap->isEmpty();
    if (readDatabase) {
        satelliteMap = &satellites;
        transponderMap = &transponders;
        satellites.clear();
        transponders.clear();
        if (!satelliteProviderMap)
            providers[ProviderCategory::SATELLITE].clear();
    }
    astraChannels = &list;
    list.clear();
    astraProviderMap = &providers[ProviderCategory::ASTRA_HD];
    astraProviderMap->clear();
    astraBouquetMap = &bouquets[ProviderCategory::ASTRA_HD];
    astraBouquetMap->clear();
    // Taken after the category-8 insertions above, which may have detached a shared provider map.
    if (!satelliteProviderMap)
        satelliteProviderMap = &providers[ProviderCategory::SATELLITE];
    documentVersion = 0;
    countryCode = country;
    setReadFlags(false, false, false, true, true, readDatabase);
    astraState = NOT_TAKEN;
    parseDocument();
    if (databaseHeader)
        *databaseHeader = documentVersion;
    return astraState == NOT_TAKEN ? RC_NO_SERVICE_LIST : RC_SUCCESS;
}

// The service list types some loader takes.
static bool isKnownListType(QStringView type) {
    for (const char *known : {"dvb-s", "dvb-t", "analog-a", "dvb-c", "analog-c", "astra_hdplus"}) {
        if (is(type, known))
            return true;
    }
    return false;
}

QStringList DataFileHandler_ulmx::serviceListCountries() {
    QStringList countries;
    if (openDocument() != RC_SUCCESS)
        return countries;
    const int root = tree.root();
    if (root == UlmxTree::NO_NODE || tree.name(root) != N::ULM)
        return countries;
    // The same path the loaders walk: ULM, ulm_body, service_database, service_list, country_code.
    const auto children = [this](int parent, UlmxTree::Name name) {
        QList<int> nodes;
        for (int node = tree.firstChild(parent); node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
            if (tree.name(node) == name && tree.hasChildren(node))
                nodes.append(node);
        }
        return nodes;
    };
    for (const int body : children(root, N::ULM_BODY)) {
        for (const int database : children(body, N::SERVICE_DATABASE)) {
            for (const int list : children(database, N::SERVICE_LIST)) {
                if (!isKnownListType(tree.attribute(list, N::ATTR_TYPE)))
                    continue;
                int node = tree.firstChild(list);
                if (!findSiblingElement(node, N::COUNTRY_CODE))
                    continue;
                const QString code = tree.attribute(node, N::ATTR_VAL).toString().toUpper();
                if (!code.isEmpty() && !countries.contains(code))
                    countries.append(code);
            }
        }
    }
    return countries;
}

int DataFileHandler_ulmx::country(QString &country) {
    // A document's country has one to three characters; "*" stands for none.
    country = (countryCode.size() >= 1 && countryCode.size() <= 3) ? countryCode : QStringLiteral("*");
    // The load is over: free the tree and forget the caller's containers, which may not outlive it.
    dropDocument();
    forgetReferences();
    return RC_SUCCESS;
}

void DataFileHandler_ulmx::descend(int node, void (DataFileHandler_ulmx::*reader)()) {
    cursor = tree.firstChild(node);
    (this->*reader)();
    cursor = node;
}

void DataFileHandler_ulmx::parseDocument() {
    cursor = tree.root();
    if (cursor != UlmxTree::NO_NODE && tree.name(cursor) == N::ULM && tree.hasChildren(cursor))
        descend(cursor, &DataFileHandler_ulmx::readRoot);
}

void DataFileHandler_ulmx::readRoot() {
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (!tree.hasChildren(node))
            continue;
        if (tree.name(node) == N::ULM_HEADER)
            descend(node, &DataFileHandler_ulmx::readVersion);
        else if (tree.name(node) == N::ULM_BODY)
            descend(node, &DataFileHandler_ulmx::readDatabases);
    }
}

void DataFileHandler_ulmx::readVersion() {
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (tree.name(node) != N::VERSION)
            continue;
        // "1.5" and "1.05" are 105; a text without a point is all minor.
        const QStringView text = tree.attribute(node, N::ATTR_VAL);
        const qsizetype dot = text.indexOf(u'.');
        const QStringView majorText = dot < 0 ? QStringView() : text.left(dot);
        const QStringView minorText = dot < 0 ? text : text.mid(dot + 1);
        qint32 major = 0;
        qint32 minor = 0;
        if (!UlmxNumbers::toInt32(majorText, 10, major))
            major = 0;
        if (!UlmxNumbers::toInt32(minorText, 10, minor))
            minor = 0;
        // Unsigned arithmetic wraps instead of overflowing, and mirrors the writer, which splits the
        // version as an unsigned number: any 32-bit version survives a round trip.
        documentVersion = int(quint32(major) * 100u + quint32(minor));
    }
}

void DataFileHandler_ulmx::readDatabases() {
    const bool anyList = readDvbS || readCable || readAir || readAstraHD;
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (!tree.hasChildren(node))
            continue;
        if (tree.name(node) == N::SATELLITE_DATABASE && readSatelliteDatabase)
            descend(node, &DataFileHandler_ulmx::readSatellites);
        else if (tree.name(node) == N::SERVICE_DATABASE && anyList)
            descend(node, &DataFileHandler_ulmx::readServiceLists);
    }
}

void DataFileHandler_ulmx::readServiceLists() {
    for (int node = cursor; node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
        if (!tree.hasChildren(node))
            continue;
        if (tree.name(node) == N::PROVIDER_LIST) {
            descend(node, &DataFileHandler_ulmx::readSatelliteProviders);
            continue;
        }
        if (tree.name(node) != N::SERVICE_LIST)
            continue;
        const QStringView type = tree.attribute(node, N::ATTR_TYPE);
        if (readDvbS && is(type, "dvb-s"))
            descend(node, &DataFileHandler_ulmx::readDvbSList);
        else if (readAir && is(type, "dvb-t"))
            descend(node, &DataFileHandler_ulmx::readDvbTList);
        else if (readAir && is(type, "analog-a"))
            descend(node, &DataFileHandler_ulmx::readAnalogAirServices);
        else if (readCable && is(type, "dvb-c"))
            descend(node, &DataFileHandler_ulmx::readDvbCList);
        else if (readCable && is(type, "analog-c"))
            descend(node, &DataFileHandler_ulmx::readAnalogCableServices);
        else if (readAstraHD && is(type, "astra_hdplus"))
            descend(node, &DataFileHandler_ulmx::readAstraHDList);
    }
}

bool DataFileHandler_ulmx::findSiblingElement(int &node, UlmxTree::Name name) const {
    if (node == UlmxTree::NO_NODE)
        return false;
    for (;;) {
        if (tree.name(node) == name)
            return true;
        const int next = tree.nextSibling(node);
        if (next == UlmxTree::NO_NODE)
            return false;
        node = next;
    }
}

QStringView DataFileHandler_ulmx::attributeValue(UlmxTree::Name element, UlmxTree::Name attribute) const {
    int node = cursor;
    if (!findSiblingElement(node, element))
        return QStringView();
    return tree.attribute(node, attribute);
}

template <typename T> bool DataFileHandler_ulmx::checkCountryCode(int *state, ChannelList<T> *list) {
    Q_ASSERT_X(state && list, "datafilehandler_ulmx.cpp", "state && list");
    const QString code = attributeValue(N::COUNTRY_CODE, N::ATTR_VAL).toString().toUpper();
    const QString wanted = countryCode.toUpper();
    switch (*state) {
    case EXACT_TAKEN:
        return false;
    case WILDCARD_TAKEN:
        // A list for the exact country replaces the "*" list of its kind.
        if (code != wanted)
            return false;
        list->clear();
        *state = EXACT_TAKEN;
        return true;
    default:
        if (code == wanted) {
            *state = EXACT_TAKEN;
            return true;
        }
        if (code == QLatin1String("*")) {
            *state = WILDCARD_TAKEN;
            return true;
        }
        return false;
    }
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
            transponder.frequency = readFrequency(tree.attribute(node, N::ATTR_FREQ), ok);
            const QStringView polarity = tree.attribute(node, N::ATTR_POL);
            transponder.polarity = is(polarity, "H")   ? POLARITY_HORIZONTAL
                                   : is(polarity, "V") ? POLARITY_VERTICAL
                                                       : POLARITY_UNKNOWN;
            quint32 symbolRate = 0;
            if (!UlmxNumbers::toWord32(tree.attribute(node, N::ATTR_SR), 10, symbolRate))
                symbolRate = 0;
            transponder.symbolRate = qint32(symbolRate);
            transponder.modulation =
                tree.attribute(node, N::ATTR_MOD).toString().toUpper() == QLatin1String("QPSK")
                    ? MODULATION_QPSK
                    : MODULATION_UNKNOWN;
            transponder.fec = FEC_AUTO;
            const QStringView fec = tree.attribute(node, N::ATTR_FEC);
            for (int code = 1; code < FEC_TEXT_COUNT; ++code) {
                if (is(fec, FEC_TEXTS[code])) {
                    transponder.fec = code;
                    break;
                }
            }
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
        const float frequency = readFrequency(tree.attribute(node, N::ATTR_FREQ), ok);
        quint16 rcn = 0;
        if (!UlmxNumbers::toUInt16(tree.attribute(node, N::ATTR_RCN), 0, rcn))
            continue;
        const quint16 number = rcn <= MAX_ANALOGUE_NUMBER ? rcn : 0;
        airAnalogue->append(AirChannel(0, name, number, frequency, SERVICE_TYPE_ANALOGUE, false, false,
                                       Channel::ANALOGUE, 0, SOUND_SYSTEM_UNKNOWN, COLOUR_SYSTEM_AUTO,
                                       NO_TSID, NO_ONID));
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
        const float frequency = readFrequency(tree.attribute(node, N::ATTR_FREQ), ok);
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
    const float frequency = readFrequency(tree.attribute(delivery, N::ATTR_FREQ), ok);
    if (!ok)
        return;
    QString bandwidthText = tree.attribute(delivery, N::ATTR_BANDWIDTH).toString();
    bandwidthText.remove(QLatin1String("mhz"));
    quint16 bandwidth = 0;
    if (!UlmxNumbers::toUInt16(bandwidthText, 10, bandwidth))
        bandwidth = 0;
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
    const float frequency = readFrequency(tree.attribute(delivery, N::ATTR_FREQ), ok);
    if (!ok)
        return;
    quint32 symbolRate = 0;
    if (!UlmxNumbers::toUInt32(tree.attribute(delivery, N::ATTR_SR), 10, symbolRate))
        return;
    const QString modulationText = tree.attribute(delivery, N::ATTR_MOD).toString().toUpper();
    int modulation = MODULATION_UNKNOWN;
    for (const ModulationText &entry : CABLE_MODULATIONS) {
        if (modulationText == QLatin1StringView(entry.text)) {
            modulation = entry.code;
            break;
        }
    }
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

static bool isLinkType(QStringView type, const char *name, const char *number) {
    return is(type, name) || is(type, number);
}

void DataFileHandler_ulmx::readDvbSStream() {
    int link = cursor;
    quint32 transponderId = 0;
    if (!findStreamTransponder(link, transponderId))
        return;
    for (int node = tree.nextSibling(link); node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
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
    int link = cursor;
    quint32 transponderId = 0;
    if (!findStreamTransponder(link, transponderId))
        return;
    for (int node = tree.nextSibling(link); node != UlmxTree::NO_NODE; node = tree.nextSibling(node)) {
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

// ------------------------------------------------------------------------------------------------------
// Saving

int DataFileHandler_ulmx::save(ChannelListProvider &provider) {
    // A save ends any load: the file is about to change under the tree.
    dropDocument();
    satChannels = provider.satelliteList();
    airChannels = provider.airList();
    cableChannels = provider.cableList();
    astraChannels = provider.astraHDList();
    satelliteMap = &SatelliteChannel::satellites;
    transponderMap = &SatelliteChannel::transponders;
    // The maps may share their data with a copy (a snapshot kept for undoing an open): writing to them
    // detaches them first, so the addresses of the inner maps are taken only once the outer ones are the
    // process's own and hold every category asked for.
    resetItemLocs();
    SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE];
    SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD];
    SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD];
    satelliteProviderMap = &SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE];
    astraProviderMap = &SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD];
    astraBouquetMap = &SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD];
    countryCode = provider.country();
    documentVersion = SatelliteChannel::databaseHeader;

    int result = RC_CANNOT_WRITE;
    // The new text goes to a temporary file that replaces the old one only once completely written.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        buildDocument();
        const QByteArray bytes = documentText.toUtf8();
        if (file.write(bytes) == bytes.size() && writeThrough(file) && file.commit())
            result = RC_SUCCESS;
        else
            file.cancelWriting();
    }
    forgetReferences();
    return result;
}

void DataFileHandler_ulmx::resetItemLocs() {
    // A record the document does not carry must not keep a number of an earlier save: a channel would
    // link to an element this document lacks, or worse, to another save's element of that number.
    for (Transponder &transponder : SatelliteChannel::transponders)
        transponder.itemLoc = NO_ITEM_LOC;
    for (ProviderMap &providers : SatelliteChannel::serviceProviders) {
        for (ServiceProvider &provider : providers)
            provider.itemLoc = NO_ITEM_LOC;
    }
    for (ProviderMap &bouquets : SatelliteChannel::bouquets) {
        for (ServiceProvider &bouquet : bouquets)
            bouquet.itemLoc = NO_ITEM_LOC;
    }
}

static int nextItemLoc() {
    int &counter = DataFileHandler_ulmx::itemLocCounter;
    // Never reached by a real run; wraps to the first number rather than overflowing.
    if (counter >= std::numeric_limits<int>::max() - 1)
        counter = 1;
    return ++counter;
}

void DataFileHandler_ulmx::appendLine(int level, const QString &line) {
    for (int i = 0; i < level; ++i)
        documentText += QLatin1Char('\t');
    documentText += line;
    documentText += QLatin1Char('\n');
}

QString &DataFileHandler_ulmx::escapeXml(QString &text) {
    auto special = [](char16_t c) {
        return c < 0x20 || c == '&' || c == '\'' || c == '<' || c == '>' || c == '"' ||
               QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF;
    };
    qsizetype i = 0;
    while (i < text.size() && !special(text[i].unicode()))
        ++i;
    if (i == text.size())
        return text;
    QString out;
    out.reserve(text.size() + 16);
    out.append(QStringView(text).left(i));
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[++i];
            continue;
        }
        switch (c) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '\'':
            out += QLatin1String("&apos;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        // A parser turns literal tabs and line ends in attribute values into blanks; references survive.
        case '\t':
            out += QLatin1String("&#9;");
            break;
        case '\n':
            out += QLatin1String("&#10;");
            break;
        case '\r':
            out += QLatin1String("&#13;");
            break;
        default:
            // Other control characters, non-characters and lone surrogates cannot be carried by XML 1.0.
            if (c < 0x20 || QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF)
                break;
            out += QChar(c);
        }
    }
    text = out;
    return text;
}

void DataFileHandler_ulmx::buildDocument() {
    documentText.clear();
    appendLine(0, QStringLiteral("<?xml version=\"1.0\" ?>"));
    appendLine(0, QStringLiteral("<!-- Database generated by Tunelane -->"));
    appendLine(0, QStringLiteral("<!-- Copyright (c) Quorlin Electronics Co. Ltd. All rights reserved. -->"));
    appendLine(0, QStringLiteral("<ULM>"));
    writeHeader();
    writeBody();
    appendLine(0, QStringLiteral("</ULM>"));
}

void DataFileHandler_ulmx::writeHeader() {
    appendLine(1, QStringLiteral("<ulm_header>"));
    const quint32 version = quint32(documentVersion);
    QString line = QStringLiteral("<version val=\"");
    UlmxNumbers::appendDecimal(line, version / 100u);
    line += QLatin1Char('.');
    UlmxNumbers::appendDecimal(line, version % 100u);
    line += QLatin1String("\"/>");
    appendLine(2, line);
    appendLine(1, QStringLiteral("</ulm_header>"));
}

void DataFileHandler_ulmx::writeBody() {
    appendLine(1, QStringLiteral("<ulm_body>"));
    writeSatelliteDatabase();
    writeServiceDatabase();
    appendLine(1, QStringLiteral("</ulm_body>"));
}

void DataFileHandler_ulmx::writeSatelliteDatabase() {
    appendLine(2, QStringLiteral("<satellite_database>"));
    // The transponders of each satellite in ascending transponder id, gathered in one pass.
    QHash<quint16, QVector<Transponder *>> bySatellite;
    for (auto it = transponderMap->begin(); it != transponderMap->end(); ++it)
        bySatellite[quint16(it->satelliteId)].append(&*it);
    for (auto it = satelliteMap->cbegin(); it != satelliteMap->cend(); ++it)
        writeSatellite(it.value(), it.key(), bySatellite.value(it.key()));
    appendLine(2, QStringLiteral("</satellite_database>"));
}

void DataFileHandler_ulmx::writeSatellite(const SatelliteInfo &satellite, quint16 satelliteId,
                                          const QVector<Transponder *> &transponders) {
    QString line = QStringLiteral("<satellite");
    decimalAttribute(line, "id", satelliteId);
    QString name = satellite.name;
    attribute(line, "name", escapeXml(name));
    line += QLatin1Char('>');
    appendLine(3, line);
    line = QStringLiteral("<orbital_pos");
    attribute(line, "val", orbitalPositionText(satellite.orbitalPos));
    line += QLatin1String("/>");
    appendLine(4, line);
    for (Transponder *transponder : transponders) {
        transponder->itemLoc = nextItemLoc();
        line = QStringLiteral("<transponder");
        // Whole kHz, cut toward zero; a value that is no number or absurdly large is written as 0.
        const double frequency = double(transponder->frequency);
        const bool sane = std::isfinite(frequency) && std::fabs(frequency) < 1e15;
        decimalAttribute(line, "freq", sane ? qint64(std::trunc(frequency)) : 0);
        attribute(line, "pol",
                  transponder->polarity == POLARITY_HORIZONTAL ? QStringLiteral("H")
                  : transponder->polarity == POLARITY_VERTICAL ? QStringLiteral("V")
                                                               : QString());
        decimalAttribute(line, "sr", quint32(transponder->symbolRate));
        attribute(line, "mod",
                  transponder->modulation == MODULATION_QPSK ? QStringLiteral("QPSK") : QString());
        const int fec = transponder->fec;
        attribute(line, "fec",
                  fec >= 1 && fec < FEC_TEXT_COUNT ? QString::fromLatin1(FEC_TEXTS[fec]) : QString());
        hexAttribute(line, "item_loc", quint32(transponder->itemLoc));
        line += QLatin1String("/>");
        appendLine(4, line);
    }
    appendLine(3, QStringLiteral("</satellite>"));
}

QString DataFileHandler_ulmx::orbitalPositionText(int position) {
    // Tenths of a degree in the low 15 bits, east in bit 15.
    const int tenths = position & 0x7FFF;
    QString text;
    UlmxNumbers::appendDecimal(text, tenths / 10);
    text += QLatin1Char('.');
    UlmxNumbers::appendDecimal(text, tenths % 10);
    text += (position & EAST) ? QLatin1Char('E') : QLatin1Char('W');
    return text;
}

void DataFileHandler_ulmx::writeItemList(ProviderMap *map, int level, const char *listName,
                                         const char *itemName) {
    QString line = QStringLiteral("<") + QLatin1StringView(listName) + QLatin1Char('>');
    appendLine(level, line);
    if (map) {
        for (ServiceProvider &item : *map) {
            item.itemLoc = nextItemLoc();
            line = QLatin1Char('<') + QLatin1StringView(itemName);
            QString name = item.name;
            attribute(line, "name", escapeXml(name));
            hexAttribute(line, "item_loc", quint32(item.itemLoc));
            line += QLatin1String("/>");
            appendLine(level + 1, line);
        }
    }
    appendLine(level, QStringLiteral("</") + QLatin1StringView(listName) + QLatin1Char('>'));
}

void DataFileHandler_ulmx::writeProviderList(ProviderMap *map, int level) {
    writeItemList(map, level, "provider_list", "provider");
}

void DataFileHandler_ulmx::writeBouquetList(ProviderMap *map, int level) {
    writeItemList(map, level, "bouquet_list", "bouquet");
}

void DataFileHandler_ulmx::writeServiceDatabase() {
    appendLine(2, QStringLiteral("<service_database>"));
    writeProviderList(satelliteProviderMap, 3);
    writeServiceLists();
    appendLine(2, QStringLiteral("</service_database>"));
}

void DataFileHandler_ulmx::writeServiceLists() {
    struct ListWriter {
        bool present;
        const char *type;
        void (DataFileHandler_ulmx::*write)();
    };
    const ListWriter writers[] = {
        {!satChannels->isEmpty(), "dvb-s", &DataFileHandler_ulmx::writeDvbSList},
        {!cableChannels->isEmpty(), "dvb-c", &DataFileHandler_ulmx::writeDvbCList},
        {!airChannels->isEmpty(), "dvb-t", &DataFileHandler_ulmx::writeDvbTList},
        {!cableChannels->isEmpty(), "analog-c", &DataFileHandler_ulmx::writeAnalogCableList},
        {!airChannels->isEmpty(), "analog-a", &DataFileHandler_ulmx::writeAnalogAirList},
        {!astraChannels->isEmpty(), "astra_hdplus", &DataFileHandler_ulmx::writeAstraHDList},
    };
    for (const ListWriter &writer : writers) {
        if (!writer.present)
            continue;
        appendLine(3, QStringLiteral("<service_list type=\"") + QLatin1StringView(writer.type) +
                          QLatin1String("\">"));
        (this->*writer.write)();
        appendLine(3, QStringLiteral("</service_list>"));
    }
}

QString DataFileHandler_ulmx::countryLine() const {
    QString country = countryCode;
    QString line = QStringLiteral("<country_code");
    attribute(line, "val", escapeXml(country));
    line += QLatin1String("/>");
    return line;
}

void DataFileHandler_ulmx::writeAnalogAirList() {
    writeAnalogList(*airChannels);
}

void DataFileHandler_ulmx::writeAnalogCableList() {
    writeAnalogList(*cableChannels);
}

void DataFileHandler_ulmx::writeDvbTList() {
    writeDigitalList(*airChannels);
}

void DataFileHandler_ulmx::writeDvbCList() {
    writeDigitalList(*cableChannels);
}

template <typename T> void DataFileHandler_ulmx::writeAnalogList(const ChannelList<T> &channels) {
    appendLine(4, countryLine());
    for (const T &channel : channels) {
        if (channel.isDeleted() || channel.kind() != Channel::ANALOGUE)
            continue;
        QString line = QStringLiteral("<analog_service");
        QString name = channel.name();
        attribute(line, "name", escapeXml(name));
        floatAttribute(line, "freq", channel.frequency());
        decimalAttribute(line, "rcn", channel.number());
        line += QLatin1String("/>");
        appendLine(4, line);
    }
}

static QString deliveryLine(const AirChannel &first) {
    QString line = QStringLiteral("<terrestrial_delivery");
    floatAttribute(line, "freq", first.frequency());
    QString bandwidth;
    UlmxNumbers::appendDecimal(bandwidth, first.bandwidth());
    attribute(line, "bandwidth", bandwidth + QLatin1String("mhz"));
    line += QLatin1String("/>");
    return line;
}

static QString deliveryLine(const CableChannel &first) {
    QString line = QStringLiteral("<cable_delivery");
    floatAttribute(line, "freq", first.frequency());
    decimalAttribute(line, "sr", first.symbolRate());
    QString modulation;
    for (const ModulationText &entry : CABLE_MODULATIONS) {
        if (entry.code == first.modulation())
            modulation = QLatin1StringView(entry.text);
    }
    attribute(line, "mod", modulation);
    line += QLatin1String("/>");
    return line;
}

QString DataFileHandler_ulmx::serviceLine(const Channel &channel, bool closed) {
    QString line = QStringLiteral("<digital_service");
    QString name = channel.name();
    attribute(line, "name", escapeXml(name));
    hexAttribute(line, "sid", quint32(channel.serviceId()));
    attribute(line, "scrambled", channel.isScrambled() ? QStringLiteral("1") : QStringLiteral("0"));
    decimalAttribute(line, "rcn", channel.number());
    hexAttribute(line, "type", quint32(channel.serviceType()));
    line += closed ? QLatin1String("/>") : QLatin1String(">");
    return line;
}

template <typename T> void DataFileHandler_ulmx::writeDigitalList(const ChannelList<T> &channels) {
    appendLine(4, countryLine());
    // Streams in the order their first digital channel comes, deleted or not; that channel gives the
    // stream's delivery values. A frequency that is no number matches nothing, not even itself.
    struct Stream {
        const T *first;
        std::vector<const T *> services;
    };
    std::vector<Stream> streams;
    QHash<quint32, int> streamOfFrequency;
    for (const T &channel : channels) {
        if (channel.kind() != Channel::DIGITAL)
            continue;
        const float frequency = channel.frequency();
        if (std::isnan(frequency)) {
            streams.push_back(Stream{&channel, {}});
            continue;
        }
        const quint32 key = frequencyKey(frequency);
        if (!streamOfFrequency.contains(key)) {
            streamOfFrequency.insert(key, int(streams.size()));
            streams.push_back(Stream{&channel, {}});
        }
    }
    for (const T &channel : channels) {
        if (channel.kind() != Channel::DIGITAL || channel.isDeleted() || std::isnan(channel.frequency()))
            continue;
        streams[size_t(streamOfFrequency.value(frequencyKey(channel.frequency())))].services.push_back(
            &channel);
    }
    for (const Stream &stream : streams) {
        appendLine(4, QStringLiteral("<digital_stream>"));
        appendLine(5, deliveryLine(*stream.first));
        for (const T *service : stream.services)
            appendLine(5, serviceLine(*service, true));
        appendLine(4, QStringLiteral("</digital_stream>"));
    }
}

void DataFileHandler_ulmx::writeDvbSList() {
    appendLine(4, countryLine());
    writeSatelliteStreams(*satChannels);
}

void DataFileHandler_ulmx::writeAstraHDList() {
    appendLine(4, countryLine());
    appendLine(4, QStringLiteral("<identifier type=\"astrahd_srv_list\" val=\"0x0001\"/>"));
    // Providers and bouquets get their numbers here, before any service links to them.
    writeProviderList(astraProviderMap, 4);
    writeBouquetList(astraBouquetMap, 4);
    writeSatelliteStreams(*astraChannels);
}

template <typename T> void DataFileHandler_ulmx::writeSatelliteStreams(const ChannelList<T> &channels) {
    // One stream per transponder, in the order its first digital channel comes (deleted or not); every
    // channel still in the list on that transponder, of either kind, is a service of it.
    struct Stream {
        quint32 transponderId;
        std::vector<const T *> services;
    };
    std::vector<Stream> streams;
    QHash<quint32, int> streamOfTransponder;
    for (const T &channel : channels) {
        if (channel.kind() != Channel::DIGITAL || streamOfTransponder.contains(channel.transponderId()))
            continue;
        streamOfTransponder.insert(channel.transponderId(), int(streams.size()));
        streams.push_back(Stream{channel.transponderId(), {}});
    }
    for (const T &channel : channels) {
        if (channel.isDeleted())
            continue;
        const auto it = streamOfTransponder.constFind(channel.transponderId());
        if (it != streamOfTransponder.cend())
            streams[size_t(*it)].services.push_back(&channel);
    }
    for (const Stream &stream : streams) {
        appendLine(4, QStringLiteral("<digital_stream>"));
        const int itemLoc = findIdInMap(stream.transponderId, transponderMap);
        if (itemLoc != NO_ITEM_LOC) {
            QString line = QStringLiteral("<item_link");
            hexAttribute(line, "id", quint32(itemLoc));
            line += QLatin1String("/>");
            appendLine(5, line);
        }
        for (const T *service : stream.services)
            writeSatelliteService(*service);
        appendLine(4, QStringLiteral("</digital_stream>"));
    }
}

static QString linkLine(int itemLoc, const char *type) {
    QString line = QStringLiteral("<item_link");
    hexAttribute(line, "id", quint32(itemLoc));
    attribute(line, "type", QLatin1StringView(type));
    line += QLatin1String("/>");
    return line;
}

void DataFileHandler_ulmx::writeSatelliteService(const SatelliteChannel &channel) {
    const int providerLoc = findIdInMap(channel.providerId(), satelliteProviderMap);
    if (providerLoc == NO_ITEM_LOC) {
        appendLine(5, serviceLine(channel, true));
        return;
    }
    appendLine(5, serviceLine(channel, false));
    appendLine(6, linkLine(providerLoc, "provider"));
    appendLine(5, QStringLiteral("</digital_service>"));
}

void DataFileHandler_ulmx::writeSatelliteService(const AstraHDChannel &channel) {
    appendLine(5, serviceLine(channel, false));
    const int providerLoc = findIdInMap(channel.providerId(), astraProviderMap);
    if (providerLoc != NO_ITEM_LOC)
        appendLine(6, linkLine(providerLoc, "provider"));
    QString line = QStringLiteral("<logical_channel");
    hexAttribute(line, "lcn", channel.logicalChannelNumber());
    line += QLatin1String("/>");
    appendLine(6, line);
    line = QStringLiteral("<identifier type=\"vsid\"");
    hexAttribute(line, "val", channel.vsid());
    line += QLatin1String("/>");
    appendLine(6, line);
    for (int slot = 0; slot < AstraHDChannel::MAX_BOUQUETS; ++slot) {
        // 0 marks an empty slot, not a bouquet.
        const quint16 bouquetId = channel.bouquetId(slot);
        if (bouquetId == 0)
            continue;
        const int bouquetLoc = findIdInMap(bouquetId, astraBouquetMap);
        if (bouquetLoc != NO_ITEM_LOC)
            appendLine(6, linkLine(bouquetLoc, "bouquet"));
    }
    appendLine(5, QStringLiteral("</digital_service>"));
}

int DataFileHandler_ulmx::findIdInMap(quint32 key, const TransponderMap *map) {
    if (!map)
        return NO_ITEM_LOC;
    const auto it = map->constFind(key);
    return it == map->cend() ? NO_ITEM_LOC : it->itemLoc;
}

int DataFileHandler_ulmx::findIdInMap(quint32 key, const ProviderMap *map) {
    if (!map)
        return NO_ITEM_LOC;
    const auto it = map->constFind(key);
    return it == map->cend() ? NO_ITEM_LOC : it->itemLoc;
}
