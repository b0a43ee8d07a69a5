#include "platform/removablemedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_LINUX)
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

RemovableMedia::Judge &RemovableMedia::judge() {
    static Judge injected;
    return injected;
}

void RemovableMedia::setJudge(Judge judge) {
    RemovableMedia::judge() = std::move(judge);
}

bool RemovableMedia::isOnRemovableDrive(const QString &folder) {
    if (judge())
        return judge()(folder);
#if defined(Q_OS_LINUX)
    if (folder.isEmpty())
        return false;
    struct stat info;
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    // Virtual and network file systems have an anonymous device (major 0): nothing to ask.
    if (major(info.st_dev) == 0)
        return false;
    return isRemovableBlockDevice(QStringLiteral("/sys"), major(info.st_dev), minor(info.st_dev));
#else
    return false;
#endif
}

bool RemovableMedia::isRemovableBlockDevice(const QString &sysRoot, unsigned int major, unsigned int minor) {
    // /sys/dev/block/MAJ:MIN links to the device's folder; a partition's folder (it has a "partition"
    // file) sits inside the folder of its disk, and only the disk carries the "removable" flag.
    const QString link = sysRoot + QStringLiteral("/dev/block/%1:%2").arg(major).arg(minor);
    QString device = QFileInfo(link).canonicalFilePath();
    if (device.isEmpty())
        return false;
    if (QFileInfo::exists(device + QStringLiteral("/partition")))
        device = QFileInfo(device).absolutePath();
    QFile flag(device + QStringLiteral("/removable"));
    if (!flag.open(QIODevice::ReadOnly))
        return false;
    return flag.read(8).trimmed() == "1";
}
