#include "core/airchannel.h"
#include "core/cablechannel.h"
#include "core/channelmatching.h"
#include "core/satellitechannel.h"

#include <QtTest>

#include <limits>

namespace {
Transponder transponder(qint16 satellite, float kHz, qint32 symbolRate, int polarity) {
    Transponder tp;
    tp.satelliteId = satellite;
    tp.frequency = kHz;
    tp.symbolRate = symbolRate;
    tp.polarity = polarity;
    return tp;
}
AirChannel air(int serviceId, int kind, float mhz) {
    return AirChannel(serviceId, "A", 1, mhz, 1, false, false, kind, 8, 0, 6, 1, 1);
}
CableChannel cable(int serviceId, int kind, float mhz) {
    return CableChannel(serviceId, "C", 1, mhz, 1, false, false, kind, 6900, 0, 6, 1, 1, 1);
}
} // namespace

class TestMatching : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SatelliteChannel::clearDatabase(); }

    void transponderToleranceBoundaries() {
        const Transponder base = transponder(1, 11494000.0f, 27500000, 1);
        QVERIFY(recordsMatchWithTolerance(base, transponder(1, 11494999.0f, 27500099, 1)));
        QVERIFY(recordsMatchWithTolerance(base, transponder(1, 11493001.0f, 27499901, 1)));
        QVERIFY(!recordsMatchWithTolerance(base, transponder(1, 11495000.0f, 27500000, 1)));
        QVERIFY(!recordsMatchWithTolerance(base, transponder(1, 11494000.0f, 27500100, 1)));
        QVERIFY(!recordsMatchWithTolerance(base, transponder(1, 11494000.0f, 27500000, 0)));
        QVERIFY(!recordsMatchWithTolerance(base, transponder(2, 11494000.0f, 27500000, 1)));
        // Modulation and FEC do not count.
        Transponder other = base;
        other.modulation = 1;
        other.fec = 9;
        QVERIFY(recordsMatchWithTolerance(base, other));
        // Satellite ids compare as unsigned 16-bit values.
        QVERIFY(recordsMatchWithTolerance(transponder(-1, 1, 0, 0), transponder(qint16(0xFFFF), 1, 0, 0)));
    }

    void transponderComparisonSurvivesHostileValues() {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        QVERIFY(!recordsMatchWithTolerance(transponder(1, nan, 0, 1), transponder(1, nan, 0, 1)));
        QVERIFY(!recordsMatchWithTolerance(transponder(1, inf, 0, 1), transponder(1, 0, 0, 1)));
        QVERIFY(!recordsMatchWithTolerance(transponder(1, 1e30f, 0, 1), transponder(1, -1e30f, 0, 1)));
        // The symbol-rate difference would overflow 32 bits.
        QVERIFY(!recordsMatchWithTolerance(transponder(1, 0, std::numeric_limits<qint32>::max(), 1),
                                           transponder(1, 0, std::numeric_limits<qint32>::min(), 1)));
    }

    void terrestrialChannelTolerance() {
        // Digital: same service id and within 9 MHz.
        QVERIFY(isSameChannel(air(5, 0, 474.0f), air(5, 0, 483.9f)));
        QVERIFY(!isSameChannel(air(5, 0, 474.0f), air(5, 0, 484.0f)));
        QVERIFY(!isSameChannel(air(5, 0, 474.0f), air(6, 0, 474.0f)));
        QVERIFY(!isSameChannel(air(5, 0, 474.0f), air(5, 1, 474.0f)));
        // Analogue: the service id does not count; 1 MHz apart is the same channel, neighbours are not.
        QVERIFY(isSameChannel(air(1, 1, 175.25f), air(2, 1, 176.25f)));
        QVERIFY(!isSameChannel(air(1, 1, 175.25f), air(1, 1, 182.25f)));
        QVERIFY(!isSameChannel(cable(1, 1, 175.25f), cable(1, 1, 183.25f)));
        QVERIFY(isSameChannel(cable(3, 0, 306.0f), cable(3, 0, 314.5f)));
        QVERIFY(!isSameChannel(air(1, 1, std::numeric_limits<float>::quiet_NaN()),
                               air(1, 1, std::numeric_limits<float>::quiet_NaN())));
    }

    void satelliteServiceComparison() {
        SatelliteChannel::transponders.insert(1, transponder(0x80C0, 11494000.0f, 22000000, 1));
        SatelliteChannel::transponders.insert(2, transponder(0x80C0, 11494999.0f, 22000000, 1));
        SatelliteChannel::transponders.insert(3, transponder(0x80C0, 12493000.0f, 22000000, 1));
        SatelliteChannel::transponders.insert(5, transponder(0x80C0, 12494000.0f, 22000000, 1));
        SatelliteChannel::transponders.insert(4, transponder(0x80C0, 11494000.0f, 22000000, 0));
        SatelliteChannel::satellites.insert(0x80C0, SatelliteInfo{"Astra 19.2E", 4, 0x80C0, 2});
        auto sat = [](int sid, quint32 tp) {
            return SatelliteChannel(sid, "S", 1, tp, NO_ID, 1, 0, 0, 0, 1, 1);
        };
        QVERIFY(isSameSatelliteService(sat(7, 1), sat(7, 2)));
        QVERIFY(isSameSatelliteService(sat(7, 1), sat(7, 3)));  // 999 MHz apart
        QVERIFY(!isSameSatelliteService(sat(7, 1), sat(7, 5))); // 1000 MHz apart
        QVERIFY(!isSameSatelliteService(sat(7, 1), sat(8, 1)));
        QVERIFY(!isSameSatelliteService(sat(7, 1), sat(7, 4)));
        QVERIFY(isSameSatelliteService(sat(7, 99), sat(7, 98))); // both absent: defaults agree
        QCOMPARE(SatelliteChannel::transponders.size(), 5);      // and nothing was inserted
        QVERIFY(equalsIgnoreCase("astra", "ASTRA"));
        QVERIFY(!equalsIgnoreCase("astra", "astro"));
    }
};

QTEST_GUILESS_MAIN(TestMatching)
#include "tst_matching.moc"
