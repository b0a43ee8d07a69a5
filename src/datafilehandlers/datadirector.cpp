#include "datafilehandlers/datadirector.h"

#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "core/filesync.h"
#include "core/resultcode.h"
#include "core/scratchfile.h"
#include "core/sharedtexts.h"
#include "datafilehandlers/channelmerger.h"
#include "datafilehandlers/datafilehandler.h"
#include "datafilehandlers/datafilehandler_rvl.h"
#include "datafilehandlers/datafilehandler_ulmx.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <algorithm>
#include <ctime>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#endif

namespace {
// Every path is made absolute first: a relative one would otherwise be resolved against whatever the
// current directory is when a handler or the archive code finally uses it.
QString absolutePath(const QString &path) {
    return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

// The absolute path of a file to read into file, or why it cannot be read: missing, or a folder.
int readableFile(const QString &path, QString &file) {
    file = absolutePath(path);
    const QFileInfo info(file);
    if (file.isEmpty() || !info.exists())
        return RC_FILE_NOT_FOUND;
    if (info.isDir())
        return RC_CANNOT_OPEN;
    return RC_SUCCESS;
}

bool isLoaderOutcome(int code) {
    return code == RC_SUCCESS || code == RC_NO_SERVICE_LIST;
}

// Replaces the target by the finished file in one step, so a reader never sees a half-written archive.
bool replaceFile(const QString &from, const QString &to) {
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

// Whether the user may replace the file at path. Renaming a new file over it needs only the folder's
// rights, so a raw save asks about the file's own rights first, as QSaveFile does for a universal save: the
// same question (through a link, about the file it names), so both formats refuse and allow the same files.
bool mayReplace(const QString &path) {
    const QFileInfo info(path);
    return !info.exists() || info.isWritable();
}

// Where one link leads, as the system follows it: a relative link is read from the folder the link really is
// in, and the links and ".." on the way are the system's to resolve. Cleaning the joined text instead takes
// ".." back through a linked folder, to a file the system never opens.
QString followLink(const QString &link) {
#ifdef Q_OS_WIN
    return QFileInfo(link).symLinkTarget();
#else
    QByteArray text(PATH_MAX, '\0');
    const ssize_t length = ::readlink(QFile::encodeName(link).constData(), text.data(), size_t(text.size()));
    if (length <= 0 || length >= text.size())
        return QString();
    text.truncate(int(length));
    QByteArray joined = text;
    if (!text.startsWith('/')) {
        char linkFolder[PATH_MAX];
        const QByteArray folder = QFile::encodeName(QFileInfo(link).absolutePath());
        if (!::realpath(folder.constData(), linkFolder))
            return QString();
        joined = QByteArray(linkFolder) + '/' + text;
    }
    // The file's own folder resolved, its name kept: the target need not exist yet (a dangling link names
    // the file a save creates). A folder that cannot be resolved is left as it is, for the write to fail on.
    const int slash = int(joined.lastIndexOf('/'));
    const QByteArray name = joined.mid(slash + 1);
    char folder[PATH_MAX];
    if (name.isEmpty() || name == "." || name == ".." ||
        !::realpath(joined.left(slash + 1).constData(), folder))
        return QFile::decodeName(joined);
    const QByteArray resolved(folder);
    return QFile::decodeName(resolved.endsWith('/') ? resolved + name : resolved + '/' + name);
#endif
}

// The file a save onto path replaces: saving onto a link replaces the file it names, not the link, also at
// the end of a chain of links. Empty when the chain is longer than the system follows (a loop): no program
// could open the file through it, and writing there would replace one of the links with a file.
QString linkTarget(const QString &path) {
    constexpr int MAX_LINKS = 40;
    QString target = path;
    for (int links = 0; links < MAX_LINKS && !target.isEmpty() && QFileInfo(target).isSymLink(); ++links)
        target = followLink(target);
    return QFileInfo(target).isSymLink() ? QString() : target;
}

// The archive must be on disk before it replaces the user's file, or a crash could leave neither.
bool syncFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && syncToDisk(file);
}

// A name beside the target that nothing uses yet; the archive code creates the file.
QString temporarySibling(const QString &target) {
    const QFileInfo info(target);
    const QString stem = info.absolutePath() + QLatin1String("/.") + info.fileName() + QLatin1Char('.') +
                         QString::number(QCoreApplication::applicationPid()) + QLatin1Char('.');
    for (int n = 1; n < 10000; ++n) {
        const QString candidate = stem + QString::number(n) + QLatin1String(".tmp");
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
    return QString();
}

// The raw folder's own physical-channel tables framed for another model year, keyed by member name. A table
// the folder lacks is left out: the writer adds the defaults for it, as a save in the same year does. So is a
// table the other year cannot hold (every year holds every entry the readers take). Nothing to carry
// without a raw folder or into a format that is no model year.
int physicalTablesFor(const QString &folder, int fromFormat, int toFormat,
                      QMap<QString, QByteArray> &tables) {
    const RawYear *from = rawYearOf(fromFormat);
    const RawYear *to = rawYearOf(toFormat);
    if (folder.isEmpty() || !from || !to)
        return RC_SUCCESS;
    for (const bool cable : {false, true}) {
        const QString name = QLatin1String(cable ? RawRecordCodec::MEMBER_PHYSICAL_CABLE
                                                 : RawRecordCodec::MEMBER_PHYSICAL_AIR);
        QByteArray bytes;
        const int read = readRawMember(QDir(folder), name, bytes);
        if (read == RC_NO_SERVICE_LIST)
            continue;
        if (read != RC_SUCCESS)
            return read;
        QByteArray converted;
        int entries = 0;
        const int code = RawRecordCodec::convertPhysicalChannels(bytes, cable, from->layout, to->layout,
                                                                 converted, entries);
        if (code == RC_SUCCESS)
            tables.insert(name, converted);
        else if (code != RC_LIST_TOO_LONG)
            return code;
    }
    return RC_SUCCESS;
}
} // namespace

DataDirector::Database DataDirector::Database::current() {
    Database db;
    db.satellites = SatelliteChannel::satellites;
    db.transponders = SatelliteChannel::transponders;
    db.serviceProviders = SatelliteChannel::serviceProviders;
    db.bouquets = SatelliteChannel::bouquets;
    db.header = SatelliteChannel::databaseHeader;
    return db;
}

void DataDirector::Database::install() const {
    SatelliteChannel::transponders = transponders;
    SatelliteChannel::satellites = satellites;
    SatelliteChannel::serviceProviders = serviceProviders;
    SatelliteChannel::databaseHeader = header;
    SatelliteChannel::bouquets = bouquets;
}

DataDirector::DataDirector() = default;

DataDirector::~DataDirector() {
    close();
}

int DataDirector::currentFormatCode() const {
    return m_handler ? m_handler->formatCode() : -1;
}

QString DataDirector::workingFolderPath() const {
    return m_folder;
}

int DataDirector::formatOfSave(int formatCode) const {
    if (formatCode != FF_KEEP)
        return formatCode;
    return m_handler ? m_handler->formatCode() : -1;
}

QString DataDirector::workingFolderName() {
    return QLatin1String(WORKING_FOLDER_PREFIX) + QLatin1Char('_') +
           QString::number(QCoreApplication::applicationPid()) + QLatin1Char('_') +
           QString::number(qint64(std::time(nullptr)));
}

QString DataDirector::createWorkingFolder() {
    const QDir temp(QDir(QDir::tempPath()).absolutePath());
    const QString base = workingFolderName();
    // Two folders asked for in the same second get the same name: number the later ones.
    for (int n = 1; n <= 1000; ++n) {
        const QString name = n == 1 ? base : base + QLatin1Char('_') + QString::number(n);
        const QString path = temp.absoluteFilePath(name);
        if (temp.mkdir(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return path;
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return QString(); // not a name clash: the temporary folder itself is unusable
    }
    return QString();
}

bool DataDirector::removeDirRecursively(const QDir &folder) {
    const QString path = folder.absolutePath();
    const QFileInfo self(path);
    if (self.isSymLink() || !self.isDir())
        return false;
    bool ok = true;
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        // A link is removed as a link: what it points at is not ours.
        if (entry.isDir() && !entry.isSymLink())
            ok = removeDirRecursively(QDir(entry.absoluteFilePath())) && ok;
        else
            ok = QFile::remove(entry.absoluteFilePath()) && ok;
    }
    return QDir().rmdir(path) && ok;
}

std::unique_ptr<DataFileHandler> DataDirector::probeRawHandler(const QString &folder) {
    if (DataFileHandler_rvl<GGData2012_01>::probeFolder(folder))
        return std::make_unique<DataFileHandler_rvl<GGData2012_01>>(QDir(folder));
    if (DataFileHandler_rvl<GGData2011_01>::probeFolder(folder))
        return std::make_unique<DataFileHandler_rvl<GGData2011_01>>(QDir(folder));
    if (DataFileHandler_rvl<GGData2010_01>::probeFolder(folder))
        return std::make_unique<DataFileHandler_rvl<GGData2010_01>>(QDir(folder));
    return nullptr;
}

std::unique_ptr<DataFileHandler> DataDirector::newRawHandler(int formatCode, const QString &folder) {
    switch (formatCode) {
    case FF_RAW_2010_01:
        return std::make_unique<DataFileHandler_rvl<GGData2010_01>>(QDir(folder));
    case FF_RAW_2011_01:
        return std::make_unique<DataFileHandler_rvl<GGData2011_01>>(QDir(folder));
    case FF_RAW_2012_01:
        return std::make_unique<DataFileHandler_rvl<GGData2012_01>>(QDir(folder));
    default:
        return nullptr;
    }
}

int DataDirector::packFolder(const QString &folder, const QString &target) {
    if (target.isEmpty() || QFileInfo(target).isDir())
        return RC_CANNOT_WRITE;

    // Members whose names start with "." are members like any other; subfolders and links are not packed.
    const QFileInfoList members = QDir(folder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    if (members.isEmpty())
        return RC_CANNOT_WRITE;

    const QString temporary = temporarySibling(target);
    if (temporary.isEmpty())
        return RC_CANNOT_WRITE;
    for (const QFileInfo &member : members) {
        if (zipAddFile(temporary, member.absoluteFilePath(), member.fileName()) != RC_SUCCESS) {
            QFile::remove(temporary);
            return RC_CANNOT_WRITE;
        }
    }
    bool ok = syncFile(temporary);
    // The new file keeps the access rights the user gave the old one.
    if (ok && QFileInfo::exists(target))
        QFile::setPermissions(temporary, QFile::permissions(target));
    if (!ok || !replaceFile(temporary, target)) {
        QFile::remove(temporary);
        return RC_CANNOT_WRITE;
    }
    return RC_SUCCESS;
}

int DataDirector::open(const QString &path, ChannelListProvider *document, const QString &country,
                       DataFileHandler *presetHandler) {
    std::unique_ptr<DataFileHandler> handler(presetHandler);
    commit();
    m_countriesToChooseFrom.clear();
    if (!document)
        return RC_UNKNOWN_ERROR;

    QString file;
    if (const int code = readableFile(path, file); code != RC_SUCCESS)
        return code;

    // The working folder this open makes; removed again unless the open succeeds.
    QString folder;
    const auto fail = [&folder](int code) {
        if (!folder.isEmpty())
            removeDirRecursively(QDir(folder));
        return code;
    };

    bool universal = false;
    if (!handler) {
        // ".rvl" first: "list.ulmx.rvl" is a raw list.
        if (file.endsWith(QLatin1String(RAW_FILE_SUFFIX), Qt::CaseInsensitive)) {
            folder = createWorkingFolder();
            if (folder.isEmpty())
                return RC_CANNOT_OPEN;
            if (unzipAll(file, folder) != RC_SUCCESS)
                return fail(RC_CANNOT_OPEN);
            handler = probeRawHandler(folder);
            if (!handler)
                return fail(RC_INVALID_FORMAT);
        } else if (file.endsWith(QLatin1String(UNIVERSAL_FILE_SUFFIX), Qt::CaseInsensitive)) {
            // The handler writes the file again on a save: the one the links name, as the system opened it.
            handler = std::make_unique<DataFileHandler_ulmx>(linkTarget(file));
            universal = true;
        } else {
            return RC_INVALID_FORMAT;
        }
    } else {
        universal = handler->formatCode() == FF_UNIVERSAL_HANDLER;
    }

    QString requested = country;
    if (universal && !chooseCountry(*handler, country, requested))
        return fail(RC_NO_SERVICE_LIST);

    // Everything is loaded into containers of our own first: the document and the database change only when
    // the whole load succeeded.
    ChannelList<SatelliteChannel> satelliteChannels;
    ChannelList<CableChannel> cableChannels;
    ChannelList<AirChannel> airChannels;
    ChannelList<AstraHDChannel> astraChannels;
    Database loaded;
    QString countryText;
    bool anyList = false;
    int code = handler->loadSatellite(satelliteChannels, loaded.satellites, loaded.transponders,
                                      loaded.serviceProviders, &loaded.header, requested);
    if (!isLoaderOutcome(code))
        return fail(code);
    anyList = anyList || code == RC_SUCCESS;
    code = handler->loadCable(cableChannels, requested);
    if (!isLoaderOutcome(code))
        return fail(code);
    anyList = anyList || code == RC_SUCCESS;
    code = handler->loadAir(airChannels, requested);
    if (!isLoaderOutcome(code))
        return fail(code);
    anyList = anyList || code == RC_SUCCESS;
    code = handler->loadAstraHD(astraChannels, loaded.satellites, loaded.transponders,
                                loaded.serviceProviders, loaded.bouquets, &loaded.header, requested);
    if (!isLoaderOutcome(code))
        return fail(code);
    anyList = anyList || code == RC_SUCCESS;
    code = handler->country(countryText);
    if (code != RC_SUCCESS)
        return fail(code);
    // A raw file is the set's list of its one country: without channels (every one deleted before the save
    // that wrote it) it still holds the country and the satellite database, and opens as an empty document.
    if (!anyList && folder.isEmpty())
        return fail(RC_NO_SERVICE_LIST);
    // A universal file reports the country it was asked for, which may be empty ("lists without country").
    if (countryText.isEmpty())
        countryText = QLatin1String(NO_COUNTRY);
    if (countryText.size() > 3)
        return fail(RC_INVALID_CONTENTS + 16);

    // Keep what is replaced until the caller commits to the new document.
    m_pending.active = true;
    m_pending.pairReplaced = true;
    m_pending.handler = std::move(m_handler);
    m_pending.folder = m_folder;
    m_pending.universalPath = m_universalPath;
    m_pending.database = Database::current();

    m_handler = std::move(handler);
    m_folder = folder;
    // Compared with the file a save resolves to: a save through any link to this file is a save in place.
    m_universalPath = universal ? linkTarget(file) : QString();

    *document->airList() = std::move(airChannels);
    *document->cableList() = std::move(cableChannels);
    *document->satelliteList() = std::move(satelliteChannels);
    *document->astraHDList() = std::move(astraChannels);
    loaded.install();
    document->setCountry(countryText);
    document->setVersionText(m_handler->version());
    document->setFormatCode(m_handler->formatCode());
    document->setFavouritesListCount(m_handler->favouritesListCount());
    return RC_SUCCESS;
}

int DataDirector::save(ChannelListProvider *document, const QString &path, int formatCode) {
    commit();
    m_countriesToChooseFrom.clear();
    if (!document)
        return RC_UNKNOWN_ERROR;
    if (!m_handler)
        return RC_INVALID_FORMAT; // nothing open: there is no format to keep and no state to write from
    // Both writers are handed the file at the end of the links, resolved as the system resolves them, so
    // the save replaces the file the document was opened from. A loop of links names no file to write in
    // either format (a universal writer would replace the link it was given with a file).
    const QString file = linkTarget(absolutePath(path));
    if (file.isEmpty())
        return RC_CANNOT_WRITE;

    const int previousCode = m_handler->formatCode();
    const int format = formatOfSave(formatCode);
    const bool currentIsUniversal = !m_universalPath.isEmpty();

    // Refused before the working folder changes or a new one is made.
    if (rawYearOf(format) && !mayReplace(file))
        return RC_CANNOT_WRITE;

    std::unique_ptr<DataFileHandler> newHandler;
    QString newFolder;
    bool newIsUniversal = false;
    QMap<QString, QByteArray> carriedTables;
    if (format == previousCode && (!currentIsUniversal || file == m_universalPath)) {
        // The document's own format: its handler, and for a raw list the folder holding the opened members.
    } else if (format == FF_UNIVERSAL || (format == previousCode && currentIsUniversal)) {
        // A universal handler writes to the path it was made with, so another target needs its own; it
        // writes the lists the document did not load as the current one would.
        auto universal = std::make_unique<DataFileHandler_ulmx>(file);
        if (const auto *current = dynamic_cast<const DataFileHandler_ulmx *>(m_handler.get()))
            universal->carryListsOf(*current);
        newHandler = std::move(universal);
        newIsUniversal = true;
    } else if (format == FF_RAW_2010_01 || format == FF_RAW_2011_01 || format == FF_RAW_2012_01) {
        // The set's own physical-channel tables go along into the new year, read before anything is made.
        const int code = physicalTablesFor(m_folder, previousCode, format, carriedTables);
        if (code != RC_SUCCESS)
            return code;
        newFolder = createWorkingFolder();
        if (newFolder.isEmpty())
            return RC_CANNOT_WRITE;
        newHandler = newRawHandler(format, newFolder);
    } else {
        return RC_INVALID_FORMAT;
    }

    DataFileHandler *writer = newHandler ? newHandler.get() : m_handler.get();
    const QString folder = newHandler ? newFolder : m_folder;
    const auto fail = [&newFolder](int code) {
        if (!newFolder.isEmpty())
            removeDirRecursively(QDir(newFolder));
        return code;
    };

    // The writer adds the default tables only for a table its folder lacks.
    for (auto it = carriedTables.cbegin(); it != carriedTables.cend(); ++it) {
        if (!ScratchFile::writeAll(QDir(newFolder).filePath(it.key()), it.value()))
            return fail(RC_CANNOT_WRITE);
    }
    int code = writer->save(*document);
    if (code != RC_SUCCESS)
        return fail(code);
    if (!folder.isEmpty()) {
        code = packFolder(folder, file);
        if (code != RC_SUCCESS)
            return fail(code);
    }
    writer->endSave(true);

    document->setVersionText(writer->version());
    // The code of the handler in use before this save: the window compares it with the format it asked for
    // to see whether the favourites order was gained or lost.
    document->setFormatCode(previousCode);
    document->setFavouritesListCount(writer->favouritesListCount());

    if (newHandler) {
        m_handler = std::move(newHandler);
        if (!m_folder.isEmpty())
            removeDirRecursively(QDir(m_folder));
        m_folder = newFolder;
        m_universalPath = newIsUniversal ? file : QString();
    }
    return RC_SUCCESS;
}

bool DataDirector::chooseCountry(DataFileHandler &handler, const QString &asked, QString &chosen) {
    chosen = asked;
    auto *universal = dynamic_cast<DataFileHandler_ulmx *>(&handler);
    if (!universal || asked != QLatin1String(NO_COUNTRY))
        return true;
    // "*" asks for any country: the lists tagged "*" when the file has them, else the one country its lists
    // name. A file that cannot be read names none and reports why from the loaders.
    const QStringList named = universal->serviceListCountries();
    if (named.contains(QLatin1String(NO_COUNTRY)) || named.isEmpty())
        return true;
    if (named.size() == 1) {
        chosen = named.first();
        return true;
    }
    m_countriesToChooseFrom = named;
    return false;
}

namespace {

// Adds the favourites-list memberships and child locks of the list's channels that the window shows.
template <typename T> void countMarks(const ChannelList<T> &list, int &memberships, int &locks) {
    const ListStatistics statistics = list.statistics();
    for (int fav = 1; fav <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++fav)
        memberships += statistics.favouritesCount(fav);
    locks += int(std::count_if(list.begin(), list.end(),
                               [](const T &channel) { return !channel.isDeleted() && channel.isLocked(); }));
}

} // namespace

int DataDirector::merge(const QString &path, ChannelListProvider *document) {
    commit();
    m_countriesToChooseFrom.clear();
    m_astraHDChannelsLeftOut = 0;
    m_favouriteMembershipsReplaced = 0;
    m_childLocksReplaced = 0;
    if (!document)
        return RC_UNKNOWN_ERROR;
    QString file;
    if (const int code = readableFile(path, file); code != RC_SUCCESS)
        return code;

    // Read the whole file before anything changes: a file that cannot be read reports why, and nothing of
    // it reaches the document.
    DataFileHandler_ulmx handler(file);
    // The open's rule: a document of any country takes the one country the file names.
    QString country;
    if (!chooseCountry(handler, document->country(), country)) {
        // Nothing to pick from: the merge takes the document's country, so the open's advice does not apply.
        m_countriesToChooseFrom.clear();
        return RC_NO_SERVICE_LIST;
    }
    ChannelList<SatelliteChannel> satelliteChannels;
    SatelliteMap satellites;
    TransponderMap transponders;
    CategoryProviderMap providers;
    int version = 0;
    const int satelliteCode =
        handler.loadSatellite(satelliteChannels, satellites, transponders, providers, &version, country);
    if (!isLoaderOutcome(satelliteCode))
        return satelliteCode;
    ChannelList<CableChannel> cableChannels;
    const int cableCode = handler.loadCable(cableChannels, country);
    if (!isLoaderOutcome(cableCode))
        return cableCode;
    ChannelList<AirChannel> airChannels;
    const int airCode = handler.loadAir(airChannels, country);
    if (!isLoaderOutcome(airCode))
        return airCode;
    // The Astra HD+ providers and bouquets go to maps of our own: they replace the document's only together
    // with its Astra HD+ list. A 2010-01 document has no Astra HD+ list to save, so the file's is not taken:
    // shown, it would be lost at the next save. It is only counted, so the caller can say what was left out.
    const int documentFormat = document->formatCode();
    ChannelList<AstraHDChannel> astraChannels;
    SatelliteMap astraSatellites;
    TransponderMap astraTransponders;
    CategoryProviderMap astraProviders;
    CategoryProviderMap astraBouquets;
    int astraVersion = 0;
    int astraCode = handler.loadAstraHD(astraChannels, astraSatellites, astraTransponders, astraProviders,
                                        astraBouquets, &astraVersion, country);
    int astraLeftOut = 0;
    if (documentFormat == FF_RAW_2010_01) {
        // A list the document could not take anyway does not fail the merge.
        if (astraCode == RC_SUCCESS)
            astraLeftOut = int(std::count_if(astraChannels.begin(), astraChannels.end(),
                                             [](const AstraHDChannel &c) { return !c.isDeleted(); }));
        astraChannels.clear();
        astraCode = RC_NO_SERVICE_LIST;
    }
    if (!isLoaderOutcome(astraCode))
        return astraCode;

    const Database before = Database::current();
    const ChannelList<SatelliteChannel> satelliteBefore = *document->satelliteList();
    const ChannelList<CableChannel> cableBefore = *document->cableList();
    const ChannelList<AirChannel> airBefore = *document->airList();
    const ChannelList<AstraHDChannel> astraBefore = *document->astraHDList();

    ChannelMerger merger;
    bool merged = false;
    bool satellitesKept = true;
    // The file's database comes along only with a list that refers to it (the Astra HD+ channels too refer
    // to its transponders); a merge for a cable or air list alone leaves the document's database alone.
    // The nine user-satellite slots are scarce: a user satellite no merged channel uses is not taken.
    if (satelliteCode == RC_NO_SERVICE_LIST)
        satelliteChannels.clear();
    if (satelliteCode == RC_SUCCESS || astraCode == RC_SUCCESS) {
        merger.removeSatellites(
            satellites, transponders, satelliteChannels,
            merger.unusedUserSatelliteIds(satellites, transponders, satelliteChannels, astraChannels));
        satellitesKept = merger.mergeSatelliteData(
            satelliteChannels, satellites, transponders, providers, *document->satelliteList(),
            SatelliteChannel::satellites, SatelliteChannel::transponders, SatelliteChannel::serviceProviders,
            version, SatelliteChannel::databaseHeader, holdsOrderedFavourites(documentFormat));
    }
    merged = merged || satelliteCode == RC_SUCCESS;
    if (cableCode == RC_SUCCESS) {
        merger.mergeCableChannels(cableChannels, *document->cableList());
        merged = true;
    }
    if (airCode == RC_SUCCESS) {
        merger.mergeAirChannels(airChannels, *document->airList());
        merged = true;
    }
    if (astraCode == RC_SUCCESS) {
        SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD] =
            astraProviders.value(ProviderCategory::ASTRA_HD);
        SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD] =
            astraBouquets.value(ProviderCategory::ASTRA_HD);
        merger.mergeAstraHDChannels(transponders, astraChannels, SatelliteChannel::transponders,
                                    *document->astraHDList());
        merged = true;
    }
    // A raw document shows its Astra HD+ list as its next save writes it: the favourite range packed into
    // 1..H. A range with more channels than numbers could not be saved at all.
    bool astraRangeFits = true;
    if (astraCode == RC_SUCCESS && (documentFormat == FF_RAW_2011_01 || documentFormat == FF_RAW_2012_01))
        astraRangeFits = RawRecordCodec::fillAstraHDRange(*document->astraHDList()) == RC_SUCCESS;

    // Matching may have found every channel of a file's user satellite in the document already: a user
    // satellite that this merge brought and that no channel uses would only hold a scarce slot.
    QList<quint16> unusedNewcomers;
    for (const quint16 id :
         merger.unusedUserSatelliteIds(SatelliteChannel::satellites, SatelliteChannel::transponders,
                                       *document->satelliteList(), *document->astraHDList())) {
        const auto previous = before.satellites.constFind(id);
        if (previous == before.satellites.cend() || *previous != SatelliteChannel::satellites.value(id))
            unusedNewcomers.append(id);
    }
    merger.removeSatellites(SatelliteChannel::satellites, SatelliteChannel::transponders,
                            *document->satelliteList(), unusedNewcomers);

    int code = RC_SUCCESS;
    if (!merged)
        code = RC_NO_SERVICE_LIST;
    else if (!astraRangeFits)
        code = RC_ASTRA_HD_RANGE_FULL;
    else if (!satellitesKept)
        code = RC_NO_FREE_USER_SATELLITE_SLOTS;
    if (code != RC_SUCCESS) {
        before.install();
        *document->satelliteList() = satelliteBefore;
        *document->cableList() = cableBefore;
        *document->airList() = airBefore;
        *document->astraHDList() = astraBefore;
        return code;
    }

    m_pending.active = true;
    m_pending.pairReplaced = false;
    m_pending.database = before;
    m_astraHDChannelsLeftOut = astraLeftOut;
    // A universal file holds no favourites and no child locks: all a replaced list held went with it. The
    // user is told, since the merge itself shows no trace of it.
    if (cableCode == RC_SUCCESS)
        countMarks(cableBefore, m_favouriteMembershipsReplaced, m_childLocksReplaced);
    if (airCode == RC_SUCCESS)
        countMarks(airBefore, m_favouriteMembershipsReplaced, m_childLocksReplaced);
    if (astraCode == RC_SUCCESS)
        countMarks(astraBefore, m_favouriteMembershipsReplaced, m_childLocksReplaced);
    return RC_SUCCESS;
}

void DataDirector::discardPending(bool restore) {
    if (!m_pending.active)
        return;
    if (restore) {
        if (m_pending.pairReplaced) {
            if (!m_folder.isEmpty())
                removeDirRecursively(QDir(m_folder));
            m_handler = std::move(m_pending.handler);
            m_folder = m_pending.folder;
            m_universalPath = m_pending.universalPath;
        }
        m_pending.database.install();
    } else if (m_pending.pairReplaced) {
        m_pending.handler.reset();
        if (!m_pending.folder.isEmpty())
            removeDirRecursively(QDir(m_pending.folder));
    }
    m_pending = Pending();
}

void DataDirector::commit() {
    discardPending(false);
}

void DataDirector::rollback() {
    discardPending(true);
}

void DataDirector::close() {
    commit();
    m_handler.reset();
    if (!m_folder.isEmpty())
        removeDirRecursively(QDir(m_folder));
    m_folder.clear();
    m_universalPath.clear();
}
