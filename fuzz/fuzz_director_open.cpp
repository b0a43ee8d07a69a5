// The data director's open of a file of arbitrary bytes, then a save of what it opened and a second open of
// what it saved.
//
// Input: a selector byte, then the file. Selector bit 0: ".ulmx" instead of ".rvl"; bits 1-3 the requested
// country; bits 4-6 the format of the save (keep, universal, 2010-01, 2011-01, 2012-01); bit 7, for a raw
// file: the rest is a list of members that the harness packs itself, each a name index byte, a 16-bit
// little-endian length and the bytes, with the trailing CRC-32 of record members recomputed; for a
// universal file: the file is merged into an open document instead of being opened.
//
// A failed open changes nothing and leaves no working folder behind; a successful one gives a document in
// range whose save opens again; nothing is ever written beside the working folder, and closing removes it.

#include "fuzz/fuzzcheck.h"
#include "fuzz/fuzzfiles.h"
#include "fuzz/harnesses.h"
#include "fuzz/seeddocument.h"

#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "datafilehandlers/datadirector.h"
#include "datafilehandlers/datafilehandler_ulmx.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <zlib.h>

namespace {

const char *const COUNTRIES[] = {"DEU", "*", "AUT", "deu", "", "XYZ", "FRA", "GBR"};
const int SAVE_FORMATS[] = {FF_KEEP,        FF_UNIVERSAL, FF_RAW_2010_01, FF_RAW_2011_01,
                            FF_RAW_2012_01, FF_KEEP,      FF_UNIVERSAL,   FF_RAW_2012_01};
const char *const MEMBERS[] = {RawRecordCodec::MEMBER_KEY,          RawRecordCodec::MEMBER_COUNTRY,
                               RawRecordCodec::MEMBER_AIR,          RawRecordCodec::MEMBER_CABLE,
                               RawRecordCodec::MEMBER_SATELLITE,    RawRecordCodec::MEMBER_ASTRA_HD,
                               RawRecordCodec::MEMBER_SATELLITES,   RawRecordCodec::MEMBER_TRANSPONDERS,
                               RawRecordCodec::MEMBER_PROVIDERS,    RawRecordCodec::MEMBER_BOUQUETS,
                               RawRecordCodec::MEMBER_PHYSICAL_AIR, RawRecordCodec::MEMBER_PHYSICAL_CABLE};
constexpr int MEMBER_COUNT = int(sizeof MEMBERS / sizeof *MEMBERS);

// Packs the member list of the input into an archive with the program's own archive writer.
void packMembers(const QByteArray &input, const QString &folder, const QString &archive) {
    const QDir dir(folder);
    QDir().mkpath(folder);
    int at = 0;
    while (at + 3 <= input.size()) {
        const int index = quint8(input[at]) % MEMBER_COUNT;
        const int length =
            qMin(int(qFromLittleEndian<quint16>(input.constData() + at + 1)), int(input.size()) - at - 3);
        QByteArray bytes = input.mid(at + 3, length);
        at += 3 + length;
        if (index >= 2 && bytes.size() >= 4) {
            const int crcAt = int(bytes.size()) - 4;
            qToLittleEndian(
                quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(crcAt))),
                bytes.data() + crcAt);
        }
        const QString name = QString::fromLatin1(MEMBERS[index]);
        Fuzz::writeFile(dir.filePath(name), bytes);
    }
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        FUZZ_CHECK(zipAddFile(archive, dir.filePath(name), name) == RC_SUCCESS);
    if (!QFileInfo::exists(archive))
        Fuzz::writeFile(archive, QByteArray());
}

bool isOpenResult(int rc) {
    return Fuzz::isOneOf(rc, {RC_SUCCESS, RC_FILE_NOT_FOUND, RC_CANNOT_OPEN, RC_CANNOT_READ,
                              RC_INVALID_FORMAT, RC_CHECKSUM_FAILED, RC_NO_SERVICE_LIST});
}

void checkDocument(const ChannelListProvider &doc, bool raw) {
    const int lists = doc.favouritesListCount();
    FUZZ_CHECK(lists == 0 || lists == 4 || lists == 5);
    const int nameUnits = raw ? RawRecordCodec::NAME_UNITS : 0;
    Fuzz::checkChannels(*doc.airList(), lists, nameUnits);
    Fuzz::checkChannels(*doc.cableList(), lists, nameUnits);
    Fuzz::checkChannels(*doc.satelliteList(), lists, nameUnits);
    Fuzz::checkChannels(*doc.astraHDList(), lists, nameUnits);
    FUZZ_CHECK(doc.country().size() >= 1 && doc.country().size() <= 3);
    if (raw)
        FUZZ_CHECK(doc.formatCode() >= FF_RAW_2010_01 && doc.formatCode() <= FF_RAW_2012_01);
    else
        FUZZ_CHECK(doc.formatCode() == FF_UNIVERSAL_HANDLER);
}

bool isEmptyDocument(const ChannelListProvider &doc) {
    return doc.airList()->isEmpty() && doc.cableList()->isEmpty() && doc.satelliteList()->isEmpty() &&
           doc.astraHDList()->isEmpty() && doc.country() == QLatin1String("*") && doc.formatCode() == 0 &&
           doc.favouritesListCount() == 0 && doc.versionText().isEmpty();
}

bool isEmptyDatabase() {
    return SatelliteChannel::satellites.isEmpty() && SatelliteChannel::transponders.isEmpty() &&
           SatelliteChannel::serviceProviders.isEmpty() && SatelliteChannel::bouquets.isEmpty() &&
           SatelliteChannel::databaseHeader == 0;
}

struct Snapshot {
    ChannelList<AirChannel> air;
    ChannelList<CableChannel> cable;
    ChannelList<SatelliteChannel> satellite;
    ChannelList<AstraHDChannel> astra;
    SatelliteMap satellites;
    TransponderMap transponders;
    CategoryProviderMap providers;
    CategoryProviderMap bouquets;
    int header = 0;

    static Snapshot of(const ChannelListProvider &doc) {
        return Snapshot{*doc.airList(),
                        *doc.cableList(),
                        *doc.satelliteList(),
                        *doc.astraHDList(),
                        SatelliteChannel::satellites,
                        SatelliteChannel::transponders,
                        SatelliteChannel::serviceProviders,
                        SatelliteChannel::bouquets,
                        SatelliteChannel::databaseHeader};
    }
    bool operator==(const Snapshot &o) const {
        return air == o.air && cable == o.cable && satellite == o.satellite && astra == o.astra &&
               satellites == o.satellites && transponders == o.transponders && providers == o.providers &&
               bouquets == o.bouquets && header == o.header;
    }
};

// The universal file of the seed document: the open document a fuzzed file is merged into.
QByteArray baseDocument() {
    static QByteArray bytes;
    if (bytes.isEmpty()) {
        ChannelListProvider doc(nullptr);
        Fuzz::fillSeedDocument(doc);
        const QString path = Fuzz::freshScratchFolder() + QStringLiteral("/base.ulmx");
        DataFileHandler_ulmx writer(path);
        FUZZ_CHECK(writer.save(doc) == RC_SUCCESS);
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
        SatelliteChannel::clearDatabase();
    }
    return bytes;
}

// Merges the file into the open seed document: a failed merge changes nothing, a successful one leaves a
// document in range that saves and opens again.
void checkMerge(const QString &scratch, const QString &path, const QByteArray &baseBytes) {
    const QString base = scratch + QStringLiteral("/base.ulmx");
    Fuzz::writeFile(base, baseBytes);
    DataDirector director;
    ChannelListProvider doc(&director);
    FUZZ_CHECK(director.open(base, &doc, QStringLiteral("DEU")) == RC_SUCCESS);
    director.commit();
    const Snapshot before = Snapshot::of(doc);
    const QStringList temporaryBefore = Fuzz::listTemporaryDirectory();

    const int rc = director.merge(path, &doc);
    FUZZ_CHECK(Fuzz::isOneOf(rc, {RC_SUCCESS, RC_CANNOT_OPEN, RC_CANNOT_READ, RC_INVALID_FORMAT,
                                  RC_NO_FREE_USER_SATELLITE_SLOTS, RC_NO_SERVICE_LIST}));
    FUZZ_CHECK(Fuzz::listTemporaryDirectory() == temporaryBefore);
    if (rc != RC_SUCCESS) {
        FUZZ_CHECK(Snapshot::of(doc) == before);
        return;
    }
    checkDocument(doc, false);
    director.commit();

    const QString out = scratch + QStringLiteral("/merged.ulmx");
    FUZZ_CHECK(director.save(&doc, out, FF_UNIVERSAL) == RC_SUCCESS);
    DataDirector second;
    ChannelListProvider again(&second);
    // Every file a save writes opens again, an emptied list too.
    FUZZ_CHECK(second.open(out, &again, doc.country()) == RC_SUCCESS);
    director.close();
    second.close();
    FUZZ_CHECK(Fuzz::listTemporaryDirectory() == temporaryBefore);
}

} // namespace

int fuzzDirectorOpen(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    const quint8 selector = data[0];
    const bool universal = selector & 0x01;
    const QString country = QString::fromLatin1(COUNTRIES[(selector >> 1) & 0x07]);
    const int saveFormat = SAVE_FORMATS[(selector >> 4) & 0x07];
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));

    // Made before the scratch folder of this input, which making it would empty.
    const QByteArray base = baseDocument();
    const QString scratch = Fuzz::freshScratchFolder();
    const QString path = scratch + (universal ? QStringLiteral("/list.ulmx") : QStringLiteral("/list.rvl"));
    if (!universal && (selector & 0x80))
        packMembers(input, scratch + QStringLiteral("/members"), path);
    else
        Fuzz::writeFile(path, input);
    SatelliteChannel::clearDatabase();
    if (universal && (selector & 0x80)) {
        checkMerge(scratch, path, base);
        return 0;
    }
    const QStringList scratchBefore = Fuzz::listTree(scratch);
    const QStringList temporaryBefore = Fuzz::listTemporaryDirectory();

    DataDirector director;
    ChannelListProvider doc(&director);
    const int rc = director.open(path, &doc, country);
    FUZZ_CHECK(isOpenResult(rc));
    FUZZ_CHECK(Fuzz::listTree(scratch) == scratchBefore);
    if (rc != RC_SUCCESS) {
        // Nothing changed, and no working folder is left behind.
        FUZZ_CHECK(isEmptyDocument(doc));
        FUZZ_CHECK(isEmptyDatabase());
        FUZZ_CHECK(director.currentFormatCode() == -1 && director.workingFolderPath().isEmpty());
        FUZZ_CHECK(Fuzz::listTemporaryDirectory() == temporaryBefore);
        return 0;
    }
    checkDocument(doc, !universal);
    QStringList expected = temporaryBefore;
    if (!universal) {
        // The working folder lies directly in the temporary directory and is the only thing added there.
        const QFileInfo folder(director.workingFolderPath());
        FUZZ_CHECK(folder.isDir() && !folder.isSymLink());
        FUZZ_CHECK(folder.dir().canonicalPath() == QDir(QDir::tempPath()).canonicalPath());
        FUZZ_CHECK(folder.fileName().startsWith(QLatin1String("tunewrk_")));
        expected << folder.fileName();
        expected.sort();
    }
    FUZZ_CHECK(Fuzz::listTemporaryDirectory() == expected);
    director.commit();

    // What was opened can be saved, and what was saved opens again.
    const int target = saveFormat == FF_KEEP ? doc.formatCode() : saveFormat;
    const bool savedUniversal = target == FF_UNIVERSAL || target == FF_UNIVERSAL_HANDLER;
    const QString out =
        scratch + (savedUniversal ? QStringLiteral("/saved.ulmx") : QStringLiteral("/saved.rvl"));
    const int saved = director.save(&doc, out, saveFormat);
    FUZZ_CHECK(Fuzz::isOneOf(saved, {RC_SUCCESS, RC_CANNOT_WRITE, RC_LIST_TOO_LONG}));
    FUZZ_CHECK(saved == RC_SUCCESS || !QFileInfo::exists(out));
    if (saved == RC_SUCCESS) {
        DataDirector second;
        ChannelListProvider again(&second);
        FUZZ_CHECK(second.open(out, &again, doc.country()) == RC_SUCCESS);
        checkDocument(again, !savedUniversal);
        second.close();
    }

    director.close();
    FUZZ_CHECK(Fuzz::listTemporaryDirectory() == temporaryBefore);
    return 0;
}
