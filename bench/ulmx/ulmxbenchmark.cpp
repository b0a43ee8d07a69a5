// Builds a large document, writes it as a universal file and reads it back with all four loaders, and times
// libxml2's xmllint on the same file in the same run, so the figures compare on one machine.
//
//   bench_ulmx [--satellite N] [--air N] [--cable N] [--astra N] [--runs N] [--keep PATH]
#include "benchkit.h"
#include "support/ulmxtestsupport.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/datafilehandler_ulmx.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Options {
    int satellite = 10000;
    int air = 2000;
    int cable = 2000;
    int astra = 200;
    int runs = 5;
    QString keep;
};

const char *const WORDS[] = {"Das",  "Erste", "ZDF",    "Sport", "News",   "Kino",   "Welt", "Musik",
                             "Kids", "Doku",  "Info",   "Plus",  "Radio",  "Bayern", "Nord", "West",
                             "Süd",  "Ost",   "Comedy", "Serie", "Travel", "Food",   "Arte", "Vox"};
constexpr int WORD_COUNT = int(sizeof WORDS / sizeof WORDS[0]);

QString channelName(int i) {
    QString name = QString::fromUtf8(WORDS[i % WORD_COUNT]);
    name += QLatin1Char(' ');
    name += QString::fromUtf8(WORDS[(i / WORD_COUNT + 7) % WORD_COUNT]);
    if (i % 3 == 0)
        name += QStringLiteral(" HD");
    if (i % 17 == 0)
        name += QStringLiteral(" & Friends");
    return name + QLatin1Char(' ') + QString::number(i % 100);
}

// A database of realistic shape: a few satellites, about fourteen services per transponder, a hundred and
// fifty providers, and the Astra HD+ providers and bouquets.
void buildDocument(const Options &options, ChannelListProvider &document) {
    SatelliteChannel::clearDatabase();
    SatelliteChannel::databaseHeader = 105;
    const int satelliteCount = 6;
    const int positions[satelliteCount] = {0x80C0, 0x8082, 0x80EB, 0x8113, 0x8050, 50};
    for (int s = 0; s < satelliteCount; ++s)
        SatelliteChannel::satellites.insert(
            quint16(s + 1), SatelliteInfo{QStringLiteral("Satellite %1").arg(s + 1), 0, positions[s], 2});
    SatelliteChannel::satellites.insert(0xFFE1,
                                        SatelliteInfo{QStringLiteral("User satellite"), 0, 0x8100, 2});
    const int transponderCount = std::max(1, (options.satellite + options.astra) / 14);
    for (int t = 0; t < transponderCount; ++t) {
        Transponder transponder;
        transponder.satelliteId = qint16(t % satelliteCount + 1);
        transponder.frequency = float(10700000 + (t * 7919) % 2050000);
        transponder.polarity = t % 2;
        transponder.symbolRate = t % 3 ? 27500000 : 22000000;
        transponder.modulation = 5;
        transponder.fec = 1 + t % 5;
        SatelliteChannel::transponders.insert(quint32(1000 + t), transponder);
        ++SatelliteChannel::satellites[transponder.satelliteId].transponderCount;
    }
    for (int p = 0; p < 150; ++p)
        SatelliteChannel::serviceProviders[3].insert(quint32(p + 1),
                                                     ServiceProvider{channelName(p * 7), 0, 0});
    for (int p = 0; p < 10; ++p)
        SatelliteChannel::serviceProviders[8].insert(quint32(p + 1),
                                                     ServiceProvider{QStringLiteral("HD+ %1").arg(p), 0, 0});
    for (int b = 0; b < 8; ++b)
        SatelliteChannel::bouquets[8].insert(quint16(b + 1),
                                             ServiceProvider{QStringLiteral("Bouquet %1").arg(b), 0, 0});

    auto *satellite = document.satelliteList();
    satellite->reserve(options.satellite);
    for (int i = 0; i < options.satellite; ++i) {
        satellite->append(SatelliteChannel(0x1000 + i, channelName(i), quint16(i % 9999 + 1),
                                           quint32(1000 + i % transponderCount), quint32(i % 150 + 1),
                                           i % 5 ? 1 : 2, i % 4 == 0, false, Channel::DIGITAL, 1, 1));
    }
    auto *astra = document.astraHDList();
    for (int i = 0; i < options.astra; ++i) {
        const quint16 bouquetIds[3] = {quint16(i % 8 + 1), quint16((i + 3) % 8 + 1), 0};
        astra->append(AstraHDChannel(0x2000 + i, channelName(i + 5) + QStringLiteral(" HD"), quint16(i + 1),
                                     quint32(1000 + i % 20), quint32(i % 10 + 1), quint16(500 + i),
                                     quint16(100 + i), 0, bouquetIds, 2, 0x19, true, false, Channel::DIGITAL,
                                     1, 1));
    }
    auto *air = document.airList();
    for (int i = 0; i < options.air; ++i) {
        const bool analogue = i % 10 == 9;
        air->append(AirChannel(analogue ? 0 : 0x3000 + i, channelName(i + 11), quint16(i % 9999 + 1),
                               analogue ? 48.25f + float(i % 60) * 7.0f : 474.0f + float(i % 40) * 8.0f,
                               analogue ? 1 : 0x16, false, false, analogue ? 1 : 0, 8, 0, 6, -1, 0));
    }
    auto *cable = document.cableList();
    for (int i = 0; i < options.cable; ++i) {
        const bool analogue = i % 10 == 9;
        cable->append(CableChannel(analogue ? 0 : 0x4000 + i, channelName(i + 23), quint16(i % 9999 + 1),
                                   analogue ? 112.25f + float(i % 60) * 7.0f : 346.0f + float(i % 50) * 8.0f,
                                   analogue ? 1 : 0x1, !analogue && i % 3 == 0, false, analogue ? 1 : 0, 6900,
                                   0, 6, analogue ? -1 : 2, -1, 0));
    }
    document.setCountry(QStringLiteral("DEU"));
}

// Best of several runs, in milliseconds.
double best(int runs, const std::function<bool()> &step) {
    double fastest = 1e300;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        if (!step())
            return -1;
        fastest = std::min(fastest, double(timer.nsecsElapsed()) / 1e6);
    }
    return fastest;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    Options options;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString &name = args[i];
        const QString &value = args[i + 1];
        if (name == QLatin1String("--satellite"))
            options.satellite = value.toInt();
        else if (name == QLatin1String("--air"))
            options.air = value.toInt();
        else if (name == QLatin1String("--cable"))
            options.cable = value.toInt();
        else if (name == QLatin1String("--astra"))
            options.astra = value.toInt();
        else if (name == QLatin1String("--runs"))
            options.runs = std::max(1, value.toInt());
        else if (name == QLatin1String("--keep"))
            options.keep = value;
    }

    QTemporaryDir dir;
    const QString path = options.keep.isEmpty() ? dir.filePath(QStringLiteral("bench.ulmx")) : options.keep;
    ChannelListProvider document(nullptr);
    buildDocument(options, document);
    const int channels = options.satellite + options.air + options.cable + options.astra;
    std::printf(
        "Document: %d satellite, %d air, %d cable, %d Astra HD+ channels (%d in all), %d transponders\n",
        options.satellite, options.air, options.cable, options.astra, channels,
        int(SatelliteChannel::transponders.size()));
    const qint64 peakBefore = benchkit::peakKilobytes();

    const double writeMs = best(options.runs, [&] {
        DataFileHandler_ulmx handler(path);
        return handler.save(document) == RC_SUCCESS;
    });
    if (writeMs < 0) {
        std::fprintf(stderr, "save failed\n");
        return 1;
    }
    const qint64 bytes = QFileInfo(path).size();
    const qint64 peakAfterWrite = benchkit::peakKilobytes();

    int loadedChannels = 0;
    const double readMs = best(options.runs, [&] {
        const UlmxLoad load = UlmxLoad::fromFile(path, QStringLiteral("DEU"));
        if (load.satelliteResult != 0 || load.cableResult != 0 || load.airResult != 0 ||
            load.astraResult != 0 || load.countryResult != 0)
            return false;
        loadedChannels = load.satellite.size() + load.cable.size() + load.air.size() + load.astra.size();
        return true;
    });
    if (readMs < 0) {
        std::fprintf(stderr, "load failed\n");
        return 1;
    }
    const qint64 peakAfterRead = benchkit::peakKilobytes();

    std::printf("File: %.2f MiB\n", double(bytes) / (1024.0 * 1024.0));
    std::printf("Write: %8.2f ms  %10.0f channels/s\n", writeMs, channels / (writeMs / 1000.0));
    std::printf("Read:  %8.2f ms  %10.0f channels/s  (all four loaders, %d channels back)\n", readMs,
                loadedChannels / (readMs / 1000.0), loadedChannels);
    std::printf("Peak memory: %.1f MiB after building, %.1f MiB after writing, %.1f MiB after reading\n",
                peakBefore / 1024.0, peakAfterWrite / 1024.0, peakAfterRead / 1024.0);

    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty()) {
        std::printf("xmllint not found: no comparison (install libxml2-utils)\n");
        return 0;
    }
    const double lintMs = best(options.runs, [&] {
        QProcess process;
        process.start(xmllint, {QStringLiteral("--noout"), path});
        return process.waitForFinished(-1) && process.exitCode() == 0;
    });
    if (lintMs < 0) {
        std::fprintf(stderr, "xmllint rejected the document\n");
        return 1;
    }
    // The cost of starting xmllint at all, from a document with nothing in it.
    const QString tiny = dir.filePath(QStringLiteral("tiny.xml"));
    {
        QFile file(tiny);
        if (file.open(QIODevice::WriteOnly))
            file.write("<ULM/>\n");
    }
    const double startMs = best(options.runs, [&] {
        QProcess process;
        process.start(xmllint, {QStringLiteral("--noout"), tiny});
        return process.waitForFinished(-1) && process.exitCode() == 0;
    });
    const double ratio = readMs / lintMs;
    std::printf("xmllint --noout: %8.2f ms (process start included; an empty document takes %.2f ms)\n",
                lintMs, startMs);
    std::printf("Read / xmllint: %.2f (goal: at most 6) %s\n", ratio, ratio <= 6.0 ? "met" : "NOT MET");
    std::printf("Write faster than read: %s\n", writeMs < readMs ? "yes" : "NO");
    return 0;
}
