#include "datafilehandlers/datafilehandler_ulmx.h"

#include "core/resultcode.h"
#include "datafilehandlers/datafilehandler_ulmx_codes.h"
#include "datafilehandlers/datafilehandler_ulmx_pathreader.h"
#include "datafilehandlers/ulmxnumbers.h"

#include <QFile>
#include <QFileInfo>

// The handler, the loaders and the walk over the document's skeleton (root, header, bodies, service
// lists). The section readers are in datafilehandler_ulmx_readers.cpp, saving in
// datafilehandler_ulmx_writers.cpp.

namespace {

using N = UlmxTree;
using UlmxCodes::is;

} // namespace

DataFileHandler_ulmx::DataFileHandler_ulmx(const QString &filePath) : path(filePath) {}

DataFileHandler_ulmx::~DataFileHandler_ulmx() = default;

QString DataFileHandler_ulmx::version() const {
    return QStringLiteral("ULMX");
}

void DataFileHandler_ulmx::carryListsOf(const DataFileHandler_ulmx &other) {
    carried = other.carried;
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
    if (parseResult == RC_SUCCESS)
        parsedBytes = data;
    return parseResult;
}

void DataFileHandler_ulmx::dropDocument() {
    tree.clear();
    parsedBytes = QByteArray();
    takenList.clear();
    takenWithoutCountry.clear();
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
    resetStates({&dvbTState, &analogAState});
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
    resetStates({&dvbCState, &analogCState});
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
    resetStates({&dvbSState});
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
    resetStates({&astraState});
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
    // The loaders' own walk, noting the country of every list some loader takes instead of reading it.
    setReadFlags(false, false, false, false, false, false);
    listCountries = &countries;
    parseDocument();
    listCountries = nullptr;
    return countries;
}

void DataFileHandler_ulmx::resetStates(std::initializer_list<int *> states) {
    for (int *state : states) {
        *state = NOT_TAKEN;
        takenList.remove(state);
        takenWithoutCountry.remove(state);
    }
}

int DataFileHandler_ulmx::country(QString &country) {
    // A document's country has one to three characters; "*" stands for none.
    country = (countryCode.size() >= 1 && countryCode.size() <= 3) ? countryCode : QStringLiteral("*");
    if (documentParsed && parseResult == RC_SUCCESS)
        keepUntakenLists();
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
    const bool anyList = readDvbS || readCable || readAir || readAstraHD || listCountries;
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
        if (listCountries) {
            if (tree.name(node) == N::SERVICE_LIST && isKnownListType(tree.attribute(node, N::ATTR_TYPE)))
                descend(node, &DataFileHandler_ulmx::noteListCountry);
            continue;
        }
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

void DataFileHandler_ulmx::noteListCountry() {
    QString code = attributeValue(N::COUNTRY_CODE, N::ATTR_VAL).toString().toUpper();
    // A list that names no country is one for any country.
    if (code.isEmpty())
        code = QLatin1String("*");
    if (!listCountries->contains(code))
        listCountries->append(code);
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

// ------------------------------------------------------------------------------------------------------
// Loading: the lists no loader took

void DataFileHandler_ulmx::keepUntakenLists() {
    carried = CarriedLists();
    const std::pair<const int *, const char *> stateTypes[] = {
        {&dvbSState, "dvb-s"},       {&dvbCState, "dvb-c"},       {&dvbTState, "dvb-t"},
        {&analogCState, "analog-c"}, {&analogAState, "analog-a"}, {&astraState, "astra_hdplus"}};
    for (const auto &[state, type] : stateTypes) {
        if (takenList.contains(state))
            carried.ownTypes.append(QLatin1String(type));
        if (takenWithoutCountry.contains(state))
            carried.typesWithoutCountry.append(QLatin1String(type));
    }
    // The service lists in document order, as the walk meets them, each marked unless the document owns it.
    const QList<int> taken = takenList.values();
    QVector<bool> untaken;
    for (int body = tree.firstChild(tree.root()); body != UlmxTree::NO_NODE; body = tree.nextSibling(body)) {
        if (tree.name(body) != N::ULM_BODY)
            continue;
        for (int base = tree.firstChild(body); base != UlmxTree::NO_NODE; base = tree.nextSibling(base)) {
            if (tree.name(base) != N::SERVICE_DATABASE)
                continue;
            for (int list = tree.firstChild(base); list != UlmxTree::NO_NODE; list = tree.nextSibling(list)) {
                if (tree.name(list) == N::SERVICE_LIST)
                    untaken.append(!taken.contains(list));
            }
        }
    }
    if (!untaken.contains(true))
        return;
    // The tree keeps only the names the loaders ask for: the lists are copied from the bytes, whole.
    UlmxPathReader walk(parsedBytes);
    int ordinal = -1;
    while (walk.next()) {
        const QStringList &elements = walk.path();
        if (!walk.token().isStartElement() || elements.size() != 4 ||
            elements[1] != QLatin1String("ulm_body") || elements[2] != QLatin1String("service_database") ||
            elements[3] != QLatin1String("service_list") || !untaken.value(++ordinal))
            continue;
        const QString type = walk.token().attributes().value(QLatin1String("type")).toString();
        const bool satelliteList = type == QLatin1String("dvb-s");
        QString text;
        QXmlStreamWriter writer(&text);
        // Token by token up to the list's end element, which leaves the path at the database.
        do {
            walk.copyTo(writer);
            noteCarriedLink(walk, satelliteList);
        } while (walk.path().size() > 3 && walk.next());
        carried.lists.append(text);
        carried.types.append(type);
    }
}

void DataFileHandler_ulmx::noteCarriedLink(const UlmxPathReader &walk, bool satelliteList) {
    // The records a carried list links to, as this load read them: a save looks them up by these numbers,
    // which key the loaded maps, and checks that the record is still the one the file named.
    quint32 id = 0;
    if (!walk.token().isStartElement() || walk.name() != QLatin1String("item_link") ||
        !UlmxNumbers::toUInt32(walk.token().attributes().value(QLatin1String("id")), 0, id))
        return;
    const QString parent = walk.name(1);
    if (parent == QLatin1String("digital_stream") && transponderMap && transponderMap->contains(id))
        carried.transponders.insert(id, transponderMap->value(id));
    else if (parent == QLatin1String("digital_service") && satelliteList && satelliteProviderMap &&
             satelliteProviderMap->contains(id))
        carried.providers.insert(id, satelliteProviderMap->value(id).name);
}
