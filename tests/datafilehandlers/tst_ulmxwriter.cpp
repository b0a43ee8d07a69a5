// The universal writer: layout, number forms, item locations, round trips and safe saving.
#include "support/ulmxtestsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

SatelliteChannel satelliteChannel(int sid, const QString &name, quint16 number, quint32 transponder,
                                  quint32 provider, bool scrambled = false, int kind = Channel::DIGITAL) {
    return SatelliteChannel(sid, name, number, transponder, provider, 1, scrambled, false, kind, 1, 1);
}

AstraHDChannel astraChannel(int sid, const QString &name, quint16 number, quint32 transponder,
                            quint32 provider, quint16 vsid, quint16 lcn,
                            std::initializer_list<quint16> bouquets) {
    const QVector<quint16> ids(bouquets);
    return AstraHDChannel(sid, name, number, transponder, provider, vsid, lcn, 0, ids.constData(),
                          int(ids.size()), 0x19, false, false, Channel::DIGITAL, 1, 1);
}

// An analog-c list of the country holding one channel of the name.
QString analogCableList(const QString &country, const QString &name) {
    return QStringLiteral("<service_list type=\"analog-c\"><country_code val=\"%1\"/>"
                          "<analog_service name=\"%2\" freq=\"112.25\" rcn=\"1\"/></service_list>")
        .arg(country, name);
}

AirChannel airChannel(int sid, const QString &name, quint16 number, float mhz, int kind,
                      quint16 bandwidth = 8) {
    return AirChannel(sid, name, number, mhz, kind == Channel::ANALOGUE ? 1 : 0x16, false, false, kind,
                      bandwidth, 0, 6, -1, 0);
}

CableChannel cableChannel(int sid, const QString &name, quint16 number, float mhz, int kind,
                          quint16 symbolRate, int modulation) {
    return CableChannel(sid, name, number, mhz, kind == Channel::ANALOGUE ? 1 : 0x1, kind == Channel::DIGITAL,
                        false, kind, symbolRate, 0, 6, modulation, -1, 0);
}

Transponder transponder(int satelliteId, float khz, int polarity, int symbolRate, int modulation, int fec) {
    Transponder t;
    t.satelliteId = qint16(satelliteId);
    t.frequency = khz;
    t.polarity = polarity;
    t.symbolRate = symbolRate;
    t.modulation = modulation;
    t.fec = fec;
    return t;
}

// A document with every section and channel kind, made only of values the format carries unchanged, so that
// it reads back to itself.
void fillCompleteDocument(ChannelListProvider &document) {
    SatelliteChannel::clearDatabase();
    SatelliteChannel::databaseHeader = 105;
    SatelliteChannel::satellites.insert(1, SatelliteInfo{"Astra 19.2°E", 2, 0x80C0, 2});
    SatelliteChannel::satellites.insert(0xFFE1, SatelliteInfo{"User <1> & \"co\"", 1, 50, 2});
    SatelliteChannel::transponders.insert(100, transponder(1, 11494000, 1, 22000000, 5, 3));
    SatelliteChannel::transponders.insert(101, transponder(1, 12188000, 0, 27500000, 5, 12));
    SatelliteChannel::transponders.insert(102, transponder(0xFFE1, 10714000, 2, 22000000, -1, 0));
    SatelliteChannel::serviceProviders[3].insert(7, ServiceProvider{"ARD", 0, 0});
    SatelliteChannel::serviceProviders[3].insert(9, ServiceProvider{"ZDFvision", 0, 0});
    SatelliteChannel::serviceProviders[8].insert(1, ServiceProvider{"HD+", 0, 0});
    SatelliteChannel::bouquets[8].insert(3, ServiceProvider{"Basis", 0, 0});
    SatelliteChannel::bouquets[8].insert(4, ServiceProvider{"Premium", 0, 0});

    auto *satellite = document.satelliteList();
    satellite->append(satelliteChannel(0x6d66, "Das Erste", 1, 100, 7));
    satellite->append(satelliteChannel(0x6d67, "BR Fernsehen Süd", 2, 100, 7, true));
    satellite->append(satelliteChannel(0x2b66, "ZDF", 3, 101, 9));
    satellite->append(satelliteChannel(0x1, "Own's \"channel\"", 4, 102, NO_ID));

    auto *astra = document.astraHDList();
    astra->append(astraChannel(0x2ee3, "RTL HD", 1, 101, 1, 0x1f4, 0x65, {3, 4}));
    astra->append(astraChannel(0x2ee4, "VOX HD", 2, 101, 1, 0x1f5, 0x66, {4}));

    auto *air = document.airList();
    air->append(airChannel(0x10, "Das Erste HD", 1, 474, Channel::DIGITAL));
    air->append(airChannel(0x11, "ZDF HD", 2, 474, Channel::DIGITAL));
    air->append(airChannel(0x20, "arte", 3, 482.25f, Channel::DIGITAL, 7));
    air->append(airChannel(0, "Analog 1", 5, 175.25f, Channel::ANALOGUE));

    auto *cable = document.cableList();
    cable->append(cableChannel(0x30, "Cable & 1", 101, 346, Channel::DIGITAL, 6900, 2));
    cable->append(cableChannel(0x31, "Cable <2>", 102, 354, Channel::DIGITAL, 6875, 14));
    cable->append(cableChannel(0, "Analog cable", 7, 112.25f, Channel::ANALOGUE, 0, -1));
    document.setCountry("DEU");
}

// Saves through a fresh handler; every document written here must also be well-formed for libxml2 (when
// xmllint is installed), else the result is -1.
int save(ChannelListProvider &document, const QString &path) {
    DataFileHandler_ulmx handler(path);
    const int result = handler.save(document);
    if (result == RC_SUCCESS) {
        bool wellFormed = true;
        const QString verdict = xmllintVerdict(path, &wellFormed);
        if (!wellFormed) {
            qWarning("%s", qPrintable(verdict));
            return -1;
        }
    }
    return result;
}

} // namespace

class TestUlmxWriter : public QObject {
    Q_OBJECT

private slots:
    void init();
    void exactLayout();
    void emptyDocument();
    void itemLocationsAndLinks();
    void channelsWithoutTransponderComeBack();
    void bouquetsKeepTheirNumbers_data();
    void bouquetsKeepTheirNumbers();
    void streamsAndDeletedChannels();
    void bouquetSlots();
    void lossyValues();
    void escapingKeepsEveryNameReadable();
    void roundTrip();
    void roundTripUnderDecimalCommaLocale();
    void writtenDocumentsAreWellFormed();
    void failedSaveKeepsTheOldFile();
    void shortWriteKeepsTheOldFile();
    void saveEndsALoad();
    void emptiedListIsNotReplacedByACarriedOne();
    void replacedWildcardListIsCarried();
    void carriedLinksFollowTheirRecordsToNewNumbers();
    void tooLargeDocumentKeepsTheOldFile();
};

void TestUlmxWriter::init() {
    SatelliteChannel::clearDatabase();
    DataFileHandler_ulmx::itemLocCounter = 1;
}

void TestUlmxWriter::exactLayout() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    document.setCountry("DEU");
    SatelliteChannel::databaseHeader = 105;
    SatelliteChannel::satellites.insert(1, SatelliteInfo{"Astra & Co", 1, 0x80C0, 2});
    SatelliteChannel::transponders.insert(100, transponder(1, 11494000, 1, 27500000, 5, 3));
    SatelliteChannel::serviceProviders[3].insert(7, ServiceProvider{"ARD", 0, 0});
    document.satelliteList()->append(satelliteChannel(0x6d66, "Das Erste", 1, 100, 7));
    document.satelliteList()->append(satelliteChannel(2, "arte", 2, 100, NO_ID, true));
    document.airList()->append(AirChannel(0x10, "ZDF", 3, 474, 1, false, false, 0, 8, 0, 6, -1, 0));
    document.airList()->append(airChannel(0, "<K&>", 5, 175.25f, Channel::ANALOGUE));

    const QString path = dir.filePath("layout.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const QByteArray expected =
        "<?xml version=\"1.0\" ?>\n"
        "<!-- Database generated by Tunelane -->\n"
        "<!-- Copyright (c) Quorlin Electronics Co. Ltd. All rights reserved. -->\n"
        "<ULM>\n"
        "\t<ulm_header>\n"
        "\t\t<version val=\"1.5\"/>\n"
        "\t</ulm_header>\n"
        "\t<ulm_body>\n"
        "\t\t<satellite_database>\n"
        "\t\t\t<satellite id=\"1\" name=\"Astra &amp; Co\">\n"
        "\t\t\t\t<orbital_pos val=\"19.2E\"/>\n"
        "\t\t\t\t<transponder freq=\"11494000\" pol=\"V\" sr=\"27500000\" mod=\"QPSK\" "
        "fec=\"3/4\" item_loc=\"0x2\"/>\n"
        "\t\t\t</satellite>\n"
        "\t\t</satellite_database>\n"
        "\t\t<service_database>\n"
        "\t\t\t<provider_list>\n"
        "\t\t\t\t<provider name=\"ARD\" item_loc=\"0x3\"/>\n"
        "\t\t\t</provider_list>\n"
        "\t\t\t<service_list type=\"dvb-s\">\n"
        "\t\t\t\t<country_code val=\"DEU\"/>\n"
        "\t\t\t\t<digital_stream>\n"
        "\t\t\t\t\t<item_link id=\"0x2\"/>\n"
        "\t\t\t\t\t<digital_service name=\"Das Erste\" sid=\"0x6d66\" scrambled=\"0\" "
        "rcn=\"1\" type=\"0x1\">\n"
        "\t\t\t\t\t\t<item_link id=\"0x3\" type=\"provider\"/>\n"
        "\t\t\t\t\t</digital_service>\n"
        "\t\t\t\t\t<digital_service name=\"arte\" sid=\"0x2\" scrambled=\"1\" rcn=\"2\" "
        "type=\"0x1\"/>\n"
        "\t\t\t\t</digital_stream>\n"
        "\t\t\t</service_list>\n"
        "\t\t\t<service_list type=\"dvb-t\">\n"
        "\t\t\t\t<country_code val=\"DEU\"/>\n"
        "\t\t\t\t<digital_stream>\n"
        "\t\t\t\t\t<terrestrial_delivery freq=\"474\" bandwidth=\"8mhz\"/>\n"
        "\t\t\t\t\t<digital_service name=\"ZDF\" sid=\"0x10\" scrambled=\"0\" rcn=\"3\" "
        "type=\"0x1\"/>\n"
        "\t\t\t\t</digital_stream>\n"
        "\t\t\t</service_list>\n"
        "\t\t\t<service_list type=\"analog-a\">\n"
        "\t\t\t\t<country_code val=\"DEU\"/>\n"
        "\t\t\t\t<analog_service name=\"&lt;K&amp;&gt;\" freq=\"175.25\" rcn=\"5\"/>\n"
        "\t\t\t</service_list>\n"
        "\t\t</service_database>\n"
        "\t</ulm_body>\n"
        "</ULM>\n";
    QCOMPARE(readAll(path), expected);
    QCOMPARE(DataFileHandler_ulmx::documentText.toUtf8(), expected);
}

void TestUlmxWriter::emptyDocument() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    document.setCountry("*");
    SatelliteChannel::databaseHeader = 1;
    SatelliteChannel::satellites.insert(3, SatelliteInfo{"Lonely", 0, 0x8708, 2});
    const QString path = dir.filePath("empty.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const QByteArray text = readAll(path);
    QVERIFY(text.contains("\t\t<version val=\"0.1\"/>\n"));
    QVERIFY(
        text.contains("\t\t\t<satellite id=\"3\" name=\"Lonely\">\n\t\t\t\t<orbital_pos val=\"180.0E\"/>\n"
                      "\t\t\t</satellite>\n"));
    // One empty list names the document's country, so that the file opens again.
    QVERIFY(text.contains("\t\t<service_database>\n\t\t\t<provider_list>\n\t\t\t</provider_list>\n"
                          "\t\t\t<service_list type=\"dvb-s\">\n\t\t\t\t<country_code val=\"*\"/>\n"
                          "\t\t\t</service_list>\n\t\t</service_database>\n"));
    QVERIFY(!text.startsWith("\xEF\xBB\xBF"));
    QVERIFY(!text.contains('\r'));
    QVERIFY(text.endsWith("</ULM>\n"));

    // The satellite without transponders is not read back; the version is.
    const UlmxLoad load = UlmxLoad::fromFile(path, "*");
    QCOMPARE(load.satelliteResult, int(RC_SUCCESS));
    QVERIFY(load.satellite.isEmpty());
    QVERIFY(load.satellites.isEmpty());
    QCOMPARE(load.header, 1);
    QCOMPARE(load.country, QStringLiteral("*"));
}

void TestUlmxWriter::itemLocationsAndLinks() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    fillCompleteDocument(document);
    // A transponder of a satellite the database lacks is not written; its channel gets a stream without link.
    SatelliteChannel::transponders.insert(50, transponder(77, 11000000, 0, 1, 5, 1));
    SatelliteChannel::transponders[50].itemLoc = 0x3; // a number an earlier save gave it
    document.satelliteList()->append(satelliteChannel(0x99, "Orphan", 9, 50, 7));

    const QString path = dir.filePath("links.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    // The bouquets first, 3 and 4 get 2 and 3; satellite 1: transponders 100, 101 get 4 and 5; satellite
    // 0xFFE1: 102 gets 6; providers 7, 9 get 7, 8; the Astra HD+ provider 9.
    QCOMPARE(SatelliteChannel::bouquets[8].value(4).itemLoc, 3);
    QCOMPARE(SatelliteChannel::transponders.value(100).itemLoc, 4);
    QCOMPARE(SatelliteChannel::transponders.value(101).itemLoc, 5);
    QCOMPARE(SatelliteChannel::transponders.value(102).itemLoc, 6);
    QCOMPARE(SatelliteChannel::transponders.value(50).itemLoc, int(DataFileHandler_ulmx::NO_ITEM_LOC));
    QCOMPARE(SatelliteChannel::serviceProviders[3].value(9).itemLoc, 8);
    QCOMPARE(SatelliteChannel::serviceProviders[8].value(1).itemLoc, 9);
    const QByteArray text = readAll(path);
    QVERIFY(text.contains("\t\t\t<satellite id=\"65505\" name=\"User &lt;1&gt; &amp; &quot;co&quot;\">\n"
                          "\t\t\t\t<orbital_pos val=\"5.0W\"/>\n"));
    QVERIFY(text.contains("\t\t\t\t<digital_stream>\n\t\t\t\t\t<digital_service name=\"Orphan\""));

    // Links resolve to the numbers of this save.
    const UlmxLoad load = UlmxLoad::fromFile(path);
    QCOMPARE(load.satellite.size(), 5); // the orphan's stream has no transponder link
    QCOMPARE(load.satellite[0].transponderId(), quint32(4));
    QCOMPARE(load.satellite[0].providerId(), quint32(7));
    QCOMPARE(load.satellite[2].transponderId(), quint32(5));
    QCOMPARE(load.satellite[3].transponderId(), quint32(6));
    QCOMPARE(load.satellite[3].providerId(), NO_ID);
    QCOMPARE(load.astra[0].providerId(), quint32(9));
    QCOMPARE(load.astra[0].bouquetId(0), quint16(2));
    QCOMPARE(load.astra[0].bouquetId(1), quint16(3));
    QCOMPARE(load.astra[0].logicalChannelNumber(), quint16(0x65));
    QCOMPARE(load.astra[0].vsid(), quint16(0x1f4));

    // A second save in the same run numbers afresh.
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    QCOMPARE(SatelliteChannel::transponders.value(100).itemLoc, 4);
}

void TestUlmxWriter::channelsWithoutTransponderComeBack() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    fillCompleteDocument(document);
    // Transponder 60 is not in the database; transponder 61's satellite is not.
    SatelliteChannel::transponders.insert(61, transponder(77, 11000000, 0, 1, 5, 1));
    document.satelliteList()->append(satelliteChannel(0x98, "No transponder", 8, 60, 7));
    document.astraHDList()->append(astraChannel(0x2ee5, "No satellite", 3, 61, 1, 0x1f6, 0x67, {3}));
    const QString path = dir.filePath("unlinked.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));

    const UlmxLoad load = UlmxLoad::fromFile(path);
    QCOMPARE(load.satellite.size(), 5);
    QCOMPARE(load.satellite[4].name(), QStringLiteral("No transponder"));
    QCOMPARE(load.satellite[4].transponderId(), NO_ID);
    QCOMPARE(load.astra.size(), 3);
    QCOMPARE(load.astra[2].name(), QStringLiteral("No satellite"));
    QCOMPARE(load.astra[2].transponderId(), NO_ID);
    QCOMPARE(load.bouquets.value(8).value(load.astra[2].bouquetId(0)).name, QStringLiteral("Basis"));
}

void TestUlmxWriter::bouquetsKeepTheirNumbers_data() {
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("transponders");
    // As after many saves of a large list in one session: counting on, the first bouquet would be 0x10000.
    QTest::newRow("after earlier saves") << 0xFFFF << 0;
    // Numbered after 65531 transponders and three providers, the first bouquet would get 0x10000.
    QTest::newRow("after many transponders") << 1 << 0x10000 - 8;
}

void TestUlmxWriter::bouquetsKeepTheirNumbers() {
    QFETCH(int, counter);
    QFETCH(int, transponders);
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    fillCompleteDocument(document);
    DataFileHandler_ulmx::itemLocCounter = counter;
    for (int i = 0; i < transponders; ++i)
        SatelliteChannel::transponders.insert(1000 + i,
                                              transponder(1, float(12000000 + i), 0, 27500000, 5, 3));
    const QString path = dir.filePath("bouquets.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const UlmxLoad load = UlmxLoad::fromFile(path);
    QVERIFY(load.astra[0].bouquetId(0) != 0); // 0x10000 reads as 0, an empty slot
    QCOMPARE(load.bouquets.value(8).value(load.astra[0].bouquetId(0)).name, QStringLiteral("Basis"));
    QCOMPARE(load.bouquets.value(8).value(load.astra[0].bouquetId(1)).name, QStringLiteral("Premium"));
}

void TestUlmxWriter::streamsAndDeletedChannels() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    document.setCountry("DEU");
    auto *air = document.airList();
    air->append(airChannel(1, "deletedFirst", 1, 474, Channel::DIGITAL, 7));
    (*air)[0].setDeleted(true);
    air->append(airChannel(2, "at482", 2, 482, Channel::DIGITAL, 8));
    air->append(airChannel(3, "second474", 3, 474, Channel::DIGITAL, 8));
    air->append(airChannel(0, "analogueAt474", 4, 474, Channel::ANALOGUE));
    air->append(airChannel(0, "deletedAnalogue", 5, 175.25f, Channel::ANALOGUE));
    (*air)[4].setDeleted(true);
    auto *cable = document.cableList();
    cable->append(cableChannel(0, "onlyAnalogue", 1, 112.25f, Channel::ANALOGUE, 0, -1));
    // A satellite list of analogue channels only: just the country line.
    SatelliteChannel::satellites.insert(1, SatelliteInfo{"S", 1, 0, 2});
    SatelliteChannel::transponders.insert(5, transponder(1, 11000000, 0, 1, 5, 1));
    SatelliteChannel::transponders.insert(6, transponder(1, 11100000, 0, 1, 5, 1));
    document.satelliteList()->append(
        satelliteChannel(1, "analogueSat", 1, 5, NO_ID, false, Channel::ANALOGUE));
    const QString path = dir.filePath("streams.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const QByteArray text = readAll(path);
    QVERIFY(text.contains("\t\t\t<service_list type=\"dvb-s\">\n\t\t\t\t<country_code val=\"DEU\"/>\n"
                          "\t\t\t</service_list>\n"));
    // Streams in order of their first channel, the deleted first channel giving the delivery values.
    QVERIFY(
        text.contains("\t\t\t\t<digital_stream>\n"
                      "\t\t\t\t\t<terrestrial_delivery freq=\"474\" bandwidth=\"7mhz\"/>\n"
                      "\t\t\t\t\t<digital_service name=\"second474\" sid=\"0x3\" scrambled=\"0\" rcn=\"3\" "
                      "type=\"0x16\"/>\n"
                      "\t\t\t\t</digital_stream>\n"
                      "\t\t\t\t<digital_stream>\n"
                      "\t\t\t\t\t<terrestrial_delivery freq=\"482\" bandwidth=\"8mhz\"/>\n"));
    QVERIFY(text.contains("\t\t\t<service_list type=\"dvb-c\">\n\t\t\t\t<country_code val=\"DEU\"/>\n"
                          "\t\t\t</service_list>\n"));
    QVERIFY(text.contains("<analog_service name=\"analogueAt474\" freq=\"474\" rcn=\"4\"/>"));
    QVERIFY(!text.contains("deletedFirst"));
    QVERIFY(!text.contains("deletedAnalogue"));

    // A transponder whose channels are all deleted keeps its stream and link.
    document.satelliteList()->clear();
    document.satelliteList()->append(satelliteChannel(1, "gone", 1, 6, NO_ID));
    (*document.satelliteList())[0].setDeleted(true);
    document.satelliteList()->append(
        satelliteChannel(2, "analogueOnStream", 2, 6, NO_ID, false, Channel::ANALOGUE));
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const UlmxLoad load = UlmxLoad::fromFile(path);
    QCOMPARE(load.satellite.size(), 1);
    QCOMPARE(load.satellite[0].name(), QStringLiteral("analogueOnStream"));
    QCOMPARE(load.satellite[0].kind(), int(Channel::DIGITAL));
    QCOMPARE(load.air.size(), 3);
    QCOMPARE(load.air[2].name(), QStringLiteral("analogueAt474"));
}

void TestUlmxWriter::bouquetSlots() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    document.setCountry("DEU");
    SatelliteChannel::satellites.insert(1, SatelliteInfo{"S", 1, 0, 2});
    SatelliteChannel::transponders.insert(5, transponder(1, 11000000, 0, 1, 5, 1));
    // A bouquet keyed 0 must not turn every empty slot into a link.
    SatelliteChannel::bouquets[8].insert(0, ServiceProvider{"Zero", 0, 0});
    SatelliteChannel::bouquets[8].insert(5, ServiceProvider{"Five", 0, 0});
    SatelliteChannel::bouquets[8].insert(7, ServiceProvider{"Seven", 0, 0});
    document.astraHDList()->append(astraChannel(1, "A", 1, 5, 99, 0, 0, {5, 0, 7, 42, 5}));
    const QString path = dir.filePath("bouquets.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const QByteArray text = readAll(path);
    QCOMPARE(text.count("type=\"bouquet\""), 3);  // 5, 7 and 5 again; not 0, not the unknown 42
    QVERIFY(!text.contains("type=\"provider\"")); // provider 99 is not in the map
    const UlmxLoad load = UlmxLoad::fromFile(path);
    QCOMPARE(load.astra.size(), 1);
    const quint16 five = quint16(SatelliteChannel::bouquets[8].value(5).itemLoc);
    const quint16 seven = quint16(SatelliteChannel::bouquets[8].value(7).itemLoc);
    QCOMPARE(load.astra[0].bouquetId(0), five);
    QCOMPARE(load.astra[0].bouquetId(1), seven);
    QCOMPARE(load.astra[0].bouquetId(2), five);
    QCOMPARE(load.astra[0].bouquetId(3), quint16(0));
    QCOMPARE(load.astra[0].providerId(), NO_ID);
}

void TestUlmxWriter::lossyValues() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    document.setCountry("DEU");
    SatelliteChannel::satellites.insert(1, SatelliteInfo{"S", 1, 0, 2});
    SatelliteChannel::transponders.insert(5, transponder(1, 10714.75f, 2, -5, 16, 13));
    SatelliteChannel::databaseHeader = -95;
    document.cableList()->append(cableChannel(1, "c", 1, 1234567.8f, Channel::DIGITAL, 6900, 3));
    document.airList()->append(airChannel(0, "a", 123, 0.000012345f, Channel::ANALOGUE));
    const QString path = dir.filePath("lossy.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const QByteArray text = readAll(path);
    QVERIFY(
        text.contains("<transponder freq=\"10714\" pol=\"\" sr=\"4294967291\" mod=\"\" fec=\"\" item_loc="));
    QVERIFY(text.contains("<cable_delivery freq=\"1.23457e+06\" sr=\"6900\" mod=\"\"/>"));
    QVERIFY(text.contains("freq=\"1.2345e-05\""));
    QVERIFY(text.contains("<version val=\"42949672.1\"/>"));
    const UlmxLoad load = UlmxLoad::fromFile(path);
    const Transponder t = load.transponders.first();
    QCOMPARE(t.frequency, 10714.0f);
    QCOMPARE(t.polarity, 2);
    QCOMPARE(t.modulation, -1);
    QCOMPARE(t.fec, 0);
    QCOMPARE(t.symbolRate, -5);
    QCOMPARE(load.header, -95);
    QCOMPARE(load.cable[0].modulation(), -1);
    QCOMPARE(load.cable[0].frequency(), 1234570.0f);
    QCOMPARE(load.air[0].number(), quint16(0)); // analogue numbers end at 99
}

void TestUlmxWriter::escapingKeepsEveryNameReadable() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    document.setCountry("D&<");
    QString awkward = QStringLiteral("a&lt;b\tc\nd\re'f\"g");
    awkward += QChar(0x01);
    awkward += QChar(0xFFFE);
    awkward += QChar(0xD800); // a lone surrogate
    awkward += QStringLiteral("h");
    awkward += QString::fromUcs4(U"\U0001F4FA"); // a proper pair
    document.airList()->append(airChannel(0, awkward, 1, 175.25f, Channel::ANALOGUE));
    const QString path = dir.filePath("escape.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    const QByteArray text = readAll(path);
    QVERIFY(text.contains("name=\"a&amp;lt;b&#9;c&#10;d&#13;e&apos;f&quot;gh\xF0\x9F\x93\xBA\""));
    QVERIFY(text.contains("<country_code val=\"D&amp;&lt;\"/>"));
    const UlmxLoad load = UlmxLoad::fromFile(path, "D&<");
    QCOMPARE(load.airResult, int(RC_SUCCESS));
    QCOMPARE(load.air[0].name(), QStringLiteral("a&lt;b\tc\nd\re'f\"gh") + QString::fromUcs4(U"\U0001F4FA"));
}

void TestUlmxWriter::roundTrip() {
    QTemporaryDir dir;
    ChannelListProvider original(nullptr);
    fillCompleteDocument(original);
    const QString first = dir.filePath("first.ulmx");
    QCOMPARE(save(original, first), int(RC_SUCCESS));

    const UlmxLoad load = UlmxLoad::fromFile(first);
    QCOMPARE(load.satelliteResult, int(RC_SUCCESS));
    QCOMPARE(load.cableResult, int(RC_SUCCESS));
    QCOMPARE(load.airResult, int(RC_SUCCESS));
    QCOMPARE(load.astraResult, int(RC_SUCCESS));
    QCOMPARE(load.header, 105);
    QCOMPARE(load.country, QStringLiteral("DEU"));
    QCOMPARE(load.satellite.size(), 4);
    QCOMPARE(load.astra.size(), 2);
    QCOMPARE(load.air.size(), 4);
    QCOMPARE(load.cable.size(), 3);
    QCOMPARE(load.satellites.size(), 2);
    QCOMPARE(load.satellites.value(0xFFE1).name, QStringLiteral("User <1> & \"co\""));
    QCOMPARE(load.transponders.size(), 3);
    QCOMPARE(load.providers.value(3).size(), 2);
    QCOMPARE(load.providers.value(8).size(), 1);
    QCOMPARE(load.bouquets.value(8).size(), 2);
    QCOMPARE(load.satellite[1].name(), QStringLiteral("BR Fernsehen Süd"));
    QCOMPARE(load.cable[0].modulation(), 2);
    QCOMPARE(load.cable[1].modulation(), 14);
    QCOMPARE(load.cable[0].symbolRate(), quint16(6900));
    QCOMPARE(load.air[2].frequency(), 482.25f);
    QCOMPARE(load.air[2].bandwidth(), quint16(7));

    // Written again from a fresh counter, the loaded document gives the same bytes.
    ChannelListProvider reloaded(nullptr);
    load.install(reloaded);
    DataFileHandler_ulmx::itemLocCounter = 1;
    const QString second = dir.filePath("second.ulmx");
    QCOMPARE(save(reloaded, second), int(RC_SUCCESS));
    QCOMPARE(readAll(second), readAll(first));
}

void TestUlmxWriter::roundTripUnderDecimalCommaLocale() {
    // Qt takes the default locale from the environment; C code from setlocale. Both say "decimal comma".
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray oldNumeric = std::setlocale(LC_ALL, nullptr);
    const bool cLocaleSet = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    if (!cLocaleSet)
        qWarning("de_DE.UTF-8 is not installed; only Qt's default locale is German");

    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    fillCompleteDocument(document);
    const QString path = dir.filePath("german.ulmx");
    const int result = save(document, path);
    const QByteArray text = readAll(path);
    const UlmxLoad load = UlmxLoad::fromFile(path);

    std::setlocale(LC_ALL, oldNumeric.constData());
    QLocale::setDefault(previous);

    QCOMPARE(result, int(RC_SUCCESS));
    QVERIFY(text.contains("freq=\"482.25\""));
    QVERIFY(text.contains("freq=\"175.25\""));
    QVERIFY(!text.contains("482,25"));
    QCOMPARE(load.air.size(), 4);
    QCOMPARE(load.air[2].frequency(), 482.25f);
    QCOMPARE(load.cable[2].frequency(), 112.25f);
}

void TestUlmxWriter::writtenDocumentsAreWellFormed() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    fillCompleteDocument(document);
    QString awkward = QStringLiteral("x<&>\"'\t\n");
    awkward += QChar(0x1F);
    awkward += QChar(0xDC00);
    awkward += QChar(0xFFFF);
    document.airList()->append(airChannel(0, awkward, 9, 200, Channel::ANALOGUE));
    SatelliteChannel::satellites[1].name = awkward;
    const QString path = dir.filePath("wellformed.ulmx");
    QCOMPARE(save(document, path), int(RC_SUCCESS));
    bool wellFormed = false;
    const QString verdict = xmllintVerdict(path, &wellFormed);
    if (verdict.isEmpty())
        QSKIP("xmllint is not installed");
    QVERIFY2(wellFormed, qPrintable(verdict));
}

void TestUlmxWriter::failedSaveKeepsTheOldFile() {
    QTemporaryDir dir;
    ChannelListProvider document(nullptr);
    fillCompleteDocument(document);
    // A folder that does not exist: nothing written.
    QCOMPARE(save(document, dir.filePath("absent/x.ulmx")), int(RC_CANNOT_WRITE));
    QVERIFY(!QFileInfo::exists(dir.filePath("absent")));

    // A path naming a folder cannot be replaced by a file; the folder stays as it was.
    const QString folder = dir.filePath("folder.ulmx");
    QVERIFY(QDir().mkpath(folder + "/inside"));
    QCOMPARE(save(document, folder), int(RC_CANNOT_WRITE));
    QVERIFY(QFileInfo(folder + "/inside").isDir());

    // A file in a folder that cannot take new files keeps its old contents.
    const QString locked = dir.filePath("locked");
    QVERIFY(QDir().mkpath(locked));
    const QString path = locked + "/list.ulmx";
    QVERIFY(writeAll(path, "old contents"));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool folderLocked = !QFileInfo(locked).isWritable();
    const int result = save(document, path);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!folderLocked)
        QSKIP("running with rights that ignore folder permissions");
    QCOMPARE(result, int(RC_CANNOT_WRITE));
    QCOMPARE(readAll(path), QByteArray("old contents"));
}

// Saves in a child process that may write at most limit bytes to any file (as on a full disk) and returns
// the save's result, or -1 when the child did not end normally.
int saveWithFileSizeLimit(ChannelListProvider &document, const QString &path, rlim_t limit) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit cap{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &cap) != 0)
            _exit(100);
        DataFileHandler_ulmx handler(path);
        _exit(handler.save(document));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void TestUlmxWriter::shortWriteKeepsTheOldFile() {
    // A document that fits the file's write buffer reaches the disk only when the file is closed; a larger
    // one is written on the way. Either short write must fail the save and leave the old file as it was.
    ChannelListProvider small(nullptr);
    fillCompleteDocument(small);
    ChannelListProvider large(nullptr);
    fillCompleteDocument(large);
    for (int i = 0; i < 400; ++i)
        large.airList()->append(
            airChannel(0x100 + i, QString("Channel %1").arg(i), quint16(100 + i), 474, Channel::DIGITAL));

    for (ChannelListProvider *document : {&small, &large}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.ulmx");
        const QByteArray old = "old contents of the user's list";
        QVERIFY(writeAll(path, old));
        DataFileHandler_ulmx probe(dir.filePath("probe.ulmx"));
        QCOMPARE(probe.save(*document), int(RC_SUCCESS));
        const qint64 size = QFileInfo(dir.filePath("probe.ulmx")).size();
        QVERIFY(QFile::remove(dir.filePath("probe.ulmx")));
        QCOMPARE(size < 16384, document == &small);

        QCOMPARE(saveWithFileSizeLimit(*document, path, rlim_t(size / 2)), int(RC_CANNOT_WRITE));
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.ulmx"});
    }
}

void TestUlmxWriter::saveEndsALoad() {
    // A handler that loaded, saved over its file and loads again reads the new file, not the old tree.
    QTemporaryDir dir;
    const QString path = dir.filePath("again.ulmx");
    QVERIFY(
        writeAll(path, ulmxDocument("<service_list type=\"analog-a\"><country_code val=\"*\"/>"
                                    "<analog_service name=\"Old\" freq=\"1\" rcn=\"1\"/></service_list>")));
    DataFileHandler_ulmx handler(path);
    ChannelList<AirChannel> air;
    QCOMPARE(handler.loadAir(air, "DEU"), int(RC_SUCCESS));
    QCOMPARE(air[0].name(), QStringLiteral("Old"));
    ChannelListProvider document(nullptr);
    document.setCountry("DEU");
    document.airList()->append(airChannel(0, "New", 1, 1, Channel::ANALOGUE));
    QCOMPARE(handler.save(document), int(RC_SUCCESS));
    QCOMPARE(handler.loadAir(air, "DEU"), int(RC_SUCCESS));
    QCOMPARE(air.size(), 1);
    QCOMPARE(air[0].name(), QStringLiteral("New"));
}

void TestUlmxWriter::emptiedListIsNotReplacedByACarriedOne() {
    // A DEU load takes the DEU cable list and carries the "*" one.
    QTemporaryDir dir;
    const QString path = dir.filePath("carried.ulmx");
    QVERIFY(writeAll(path, ulmxDocument(analogCableList("DEU", "Own") + analogCableList("*", "Unseen"))));
    DataFileHandler_ulmx handler(path);
    UlmxLoad().run(handler, "DEU");
    // The user emptied the cable list: it opens again empty, not as the list they never saw.
    ChannelListProvider document(nullptr);
    document.setCountry("DEU");
    document.airList()->append(airChannel(0, "Air", 1, 175.25f, Channel::ANALOGUE));
    QCOMPARE(handler.save(document), int(RC_SUCCESS));
    QVERIFY(readAll(path).contains("Unseen"));
    const UlmxLoad load = UlmxLoad::fromFile(path);
    QCOMPARE(load.cableResult, int(RC_SUCCESS));
    QVERIFY(load.cable.isEmpty());
    QCOMPARE(load.air.size(), 1);
}

void TestUlmxWriter::replacedWildcardListIsCarried() {
    // A DEU load takes the "*" cable list first, then the DEU one in its place: the "*" one is carried.
    QTemporaryDir dir;
    const QString path = dir.filePath("replaced.ulmx");
    QVERIFY(writeAll(path, ulmxDocument(analogCableList("*", "Any") + analogCableList("DEU", "Own"))));
    DataFileHandler_ulmx handler(path);
    UlmxLoad load;
    load.run(handler, "DEU");
    ChannelListProvider document(nullptr);
    load.install(document);
    QCOMPARE(handler.save(document), int(RC_SUCCESS));
    for (const char *country : {"*", "DEU"}) {
        const UlmxLoad again = UlmxLoad::fromFile(path, country);
        QCOMPARE(again.cable.size(), 1);
        QCOMPARE(again.cable.at(0).name(), QLatin1String(country[0] == '*' ? "Any" : "Own"));
    }
}

void TestUlmxWriter::carriedLinksFollowTheirRecordsToNewNumbers() {
    // A DEU load carries the FRA list, which links to transponder 0x3 and provider 0x5.
    QTemporaryDir dir;
    const QString path = dir.filePath("links.ulmx");
    const QString list =
        QStringLiteral("<service_list type=\"dvb-s\"><country_code val=\"%1\"/><digital_stream>"
                       "<item_link id=\"%2\"/><digital_service name=\"%1\" sid=\"0x1\" rcn=\"1\">"
                       "<item_link id=\"%3\" type=\"provider\"/></digital_service>"
                       "</digital_stream></service_list>");
    const QString satellite = QStringLiteral(
        "<satellite id=\"1\" name=\"Sat\"><orbital_pos val=\"19.2E\"/>"
        "<transponder freq=\"11494000\" pol=\"V\" sr=\"27500000\" item_loc=\"0x2\"/>"
        "<transponder freq=\"11953000\" pol=\"H\" sr=\"27500000\" item_loc=\"0x3\"/></satellite>");
    const QString providers = QStringLiteral("<provider_list><provider name=\"ARD\" item_loc=\"0x4\"/>"
                                             "<provider name=\"ZDF\" item_loc=\"0x5\"/></provider_list>");
    QVERIFY(
        writeAll(path, ulmxDocument(providers + list.arg("DEU", "0x2", "0x4") + list.arg("FRA", "0x3", "0x5"),
                                    satellite)));
    DataFileHandler_ulmx handler(path);
    UlmxLoad load;
    load.run(handler, "DEU");
    ChannelListProvider document(nullptr);
    load.install(document);
    // As after a merge: the linked records moved to other numbers, and others took their old ones.
    TransponderMap &transponders = SatelliteChannel::transponders;
    transponders.insert(9, transponders.value(3));
    transponders.insert(3, transponder(1, 12000000, 0, 27500000, 5, 3));
    ProviderMap &named = SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE];
    named.insert(9, named.value(5));
    named.insert(5, ServiceProvider{"Other", 0, 0});
    QCOMPARE(handler.save(document), int(RC_SUCCESS));

    const UlmxLoad france = UlmxLoad::fromFile(path, "FRA");
    QCOMPARE(france.satellite.size(), 1);
    const SatelliteChannel &carried = france.satellite.at(0);
    QCOMPARE(france.transponders.value(carried.transponderId()).frequency, 11953000.0f);
    QCOMPARE(france.providers.value(ProviderCategory::SATELLITE).value(carried.providerId()).name,
             QStringLiteral("ZDF"));
}

void TestUlmxWriter::tooLargeDocumentKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.ulmx");
    QVERIFY(writeAll(path, "old contents"));
    ChannelListProvider document(nullptr);
    document.setCountry("DEU");
    // Three UTF-8 bytes a character: this one name is already as large as the reader takes a whole file.
    const QString name(qsizetype(UlmxTree::MAX_DOCUMENT_SIZE / 3), QChar(0x4E2D));
    document.airList()->append(airChannel(0, name, 1, 175.25f, Channel::ANALOGUE));
    QCOMPARE(save(document, path), int(RC_LIST_TOO_LONG));
    QCOMPARE(readAll(path), QByteArray("old contents"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.ulmx"});
}

QTEST_GUILESS_MAIN(TestUlmxWriter)
#include "tst_ulmxwriter.moc"
