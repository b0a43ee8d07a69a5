#ifndef SCRATCHFILE_H
#define SCRATCHFILE_H

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

// Writes a file of the working folder: the bytes go to a temporary file beside the target, which is renamed
// over the target only when every byte was written, so a failed write leaves the old file as it was. Unlike
// QSaveFile it does not sync to disk: working-folder files are scratch copies, and the archive made from them
// is synced once when it is saved.
class ScratchFile {
public:
    explicit ScratchFile(const QString &target);
    ~ScratchFile();
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    bool open();
    bool write(const char *data, qint64 size);
    bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    // Closes the temporary and renames it over the target; false (and the temporary removed) on any failure.
    bool commit();

    // The whole write in one call.
    static bool writeAll(const QString &target, const QByteArray &bytes);

private:
    QString m_target;
    QTemporaryFile m_temporary;
    bool m_failed = false;
};

#endif
