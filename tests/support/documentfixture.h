#ifndef DOCUMENTFIXTURE_H
#define DOCUMENTFIXTURE_H

// Documents for the director, merge, raw-handler and flow tests and the open and save benchmarks: a realistic
// document with every channel kind and a satellite database, written as raw or universal files by the
// program's own writers, and a canonical text form of a document for comparing what survived a trip through a
// file.

#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datafilehandler_rvl.h"
#include "datafilehandlers/datafilehandler_ulmx.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace DocumentFixture {

struct Size {
    int satellite = 40;
    int astra = 12; // at most 99: the Astra HD+ favourite range
    int air = 12;   // digital and analogue alternate
    int cable = 12;
};

// What a format keeps of a document.
struct Caps {
    int favouriteLists = 5;
    bool positions = true;
    bool locks = true;
    bool extras = true; // TSID, ONID, sound and colour systems, Astra HD+ flag
    bool astra = true;

    static Caps of(int format) {
        switch (format) {
        case FF_RAW_2010_01:
            return Caps{4, false, true, true, false};
        case FF_RAW_2011_01:
            return Caps{5, false, true, true, true};
        case FF_RAW_2012_01:
            return Caps{5, true, true, true, true};
        default: // universal
            return Caps{0, false, false, false, true};
        }
    }
    Caps operator&(const Caps &o) const {
        return Caps{std::min(favouriteLists, o.favouriteLists), positions && o.positions, locks && o.locks,
                    extras && o.extras, astra && o.astra};
    }
};

// Membership pattern of the favourites lists: position p within list l, or -1.
inline bool isFavourite(int index, int list) {
    return (index + list) % 3 == 0;
}

template <typename T> void assignFavourites(ChannelList<T> &list) {
    for (int l = 1; l <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++l) {
        int position = 0;
        for (int i = 0; i < list.size(); ++i) {
            if (isFavourite(i, l))
                list[i].setFavouritePosition(quint16(l), ++position);
        }
    }
}

// Fills the process-wide satellite database and the document's four lists. Everything is representable in
// every format (up to what a format drops by design), so round trips can be compared field by field.
inline void build(ChannelListProvider &document, const Size &size = Size()) {
    SatelliteChannel::clearDatabase();
    SatelliteChannel::databaseHeader = 105;
    struct Sat {
        quint16 id;
        const char *name;
        int orbital;
    };
    const Sat sats[] = {{0x00C0, "Astra 19.2E", 0x80C0},
                        {0x0082, "Hot Bird 13.0E", 0x8082},
                        {0xFFE1, "User \xc3\x96sat", 0x0050}};
    const int perSatellite = 8;
    quint32 key = 0;
    for (const Sat &s : sats) {
        SatelliteChannel::satellites.insert(
            s.id, SatelliteInfo{QString::fromUtf8(s.name), perSatellite, s.orbital, 2});
        for (int i = 0; i < perSatellite; ++i) {
            Transponder tp;
            tp.satelliteId = qint16(s.id);
            tp.frequency = float(10714000 + 25000 * int(key));
            tp.symbolRate = i % 2 ? 22000000 : 27500000;
            tp.modulation = 5;
            tp.polarity = i % 2;
            tp.fec = 1 + i % 9;
            SatelliteChannel::transponders.insert(key++, tp);
        }
    }
    const char *providers[] = {"ARD", "ZDF", "Sky", "Canal & <Co>", "\xc3\x96RF"};
    for (int i = 0; i < 5; ++i)
        SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE].insert(
            quint32(i + 1), ServiceProvider{QString::fromUtf8(providers[i]), 0, 0});
    SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD].insert(1, ServiceProvider{"HD+", 0, 0});
    SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD].insert(
        2, ServiceProvider{"RTL \"HD\"", 0, 0});
    SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(1, ServiceProvider{"HD+ Basis", 0, 0});
    SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(2, ServiceProvider{"HD+ Premium", 0, 0});

    // Satellite and Astra HD+ channels grouped by transponder in ascending order, as the universal format
    // lists them.
    ChannelList<SatelliteChannel> &sat = *document.satelliteList();
    sat.clear();
    sat.reserve(size.satellite);
    for (int i = 0; i < size.satellite; ++i) {
        sat.append(SatelliteChannel(1000 + i, QStringLiteral("Sat %1 \u00e9'").arg(i), quint16(i + 1),
                                    quint32(qint64(i) * key / size.satellite), quint32(1 + i % 5),
                                    i % 3 == 0 ? 2 : 1, i % 4 == 0, i % 7 == 0, Channel::DIGITAL,
                                    1000 + i / 10, 1));
    }
    ChannelList<AstraHDChannel> &astra = *document.astraHDList();
    astra.clear();
    for (int i = 0; i < size.astra; ++i) {
        const quint16 bouquets[] = {1, 2};
        astra.append(AstraHDChannel(2000 + i, QStringLiteral("HD %1").arg(i), quint16(i + 1),
                                    quint32(i * perSatellite / size.astra), quint32(1 + i % 2),
                                    quint16(100 + i), quint16(i + 1), 0, bouquets, 1 + i % 2, 1, i % 2 == 1,
                                    i % 5 == 0, Channel::DIGITAL, 1079, 1));
    }
    // Digital channels before analogue ones, the order in which the universal format lists them; analogue
    // channels with what the universal format gives them (service id 0, no bandwidth, symbol rate or
    // modulation).
    ChannelList<AirChannel> &air = *document.airList();
    air.clear();
    for (int i = 0; i < size.air; i += 2)
        air.append(AirChannel(3000 + i, QStringLiteral("T %1").arg(i), quint16(i + 1), 474.0f + 8 * (i % 40),
                              1, i % 3 == 0, i % 5 == 0, Channel::DIGITAL, 8, 0, 6, 1100 + i, 8468));
    for (int i = 1; i < size.air; i += 2)
        air.append(AirChannel(0, QStringLiteral("Analog %1").arg(i), quint16(i + 1), 48.25f + 7 * (i % 100),
                              1, false, false, Channel::ANALOGUE, 0, 2, 1, 0, 0));
    ChannelList<CableChannel> &cable = *document.cableList();
    cable.clear();
    const int modulations[] = {1, 2, 14, 15, 11};
    for (int i = 0; i < size.cable; ++i) {
        if (i % 3 != 2)
            cable.append(CableChannel(4000 + i, QStringLiteral("C %1").arg(i), quint16(100 + i),
                                      114.0f + 8 * (i % 90), 1, i % 2 == 0, i % 4 == 0, Channel::DIGITAL,
                                      6900, 0, 6, modulations[i % 5], 1200 + i, 61441));
    }
    for (int i = 2; i < size.cable; i += 3)
        cable.append(CableChannel(0, QStringLiteral("Kabel %1").arg(i), quint16(1 + i % 99),
                                  55.25f + 7 * (i % 100), 1, false, false, Channel::ANALOGUE, 0, 3, 2, -1, 0,
                                  0));
    assignFavourites(sat);
    assignFavourites(astra);
    assignFavourites(air);
    assignFavourites(cable);
    document.setCountry(QStringLiteral("DEU"));
}

inline std::unique_ptr<DataFileHandler> rawHandler(int format, const QDir &folder) {
    switch (format) {
    case FF_RAW_2010_01:
        return std::make_unique<DataFileHandler_rvl<GGData2010_01>>(folder);
    case FF_RAW_2011_01:
        return std::make_unique<DataFileHandler_rvl<GGData2011_01>>(folder);
    default:
        return std::make_unique<DataFileHandler_rvl<GGData2012_01>>(folder);
    }
}

// Writes the document and the process-wide database as a raw archive of the model year; extra members
// (name, bytes) are packed too.
inline int writeRaw(int format, ChannelListProvider &document, const QString &path,
                    const QList<QPair<QString, QByteArray>> &extraMembers = {}) {
    QTemporaryDir folder;
    if (!folder.isValid())
        return RC_CANNOT_WRITE;
    int rc = rawHandler(format, QDir(folder.path()))->save(document);
    if (rc != RC_SUCCESS)
        return rc;
    for (const auto &member : extraMembers) {
        QFile file(folder.filePath(member.first));
        if (!file.open(QIODevice::WriteOnly) || file.write(member.second) != member.second.size())
            return RC_CANNOT_WRITE;
    }
    QFile::remove(path);
    const QFileInfoList members =
        QDir(folder.path()).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &member : members) {
        rc = zipAddFile(path, member.absoluteFilePath(), member.fileName());
        if (rc != RC_SUCCESS)
            return rc;
    }
    return RC_SUCCESS;
}

inline int writeUniversal(ChannelListProvider &document, const QString &path) {
    DataFileHandler_ulmx handler(path);
    return handler.save(document);
}

// Writes the document in the format (FF_UNIVERSAL or a raw model year).
inline int write(int format, ChannelListProvider &document, const QString &path) {
    return format == FF_UNIVERSAL || format == FF_UNIVERSAL_HANDLER ? writeUniversal(document, path)
                                                                    : writeRaw(format, document, path);
}

inline QString suffixOf(int format) {
    return format == FF_UNIVERSAL || format == FF_UNIVERSAL_HANDLER ? QStringLiteral(".ulmx")
                                                                    : QStringLiteral(".rvl");
}

namespace Detail {
inline QString number(double value) {
    return QString::number(value, 'g', 9);
}
inline QString favourites(const Channel &c, const Caps &caps) {
    QString text;
    for (int l = 1; l <= caps.favouriteLists; ++l) {
        const int p = c.favouritePosition(quint16(l));
        text += QLatin1Char('|');
        if (p == Channel::NOT_A_MEMBER)
            text += QLatin1Char('-');
        else
            text += caps.positions ? QString::number(p) : QStringLiteral("m");
    }
    if (caps.locks)
        text += c.isLocked() ? QStringLiteral("|L") : QStringLiteral("|u");
    return text;
}
inline QString common(const char *kind, const Channel &c) {
    return QLatin1String(kind) + QStringLiteral("|%1|%2|%3|%4|%5|%6")
                                     .arg(c.serviceId())
                                     .arg(c.name())
                                     .arg(c.number())
                                     .arg(c.serviceType())
                                     .arg(c.isScrambled())
                                     .arg(c.kind());
}
inline QString transponderText(const Transponder &tp) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(quint16(tp.satelliteId), 0, 16)
        .arg(SatelliteChannel::satelliteNameOf(quint16(tp.satelliteId)))
        .arg(number(double(tp.frequency)))
        .arg(tp.symbolRate)
        .arg(tp.modulation)
        .arg(tp.polarity)
        .arg(tp.fec);
}
inline QString satellitePart(const SatelliteChannel &c) {
    return QLatin1Char('|') + transponderText(SatelliteChannel::transponder(c.transponderId())) +
           QStringLiteral("|prov=") + c.providerName();
}
} // namespace Detail

// The document and the process-wide database as text lines: what a user sees of them, ids that a format
// renumbers (transponder, provider and bouquet keys) resolved to the records they name. Channels marked
// deleted are left out: no format writes them.
inline QStringList describe(const ChannelListProvider &document, const Caps &caps) {
    using namespace Detail;
    QStringList lines;
    lines << QStringLiteral("country|") + document.country();
    for (const AirChannel &c : *document.airList()) {
        if (c.isDeleted())
            continue;
        QString line = common("air", c) + QLatin1Char('|') + number(double(c.frequency())) +
                       QLatin1Char('|') + QString::number(c.bandwidth());
        if (caps.extras)
            line += QStringLiteral("|%1|%2|%3|%4")
                        .arg(c.soundSystem())
                        .arg(c.colourSystem())
                        .arg(c.transportStreamId())
                        .arg(c.originalNetworkId());
        lines << line + favourites(c, caps);
    }
    for (const CableChannel &c : *document.cableList()) {
        if (c.isDeleted())
            continue;
        QString line = common("cable", c) + QLatin1Char('|') + number(double(c.frequency())) +
                       QStringLiteral("|%1|%2").arg(c.symbolRate()).arg(c.modulation());
        if (caps.extras)
            line += QStringLiteral("|%1|%2|%3|%4")
                        .arg(c.soundSystem())
                        .arg(c.colourSystem())
                        .arg(c.transportStreamId())
                        .arg(c.originalNetworkId());
        lines << line + favourites(c, caps);
    }
    for (const SatelliteChannel &c : *document.satelliteList()) {
        if (c.isDeleted())
            continue;
        QString line = common("sat", c) + satellitePart(c);
        if (caps.extras)
            line += QStringLiteral("|%1|%2").arg(c.transportStreamId()).arg(c.originalNetworkId());
        lines << line + favourites(c, caps);
    }
    if (caps.astra) {
        for (const AstraHDChannel &c : *document.astraHDList()) {
            if (c.isDeleted())
                continue;
            QString line = common("hd", c) + satellitePart(c) +
                           QStringLiteral("|vsid=%1|lcn=%2").arg(c.vsid()).arg(c.logicalChannelNumber());
            for (int slot = 0; slot < AstraHDChannel::MAX_BOUQUETS; ++slot) {
                if (c.bouquetId(slot))
                    line += QStringLiteral("|bq=") +
                            SatelliteChannel::bouquet(ProviderCategory::ASTRA_HD, c.bouquetId(slot)).name;
            }
            if (caps.extras)
                line += QStringLiteral("|%1|%2|%3")
                            .arg(c.transportStreamId())
                            .arg(c.originalNetworkId())
                            .arg(c.flag());
            lines << line + favourites(c, caps);
        }
    }

    // The database: sorted, since keys that a format renumbers are not compared.
    QStringList database;
    database << QStringLiteral("header|%1").arg(SatelliteChannel::databaseHeader);
    for (auto it = SatelliteChannel::satellites.cbegin(); it != SatelliteChannel::satellites.cend(); ++it)
        database << QStringLiteral("satellite|%1|%2|%3|%4|%5")
                        .arg(it.key(), 0, 16)
                        .arg(it->name)
                        .arg(it->transponderCount)
                        .arg(it->orbitalPos, 0, 16)
                        .arg(it->kind);
    for (const Transponder &tp : SatelliteChannel::transponders)
        database << QStringLiteral("transponder|") + transponderText(tp);
    for (auto it = SatelliteChannel::serviceProviders.cbegin();
         it != SatelliteChannel::serviceProviders.cend(); ++it) {
        if (it.key() == ProviderCategory::ASTRA_HD && !caps.astra)
            continue;
        for (const ServiceProvider &p : *it)
            database << QStringLiteral("provider|%1|%2").arg(it.key()).arg(p.name);
    }
    if (caps.astra) {
        for (const ServiceProvider &b : SatelliteChannel::bouquets.value(ProviderCategory::ASTRA_HD))
            database << QStringLiteral("bouquet|") + b.name;
    }
    database.sort();
    return lines + database;
}

} // namespace DocumentFixture

#endif
