#include "archive/ziparchive.h"

#include "core/logcategories.h"
#include "core/resultcode.h"
#include "core/scratchfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unzip.h>
#include <zip.h>
#include <zlib.h>

#include <memory>

namespace {

constexpr int BLOCK_SIZE = 16384;
// General purpose flag bits of a zip entry.
constexpr uLong FLAG_ENCRYPTED = 0x0001;
constexpr uLong FLAG_UTF8_NAME = 0x0800;

struct UnzCloser {
    void operator()(void *uf) const { unzClose(static_cast<unzFile>(uf)); }
};
using UnzHandle = std::unique_ptr<void, UnzCloser>;

QByteArray encodedPath(const QString &path) {
    return QFile::encodeName(path);
}

QDateTime entryTime(const tm_unz &t) {
    const QDate date(int(t.tm_year), int(t.tm_mon) + 1, int(t.tm_mday));
    const QTime time(int(t.tm_hour), int(t.tm_min), int(t.tm_sec));
    return date.isValid() && time.isValid() ? QDateTime(date, time) : QDateTime();
}

// Extracts the archive's current entry to target. The declared size is only a claim: the bytes actually
// inflated are counted against it and against the caps too.
int extractCurrent(unzFile uf, const unz_file_info64 &info, const QString &target, qint64 &total) {
    if (unzOpenCurrentFile(uf) != UNZ_OK)
        return RC_CANNOT_READ;
    ScratchFile out(target);
    if (!out.open()) {
        unzCloseCurrentFile(uf);
        return RC_CANNOT_WRITE;
    }
    char buffer[BLOCK_SIZE];
    qint64 written = 0;
    for (;;) {
        const int n = unzReadCurrentFile(uf, buffer, BLOCK_SIZE);
        if (n < 0) {
            unzCloseCurrentFile(uf);
            return RC_CANNOT_READ;
        }
        if (n == 0)
            break;
        written += n;
        total += n;
        if (written > qint64(info.uncompressed_size) || written > ZipLimits::MAX_MEMBER_SIZE ||
            total > ZipLimits::MAX_TOTAL_SIZE) {
            unzCloseCurrentFile(uf);
            return RC_INVALID_FORMAT;
        }
        if (!out.write(buffer, n)) {
            unzCloseCurrentFile(uf);
            return RC_CANNOT_WRITE;
        }
    }
    // Closing checks the CRC once every byte has been read.
    if (unzCloseCurrentFile(uf) != UNZ_OK || written != qint64(info.uncompressed_size))
        return RC_CANNOT_READ;
    if (!out.commit())
        return RC_CANNOT_WRITE;
    const QDateTime time = entryTime(info.tmu_date);
    if (time.isValid()) {
        QFile file(target);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(time, QFileDevice::FileModificationTime);
    }
    return RC_SUCCESS;
}

} // namespace

bool isSafeZipEntryName(const QString &name) {
    if (name.isEmpty() || name.size() > ZipLimits::MAX_NAME_LENGTH)
        return false;
    if (name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(':')))
        return false;
    QString path = name;
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
        for (const QChar c : part) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                return false;
        }
    }
    return true;
}

int unzipAll(const QString &zipPath, const QString &folder) {
    qCDebug(lcArchive) << "Extracting" << zipPath << "into" << folder;

    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return RC_FILE_NOT_FOUND;
    // Exactly the given path: never a guessed variant of it.
    if (!QFileInfo(zipPath).isFile())
        return RC_FILE_NOT_FOUND;
    UnzHandle uf(unzOpen64(encodedPath(zipPath).constData()));
    if (!uf)
        return RC_FILE_NOT_FOUND;
    unz_global_info64 global;
    if (unzGetGlobalInfo64(uf.get(), &global) != UNZ_OK)
        return RC_FILE_NOT_FOUND;
    if (global.number_entry > ZipLimits::MAX_MEMBERS)
        return RC_INVALID_FORMAT;

    qint64 total = 0;
    int entries = 0;
    int err = unzGoToFirstFile(uf.get());
    while (err == UNZ_OK) {
        if (++entries > ZipLimits::MAX_MEMBERS)
            return RC_INVALID_FORMAT;
        unz_file_info64 info;
        char rawName[ZipLimits::MAX_NAME_LENGTH + 1];
        if (unzGetCurrentFileInfo64(uf.get(), &info, rawName, sizeof rawName, nullptr, 0, nullptr, 0) !=
            UNZ_OK)
            return RC_FILE_NOT_FOUND;
        if (info.size_filename == 0 || info.size_filename > ZipLimits::MAX_NAME_LENGTH)
            return RC_INVALID_FORMAT;
        const QByteArray nameBytes(rawName, int(info.size_filename));
        if (nameBytes.contains('\0'))
            return RC_INVALID_FORMAT;
        const QString name =
            (info.flag & FLAG_UTF8_NAME) ? QString::fromUtf8(nameBytes) : QString::fromLatin1(nameBytes);
        if (!isSafeZipEntryName(name) || (info.flag & FLAG_ENCRYPTED))
            return RC_INVALID_FORMAT;

        const QString target = dir.filePath(name);
        if (name.endsWith(QLatin1Char('/'))) {
            if (!dir.mkpath(name))
                return RC_CANNOT_WRITE;
        } else {
            if (info.uncompressed_size > quint64(ZipLimits::MAX_MEMBER_SIZE) ||
                total + qint64(info.uncompressed_size) > ZipLimits::MAX_TOTAL_SIZE)
                return RC_INVALID_FORMAT;
            const int slash = name.lastIndexOf(QLatin1Char('/'));
            if (slash > 0 && !dir.mkpath(name.left(slash)))
                return RC_CANNOT_WRITE;
            const int rc = extractCurrent(uf.get(), info, target, total);
            if (rc != RC_SUCCESS)
                return rc;
        }
        err = unzGoToNextFile(uf.get());
    }
    return err == UNZ_END_OF_LIST_OF_FILE ? RC_SUCCESS : RC_FILE_NOT_FOUND;
}

int zipAddFile(const QString &zipPath, const QString &memberPath, const QString &entryName) {
    if (!isSafeZipEntryName(entryName) || entryName.endsWith(QLatin1Char('/')))
        return RC_CANNOT_OPEN;
    // The member is opened first, so a missing one leaves the archive untouched.
    QFile in(memberPath);
    if (!in.open(QIODevice::ReadOnly))
        return RC_CANNOT_OPEN;

    const QFileInfo zipInfo(zipPath);
    const int append = zipInfo.exists() && zipInfo.size() > 0 ? APPEND_STATUS_ADDINZIP : APPEND_STATUS_CREATE;
    zipFile zf = zipOpen64(encodedPath(zipPath).constData(), append);
    if (!zf)
        return RC_CANNOT_OPEN;

    zip_fileinfo fileInfo = {};
    const QDateTime modified = QFileInfo(in).lastModified();
    fileInfo.tmz_date.tm_sec = uInt(modified.time().second());
    fileInfo.tmz_date.tm_min = uInt(modified.time().minute());
    fileInfo.tmz_date.tm_hour = uInt(modified.time().hour());
    fileInfo.tmz_date.tm_mday = uInt(modified.date().day());
    fileInfo.tmz_date.tm_mon = uInt(modified.date().month() - 1);
    fileInfo.tmz_date.tm_year = uInt(modified.date().year());

    bool ascii = true;
    for (const QChar c : entryName)
        ascii = ascii && c.unicode() < 0x80;
    const QByteArray name = entryName.toUtf8();
    const int zip64 = in.size() >= qint64(0xFFFFFFFFu) ? 1 : 0;
    if (zipOpenNewFileInZip4_64(zf, name.constData(), &fileInfo, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0, 0,
                                ascii ? 0 : FLAG_UTF8_NAME, zip64) != ZIP_OK) {
        zipClose(zf, nullptr);
        return RC_CANNOT_OPEN;
    }

    bool ok = true;
    char buffer[BLOCK_SIZE];
    for (;;) {
        const qint64 n = in.read(buffer, BLOCK_SIZE);
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (zipWriteInFileInZip(zf, buffer, unsigned(n)) != ZIP_OK) {
            ok = false;
            break;
        }
    }
    ok = zipCloseFileInZip(zf) == ZIP_OK && ok;
    ok = zipClose(zf, nullptr) == ZIP_OK && ok;
    return ok ? RC_SUCCESS : RC_CANNOT_OPEN;
}
