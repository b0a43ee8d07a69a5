#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/rawrecordcodec.h"
#include "rawtestsupport.h"

#include <QTest>

#include <cmath>
#include <functional>

using namespace RawTest;

namespace {

const RawLayout &L12 = GGData2012_01::LAYOUT;

// Decodes one member kind into throw-away containers; the codec's result code.
using Decoder = std::function<int(const QByteArray &)>;

struct MemberCase {
    const char *name;
    QByteArray bytes;
    Decoder decode;
};

// Every record member of the full test document, encoded in 2012-01, with its decoder.
QList<MemberCase> allMembers() {
    ChannelListProvider doc(nullptr);
    fillDocument(doc, L12);
    QList<MemberCase> out;
    QByteArray b;
    RawRecordCodec::encodeAirChannels(*doc.airList(), L12, b);
    out.append({"air", b, [](const QByteArray &x) {
                    ChannelList<AirChannel> l;
                    return RawRecordCodec::decodeAirChannels(x, L12, l);
                }});
    RawRecordCodec::encodeCableChannels(*doc.cableList(), L12, b);
    out.append({"cable", b, [](const QByteArray &x) {
                    ChannelList<CableChannel> l;
                    return RawRecordCodec::decodeCableChannels(x, L12, l);
                }});
    RawRecordCodec::encodeSatelliteChannels(*doc.satelliteList(), L12, b);
    out.append({"satellite channels", b, [](const QByteArray &x) {
                    ChannelList<SatelliteChannel> l;
                    return RawRecordCodec::decodeSatelliteChannels(x, L12, l);
                }});
    RawRecordCodec::encodeAstraHDChannels(*doc.astraHDList(), L12, b);
    out.append({"Astra HD+ channels", b, [](const QByteArray &x) {
                    ChannelList<AstraHDChannel> l;
                    return RawRecordCodec::decodeAstraHDChannels(x, L12, l);
                }});
    RawRecordCodec::encodeSatellites(SatelliteChannel::satellites, 7, L12, b);
    out.append({"satellites", b, [](const QByteArray &x) {
                    SatelliteMap m;
                    int h = 0;
                    return RawRecordCodec::decodeSatellites(x, L12, m, h);
                }});
    RawRecordCodec::encodeTransponders(SatelliteChannel::transponders, L12, b);
    out.append({"transponders", b, [](const QByteArray &x) {
                    TransponderMap m;
                    return RawRecordCodec::decodeTransponders(x, L12, m);
                }});
    RawRecordCodec::encodeProviders(SatelliteChannel::serviceProviders, L12, b);
    out.append({"providers", b, [](const QByteArray &x) {
                    CategoryProviderMap m;
                    return RawRecordCodec::decodeProviders(x, L12, m);
                }});
    RawRecordCodec::encodeBouquets(SatelliteChannel::bouquets, L12, b);
    out.append({"bouquets", b, [](const QByteArray &x) {
                    CategoryProviderMap m;
                    return RawRecordCodec::decodeBouquets(x, L12, m);
                }});
    RawRecordCodec::encodePhysicalChannels(RawRecordCodec::defaultAirChannels(), false, L12, b);
    out.append({"physical air", b, [](const QByteArray &x) {
                    QVector<PhysicalChannel> t;
                    return RawRecordCodec::decodePhysicalChannels(x, false, L12, t);
                }});
    return out;
}

// A one-channel member of the given kind, for field tests.
QByteArray oneAirChannel(float frequency = 474.0f) {
    ChannelList<AirChannel> list;
    list.append(AirChannel(1, QStringLiteral("a"), 1, frequency, 1, false, false, 0, 8, 0, 6, 0, 0));
    QByteArray b;
    RawRecordCodec::encodeAirChannels(list, L12, b);
    return b;
}

int decodeAir(const QByteArray &b, const RawLayout &layout = L12) {
    ChannelList<AirChannel> l;
    return RawRecordCodec::decodeAirChannels(b, layout, l);
}

} // namespace

class TestRawCodec : public QObject {
    Q_OBJECT

private slots:
    void init() { SatelliteChannel::clearDatabase(); }

    void recordSizesDifferByTheFavouritesBlock() {
        QCOMPARE(RawRecordCodec::airRecordSize(GGData2011_01::LAYOUT) -
                     RawRecordCodec::airRecordSize(GGData2010_01::LAYOUT),
                 1);
        QCOMPARE(RawRecordCodec::airRecordSize(GGData2012_01::LAYOUT) -
                     RawRecordCodec::airRecordSize(GGData2011_01::LAYOUT),
                 5);
        // A member of one year is refused by another, even where the record sizes agree.
        QByteArray b;
        RawRecordCodec::encodeSatellites({}, 0, GGData2011_01::LAYOUT, b);
        SatelliteMap m;
        int h = 0;
        QCOMPARE(RawRecordCodec::decodeSatellites(b, GGData2012_01::LAYOUT, m, h), 1001);
        QCOMPARE(decodeAir(oneAirChannel(), GGData2011_01::LAYOUT), 1001);
    }

    // CRC-32 catches every single changed byte, the checksum's own bytes included.
    void flippedByteAnywhere() {
        for (const MemberCase &m : allMembers()) {
            QCOMPARE(m.decode(m.bytes), int(RC_SUCCESS));
            for (int i = 0; i < m.bytes.size(); ++i) {
                QByteArray damaged = m.bytes;
                damaged[i] = char(damaged[i] ^ (1 << (i % 8)));
                QVERIFY2(m.decode(damaged) == RC_CHECKSUM_FAILED,
                         qPrintable(QStringLiteral("%1, byte %2").arg(QLatin1String(m.name)).arg(i)));
            }
        }
    }

    void truncationAndExtension() {
        for (const MemberCase &m : allMembers()) {
            for (int n = 0; n < m.bytes.size(); ++n) {
                const int rc = m.decode(m.bytes.left(n));
                QVERIFY2(
                    rc == 1002 || rc == RC_CHECKSUM_FAILED,
                    qPrintable(QStringLiteral("%1, %2 bytes: %3").arg(QLatin1String(m.name)).arg(n).arg(rc)));
            }
            QCOMPARE(m.decode(m.bytes.left(RawRecordCodec::HEADER_SIZE + RawRecordCodec::CRC_SIZE - 1)),
                     1002);
        }
        QCOMPARE(decodeAir(QByteArray(int(RawRecordCodec::MAX_MEMBER_SIZE) + 1, '\0')), 1002);
    }

    // With a valid checksum, the header and the length are checked in that order.
    void headerAndLengthChecks() {
        const QByteArray good = oneAirChannel();
        QByteArray b = good;
        b[0] = 'X';
        resign(b);
        QCOMPARE(decodeAir(b), 1001);
        b = good;
        putU16(b, 4, 1101);
        resign(b);
        QCOMPARE(decodeAir(b), 1001);
        b = good;
        putU16(b, 6, quint16(RawRecordCodec::airRecordSize(L12) + 1));
        resign(b);
        QCOMPARE(decodeAir(b), 1001);
        b = good;
        putU32(b, 8, 2);
        resign(b);
        QCOMPARE(decodeAir(b), 1002);
        // A huge count is caught by the length check, never used to size anything.
        b = good;
        putU32(b, 8, 0xFFFFFFFFu);
        resign(b);
        QCOMPARE(decodeAir(b), 1002);
        b = good;
        b.insert(RawRecordCodec::HEADER_SIZE, 'x');
        resign(b);
        QCOMPARE(decodeAir(b), 1002);
        // Wrong magic and wrong length together: the header reports first.
        b = good;
        b[1] = 'X';
        b.append("xx");
        resign(b);
        QCOMPARE(decodeAir(b), 1001);
    }

    void fieldChecks() {
        const int record = RawRecordCodec::HEADER_SIZE;
        const QByteArray good = oneAirChannel();
        auto patched = [&](int offset, QByteArray bytes) {
            QByteArray b = good;
            b.replace(offset, bytes.size(), bytes);
            resign(b);
            return b;
        };
        QCOMPARE(decodeAir(patched(record + 2, QByteArray(1, 2))), 1003);                   // kind
        QCOMPARE(decodeAir(patched(record, QByteArray::fromHex("1027"))), 1003);            // number 10000
        QCOMPARE(decodeAir(patched(record, QByteArray::fromHex("0f27"))), int(RC_SUCCESS)); // 9999
        QCOMPARE(decodeAir(patched(record + 3, QByteArray(1, 4))), 1003); // unknown flag bit

        const int frequency = record + RawRecordCodec::airRecordSize(L12) - 16;
        QCOMPARE(decodeAir(patched(frequency, QByteArray::fromHex("0000c07f"))), 1004); // NaN
        QCOMPARE(decodeAir(patched(frequency, QByteArray::fromHex("0000807f"))), 1004); // +inf

        // Membership bytes are 0 or 1.
        ChannelList<AirChannel> list;
        list.append(AirChannel(1, QStringLiteral("a"), 1, 474.0f, 1, false, false, 0, 8, 0, 6, 0, 0));
        QByteArray b;
        RawRecordCodec::encodeAirChannels(list, GGData2011_01::LAYOUT, b);
        b[record + 148 + 2] = 2;
        resign(b);
        QCOMPARE(decodeAir(b, GGData2011_01::LAYOUT), 1003);

        // Cable frequencies and transponder frequencies are checked alike.
        ChannelList<CableChannel> cable;
        cable.append(
            CableChannel(1, QStringLiteral("c"), 1, 113.0f, 1, false, false, 0, 6900, 0, 6, 1, 0, 0));
        RawRecordCodec::encodeCableChannels(cable, L12, b);
        b.replace(record + RawRecordCodec::cableRecordSize(L12) - 20, 4, QByteArray::fromHex("0000807f"));
        resign(b);
        ChannelList<CableChannel> cableOut;
        QCOMPARE(RawRecordCodec::decodeCableChannels(b, L12, cableOut), 1004);
        QVERIFY(cableOut.isEmpty());

        TransponderMap transponders;
        transponders.insert(1, Transponder());
        RawRecordCodec::encodeTransponders(transponders, L12, b);
        b.replace(record + 8, 4, QByteArray::fromHex("0000c07f"));
        resign(b);
        TransponderMap tOut;
        QCOMPARE(RawRecordCodec::decodeTransponders(b, L12, tOut), 1004);
    }

    // Duplicate keys would silently drop a record; bouquet id 0 would read as an empty slot.
    void databaseChecks() {
        const int record = RawRecordCodec::HEADER_SIZE;
        SatelliteMap satellites;
        satellites.insert(1, SatelliteInfo{QStringLiteral("a"), 0, 0, 0});
        satellites.insert(2, SatelliteInfo{QStringLiteral("b"), 0, 0, 0});
        QByteArray b;
        RawRecordCodec::encodeSatellites(satellites, 0, L12, b);
        putU16(b, record + 144, 1);
        resign(b);
        SatelliteMap sOut;
        int header = 0;
        QCOMPARE(RawRecordCodec::decodeSatellites(b, L12, sOut, header), 1005);
        QVERIFY(sOut.isEmpty());

        TransponderMap transponders;
        transponders.insert(5, Transponder());
        transponders.insert(6, Transponder());
        RawRecordCodec::encodeTransponders(transponders, L12, b);
        putU32(b, record + 40, 5);
        resign(b);
        TransponderMap tOut;
        QCOMPARE(RawRecordCodec::decodeTransponders(b, L12, tOut), 1005);

        CategoryProviderMap providers;
        providers[3].insert(1, ServiceProvider{QStringLiteral("p"), 0, 0});
        providers[8].insert(1, ServiceProvider{QStringLiteral("same id, other category"), 0, 0});
        RawRecordCodec::encodeProviders(providers, L12, b);
        CategoryProviderMap pOut;
        QCOMPARE(RawRecordCodec::decodeProviders(b, L12, pOut), int(RC_SUCCESS));
        QVERIFY(pOut == providers);
        putU32(b, record + 140, 3);
        resign(b);
        QCOMPARE(RawRecordCodec::decodeProviders(b, L12, pOut), 1005);

        CategoryProviderMap bouquets;
        bouquets[8].insert(1, ServiceProvider{QStringLiteral("b"), 0, 0});
        RawRecordCodec::encodeBouquets(bouquets, L12, b);
        putU32(b, record + 4, 0);
        resign(b);
        CategoryProviderMap bOut;
        QCOMPARE(RawRecordCodec::decodeBouquets(b, L12, bOut), 1005);
    }

    void names() {
        const QString exact(64, QLatin1Char('x'));
        QCOMPARE(RawRecordCodec::decodeName(RawRecordCodec::encodeName(exact).constData()), exact);
        QCOMPARE(RawRecordCodec::decodeName(RawRecordCodec::encodeName(exact + QLatin1Char('y')).constData()),
                 exact);
        QCOMPARE(RawRecordCodec::decodeName(RawRecordCodec::encodeName(QString()).constData()), QString());
        // A pair that would straddle the end is left out whole.
        const QString pair = QString::fromUtf8("\xF0\x9F\x93\xBA"); // U+1F4FA, two code units
        const QString straddling = QString(63, QLatin1Char('a')) + pair;
        QCOMPARE(RawRecordCodec::decodeName(RawRecordCodec::encodeName(straddling).constData()),
                 QString(63, QLatin1Char('a')));
        const QString fitting = QString(62, QLatin1Char('a')) + pair;
        QCOMPARE(RawRecordCodec::decodeName(RawRecordCodec::encodeName(fitting).constData()), fitting);
        QCOMPARE(RawRecordCodec::encodeName(QStringLiteral("AB")).left(6), QByteArray("A\0B\0\0\0", 6));
    }

    void countryEncoding() {
        QByteArray b;
        QCOMPARE(RawRecordCodec::encodeCountry(QStringLiteral("DEU"), b), int(RC_SUCCESS));
        QCOMPARE(b, QByteArray("DEU\0", 4));
        QCOMPARE(RawRecordCodec::encodeCountry(QStringLiteral("*"), b), int(RC_SUCCESS));
        QCOMPARE(b, QByteArray("*\0\0\0", 4));
        QCOMPARE(RawRecordCodec::encodeCountry(QStringLiteral("at"), b), int(RC_SUCCESS));
        QCOMPARE(b, QByteArray("AT\0\0", 4));
        for (const char *bad : {"", "DEUT", "D U", "*A", "\xC3\x84U"})
            QCOMPARE(RawRecordCodec::encodeCountry(QString::fromUtf8(bad), b), 1016);
        QCOMPARE(RawRecordCodec::encodeKey(GGData2012_01::LAYOUT), QByteArray::fromHex("68531200"));
    }

    void astraHDRangeLimit() {
        ChannelList<AstraHDChannel> list;
        for (int i = 0; i < 100; ++i)
            list.append(AstraHDChannel(i, QStringLiteral("h"), quint16(1 + i % 99), 1, 1, 0, 0, 0, nullptr, 0,
                                       1, false, false, 0, 0, 0));
        const ChannelList<AstraHDChannel> before = list;
        QCOMPARE(RawRecordCodec::fillAstraHDRange(list), 1003);
        list.erase(99);
        QCOMPARE(RawRecordCodec::fillAstraHDRange(list), int(RC_SUCCESS));
        QCOMPARE(list.size(), 99);
        for (int i = 0; i < 99; ++i)
            QCOMPARE(int(list[i].number()), i + 1);
    }

    void physicalTables() {
        for (bool cable : {false, true}) {
            const QVector<PhysicalChannel> table =
                cable ? RawRecordCodec::defaultCableChannels() : RawRecordCodec::defaultAirChannels();
            QVERIFY(!table.isEmpty());
            QByteArray b;
            QCOMPARE(RawRecordCodec::encodePhysicalChannels(table, cable, L12, b), int(RC_SUCCESS));
            QVector<PhysicalChannel> back;
            QCOMPARE(RawRecordCodec::decodePhysicalChannels(b, cable, L12, back), int(RC_SUCCESS));
            QVERIFY(back == table);
            // Air and cable tables are told apart by their magic.
            QCOMPARE(RawRecordCodec::decodePhysicalChannels(b, !cable, L12, back), 1001);
            for (int i = 0; i < table.size(); ++i)
                QCOMPARE(int(table[i].index), i + 1);
        }
        const QVector<PhysicalChannel> air = RawRecordCodec::defaultAirChannels();
        auto find = [&air](const char *label) {
            for (const PhysicalChannel &c : air) {
                if (c.label == label)
                    return c;
            }
            return PhysicalChannel();
        };
        QCOMPARE(find("E21").frequency, 474000u);
        QCOMPARE(find("E69").frequency, 858000u);
        QCOMPARE(find("E05").frequency, 177500u);
        QCOMPARE(int(find("E21").bandwidth), 8);
    }
};

QTEST_GUILESS_MAIN(TestRawCodec)
#include "tst_rawcodec.moc"
