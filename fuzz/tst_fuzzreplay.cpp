// Replays the fuzz harnesses on their seed corpus and on every input that once made a reader fail: the
// regression tests of the faults the fuzzers found. A broken invariant aborts the test.
// REPLAY_TARGETS (set by CMake) names the corpora this executable replays, separated by ",".

#include "fuzz/harnesses.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>

namespace {
using Harness = std::function<int(const uint8_t *, size_t)>;

Harness harnessOf(const QString &target) {
    if (target == QLatin1String("raw_members"))
        return fuzzRawMembers;
    if (target == QLatin1String("raw_probe"))
        return fuzzRawProbe;
    if (target == QLatin1String("zip_extract"))
        return fuzzZipExtract;
    if (target == QLatin1String("ulmx_reader"))
        return fuzzUlmxReader;
    if (target == QLatin1String("director_open"))
        return fuzzDirectorOpen;
    return nullptr;
}
} // namespace

class FuzzReplay : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

void FuzzReplay::replay_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    const QDir base(QStringLiteral(FUZZ_DIR));
    const QStringList targets = QStringLiteral(REPLAY_TARGETS).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &target : targets) {
        int inputs = 0;
        for (const char *kind : {"corpus", "regressions"}) {
            const QDir dir(base.filePath(QString::fromLatin1(kind) + QLatin1Char('/') + target));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                const QString tag =
                    target + QLatin1Char('/') + QString::fromLatin1(kind) + QLatin1Char('/') + name;
                QTest::newRow(qPrintable(tag)) << target << dir.filePath(name);
                ++inputs;
            }
        }
        // A target without seeds would replay nothing and pass without testing anything.
        if (inputs == 0)
            qFatal("no seeds for the fuzz target %s", qPrintable(target));
    }
}

void FuzzReplay::replay() {
    QFETCH(QString, target);
    QFETCH(QString, path);
    const Harness harness = harnessOf(target);
    QVERIFY2(harness, qPrintable(target));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(harness(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())), 0);
}

QTEST_GUILESS_MAIN(FuzzReplay)
#include "tst_fuzzreplay.moc"
