#ifndef SEEDDOCUMENT_H
#define SEEDDOCUMENT_H

// The document the seed corpora are written from, also the open document a fuzzed merge goes into.

#include "core/channellistprovider.h"

namespace Fuzz {

// A small document: two channels per list, favourites in several lists, one satellite with a user
// satellite beside it, providers and bouquets.
inline void fillSeedDocument(ChannelListProvider &doc) {
    doc.setCountry(QStringLiteral("DEU"));
    AirChannel &a = doc.airList()->append(AirChannel(0x1234, QStringLiteral("Das Erste HD"), 1, 474.0f, 25,
                                                     false, true, Channel::DIGITAL, 8, 0, 6, 0x401, 0x2114));
    a.setFavouritePosition(1, 2);
    a.setFavouritePosition(5, 1);
    doc.airList()->append(AirChannel(0, QStringLiteral("Analog"), 99, 55.25f, 1, true, false,
                                     Channel::ANALOGUE, 7, 3, 2, -1, 0));
    CableChannel &c =
        doc.cableList()->append(CableChannel(77, QStringLiteral("Kabel Eins"), 9999, 113.0f, 1, true, true,
                                             Channel::DIGITAL, 6900, 0, 6, 1, 1079, 61441));
    c.setFavouritePosition(2, 5);
    doc.cableList()->append(CableChannel(0, QStringLiteral("Analog cable"), 3, 112.25f, 4, false, false,
                                         Channel::ANALOGUE, 0, 2, 1, 2, -1, 0));
    SatelliteChannel &s = doc.satelliteList()->append(SatelliteChannel(
        28106, QStringLiteral("ZDF HD"), 2, 1001, 3, 25, false, true, Channel::DIGITAL, 1079, 1));
    s.setFavouritePosition(3, 1);
    doc.satelliteList()->append(SatelliteChannel(17, QStringLiteral("User"), 3, 0xFFE1000A, NO_ID, 2, true,
                                                 false, Channel::DIGITAL, 0, 0));
    const quint16 bouquets[2] = {1, 2};
    AstraHDChannel &h =
        doc.astraHDList()->append(AstraHDChannel(61300, QStringLiteral("RTL HD"), 1, 1001, 4, 300, 12, 0x5A,
                                                 bouquets, 2, 25, true, false, Channel::DIGITAL, 1017, 1));
    h.setFavouritePosition(1, 1);
    doc.astraHDList()->append(AstraHDChannel(61302, QStringLiteral("Outside"), 150, 1001, NO_ID, 0, 0, 0,
                                             nullptr, 0, 2, false, false, Channel::DIGITAL, 0, 0));

    SatelliteChannel::clearDatabase();
    SatelliteChannel::databaseHeader = 0x0203;
    SatelliteChannel::satellites.insert(1, SatelliteInfo{QStringLiteral("Astra 19.2E"), 1, 0x80C0, 2});
    SatelliteChannel::satellites.insert(0xFFE1, SatelliteInfo{QStringLiteral("My dish"), 1, 0x0050, 2});
    Transponder t;
    t.satelliteId = 1;
    t.frequency = 11494000.0f;
    t.symbolRate = 22000000;
    t.modulation = 5;
    t.polarity = 0;
    t.fec = 2;
    SatelliteChannel::transponders.insert(1001, t);
    t.satelliteId = qint16(0xFFE1);
    t.frequency = 10714000.0f;
    t.polarity = 1;
    t.userFlag = 1;
    SatelliteChannel::transponders.insert(0xFFE1000A, t);
    SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE].insert(
        3, ServiceProvider{QStringLiteral("ZDFvision"), 0, 7});
    SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD].insert(
        4, ServiceProvider{QStringLiteral("HD+"), 0, 9});
    SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(
        1, ServiceProvider{QStringLiteral("Basis"), 0, 1});
    SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(
        2, ServiceProvider{QStringLiteral("Extra"), 0, 0});
}

} // namespace Fuzz

#endif
