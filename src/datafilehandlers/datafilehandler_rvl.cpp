#include "datafilehandlers/datafilehandler_rvl.h"

#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "core/scratchfile.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QVector>

namespace {

template <typename T> bool hasLiveChannels(const ChannelList<T> &list) {
    for (const T &c : list) {
        if (!c.isDeleted())
            return true;
    }
    return false;
}

bool writeMember(const QString &path, const QByteArray &bytes) {
    return ScratchFile::writeAll(path, bytes);
}

} // namespace

template <typename GG> DataFileHandler_rvl<GG>::DataFileHandler_rvl(const QDir &folder) : m_folder(folder) {}

template <typename GG> bool DataFileHandler_rvl<GG>::probeFolder(const QString &folderPath) {
    const QDir dir(folderPath);
    QFile keyFile(dir.filePath(QString::fromLatin1(RawRecordCodec::MEMBER_KEY)));
    if (!keyFile.open(QIODevice::ReadOnly))
        return false;
    qint32 key = 0;
    if (!RawRecordCodec::decodeKey(keyFile.read(4), key))
        return false;
    // The key is the year key times 1000; the thousands below it are free for revisions of a year.
    if (key / 1000 != qint32(GG::LAYOUT.yearKey))
        return false;
    return QFileInfo(dir.filePath(QString::fromLatin1(RawRecordCodec::MEMBER_COUNTRY))).isFile();
}

int readRawMember(const QDir &folder, const QString &name, QByteArray &bytes) {
    const QFileInfo info(folder.filePath(name));
    if (!info.exists())
        return RC_NO_SERVICE_LIST;
    if (!info.isFile())
        return RC_CANNOT_READ;
    // Checked before reading: a huge member is refused without loading it into memory.
    if (info.size() > RawRecordCodec::MAX_MEMBER_SIZE)
        return RC_INVALID_CONTENTS + RawRecordCodec::DETAIL_LENGTH;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return RC_CANNOT_READ;
    // Read by the file's size, not by the cap, which would reserve the whole cap for every member however
    // small; a member that grew meanwhile is read on, up to one byte beyond the cap, which is refused below.
    bytes = file.read(qMin(info.size(), RawRecordCodec::MAX_MEMBER_SIZE) + 1);
    if (bytes.size() > info.size())
        bytes += file.read(RawRecordCodec::MAX_MEMBER_SIZE + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        return RC_CANNOT_READ;
    if (bytes.size() > RawRecordCodec::MAX_MEMBER_SIZE)
        return RC_INVALID_CONTENTS + RawRecordCodec::DETAIL_LENGTH;
    return RC_SUCCESS;
}

template <typename GG> int DataFileHandler_rvl<GG>::readMember(const char *name, QByteArray &bytes) {
    const QString memberName = QString::fromLatin1(name);
    const int rc = readRawMember(m_folder, memberName, bytes);
    if (rc == RC_SUCCESS)
        m_members.insert(memberName, bytes);
    return rc;
}

template <typename GG>
int DataFileHandler_rvl<GG>::loadDatabase(SatelliteMap &satellites, TransponderMap &transponders,
                                          CategoryProviderMap &providers, CategoryProviderMap *bouquets,
                                          int *databaseHeader) {
    const RawLayout &layout = GG::LAYOUT;
    SatelliteMap loadedSatellites;
    TransponderMap loadedTransponders;
    CategoryProviderMap loadedProviders;
    CategoryProviderMap loadedBouquets;
    int header = 0;

    // A missing database member is an empty part of the database, not an error.
    QByteArray bytes;
    int rc = readMember(RawRecordCodec::MEMBER_SATELLITES, bytes);
    if (rc == RC_SUCCESS)
        rc = RawRecordCodec::decodeSatellites(bytes, layout, loadedSatellites, header);
    if (rc != RC_SUCCESS && rc != RC_NO_SERVICE_LIST)
        return rc;
    rc = readMember(RawRecordCodec::MEMBER_TRANSPONDERS, bytes);
    if (rc == RC_SUCCESS)
        rc = RawRecordCodec::decodeTransponders(bytes, layout, loadedTransponders);
    if (rc != RC_SUCCESS && rc != RC_NO_SERVICE_LIST)
        return rc;
    rc = readMember(RawRecordCodec::MEMBER_PROVIDERS, bytes);
    if (rc == RC_SUCCESS)
        rc = RawRecordCodec::decodeProviders(bytes, layout, loadedProviders);
    if (rc != RC_SUCCESS && rc != RC_NO_SERVICE_LIST)
        return rc;
    if (bouquets) {
        rc = readMember(RawRecordCodec::MEMBER_BOUQUETS, bytes);
        if (rc == RC_SUCCESS)
            rc = RawRecordCodec::decodeBouquets(bytes, layout, loadedBouquets);
        if (rc != RC_SUCCESS && rc != RC_NO_SERVICE_LIST)
            return rc;
    }

    // Both loaders install the same satellites and transponders; each installs its own provider category.
    satellites = loadedSatellites;
    transponders = loadedTransponders;
    if (bouquets) {
        providers[ProviderCategory::ASTRA_HD] = loadedProviders.value(ProviderCategory::ASTRA_HD);
        for (auto it = loadedBouquets.cbegin(); it != loadedBouquets.cend(); ++it)
            (*bouquets)[it.key()] = it.value();
        (*bouquets)[ProviderCategory::ASTRA_HD];
    } else {
        for (auto it = loadedProviders.cbegin(); it != loadedProviders.cend(); ++it) {
            if (it.key() != ProviderCategory::ASTRA_HD)
                providers[it.key()] = it.value();
        }
        providers[ProviderCategory::SATELLITE];
    }
    if (databaseHeader)
        *databaseHeader = header;
    return RC_SUCCESS;
}

template <typename GG> int DataFileHandler_rvl<GG>::checkPhysicalTable(const char *name, bool cable) {
    QByteArray bytes;
    const int rc = readMember(name, bytes);
    if (rc == RC_NO_SERVICE_LIST)
        return RC_SUCCESS;
    if (rc != RC_SUCCESS)
        return rc;
    QVector<PhysicalChannel> table;
    return RawRecordCodec::decodePhysicalChannels(bytes, cable, GG::LAYOUT, table);
}

// Each terrestrial and cable loader checks its source's physical-channel table first, also when the list
// itself is absent: a same-year save packs the table again, so a damaged one must not open.
template <typename GG> int DataFileHandler_rvl<GG>::loadAir(ChannelList<AirChannel> &list, const QString &) {
    int rc = checkPhysicalTable(RawRecordCodec::MEMBER_PHYSICAL_AIR, false);
    if (rc != RC_SUCCESS)
        return rc;
    QByteArray bytes;
    rc = readMember(RawRecordCodec::MEMBER_AIR, bytes);
    if (rc != RC_SUCCESS)
        return rc;
    ChannelList<AirChannel> loaded;
    rc = RawRecordCodec::decodeAirChannels(bytes, GG::LAYOUT, loaded);
    if (rc != RC_SUCCESS)
        return rc;
    if (loaded.isEmpty())
        return RC_NO_SERVICE_LIST;
    for (const AirChannel &c : loaded)
        list.append(c);
    return RC_SUCCESS;
}

template <typename GG>
int DataFileHandler_rvl<GG>::loadCable(ChannelList<CableChannel> &list, const QString &) {
    int rc = checkPhysicalTable(RawRecordCodec::MEMBER_PHYSICAL_CABLE, true);
    if (rc != RC_SUCCESS)
        return rc;
    QByteArray bytes;
    rc = readMember(RawRecordCodec::MEMBER_CABLE, bytes);
    if (rc != RC_SUCCESS)
        return rc;
    ChannelList<CableChannel> loaded;
    rc = RawRecordCodec::decodeCableChannels(bytes, GG::LAYOUT, loaded);
    if (rc != RC_SUCCESS)
        return rc;
    if (loaded.isEmpty())
        return RC_NO_SERVICE_LIST;
    for (const CableChannel &c : loaded)
        list.append(c);
    return RC_SUCCESS;
}

template <typename GG>
int DataFileHandler_rvl<GG>::loadSatellite(ChannelList<SatelliteChannel> &list, SatelliteMap &satellites,
                                           TransponderMap &transponders, CategoryProviderMap &providers,
                                           int *databaseHeader, const QString &) {
    // The channels are decoded first, so a damaged list leaves the maps as they were.
    QByteArray bytes;
    int listRc = readMember(RawRecordCodec::MEMBER_SATELLITE, bytes);
    ChannelList<SatelliteChannel> loaded;
    if (listRc == RC_SUCCESS)
        listRc = RawRecordCodec::decodeSatelliteChannels(bytes, GG::LAYOUT, loaded);
    if (listRc != RC_SUCCESS && listRc != RC_NO_SERVICE_LIST)
        return listRc;
    // The database is installed even without channels, as the other formats do.
    const int rc = loadDatabase(satellites, transponders, providers, nullptr, databaseHeader);
    if (rc != RC_SUCCESS)
        return rc;
    if (loaded.isEmpty())
        return RC_NO_SERVICE_LIST;
    for (const SatelliteChannel &c : loaded)
        list.append(c);
    return RC_SUCCESS;
}

template <typename GG>
int DataFileHandler_rvl<GG>::loadAstraHD(ChannelList<AstraHDChannel> &list, SatelliteMap &satellites,
                                         TransponderMap &transponders, CategoryProviderMap &providers,
                                         CategoryProviderMap &bouquets, int *databaseHeader,
                                         const QString &) {
    // A model year without the Astra HD+ list touches nothing.
    if (!GG::LAYOUT.astraHD)
        return RC_SUCCESS;
    QByteArray bytes;
    int listRc = readMember(RawRecordCodec::MEMBER_ASTRA_HD, bytes);
    ChannelList<AstraHDChannel> loaded;
    if (listRc == RC_SUCCESS)
        listRc = RawRecordCodec::decodeAstraHDChannels(bytes, GG::LAYOUT, loaded);
    if (listRc == RC_SUCCESS && !loaded.isEmpty())
        listRc = RawRecordCodec::fillAstraHDRange(loaded);
    if (listRc != RC_SUCCESS && listRc != RC_NO_SERVICE_LIST)
        return listRc;
    const int rc = loadDatabase(satellites, transponders, providers, &bouquets, databaseHeader);
    if (rc != RC_SUCCESS)
        return rc;
    if (loaded.isEmpty())
        return RC_NO_SERVICE_LIST;
    for (const AstraHDChannel &c : loaded)
        list.append(c);
    return RC_SUCCESS;
}

template <typename GG> int DataFileHandler_rvl<GG>::country(QString &country) {
    QByteArray bytes;
    const int rc = readMember(RawRecordCodec::MEMBER_COUNTRY, bytes);
    if (rc == RC_NO_SERVICE_LIST)
        return RC_CANNOT_READ;
    if (rc != RC_SUCCESS)
        return rc;
    return RawRecordCodec::decodeCountry(bytes, country);
}

template <typename GG> int DataFileHandler_rvl<GG>::save(ChannelListProvider &provider) {
    const RawLayout &layout = GG::LAYOUT;
    // Member name -> new bytes; a null byte array marks a member to remove.
    QMap<QString, QByteArray> members;
    auto name = [](const char *n) { return QString::fromLatin1(n); };

    QByteArray bytes;
    int rc = RawRecordCodec::encodeCountry(provider.country(), bytes);
    if (rc != RC_SUCCESS)
        return rc;
    members.insert(name(RawRecordCodec::MEMBER_COUNTRY), bytes);
    members.insert(name(RawRecordCodec::MEMBER_KEY), RawRecordCodec::encodeKey(layout));

    // An empty list (deleted channels do not count) removes its member.
    auto channelMember = [&](const char *member, bool live, auto encode) {
        QByteArray encoded;
        if (live) {
            const int result = encode(encoded);
            if (result != RC_SUCCESS)
                return result;
        }
        members.insert(name(member), encoded);
        return int(RC_SUCCESS);
    };
    rc = channelMember(RawRecordCodec::MEMBER_AIR, hasLiveChannels(*provider.airList()), [&](QByteArray &b) {
        return RawRecordCodec::encodeAirChannels(*provider.airList(), layout, b);
    });
    if (rc == RC_SUCCESS)
        rc = channelMember(RawRecordCodec::MEMBER_CABLE, hasLiveChannels(*provider.cableList()),
                           [&](QByteArray &b) {
                               return RawRecordCodec::encodeCableChannels(*provider.cableList(), layout, b);
                           });
    if (rc == RC_SUCCESS)
        rc = channelMember(
            RawRecordCodec::MEMBER_SATELLITE, hasLiveChannels(*provider.satelliteList()), [&](QByteArray &b) {
                return RawRecordCodec::encodeSatelliteChannels(*provider.satelliteList(), layout, b);
            });
    if (rc == RC_SUCCESS && layout.astraHD)
        rc = channelMember(
            RawRecordCodec::MEMBER_ASTRA_HD, hasLiveChannels(*provider.astraHDList()), [&](QByteArray &b) {
                return RawRecordCodec::encodeAstraHDChannels(*provider.astraHDList(), layout, b);
            });
    if (rc != RC_SUCCESS)
        return rc;

    // The satellite database. The satellite member always carries the database header word.
    rc = RawRecordCodec::encodeSatellites(SatelliteChannel::satellites, SatelliteChannel::databaseHeader,
                                          layout, bytes);
    if (rc != RC_SUCCESS)
        return rc;
    members.insert(name(RawRecordCodec::MEMBER_SATELLITES), bytes);

    bytes.clear();
    if (!SatelliteChannel::transponders.isEmpty()) {
        rc = RawRecordCodec::encodeTransponders(SatelliteChannel::transponders, layout, bytes);
        if (rc != RC_SUCCESS)
            return rc;
    }
    members.insert(name(RawRecordCodec::MEMBER_TRANSPONDERS), bytes);

    // Without the Astra HD+ list a year keeps no Astra HD+ providers and no bouquets.
    CategoryProviderMap providers;
    for (auto it = SatelliteChannel::serviceProviders.cbegin();
         it != SatelliteChannel::serviceProviders.cend(); ++it) {
        if (!it->isEmpty() && (layout.astraHD || it.key() != ProviderCategory::ASTRA_HD))
            providers.insert(it.key(), it.value());
    }
    bytes.clear();
    if (!providers.isEmpty())
        RawRecordCodec::encodeProviders(providers, layout, bytes);
    members.insert(name(RawRecordCodec::MEMBER_PROVIDERS), bytes);

    if (layout.astraHD) {
        CategoryProviderMap bouquets;
        for (auto it = SatelliteChannel::bouquets.cbegin(); it != SatelliteChannel::bouquets.cend(); ++it) {
            ProviderMap inner = it.value();
            inner.remove(0);
            if (!inner.isEmpty())
                bouquets.insert(it.key(), inner);
        }
        bytes.clear();
        if (!bouquets.isEmpty())
            RawRecordCodec::encodeBouquets(bouquets, layout, bytes);
        members.insert(name(RawRecordCodec::MEMBER_BOUQUETS), bytes);
    }

    // The tuner's channel raster: the defaults, unless the folder already holds a table (the set's own).
    if (!m_folder.exists(name(RawRecordCodec::MEMBER_PHYSICAL_AIR))) {
        RawRecordCodec::encodePhysicalChannels(RawRecordCodec::defaultAirChannels(), false, layout, bytes);
        members.insert(name(RawRecordCodec::MEMBER_PHYSICAL_AIR), bytes);
    }
    if (!m_folder.exists(name(RawRecordCodec::MEMBER_PHYSICAL_CABLE))) {
        RawRecordCodec::encodePhysicalChannels(RawRecordCodec::defaultCableChannels(), true, layout, bytes);
        members.insert(name(RawRecordCodec::MEMBER_PHYSICAL_CABLE), bytes);
    }

    // The archive reader refuses a member or an archive above its limits, so a save that would exceed one is
    // refused here instead of writing a file that does not open again. The folder's other files are packed
    // along with the members; a member to remove is not.
    qint64 total = 0;
    int count = 0;
    for (auto it = members.cbegin(); it != members.cend(); ++it) {
        if (it->size() > RawRecordCodec::MAX_MEMBER_SIZE)
            return RC_LIST_TOO_LONG;
        total += it->size();
        count += it->isNull() ? 0 : 1;
    }
    const QFileInfoList kept =
        m_folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo &file : kept) {
        if (!members.contains(file.fileName())) {
            total += file.size();
            ++count;
        }
    }
    if (total > ZipLimits::MAX_TOTAL_SIZE || count > ZipLimits::MAX_MEMBERS)
        return RC_LIST_TOO_LONG;

    // Everything is encoded: only now is the folder touched. Each member is replaced as a whole.
    for (auto it = members.cbegin(); it != members.cend(); ++it) {
        const QString path = m_folder.filePath(it.key());
        if (it->isNull()) {
            if (QFileInfo::exists(path) && !QFile::remove(path))
                return RC_CANNOT_WRITE;
        } else if (!writeMember(path, it.value())) {
            return RC_CANNOT_WRITE;
        }
    }
    m_written = members;
    return RC_SUCCESS;
}

template <typename GG> void DataFileHandler_rvl<GG>::endSave(bool commit) {
    if (commit) {
        for (auto it = m_written.cbegin(); it != m_written.cend(); ++it) {
            if (it->isNull())
                m_members.remove(it.key());
            else
                m_members.insert(it.key(), it.value());
        }
    }
    m_written.clear();
}

template class DataFileHandler_rvl<GGData2010_01>;
template class DataFileHandler_rvl<GGData2011_01>;
template class DataFileHandler_rvl<GGData2012_01>;
