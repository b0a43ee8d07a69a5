// Merge into a list of 10,000 channels, through the data director: the list's own universal file and a file
// whose providers the list lacks, once with 6 and once with 600 satellite providers.
//
//   bench_merge [channels] [repetitions]
//
// A third of the provider names are longer than a raw record holds. Prints the best and the median time of
// each merge in milliseconds, and how many times longer 600 providers take than 6 (goal: at most 1.2).
//
// Then a list whose bulk is nine user satellites at one position that see the same 1,000 transponders, each
// with its own 1,000 channels, merging its own universal file: once with nine names and once with one name
// for all nine, and how many times longer one name takes (goal: at most 1.1). Each prints whether the merge
// left the counts of satellite channels, user satellites and their transponders as they were.

#include "benchdocument.h"
#include "benchkit.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
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

// The raw document merged into, opened again before each run.
class MergeTarget {
public:
    explicit MergeTarget(const QString &file) : m_file(file) {}

    void reopen() {
        m_document = std::make_unique<ChannelListProvider>(&m_director);
        m_director.open(m_file, m_document.get(), QStringLiteral("DEU"));
        m_director.commit();
    }
    bool merge(const QString &file) { return m_director.merge(file, m_document.get()) == RC_SUCCESS; }
    const ChannelListProvider &document() const { return *m_document; }

private:
    QString m_file;
    DataDirector m_director; // outlives the document
    std::unique_ptr<ChannelListProvider> m_document;
};

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
    MergeTarget target(document);
    const auto reopen = [&] { target.reopen(); };
    const auto merge = [&](const QString &file) { return [&, file] { return target.merge(file); }; };
    figures.own = measure(repetitions, merge(own), reopen);
    print(providers, "its own file", figures.own);
    figures.other = measure(repetitions, merge(other), reopen);
    print(providers, "other providers' file", figures.other);
    return true;
}

// Twins: every user satellite slot taken, all at one position, each with a transponder on the same
// TWIN_TRANSPONDERS frequencies and its own channel on each.
constexpr int TWIN_TRANSPONDERS = 1000;
// Small enough that the twins' channels, numbered after the fixture's, stay within Channel::MAX_NUMBER.
constexpr int TWIN_REST_CHANNELS = 1000;

// The benchmark document of TWIN_REST_CHANNELS channels with the twins in place of its user satellite,
// named "Dish 1".."Dish 9" or all "My dish".
void buildTwins(ChannelListProvider &document, bool oneName) {
    const DocumentFixture::Size rest = benchkit::benchSize(TWIN_REST_CHANNELS);
    DocumentFixture::build(document, rest);
    // The fixture's user satellite would take a slot the twins need: it goes, with its transponders and
    // channels.
    ChannelList<SatelliteChannel> &list = *document.satelliteList();
    for (int i = list.size() - 1; i >= 0; --i) {
        if (SatelliteIds::isUser(list[i].satelliteId()))
            list.erase(i);
    }
    TransponderMap &transponders = SatelliteChannel::transponders;
    for (auto it = transponders.begin(); it != transponders.end();) {
        if (SatelliteIds::isUser(quint16(it->satelliteId)))
            it = transponders.erase(it);
        else
            ++it;
    }
    quint32 key = transponders.isEmpty() ? 0 : transponders.lastKey() + 1;
    int number = rest.satellite; // the fixture numbers its satellite channels from 1
    for (quint16 id = SatelliteIds::FIRST_USER; id <= SatelliteIds::LAST_USER; ++id) {
        const int twin = id - SatelliteIds::FIRST_USER;
        const QString name = oneName ? QStringLiteral("My dish") : QStringLiteral("Dish %1").arg(twin + 1);
        SatelliteChannel::satellites.insert(id, SatelliteInfo{name, TWIN_TRANSPONDERS, 0x0050, 2});
        for (int i = 0; i < TWIN_TRANSPONDERS; ++i, ++key) {
            Transponder tp;
            tp.satelliteId = qint16(id);
            tp.frequency = float(10700000 + 2050 * i); // kHz, up to 12,747,950
            tp.symbolRate = 27500000;
            tp.modulation = 5;
            tp.polarity = i % 2;
            tp.fec = 3;
            transponders.insert(key, tp);
            // One transport stream per frequency, the same on every twin; its id apart from the fixture's.
            list.append(SatelliteChannel(
                twin * TWIN_TRANSPONDERS + i + 1, QStringLiteral("%1 channel %2").arg(name).arg(i),
                quint16(++number), key, quint32(1 + i % 5), 1, false, false, Channel::DIGITAL, 5000 + i, 1));
        }
    }
}

// What merging a list's own file must leave as it was.
struct Counts {
    int channels = 0; // live satellite channels
    int userSatellites = 0;
    int userTransponders = 0;

    static Counts of(const ChannelListProvider &document) {
        Counts counts;
        for (const SatelliteChannel &c : *document.satelliteList())
            counts.channels += c.isDeleted() ? 0 : 1;
        for (auto it = SatelliteChannel::satellites.cbegin(); it != SatelliteChannel::satellites.cend(); ++it)
            counts.userSatellites += SatelliteIds::isUser(it.key()) ? 1 : 0;
        for (const Transponder &tp : SatelliteChannel::transponders)
            counts.userTransponders += SatelliteIds::isUser(quint16(tp.satelliteId)) ? 1 : 0;
        return counts;
    }
    bool operator==(const Counts &o) const {
        return channels == o.channels && userSatellites == o.userSatellites &&
               userTransponders == o.userTransponders;
    }
};

bool runTwins(const QTemporaryDir &dir, bool oneName, int repetitions, Result &result) {
    const char *what = oneName ? "one name" : "nine names";
    const QString document =
        dir.filePath(oneName ? QStringLiteral("twins1.rvl") : QStringLiteral("twins9.rvl"));
    const QString own = dir.filePath(oneName ? QStringLiteral("twins1.ulmx") : QStringLiteral("twins9.ulmx"));
    {
        DataDirector unused;
        ChannelListProvider built(&unused);
        buildTwins(built, oneName);
        if (DocumentFixture::writeRaw(FF_RAW_2012_01, built, document) != RC_SUCCESS ||
            DocumentFixture::writeUniversal(built, own) != RC_SUCCESS) {
            std::fprintf(stderr, "cannot write the twin files\n");
            return false;
        }
    }
    MergeTarget target(document);
    const auto reopen = [&] { target.reopen(); };
    const auto merge = [&] { return target.merge(own); };
    reopen();
    const Counts before = Counts::of(target.document());
    if (!merge()) {
        std::fprintf(stderr, "the twins' merge failed\n");
        return false;
    }
    const Counts after = Counts::of(target.document());
    std::printf(
        "twins, %-10s before a merge %d satellite channels, %d user satellites, %d user transponders; "
        "after %d, %d, %d%s\n",
        what, before.channels, before.userSatellites, before.userTransponders, after.channels,
        after.userSatellites, after.userTransponders, after == before ? "" : "  CHANGED");
    result = measure(repetitions, merge, reopen);
    std::printf("twins, %-10s its own file   best %8.1f ms   median %8.1f ms\n", what, result.best,
                result.median);
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
    Result nine, one;
    if (!runTwins(dir, false, repetitions, nine) || !runTwins(dir, true, repetitions, one))
        return 1;
    std::printf("twins, one name against nine: %.2fx (goal: at most 1.1x)\n", one.median / nine.median);
    return 0;
}
