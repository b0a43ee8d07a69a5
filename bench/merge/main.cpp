// Merge into a list of 10,000 channels, through the data director: the list's own universal file and a file
// whose providers the list lacks, once with 6 and once with 600 satellite providers.
//
//   bench_merge [channels] [repetitions]
//
// A third of the provider names are longer than a raw record holds. Prints the best and the median time of
// each merge in milliseconds, and how many times longer 600 providers take than 6 (goal: at most 1.2).

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

// The standard document with `providers` satellite providers named after prefix, every third name longer
// than a raw record, and the satellite channels spread over them.
void build(ChannelListProvider &document, int channels, int providers, const QString &prefix) {
    DocumentFixture::build(document, benchkit::benchSize(channels));
    ProviderMap &map = SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE];
    map.clear();
    for (int i = 0; i < providers; ++i) {
        QString name = QStringLiteral("%1 provider %2").arg(prefix).arg(i);
        if (i % 3 == 0)
            name = name.leftJustified(70, QLatin1Char('.'));
        map.insert(quint32(i + 1), ServiceProvider{name, 0, 0});
    }
    ChannelList<SatelliteChannel> &list = *document.satelliteList();
    for (int i = 0; i < list.size(); ++i)
        list[i].setProviderId(quint32(1 + i % providers));
}

struct Figures {
    Result own;
    Result other;
};

bool write(const QString &file, int format, int channels, int providers, const QString &prefix) {
    DataDirector unused;
    ChannelListProvider document(&unused);
    build(document, channels, providers, prefix);
    const int code = format == FF_UNIVERSAL ? DocumentFixture::writeUniversal(document, file)
                                            : DocumentFixture::writeRaw(format, document, file);
    return code == RC_SUCCESS;
}

void print(int providers, const char *what, const Result &r) {
    std::printf("%4d providers, %-22s best %8.1f ms   median %8.1f ms\n", providers, what, r.best, r.median);
}

bool run(const QTemporaryDir &dir, int channels, int providers, int repetitions, Figures &figures) {
    const QString document = dir.filePath(QStringLiteral("document.rvl"));
    const QString own = dir.filePath(QStringLiteral("own.ulmx"));
    const QString other = dir.filePath(QStringLiteral("other.ulmx"));
    if (!write(document, FF_RAW_2012_01, channels, providers, QStringLiteral("Our")) ||
        !write(own, FF_UNIVERSAL, channels, providers, QStringLiteral("Our")) ||
        !write(other, FF_UNIVERSAL, channels, providers, QStringLiteral("Their"))) {
        std::fprintf(stderr, "cannot write the benchmark files\n");
        return false;
    }
    DataDirector director;
    std::unique_ptr<ChannelListProvider> open;
    const auto reopen = [&] {
        open = std::make_unique<ChannelListProvider>(&director);
        director.open(document, open.get(), QStringLiteral("DEU"));
        director.commit();
    };
    const auto merge = [&](const QString &file) {
        return [&, file] { return director.merge(file, open.get()) == RC_SUCCESS; };
    };
    figures.own = measure(repetitions, merge(own), reopen);
    print(providers, "its own file", figures.own);
    figures.other = measure(repetitions, merge(other), reopen);
    print(providers, "other providers' file", figures.other);
    return true;
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int channels = argc > 1 ? std::max(100, atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    std::printf("document: %d channels, a third of the provider names longer than a raw record; %d "
                "repetitions\n",
                channels, repetitions);
    Figures few, many;
    if (!run(dir, channels, 6, repetitions, few) || !run(dir, channels, 600, repetitions, many))
        return 1;
    std::printf("600 providers against 6: its own file %.2fx, other providers' file %.2fx (goal: at most "
                "1.2x)\n",
                many.own.median / few.own.median, many.other.median / few.other.median);
    return 0;
}
