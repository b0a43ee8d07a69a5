// Open and save of a 10,000-channel document through the data director, raw 2012-01 and universal.
//
//   bench_director [channels] [repetitions]
//
// Prints the best and the median time of each operation in milliseconds and the peak memory the operation
// added on top of what the process already held.

#include "documentfixture.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datadirector.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
// Peak resident memory in kB since the last reset (Linux); 0 where unknown.
qint64 peakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}
qint64 residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}
// Starts a new peak at the present resident size.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Result {
    double best = 0;
    double median = 0;
    qint64 peakKb = 0;
};

Result measure(int repetitions, const std::function<bool()> &operation) {
    std::vector<double> times;
    qint64 peak = 0;
    for (int i = 0; i < repetitions; ++i) {
        resetPeak();
        const qint64 base = residentKilobytes();
        QElapsedTimer timer;
        timer.start();
        if (!operation()) {
            std::fprintf(stderr, "operation failed\n");
            std::exit(1);
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        peak = std::max(peak, peakKilobytes() - base);
    }
    std::sort(times.begin(), times.end());
    return Result{times.front(), times[times.size() / 2], peak};
}

void print(const char *name, const Result &r) {
    std::printf("%-22s best %8.1f ms   median %8.1f ms   peak +%7.1f MB\n", name, r.best, r.median,
                double(r.peakKb) / 1024.0);
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int channels = argc > 1 ? std::max(100, atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    DocumentFixture::Size size;
    size.astra = 99;
    size.air = channels * 145 / 1000;
    size.cable = channels * 145 / 1000;
    size.satellite = channels - size.astra - size.air - size.cable;
    const QString raw = dir.filePath(QStringLiteral("bench.rvl"));
    const QString universal = dir.filePath(QStringLiteral("bench.ulmx"));
    {
        DataDirector unused;
        ChannelListProvider document(&unused);
        DocumentFixture::build(document, size);
        if (DocumentFixture::writeRaw(FF_RAW_2012_01, document, raw) != RC_SUCCESS ||
            DocumentFixture::writeUniversal(document, universal) != RC_SUCCESS) {
            std::fprintf(stderr, "cannot write the benchmark files\n");
            return 1;
        }
    }
    std::printf("document: %d channels (%d satellite, %d Astra HD+, %d air, %d cable); raw %lld bytes, "
                "universal %lld bytes; %d repetitions\n",
                channels, size.satellite, size.astra, size.air, size.cable, QFileInfo(raw).size(),
                QFileInfo(universal).size(), repetitions);

    DataDirector director;
    std::unique_ptr<ChannelListProvider> document;
    const auto open = [&](const QString &file) {
        return [&, file] {
            document = std::make_unique<ChannelListProvider>(&director);
            const bool ok = director.open(file, document.get(), QStringLiteral("DEU")) == RC_SUCCESS;
            director.commit();
            return ok;
        };
    };
    const auto save = [&](const QString &file, int format) {
        return [&, file, format] { return director.save(document.get(), file, format) == RC_SUCCESS; };
    };

    const Result rawOpen = measure(repetitions, open(raw));
    print("raw 2012-01 open", rawOpen);
    const Result rawSave = measure(repetitions, save(raw, FF_KEEP));
    print("raw 2012-01 save", rawSave);
    const Result universalOpen = measure(repetitions, open(universal));
    print("universal open", universalOpen);
    const Result universalSave = measure(repetitions, save(universal, FF_KEEP));
    print("universal save", universalSave);

    std::printf("raw open is %.1fx faster than universal open (goal: at least 5x)\n",
                universalOpen.median / rawOpen.median);
    std::printf("raw open %s, raw save %s the 100 ms goal\n", rawOpen.median < 100 ? "meets" : "misses",
                rawSave.median < 100 ? "meets" : "misses");
    return 0;
}
