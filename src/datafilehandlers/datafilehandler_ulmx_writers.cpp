#include "datafilehandlers/datafilehandler_ulmx.h"

#include "core/channellistprovider.h"
#include "core/filesync.h"
#include "core/resultcode.h"
#include "datafilehandlers/datafilehandler_ulmx_codes.h"
#include "datafilehandlers/datafilehandler_ulmx_pathreader.h"
#include "datafilehandlers/datafilehandler_ulmx_streams.h"
#include "datafilehandlers/ulmxnumbers.h"

#include <QHash>
#include <QSaveFile>

#include <limits>

// Saving: the whole document is built as text in documentText, then written through a new file.

QString DataFileHandler_ulmx::documentText;
int DataFileHandler_ulmx::itemLocCounter = 1;

namespace {

using namespace UlmxCodes;

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

} // namespace

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
    // Every save numbers its records afresh: a reader keeps only 16 bits of a bouquet's number, so numbers
    // that went on counting across saves would sooner or later wrap a bouquet onto an empty slot.
    itemLocCounter = 1;
    SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE];
    SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD];
    SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD];
    satelliteProviderMap = &SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE];
    astraProviderMap = &SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD];
    astraBouquetMap = &SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD];
    countryCode = provider.country();
    documentVersion = SatelliteChannel::databaseHeader;

    buildDocument();
    forgetReferences();
    const QByteArray bytes = documentText.toUtf8();
    // The reader refuses a document above its limit: such a text is not written, so the old file stays
    // and opens as before.
    if (bytes.size() > UlmxTree::MAX_DOCUMENT_SIZE)
        return RC_LIST_TOO_LONG;
    // The new text goes to a temporary file that replaces the old one only once completely written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return RC_CANNOT_WRITE;
    if (file.write(bytes) == bytes.size() && syncToDisk(file) && file.commit())
        return RC_SUCCESS;
    file.cancelWriting();
    return RC_CANNOT_WRITE;
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
    // What XML 1.0 cannot carry at all is left out first; the rest is written, some of it as references.
    text = xmlCarriedText(text);
    auto special = [](char16_t c) {
        return c == '&' || c == '\'' || c == '<' || c == '>' || c == '"' || c == '\t' || c == '\n' ||
               c == '\r';
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
    numberBouquets();
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
        attribute(line, "freq", transponderFrequencyText(transponder->frequency));
        attribute(line, "pol", polarityText(transponder->polarity));
        decimalAttribute(line, "sr", quint32(transponder->symbolRate));
        attribute(line, "mod", transponderModulationText(transponder->modulation));
        attribute(line, "fec", fecText(transponder->fec));
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
                                         const char *itemName, bool numbered) {
    QString line = QStringLiteral("<") + QLatin1StringView(listName) + QLatin1Char('>');
    appendLine(level, line);
    if (map) {
        for (ServiceProvider &item : *map) {
            if (!numbered)
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
    writeItemList(map, level, "provider_list", "provider", false);
}

void DataFileHandler_ulmx::writeBouquetList(ProviderMap *map, int level) {
    // Numbered by numberBouquets, before everything else.
    writeItemList(map, level, "bouquet_list", "bouquet", true);
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
        {writesList(!satChannels->isEmpty(), "dvb-s"), "dvb-s", &DataFileHandler_ulmx::writeDvbSList},
        {writesList(!cableChannels->isEmpty(), "dvb-c"), "dvb-c", &DataFileHandler_ulmx::writeDvbCList},
        {writesList(!airChannels->isEmpty(), "dvb-t"), "dvb-t", &DataFileHandler_ulmx::writeDvbTList},
        {writesList(!cableChannels->isEmpty(), "analog-c"), "analog-c",
         &DataFileHandler_ulmx::writeAnalogCableList},
        {writesList(!airChannels->isEmpty(), "analog-a"), "analog-a",
         &DataFileHandler_ulmx::writeAnalogAirList},
        {writesList(!astraChannels->isEmpty(), "astra_hdplus"), "astra_hdplus",
         &DataFileHandler_ulmx::writeAstraHDList},
    };
    bool anyWritten = false;
    for (const ListWriter &writer : writers) {
        if (!writer.present)
            continue;
        appendLine(3, QStringLiteral("<service_list type=\"") + QLatin1StringView(writer.type) +
                          QLatin1String("\">"));
        appendLine(4, countryLine(writer.type));
        (this->*writer.write)();
        appendLine(3, QStringLiteral("</service_list>"));
        anyWritten = true;
    }
    // A document without channels is still a document of its country: one empty list names it, so the
    // file opens again (as an empty document) instead of finding no list for the country.
    if (!anyWritten) {
        appendLine(3, QStringLiteral("<service_list type=\"dvb-s\">"));
        appendLine(4, countryLine("dvb-s"));
        appendLine(3, QStringLiteral("</service_list>"));
    }
    // After the document's own lists, so that a reader takes those first.
    for (qsizetype i = 0; i < carried.lists.size(); ++i)
        writeCarriedList(carried.lists[i], carriedBouquets.value(i));
}

bool DataFileHandler_ulmx::writesList(bool hasChannels, const char *type) const {
    // A list the document has no channels for is written all the same, empty, when a carried list of its
    // type follows: else the next load would take that list, which the user never saw, in place of the one
    // they emptied.
    if (hasChannels)
        return true;
    for (const QString &carriedType : carried.types) {
        if (is(carriedType, type))
            return true;
    }
    return false;
}

namespace {

bool isAny(QStringView text, const char *first, const char *second) {
    return text == QLatin1StringView(first) || text == QLatin1StringView(second);
}

QString hexText(quint32 value) {
    QString text;
    UlmxNumbers::appendHex(text, value);
    return text;
}

// The numbers this save gives a carried list's own providers and bouquets, by their numbers in the file. A
// bouquet is known by the low 16 bits of its number, as the reader keys it.
struct OwnNumbers {
    QHash<quint32, int> providers;
    QHash<quint32, int> bouquets;

    // At one of the list's providers or bouquets (the element in its provider_list or bouquet_list, or that
    // element's item_loc child) whose number reads: the map of its kind, the attribute holding the number
    // and the number as the map keys it. Null anywhere else.
    QHash<quint32, int> *at(const UlmxPathReader &walk, QLatin1StringView &numberName, quint32 &key) {
        const bool child = walk.name() == QLatin1String("item_loc");
        const QString item = walk.name(child ? 1 : 0);
        const QString list = walk.name(child ? 2 : 1);
        const bool provider = item == QLatin1String("provider") && list == QLatin1String("provider_list");
        const bool bouquet = item == QLatin1String("bouquet") && list == QLatin1String("bouquet_list");
        numberName = QLatin1StringView(child ? "id" : "item_loc");
        if (!(provider || bouquet) ||
            !UlmxNumbers::toUInt32(walk.token().attributes().value(numberName), 0, key))
            return nullptr;
        if (bouquet)
            key &= 0xFFFFu;
        return provider ? &providers : &bouquets;
    }
};

// Gives the list's own bouquets, or else its own providers, the next numbers of this save.
void numberOwnItems(const QString &listXml, OwnNumbers &own, bool bouquets) {
    for (UlmxPathReader walk(listXml); walk.next();) {
        if (!walk.token().isStartElement())
            continue;
        QLatin1StringView numberName;
        quint32 key = 0;
        QHash<quint32, int> *numbers = own.at(walk, numberName, key);
        if (numbers && (numbers == &own.bouquets) == bouquets && !numbers->contains(key))
            numbers->insert(key, nextItemLoc());
    }
}

} // namespace

void DataFileHandler_ulmx::numberBouquets() {
    // A reader keeps only 16 bits of a bouquet's number: the bouquets take the first numbers of the save,
    // before any transponder or provider, so that no count of those pushes a bouquet past 0xFFFF.
    if (astraBouquetMap && writesList(!astraChannels->isEmpty(), "astra_hdplus")) {
        for (ServiceProvider &bouquet : *astraBouquetMap)
            bouquet.itemLoc = nextItemLoc();
    }
    carriedBouquets.clear();
    for (const QString &list : std::as_const(carried.lists)) {
        OwnNumbers own;
        numberOwnItems(list, own, true);
        carriedBouquets.append(own.bouquets);
    }
}

void DataFileHandler_ulmx::writeCarriedList(const QString &listXml, const QHash<quint32, int> &bouquets) {
    // The list's own bouquets were numbered first of all; its providers get numbers of this save now, and
    // its links follow them.
    OwnNumbers own;
    own.bouquets = bouquets;
    numberOwnItems(listXml, own, false);
    bool satelliteList = false;

    // The list sits three levels deep: written inside as many wrappers, it gets its indentation from the
    // writer, which leaves the lines of a comment or text as they are instead of indenting them once more at
    // every save.
    QString text;
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(-1);
    const QString wrapper = QStringLiteral("w");
    for (int level = 0; level < 3; ++level)
        writer.writeStartElement(wrapper);
    for (UlmxPathReader walk(listXml); walk.next();) {
        const QXmlStreamReader &token = walk.token();
        // Blank text is layout, which the writer makes anew.
        if (token.isCharacters() && token.isWhitespace())
            continue;
        if (!token.isStartElement()) {
            walk.copyTo(writer);
            continue;
        }
        // The list's own element comes before any link.
        if (walk.path().size() == 1)
            satelliteList = token.attributes().value(QLatin1String("type")) == QLatin1String("dvb-s");
        // The attribute holding a number of the file, and the number this save gives it.
        QLatin1StringView numberName;
        quint32 number = 0;
        int renumbered = NO_ITEM_LOC;
        if (walk.name() == QLatin1String("item_link")) {
            numberName = QLatin1StringView("id");
            const bool numbered = UlmxNumbers::toUInt32(token.attributes().value(numberName), 0, number);
            const QString parent = walk.name(1);
            const QStringView linkType = token.attributes().value(QLatin1String("type"));
            bool toRecord = true;
            if (parent == QLatin1String("digital_stream"))
                renumbered = carriedTransponderLoc(number);
            else if (parent == QLatin1String("digital_service") && isAny(linkType, "provider", "1"))
                renumbered =
                    own.providers.value(number, satelliteList ? carriedProviderLoc(number) : NO_ITEM_LOC);
            else if (parent == QLatin1String("digital_service") && isAny(linkType, "bouquet", "2"))
                renumbered = own.bouquets.value(number & 0xFFFFu, NO_ITEM_LOC);
            else
                toRecord = false;
            // A link whose record this save does not write goes; the channel stays.
            if (toRecord && (!numbered || renumbered == NO_ITEM_LOC)) {
                walk.skipElement();
                continue;
            }
        } else if (const QHash<quint32, int> *numbers = own.at(walk, numberName, number)) {
            renumbered = numbers->value(number, NO_ITEM_LOC);
        }
        QXmlStreamAttributes attributes = token.attributes();
        if (renumbered != NO_ITEM_LOC) {
            for (QXmlStreamAttribute &attribute : attributes) {
                if (attribute.qualifiedName() == numberName)
                    attribute = QXmlStreamAttribute(attribute.qualifiedName().toString(),
                                                    hexText(quint32(renumbered)));
            }
        }
        walk.copyTo(writer, attributes);
    }
    writer.writeEndDocument();
    // The list's lines lie between the innermost wrapper's tags.
    const QLatin1StringView opened("\t\t<w>\n");
    const qsizetype from = text.indexOf(opened) + opened.size();
    documentText += QStringView(text).sliced(from, text.lastIndexOf(QLatin1String("\n\t\t</w>")) - from);
    documentText += QLatin1Char('\n');
}

int DataFileHandler_ulmx::carriedTransponderLoc(quint32 id) {
    const auto named = carried.transponders.constFind(id);
    if (named == carried.transponders.cend() || !transponderMap)
        return NO_ITEM_LOC;
    const auto same = [&named](const Transponder &transponder) {
        return transponder.satelliteId == named->satelliteId && transponder.frequency == named->frequency &&
               transponder.polarity == named->polarity && transponder.symbolRate == named->symbolRate;
    };
    // Under its number of the file, unless a merge has since put another transponder there.
    const auto live = transponderMap->constFind(id);
    if (live != transponderMap->cend() && same(*live))
        return live->itemLoc;
    for (const Transponder &transponder : std::as_const(*transponderMap)) {
        if (same(transponder) && transponder.itemLoc != NO_ITEM_LOC)
            return transponder.itemLoc;
    }
    return NO_ITEM_LOC;
}

int DataFileHandler_ulmx::carriedProviderLoc(quint32 id) {
    const auto named = carried.providers.constFind(id);
    if (named == carried.providers.cend() || !satelliteProviderMap)
        return NO_ITEM_LOC;
    const auto live = satelliteProviderMap->constFind(id);
    if (live != satelliteProviderMap->cend() && live->name == *named)
        return live->itemLoc;
    for (const ServiceProvider &provider : std::as_const(*satelliteProviderMap)) {
        if (provider.name == *named && provider.itemLoc != NO_ITEM_LOC)
            return provider.itemLoc;
    }
    return NO_ITEM_LOC;
}

bool DataFileHandler_ulmx::namesNoCountry(const char *type) const {
    if (countryCode != QLatin1String("*"))
        return false;
    const QString listType = QLatin1String(type);
    if (carried.ownTypes.contains(listType))
        return carried.typesWithoutCountry.contains(listType);
    // A list the file did not have (written for the channels of its sibling, or the one list of a document
    // without channels) names a country only if the document's own lists did.
    return !carried.ownTypes.isEmpty() && carried.typesWithoutCountry.size() == carried.ownTypes.size();
}

QString DataFileHandler_ulmx::countryLine(const char *type) const {
    QString country = namesNoCountry(type) ? QString() : countryCode;
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
    for (const T &channel : channels) {
        if (channel.isDeleted() || channel.kind() != Channel::ANALOGUE)
            continue;
        QString line = QStringLiteral("<analog_service");
        QString name = channel.name();
        attribute(line, "name", escapeXml(name));
        attribute(line, "freq", frequencyText(channel.frequency()));
        decimalAttribute(line, "rcn", channel.number());
        line += QLatin1String("/>");
        appendLine(4, line);
    }
}

static QString deliveryLine(const AirChannel &first) {
    QString line = QStringLiteral("<terrestrial_delivery");
    attribute(line, "freq", frequencyText(first.frequency()));
    attribute(line, "bandwidth", bandwidthText(first.bandwidth()));
    line += QLatin1String("/>");
    return line;
}

static QString deliveryLine(const CableChannel &first) {
    QString line = QStringLiteral("<cable_delivery");
    attribute(line, "freq", frequencyText(first.frequency()));
    decimalAttribute(line, "sr", first.symbolRate());
    attribute(line, "mod", cableModulationText(first.modulation()));
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
    // The first channel of a stream, deleted or not, gives its delivery values.
    for (const UlmxStreams::Stream<T> &stream : UlmxStreams::byFrequency(channels)) {
        appendLine(4, QStringLiteral("<digital_stream>"));
        appendLine(5, deliveryLine(*stream.first));
        for (const T *service : stream.services)
            appendLine(5, serviceLine(*service, true));
        appendLine(4, QStringLiteral("</digital_stream>"));
    }
}

void DataFileHandler_ulmx::writeDvbSList() {
    writeSatelliteStreams(*satChannels);
}

void DataFileHandler_ulmx::writeAstraHDList() {
    appendLine(4, QStringLiteral("<identifier type=\"astrahd_srv_list\" val=\"0x0001\"/>"));
    // Providers and bouquets get their numbers here, before any service links to them.
    writeProviderList(astraProviderMap, 4);
    writeBouquetList(astraBouquetMap, 4);
    writeSatelliteStreams(*astraChannels);
}

template <typename T> void DataFileHandler_ulmx::writeSatelliteStreams(const ChannelList<T> &channels) {
    // Analogue channels are written only as services of a transponder's stream.
    for (const UlmxStreams::Stream<T> &stream : UlmxStreams::byTransponder(channels)) {
        appendLine(4, QStringLiteral("<digital_stream>"));
        const int itemLoc = findIdInMap(stream.first->transponderId(), transponderMap);
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
