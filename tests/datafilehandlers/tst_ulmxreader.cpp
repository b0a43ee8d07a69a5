// The universal reader against hand-written documents.
#include "support/ulmxtestsupport.h"

#include <QTemporaryDir>

#include <QTest>
#include <sys/stat.h>

namespace {

QString analogA(const QString &country, const QString &services) {
    return QStringLiteral("<service_list type=\"analog-a\"><country_code val=\"%1\"/>%2</service_list>")
        .arg(country, services);
}

QString analogService(const QString &name, const QString &freq, const QString &rcn) {
    return QStringLiteral("<analog_service name=\"%1\" freq=\"%2\" rcn=\"%3\"/>").arg(name, freq, rcn);
}

// A satellite database with one satellite and one transponder of item_loc 2, and provider 3.
const QString ONE_TRANSPONDER = QStringLiteral("<satellite id=\"1\" name=\"Sat\"><orbital_pos val=\"19.2E\"/>"
                                               "<transponder freq=\"11494000\" pol=\"V\" sr=\"27500000\" "
                                               "mod=\"QPSK\" fec=\"3/4\" item_loc=\"0x2\"/></satellite>");

QStringList names(const ChannelList<AirChannel> &list) {
    QStringList result;
    for (const AirChannel &channel : list)
        result << channel.name();
    return result;
}

} // namespace

class TestUlmxReader : public QObject {
    Q_OBJECT

private slots:
    void countrySelection_data();
    void countrySelection();
    void airListsKeepTheirKindsApart();
    void airAndCableValues();
    void lenientTerrestrialNumbers();
    void cableStreams();
    void satelliteDatabase();
    void orbitalPositions_data();
    void orbitalPositions();
    void itemLocations();
    void satelliteList();
    void astraHDList();
    void versionAndDatabaseWithoutList();
    void skeletonIsStrictAboutNamesOnly();
    void escapesAreUndone();
    void astraLoaderAloneReadsTheDatabase();
    void missingFileTouchesNothing();
    void emptyRequestedCountry();
};

void TestUlmxReader::countrySelection_data() {
    QTest::addColumn<QString>("lists");
    QTest::addColumn<QString>("requested");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("expected");

    const QString star = analogA("*", analogService("Star", "175.25", "1"));
    const QString deu = analogA("DEU", analogService("Deu", "175.25", "2"));
    const QString deuLower = analogA("deu", analogService("Lower", "175.25", "3"));
    const QString fra = analogA("FRA", analogService("Fra", "175.25", "4"));
    const QString star2 = analogA("*", analogService("Star2", "175.25", "5"));
    const QString noCode = QStringLiteral("<service_list type=\"analog-a\">%1</service_list>")
                               .arg(analogService("NoCode", "175.25", "6"));

    QTest::newRow("star then exact") << star + deu << "DEU" << int(RC_SUCCESS) << QStringList{"Deu"};
    QTest::newRow("exact then star") << deu + star << "DEU" << int(RC_SUCCESS) << QStringList{"Deu"};
    QTest::newRow("first exact wins") << deu + deuLower << "DEU" << int(RC_SUCCESS) << QStringList{"Deu"};
    QTest::newRow("case ignored in file") << deuLower << "DEU" << int(RC_SUCCESS) << QStringList{"Lower"};
    QTest::newRow("case ignored in request") << deu << "deu" << int(RC_SUCCESS) << QStringList{"Deu"};
    QTest::newRow("second star skipped") << star + star2 << "DEU" << int(RC_SUCCESS) << QStringList{"Star"};
    QTest::newRow("other country only") << fra << "DEU" << int(RC_NO_SERVICE_LIST) << QStringList{};
    QTest::newRow("star beside other") << fra + star << "DEU" << int(RC_SUCCESS) << QStringList{"Star"};
    QTest::newRow("no country code") << noCode << "DEU" << int(RC_NO_SERVICE_LIST) << QStringList{};
    QTest::newRow("no country code, any asked")
        << fra + noCode << "*" << int(RC_SUCCESS) << QStringList{"NoCode"};
}

void TestUlmxReader::countrySelection() {
    QFETCH(QString, lists);
    QFETCH(QString, requested);
    QFETCH(int, result);
    QFETCH(QStringList, expected);
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(lists), requested);
    QCOMPARE(load.airResult, result);
    QCOMPARE(names(load.air), expected);
    QCOMPARE(load.country, requested);
}

void TestUlmxReader::airListsKeepTheirKindsApart() {
    // An exact analogue list replaces the "*" analogue list only, never the digital channels taken.
    const QString dvbT =
        QStringLiteral("<service_list type=\"dvb-t\"><country_code val=\"*\"/><digital_stream>"
                       "<terrestrial_delivery freq=\"474\" bandwidth=\"8mhz\"/>"
                       "<digital_service name=\"Digital\" sid=\"0x1\" scrambled=\"0\" rcn=\"1\" "
                       "type=\"0x1\"/></digital_stream></service_list>");
    const QString lists = analogA("*", analogService("StarAnalogue", "175.25", "1")) + dvbT +
                          analogA("DEU", analogService("DeuAnalogue", "183.25", "2"));
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(lists));
    QCOMPARE(load.airResult, int(RC_SUCCESS));
    // Digital channels come first, whatever the document order.
    QCOMPARE(names(load.air), (QStringList{"Digital", "DeuAnalogue"}));
    QCOMPARE(load.cableResult, int(RC_NO_SERVICE_LIST));
    QCOMPARE(load.satelliteResult, int(RC_NO_SERVICE_LIST));
    QCOMPARE(load.astraResult, int(RC_NO_SERVICE_LIST));
}

void TestUlmxReader::airAndCableValues() {
    const QString lists =
        QStringLiteral("<service_list type=\"dvb-t\"><country_code val=\"DEU\"/><digital_stream>"
                       "<terrestrial_delivery freq=\"474.25\" bandwidth=\"7mhz\"/>"
                       "<digital_service name=\"T\" sid=\"0x2b\" scrambled=\"1\" rcn=\"12\" type=\"0x19\"/>"
                       "</digital_stream></service_list>"
                       "<service_list type=\"analog-c\"><country_code val=\"DEU\"/>"
                       "<analog_service name=\"C\" freq=\"112.25\" rcn=\"7\"/></service_list>");
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(lists));
    QCOMPARE(load.air.size(), 1);
    const AirChannel &t = load.air[0];
    QCOMPARE(t.serviceId(), 0x2b);
    QCOMPARE(t.number(), quint16(12));
    QCOMPARE(t.frequency(), 474.25f);
    QCOMPARE(t.serviceType(), 0x19);
    QVERIFY(t.isScrambled());
    QVERIFY(!t.isLocked());
    QCOMPARE(t.kind(), int(Channel::DIGITAL));
    QCOMPARE(t.bandwidth(), quint16(7));
    QCOMPARE(t.soundSystem(), 0);
    QCOMPARE(t.colourSystem(), 6);
    QCOMPARE(t.transportStreamId(), -1);
    QCOMPARE(t.originalNetworkId(), 0);
    QCOMPARE(t.favouritePosition(1), int(Channel::NOT_A_MEMBER));
    QVERIFY(!t.isDeleted());

    QCOMPARE(load.cableResult, int(RC_SUCCESS));
    QCOMPARE(load.cable.size(), 1);
    const CableChannel &c = load.cable[0];
    QCOMPARE(c.serviceId(), 0);
    QCOMPARE(c.serviceType(), 1);
    QCOMPARE(c.kind(), int(Channel::ANALOGUE));
    QCOMPARE(c.modulation(), -1);
    QCOMPARE(c.symbolRate(), quint16(0));
    QCOMPARE(c.colourSystem(), 6);
    QCOMPARE(c.number(), quint16(7));
}

void TestUlmxReader::lenientTerrestrialNumbers() {
    const QString analogue = analogA(
        "DEU", analogService("rcn100", "175.25", "100") + analogService("rcnText", "175.25", "abc") +
                   analogService("rcnBinary", "175.25", "0b11") + analogService("negativeFreq", "-5", "1") +
                   analogService("textFreq", "x", "2") + analogService("hexRcn", "175.25", "0x0A") +
                   QStringLiteral("<analog_service name=\"noRcn\" freq=\"1\"/>"));
    const QString services = QStringLiteral("<digital_service name=\"n10000\" rcn=\"10000\"/>"
                                            "<digital_service name=\"hex\" rcn=\"0x10\" scrambled=\"yes\"/>"
                                            "<digital_service name=\"octal\" rcn=\"010\" scrambled=\"1\"/>"
                                            "<digital_service name=\"wide\" rcn=\"65537\" sid=\"junk\"/>"
                                            "<digital_service name=\"blank\" rcn=\" 42 \" type=\"1f\"/>");
    const QString dvbT =
        QStringLiteral("<service_list type=\"dvb-t\"><country_code val=\"DEU\"/>"
                       "<digital_stream><terrestrial_delivery freq=\"474\" bandwidth=\"8mhz\"/>%1"
                       "</digital_stream>"
                       "<digital_stream><terrestrial_delivery freq=\"482\" bandwidth=\"8\"/>"
                       "<digital_service name=\"bw8\"/></digital_stream>"
                       "<digital_stream><terrestrial_delivery freq=\"490\" bandwidth=\"8MHZ\"/>"
                       "<digital_service name=\"bwUpper\"/></digital_stream>"
                       "<digital_stream><digital_service name=\"noDelivery\"/>"
                       "<terrestrial_delivery freq=\"nan\"/></digital_stream>"
                       "<digital_stream/>"
                       "<digital_stream><digital_service name=\"deliveryLast\"/>"
                       "<terrestrial_delivery freq=\"1e3\"/></digital_stream>"
                       "</service_list>")
            .arg(services);
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(dvbT + analogue));
    QCOMPARE(names(load.air), (QStringList{"n10000", "hex", "octal", "wide", "blank", "bw8", "bwUpper",
                                           "deliveryLast", "rcn100", "negativeFreq", "textFreq", "hexRcn"}));
    QCOMPARE(load.air[0].number(), quint16(0));
    QCOMPARE(load.air[1].number(), quint16(16));
    QVERIFY(!load.air[1].isScrambled());
    QCOMPARE(load.air[2].number(), quint16(8));
    QVERIFY(load.air[2].isScrambled());
    QCOMPARE(load.air[3].number(), quint16(0)); // beyond 16 bits: no number
    QCOMPARE(load.air[3].serviceId(), 0);
    QCOMPARE(load.air[4].number(), quint16(42));
    QCOMPARE(load.air[4].serviceType(), 0x1f); // base 16 without prefix
    QCOMPARE(load.air[0].bandwidth(), quint16(8));
    QCOMPARE(load.air[5].bandwidth(), quint16(8));
    QCOMPARE(load.air[6].bandwidth(), quint16(0));
    QCOMPARE(load.air[7].frequency(), 1000.0f);
    QCOMPARE(load.air[8].number(), quint16(0));
    QCOMPARE(load.air[9].frequency(), 0.0f);
    QCOMPARE(load.air[10].frequency(), 0.0f);
    QCOMPARE(load.air[11].number(), quint16(10));
}

void TestUlmxReader::cableStreams() {
    const QString lists =
        QStringLiteral("<service_list type=\"dvb-c\"><country_code val=\"DEU\"/>"
                       "<digital_stream><cable_delivery freq=\"346\" mod=\"64qam\"/>"
                       "<digital_service name=\"noSr\"/></digital_stream>"
                       "<digital_stream><cable_delivery freq=\"354\" sr=\"6900\" mod=\"64qam\"/>"
                       "<digital_service name=\"q64\"/></digital_stream>"
                       "<digital_stream><cable_delivery freq=\"362\" sr=\"70000\" mod=\"QPSK\"/>"
                       "<digital_service name=\"qpsk\"/></digital_stream>"
                       "<digital_stream><cable_delivery freq=\"370\" sr=\"6875\" mod=\"256QAM\"/>"
                       "<digital_service name=\"q256\"/></digital_stream>"
                       "</service_list>"
                       "<service_list type=\"analog-c\"><country_code val=\"DEU\"/>"
                       "<analog_service name=\"badRcn\" freq=\"112.25\" rcn=\"x\"/>"
                       "<analog_service name=\"badFreq\" freq=\"x\" rcn=\"1\"/>"
                       "</service_list>");
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(lists));
    QCOMPARE(load.cableResult, int(RC_SUCCESS));
    QCOMPARE(load.cable.size(), 4);
    QCOMPARE(load.cable[0].name(), QStringLiteral("q64"));
    QCOMPARE(load.cable[0].modulation(), 1);
    QCOMPARE(load.cable[0].symbolRate(), quint16(6900));
    QCOMPARE(load.cable[1].modulation(), -1);
    QCOMPARE(load.cable[1].symbolRate(), quint16(70000 & 0xFFFF));
    QCOMPARE(load.cable[2].modulation(), 2);
    QCOMPARE(load.cable[3].name(), QStringLiteral("badRcn"));
    QCOMPARE(load.cable[3].number(), quint16(0));
}

void TestUlmxReader::satelliteDatabase() {
    const QString satellites = QStringLiteral(
        "<satellite id=\"0x10\" name=\"First\">"
        "<orbital_pos val=\"13E\"/>"
        "<transponder freq=\"10719000.5\" pol=\"H\" sr=\"27500000\" mod=\"qpsk\" fec=\"9/10\" "
        "item_loc=\"0x10\"/>"
        "<transponder freq=\"-7\" pol=\"v\" sr=\"0x10\" mod=\"8PSK\" fec=\"No conv.\" item_loc=\"17\"/>"
        "<package_list><transponder item_loc=\"99\"/></package_list>"
        "<sat_id_override id=\"0xFFE2\"/>"
        "<transponder freq=\"12000000\" item_loc=\"020\"/>"
        "<transponder freq=\"1\"/>"
        "</satellite>"
        "<satellite id=\"2\" name=\"Empty\"/>"
        "<satellite id=\"3\" name=\"NoTransponder\"><orbital_pos val=\"5.0W\"/></satellite>"
        "<satellite name=\"NoId\"><transponder freq=\"1\" item_loc=\"30\"/>"
        "<transponder freq=\"2\" item_loc=\"30\"/></satellite>");
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(QString(), satellites));
    QCOMPARE(load.satelliteResult, int(RC_NO_SERVICE_LIST));
    QCOMPARE(load.satellites.keys(), (QList<quint16>{0, 0xFFE2}));
    const SatelliteInfo &first = load.satellites.value(0xFFE2);
    QCOMPARE(first.name, QStringLiteral("First"));
    QCOMPARE(first.orbitalPos, 0x8082);
    QCOMPARE(first.transponderCount, 3);
    QCOMPARE(first.kind, 2);
    // Two transponders with one number: the later is kept, both are counted.
    QCOMPARE(load.satellites.value(0).transponderCount, 2);
    QCOMPARE(load.transponders.value(30).frequency, 2.0f);

    QCOMPARE(load.transponders.keys(), (QList<quint32>{16, 17, 30}));
    // 020 is octal 16: the third transponder replaces the first and takes the overriding satellite id.
    const Transponder a = load.transponders.value(16);
    QCOMPARE(quint16(a.satelliteId), quint16(0xFFE2));
    QCOMPARE(a.frequency, 12000000.0f);
    QCOMPARE(a.polarity, 2);
    QCOMPARE(a.modulation, -1);
    QCOMPARE(a.fec, 0);
    QCOMPARE(a.symbolRate, 0);
    const Transponder b = load.transponders.value(17);
    QCOMPARE(quint16(b.satelliteId), quint16(0x10)); // before the override
    QCOMPARE(b.frequency, 0.0f);
    QCOMPARE(b.polarity, 2);   // lower-case v is no polarity
    QCOMPARE(b.symbolRate, 0); // decimal only
    QCOMPARE(b.modulation, -1);
    QCOMPARE(b.fec, 0);
    QCOMPARE(b.itemLoc, 0);
}

void TestUlmxReader::orbitalPositions_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::newRow("19.2E") << "19.2E" << 0x80C0;
    QTest::newRow("5.0W") << "5.0W" << 50;
    QTest::newRow("13E") << "13E" << 0x8082;
    QTest::newRow("19.25E") << "19.25E" << 0x80D7;
    QTest::newRow("lower e") << "19.2e" << 190;
    QTest::newRow("comma") << "19,2E" << 0x8000;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("huge") << "99999999999.9E" << 0x8009;
    QTest::newRow("wraps") << "429496729.5W" << int((429496729u * 10u + 5u) & 0xFFFFu);
}

void TestUlmxReader::orbitalPositions() {
    QFETCH(QString, text);
    QFETCH(int, position);
    const QString satellites =
        QStringLiteral(
            "<satellite id=\"1\"><orbital_pos val=\"%1\"/><transponder item_loc=\"2\"/></satellite>")
            .arg(text);
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(QString(), satellites));
    QCOMPARE(load.satellites.value(1).orbitalPos, position);
}

void TestUlmxReader::itemLocations() {
    const QString satellites = QStringLiteral("<satellite id=\"1\"><transponder item_loc=\"abc\">"
                                              "<item_loc/><item_loc id=\"x\"/><item_loc id=\"0x7\"/>"
                                              "</transponder></satellite>");
    const QString astra = QStringLiteral(
        "<service_list type=\"astra_hdplus\"><country_code val=\"DEU\"/>"
        "<provider_list><provider name=\"P\" item_loc=\"0x10005\"/><provider name=\"none\"/></provider_list>"
        "<bouquet_list><bouquet name=\"B\" item_loc=\"0x10005\"/><bouquet name=\"C\">"
        "<item_loc id=\"9\"/></bouquet></bouquet_list></service_list>");
    const QString satelliteProviders =
        QStringLiteral("<provider_list><provider name=\"S\" item_loc=\"16\"/></provider_list>");
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(satelliteProviders + astra, satellites));
    QCOMPARE(load.transponders.keys(), QList<quint32>{7});
    QCOMPARE(load.providers.value(3).keys(), QList<quint32>{16});
    QCOMPARE(load.providers.value(8).keys(), QList<quint32>{65541});
    QCOMPARE(load.bouquets.value(8).keys(), (QList<quint32>{5, 9}));
    QCOMPARE(load.bouquets.value(8).value(5).name, QStringLiteral("B"));
    QCOMPARE(load.astraResult, int(RC_SUCCESS)); // an exact list was taken, even without channels
}

void TestUlmxReader::satelliteList() {
    const QString list = QStringLiteral(
        "<service_list type=\"dvb-s\"><country_code val=\"DEU\"/>"
        "<provider_list><provider name=\"InList\" item_loc=\"0x40\"/></provider_list>"
        "<digital_stream><digital_service name=\"before link\"/><item_link id=\"bad\"/>"
        "<item_link id=\"0x2\" type=\"anything\"/>"
        "<digital_service name=\"A\" sid=\"0x6d66\" scrambled=\"1\" rcn=\"65537\" type=\"0x1\">"
        "<item_link id=\"0x3\" type=\"provider\"/></digital_service>"
        "<item_link id=\"0x9\"/>"
        "<digital_service name=\"B\" sid=\"0xffffffff\" rcn=\"012\" type=\"0xffffffff\"><!-- c -->"
        "<item_link id=\"0x3\" type=\"provider\"/></digital_service>"
        "<digital_service name=\"C\" rcn=\"10000\"><item_link id=\"0x4\" type=\"1\"/></digital_service>"
        "<digital_service name=\"D\"><item_link id=\"0x4\" type=\"2\"/></digital_service>"
        "</digital_stream>"
        "<digital_stream><digital_service name=\"no link\"/></digital_stream>"
        "</service_list>");
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(list, ONE_TRANSPONDER));
    QCOMPARE(load.satelliteResult, int(RC_SUCCESS));
    QCOMPARE(load.satellite.size(), 5);
    const SatelliteChannel &a = load.satellite[0];
    QCOMPARE(a.name(), QStringLiteral("A"));
    QCOMPARE(a.serviceId(), 0x6d66);
    QCOMPARE(a.number(), quint16(1));
    QCOMPARE(a.transponderId(), quint32(2));
    QCOMPARE(a.providerId(), quint32(3));
    QVERIFY(a.isScrambled());
    QCOMPARE(a.kind(), int(Channel::DIGITAL));
    QCOMPARE(a.transportStreamId(), -1);
    const SatelliteChannel &b = load.satellite[1];
    QCOMPARE(b.transponderId(), quint32(2)); // a second link changes nothing
    QCOMPARE(b.providerId(), NO_ID);         // the provider link is not the first child
    QCOMPARE(b.number(), quint16(10));
    QCOMPARE(b.serviceId(), -1); // written from the unsigned view, read back as the value it came from
    QCOMPARE(b.serviceType(), -1);
    QCOMPARE(load.satellite[2].providerId(), quint32(4));
    QCOMPARE(load.satellite[2].number(), quint16(0));
    QCOMPARE(load.satellite[3].providerId(), NO_ID);
    // A stream without a transponder link keeps its services, without a transponder.
    QCOMPARE(load.satellite[4].name(), QStringLiteral("no link"));
    QCOMPARE(load.satellite[4].transponderId(), NO_ID);
    QCOMPARE(load.providers.value(3).keys(), QList<quint32>{0x40});
}

void TestUlmxReader::astraHDList() {
    QString bouquetLinks;
    for (int i = 1; i <= 18; ++i)
        bouquetLinks +=
            QStringLiteral("<item_link id=\"%1\" type=\"%2\"/>").arg(i).arg(i % 2 ? "bouquet" : "2");
    const QString list =
        QStringLiteral("<service_list type=\"astra_hdplus\"><country_code val=\"*\"/>"
                       "<identifier type=\"whatever\" val=\"12\"/>"
                       "<digital_stream><item_link id=\"0x2\"/>"
                       "<digital_service name=\"HD\" sid=\"0x2ee3\" rcn=\"1\" type=\"0x19\">"
                       "<!-- comment first --><item_link id=\"0x5\" type=\"provider\"/>"
                       "<logical_channel lcn=\"0x65\"/><identifier type=\"vsid\" val=\"0x1f4\"/>"
                       "<identifier type=\"other\" val=\"0x9\"/>%1</digital_service>"
                       "<digital_service name=\"Bare\"/>"
                       "<digital_service name=\"Typed\"><logical_channel type=\"vsid\" lcn=\"10\"/>"
                       "<item_link id=\"zz\" type=\"provider\"/></digital_service>"
                       "</digital_stream></service_list>")
            .arg(bouquetLinks);
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(list, ONE_TRANSPONDER));
    QCOMPARE(load.astraResult, int(RC_SUCCESS));
    QCOMPARE(load.astra.size(), 3);
    const AstraHDChannel &hd = load.astra[0];
    QCOMPARE(hd.providerId(), quint32(5));
    QCOMPARE(hd.logicalChannelNumber(), quint16(0x65));
    QCOMPARE(hd.vsid(), quint16(0x1f4));
    QCOMPARE(hd.flag(), quint8(0));
    // Sixteen slots take the first sixteen links in order; the rest are dropped.
    for (int slot = 0; slot < AstraHDChannel::MAX_BOUQUETS; ++slot)
        QCOMPARE(hd.bouquetId(slot), quint16(slot + 1));
    const AstraHDChannel &bare = load.astra[1];
    QCOMPARE(bare.providerId(), NO_ID);
    QCOMPARE(bare.vsid(), quint16(0));
    QCOMPARE(bare.bouquetId(0), quint16(0));
    QCOMPARE(load.astra[2].logicalChannelNumber(), quint16(0x10));
    QCOMPARE(load.astra[2].providerId(), NO_ID);

    // No Astra HD+ list for the country: nothing taken, and the caller hears so.
    const UlmxLoad none = UlmxLoad::fromBytes(ulmxDocument(QString(), ONE_TRANSPONDER));
    QCOMPARE(none.astraResult, int(RC_NO_SERVICE_LIST));
    QVERIFY(none.astra.isEmpty());
    QVERIFY(none.providers.value(8).isEmpty());
    QVERIFY(none.bouquets.value(8).isEmpty());
}

void TestUlmxReader::versionAndDatabaseWithoutList() {
    struct Case {
        const char *text;
        int version;
    };
    const Case cases[] = {{"1.5", 105}, {"1.05", 105}, {"1.50", 150}, {"7", 7},
                          {"0.1", 1},   {"x.3", 3},    {"", 0},       {"42949672.95", -1}};
    for (const Case &c : cases) {
        const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(QString(), ONE_TRANSPONDER, c.text));
        QCOMPARE(load.header, c.version);
        // No satellite list for the country, yet the database is there for the caller.
        QCOMPARE(load.satelliteResult, int(RC_NO_SERVICE_LIST));
        QCOMPARE(load.satellites.size(), 1);
        QCOMPARE(load.transponders.size(), 1);
    }
    // Several version elements: the last counts; none at all gives 0.
    const QByteArray twice =
        "<ULM><ulm_header><version val=\"1.1\"/><version val=\"2.2\"/></ulm_header></ULM>";
    QCOMPARE(UlmxLoad::fromBytes(twice).header, 202);
    QCOMPARE(UlmxLoad::fromBytes("<ULM><ulm_header><!-- x --></ulm_header></ULM>").header, 0);
}

void TestUlmxReader::skeletonIsStrictAboutNamesOnly() {
    const QString body = analogA("DEU", analogService("A", "175.25", "1"));
    // Unknown elements and attributes anywhere are passed over; the body may come before the header.
    const QByteArray reordered =
        QStringLiteral("<ULM extra=\"1\"><unknown><ulm_body/></unknown><ulm_body><service_database>"
                       "<foo bar=\"1\"/>%1</service_database></ulm_body><ulm_header><version val=\"2.1\" "
                       "other=\"x\"/></ulm_header></ULM>")
            .arg(body)
            .toUtf8();
    UlmxLoad load = UlmxLoad::fromBytes(reordered);
    QCOMPARE(load.airResult, int(RC_SUCCESS));
    QCOMPARE(load.air.size(), 1);
    QCOMPARE(load.header, 201);

    // Lists under another parent, or a type in the wrong case, are not read.
    load = UlmxLoad::fromBytes(QStringLiteral("<ULM><ulm_body>%1</ulm_body></ULM>").arg(body).toUtf8());
    QCOMPARE(load.airResult, int(RC_NO_SERVICE_LIST));
    const QString upper = QString(body).replace("analog-a", "ANALOG-A");
    QCOMPARE(UlmxLoad::fromBytes(ulmxDocument(upper)).airResult, int(RC_NO_SERVICE_LIST));

    // A root of another name is no universal document at all.
    QCOMPARE(UlmxLoad::fromBytes("<ulm><ulm_body/></ulm>").airResult, int(RC_INVALID_FORMAT));
    // An empty but correct root is a document without lists.
    load = UlmxLoad::fromBytes("<ULM/>");
    QCOMPARE(load.satelliteResult, int(RC_NO_SERVICE_LIST));
    QCOMPARE(load.astraResult, int(RC_NO_SERVICE_LIST));
    QCOMPARE(load.header, 0);
}

void TestUlmxReader::escapesAreUndone() {
    const QString body =
        analogA("DEU", QStringLiteral("<analog_service name=\"a&amp;b&lt;c&gt;d&quot;e&apos;f"
                                      "&#9;g&#x41;\" freq=\"1\" rcn=\"1\"/>"));
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(body));
    QCOMPARE(load.air.size(), 1);
    QCOMPARE(load.air[0].name(), QStringLiteral("a&b<c>d\"e'f\tgA"));
}

void TestUlmxReader::astraLoaderAloneReadsTheDatabase() {
    const QString list = QStringLiteral("<service_list type=\"astra_hdplus\"><country_code val=\"DEU\"/>"
                                        "<digital_stream><item_link id=\"2\"/><digital_service name=\"X\"/>"
                                        "</digital_stream></service_list>");
    DataFileHandler_ulmx handler{QString()};
    handler.setDocumentBytes(ulmxDocument(list, ONE_TRANSPONDER, "1.2"));
    ChannelList<AstraHDChannel> astra;
    SatelliteMap satellites;
    TransponderMap transponders;
    CategoryProviderMap providers;
    CategoryProviderMap bouquets;
    QCOMPARE(handler.loadAstraHD(astra, satellites, transponders, providers, bouquets, nullptr, "DEU"),
             int(RC_SUCCESS));
    QCOMPARE(astra.size(), 1);
    QCOMPARE(satellites.size(), 1);
    QCOMPARE(transponders.size(), 1);

    // After the load is over the handler forgets the caller's maps: a later load reads the database again
    // into the maps it is given, instead of touching the earlier ones.
    QString country;
    handler.country(country);
    SatelliteMap satellites2;
    TransponderMap transponders2;
    QCOMPARE(handler.loadAstraHD(astra, satellites2, transponders2, providers, bouquets, nullptr, "DEU"),
             int(RC_SUCCESS));
    QCOMPARE(satellites2.size(), 1);
}

void TestUlmxReader::missingFileTouchesNothing() {
    QTemporaryDir dir;
    UlmxLoad load;
    load.air.append(AirChannel(1, "keep", 1, 1, 1, false, false, 0, 8, 0, 6, -1, 0));
    load.satellites.insert(5, SatelliteInfo{"keep", 1, 0, 2});
    DataFileHandler_ulmx handler(dir.filePath("absent.ulmx"));
    load.run(handler, "DEU");
    QCOMPARE(load.satelliteResult, int(RC_FILE_NOT_FOUND));
    QCOMPARE(load.cableResult, int(RC_FILE_NOT_FOUND));
    QCOMPARE(load.airResult, int(RC_FILE_NOT_FOUND));
    QCOMPARE(load.astraResult, int(RC_FILE_NOT_FOUND));
    QCOMPARE(load.air.size(), 1);
    QCOMPARE(load.satellites.size(), 1);
    QCOMPARE(load.header, -12345);

    // A folder or a pipe is no file to read (a pipe without writer would block the reader for good).
    DataFileHandler_ulmx folder(dir.path());
    ChannelList<AirChannel> air;
    QCOMPARE(folder.loadAir(air, "DEU"), int(RC_CANNOT_OPEN));
    const QString fifo = dir.filePath("pipe.ulmx");
    if (mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0) {
        DataFileHandler_ulmx pipe(fifo);
        QCOMPARE(pipe.loadAir(air, "DEU"), int(RC_CANNOT_OPEN));
    }

    // A file without read permission cannot be opened (unless the tests run with rights that ignore it).
    const QString locked = dir.filePath("locked.ulmx");
    QVERIFY(writeAll(locked, ulmxDocument(QString())));
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    if (!QFileInfo(locked).isReadable()) {
        DataFileHandler_ulmx unreadable(locked);
        QCOMPARE(unreadable.loadAir(air, "DEU"), int(RC_CANNOT_OPEN));
    }
}

void TestUlmxReader::emptyRequestedCountry() {
    // Only a list without a code matches an empty request; the document's country is then "*".
    const QString noCode = QStringLiteral("<service_list type=\"analog-a\">%1</service_list>")
                               .arg(analogService("NoCode", "175.25", "6"));
    const UlmxLoad load = UlmxLoad::fromBytes(ulmxDocument(noCode), QString());
    QCOMPARE(load.air.size(), 1);
    QCOMPARE(load.country, QStringLiteral("*"));
}

QTEST_GUILESS_MAIN(TestUlmxReader)
#include "tst_ulmxreader.moc"
