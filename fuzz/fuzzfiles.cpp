#include "fuzz/fuzzfiles.h"

#include "fuzz/fuzzcheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace Fuzz {

QString freshScratchFolder() {
    // Kept for the whole process: creating a uniquely named folder per input would flood the temporary
    // directory with names when a run is killed.
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/tunelane-fuzz-XXXXXX"));
    FUZZ_CHECK(root.isValid());
    const QString path = root.filePath(QStringLiteral("scratch"));
    QDir dir(path);
    if (dir.exists())
        FUZZ_CHECK(dir.removeRecursively());
    FUZZ_CHECK(QDir().mkpath(path));
    return path;
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList listTree(const QString &root) {
    QStringList entries;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString entry = base.relativeFilePath(info.filePath());
        if (info.isSymLink())
            entry += QStringLiteral(" -> link");
        else if (info.isDir())
            entry += QLatin1Char('/');
        entries << entry;
    }
    entries.sort();
    return entries;
}

QStringList listTemporaryDirectory() {
    QStringList entries =
        QDir(QDir::tempPath())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    entries.sort();
    return entries;
}

} // namespace Fuzz
