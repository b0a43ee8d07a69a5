#include "core/scratchfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestScratchFile : public QObject {
    Q_OBJECT

private slots:
    void replacesTheTargetOnlyWhenComplete() {
        QTemporaryDir dir;
        const QString target = dir.filePath("member");
        QVERIFY(ScratchFile::writeAll(target, "old contents"));
        {
            ScratchFile file(target);
            QVERIFY(file.open());
            QVERIFY(file.write("half"));
            // Destroyed without commit: the target keeps its old bytes and no temporary is left.
        }
        QFile check(target);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("old contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

        QVERIFY(ScratchFile::writeAll(target, "new"));
        check.close();
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("new"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void failsWhenTheFolderIsMissingOrTheTargetIsAFolder() {
        QTemporaryDir dir;
        QVERIFY(!ScratchFile::writeAll(dir.filePath("missing/member"), "x"));
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QVERIFY(QFile::exists(dir.filePath("sub/../sub")));
        QVERIFY(!ScratchFile::writeAll(dir.filePath("sub"), "x"));
        QVERIFY(QFileInfo(dir.filePath("sub")).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestScratchFile)
#include "tst_scratchfile.moc"
