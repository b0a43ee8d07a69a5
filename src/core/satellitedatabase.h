#ifndef SATELLITEDATABASE_H
#define SATELLITEDATABASE_H

#include <QMap>
#include <QString>
#include <QtGlobal>

// One satellite of the database.
struct SatelliteInfo {
    QString name;
    int transponderCount = 0;
    // Tenths of a degree in the low 15 bits; bit 15 set for east (19.2E is 0x80C0).
    int orbitalPos = 0;
    int kind = 0;

    bool operator==(const SatelliteInfo &o) const {
        return name == o.name && transponderCount == o.transponderCount && orbitalPos == o.orbitalPos &&
               kind == o.kind;
    }
    bool operator!=(const SatelliteInfo &o) const { return !(*this == o); }
};

struct Transponder {
    qint16 satelliteId = -1; // compared as an unsigned 16-bit satellite id
    float frequency = 0;     // kHz
    qint32 symbolRate = 0;   // symbols per second
    int modulation = -1;     // ModulationNames code
    int polarity = 2;        // PolarityNames code
    int fec = 0;             // FecNames code
    quint8 reserved8 = 0;
    int reserved1 = 0;
    int reserved2 = 0;
    int reserved3 = 0;
    quint8 userFlag = 0; // set for a transponder of the user transponder database
    int itemLoc = 0;     // item location given by the last universal save

    bool operator==(const Transponder &o) const;
    bool operator!=(const Transponder &o) const { return !(*this == o); }
};

// A service provider, or (in the bouquet map) an Astra HD+ bouquet.
struct ServiceProvider {
    QString name;
    int itemLoc = 0;
    quint16 value = 0;

    bool operator==(const ServiceProvider &o) const {
        return name == o.name && itemLoc == o.itemLoc && value == o.value;
    }
    bool operator!=(const ServiceProvider &o) const { return !(*this == o); }
};

using SatelliteMap = QMap<quint16, SatelliteInfo>;
using TransponderMap = QMap<quint32, Transponder>;
using ProviderMap = QMap<quint32, ServiceProvider>;
// Category (3 satellite list, 8 Astra HD+) -> id -> provider or bouquet.
using CategoryProviderMap = QMap<quint32, ProviderMap>;

namespace SatelliteIds {
// User satellites take the nine ids 0xFFE1..0xFFE9.
constexpr quint16 FIRST_USER = 0xFFE1;
constexpr quint16 LAST_USER = 0xFFE9;
inline bool isUser(quint16 id) {
    return id >= FIRST_USER && id <= LAST_USER;
}
} // namespace SatelliteIds

namespace ProviderCategory {
constexpr quint32 SATELLITE = 3;
constexpr quint32 ASTRA_HD = 8;
} // namespace ProviderCategory

// All bits set: a satellite channel without provider (or, for a placeholder, without transponder).
constexpr quint32 NO_ID = 0xFFFFFFFFu;

#endif
