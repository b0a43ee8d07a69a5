#ifndef ZIPARCHIVE_H
#define ZIPARCHIVE_H

#include <QString>
#include <QtGlobal>

// The zip container of a raw channel list. Members are small fixed-size record files, stored flat at the top
// of the archive. Neither function changes the process's current directory: every path is used as given.

namespace ZipLimits {
// A raw list's members are a few megabytes at most; anything far larger is a hostile or broken archive.
constexpr qint64 MAX_MEMBER_SIZE = 16 * 1024 * 1024;
constexpr qint64 MAX_TOTAL_SIZE = 64 * 1024 * 1024;
constexpr int MAX_MEMBERS = 1024;
constexpr int MAX_NAME_LENGTH = 255;
} // namespace ZipLimits

// True for a relative member path that stays inside the folder it is unpacked into: not empty, no leading
// "/", no drive letter or other ":", no backslash, no empty, "." or ".." part. A trailing "/" marks a folder.
bool isSafeZipEntryName(const QString &name);

// Extracts every member of the archive at exactly zipPath into the existing folder (member paths kept,
// existing files replaced). Each member is written through a temporary file and renamed only after its
// data and checksum proved good. Any failure fails the whole unpack; the caller discards the folder.
// Returns RC_SUCCESS; RC_FILE_NOT_FOUND when the archive or the folder cannot be opened or the archive's
// directory cannot be walked; RC_CANNOT_READ when a member cannot be inflated or fails its checksum;
// RC_CANNOT_WRITE when a member cannot be written; RC_INVALID_FORMAT for an unsafe member name, an
// encrypted member or one beyond the size limits.
int unzipAll(const QString &zipPath, const QString &folder);

// Adds the file at memberPath to the archive at exactly zipPath under entryName (deflated at the default
// level). Creates the archive when nothing (or an empty file, such as a fresh temporary file) is at zipPath,
// else appends to it. Packing into a temporary file and renaming it over the target afterwards keeps the
// previous archive intact until the new one is complete. Returns RC_SUCCESS or RC_CANNOT_OPEN.
int zipAddFile(const QString &zipPath, const QString &memberPath, const QString &entryName);

#endif
