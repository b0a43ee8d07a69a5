#include "platform/removablemedia.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A fake sysfs tree: /dev/block/MAJ:MIN links into /devices/..., partitions sit inside their disk's folder.
class TestRemovableMedia : public QObject {
    Q_OBJECT

    QTemporaryDir sys;

    void writeFile(const QString &path, const QByteArray &data) {
        QDir().mkpath(QFileInfo(sys.filePath(path)).absolutePath());
        QFile f(sys.filePath(path));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    void link(const QString &name, const QString &target) {
        QDir().mkpath(sys.filePath(QStringLiteral("dev/block")));
        QVERIFY(QFile::link(sys.filePath(target), sys.filePath(QStringLiteral("dev/block/") + name)));
    }

private slots:
    void initTestCase() {
        QVERIFY(sys.isValid());
        // sdb: a USB stick with one partition; sda: a fixed disk used whole; sdc: flag unreadable.
        writeFile(QStringLiteral("devices/usb/block/sdb/removable"), "1\n");
        writeFile(QStringLiteral("devices/usb/block/sdb/sdb1/partition"), "1\n");
        writeFile(QStringLiteral("devices/ata/block/sda/removable"), "0\n");
        writeFile(QStringLiteral("devices/ata/block/sda/sda2/partition"), "2\n");
        QDir().mkpath(sys.filePath(QStringLiteral("devices/odd/block/sdc")));
        link(QStringLiteral("8:16"), QStringLiteral("devices/usb/block/sdb"));
        link(QStringLiteral("8:17"), QStringLiteral("devices/usb/block/sdb/sdb1"));
        link(QStringLiteral("8:0"), QStringLiteral("devices/ata/block/sda"));
        link(QStringLiteral("8:2"), QStringLiteral("devices/ata/block/sda/sda2"));
        link(QStringLiteral("8:32"), QStringLiteral("devices/odd/block/sdc"));
    }

    void partitionAndDiskShareTheDisksFlag() {
        QVERIFY(RemovableMedia::isRemovableBlockDevice(sys.path(), 8, 16));
        QVERIFY(RemovableMedia::isRemovableBlockDevice(sys.path(), 8, 17));
        QVERIFY(!RemovableMedia::isRemovableBlockDevice(sys.path(), 8, 0));
        QVERIFY(!RemovableMedia::isRemovableBlockDevice(sys.path(), 8, 2));
    }

    void whatCannotBeJudgedIsFixed() {
        QVERIFY(!RemovableMedia::isRemovableBlockDevice(sys.path(), 8, 32)); // no flag file
        QVERIFY(!RemovableMedia::isRemovableBlockDevice(sys.path(), 9, 99)); // unknown device
        QVERIFY(!RemovableMedia::isRemovableBlockDevice(sys.path() + QStringLiteral("/none"), 8, 16));
        QVERIFY(!RemovableMedia::isOnRemovableDrive(QString()));
        QVERIFY(!RemovableMedia::isOnRemovableDrive(sys.filePath(QStringLiteral("no/such/folder"))));
    }

    void realFoldersGiveAnAnswer() {
        // Whatever the machine, the query must not fail on an existing folder; a build tree on a USB
        // stick is unusual enough to expect "fixed".
        QVERIFY(!RemovableMedia::isOnRemovableDrive(QDir::tempPath()));
    }

    void injectedJudgeWinsUntilReset() {
        RemovableMedia::setJudge(
            [](const QString &folder) { return folder.endsWith(QLatin1String("stick")); });
        QVERIFY(RemovableMedia::isOnRemovableDrive(QStringLiteral("/media/stick")));
        QVERIFY(!RemovableMedia::isOnRemovableDrive(QStringLiteral("/home")));
        RemovableMedia::setJudge({});
        QVERIFY(!RemovableMedia::isOnRemovableDrive(QStringLiteral("/media/stick")));
    }
};

QTEST_GUILESS_MAIN(TestRemovableMedia)
#include "tst_removablemedia.moc"
