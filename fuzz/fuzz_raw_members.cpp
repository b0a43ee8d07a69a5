// Every decoder of the raw format's member files, in all three model years, on arbitrary bytes.
//
// Input: one selector byte, then the member's bytes. Selector bits 0-3 choose the member kind, bits 4-5 the
// model year; bit 6 makes the header's record count match the length and bit 7 recomputes the trailing
// CRC-32, so that mutations reach the record parsing instead of stopping at the framing checks.
//
// On success the decoded values must be in range and must survive a round trip through the encoder (the
// encoder applies the decoder's own rules); on failure the output must be untouched.

#include "fuzz/fuzzcheck.h"
#include "fuzz/harnesses.h"

#include "datafilehandlers/ggdata.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QByteArray>
#include <QtEndian>

#include <zlib.h>

#include <cmath>

namespace {

enum MemberKind {
    KEY,
    COUNTRY,
    AIR,
    CABLE,
    SATELLITE_CHANNELS,
    ASTRA_HD,
    SATELLITES,
    TRANSPONDERS,
    PROVIDERS,
    BOUQUETS,
    PHYSICAL_AIR,
    PHYSICAL_CABLE,
    KIND_COUNT
};

const RawLayout &layoutOf(int year) {
    static constexpr RawLayout layouts[3] = {GGData2010_01::LAYOUT, GGData2011_01::LAYOUT,
                                             GGData2012_01::LAYOUT};
    return layouts[year > 2 ? 2 : year];
}

int recordSizeOf(int kind, const RawLayout &layout) {
    switch (kind) {
    case AIR:
        return RawRecordCodec::airRecordSize(layout);
    case CABLE:
        return RawRecordCodec::cableRecordSize(layout);
    case SATELLITE_CHANNELS:
        return RawRecordCodec::satelliteRecordSize(layout);
    case ASTRA_HD:
        return RawRecordCodec::astraHDRecordSize(layout);
    case SATELLITES:
        return 16 + 2 * RawRecordCodec::NAME_UNITS;
    case TRANSPONDERS:
        return 40;
    case PROVIDERS:
    case BOUQUETS:
        return 12 + 2 * RawRecordCodec::NAME_UNITS;
    case PHYSICAL_AIR:
    case PHYSICAL_CABLE:
        return 16;
    default:
        return 0;
    }
}

constexpr int OVERHEAD = RawRecordCodec::HEADER_SIZE + RawRecordCodec::CRC_SIZE;

void fixCount(QByteArray &bytes, int recordSize) {
    if (recordSize <= 0 || bytes.size() < OVERHEAD)
        return;
    const int count = (int(bytes.size()) - OVERHEAD) / recordSize;
    bytes.truncate(OVERHEAD + count * recordSize);
    qToLittleEndian(quint32(count), bytes.data() + 8);
}

void fixCrc(QByteArray &bytes) {
    if (bytes.size() < RawRecordCodec::CRC_SIZE)
        return;
    const int at = int(bytes.size()) - RawRecordCodec::CRC_SIZE;
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(at)));
    qToLittleEndian(crc, bytes.data() + at);
}

quint32 headerCount(const QByteArray &bytes) {
    return qFromLittleEndian<quint32>(bytes.constData() + 8);
}

// A channel that no decoder produces, to see whether a failed decode left the list alone.
template <typename T> T sentinel();
template <> AirChannel sentinel<AirChannel>() {
    return AirChannel(-1, QStringLiteral("sentinel"), 1, 1.0f, 1, false, false, 0, 8, 0, 6, 1, 1);
}
template <> CableChannel sentinel<CableChannel>() {
    return CableChannel(-1, QStringLiteral("sentinel"), 1, 1.0f, 1, false, false, 0, 6900, 0, 6, 1, 1, 1);
}
template <> SatelliteChannel sentinel<SatelliteChannel>() {
    return SatelliteChannel(-1, QStringLiteral("sentinel"), 1, 1, 1, 1, false, false, 0, 1, 1);
}
template <> AstraHDChannel sentinel<AstraHDChannel>() {
    return AstraHDChannel(-1, QStringLiteral("sentinel"), 1, 1, 1, 1, 1, 1, nullptr, 0, 1, false, false, 0, 1,
                          1);
}

template <typename T, typename Decode, typename Encode>
void checkChannelMember(const QByteArray &bytes, const RawLayout &layout, Decode decode, Encode encode) {
    ChannelList<T> list;
    const T first = sentinel<T>();
    list.append(first);
    const int rc = decode(bytes, layout, list);
    FUZZ_CHECK(Fuzz::isOneOf(rc, {RC_SUCCESS, RC_CHECKSUM_FAILED}));
    FUZZ_CHECK(list.size() >= 1 && list[0] == first);
    if (rc != RC_SUCCESS) {
        FUZZ_CHECK(list.size() == 1);
        return;
    }
    FUZZ_CHECK(quint32(list.size() - 1) == headerCount(bytes));
    list.erase(0);
    Fuzz::checkChannels(list, layout.favouritesLists, RawRecordCodec::NAME_UNITS);
    for (const T &c : list)
        FUZZ_CHECK(!c.isDeleted() && !c.isModified());

    QByteArray encoded;
    FUZZ_CHECK(encode(list, layout, encoded) == RC_SUCCESS);
    ChannelList<T> again;
    FUZZ_CHECK(decode(encoded, layout, again) == RC_SUCCESS);
    FUZZ_CHECK(again == list);
}

void checkAstraHDRange(const QByteArray &bytes, const RawLayout &layout) {
    ChannelList<AstraHDChannel> list;
    if (RawRecordCodec::decodeAstraHDChannels(bytes, layout, list) != RC_SUCCESS)
        return;
    const int rc = RawRecordCodec::fillAstraHDRange(list);
    FUZZ_CHECK(rc == RC_SUCCESS || rc == RC_INVALID_CONTENTS + RawRecordCodec::DETAIL_FIELD);
    if (rc != RC_SUCCESS)
        return;
    // Every number of the favourite range is held exactly once, by a channel or a placeholder.
    int holders[100] = {};
    for (const AstraHDChannel &c : list) {
        if (c.number() >= 1 && c.number() <= 99)
            ++holders[c.number()];
    }
    for (int n = 1; n <= 99; ++n)
        FUZZ_CHECK(holders[n] == 1);
}

template <typename Map, typename Decode, typename Encode>
void checkDatabaseMember(const QByteArray &bytes, const RawLayout &layout, const Map &start, Decode decode,
                         Encode encode) {
    Map map = start;
    const int rc = decode(bytes, layout, map);
    FUZZ_CHECK(Fuzz::isOneOf(rc, {RC_SUCCESS, RC_CHECKSUM_FAILED}));
    if (rc != RC_SUCCESS) {
        FUZZ_CHECK(map == start);
        return;
    }
    QByteArray encoded;
    FUZZ_CHECK(encode(map, layout, encoded) == RC_SUCCESS);
    Map again;
    FUZZ_CHECK(decode(encoded, layout, again) == RC_SUCCESS);
    FUZZ_CHECK(again == map);
}

int countItems(const CategoryProviderMap &map) {
    int n = 0;
    for (const ProviderMap &inner : map)
        n += int(inner.size());
    return n;
}

} // namespace

int fuzzRawMembers(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    const quint8 selector = data[0];
    const int kind = (selector & 0x0F) % KIND_COUNT;
    const RawLayout &layout = layoutOf((selector >> 4) & 0x03);
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), int(size - 1));
    if (selector & 0x40)
        fixCount(bytes, recordSizeOf(kind, layout));
    if (selector & 0x80)
        fixCrc(bytes);

    switch (kind) {
    case KEY: {
        qint32 key = 0;
        FUZZ_CHECK(RawRecordCodec::decodeKey(bytes, key) == (bytes.size() >= 4));
        break;
    }
    case COUNTRY: {
        QString country = QStringLiteral("untouched");
        const int rc = RawRecordCodec::decodeCountry(bytes, country);
        FUZZ_CHECK(rc == RC_SUCCESS || rc == RC_INVALID_CONTENTS + RawRecordCodec::DETAIL_COUNTRY);
        if (rc != RC_SUCCESS) {
            FUZZ_CHECK(country == QLatin1String("untouched"));
            break;
        }
        FUZZ_CHECK(country.size() >= 1 && country.size() <= 3);
        QByteArray encoded;
        FUZZ_CHECK(RawRecordCodec::encodeCountry(country, encoded) == RC_SUCCESS);
        FUZZ_CHECK(encoded == bytes);
        break;
    }
    case AIR:
        checkChannelMember<AirChannel>(bytes, layout, RawRecordCodec::decodeAirChannels,
                                       RawRecordCodec::encodeAirChannels);
        break;
    case CABLE:
        checkChannelMember<CableChannel>(bytes, layout, RawRecordCodec::decodeCableChannels,
                                         RawRecordCodec::encodeCableChannels);
        break;
    case SATELLITE_CHANNELS:
        checkChannelMember<SatelliteChannel>(bytes, layout, RawRecordCodec::decodeSatelliteChannels,
                                             RawRecordCodec::encodeSatelliteChannels);
        break;
    case ASTRA_HD:
        checkChannelMember<AstraHDChannel>(bytes, layout, RawRecordCodec::decodeAstraHDChannels,
                                           RawRecordCodec::encodeAstraHDChannels);
        checkAstraHDRange(bytes, layout);
        break;
    case SATELLITES: {
        SatelliteMap start;
        start.insert(7, SatelliteInfo{QStringLiteral("sentinel"), 1, 2, 3});
        int header = -12345;
        checkDatabaseMember(
            bytes, layout, start,
            [&header](const QByteArray &b, const RawLayout &l, SatelliteMap &m) {
                return RawRecordCodec::decodeSatellites(b, l, m, header);
            },
            [&header](const SatelliteMap &m, const RawLayout &l, QByteArray &b) {
                return RawRecordCodec::encodeSatellites(m, header, l, b);
            });
        break;
    }
    case TRANSPONDERS: {
        TransponderMap start;
        start.insert(7, Transponder());
        checkDatabaseMember(bytes, layout, start, RawRecordCodec::decodeTransponders,
                            RawRecordCodec::encodeTransponders);
        TransponderMap map;
        if (RawRecordCodec::decodeTransponders(bytes, layout, map) == RC_SUCCESS) {
            for (const Transponder &t : map)
                FUZZ_CHECK(std::isfinite(t.frequency) && t.itemLoc == 0);
        }
        break;
    }
    case PROVIDERS:
    case BOUQUETS: {
        const bool bouquets = kind == BOUQUETS;
        CategoryProviderMap start;
        start[ProviderCategory::SATELLITE].insert(7, ServiceProvider{QStringLiteral("sentinel"), 0, 1});
        auto decode = bouquets ? RawRecordCodec::decodeBouquets : RawRecordCodec::decodeProviders;
        auto encode = bouquets ? RawRecordCodec::encodeBouquets : RawRecordCodec::encodeProviders;
        checkDatabaseMember(bytes, layout, start, decode, encode);
        CategoryProviderMap map;
        if (decode(bytes, layout, map) == RC_SUCCESS) {
            FUZZ_CHECK(quint32(countItems(map)) == headerCount(bytes));
            for (const ProviderMap &inner : map) {
                FUZZ_CHECK(!bouquets || !inner.contains(0));
                for (const ServiceProvider &p : inner)
                    FUZZ_CHECK(Fuzz::isValidName(p.name, RawRecordCodec::NAME_UNITS));
            }
        }
        break;
    }
    case PHYSICAL_AIR:
    case PHYSICAL_CABLE: {
        const bool cable = kind == PHYSICAL_CABLE;
        QVector<PhysicalChannel> start(1);
        checkDatabaseMember(
            bytes, layout, start,
            [cable](const QByteArray &b, const RawLayout &l, QVector<PhysicalChannel> &t) {
                return RawRecordCodec::decodePhysicalChannels(b, cable, l, t);
            },
            [cable](const QVector<PhysicalChannel> &t, const RawLayout &l, QByteArray &b) {
                return RawRecordCodec::encodePhysicalChannels(t, cable, l, b);
            });
        QVector<PhysicalChannel> table;
        if (RawRecordCodec::decodePhysicalChannels(bytes, cable, layout, table) == RC_SUCCESS) {
            for (const PhysicalChannel &c : table)
                FUZZ_CHECK(c.label.size() <= 8 && !c.label.contains('\0'));
        }
        break;
    }
    default:
        break;
    }
    return 0;
}
