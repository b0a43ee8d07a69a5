#ifndef SAMPLEDOCUMENT_H
#define SAMPLEDOCUMENT_H

#include "core/channellistprovider.h"
#include "core/satellitechannel.h"

#include <QStringList>

// A document made in memory, shaped like a television's export: analogue and digital air and cable channels,
// satellite channels on three satellites (TV, radio and data), an Astra HD+ list with its 1-99 range, a few
// deleted channels and favourites in several lists.
namespace SampleDocument {

constexpr quint16 ASTRA_19 = 0x00C0;
constexpr quint16 HOTBIRD_13 = 0x0082;
constexpr quint16 ASTRA_28 = 0x011C;
// A satellite id the database does not hold.
constexpr quint16 UNKNOWN_SATELLITE = 0x0777;

// DVB service types: 1 TV, 2 radio, 12 data.
constexpr int TV = 1;
constexpr int RADIO = 2;
constexpr int DATA = 12;

inline void makeDatabase() {
    SatelliteChannel::clearDatabase();
    const QList<QPair<quint16, QString>> satellites{
        {ASTRA_19, QStringLiteral("Astra 19.2E")},
        {HOTBIRD_13, QStringLiteral("Hotbird 13.0E")},
        {ASTRA_28, QStringLiteral("Astra 28.2E")},
    };
    for (const auto &s : satellites) {
        SatelliteInfo info;
        info.name = s.second;
        SatelliteChannel::satellites.insert(s.first, info);
    }
    // Transponders 1-3 on Astra 19.2, 4-5 on Hotbird, 6 on Astra 28.2, 7 on a satellite the database lacks.
    const quint16 satelliteOf[] = {0,          ASTRA_19,   ASTRA_19, ASTRA_19,
                                   HOTBIRD_13, HOTBIRD_13, ASTRA_28, UNKNOWN_SATELLITE};
    for (quint32 t = 1; t <= 7; ++t) {
        Transponder tp;
        tp.satelliteId = qint16(satelliteOf[t]);
        tp.frequency = 10700000.0f + 250000.0f * float(t);
        tp.symbolRate = (t % 2) ? 22000000 : 27500000;
        tp.modulation = 1;
        tp.polarity = int(t % 2);
        tp.fec = 2;
        SatelliteChannel::transponders.insert(t, tp);
    }
    ServiceProvider provider;
    provider.name = QStringLiteral("ARD");
    SatelliteChannel::serviceProviders[3].insert(1, provider);
    provider.name = QStringLiteral("ZDFvision");
    SatelliteChannel::serviceProviders[3].insert(2, provider);
    provider.name = QStringLiteral("HD+");
    SatelliteChannel::serviceProviders[8].insert(1, provider);
}

inline AirChannel air(const QString &name, quint16 number, float mhz, int type = TV, int kind = 0) {
    return AirChannel(100 + number, name, number, mhz, type, false, false, kind, 8, 0, 6, 1, 1);
}

inline CableChannel cable(const QString &name, quint16 number, float mhz, int type = TV, int kind = 0,
                          bool scrambled = false) {
    return CableChannel(200 + number, name, number, mhz, type, scrambled, false, kind, 6900, 0, 6, 14, 1, 1);
}

inline SatelliteChannel satellite(const QString &name, quint16 number, quint32 transponder, int type = TV,
                                  bool scrambled = false) {
    return SatelliteChannel(300 + number, name, number, transponder, number % 3 ? 1 : 2, type, scrambled,
                            false, 0, 1, 1);
}

inline AstraHDChannel astraHD(const QString &name, quint16 number, int type = TV) {
    return AstraHDChannel(400 + number, name, number, 1, 1, 0, number, 0, nullptr, 0, type, true, false, 0, 1,
                          1);
}

// The whole sample: format "2012-01" (code 5) with five ordered favourites lists unless told otherwise.
inline ChannelListProvider *create(const QString &country = QStringLiteral("DEU"), int formatCode = 5,
                                   int favouritesLists = 5) {
    makeDatabase();
    auto *document = new ChannelListProvider(nullptr);
    document->setCountry(country);
    document->setFormatCode(formatCode);
    document->setFavouritesListCount(favouritesLists);
    document->setVersionText(formatCode == 3   ? QStringLiteral("2010-01")
                             : formatCode == 4 ? QStringLiteral("2011-01")
                             : formatCode == 5 ? QStringLiteral("2012-01")
                                               : QStringLiteral("ULMX 1.0"));

    const QStringList airTv{
        QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD"),     QStringLiteral("3sat HD"),
        QStringLiteral("arte HD"),      QStringLiteral("phoenix HD"), QStringLiteral("KiKA HD"),
        QStringLiteral("WDR HD Köln"),  QStringLiteral("NDR FS HD"),  QStringLiteral("BR HD")};
    quint16 n = 1;
    for (const QString &name : airTv) {
        document->airList()->append(air(name, n, 474.0f + 8.0f * n));
        ++n;
    }
    document->airList()->append(air(QStringLiteral("Deutschlandfunk"), n++, 506.0f, RADIO));
    document->airList()->append(air(QStringLiteral("DLF Kultur"), n++, 506.0f, RADIO));
    document->airList()->append(air(QStringLiteral("EPG Data"), n++, 506.0f, DATA));
    document->airList()->append(air(QStringLiteral("Kanal 5"), 5, 175.25f, TV, 1));
    document->airList()->append(air(QStringLiteral("Kanal 12"), 12, 224.25f, TV, 1));
    AirChannel gone = air(QStringLiteral("Old Mux Test"), 40, 690.0f);
    gone.setDeleted(true);
    document->airList()->append(gone);
    document->airList()->channelAt(0)->setFavouritePosition(1, 1);
    document->airList()->channelAt(1)->setFavouritePosition(1, 2);
    document->airList()->channelAt(2)->setFavouritePosition(2, 1);
    document->airList()->channelAt(1)->setLocked(true);

    const QStringList cableTv{
        QStringLiteral("RTL HD"),      QStringLiteral("SAT.1 HD"),      QStringLiteral("ProSieben HD"),
        QStringLiteral("VOX HD"),      QStringLiteral("kabel eins HD"), QStringLiteral("n-tv HD"),
        QStringLiteral("Sky Sport 1"), QStringLiteral("Sky Cinema"),    QStringLiteral("DMAX HD")};
    n = 1;
    for (const QString &name : cableTv) {
        document->cableList()->append(
            cable(name, n, 114.0f + 8.0f * n, TV, 0, name.startsWith(QLatin1String("Sky"))));
        ++n;
    }
    document->cableList()->append(cable(QStringLiteral("Radio Bremen"), 301, 113.0f, RADIO));
    document->cableList()->append(cable(QStringLiteral("Analog 3"), 3, 62.25f, TV, 1));

    const QStringList astra{
        QStringLiteral("Das Erste HD"), QStringLiteral("ZDF HD"),       QStringLiteral("RTL"),
        QStringLiteral("SAT.1"),        QStringLiteral("ProSieben"),    QStringLiteral("VOX"),
        QStringLiteral("n-tv"),         QStringLiteral("tagesschau24"), QStringLiteral("ONE HD")};
    n = 1;
    for (const QString &name : astra) {
        document->satelliteList()->append(satellite(name, n, 1 + (n % 3)));
        ++n;
    }
    document->satelliteList()->append(satellite(QStringLiteral("Bayern 3"), 100, 2, RADIO));
    document->satelliteList()->append(satellite(QStringLiteral("hr3"), 101, 2, RADIO));
    document->satelliteList()->append(satellite(QStringLiteral("Rai 1"), 200, 4));
    document->satelliteList()->append(satellite(QStringLiteral("Rai Radio 2"), 201, 5, RADIO));
    document->satelliteList()->append(satellite(QStringLiteral("BBC World News"), 202, 5));
    document->satelliteList()->append(satellite(QStringLiteral("Sky One"), 300, 6, TV, true));
    document->satelliteList()->append(satellite(QStringLiteral("Radio Caroline"), 301, 6, RADIO));
    document->satelliteList()->append(satellite(QStringLiteral("Data Carousel"), 400, 3, DATA));
    document->satelliteList()->append(satellite(QStringLiteral("Feed 7"), 500, 7));
    document->satelliteList()->channelAt(0)->setFavouritePosition(1, 1);
    document->satelliteList()->channelAt(1)->setFavouritePosition(1, 2);
    document->satelliteList()->channelAt(2)->setFavouritePosition(3, 1);

    const QStringList hd{QStringLiteral("RTL HD"), QStringLiteral("SAT.1 HD"), QStringLiteral("ProSieben HD"),
                         QStringLiteral("VOX HD"), QStringLiteral("kabel eins HD")};
    n = 1;
    for (const QString &name : hd) {
        document->astraHDList()->append(astraHD(name, n));
        ++n;
    }
    // The free places of the favourite range, as a raw file fills them.
    for (quint16 empty = n; empty <= 99; ++empty) {
        AstraHDChannel placeholder = astraHD(QStringLiteral("EMPTY_ROW"), empty);
        placeholder.setDeleted(true);
        document->astraHDList()->append(placeholder);
    }
    document->astraHDList()->append(astraHD(QStringLiteral("RTLZWEI HD"), 110));
    document->astraHDList()->append(astraHD(QStringLiteral("SUPER RTL HD"), 111));
    document->astraHDList()->append(astraHD(QStringLiteral("Sport1 HD"), 112));
    return document;
}

} // namespace SampleDocument

#endif
