#include "datafilehandlers/rawrecordcodec.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

const char *const RawRecordCodec::MEMBER_KEY = "map-ChKey";
const char *const RawRecordCodec::MEMBER_COUNTRY = "CloneInfo";
const char *const RawRecordCodec::MEMBER_AIR = "map-AirCh";
const char *const RawRecordCodec::MEMBER_CABLE = "map-CableCh";
const char *const RawRecordCodec::MEMBER_SATELLITE = "map-SatCh";
const char *const RawRecordCodec::MEMBER_ASTRA_HD = "map-AstraCh";
const char *const RawRecordCodec::MEMBER_SATELLITES = "db-Satellite";
const char *const RawRecordCodec::MEMBER_TRANSPONDERS = "db-Transponder";
const char *const RawRecordCodec::MEMBER_PROVIDERS = "db-Provider";
const char *const RawRecordCodec::MEMBER_BOUQUETS = "db-Bouquet";
const char *const RawRecordCodec::MEMBER_PHYSICAL_AIR = "phy-Air";
const char *const RawRecordCodec::MEMBER_PHYSICAL_CABLE = "phy-Cable";

namespace {

constexpr char MAGIC_AIR[] = "QRAI";
constexpr char MAGIC_CABLE[] = "QRCA";
constexpr char MAGIC_SATELLITE_CHANNELS[] = "QRSC";
constexpr char MAGIC_ASTRA_HD[] = "QRAH";
constexpr char MAGIC_SATELLITES[] = "QRSA";
constexpr char MAGIC_TRANSPONDERS[] = "QRTP";
constexpr char MAGIC_PROVIDERS[] = "QRPR";
constexpr char MAGIC_BOUQUETS[] = "QRBQ";
constexpr char MAGIC_PHYSICAL_AIR[] = "QRPA";
constexpr char MAGIC_PHYSICAL_CABLE[] = "QRPC";

// Channel record: the common part, the year's favourites block, then the kind's own fields.
constexpr int NAME_SIZE = RawRecordCodec::NAME_UNITS * 2;
constexpr int COMMON_SIZE = 20 + NAME_SIZE;
constexpr int AIR_TAIL = 16;
constexpr int CABLE_TAIL = 20;
constexpr int SATELLITE_TAIL = 8;
constexpr int ASTRA_HD_TAIL = 14 + 2 * AstraHDChannel::MAX_BOUQUETS;
constexpr int SATELLITE_RECORD = 16 + NAME_SIZE;
constexpr int TRANSPONDER_RECORD = 40;
constexpr int PROVIDER_RECORD = 12 + NAME_SIZE;
constexpr int PHYSICAL_RECORD = 16;
constexpr int PHYSICAL_LABEL = 8;

constexpr quint8 FLAG_SCRAMBLED = 0x01;
constexpr quint8 FLAG_LOCKED = 0x02;

int invalid(RawRecordCodec::Detail detail) {
    return RC_INVALID_CONTENTS + detail;
}

void putU8(QByteArray &b, quint8 v) {
    b.append(char(v));
}
void putU16(QByteArray &b, quint16 v) {
    char d[2];
    qToLittleEndian(v, d);
    b.append(d, 2);
}
void putU32(QByteArray &b, quint32 v) {
    char d[4];
    qToLittleEndian(v, d);
    b.append(d, 4);
}
void putI32(QByteArray &b, qint32 v) {
    putU32(b, quint32(v));
}
void putF32(QByteArray &b, float v) {
    quint32 bits;
    std::memcpy(&bits, &v, sizeof bits);
    putU32(b, bits);
}

quint8 getU8(const char *p) {
    return quint8(*p);
}
quint16 getU16(const char *p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 getU32(const char *p) {
    return qFromLittleEndian<quint32>(p);
}
qint32 getI32(const char *p) {
    return qint32(getU32(p));
}
float getF32(const char *p) {
    const quint32 bits = getU32(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QByteArray frame(const char *magic, const RawLayout &layout, int recordSize, quint32 count, qint32 headerWord,
                 const QByteArray &records) {
    QByteArray out;
    out.reserve(RawRecordCodec::HEADER_SIZE + records.size() + RawRecordCodec::CRC_SIZE);
    out.append(magic, 4);
    putU16(out, layout.yearKey);
    putU16(out, quint16(recordSize));
    putU32(out, count);
    putI32(out, headerWord);
    out.append(records);
    putU32(out, quint32(crc32(0, reinterpret_cast<const Bytef *>(out.constData()), uInt(out.size()))));
    return out;
}

struct Framed {
    const char *records = nullptr;
    quint32 count = 0;
    qint32 headerWord = 0;
};

// The checks run in a fixed order, so a damaged member always reports the same code: size bounds, checksum,
// header fields, then the length against the record count. Nothing is sized from the count before that.
int unframe(const QByteArray &bytes, const char *magic, const RawLayout &layout, int recordSize, Framed &f) {
    constexpr int overhead = RawRecordCodec::HEADER_SIZE + RawRecordCodec::CRC_SIZE;
    if (bytes.size() < overhead || bytes.size() > RawRecordCodec::MAX_MEMBER_SIZE)
        return invalid(RawRecordCodec::DETAIL_LENGTH);
    const char *data = bytes.constData();
    const qint64 crcOffset = bytes.size() - RawRecordCodec::CRC_SIZE;
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(data), uInt(crcOffset)));
    if (crc != getU32(data + crcOffset))
        return RC_CHECKSUM_FAILED;
    if (std::memcmp(data, magic, 4) != 0 || getU16(data + 4) != layout.yearKey ||
        getU16(data + 6) != quint16(recordSize))
        return invalid(RawRecordCodec::DETAIL_HEADER);
    const quint32 count = getU32(data + 8);
    if (qint64(count) * recordSize + overhead != qint64(bytes.size()))
        return invalid(RawRecordCodec::DETAIL_LENGTH);
    f.records = data + RawRecordCodec::HEADER_SIZE;
    f.count = count;
    f.headerWord = getI32(data + 12);
    return RC_SUCCESS;
}

bool isFinite(float v) {
    return std::isfinite(v);
}

// ---- channel records ------------------------------------------------------------------------------------

struct CommonFields {
    quint16 number = 0;
    int kind = 0;
    bool scrambled = false;
    bool locked = false;
    int serviceId = 0;
    int serviceType = 0;
    int tsid = 0;
    int onid = 0;
    QString name;
    int favourites[Channel::NUMBER_MY_FAVOURITES_LISTS];
};

int checkCommon(const Channel &c) {
    if (c.number() > Channel::MAX_NUMBER || (c.kind() != Channel::DIGITAL && c.kind() != Channel::ANALOGUE))
        return invalid(RawRecordCodec::DETAIL_FIELD);
    return RC_SUCCESS;
}

using Positions = std::array<int, Channel::NUMBER_MY_FAVOURITES_LISTS>;

void putCommon(QByteArray &b, const Channel &c, const RawLayout &layout, const Positions &positions) {
    putU16(b, c.number());
    putU8(b, quint8(c.kind()));
    putU8(b, quint8((c.isScrambled() ? FLAG_SCRAMBLED : 0) | (c.isLocked() ? FLAG_LOCKED : 0)));
    putI32(b, c.serviceId());
    putI32(b, c.serviceType());
    putI32(b, c.transportStreamId());
    putI32(b, c.originalNetworkId());
    b.append(RawRecordCodec::encodeName(c.name()));
    for (int i = 0; i < layout.favouritesLists; ++i) {
        if (layout.favourites == RawLayout::POSITIONS)
            putU16(b, quint16(positions[size_t(i)]));
        else
            putU8(b, positions[size_t(i)] != 0 ? 1 : 0);
    }
}

int readCommon(const char *r, const RawLayout &layout, CommonFields &f) {
    f.number = getU16(r);
    f.kind = getU8(r + 2);
    const quint8 flags = getU8(r + 3);
    if (f.number > Channel::MAX_NUMBER || f.kind > 1 || (flags & ~(FLAG_SCRAMBLED | FLAG_LOCKED)) != 0)
        return invalid(RawRecordCodec::DETAIL_FIELD);
    f.scrambled = flags & FLAG_SCRAMBLED;
    f.locked = flags & FLAG_LOCKED;
    f.serviceId = getI32(r + 4);
    f.serviceType = getI32(r + 8);
    f.tsid = getI32(r + 12);
    f.onid = getI32(r + 16);
    f.name = RawRecordCodec::decodeName(r + 20);
    const char *fav = r + COMMON_SIZE;
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i) {
        f.favourites[i] = Channel::NOT_A_MEMBER;
        if (i >= layout.favouritesLists)
            continue;
        if (layout.favourites == RawLayout::POSITIONS) {
            const quint16 position = getU16(fav + 2 * i);
            if (position != 0)
                f.favourites[i] = position;
        } else {
            const quint8 member = getU8(fav + i);
            if (member > 1)
                return invalid(RawRecordCodec::DETAIL_FIELD);
            if (member == 1)
                f.favourites[i] = Channel::MEMBER_WITHOUT_POSITION;
        }
    }
    return RC_SUCCESS;
}

void applyCommon(Channel &c, const CommonFields &f) {
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i)
        c.setFavouritePosition(quint16(i + 1), f.favourites[i]);
    c.setModified(false);
}

int channelRecordSize(const RawLayout &layout, int tail) {
    return COMMON_SIZE + layout.favouritesBlockSize() + tail;
}

bool isLiveInFavouriteRange(const AstraHDChannel &c) {
    return !c.isDeleted() && c.number() >= 1 && c.number() <= AstraHDChannel::FAVOURITE_RANGE_LAST;
}

int liveChannelsInFavouriteRange(const ChannelList<AstraHDChannel> &list) {
    int count = 0;
    for (const AstraHDChannel &c : list)
        count += isLiveInFavouriteRange(c) ? 1 : 0;
    return count;
}

// Writes the channels not marked deleted. writeTail appends the kind's own fields or refuses the channel.
template <typename T, typename WriteTail>
int encodeChannels(const ChannelList<T> &list, const RawLayout &layout, const char *magic, int tail,
                   WriteTail writeTail, QByteArray &bytes) {
    std::vector<const T *> channels;
    for (const T &c : list) {
        if (!c.isDeleted())
            channels.push_back(&c);
    }
    // Positions kept in the file are 1..65535; members without one are appended after the list's highest.
    constexpr int HIGHEST = Channel::HIGHEST_FAVOURITE_POSITION;
    Positions highest{};
    for (const T *c : channels) {
        for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i) {
            const int p = c->favouritePosition(quint16(i + 1));
            if (p >= 1 && p <= HIGHEST)
                highest[size_t(i)] = std::max(highest[size_t(i)], p);
        }
    }
    const int recordSize = channelRecordSize(layout, tail);
    QByteArray records;
    records.reserve(int(channels.size()) * recordSize);
    for (const T *c : channels) {
        int rc = checkCommon(*c);
        if (rc != RC_SUCCESS)
            return rc;
        Positions positions{};
        for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i) {
            const int p = c->favouritePosition(quint16(i + 1));
            int &top = highest[size_t(i)];
            if (p == Channel::NOT_A_MEMBER)
                positions[size_t(i)] = 0;
            else if (p >= 1 && p <= HIGHEST)
                positions[size_t(i)] = p;
            else
                positions[size_t(i)] = top = std::min(top + 1, HIGHEST);
        }
        putCommon(records, *c, layout, positions);
        rc = writeTail(records, *c);
        if (rc != RC_SUCCESS)
            return rc;
    }
    bytes = frame(magic, layout, recordSize, quint32(channels.size()), 0, records);
    return RC_SUCCESS;
}

// make(tail, common, out) appends one channel built from the record or refuses it.
template <typename T, typename Make>
int decodeChannels(const QByteArray &bytes, const RawLayout &layout, const char *magic, int tail, Make make,
                   ChannelList<T> &list) {
    const int recordSize = channelRecordSize(layout, tail);
    Framed f;
    int rc = unframe(bytes, magic, layout, recordSize, f);
    if (rc != RC_SUCCESS)
        return rc;
    ChannelList<T> loaded;
    loaded.reserve(int(f.count));
    for (quint32 i = 0; i < f.count; ++i) {
        const char *r = f.records + size_t(i) * size_t(recordSize);
        CommonFields common;
        rc = readCommon(r, layout, common);
        if (rc != RC_SUCCESS)
            return rc;
        rc = make(r + COMMON_SIZE + layout.favouritesBlockSize(), common, loaded);
        if (rc != RC_SUCCESS)
            return rc;
        applyCommon(loaded[loaded.size() - 1], common);
    }
    if (list.isEmpty()) {
        list = std::move(loaded);
    } else {
        for (const T &c : loaded)
            list.append(c);
    }
    return RC_SUCCESS;
}

template <typename Map>
bool insertUnique(Map &map, typename Map::key_type key, const typename Map::mapped_type &v) {
    if (map.contains(key))
        return false;
    map.insert(key, v);
    return true;
}

int encodeProviderLike(const CategoryProviderMap &map, const char *magic, bool skipIdZero,
                       const RawLayout &layout, QByteArray &bytes) {
    QByteArray records;
    quint32 count = 0;
    for (auto category = map.cbegin(); category != map.cend(); ++category) {
        for (auto it = category->cbegin(); it != category->cend(); ++it) {
            if (skipIdZero && it.key() == 0)
                continue;
            putU32(records, category.key());
            putU32(records, it.key());
            putU16(records, it->value);
            putU16(records, 0);
            records.append(RawRecordCodec::encodeName(it->name));
            ++count;
        }
    }
    bytes = frame(magic, layout, PROVIDER_RECORD, count, 0, records);
    return RC_SUCCESS;
}

int decodeProviderLike(const QByteArray &bytes, const char *magic, bool refuseIdZero, const RawLayout &layout,
                       CategoryProviderMap &out) {
    Framed f;
    const int rc = unframe(bytes, magic, layout, PROVIDER_RECORD, f);
    if (rc != RC_SUCCESS)
        return rc;
    CategoryProviderMap loaded;
    for (quint32 i = 0; i < f.count; ++i) {
        const char *r = f.records + size_t(i) * PROVIDER_RECORD;
        const quint32 category = getU32(r);
        const quint32 id = getU32(r + 4);
        ServiceProvider provider;
        provider.value = getU16(r + 8);
        provider.name = RawRecordCodec::decodeName(r + 12);
        if ((refuseIdZero && id == 0) || !insertUnique(loaded[category], id, provider))
            return invalid(RawRecordCodec::DETAIL_DATABASE);
    }
    out = loaded;
    return RC_SUCCESS;
}

PhysicalChannel physical(quint16 index, quint16 bandwidth, quint32 frequency, const char *label) {
    PhysicalChannel c;
    c.index = index;
    c.bandwidth = bandwidth;
    c.frequency = frequency;
    c.label = QByteArray(label);
    return c;
}

void appendBand(QVector<PhysicalChannel> &table, char prefix, int first, int last, quint32 firstCentre,
                quint16 bandwidth) {
    for (int n = first; n <= last; ++n) {
        const QByteArray label = prefix + QByteArray::number(n).rightJustified(2, '0');
        table.append(physical(quint16(table.size() + 1), bandwidth,
                              firstCentre + quint32(n - first) * bandwidth * 1000u, label.constData()));
    }
}

} // namespace

// ---- sizes, key, country, names ---------------------------------------------------------------------------

int RawRecordCodec::airRecordSize(const RawLayout &layout) {
    return channelRecordSize(layout, AIR_TAIL);
}
int RawRecordCodec::cableRecordSize(const RawLayout &layout) {
    return channelRecordSize(layout, CABLE_TAIL);
}
int RawRecordCodec::satelliteRecordSize(const RawLayout &layout) {
    return channelRecordSize(layout, SATELLITE_TAIL);
}
int RawRecordCodec::astraHDRecordSize(const RawLayout &layout) {
    return channelRecordSize(layout, ASTRA_HD_TAIL);
}

QByteArray RawRecordCodec::encodeKey(const RawLayout &layout) {
    QByteArray bytes;
    putI32(bytes, qint32(layout.yearKey) * 1000);
    return bytes;
}

bool RawRecordCodec::decodeKey(const QByteArray &bytes, qint32 &key) {
    if (bytes.size() < 4)
        return false;
    key = getI32(bytes.constData());
    return true;
}

namespace {
bool isValidCountry(const QByteArray &code) {
    if (code == "*")
        return true;
    if (code.isEmpty() || code.size() > 3)
        return false;
    return std::all_of(code.cbegin(), code.cend(), [](char c) { return c >= 'A' && c <= 'Z'; });
}
} // namespace

int RawRecordCodec::encodeCountry(const QString &country, QByteArray &bytes) {
    const QByteArray code = country.toUpper().toLatin1();
    if (country.size() != code.size() || !isValidCountry(code))
        return invalid(DETAIL_COUNTRY);
    bytes = code;
    bytes.append(4 - code.size(), '\0');
    return RC_SUCCESS;
}

int RawRecordCodec::decodeCountry(const QByteArray &bytes, QString &country) {
    if (bytes.size() != 4)
        return invalid(DETAIL_COUNTRY);
    const int end = bytes.indexOf('\0');
    if (end < 0)
        return invalid(DETAIL_COUNTRY);
    const QByteArray code = bytes.left(end);
    // Everything after the code is padding.
    if (bytes.mid(end) != QByteArray(4 - end, '\0') || !isValidCountry(code))
        return invalid(DETAIL_COUNTRY);
    country = QString::fromLatin1(code);
    return RC_SUCCESS;
}

QByteArray RawRecordCodec::encodeName(const QString &name) {
    QByteArray out(NAME_SIZE, '\0');
    int units = std::min(int(name.size()), NAME_UNITS);
    // Never keep half of a surrogate pair: the pair would be cut in two by the field's end.
    if (int(name.size()) > NAME_UNITS && name.at(NAME_UNITS - 1).isHighSurrogate() &&
        name.at(NAME_UNITS).isLowSurrogate())
        --units;
    for (int i = 0; i < units; ++i)
        qToLittleEndian<quint16>(name.at(i).unicode(), out.data() + 2 * i);
    return out;
}

QString RawRecordCodec::decodeName(const char *data) {
    QString name;
    for (int i = 0; i < NAME_UNITS; ++i) {
        const quint16 unit = getU16(data + 2 * i);
        if (unit == 0)
            break;
        name.append(QChar(unit));
    }
    return name;
}

// ---- channel members ------------------------------------------------------------------------------------

int RawRecordCodec::encodeAirChannels(const ChannelList<AirChannel> &list, const RawLayout &layout,
                                      QByteArray &bytes) {
    return encodeChannels(
        list, layout, MAGIC_AIR, AIR_TAIL,
        [](QByteArray &b, const AirChannel &c) {
            if (!isFinite(c.frequency()))
                return invalid(DETAIL_FLOAT);
            putF32(b, c.frequency());
            putU16(b, c.bandwidth());
            putU16(b, 0);
            putI32(b, c.soundSystem());
            putI32(b, c.colourSystem());
            return int(RC_SUCCESS);
        },
        bytes);
}

int RawRecordCodec::decodeAirChannels(const QByteArray &bytes, const RawLayout &layout,
                                      ChannelList<AirChannel> &list) {
    return decodeChannels(
        bytes, layout, MAGIC_AIR, AIR_TAIL,
        [](const char *t, const CommonFields &f, ChannelList<AirChannel> &out) {
            const float frequency = getF32(t);
            if (!isFinite(frequency))
                return invalid(DETAIL_FLOAT);
            out.append(AirChannel(f.serviceId, f.name, f.number, frequency, f.serviceType, f.scrambled,
                                  f.locked, f.kind, getU16(t + 4), getI32(t + 8), getI32(t + 12), f.tsid,
                                  f.onid));
            return int(RC_SUCCESS);
        },
        list);
}

int RawRecordCodec::encodeCableChannels(const ChannelList<CableChannel> &list, const RawLayout &layout,
                                        QByteArray &bytes) {
    return encodeChannels(
        list, layout, MAGIC_CABLE, CABLE_TAIL,
        [](QByteArray &b, const CableChannel &c) {
            if (!isFinite(c.frequency()))
                return invalid(DETAIL_FLOAT);
            putF32(b, c.frequency());
            putU16(b, c.symbolRate());
            putU16(b, 0);
            putI32(b, c.soundSystem());
            putI32(b, c.colourSystem());
            putI32(b, c.modulation());
            return int(RC_SUCCESS);
        },
        bytes);
}

int RawRecordCodec::decodeCableChannels(const QByteArray &bytes, const RawLayout &layout,
                                        ChannelList<CableChannel> &list) {
    return decodeChannels(
        bytes, layout, MAGIC_CABLE, CABLE_TAIL,
        [](const char *t, const CommonFields &f, ChannelList<CableChannel> &out) {
            const float frequency = getF32(t);
            if (!isFinite(frequency))
                return invalid(DETAIL_FLOAT);
            out.append(CableChannel(f.serviceId, f.name, f.number, frequency, f.serviceType, f.scrambled,
                                    f.locked, f.kind, getU16(t + 4), getI32(t + 8), getI32(t + 12),
                                    getI32(t + 16), f.tsid, f.onid));
            return int(RC_SUCCESS);
        },
        list);
}

int RawRecordCodec::encodeSatelliteChannels(const ChannelList<SatelliteChannel> &list,
                                            const RawLayout &layout, QByteArray &bytes) {
    return encodeChannels(
        list, layout, MAGIC_SATELLITE_CHANNELS, SATELLITE_TAIL,
        [](QByteArray &b, const SatelliteChannel &c) {
            putU32(b, c.transponderId());
            putU32(b, c.providerId());
            return int(RC_SUCCESS);
        },
        bytes);
}

int RawRecordCodec::decodeSatelliteChannels(const QByteArray &bytes, const RawLayout &layout,
                                            ChannelList<SatelliteChannel> &list) {
    return decodeChannels(
        bytes, layout, MAGIC_SATELLITE_CHANNELS, SATELLITE_TAIL,
        [](const char *t, const CommonFields &f, ChannelList<SatelliteChannel> &out) {
            out.append(SatelliteChannel(f.serviceId, f.name, f.number, getU32(t), getU32(t + 4),
                                        f.serviceType, f.scrambled, f.locked, f.kind, f.tsid, f.onid));
            return int(RC_SUCCESS);
        },
        list);
}

int RawRecordCodec::encodeAstraHDChannels(const ChannelList<AstraHDChannel> &list, const RawLayout &layout,
                                          QByteArray &bytes) {
    // The reader refuses a favourite range it cannot shape into 1..99; a list the writer cannot read back
    // is refused here instead.
    if (liveChannelsInFavouriteRange(list) > AstraHDChannel::FAVOURITE_RANGE_LAST)
        return RC_ASTRA_HD_RANGE_FULL;
    return encodeChannels(
        list, layout, MAGIC_ASTRA_HD, ASTRA_HD_TAIL,
        [](QByteArray &b, const AstraHDChannel &c) {
            putU32(b, c.transponderId());
            putU32(b, c.providerId());
            putU16(b, c.vsid());
            putU16(b, c.logicalChannelNumber());
            putU8(b, c.flag());
            putU8(b, 0);
            for (int i = 0; i < AstraHDChannel::MAX_BOUQUETS; ++i)
                putU16(b, c.bouquetId(i));
            return int(RC_SUCCESS);
        },
        bytes);
}

int RawRecordCodec::decodeAstraHDChannels(const QByteArray &bytes, const RawLayout &layout,
                                          ChannelList<AstraHDChannel> &list) {
    return decodeChannels(
        bytes, layout, MAGIC_ASTRA_HD, ASTRA_HD_TAIL,
        [](const char *t, const CommonFields &f, ChannelList<AstraHDChannel> &out) {
            quint16 bouquets[AstraHDChannel::MAX_BOUQUETS];
            for (int i = 0; i < AstraHDChannel::MAX_BOUQUETS; ++i)
                bouquets[i] = getU16(t + 14 + 2 * i);
            out.append(AstraHDChannel(f.serviceId, f.name, f.number, getU32(t), getU32(t + 4), getU16(t + 8),
                                      getU16(t + 10), getU8(t + 12), bouquets, AstraHDChannel::MAX_BOUQUETS,
                                      f.serviceType, f.scrambled, f.locked, f.kind, f.tsid, f.onid));
            return int(RC_SUCCESS);
        },
        list);
}

int RawRecordCodec::fillAstraHDRange(ChannelList<AstraHDChannel> &list) {
    std::vector<int> inRange;
    for (int i = 0; i < list.size(); ++i) {
        if (isLiveInFavouriteRange(list[i]))
            inRange.push_back(i);
    }
    if (inRange.size() > size_t(AstraHDChannel::FAVOURITE_RANGE_LAST))
        return invalid(DETAIL_FIELD);
    std::stable_sort(inRange.begin(), inRange.end(),
                     [&list](int a, int b) { return list[a].number() < list[b].number(); });
    for (size_t k = 0; k < inRange.size(); ++k) {
        AstraHDChannel &c = list[inRange[k]];
        const bool modified = c.isModified();
        c.setNumber(quint16(k + 1));
        c.setModified(modified);
    }
    for (int n = int(inRange.size()) + 1; n <= AstraHDChannel::FAVOURITE_RANGE_LAST; ++n)
        list.append(AstraHDChannel::placeholder(quint16(n)));
    return RC_SUCCESS;
}

// ---- satellite database ---------------------------------------------------------------------------------

int RawRecordCodec::encodeSatellites(const SatelliteMap &satellites, int databaseHeader,
                                     const RawLayout &layout, QByteArray &bytes) {
    QByteArray records;
    records.reserve(int(satellites.size()) * SATELLITE_RECORD);
    for (auto it = satellites.cbegin(); it != satellites.cend(); ++it) {
        putU16(records, it.key());
        putU16(records, 0);
        putI32(records, it->transponderCount);
        putI32(records, it->orbitalPos);
        putI32(records, it->kind);
        records.append(encodeName(it->name));
    }
    bytes = frame(MAGIC_SATELLITES, layout, SATELLITE_RECORD, quint32(satellites.size()), databaseHeader,
                  records);
    return RC_SUCCESS;
}

int RawRecordCodec::decodeSatellites(const QByteArray &bytes, const RawLayout &layout,
                                     SatelliteMap &satellites, int &databaseHeader) {
    Framed f;
    const int rc = unframe(bytes, MAGIC_SATELLITES, layout, SATELLITE_RECORD, f);
    if (rc != RC_SUCCESS)
        return rc;
    SatelliteMap loaded;
    for (quint32 i = 0; i < f.count; ++i) {
        const char *r = f.records + size_t(i) * SATELLITE_RECORD;
        SatelliteInfo info;
        info.transponderCount = getI32(r + 4);
        info.orbitalPos = getI32(r + 8);
        info.kind = getI32(r + 12);
        info.name = decodeName(r + 16);
        if (!insertUnique(loaded, getU16(r), info))
            return invalid(DETAIL_DATABASE);
    }
    satellites = loaded;
    databaseHeader = f.headerWord;
    return RC_SUCCESS;
}

int RawRecordCodec::encodeTransponders(const TransponderMap &transponders, const RawLayout &layout,
                                       QByteArray &bytes) {
    QByteArray records;
    records.reserve(int(transponders.size()) * TRANSPONDER_RECORD);
    for (auto it = transponders.cbegin(); it != transponders.cend(); ++it) {
        if (!isFinite(it->frequency))
            return invalid(DETAIL_FLOAT);
        putU32(records, it.key());
        putU16(records, quint16(it->satelliteId));
        putU8(records, it->reserved8);
        putU8(records, it->userFlag);
        putF32(records, it->frequency);
        putI32(records, it->symbolRate);
        putI32(records, it->modulation);
        putI32(records, it->polarity);
        putI32(records, it->fec);
        putI32(records, it->reserved1);
        putI32(records, it->reserved2);
        putI32(records, it->reserved3);
    }
    bytes = frame(MAGIC_TRANSPONDERS, layout, TRANSPONDER_RECORD, quint32(transponders.size()), 0, records);
    return RC_SUCCESS;
}

int RawRecordCodec::decodeTransponders(const QByteArray &bytes, const RawLayout &layout,
                                       TransponderMap &transponders) {
    Framed f;
    const int rc = unframe(bytes, MAGIC_TRANSPONDERS, layout, TRANSPONDER_RECORD, f);
    if (rc != RC_SUCCESS)
        return rc;
    TransponderMap loaded;
    for (quint32 i = 0; i < f.count; ++i) {
        const char *r = f.records + size_t(i) * TRANSPONDER_RECORD;
        Transponder t;
        t.satelliteId = qint16(getU16(r + 4));
        t.reserved8 = getU8(r + 6);
        t.userFlag = getU8(r + 7);
        t.frequency = getF32(r + 8);
        if (!isFinite(t.frequency))
            return invalid(DETAIL_FLOAT);
        t.symbolRate = getI32(r + 12);
        t.modulation = getI32(r + 16);
        t.polarity = getI32(r + 20);
        t.fec = getI32(r + 24);
        t.reserved1 = getI32(r + 28);
        t.reserved2 = getI32(r + 32);
        t.reserved3 = getI32(r + 36);
        // The item location belongs to the universal format; a raw file does not carry it.
        t.itemLoc = 0;
        if (!insertUnique(loaded, getU32(r), t))
            return invalid(DETAIL_DATABASE);
    }
    transponders = loaded;
    return RC_SUCCESS;
}

int RawRecordCodec::encodeProviders(const CategoryProviderMap &providers, const RawLayout &layout,
                                    QByteArray &bytes) {
    return encodeProviderLike(providers, MAGIC_PROVIDERS, false, layout, bytes);
}

int RawRecordCodec::decodeProviders(const QByteArray &bytes, const RawLayout &layout,
                                    CategoryProviderMap &providers) {
    return decodeProviderLike(bytes, MAGIC_PROVIDERS, false, layout, providers);
}

int RawRecordCodec::encodeBouquets(const CategoryProviderMap &bouquets, const RawLayout &layout,
                                   QByteArray &bytes) {
    return encodeProviderLike(bouquets, MAGIC_BOUQUETS, true, layout, bytes);
}

int RawRecordCodec::decodeBouquets(const QByteArray &bytes, const RawLayout &layout,
                                   CategoryProviderMap &bouquets) {
    return decodeProviderLike(bytes, MAGIC_BOUQUETS, true, layout, bouquets);
}

// ---- physical-channel tables ----------------------------------------------------------------------------

int RawRecordCodec::encodePhysicalChannels(const QVector<PhysicalChannel> &table, bool cable,
                                           const RawLayout &layout, QByteArray &bytes) {
    QByteArray records;
    for (const PhysicalChannel &c : table) {
        if (c.label.size() > PHYSICAL_LABEL)
            return invalid(DETAIL_FIELD);
        putU16(records, c.index);
        putU16(records, c.bandwidth);
        putU32(records, c.frequency);
        QByteArray label = c.label;
        label.append(PHYSICAL_LABEL - label.size(), '\0');
        records.append(label);
    }
    bytes = frame(cable ? MAGIC_PHYSICAL_CABLE : MAGIC_PHYSICAL_AIR, layout, PHYSICAL_RECORD,
                  quint32(table.size()), 0, records);
    return RC_SUCCESS;
}

int RawRecordCodec::decodePhysicalChannels(const QByteArray &bytes, bool cable, const RawLayout &layout,
                                           QVector<PhysicalChannel> &table) {
    Framed f;
    const int rc =
        unframe(bytes, cable ? MAGIC_PHYSICAL_CABLE : MAGIC_PHYSICAL_AIR, layout, PHYSICAL_RECORD, f);
    if (rc != RC_SUCCESS)
        return rc;
    QVector<PhysicalChannel> loaded;
    loaded.reserve(int(f.count));
    for (quint32 i = 0; i < f.count; ++i) {
        const char *r = f.records + size_t(i) * PHYSICAL_RECORD;
        PhysicalChannel c;
        c.index = getU16(r);
        c.bandwidth = getU16(r + 2);
        c.frequency = getU32(r + 4);
        const QByteArray label(r + 8, PHYSICAL_LABEL);
        const int end = label.indexOf('\0');
        c.label = end < 0 ? label : label.left(end);
        loaded.append(c);
    }
    table = loaded;
    return RC_SUCCESS;
}

int RawRecordCodec::convertPhysicalChannels(const QByteArray &bytes, bool cable, const RawLayout &from,
                                            const RawLayout &to, QByteArray &converted, int &entries) {
    QVector<PhysicalChannel> table;
    const int rc = decodePhysicalChannels(bytes, cable, from, table);
    if (rc != RC_SUCCESS)
        return rc;
    entries = int(table.size());
    QByteArray out;
    // Whatever the other year's encoder refuses, or frames beyond what its reader takes, it cannot hold.
    if (encodePhysicalChannels(table, cable, to, out) != RC_SUCCESS || out.size() > MAX_MEMBER_SIZE)
        return RC_LIST_TOO_LONG;
    converted = out;
    return RC_SUCCESS;
}

QVector<PhysicalChannel> RawRecordCodec::defaultAirChannels() {
    // The European terrestrial raster: VHF band I and III with 7 MHz, UHF bands IV and V with 8 MHz.
    QVector<PhysicalChannel> table;
    appendBand(table, 'E', 2, 4, 50500, 7);
    appendBand(table, 'E', 5, 12, 177500, 7);
    appendBand(table, 'E', 21, 69, 474000, 8);
    return table;
}

QVector<PhysicalChannel> RawRecordCodec::defaultCableChannels() {
    // Cable adds the special channels between and above the broadcast bands.
    QVector<PhysicalChannel> table;
    appendBand(table, 'E', 2, 4, 50500, 7);
    appendBand(table, 'S', 1, 10, 107500, 7);
    appendBand(table, 'E', 5, 12, 177500, 7);
    appendBand(table, 'S', 11, 20, 233500, 7);
    appendBand(table, 'S', 21, 41, 306000, 8);
    appendBand(table, 'E', 21, 69, 474000, 8);
    return table;
}
