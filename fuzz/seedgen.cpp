// Writes the seed corpora of the fuzz targets with the program's own writers: a small document with every
// channel kind and a satellite database, saved as raw members of each model year, packed into archives.
// Usage: tunelane_fuzz_seeds <corpus folder>   (scripts/make-fuzz-seeds runs it on fuzz/corpus)

#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "datafilehandlers/datafilehandler_rvl.h"
#include "datafilehandlers/datafilehandler_ulmx.h"
#include "datafilehandlers/rawrecordcodec.h"
#include "fuzz/seeddocument.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

[[noreturn]] void die(const char *what) {
    std::fprintf(stderr, "tunelane_fuzz_seeds: %s\n", what);
    std::exit(1);
}

void write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        die("cannot write a seed");
}

// Archives store the members' modification times: a fixed one keeps regenerated seeds byte for byte equal.
int packMember(const QString &archive, const QString &path, const QString &name) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(QDateTime(QDate(2012, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime))
        die("cannot set a member's time");
    file.close();
    return zipAddFile(archive, path, name);
}

QByteArray read(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        die("cannot read a member");
    return file.readAll();
}

// Member kinds in the order of the raw-members harness's selector.
const char *const MEMBER_ORDER[] = {
    RawRecordCodec::MEMBER_KEY,          RawRecordCodec::MEMBER_COUNTRY,
    RawRecordCodec::MEMBER_AIR,          RawRecordCodec::MEMBER_CABLE,
    RawRecordCodec::MEMBER_SATELLITE,    RawRecordCodec::MEMBER_ASTRA_HD,
    RawRecordCodec::MEMBER_SATELLITES,   RawRecordCodec::MEMBER_TRANSPONDERS,
    RawRecordCodec::MEMBER_PROVIDERS,    RawRecordCodec::MEMBER_BOUQUETS,
    RawRecordCodec::MEMBER_PHYSICAL_AIR, RawRecordCodec::MEMBER_PHYSICAL_CABLE};

template <typename GG>
void writeRawSeeds(ChannelListProvider &doc, const QDir &corpus, int yearIndex, const QString &scratch) {
    const QString version = QString::fromLatin1(GG::VERSION);
    const QString folder = scratch + QLatin1Char('/') + version;
    QDir().mkpath(folder);
    DataFileHandler_rvl<GG> handler{QDir(folder)};
    if (handler.save(doc) != RC_SUCCESS)
        die("the raw writer refused the seed document");

    const QDir dir(folder);
    const QString members = corpus.filePath(QStringLiteral("raw_members"));
    QDir().mkpath(members);
    for (int kind = 0; kind < int(sizeof MEMBER_ORDER / sizeof *MEMBER_ORDER); ++kind) {
        const QString name = QString::fromLatin1(MEMBER_ORDER[kind]);
        if (!dir.exists(name))
            continue;
        // Count and checksum fixing on: mutations of these seeds reach the records.
        const char selector = char(0xC0 | (yearIndex << 4) | kind);
        write(members + QLatin1Char('/') + version + QLatin1Char('-') + name,
              QByteArray(1, selector) + read(dir.filePath(name)));
    }

    const QString probe = corpus.filePath(QStringLiteral("raw_probe"));
    QDir().mkpath(probe);
    const QByteArray key = read(dir.filePath(QString::fromLatin1(RawRecordCodec::MEMBER_KEY)));
    const QByteArray country = read(dir.filePath(QString::fromLatin1(RawRecordCodec::MEMBER_COUNTRY)));
    write(probe + QLatin1Char('/') + version, QByteArray("\x03", 1) + char(key.size()) + key + country);

    // The archive: every member, packed by the archive writer.
    const QString zip = corpus.filePath(QStringLiteral("zip_extract"));
    QDir().mkpath(zip);
    const QString archive = scratch + QLatin1Char('/') + version + QStringLiteral(".rvl");
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        if (packMember(archive, dir.filePath(name), name) != RC_SUCCESS)
            die("the archive writer failed");
    }
    write(zip + QLatin1Char('/') + version + QStringLiteral(".rvl"), read(archive));

    // The director opens the archive and saves it in another format (selector bits 4-6), or opens the same
    // members packed by the harness itself (bit 7).
    const QString director = corpus.filePath(QStringLiteral("director_open"));
    QDir().mkpath(director);
    const char saveAs = char(((yearIndex + 2) % 5) << 4);
    write(director + QLatin1Char('/') + version + QStringLiteral(".rvl"),
          QByteArray(1, saveAs) + read(archive));
    QByteArray packed(1, char(0x80 | saveAs));
    for (int kind = 0; kind < int(sizeof MEMBER_ORDER / sizeof *MEMBER_ORDER); ++kind) {
        const QString name = QString::fromLatin1(MEMBER_ORDER[kind]);
        if (!dir.exists(name) || kind >= 10) // the physical tables are long and add nothing to the load
            continue;
        const QByteArray bytes = read(dir.filePath(name));
        char length[2];
        qToLittleEndian(quint16(bytes.size()), length);
        packed += char(kind) + QByteArray(length, 2) + bytes;
    }
    write(director + QLatin1Char('/') + version + QStringLiteral("-members"), packed);
}

// The universal document of the seed document, for the universal reader and the director.
void writeUniversalSeeds(ChannelListProvider &doc, const QDir &corpus, const QString &scratch) {
    const QString path = scratch + QStringLiteral("/list.ulmx");
    const QString reader = corpus.filePath(QStringLiteral("ulmx_reader"));
    const QString director = corpus.filePath(QStringLiteral("director_open"));
    QDir().mkpath(reader);
    QDir().mkpath(director);
    for (const QString &country : {QStringLiteral("DEU"), QStringLiteral("*")}) {
        doc.setCountry(country);
        DataFileHandler_ulmx handler(path);
        if (handler.save(doc) != RC_SUCCESS)
            die("the universal writer refused the seed document");
        const QByteArray text = read(path);
        // Selector: country index 0 "DEU" or 1 "*"; the director's copy saves it as 2012-01.
        const bool wildcard = country == QLatin1String("*");
        write(reader + (wildcard ? QStringLiteral("/wildcard.ulmx") : QStringLiteral("/deu.ulmx")),
              QByteArray(1, wildcard ? char(0x01) : char(0x00)) + text);
        write(director + (wildcard ? QStringLiteral("/wildcard.ulmx") : QStringLiteral("/deu.ulmx")),
              QByteArray(1, char(0x01 | (wildcard ? 0x02 : 0x40))) + text);
        // Merged into the open seed document.
        write(director +
                  (wildcard ? QStringLiteral("/merge-wildcard.ulmx") : QStringLiteral("/merge-deu.ulmx")),
              QByteArray(1, char(0x81 | (wildcard ? 0x02 : 0x00))) + text);
    }
    doc.setCountry(QStringLiteral("DEU"));
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        die("usage: tunelane_fuzz_seeds <corpus folder>");
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir scratch;
    if (!scratch.isValid())
        die("no temporary folder");

    ChannelListProvider doc(nullptr);
    Fuzz::fillSeedDocument(doc);
    writeRawSeeds<GGData2010_01>(doc, corpus, 0, scratch.path());
    writeRawSeeds<GGData2011_01>(doc, corpus, 1, scratch.path());
    writeRawSeeds<GGData2012_01>(doc, corpus, 2, scratch.path());
    writeUniversalSeeds(doc, corpus, scratch.path());

    // A probe with the wildcard country, and an archive with a member in a subfolder.
    const QString probe = corpus.filePath(QStringLiteral("raw_probe"));
    write(probe + QStringLiteral("/wildcard"), QByteArray("\x03\x04", 2) +
                                                   RawRecordCodec::encodeKey(GGData2012_01::LAYOUT) +
                                                   QByteArray("*\0\0\0", 4));
    const QString member = scratch.filePath(QStringLiteral("member"));
    write(member, QByteArray("nested member"));
    const QString nested = scratch.filePath(QStringLiteral("nested.rvl"));
    if (packMember(nested, member, QStringLiteral("sub/member")) != RC_SUCCESS ||
        packMember(nested, member, QStringLiteral("CloneInfo")) != RC_SUCCESS)
        die("the archive writer failed");
    write(corpus.filePath(QStringLiteral("zip_extract/nested.rvl")), read(nested));
    // Members that the zip harness packs itself under the names given (odd first byte).
    QByteArray names(1, char(0x01));
    const QByteArray key = RawRecordCodec::encodeKey(GGData2012_01::LAYOUT);
    for (const auto &[name, data] : {std::pair<QByteArray, QByteArray>{"map-ChKey", key},
                                     {"ab/CloneInfo", QByteArray("DEU\0", 4)},
                                     {"ab/cd/", QByteArray()}}) {
        names += char(name.size()) + name + char(data.size()) + data;
    }
    write(corpus.filePath(QStringLiteral("zip_extract/names")), names);
    return 0;
}
