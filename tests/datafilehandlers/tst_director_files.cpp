#include "support/documentfixture.h"

#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "core/translations.h"
#include "datafilehandlers/datadirector.h"
#include "datafilehandlers/rawrecordcodec.h"
#include "datafilehandlers/savecapacity.h"

#include <QProcess>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtEndian>
#include <QtTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Open, save and conversion through the director with files written by the program's own writers.
namespace {
QStringList workingFolders() {
    return QDir(QDir::tempPath()).entryList({QStringLiteral("tunewrk_*")}, QDir::Dirs | QDir::Hidden);
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString formatName(int format) {
    switch (format) {
    case FF_UNIVERSAL:
        return QStringLiteral("universal");
    case FF_RAW_2010_01:
        return QStringLiteral("2010-01");
    case FF_RAW_2011_01:
        return QStringLiteral("2011-01");
    default:
        return QStringLiteral("2012-01");
    }
}

// The format code a document read from a file of this format reports.
int documentCode(int format) {
    return format == FF_UNIVERSAL ? int(FF_UNIVERSAL_HANDLER) : format;
}

#ifdef Q_OS_UNIX
// Runs the body as an unprivileged user when the tests run as root, so permission bits count: for opening
// files (the effective ids) and for access(), which asks about the real ids. Root stays the saved id, so
// the destructor can switch back.
class Unprivileged {
public:
    Unprivileged() : m_switched(::geteuid() == 0) {
        if (m_switched) {
#ifdef Q_OS_LINUX
            m_ok = ::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0;
#else
            m_ok = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
#endif
        }
    }
    ~Unprivileged() {
        if (m_switched) {
#ifdef Q_OS_LINUX
            (void)!::setresuid(0, 0, 0);
            (void)!::setresgid(0, 0, 0);
#else
            (void)!::seteuid(0);
            (void)!::setegid(0);
#endif
        }
    }
    bool ok() const {
        return m_ok;
    }

private:
    bool m_switched;
    bool m_ok = true;
};
#endif

void compareLines(const QStringList &actual, const QStringList &expected) {
    if (actual == expected)
        return;
    for (int i = 0; i < qMax(actual.size(), expected.size()); ++i) {
        const QString a = actual.value(i), e = expected.value(i);
        if (a != e)
            QFAIL(qPrintable(QStringLiteral("line %1:\n  actual   %2\n  expected %3").arg(i).arg(a, e)));
    }
}
} // namespace

class TestDirectorFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Builds the standard document, writes it in the format and returns its description for that format.
    QStringList writeFixture(int format, const QString &file) {
        DataDirector unused;
        ChannelListProvider document(&unused);
        DocumentFixture::build(document);
        const int rc = DocumentFixture::write(format, document, file);
        if (rc != RC_SUCCESS)
            qWarning("fixture not written: %d", rc);
        return DocumentFixture::describe(document, DocumentFixture::Caps::of(format));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(Translations::installEnglish());
    }
    void init() { SatelliteChannel::clearDatabase(); }
    void cleanup() { QVERIFY2(workingFolders().isEmpty(), qPrintable(workingFolders().join(", "))); }

    void opensEveryFamilyAndYear_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("suffix");
        for (int format : {int(FF_UNIVERSAL), int(FF_RAW_2010_01), int(FF_RAW_2011_01), int(FF_RAW_2012_01)})
            QTest::newRow(qPrintable(formatName(format))) << format << DocumentFixture::suffixOf(format);
        QTest::newRow("upper-case raw suffix") << int(FF_RAW_2012_01) << QStringLiteral(".RVL");
        QTest::newRow("mixed-case universal suffix") << int(FF_UNIVERSAL) << QStringLiteral(".uLmX");
        QTest::newRow("raw after universal suffix") << int(FF_RAW_2011_01) << QStringLiteral(".ulmx.rvl");
    }
    void opensEveryFamilyAndYear() {
        QFETCH(int, format);
        QFETCH(QString, suffix);
        const QString file = path(QStringLiteral("open") + suffix);
        const QStringList expected = writeFixture(format, file);

        SatelliteChannel::clearDatabase();
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(file, &document, QStringLiteral("DEU")), int(RC_SUCCESS));
        compareLines(DocumentFixture::describe(document, DocumentFixture::Caps::of(format)), expected);
        QCOMPARE(document.formatCode(), documentCode(format));
        QCOMPARE(document.versionText(),
                 format == FF_UNIVERSAL ? QStringLiteral("ULMX") : formatName(format));
        QCOMPARE(document.favouritesListCount(), DocumentFixture::Caps::of(format).favouriteLists);
        QCOMPARE(director.workingFolderPath().isEmpty(), format == FF_UNIVERSAL);
        if (format != FF_UNIVERSAL) {
            // The unpacked members are private to this user.
            const QFileInfo folder(director.workingFolderPath());
            QCOMPARE(folder.absolutePath(), QDir(QDir::tempPath()).absolutePath());
            QCOMPARE(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther),
                     QFile::Permissions());
        }
    }

    void saveAsConvertsBetweenEveryFormat_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        const int formats[] = {FF_UNIVERSAL, FF_RAW_2010_01, FF_RAW_2011_01, FF_RAW_2012_01};
        for (int from : formats) {
            for (int to : formats)
                QTest::newRow(qPrintable(formatName(from) + " to " + formatName(to))) << from << to;
        }
    }
    void saveAsConvertsBetweenEveryFormat() {
        QFETCH(int, from);
        QFETCH(int, to);
        const QString source = path(QStringLiteral("from") + DocumentFixture::suffixOf(from));
        const QString target = path(QStringLiteral("to") + DocumentFixture::suffixOf(to));
        QFile::remove(target);
        writeFixture(from, source);
        const DocumentFixture::Caps caps = DocumentFixture::Caps::of(from) & DocumentFixture::Caps::of(to);

        SatelliteChannel::clearDatabase();
        QStringList expected;
        {
            DataDirector director;
            ChannelListProvider document(&director);
            QCOMPARE(director.open(source, &document, QStringLiteral("DEU")), int(RC_SUCCESS));
            expected = DocumentFixture::describe(document, caps);
            const QString oldFolder = director.workingFolderPath();

            QCOMPARE(director.save(&document, target, to), int(RC_SUCCESS));
            // The version text and favourites count are the writer's; the format code stays the one before.
            QCOMPARE(document.versionText(), to == FF_UNIVERSAL ? QStringLiteral("ULMX") : formatName(to));
            QCOMPARE(document.favouritesListCount(), DocumentFixture::Caps::of(to).favouriteLists);
            QCOMPARE(document.formatCode(), documentCode(from));
            QCOMPARE(director.currentFormatCode(), documentCode(to));
            QCOMPARE(director.workingFolderPath().isEmpty(), to == FF_UNIVERSAL);
            if (documentCode(from) != documentCode(to) && !oldFolder.isEmpty())
                QVERIFY(!QFileInfo::exists(oldFolder));
            QCOMPARE(workingFolders().size(), to == FF_UNIVERSAL ? 0 : 1);
            // Saving said nothing about the database.
            compareLines(DocumentFixture::describe(document, caps), expected);
        }

        SatelliteChannel::clearDatabase();
        DataDirector director;
        ChannelListProvider reopened(&director);
        QCOMPARE(director.open(target, &reopened, QStringLiteral("DEU")), int(RC_SUCCESS));
        compareLines(DocumentFixture::describe(reopened, caps), expected);
        QCOMPARE(reopened.formatCode(), documentCode(to));
    }

    void saveKeepsTheFormatAndEveryMember() {
        const QString file = path("keep.rvl");
        {
            DataDirector unused;
            ChannelListProvider document(&unused);
            DocumentFixture::build(document);
            QCOMPARE(DocumentFixture::writeRaw(FF_RAW_2011_01, document, file,
                                               {{".hidden-member", "dot"}, {"zz-unknown", "kept as it is"}}),
                     int(RC_SUCCESS));
        }
        SatelliteChannel::clearDatabase();
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(file, &document, "*"), int(RC_SUCCESS));
        (*document.airList())[0].setName(QStringLiteral("Renamed"));
        QCOMPARE(director.save(&document, file, FF_KEEP), int(RC_SUCCESS));
        QCOMPARE(document.formatCode(), int(FF_RAW_2011_01));
        const QStringList saved =
            DocumentFixture::describe(document, DocumentFixture::Caps::of(FF_RAW_2011_01));

        // Members the handler does not know, dot-names included, are packed again.
        QTemporaryDir unpacked;
        QCOMPARE(unzipAll(file, unpacked.path()), int(RC_SUCCESS));
        QCOMPARE(contents(unpacked.filePath("zz-unknown")), QByteArray("kept as it is"));
        QCOMPARE(contents(unpacked.filePath(".hidden-member")), QByteArray("dot"));
        // Nothing but the archive is left beside it.
        QCOMPARE(QDir(m_dir.path()).entryList({"*keep*"}, QDir::Files | QDir::Hidden),
                 QStringList({"keep.rvl"}));

        director.close();
        QVERIFY(workingFolders().isEmpty());
        SatelliteChannel::clearDatabase();
        DataDirector again;
        ChannelListProvider reopened(&again);
        QCOMPARE(again.open(file, &reopened, "*"), int(RC_SUCCESS));
        compareLines(DocumentFixture::describe(reopened, DocumentFixture::Caps::of(FF_RAW_2011_01)), saved);
        QCOMPARE(reopened.airList()->at(0).name(), QStringLiteral("Renamed"));
    }

    // Another model year takes the set's own physical-channel tables along: every year holds their entries.
    void saveAsAnotherYearCarriesThePhysicalTables() {
        const QVector<PhysicalChannel> own{{1, 8, 506000, "E25"}};
        QByteArray ownTable;
        QCOMPARE(RawRecordCodec::encodePhysicalChannels(own, false, GGData2012_01::LAYOUT, ownTable),
                 int(RC_SUCCESS));
        const QString source = path("tables.rvl");
        const QString target = path("tables-2010.rvl");
        {
            DataDirector unused;
            ChannelListProvider document(&unused);
            DocumentFixture::build(document);
            QCOMPARE(DocumentFixture::writeRaw(FF_RAW_2012_01, document, source, {{"phy-Air", ownTable}}),
                     int(RC_SUCCESS));
        }
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(source, &document, "*"), int(RC_SUCCESS));
        QCOMPARE(director.save(&document, target, FF_RAW_2010_01), int(RC_SUCCESS));

        QTemporaryDir unpacked;
        QCOMPARE(unzipAll(target, unpacked.path()), int(RC_SUCCESS));
        QVector<PhysicalChannel> air, cable;
        QCOMPARE(RawRecordCodec::decodePhysicalChannels(contents(unpacked.filePath("phy-Air")), false,
                                                        GGData2010_01::LAYOUT, air),
                 int(RC_SUCCESS));
        QCOMPARE(RawRecordCodec::decodePhysicalChannels(contents(unpacked.filePath("phy-Cable")), true,
                                                        GGData2010_01::LAYOUT, cable),
                 int(RC_SUCCESS));
        QVERIFY(air == own);
        QVERIFY(cable == RawRecordCodec::defaultCableChannels());
    }

    // A list whose every channel was deleted opens again, in its own year and another, as an empty document
    // of its country with its satellite database.
    void listWithEveryChannelDeletedOpensAgainEmpty() {
        const QString file = path("emptied.rvl");
        const QString converted = path("emptied-2010.rvl");
        writeFixture(FF_RAW_2012_01, file);
        SatelliteChannel::clearDatabase();
        const DocumentFixture::Caps caps = DocumentFixture::Caps::of(FF_RAW_2010_01);
        QStringList expected;
        {
            DataDirector director;
            ChannelListProvider document(&director);
            QCOMPARE(director.open(file, &document, "*"), int(RC_SUCCESS));
            const auto deleteAll = [](auto *list) {
                for (auto &channel : *list)
                    channel.setDeleted(true);
            };
            deleteAll(document.airList());
            deleteAll(document.cableList());
            deleteAll(document.satelliteList());
            deleteAll(document.astraHDList());
            expected = DocumentFixture::describe(document, caps);
            QCOMPARE(director.save(&document, file, FF_KEEP), int(RC_SUCCESS));
            QCOMPARE(director.save(&document, converted, FF_RAW_2010_01), int(RC_SUCCESS));
        }
        for (const QString &saved : {file, converted}) {
            SatelliteChannel::clearDatabase();
            DataDirector director;
            ChannelListProvider reopened(&director);
            QCOMPARE(director.open(saved, &reopened, "*"), int(RC_SUCCESS));
            QVERIFY(reopened.airList()->isEmpty() && reopened.cableList()->isEmpty());
            QVERIFY(reopened.satelliteList()->isEmpty() && reopened.astraHDList()->isEmpty());
            compareLines(DocumentFixture::describe(reopened, caps), expected);
        }
    }

    void universalSaveAsThenSaveUsesTheNewFile() {
        const QString raw = path("start.rvl");
        const QString universal = path("converted.ulmx");
        writeFixture(FF_RAW_2012_01, raw);
        SatelliteChannel::clearDatabase();
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(raw, &document, "DEU"), int(RC_SUCCESS));
        QCOMPARE(director.save(&document, universal, FF_UNIVERSAL), int(RC_SUCCESS));
        QVERIFY(workingFolders().isEmpty());
        const QByteArray rawBytes = contents(raw);

        (*document.cableList())[0].setName(QStringLiteral("Changed"));
        QCOMPARE(director.save(&document, universal, FF_KEEP), int(RC_SUCCESS));
        QVERIFY(contents(universal).contains("Changed"));
        QCOMPARE(contents(raw), rawBytes);
        // A universal document saved under another name writes that file, not the one it came from.
        const QString copy = path("copy.ulmx");
        QCOMPARE(director.save(&document, copy, FF_KEEP), int(RC_SUCCESS));
        QVERIFY(contents(copy).contains("Changed"));
    }

    void badFilesReportTheirCode() {
        writeFixture(FF_RAW_2012_01, path("good.rvl"));
        QTemporaryDir members;
        QCOMPARE(unzipAll(path("good.rvl"), members.path()), int(RC_SUCCESS));
        const auto pack = [&members](const QString &target, const QString &skip,
                                     const QString &replace = QString(),
                                     const QByteArray &bytes = QByteArray()) {
            for (const QFileInfo &member : QDir(members.path()).entryInfoList(QDir::Files)) {
                if (member.fileName() == skip)
                    continue;
                QString source = member.absoluteFilePath();
                QTemporaryDir changed;
                if (member.fileName() == replace) {
                    source = changed.filePath(member.fileName());
                    QFile out(source);
                    if (!out.open(QIODevice::WriteOnly))
                        return false;
                    out.write(bytes);
                }
                if (zipAddFile(target, source, member.fileName()) != RC_SUCCESS)
                    return false;
            }
            return true;
        };
        QByteArray unknownYear(4, '\0');
        qToLittleEndian<qint32>(999000, unknownYear.data());
        QVERIFY(pack(path("year.rvl"), QString(), "map-ChKey", unknownYear));
        QVERIFY(pack(path("nocountry.rvl"), "CloneInfo"));
        QByteArray air = contents(members.filePath("map-AirCh"));
        QVERIFY(air.size() > 40);
        air[30] = char(air[30] ^ 0x10);
        QVERIFY(pack(path("corrupt.rvl"), QString(), "map-AirCh", air));
        QFile text(path("text.rvl"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("this is no archive");
        text.close();
        QVERIFY(QFile::copy(path("good.rvl"), path("good.txt")));
        QVERIFY(QDir().mkpath(path("folder.rvl")));

        // What an earlier open installed must survive every failure.
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(path("good.rvl"), &document, "*"), int(RC_SUCCESS));
        director.commit();
        const QStringList before = DocumentFixture::describe(document, DocumentFixture::Caps());
        const QString folder = director.workingFolderPath();

        const QList<QPair<QString, int>> cases = {
            {"missing.rvl", RC_FILE_NOT_FOUND}, {"folder.rvl", RC_CANNOT_OPEN},
            {"text.rvl", RC_CANNOT_OPEN},       {"good.txt", RC_INVALID_FORMAT},
            {"year.rvl", RC_INVALID_FORMAT},    {"nocountry.rvl", RC_INVALID_FORMAT},
            {"corrupt.rvl", RC_CHECKSUM_FAILED}};
        for (const auto &c : cases) {
            ChannelListProvider other(&director);
            QCOMPARE(director.open(path(c.first), &other, "*"), c.second);
            QVERIFY(other.airList()->isEmpty());
            QCOMPARE(workingFolders(), QStringList{QFileInfo(folder).fileName()});
        }
        QCOMPARE(director.workingFolderPath(), folder);
        compareLines(DocumentFixture::describe(document, DocumentFixture::Caps()), before);
    }

#ifdef Q_OS_UNIX
    void unreadableFileCannotBeOpened() {
        QTemporaryDir temp;
        QVERIFY(QFile::setPermissions(temp.path(), QFile::Permissions(0x7777)));
        const QString file = temp.filePath("private.rvl");
        writeFixture(FF_RAW_2012_01, file);
        QVERIFY(QFile::setPermissions(file, QFile::Permissions()));
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        int rc = -1;
        {
            DataDirector director;
            ChannelListProvider document(&director);
            Unprivileged user;
            QVERIFY(user.ok());
            rc = director.open(file, &document, "*");
        }
        qputenv("TMPDIR", oldTemp);
        QCOMPARE(rc, int(RC_CANNOT_OPEN));
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({"private.rvl"}));
    }

    void failedSaveLeavesTheOldFileUntouched() {
        // A folder the user cannot write to, holding the file from the last save.
        QTemporaryDir readOnly;
        const QString target = readOnly.filePath("list.rvl");
        writeFixture(FF_RAW_2011_01, target);
        const QByteArray old = contents(target);
        QVERIFY(!old.isEmpty());
        QVERIFY(QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                           QFile::ExeOther | QFile::ReadGroup |
                                                           QFile::ExeGroup));
        QTemporaryDir temp;
        QVERIFY(QFile::setPermissions(temp.path(), QFile::Permissions(0x7777)));
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        const QString source = temp.path() + "/source.rvl";
        writeFixture(FF_RAW_2012_01, source);
        QVERIFY(QFile::setPermissions(source, QFile::Permissions(0x6666)));

        int keep = -1, convert = -1, universal = -1;
        {
            Unprivileged user;
            QVERIFY(user.ok());
            DataDirector director;
            ChannelListProvider document(&director);
            QCOMPARE(director.open(source, &document, "*"), int(RC_SUCCESS));
            keep = director.save(&document, target, FF_KEEP);
            convert = director.save(&document, target, FF_RAW_2010_01);
            universal = director.save(&document, readOnly.filePath("list.ulmx"), FF_UNIVERSAL);
            QCOMPARE(document.formatCode(), int(FF_RAW_2012_01));
            QCOMPARE(director.currentFormatCode(), int(FF_RAW_2012_01));
        }
        qputenv("TMPDIR", oldTemp);
        QVERIFY(
            QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(keep, int(RC_CANNOT_WRITE));
        QCOMPARE(convert, int(RC_CANNOT_WRITE));
        QCOMPARE(universal, int(RC_CANNOT_WRITE));
        QCOMPARE(contents(target), old);
        QCOMPARE(QDir(readOnly.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({"list.rvl"}));
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({"source.rvl"}));
    }

    // A raw save does not replace a file the user may not write, as a universal save refuses it too; a link
    // to the file is no way round. The refusal comes before the working folder changes, and no folder is
    // left behind.
    void writeProtectedFileIsNotReplaced_data() {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("file") << false;
        QTest::newRow("link to the file") << true;
    }
    void writeProtectedFileIsNotReplaced() {
        QFETCH(bool, throughLink);
        QTemporaryDir temp;
        QVERIFY(QFile::setPermissions(temp.path(), QFile::Permissions(0x7777)));
        const QString file = temp.filePath("list.rvl");
        writeFixture(FF_RAW_2012_01, file);
        const QByteArray old = contents(file);
        const QFile::Permissions readOnly =
            QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(file, readOnly));
        const QString target = throughLink ? temp.filePath("link.rvl") : file;
        if (throughLink)
            QVERIFY(QFile::link(file, target));
        const QStringList entries = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());

        int keep = -1, convert = -1;
        QMap<QString, QByteArray> membersBefore, membersAfter;
        {
            Unprivileged user;
            QVERIFY(user.ok());
            DataDirector director;
            ChannelListProvider document(&director);
            QCOMPARE(director.open(target, &document, "*"), int(RC_SUCCESS));
            const auto members = [&director] {
                QMap<QString, QByteArray> bytes;
                const QDir folder(director.workingFolderPath());
                for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
                    bytes.insert(name, contents(folder.filePath(name)));
                return bytes;
            };
            membersBefore = members();
            AirChannel &edited = (*document.airList())[0];
            edited.setLocked(!edited.isLocked());
            keep = director.save(&document, target, FF_KEEP);
            convert = director.save(&document, target, FF_RAW_2011_01);
            membersAfter = members();
        }
        qputenv("TMPDIR", oldTemp);
        QCOMPARE(keep, int(RC_CANNOT_WRITE));
        QCOMPARE(convert, int(RC_CANNOT_WRITE));
        QVERIFY(membersAfter == membersBefore);
        QCOMPARE(contents(file), old);
        QCOMPARE(QFileInfo(target).isSymLink(), throughLink);
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 entries);
    }

    // A save through links rewrites the file the system opened through them and leaves every link a link:
    // "up" is read from the folder it really is in, so its ".." does not lead back through the linked folder
    // to a file of the same name there.
    void saveThroughLinksReplacesTheFileTheyName_data() {
        QTest::addColumn<int>("fileFormat");
        QTest::addColumn<int>("saveFormat");
        QTest::newRow("raw, Save") << int(FF_RAW_2012_01) << int(FF_KEEP);
        QTest::newRow("raw, Save As") << int(FF_RAW_2012_01) << int(FF_RAW_2011_01);
        QTest::newRow("universal, Save") << int(FF_UNIVERSAL) << int(FF_KEEP);
        QTest::newRow("universal, Save As") << int(FF_UNIVERSAL) << int(FF_UNIVERSAL);
    }
    void saveThroughLinksReplacesTheFileTheyName() {
        QFETCH(int, fileFormat);
        QFETCH(int, saveFormat);
        QTemporaryDir top;
        const QString name = fileFormat == FF_UNIVERSAL ? "list.ulmx" : "list.rvl";
        QVERIFY(QDir(top.path()).mkpath("real/sub"));
        writeFixture(fileFormat, top.filePath("real/" + name));
        writeFixture(fileFormat, top.filePath(name));
        const QByteArray unrelated = contents(top.filePath(name));
        QVERIFY(QFile::link("../" + name, top.filePath("real/sub/up-" + name)));
        QVERIFY(QFile::link("real/sub", top.filePath("alias")));
        // A chain: the link opened leads to another link.
        const QString opened = top.filePath("chain-" + name);
        QVERIFY(QFile::link("alias/up-" + name, opened));

        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(opened, &document, "*"), int(RC_SUCCESS));
        (*document.airList())[0].setName(QStringLiteral("Renamed"));
        QCOMPARE(director.save(&document, opened, saveFormat), int(RC_SUCCESS));
        QCOMPARE(contents(top.filePath(name)), unrelated);
        QVERIFY(QFileInfo(top.filePath("real/sub/up-" + name)).isSymLink());
        QVERIFY(QFileInfo(top.filePath("alias")).isSymLink());
        QVERIFY(QFileInfo(opened).isSymLink());
        DataDirector again;
        ChannelListProvider reopened(&again);
        QCOMPARE(again.open(top.filePath("real/" + name), &reopened, "*"), int(RC_SUCCESS));
        QCOMPARE(reopened.airList()->at(0).name(), QStringLiteral("Renamed"));
    }

    // A loop of links names no file: a save onto it is refused in either format, and every link stays a link.
    void saveOntoALoopOfLinksIsRefused_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("raw") << int(FF_RAW_2012_01);
        QTest::newRow("universal") << int(FF_UNIVERSAL);
    }
    void saveOntoALoopOfLinksIsRefused() {
        QFETCH(int, format);
        QTemporaryDir temp;
        const QString source = temp.filePath("source.rvl");
        writeFixture(FF_RAW_2012_01, source);
        const QString first = temp.filePath("first-link"), second = temp.filePath("second-link");
        QVERIFY(QFile::link(second, first));
        QVERIFY(QFile::link(first, second));
        const QStringList entries = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(source, &document, "*"), int(RC_SUCCESS));
        QCOMPARE(director.save(&document, first, format), int(RC_CANNOT_WRITE));
        QVERIFY(QFileInfo(first).isSymLink());
        QVERIFY(QFileInfo(second).isSymLink());
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 entries);
    }
#endif

    void relativePathsAreTheCurrentDirectorysNotTheWorkingFolders() {
        const QString file = path("rel-source.rvl");
        writeFixture(FF_RAW_2012_01, file);
        QTemporaryDir current;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(file, &document, "*"), int(RC_SUCCESS));
        const int rc = director.save(&document, QStringLiteral("relative.rvl"), FF_RAW_2011_01);
        QCOMPARE(QDir::currentPath(), QDir(current.path()).canonicalPath());
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(rc, int(RC_SUCCESS));
        QVERIFY(QFileInfo(current.filePath("relative.rvl")).isFile());
        QCOMPARE(director.open(current.filePath("relative.rvl"), &document, "*"), int(RC_SUCCESS));
        QCOMPARE(document.formatCode(), int(FF_RAW_2011_01));
    }

    void workingFoldersGoWithTheDirector() {
        const QString file = path("folders.rvl");
        writeFixture(FF_RAW_2010_01, file);
        {
            // Opens in the same second: each gets a folder of its own.
            DataDirector first, second;
            ChannelListProvider a(&first), b(&second);
            QCOMPARE(first.open(file, &a, "*"), int(RC_SUCCESS));
            QCOMPARE(second.open(file, &b, "*"), int(RC_SUCCESS));
            QVERIFY(first.workingFolderPath() != second.workingFolderPath());
            QCOMPARE(workingFolders().size(), 2);
            // Until the new document is taken, the old folder is kept for a rollback.
            ChannelListProvider c(&first);
            QCOMPARE(first.open(file, &c, "*"), int(RC_SUCCESS));
            QCOMPARE(workingFolders().size(), 3);
            first.commit();
            QCOMPARE(workingFolders().size(), 2);
            second.close();
            QCOMPARE(workingFolders().size(), 1);
        }
        QVERIFY(workingFolders().isEmpty());

        // A folder of this process and second already there (left by a failed removal, say).
        const QDir temp(QDir::tempPath());
        const QString taken = DataDirector::workingFolderName();
        QVERIFY(temp.mkdir(taken));
        {
            DataDirector director;
            ChannelListProvider document(&director);
            QCOMPARE(director.open(file, &document, "*"), int(RC_SUCCESS));
            QVERIFY(QFileInfo(director.workingFolderPath()).fileName() != taken);
            QVERIFY(QFileInfo(temp.filePath(taken)).isDir());
        }
        QVERIFY(temp.rmdir(taken));
    }

    void anyCountryTakesTheOnlyCountryTheFileNames() {
        const auto write = [this](const QString &name, const QString &airCountry, const QString &cableCountry,
                                  const QString &cableType = QStringLiteral("analog-c")) {
            const QString list = QStringLiteral("<service_list type=\"%1\"><country_code val=\"%2\"/>"
                                                "<analog_service name=\"%3\" freq=\"175.25\" rcn=\"1\"/>"
                                                "</service_list>");
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                QStringLiteral("<?xml version=\"1.0\" ?>\n<ULM><ulm_body><service_database>%1%2"
                               "</service_database></ulm_body></ULM>\n")
                    .arg(list.arg("analog-a", airCountry, "Air"), list.arg(cableType, cableCountry, "Cable"))
                    .toUtf8());
        };
        write("one.ulmx", "DEU", "deu");
        write("several.ulmx", "DEU", "FRA");
        write("wildcard.ulmx", "*", "DEU");
        write("unknowntype.ulmx", "DEU", "FRA", "analog-x");
        DataDirector director;

        ChannelListProvider one(&director);
        QCOMPARE(director.open(path("one.ulmx"), &one, "*"), int(RC_SUCCESS));
        QCOMPARE(one.country(), QStringLiteral("DEU"));
        QCOMPARE(one.airList()->size(), 1);
        QCOMPARE(one.cableList()->size(), 1);
        QVERIFY(director.countriesToChooseFrom().isEmpty());

        ChannelListProvider several(&director);
        QCOMPARE(director.open(path("several.ulmx"), &several, "*"), int(RC_NO_SERVICE_LIST));
        QCOMPARE(director.countriesToChooseFrom(), QStringList({"DEU", "FRA"}));
        QCOMPARE(director.open(path("several.ulmx"), &several, "FRA"), int(RC_SUCCESS));
        QVERIFY(director.countriesToChooseFrom().isEmpty());
        QCOMPARE(several.cableList()->size(), 1);

        // A list of a type no loader reads offers no country.
        ChannelListProvider unknownType(&director);
        QCOMPARE(director.open(path("unknowntype.ulmx"), &unknownType, "*"), int(RC_SUCCESS));
        QCOMPARE(unknownType.country(), QStringLiteral("DEU"));

        // Lists tagged "*" are what "*" takes, as before.
        ChannelListProvider wildcard(&director);
        QCOMPARE(director.open(path("wildcard.ulmx"), &wildcard, "*"), int(RC_SUCCESS));
        QCOMPARE(wildcard.country(), QStringLiteral("*"));
        QCOMPARE(wildcard.airList()->size(), 1);
        QCOMPARE(wildcard.cableList()->size(), 0);
    }

    void saveKeepsTheListsOfOtherCountries() {
        // The standard document's lists twice, for DEU and for FRA, over one database.
        const QStringList germany = writeFixture(FF_UNIVERSAL, path("one.ulmx"));
        const QString text = QString::fromUtf8(contents(path("one.ulmx")));
        const qsizetype from = text.indexOf(QLatin1String("\t\t\t<service_list"));
        const qsizetype to = text.lastIndexOf(QLatin1String("</service_list>\n")) + 16;
        QString lists = text.mid(from, to - from);
        lists.replace(QLatin1String("<country_code val=\"DEU\"/>"),
                      QLatin1String("<country_code val=\"FRA\"/>"));
        QFile file(path("two.ulmx"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((text.left(to) + lists + text.mid(to)).toUtf8());
        file.close();
        QStringList france = germany;
        france[0] = QStringLiteral("country|FRA");

        const auto describeAs = [](const QString &fileName, const QString &country) {
            DataDirector director;
            ChannelListProvider document(&director);
            if (director.open(fileName, &document, country) != RC_SUCCESS)
                return QStringList();
            return DocumentFixture::describe(document, DocumentFixture::Caps::of(FF_UNIVERSAL));
        };
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(path("two.ulmx"), &document, "DEU"), int(RC_SUCCESS));
        QCOMPARE(director.save(&document, path("two.ulmx"), FF_KEEP), int(RC_SUCCESS));
        QCOMPARE(director.save(&document, path("copy.ulmx"), FF_UNIVERSAL), int(RC_SUCCESS));
        for (const QString &saved : {path("two.ulmx"), path("copy.ulmx")}) {
            compareLines(describeAs(saved, "FRA"), france);
            compareLines(describeAs(saved, "DEU"), germany);
        }
    }

    // A "*" list a DEU document fell back to stays what every other country takes, even beside a second one.
    void saveKeepsTheStarListItFellBackTo() {
        const QString file = path("star.ulmx");
        const QString list =
            QStringLiteral("<service_list type=\"%1\"><country_code val=\"%2\"/><analog_service "
                           "name=\"%3\" freq=\"175.25\" rcn=\"1\"/></service_list>");
        QFile written(file);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(("<ULM><ulm_body><service_database>" + list.arg("analog-c", "*", "First") +
                       list.arg("analog-a", "FRA", "Air") + list.arg("analog-c", "*", "Second") +
                       "</service_database></ulm_body></ULM>")
                          .toUtf8());
        written.close();
        const auto viewOf = [](const QString &saved, const QString &country) {
            DataDirector director;
            ChannelListProvider document(&director);
            QStringList view{QString::number(director.open(saved, &document, country))};
            for (const CableChannel &channel : *document.cableList())
                view << channel.name() + QString::number(channel.number());
            for (const AirChannel &channel : *document.airList())
                view << channel.name() + QString::number(channel.number());
            return view;
        };
        {
            DataDirector director;
            ChannelListProvider document(&director);
            QCOMPARE(director.open(file, &document, "DEU"), int(RC_SUCCESS));
            (*document.cableList())[0].setNumber(5);
            QCOMPARE(director.save(&document, file, FF_KEEP), int(RC_SUCCESS));
            QCOMPARE(director.save(&document, path("star-copy.ulmx"), FF_UNIVERSAL), int(RC_SUCCESS));
        }
        for (const QString &saved : {file, path("star-copy.ulmx")}) {
            QCOMPARE(viewOf(saved, "DEU"), QStringList({"0", "First5"}));
            QCOMPARE(viewOf(saved, "FRA"), QStringList({"0", "First1", "Air1"}));
            QCOMPARE(viewOf(saved, "AUT"), QStringList({"0", "First1"}));
            QCOMPARE(viewOf(saved, "*"), QStringList({"0", "First1"}));
        }
        // Opened with "*", the "*" list is the document's own, written once.
        const qsizetype copies = contents(file).count("First");
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(file, &document, "*"), int(RC_SUCCESS));
        QCOMPARE(director.save(&document, file, FF_KEEP), int(RC_SUCCESS));
        QCOMPARE(contents(file).count("First"), copies);

        // A list that names no country is only for a document of any country, and stays so.
        const QString uncoded = path("uncoded.ulmx");
        QFile uncodedFile(uncoded);
        QVERIFY(uncodedFile.open(QIODevice::WriteOnly));
        uncodedFile.write(("<ULM><ulm_body><service_database>" + list.arg("analog-c", "", "Any") +
                           "</service_database></ulm_body></ULM>")
                              .toUtf8());
        uncodedFile.close();
        QCOMPARE(director.open(uncoded, &document, "*"), int(RC_SUCCESS));
        QCOMPARE(director.save(&document, uncoded, FF_KEEP), int(RC_SUCCESS));
        QCOMPARE(viewOf(uncoded, "*"), QStringList({"0", "Any1"}));
        QCOMPARE(viewOf(uncoded, "DEU"), QStringList({QString::number(RC_NO_SERVICE_LIST)}));
    }

    // Names are taken as written, prefixes and all: a carried list keeps a prefixed element, its namespace
    // declaration, and everything after it.
    void saveKeepsPrefixedNamesOfOtherCountries() {
        const QString file = path("prefixed.ulmx");
        QFile written(file);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write("<ULM><ulm_body><service_database>"
                      "<service_list type=\"analog-a\"><country_code val=\"DEU\"/>"
                      "<analog_service name=\"Here\" freq=\"175.25\" rcn=\"1\"/></service_list>"
                      "<service_list type=\"analog-a\"><country_code val=\"FRA\"/>"
                      "<x:note xmlns:x=\"urn:note\"/><y:note/><!--two\n\tlines-->"
                      "<analog_service name=\"There\" freq=\"471.25\" rcn=\"2\"/></service_list>"
                      "</service_database></ulm_body></ULM>");
        written.close();
        {
            DataDirector director;
            ChannelListProvider document(&director);
            QCOMPARE(director.open(file, &document, "DEU"), int(RC_SUCCESS));
            QCOMPARE(director.save(&document, file, FF_KEEP), int(RC_SUCCESS));
        }
        QVERIFY(contents(file).contains("<x:note xmlns:x=\"urn:note\"/>"));
        // A comment's own lines are its text, not layout: a save does not indent them.
        QVERIFY(contents(file).contains("<!--two\n\tlines-->"));
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(file, &document, "FRA"), int(RC_SUCCESS));
        QCOMPARE(document.airList()->size(), 1);
        QCOMPARE(document.airList()->at(0).name(), QStringLiteral("There"));
    }

    void rollbackBringsBackTheOpenDocumentsFilesAndDatabase() {
        const QString fileA = path("a.rvl");
        const QString fileB = path("b.rvl");
        {
            DataDirector unused;
            ChannelListProvider other(&unused);
            DocumentFixture::build(other, DocumentFixture::Size{5, 3, 4, 4});
            SatelliteChannel::satellites.insert(0x0130, SatelliteInfo{"Other 30.5E", 0, 0x8131, 2});
            SatelliteChannel::databaseHeader = 207;
            QCOMPARE(DocumentFixture::writeRaw(FF_RAW_2011_01, other, fileB), int(RC_SUCCESS));
        }
        writeFixture(FF_RAW_2012_01, fileA);
        SatelliteChannel::clearDatabase();

        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(fileA, &document, "*"), int(RC_SUCCESS));
        director.commit();
        const SatelliteMap satellites = SatelliteChannel::satellites;
        const TransponderMap transponders = SatelliteChannel::transponders;
        const CategoryProviderMap providers = SatelliteChannel::serviceProviders;
        const CategoryProviderMap bouquets = SatelliteChannel::bouquets;
        const int header = SatelliteChannel::databaseHeader;
        const ChannelList<SatelliteChannel> satelliteList = *document.satelliteList();
        const QString folder = director.workingFolderPath();

        // The window reads another file, then the user cancels while the tables are filled.
        ChannelListProvider next(&director);
        QCOMPARE(director.open(fileB, &next, "*"), int(RC_SUCCESS));
        const QString nextFolder = director.workingFolderPath();
        QCOMPARE(SatelliteChannel::databaseHeader, 207);
        director.rollback();

        QCOMPARE(SatelliteChannel::satellites, satellites);
        QCOMPARE(SatelliteChannel::transponders, transponders);
        QCOMPARE(SatelliteChannel::serviceProviders, providers);
        QCOMPARE(SatelliteChannel::bouquets, bouquets);
        QCOMPARE(SatelliteChannel::databaseHeader, header);
        QCOMPARE(*document.satelliteList(), satelliteList);
        QCOMPARE(director.workingFolderPath(), folder);
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(!QFileInfo::exists(nextFolder));

        // A Save of the document that stayed goes through its own handler and folder.
        const QStringList expected =
            DocumentFixture::describe(document, DocumentFixture::Caps::of(FF_RAW_2012_01));
        QCOMPARE(director.save(&document, fileA, FF_KEEP), int(RC_SUCCESS));
        QCOMPARE(document.formatCode(), int(FF_RAW_2012_01));
        director.close();
        SatelliteChannel::clearDatabase();
        ChannelListProvider reopened(&director);
        QCOMPARE(director.open(fileA, &reopened, "*"), int(RC_SUCCESS));
        compareLines(DocumentFixture::describe(reopened, DocumentFixture::Caps::of(FF_RAW_2012_01)),
                     expected);
        director.close();
    }

    void saveCapacityNamesWhatTheTargetCannotKeep() {
        using Kind = SaveCapacity::Kind;
        using Kinds = QList<std::pair<Kind, int>>;
        const auto kinds = [](const SaveCapacity &capacity) {
            Kinds found;
            for (const SaveCapacity::Loss &loss : capacity.losses())
                found.append({loss.kind, loss.count});
            return found;
        };
        DataDirector unused;
        ChannelListProvider document(&unused);
        DocumentFixture::Size size;
        size.astra = 4;
        DocumentFixture::build(document, size);
        const QString longName(70, QLatin1Char('x'));
        document.airList()->channelAt(0)->setName(longName);
        document.airList()->channelAt(1)->setName(longName);
        document.airList()->channelAt(1)->setDeleted(true); // never written, so never cut
        SatelliteChannel::satellites.first().name = longName;
        SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE].first().name =
            QString(65, QLatin1Char('p'));
        const quint16 numbers[] = {5, 10, 20, 150};
        for (int i = 0; i < 4; ++i)
            document.astraHDList()->channelAt(i)->setNumber(numbers[i]);

        const SaveCapacity raw(document, FF_RAW_2011_01);
        QCOMPARE(raw.count(Kind::LongNames), 3);
        QCOMPARE(raw.count(Kind::AstraHDRenumbered), 3);
        const SaveCapacity older(document, FF_RAW_2010_01);
        QCOMPARE(older.count(Kind::AstraHDList), 4);
        QCOMPARE(older.count(Kind::AstraHDRenumbered), 0);
        // Names of any length and the numbers as they are, but no favourites lists, no child locks, and not
        // the TSIDs, ONIDs and analogue systems the fixture gives its channels.
        const SaveCapacity universal(document, FF_UNIVERSAL);
        QCOMPARE(kinds(universal), (Kinds{{Kind::FavouritesLists, 67},
                                          {Kind::ChildLocks, 11},
                                          {Kind::NetworkIds, 57},
                                          {Kind::AnalogueSystems, 10}}));
        QCOMPARE(universal.losses().at(2).names, (QStringList{longName, "T 4", "T 6"}));

        // Each further kind on a document that loses nothing else: the values a universal file reads back.
        const auto universalLosses = [](const std::function<void(ChannelListProvider &)> &shape) {
            ChannelListProvider single(nullptr);
            shape(single);
            return SaveCapacity(single, FF_UNIVERSAL);
        };
        const auto analogueAir = [](quint16 number, int sound = 0, int colour = 6) {
            return AirChannel(0, "A", number, 55.25f, 1, false, false, Channel::ANALOGUE, 0, sound, colour,
                              -1, 0);
        };
        const auto satellite = [](quint32 transponder, int tsid = -1, int kind = Channel::DIGITAL) {
            return SatelliteChannel(1, "S", 1, transponder, 1, 1, false, false, kind, tsid, 0);
        };
        const auto digitalCable = [](quint16 symbolRate, int modulation, float frequency = 346.0f) {
            return CableChannel(1, "C", 1, frequency, 1, false, false, Channel::DIGITAL, symbolRate, 0, 6,
                                modulation, -1, 0);
        };
        // Transponders as the fixture's, but for one value each.
        const auto transponder = [](quint32 id, int modulation, int fec, float kilohertz, int polarity = 0) {
            Transponder copy = SatelliteChannel::transponders.first();
            copy.modulation = modulation;
            copy.fec = fec;
            copy.frequency = kilohertz;
            copy.polarity = polarity;
            SatelliteChannel::transponders.insert(id, copy);
        };
        // Values that come back as they were: unknown ones too.
        transponder(6000, 5, 12, 3950000.0f);
        transponder(6004, -1, 0, 3950000.0f, 2);
        QVERIFY(universalLosses([&](ChannelListProvider &d) {
                    d.airList()->append(analogueAir(99));
                    d.satelliteList()->append(satellite(0));
                    d.satelliteList()->append(satellite(6000));
                    d.satelliteList()->append(satellite(6004));
                    d.satelliteList()->append(satellite(90000)); // no transponder: nothing shown to lose
                    d.airList()->append(analogueAir(0));
                    d.airList()->channelAt(1)->setName(QString::fromUtf16(u"Tab\tNew\nline \U0001F4FA"));
                    for (const int modulation : {14, 15, 1, 11, 2, -1})
                        d.cableList()->append(digitalCable(6900, modulation, 100.0f + float(modulation)));
                }).isEmpty());

        // 8PSK, "No conv.", half a kHz and a polarity of neither direction (as for circular polarisation).
        transponder(6001, 3, 2, 3950000.0f);
        transponder(6002, 5, 13, 3950000.0f);
        transponder(6003, 5, 2, 3950000.5f);
        transponder(6005, 5, 2, 3950000.0f, 3);
        const SaveCapacity satelliteValues = universalLosses([&](ChannelListProvider &d) {
            for (const quint32 id : {6001u, 6001u, 6002u, 6003u, 6005u})
                d.satelliteList()->append(satellite(id));
        });
        QCOMPARE(kinds(satelliteValues), (Kinds{{Kind::TransponderFrequency, 1},
                                                {Kind::TransponderPolarity, 1},
                                                {Kind::TransponderModulation, 2},
                                                {Kind::Fec, 1}}));
        QCOMPARE(
            satelliteValues.losses().at(3).text,
            "A universal file keeps the error correction rates (FEC) 1/4 to 9/10 only, not \"No conv.\": 1 "
            "satellite channel will have its FEC saved as \"Auto\".");

        // An analogue radio channel with a bandwidth at a frequency of seven digits; cable Auto, QPSK, 8PSK;
        // and Auto behind 64-QAM on one frequency, which reads back 64-QAM, not unknown.
        QCOMPARE(kinds(universalLosses([&](ChannelListProvider &d) {
                     d.airList()->append(AirChannel(0, "R", 1, 490.1667f, 2, false, false, Channel::ANALOGUE,
                                                    8, 0, 6, -1, 0));
                     for (const int modulation : {0, 5, 3})
                         d.cableList()->append(digitalCable(6900, modulation, 100.0f + float(modulation)));
                     d.cableList()->append(digitalCable(6900, 1, 200.0f));
                     d.cableList()->append(digitalCable(6900, 0, 200.0f));
                 })),
                 (Kinds{{Kind::AnalogueBandwidth, 1},
                        {Kind::AnalogueCategory, 1},
                        {Kind::SharedDelivery, 1},
                        {Kind::Frequency, 1},
                        {Kind::CableModulation, 3}}));

        QCOMPARE(kinds(universalLosses([&](ChannelListProvider &d) {
                     d.airList()->append(analogueAir(150));
                     d.airList()->append(analogueAir(200));
                     d.airList()->channelAt(1)->setDeleted(true);
                     d.cableList()->append(CableChannel(0, "K", 2500, 62.25f, 1, false, false,
                                                        Channel::ANALOGUE, 0, 0, 6, -1, -1, 0));
                 })),
                 (Kinds{{Kind::AnalogueNumbers, 2}}));

        SatelliteChannel::transponders.insert(5000, SatelliteChannel::transponders.first());
        SatelliteChannel::transponders[5000].satelliteId = 0x1234;
        QCOMPARE(kinds(universalLosses(
                     [&](ChannelListProvider &d) { d.satelliteList()->append(satellite(5000)); })),
                 (Kinds{{Kind::SatelliteMissing, 1}}));

        QCOMPARE(kinds(universalLosses(
                     [&](ChannelListProvider &d) { d.satelliteList()->append(satellite(0, 1079)); })),
                 (Kinds{{Kind::NetworkIds, 1}}));

        QCOMPARE(kinds(universalLosses(
                     [&](ChannelListProvider &d) { d.airList()->append(analogueAir(1, 2, 1)); })),
                 (Kinds{{Kind::AnalogueSystems, 1}}));

        // One analogue channel shares a transponder with a digital one and comes back digital; the others
        // have none and are left out, each counted once: not again for its favourites, lock or satellite.
        QCOMPARE(kinds(universalLosses([&](ChannelListProvider &d) {
                     d.satelliteList()->append(satellite(0));
                     for (const quint32 id : {0u, 90000u, 90000u, 5000u})
                         d.satelliteList()->append(satellite(id, -1, Channel::ANALOGUE));
                     d.satelliteList()->channelAt(3)->setDeleted(true);
                     d.satelliteList()->channelAt(4)->setLocked(true);
                     d.satelliteList()->channelAt(4)->setFavouritePosition(1, -2);
                 })),
                 (Kinds{{Kind::AnalogueSatellite, 3}}));

        // The first channel of a frequency gives its stream's delivery values, deleted or not; 0 and -0 are
        // one frequency.
        const auto digitalAir = [](float frequency, quint16 bandwidth, bool deleted = false) {
            AirChannel channel(1, "D", 1, frequency, 1, false, false, Channel::DIGITAL, bandwidth, 0, 6, -1,
                               0);
            channel.setDeleted(deleted);
            return channel;
        };
        const auto sharedDelivery = [&](const QList<AirChannel> &air) {
            return universalLosses([&](ChannelListProvider &d) {
                       for (const AirChannel &channel : air)
                           d.airList()->append(channel);
                   })
                .count(Kind::SharedDelivery);
        };
        QCOMPARE(sharedDelivery({digitalAir(474.0f, 8, true), digitalAir(474.0f, 7)}), 1);
        QCOMPARE(sharedDelivery({digitalAir(0.0f, 8), digitalAir(-0.0f, 7)}), 1);
        QCOMPARE(kinds(universalLosses([&](ChannelListProvider &d) {
                     for (const quint16 bandwidth : {8, 7, 8})
                         d.airList()->append(digitalAir(474.0f, bandwidth));
                     d.airList()->channelAt(0)->setDeleted(true);
                     d.airList()->append(digitalAir(482.0f, 7));
                     d.cableList()->append(digitalCable(6900, 1));
                     d.cableList()->append(digitalCable(6875, 1));
                     d.cableList()->append(digitalCable(6900, 2));
                     d.cableList()->append(digitalCable(6900, 1));
                 })),
                 (Kinds{{Kind::SharedDelivery, 3}}));

        // Not the names of a satellite without transponders and of providers of no list the file holds:
        // the file does not keep them at all.
        QCOMPARE(kinds(universalLosses([&](ChannelListProvider &d) {
                     d.airList()->append(analogueAir(1));
                     d.airList()->channelAt(0)->setName(QString::fromUtf16(u"Ctl\u0001X\uFFFF"));
                     SatelliteChannel::satellites.insert(0x0777, SatelliteInfo{"Empty\u0001", 0, 0, 2});
                     SatelliteChannel::serviceProviders[5].insert(1, ServiceProvider{"Other\u0001", 0, 0});
                 })),
                 (Kinds{{Kind::UnwritableNames, 1}}));

        // Only a raw model year is older than another: the universal format is none.
        QVERIFY(SaveCapacity::isOlderFormat(FF_RAW_2012_01, FF_RAW_2010_01));
        QVERIFY(!SaveCapacity::isOlderFormat(FF_RAW_2010_01, FF_UNIVERSAL));
        QVERIFY(!SaveCapacity::isOlderFormat(FF_UNIVERSAL_HANDLER, FF_RAW_2010_01));
    }

    // A text that counts something reads "1 channel(s)" unless the English translation has its forms: every
    // such text of the sources, as lupdate finds them, is looked up in the translation the program loads.
    void everyCountedTextHasItsEnglishForms() {
        const QString found = path(QStringLiteral("found.ts"));
        QProcess lupdate;
        lupdate.start(QStringLiteral(TUNELANE_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral(TUNELANE_SOURCE_DIR), QStringLiteral("-ts"), found});
        QVERIFY(lupdate.waitForFinished(-1));
        QCOMPARE(lupdate.exitCode(), 0);
        QFile file(found);
        QVERIFY(file.open(QIODevice::ReadOnly));

        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/tunelane_en.qm")));
        QXmlStreamReader ts(&file);
        QString context;
        int counted = 0;
        QStringList unread;
        while (!ts.atEnd()) {
            if (ts.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (ts.name() == QLatin1String("name")) {
                context = ts.readElementText();
            } else if (ts.name() == QLatin1String("message") &&
                       ts.attributes().value(QLatin1String("numerus")) == QLatin1String("yes")) {
                QByteArray source;
                QByteArray comment;
                while (ts.readNextStartElement()) {
                    if (ts.name() == QLatin1String("source"))
                        source = ts.readElementText().toUtf8();
                    else if (ts.name() == QLatin1String("comment"))
                        comment = ts.readElementText().toUtf8();
                    else
                        ts.skipCurrentElement();
                }
                ++counted;
                for (const int n : {1, 2}) {
                    const QString form =
                        english.translate(context.toUtf8().constData(), source.constData(),
                                          comment.isEmpty() ? nullptr : comment.constData(), n);
                    if (form.isEmpty() || form.contains(QLatin1String("(s)")))
                        unread << QStringLiteral("%1 at %2: \"%3\"")
                                      .arg(QString::fromUtf8(source), QString::number(n), form);
                }
            }
        }
        QVERIFY2(!ts.hasError(), qPrintable(ts.errorString()));
        QVERIFY(counted > 0);
        QVERIFY2(unread.isEmpty(), qPrintable(unread.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestDirectorFiles)
#include "tst_director_files.moc"
