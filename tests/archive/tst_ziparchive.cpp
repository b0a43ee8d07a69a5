#include "archive/ziparchive.h"
#include "core/resultcode.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unzip.h>
#include <zip.h>
#include <zlib.h>

namespace {

struct Entry {
    QByteArray name;
    QByteArray data;
    bool stored = false;
};

// Writes an archive directly through minizip, bypassing zipAddFile's name checks, to play a hostile archive.
bool writeRawZip(const QString &path, const QList<Entry> &entries) {
    zipFile zf = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zf)
        return false;
    for (const Entry &e : entries) {
        zip_fileinfo info = {};
        if (zipOpenNewFileInZip(zf, e.name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                e.stored ? 0 : Z_DEFLATED, Z_DEFAULT_COMPRESSION) != ZIP_OK)
            return false;
        if (!e.data.isEmpty() &&
            zipWriteInFileInZip(zf, e.data.constData(), unsigned(e.data.size())) != ZIP_OK)
            return false;
        zipCloseFileInZip(zf);
    }
    return zipClose(zf, nullptr) == ZIP_OK;
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Every file below the folder, as relative paths.
QStringList filesBelow(const QString &folder) {
    QStringList out;
    QDir dir(folder);
    const auto entries = dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &fi : entries) {
        if (fi.isDir()) {
            for (const QString &sub : filesBelow(fi.filePath()))
                out << fi.fileName() + QLatin1Char('/') + sub;
        } else {
            out << fi.fileName();
        }
    }
    out.sort();
    return out;
}

} // namespace

class TestZipArchive : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_tmp.isValid());
        m_root = m_tmp.path() + QStringLiteral("/case") + QString::number(++m_case);
        QVERIFY(QDir().mkpath(m_root + QStringLiteral("/work")));
        QVERIFY(QDir().mkpath(m_root + QStringLiteral("/src")));
    }

    void safeEntryNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "map-ChKey" << true;
        QTest::newRow("subfolder") << "sub/a.bin" << true;
        QTest::newRow("folder entry") << "sub/" << true;
        QTest::newRow("dots inside a name") << "a..b" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("parent") << "../evil" << false;
        QTest::newRow("parent inside") << "a/../../evil" << false;
        QTest::newRow("parent at end") << "a/.." << false;
        QTest::newRow("current") << "./a" << false;
        QTest::newRow("drive letter") << "C:/evil" << false;
        QTest::newRow("drive relative") << "C:evil" << false;
        QTest::newRow("backslash") << "a\\..\\evil" << false;
        QTest::newRow("empty part") << "a//b" << false;
        QTest::newRow("control character") << "a\nb" << false;
        QTest::newRow("too long") << QString(300, QLatin1Char('a')) << false;
    }
    void safeEntryNames() {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(isSafeZipEntryName(name), safe);
    }

    // What we pack comes back byte for byte, and an independent reader accepts the archive.
    void packAndUnpackAreByteIdentical() {
        QMap<QString, QByteArray> files;
        files.insert(QStringLiteral("empty"), QByteArray());
        files.insert(QStringLiteral("map-ChKey"), QByteArray::fromHex("f8521200"));
        QByteArray random(200000, '\0');
        for (char &c : random)
            c = char(QRandomGenerator::global()->bounded(256));
        files.insert(QStringLiteral("random.bin"), random);
        files.insert(QStringLiteral("text"), QByteArray(50000, 'x'));

        const QString zip = m_root + QStringLiteral("/out.rvl");
        const QString cwd = QDir::currentPath();
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            const QString member = m_root + QStringLiteral("/src/") + it.key();
            QVERIFY(writeFile(member, it.value()));
            QCOMPARE(zipAddFile(zip, member, it.key()), int(RC_SUCCESS));
        }
        QCOMPARE(QDir::currentPath(), cwd);

        checkWithIndependentReader(zip);

        const QString work = m_root + QStringLiteral("/work");
        QCOMPARE(unzipAll(zip, work), int(RC_SUCCESS));
        QCOMPARE(QDir::currentPath(), cwd);
        QCOMPARE(filesBelow(work), QStringList(files.keys()));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QCOMPARE(readFile(work + QLatin1Char('/') + it.key()), it.value());
    }

    // A fresh temporary file (empty, already existing) is a valid target: the director packs into one and
    // renames it over the old archive.
    void packsIntoAnEmptyExistingFile() {
        const QString zip = m_root + QStringLiteral("/tmp.part");
        QVERIFY(writeFile(zip, QByteArray()));
        const QString member = m_root + QStringLiteral("/src/a");
        QVERIFY(writeFile(member, "abc"));
        QCOMPARE(zipAddFile(zip, member, QStringLiteral("a")), int(RC_SUCCESS));
        checkWithIndependentReader(zip);
        QCOMPARE(unzipAll(zip, m_root + QStringLiteral("/work")), int(RC_SUCCESS));
        QCOMPARE(readFile(m_root + QStringLiteral("/work/a")), QByteArray("abc"));
    }

    void unpackReplacesExistingFilesAndKeepsSubfolders() {
        const QString zip = m_root + QStringLiteral("/a.zip");
        QVERIFY(writeRawZip(zip, {{"a", "new"}, {"sub/", ""}, {"sub/b", "bee"}}));
        QVERIFY(writeFile(m_root + QStringLiteral("/work/a"), "old contents"));
        QCOMPARE(unzipAll(zip, m_root + QStringLiteral("/work")), int(RC_SUCCESS));
        QCOMPARE(readFile(m_root + QStringLiteral("/work/a")), QByteArray("new"));
        QCOMPARE(readFile(m_root + QStringLiteral("/work/sub/b")), QByteArray("bee"));
    }

    void maliciousNamesFailTheUnpack_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("parent") << QByteArray("../evil");
        QTest::newRow("deep parent") << QByteArray("a/../../evil");
        QTest::newRow("absolute") << QByteArray("ABSOLUTE");
        QTest::newRow("drive letter") << QByteArray("C:/evil");
        QTest::newRow("backslash") << QByteArray("..\\evil");
        QTest::newRow("empty") << QByteArray("");
    }
    void maliciousNamesFailTheUnpack() {
        QFETCH(QByteArray, name);
        const QString absoluteTarget = m_root + QStringLiteral("/evil-absolute");
        if (name == "ABSOLUTE")
            name = QFile::encodeName(absoluteTarget);
        const QString zip = m_root + QStringLiteral("/bad.zip");
        // A harmless member first: the unpack must fail as a whole, not stop silently after it.
        QVERIFY(writeRawZip(zip, {{"first", "1"}, {name, "pwned"}}));
        const QString work = m_root + QStringLiteral("/work");
        QCOMPARE(unzipAll(zip, work), int(RC_INVALID_FORMAT));
        QVERIFY(!QFile::exists(m_root + QStringLiteral("/evil")));
        QVERIFY(!QFile::exists(absoluteTarget));
        QVERIFY(!QFile::exists(work + QStringLiteral("/..\\evil")));
        // Nothing at all was written outside the folder.
        QCOMPARE(filesBelow(m_root), QStringList()
                                         << QStringLiteral("bad.zip") << QStringLiteral("work/first"));
    }

    // A member whose data fails its checksum fails the unpack and leaves no file of that name.
    void corruptMemberFailsTheUnpack() {
        const QString zip = m_root + QStringLiteral("/c.zip");
        const QByteArray payload = "0123456789abcdefghijklmnopqrstuvwxyz";
        QVERIFY(writeRawZip(zip, {{"good", "fine"}, {"bad", payload, true}, {"later", "x"}}));
        QByteArray bytes = readFile(zip);
        const int at = bytes.indexOf(payload);
        QVERIFY(at > 0);
        bytes[at + 5] = char(bytes[at + 5] ^ 0x20);
        QVERIFY(writeFile(zip, bytes));
        QCOMPARE(unzipAll(zip, m_root + QStringLiteral("/work")), int(RC_CANNOT_READ));
        QVERIFY(!QFile::exists(m_root + QStringLiteral("/work/bad")));
        QVERIFY(!QFile::exists(m_root + QStringLiteral("/work/later")));
    }

    void notAnArchive() {
        const QString path = m_root + QStringLiteral("/plain.rvl");
        QVERIFY(writeFile(path, QByteArray("this is not a zip archive at all").repeated(20)));
        QCOMPARE(unzipAll(path, m_root + QStringLiteral("/work")), int(RC_FILE_NOT_FOUND));
        QVERIFY(writeFile(path, QByteArray()));
        QCOMPARE(unzipAll(path, m_root + QStringLiteral("/work")), int(RC_FILE_NOT_FOUND));
        QCOMPARE(filesBelow(m_root + QStringLiteral("/work")), QStringList());
    }

    // The exact path is opened: no guessed ".zip" variant is read, none is written.
    void noZipSuffixFallback() {
        const QString member = m_root + QStringLiteral("/src/a");
        QVERIFY(writeFile(member, "abc"));
        QCOMPARE(zipAddFile(m_root + QStringLiteral("/list.rvl.zip"), member, QStringLiteral("a")),
                 int(RC_SUCCESS));
        QCOMPARE(unzipAll(m_root + QStringLiteral("/list.rvl"), m_root + QStringLiteral("/work")),
                 int(RC_FILE_NOT_FOUND));

        QCOMPARE(zipAddFile(m_root + QStringLiteral("/nodot"), member, QStringLiteral("a")), int(RC_SUCCESS));
        QVERIFY(QFile::exists(m_root + QStringLiteral("/nodot")));
        QVERIFY(!QFile::exists(m_root + QStringLiteral("/nodot.zip")));
    }

    void missingFolderFails() {
        const QString zip = m_root + QStringLiteral("/a.zip");
        QVERIFY(writeRawZip(zip, {{"a", "1"}}));
        QCOMPARE(unzipAll(zip, m_root + QStringLiteral("/no-such-folder")), int(RC_FILE_NOT_FOUND));
        QVERIFY(!QFile::exists(m_root + QStringLiteral("/no-such-folder")));
    }

    // Members are small record files; an archive claiming more is refused before anything large is written.
    void sizeLimits() {
        const QString zip = m_root + QStringLiteral("/bomb.zip");
        QVERIFY(writeRawZip(zip, {{"big", QByteArray(int(ZipLimits::MAX_MEMBER_SIZE) + 1, '\0')}}));
        QVERIFY(QFileInfo(zip).size() < 100000);
        QCOMPARE(unzipAll(zip, m_root + QStringLiteral("/work")), int(RC_INVALID_FORMAT));
        QVERIFY(!QFile::exists(m_root + QStringLiteral("/work/big")));

        // Each member within its limit, together beyond the total.
        const QByteArray chunk(int(ZipLimits::MAX_MEMBER_SIZE), '\0');
        QList<Entry> entries;
        for (int i = 0; i <= ZipLimits::MAX_TOTAL_SIZE / ZipLimits::MAX_MEMBER_SIZE; ++i)
            entries.append({"m" + QByteArray::number(i), chunk});
        QVERIFY(writeRawZip(zip, entries));
        QCOMPARE(unzipAll(zip, m_root + QStringLiteral("/work")), int(RC_INVALID_FORMAT));
    }

    // A failed addition never damages the archive that is already there, and a refused one never creates one.
    void failedAdditionLeavesTheArchive() {
        const QString zip = m_root + QStringLiteral("/keep.rvl");
        const QString member = m_root + QStringLiteral("/src/a");
        QVERIFY(writeFile(member, "abc"));
        QCOMPARE(zipAddFile(zip, member, QStringLiteral("a")), int(RC_SUCCESS));
        const QByteArray before = readFile(zip);

        QCOMPARE(zipAddFile(zip, m_root + QStringLiteral("/src/missing"), QStringLiteral("b")),
                 int(RC_CANNOT_OPEN));
        QCOMPARE(zipAddFile(zip, member, QStringLiteral("../b")), int(RC_CANNOT_OPEN));
        QCOMPARE(zipAddFile(zip, member, QString()), int(RC_CANNOT_OPEN));
        QCOMPARE(readFile(zip), before);

        const QString fresh = m_root + QStringLiteral("/fresh.rvl");
        QCOMPARE(zipAddFile(fresh, m_root + QStringLiteral("/src/missing"), QStringLiteral("b")),
                 int(RC_CANNOT_OPEN));
        QVERIFY(!QFile::exists(fresh));

        // Something that is not an archive is not appended to.
        const QString text = m_root + QStringLiteral("/text.rvl");
        QVERIFY(writeFile(text, "plain text, not a zip archive"));
        QCOMPARE(zipAddFile(text, member, QStringLiteral("a")), int(RC_CANNOT_OPEN));
    }

private:
    void checkWithIndependentReader(const QString &zip) {
        const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
        if (unzip.isEmpty())
            QSKIP("unzip is not installed (scripts/install-deps installs it)");
        QProcess p;
        p.start(unzip, {QStringLiteral("-t"), zip});
        QVERIFY(p.waitForFinished(30000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardOutput().constData());
    }

    QTemporaryDir m_tmp;
    QString m_root;
    int m_case = 0;
};

QTEST_GUILESS_MAIN(TestZipArchive)
#include "tst_ziparchive.moc"
