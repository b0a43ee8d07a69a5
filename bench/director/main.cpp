// Open and save of a 10,000-channel document through the data director, raw 2012-01 and universal.
//
//   bench_director [channels] [repetitions]
//
// Prints the best and the median time of each operation in milliseconds and the peak memory the operation
// added on top of what the process already held.

#include "benchdocument.h"
#include "benchkit.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/datadirector.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {
using benchkit::measure;
using benchkit::Result;

void print(const char *name, const Result &r) {
    std::printf("%-22s best %8.1f ms   median %8.1f ms   peak +%7.1f MB\n", name, r.best, r.median,
                double(r.addedKb) / 1024.0);
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int channels = argc > 1 ? std::max(100, atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    benchkit::BenchFiles files;
    if (!benchkit::writeBenchFiles(channels, repetitions, dir, files))
        return 1;
    const QString &raw = files.raw;
    const QString &universal = files.universal;

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
