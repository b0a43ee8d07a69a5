#ifndef TESTDOCUMENT_H
#define TESTDOCUMENT_H

#include "core/channellistprovider.h"
#include "core/satellitechannel.h"

// Channels and a satellite database for the table tests, made in memory.
namespace TestDocument {

constexpr quint16 ASTRA = 0x00C0;
constexpr quint16 HOTBIRD = 0x0082;

inline AirChannel air(const QString &name, quint16 number, float mhz, int serviceType = 1, int kind = 0) {
    return AirChannel(100 + number, name, number, mhz, serviceType, false, false, kind, 8, 0, 6, 1, 1);
}

inline CableChannel cable(const QString &name, quint16 number, float mhz, int serviceType = 1, int kind = 0) {
    return CableChannel(200 + number, name, number, mhz, serviceType, false, false, kind, 6900, 0, 6, 14, 1,
                        1);
}

inline SatelliteChannel satellite(const QString &name, quint16 number, quint32 transponder,
                                  int serviceType = 1) {
    return SatelliteChannel(300 + number, name, number, transponder, 1, serviceType, false, false, 0, 1, 1);
}

inline AstraHDChannel astraHD(const QString &name, quint16 number, quint32 transponder, int serviceType = 1) {
    return AstraHDChannel(400 + number, name, number, transponder, 1, 0, number, 0, nullptr, 0, serviceType,
                          false, false, 0, 1, 1);
}

// Two satellites; transponder 1 and 2 on Astra, 3 on Hotbird.
inline void makeDatabase() {
    SatelliteChannel::clearDatabase();
    SatelliteInfo astra;
    astra.name = QStringLiteral("Astra 19.2E");
    SatelliteChannel::satellites.insert(ASTRA, astra);
    SatelliteInfo hotbird;
    hotbird.name = QStringLiteral("Hotbird 13E ");
    SatelliteChannel::satellites.insert(HOTBIRD, hotbird);

    Transponder t1;
    t1.satelliteId = qint16(ASTRA);
    t1.frequency = 11493750.0f;
    t1.symbolRate = 22000000;
    t1.modulation = 5;
    t1.polarity = 0;
    t1.fec = 2;
    SatelliteChannel::transponders.insert(1, t1);
    Transponder t2 = t1;
    t2.frequency = 12187500.0f;
    t2.symbolRate = 27500000;
    t2.polarity = 1;
    SatelliteChannel::transponders.insert(2, t2);
    Transponder t3 = t1;
    t3.satelliteId = qint16(HOTBIRD);
    t3.frequency = 10992000.0f;
    t3.symbolRate = 27500000;
    t3.fec = 99; // a code missing from the name table
    SatelliteChannel::transponders.insert(3, t3);

    ServiceProvider provider;
    provider.name = QStringLiteral(" ARD ");
    SatelliteChannel::serviceProviders[3].insert(1, provider);
    provider.name = QStringLiteral("HD+");
    SatelliteChannel::serviceProviders[8].insert(1, provider);
}

} // namespace TestDocument

#endif
