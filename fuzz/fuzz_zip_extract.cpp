// The zip extraction of a raw archive into its working folder, on arbitrary archive bytes.
//
// Whatever the archive holds, the extraction gives a known result code, writes nothing but regular files and
// folders, and writes them only inside the working folder, within the size limits.

#include "fuzz/fuzzcheck.h"
#include "fuzz/fuzzfiles.h"
#include "fuzz/harnesses.h"

#include "archive/ziparchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

int fuzzZipExtract(const uint8_t *data, size_t size) {
    const QByteArray archive(reinterpret_cast<const char *>(data), int(size));
    const QString scratch = Fuzz::freshScratchFolder();
    const QString archivePath = scratch + QStringLiteral("/list.rvl");
    const QString folder = scratch + QStringLiteral("/work");
    Fuzz::writeFile(archivePath, archive);
    FUZZ_CHECK(QDir().mkdir(folder));
    const QStringList temporaryBefore = Fuzz::listTemporaryDirectory();

    const int rc = unzipAll(archivePath, folder);
    FUZZ_CHECK(Fuzz::isOneOf(
        rc, {RC_SUCCESS, RC_FILE_NOT_FOUND, RC_CANNOT_READ, RC_CANNOT_WRITE, RC_INVALID_FORMAT}, false));

    // Nothing beside the working folder, in the scratch folder or in the temporary directory.
    FUZZ_CHECK(Fuzz::listTemporaryDirectory() == temporaryBefore);
    qint64 total = 0;
    int files = 0;
    for (const QString &entry : Fuzz::listTree(scratch)) {
        FUZZ_CHECK(!entry.endsWith(QLatin1String(" -> link")));
        FUZZ_CHECK(entry == QLatin1String("list.rvl") || entry.startsWith(QLatin1String("work/")));
        const QFileInfo info(scratch + QLatin1Char('/') + entry);
        FUZZ_CHECK(info.isDir() || info.isFile());
        if (info.isFile() && entry.startsWith(QLatin1String("work/"))) {
            FUZZ_CHECK(info.size() <= ZipLimits::MAX_MEMBER_SIZE);
            total += info.size();
            ++files;
        }
    }
    FUZZ_CHECK(total <= ZipLimits::MAX_TOTAL_SIZE);
    FUZZ_CHECK(files <= ZipLimits::MAX_MEMBERS);

    // The archive itself is only read.
    QFile in(archivePath);
    FUZZ_CHECK(in.open(QIODevice::ReadOnly) && in.readAll() == archive);
    return 0;
}
