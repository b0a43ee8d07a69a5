// The universal reader against broken and hostile input: a result code, never a crash, a hang or a partial
// document reported as success.
#include "support/ulmxtestsupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray validDocument() {
    const QString satellites =
        QStringLiteral("<satellite id=\"1\" name=\"S\"><orbital_pos val=\"19.2E\"/>"
                       "<transponder freq=\"11494000\" pol=\"V\" sr=\"27500000\" mod=\"QPSK\" fec=\"3/4\" "
                       "item_loc=\"0x2\"/></satellite>");
    const QString lists = QStringLiteral(
        "<provider_list><provider name=\"P\" item_loc=\"0x3\"/></provider_list>"
        "<service_list type=\"dvb-s\"><country_code val=\"DEU\"/><digital_stream><item_link id=\"0x2\"/>"
        "<digital_service name=\"A\" sid=\"0x1\" scrambled=\"0\" rcn=\"1\" type=\"0x1\">"
        "<item_link id=\"0x3\" type=\"provider\"/></digital_service></digital_stream></service_list>"
        "<service_list type=\"dvb-t\"><country_code val=\"DEU\"/><digital_stream>"
        "<terrestrial_delivery freq=\"474\" bandwidth=\"8mhz\"/>"
        "<digital_service name=\"T\" sid=\"0x10\" scrambled=\"0\" rcn=\"3\" type=\"0x1\"/>"
        "</digital_stream></service_list>"
        "<service_list type=\"analog-c\"><country_code val=\"DEU\"/>"
        "<analog_service name=\"C\" freq=\"112.25\" rcn=\"7\"/></service_list>"
        "<service_list type=\"astra_hdplus\"><country_code val=\"DEU\"/>"
        "<provider_list><provider name=\"H\" item_loc=\"0x4\"/></provider_list>"
        "<bouquet_list><bouquet name=\"B\" item_loc=\"0x5\"/></bouquet_list>"
        "<digital_stream><item_link id=\"0x2\"/><digital_service name=\"HD\" sid=\"0x2\" rcn=\"1\" "
        "type=\"0x19\">"
        "<logical_channel lcn=\"0x1\"/><identifier type=\"vsid\" val=\"0x2\"/>"
        "<item_link id=\"0x5\" type=\"bouquet\"/></digital_service></digital_stream></service_list>");
    return ulmxDocument(lists, satellites);
}

bool allLoadersGive(const UlmxLoad &load, int code) {
    return load.satelliteResult == code && load.cableResult == code && load.airResult == code &&
           load.astraResult == code;
}

bool everythingEmpty(const UlmxLoad &load) {
    return load.air.isEmpty() && load.cable.isEmpty() && load.satellite.isEmpty() && load.astra.isEmpty() &&
           load.satellites.isEmpty() && load.transponders.isEmpty() && load.providers.isEmpty() &&
           load.bouquets.isEmpty() && load.header == -12345;
}

} // namespace

class TestUlmxBadInput : public QObject {
    Q_OBJECT

private slots:
    void theValidDocumentLoads();
    void notAUniversalDocument_data();
    void notAUniversalDocument();
    void hugeFileIsRefusedUnread();
    void deepNestingAndHugeValues();
    void loadersInAnyOrder();
    void mutatedDocuments();
};

void TestUlmxBadInput::theValidDocumentLoads() {
    const UlmxLoad load = UlmxLoad::fromBytes(validDocument());
    QCOMPARE(load.satelliteResult, int(RC_SUCCESS));
    QCOMPARE(load.cableResult, int(RC_SUCCESS));
    QCOMPARE(load.airResult, int(RC_SUCCESS));
    QCOMPARE(load.astraResult, int(RC_SUCCESS));
    QCOMPARE(load.satellite.size(), 1);
    QCOMPARE(load.astra.size(), 1);
}

void TestUlmxBadInput::notAUniversalDocument_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray valid = validDocument();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blank") << QByteArray(" \n\t ");
    QTest::newRow("plain text") << QByteArray("DEU;ARD;ZDF\n1;2;3\n");
    QTest::newRow("binary") << QByteArray("PK\x03\x04\x00\x00\xff\xfe\x01", 9);
    QTest::newRow("declaration only") << QByteArray("<?xml version=\"1.0\" ?>\n");
    QTest::newRow("truncated") << valid.left(valid.size() / 2);
    QTest::newRow("last byte missing") << valid.left(valid.size() - 2);
    QTest::newRow("wrong root") << QByteArray(valid).replace("ULM>", "ULX>");
    QTest::newRow("root in lower case") << QByteArray(valid).replace("ULM>", "ulm>");
    QTest::newRow("two roots") << valid + "<ULM/>";
    QTest::newRow("text after root") << valid + "junk";
    QTest::newRow("unclosed attribute")
        << QByteArray("<ULM><ulm_header><version val=\"1.0/></ulm_header></ULM>");
    QTest::newRow("duplicate attribute") << QByteArray("<ULM a=\"1\" a=\"2\"/>");
    QTest::newRow("undeclared entity") << QByteArray("<ULM><x name=\"&nbsp;\"/></ULM>");
    QTest::newRow("entity bomb") << QByteArray(
        "<?xml version=\"1.0\"?><!DOCTYPE ULM [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
        "<ULM><x name=\"&c;\"/></ULM>");
    QTest::newRow("external entity") << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE ULM [<!ENTITY x SYSTEM "
                                                   "\"file:///etc/passwd\">]><ULM>&x;</ULM>");
    QTest::newRow("unknown encoding") << QByteArray("<?xml version=\"1.0\" encoding=\"klingon\"?><ULM/>");
}

void TestUlmxBadInput::notAUniversalDocument() {
    QFETCH(QByteArray, bytes);
    // From memory and from a file alike: every loader says "invalid file format", nothing is filled.
    const UlmxLoad fromBytes = UlmxLoad::fromBytes(bytes);
    QVERIFY(allLoadersGive(fromBytes, RC_INVALID_FORMAT));
    QVERIFY(everythingEmpty(fromBytes));

    QTemporaryDir dir;
    const QString path = dir.filePath("bad.ulmx");
    QVERIFY(writeAll(path, bytes));
    UlmxLoad fromFile;
    fromFile.air.append(AirChannel(1, "keep", 1, 1, 1, false, false, 0, 8, 0, 6, -1, 0));
    DataFileHandler_ulmx handler(path);
    fromFile.run(handler, "DEU");
    QVERIFY(allLoadersGive(fromFile, RC_INVALID_FORMAT));
    QCOMPARE(fromFile.air.size(), 1); // the caller's list is left as it was
}

void TestUlmxBadInput::hugeFileIsRefusedUnread() {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.ulmx");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(validDocument()) > 0);
        // A sparse gigabyte: the size alone must decide.
        QVERIFY(file.resize(qint64(1) << 30));
    }
    const UlmxLoad load = UlmxLoad::fromFile(path);
    QVERIFY(allLoadersGive(load, RC_INVALID_FORMAT));
    QVERIFY(everythingEmpty(load));

    // Just above the limit from memory as well.
    QByteArray big = validDocument();
    big.append(QByteArray(UlmxTree::MAX_DOCUMENT_SIZE, ' '));
    QVERIFY(allLoadersGive(UlmxLoad::fromBytes(big), RC_INVALID_FORMAT));
}

void TestUlmxBadInput::deepNestingAndHugeValues() {
    // Deep nesting of unknown and of known elements: read without recursion trouble.
    QByteArray deep = "<ULM><ulm_body><service_database>";
    const int depth = 200000;
    for (int i = 0; i < depth; ++i)
        deep += "<service_list type=\"dvb-s\">";
    for (int i = 0; i < depth; ++i)
        deep += "</service_list>";
    deep += "</service_database></ulm_body></ULM>";
    UlmxLoad load = UlmxLoad::fromBytes(deep);
    QCOMPARE(load.satelliteResult, int(RC_NO_SERVICE_LIST));
    QCOMPARE(load.airResult, int(RC_NO_SERVICE_LIST));

    // A name of 20 million characters, and an unknown element with as many attributes as the reader allows.
    const QByteArray longName(20 * 1000 * 1000, 'n');
    QByteArray manyAttributes = "<x";
    for (int i = 0; i < UlmxTree::MAX_ATTRIBUTES; ++i)
        manyAttributes += " a" + QByteArray::number(i) + "=\"=\"";
    manyAttributes += "/><!-- = = --><![CDATA[ <x a=1 b=2> ]]><?pi a=b?>";
    const QString lists =
        QStringLiteral("<service_list type=\"analog-a\"><country_code val=\"DEU\"/>"
                       "<analog_service name=\"%1\" freq=\"1\" rcn=\"1\"/>%2</service_list>")
            .arg(QString::fromLatin1(longName), QString::fromLatin1(manyAttributes));
    load = UlmxLoad::fromBytes(ulmxDocument(lists));
    QCOMPARE(load.airResult, int(RC_SUCCESS));
    QCOMPARE(load.air.size(), 1);
    QCOMPARE(load.air[0].name().size(), longName.size());

    // Beyond that, the reader's duplicate check would take quadratic time: 100,000 attributes are refused
    // at once instead of stalling the program.
    QByteArray tooMany = "<x";
    for (int i = 0; i < 100000; ++i)
        tooMany += " a" + QByteArray::number(i) + "=\"1\"";
    tooMany += "/>";
    load = UlmxLoad::fromBytes(ulmxDocument(QString::fromLatin1(tooMany)));
    QVERIFY(allLoadersGive(load, RC_INVALID_FORMAT));
    QVERIFY(everythingEmpty(load));

    // A document of nothing but empty elements is refused once it has more nodes than any channel list needs.
    QByteArray flood;
    flood.reserve(UlmxTree::MAX_NODES * 4 + 16);
    for (int i = 0; i <= UlmxTree::MAX_NODES; ++i)
        flood += "<x/>";
    load = UlmxLoad::fromBytes(ulmxDocument(QString::fromLatin1(flood)));
    QVERIFY(allLoadersGive(load, RC_INVALID_FORMAT));
    QVERIFY(everythingEmpty(load));

    // Numbers far beyond every range read as "not a number".
    const QString numbers =
        QStringLiteral("<service_list type=\"analog-a\"><country_code val=\"DEU\"/>"
                       "<analog_service name=\"n\" freq=\"1e999\" rcn=\"%1\"/>"
                       "<analog_service name=\"m\" freq=\"%1\" rcn=\"1\"/></service_list>")
            .arg(QString(400, '9'));
    load = UlmxLoad::fromBytes(ulmxDocument(numbers));
    QCOMPARE(load.air.size(), 1);
    QCOMPARE(load.air[0].name(), QStringLiteral("m"));
    QCOMPARE(load.air[0].frequency(), 0.0f);
}

void TestUlmxBadInput::loadersInAnyOrder() {
    const QByteArray valid = validDocument();
    ChannelList<AirChannel> air;
    ChannelList<CableChannel> cable;
    ChannelList<SatelliteChannel> satellite;
    ChannelList<AstraHDChannel> astra;
    SatelliteMap satellites;
    TransponderMap transponders;
    CategoryProviderMap providers;
    CategoryProviderMap bouquets;
    QString country;

    // The country first, the Astra HD+ list before the satellite list, and a save before any load.
    {
        DataFileHandler_ulmx handler{QString()};
        handler.setDocumentBytes(valid);
        QCOMPARE(handler.country(country), int(RC_SUCCESS));
        QCOMPARE(country, QStringLiteral("*"));
        QCOMPARE(handler.loadAstraHD(astra, satellites, transponders, providers, bouquets, nullptr, "DEU"),
                 int(RC_SUCCESS));
        QCOMPARE(astra.size(), 1);
        QCOMPARE(satellites.size(), 1);
        QCOMPARE(providers.value(3).size(), 1);
        QCOMPARE(handler.loadSatellite(satellite, satellites, transponders, providers, nullptr, "DEU"),
                 int(RC_SUCCESS));
        QCOMPARE(handler.loadAir(air, "DEU"), int(RC_SUCCESS));
        QCOMPARE(handler.loadAir(air, "DEU"), int(RC_SUCCESS)); // twice: the list is replaced, not doubled
        QCOMPARE(air.size(), 1);
        QCOMPARE(handler.country(country), int(RC_SUCCESS));
        QCOMPARE(country, QStringLiteral("DEU"));
    }
    // The caller's containers of the first load are gone; the handler must not reach for them.
    {
        auto handler = std::make_unique<DataFileHandler_ulmx>(QString());
        handler->setDocumentBytes(valid);
        {
            ChannelList<SatelliteChannel> shortLived;
            SatelliteMap s;
            TransponderMap t;
            CategoryProviderMap p;
            QCOMPARE(handler->loadSatellite(shortLived, s, t, p, nullptr, "DEU"), int(RC_SUCCESS));
            QCOMPARE(handler->country(country), int(RC_SUCCESS));
        }
        QCOMPARE(handler->loadAstraHD(astra, satellites, transponders, providers, bouquets, nullptr, "DEU"),
                 int(RC_SUCCESS));
        QCOMPARE(handler->loadCable(cable, "DEU"), int(RC_SUCCESS));
    }
    // A handler that never loaded can save, and loads the file it saved.
    {
        QTemporaryDir dir;
        SatelliteChannel::clearDatabase();
        ChannelListProvider document(nullptr);
        document.setCountry("DEU");
        DataFileHandler_ulmx handler(dir.filePath("new.ulmx"));
        QCOMPARE(handler.save(document), int(RC_SUCCESS));
        QCOMPARE(handler.loadAir(air, "DEU"), int(RC_NO_SERVICE_LIST));
        QCOMPARE(handler.loadAstraHD(astra, satellites, transponders, providers, bouquets, nullptr, "DEU"),
                 int(RC_NO_SERVICE_LIST));
    }
}

void TestUlmxBadInput::mutatedDocuments() {
    // Random damage to a valid document: every outcome is a result code of its own kind, and a document the
    // reader refuses fills nothing.
    const QByteArray valid = validDocument();
    QRandomGenerator random(20261207);
    int refused = 0;
    for (int round = 0; round < 1500; ++round) {
        QByteArray bytes = valid;
        const int damage = 1 + random.bounded(4);
        for (int i = 0; i < damage; ++i) {
            const int at = random.bounded(int(bytes.size()));
            switch (random.bounded(4)) {
            case 0:
                bytes[at] = char(random.bounded(256));
                break;
            case 1:
                bytes.remove(at, random.bounded(1, 40));
                break;
            case 2:
                bytes.insert(at, bytes.mid(random.bounded(int(bytes.size())), random.bounded(1, 60)));
                break;
            default:
                bytes.truncate(at);
                break;
            }
            if (bytes.isEmpty())
                break;
        }
        const UlmxLoad load = UlmxLoad::fromBytes(bytes);
        for (int result : {load.satelliteResult, load.cableResult, load.airResult, load.astraResult})
            QVERIFY(result == RC_SUCCESS || result == RC_NO_SERVICE_LIST || result == RC_INVALID_FORMAT);
        if (load.satelliteResult == RC_INVALID_FORMAT) {
            ++refused;
            QVERIFY(allLoadersGive(load, RC_INVALID_FORMAT));
            QVERIFY(everythingEmpty(load));
        }
    }
    QVERIFY(refused > 0);
}

QTEST_GUILESS_MAIN(TestUlmxBadInput)
#include "tst_ulmxbadinput.moc"
