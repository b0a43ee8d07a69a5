#ifndef RAWTESTSUPPORT_H
#define RAWTESTSUPPORT_H

// Test documents for the raw format: every channel kind and every field set to a value that differs from
// its default, so a field the codec drops or swaps shows up in a comparison.

#include "core/channellistprovider.h"
#include "datafilehandlers/ggdata.h"

#include <QtEndian>

#include <zlib.h>

#include <array>
#include <cmath>

namespace RawTest {

using Favourites = std::array<int, Channel::NUMBER_MY_FAVOURITES_LISTS>;

// What a model year keeps of the given favourites: positions in 2012-01, bare membership before, and only
// four lists in 2010-01.
inline Favourites keptBy(const RawLayout &layout, const Favourites &f) {
    Favourites out;
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i) {
        if (i >= layout.favouritesLists || f[size_t(i)] == Channel::NOT_A_MEMBER)
            out[size_t(i)] = Channel::NOT_A_MEMBER;
        else if (layout.favourites == RawLayout::POSITIONS)
            out[size_t(i)] = f[size_t(i)];
        else
            out[size_t(i)] = Channel::MEMBER_WITHOUT_POSITION;
    }
    return out;
}

inline void setFavourites(Channel &c, const Favourites &f) {
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i)
        c.setFavouritePosition(quint16(i + 1), f[size_t(i)]);
    c.setModified(false);
}

// Fills the document and the process-wide database with one of everything. Favourites are given as the
// year keeps them, so a reloaded document must equal this one exactly.
inline void fillDocument(ChannelListProvider &doc, const RawLayout &layout) {
    doc.airList()->clear();
    doc.cableList()->clear();
    doc.satelliteList()->clear();
    doc.astraHDList()->clear();
    doc.setCountry(QStringLiteral("DEU"));

    AirChannel &a1 =
        doc.airList()->append(AirChannel(0x1234, QStringLiteral("Das Erste HD"), 1, 474.25f, 25, false, true,
                                         Channel::DIGITAL, 8, 0, 6, 0x0401, 0x2114));
    setFavourites(a1, keptBy(layout, {2, -1, 1, -1, 3}));
    AirChannel &a2 =
        doc.airList()->append(AirChannel(-7, QStringLiteral("Analog \u00e4\u00f6\u00fc"), 99, 55.25f, 1, true,
                                         false, Channel::ANALOGUE, 7, 3, 2, -1, 0));
    setFavourites(a2, keptBy(layout, {1, -1, -1, 4, -1}));

    CableChannel &c1 =
        doc.cableList()->append(CableChannel(77, QStringLiteral("Kabel Eins"), 9999, 113.0f, 1, true, true,
                                             Channel::DIGITAL, 6900, 0, 6, 1, 1079, 61441));
    setFavourites(c1, keptBy(layout, {-1, 5, -1, -1, 1}));
    doc.cableList()->append(CableChannel(0, QStringLiteral("Analog cable"), 0, 0.1f, 4, false, false,
                                         Channel::ANALOGUE, 0, 2, 1, 2, -1, 0));

    SatelliteChannel &s1 = doc.satelliteList()->append(SatelliteChannel(
        28106, QStringLiteral("ZDF HD"), 2, 1001, 3, 25, false, true, Channel::DIGITAL, 1079, 1));
    setFavourites(s1, keptBy(layout, {1, 2, 3, 4, 5}));
    // No provider (all bits set), and a transponder of a user satellite.
    doc.satelliteList()->append(SatelliteChannel(17, QStringLiteral("User sat channel"), 3, 0xFFE1000A, NO_ID,
                                                 2, true, false, Channel::DIGITAL, 0, 0));

    if (layout.astraHD) {
        const quint16 bouquets[3] = {1, 2, 0x8001};
        AstraHDChannel &h1 = doc.astraHDList()->append(
            AstraHDChannel(61300, QStringLiteral("RTL HD"), 1, 1001, 4, 300, 12, 0x5A, bouquets, 3, 25, true,
                           false, Channel::DIGITAL, 1017, 1));
        setFavourites(h1, keptBy(layout, {1, -1, -1, -1, 2}));
        doc.astraHDList()->append(AstraHDChannel(61301, QStringLiteral("SAT.1 HD"), 2, 1001, 4, 301, 13, 0,
                                                 bouquets, 1, 25, true, true, Channel::DIGITAL, 1017, 1));
        doc.astraHDList()->append(AstraHDChannel(61302, QStringLiteral("Outside"), 150, 1001, NO_ID, 0, 0, 0,
                                                 nullptr, 0, 2, false, false, Channel::DIGITAL, 0, 0));
    }

    SatelliteChannel::clearDatabase();
    SatelliteChannel::databaseHeader = 0x0203;
    SatelliteChannel::satellites.insert(1, SatelliteInfo{QStringLiteral("Astra 1KR/1L/1M/1N"), 2, 0x80C0, 2});
    SatelliteChannel::satellites.insert(0xFFE1, SatelliteInfo{QStringLiteral("My dish"), 1, 0x0050, 7});
    Transponder t;
    t.satelliteId = 1;
    t.frequency = 11494000.5f;
    t.symbolRate = 22000000;
    t.modulation = 5;
    t.polarity = 0;
    t.fec = 2;
    t.reserved8 = 0xAB;
    t.reserved1 = -1;
    t.reserved2 = 0x7FFFFFFF;
    t.reserved3 = 3;
    SatelliteChannel::transponders.insert(1001, t);
    Transponder u = t;
    u.satelliteId = qint16(0xFFE1);
    u.frequency = 10714250.0f;
    u.polarity = 1;
    u.userFlag = 1;
    SatelliteChannel::transponders.insert(0xFFE1000A, u);
    SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE].insert(
        3, ServiceProvider{QStringLiteral("ZDFvision"), 0, 7});
    if (layout.astraHD) {
        SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD].insert(
            4, ServiceProvider{QStringLiteral("HD+"), 0, 9});
        SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(
            1, ServiceProvider{QStringLiteral("HD+ Basis"), 0, 1});
        SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(
            2, ServiceProvider{QStringLiteral("HD+ Extra"), 0, 0});
        SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(
            0x8001, ServiceProvider{QStringLiteral("Regional"), 0, 2});
    }
}

// Recomputes the trailing CRC-32 after a test changed a member on purpose.
inline void resign(QByteArray &member) {
    const int at = int(member.size()) - 4;
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(member.constData()), uInt(at)));
    qToLittleEndian(crc, member.data() + at);
}

inline void putU16(QByteArray &b, int offset, quint16 v) {
    qToLittleEndian(v, b.data() + offset);
}
inline void putU32(QByteArray &b, int offset, quint32 v) {
    qToLittleEndian(v, b.data() + offset);
}

} // namespace RawTest

#endif
