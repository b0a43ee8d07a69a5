#include "core/scratchfile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

ScratchFile::ScratchFile(const QString &target)
    : m_target(target), m_temporary(QFileInfo(target).absolutePath() + QStringLiteral("/.scratch-XXXXXX")) {}

ScratchFile::~ScratchFile() = default; // an uncommitted temporary removes itself

bool ScratchFile::open() {
    return m_temporary.open();
}

bool ScratchFile::write(const char *data, qint64 size) {
    if (m_failed || !m_temporary.isOpen() || m_temporary.write(data, size) != size)
        m_failed = true;
    return !m_failed;
}

bool ScratchFile::commit() {
    if (m_failed || !m_temporary.isOpen() || !m_temporary.flush())
        return false;
    const QString temporaryPath = m_temporary.fileName();
    m_temporary.close();
    // rename() replaces the target in one step; QFile::rename would refuse an existing target.
    if (std::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(m_target).constData()) !=
        0)
        return false;
    m_temporary.setAutoRemove(false);
    return true;
}

bool ScratchFile::writeAll(const QString &target, const QByteArray &bytes) {
    ScratchFile file(target);
    return file.open() && file.write(bytes) && file.commit();
}
