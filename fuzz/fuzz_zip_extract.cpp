// The zip extraction of a raw archive into its working folder, on arbitrary archive bytes.
//
// Whatever the archive holds, the extraction gives a known result code, writes nothing but regular files and
// folders, and writes them only inside the working folder, within the size limits.
//
// Input: the archive's bytes when the first byte is even (a zip archive starts with 'P'); when it is odd, the
// rest lists members that the harness packs with minizip itself, under any name at all: each a name length
// byte, the name, a data length byte and the data. That mode reaches hostile member names directly.

#include "fuzz/fuzzcheck.h"
#include "fuzz/fuzzfiles.h"
#include "fuzz/harnesses.h"

#include "archive/ziparchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace {

QByteArray packRawNames(const QByteArray &input, const QString &path) {
    zipFile zf = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    FUZZ_CHECK(zf);
    int at = 1;
    while (at < input.size()) {
        const int nameLength = qMin(int(quint8(input[at])), int(input.size()) - at - 1);
        const QByteArray name = input.mid(at + 1, nameLength);
        at += 1 + nameLength;
        const int dataLength =
            at < input.size() ? qMin(int(quint8(input[at])), int(input.size()) - at - 1) : 0;
        const QByteArray data = input.mid(at + 1, dataLength);
        at += 1 + dataLength;
        zip_fileinfo info = {};
        if (zipOpenNewFileInZip64(zf, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION, 0) != ZIP_OK)
            continue;
        zipWriteInFileInZip(zf, data.constData(), unsigned(data.size()));
        zipCloseFileInZip(zf);
    }
    FUZZ_CHECK(zipClose(zf, nullptr) == ZIP_OK);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

int fuzzZipExtract(const uint8_t *data, size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    const QString scratch = Fuzz::freshScratchFolder();
    const QString archivePath = scratch + QStringLiteral("/list.rvl");
    const QString folder = scratch + QStringLiteral("/work");
    QByteArray archive = input;
    if (size > 0 && (data[0] & 1))
        archive = packRawNames(input, archivePath);
    else
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
