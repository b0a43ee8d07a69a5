#include "core/satellitechannel.h"
#include "datafilehandlers/channelmerger.h"

#include <QtTest>

// The merger folds a file's lists and database into the document's. The destination maps are the
// process-wide ones, as in the director, because channel comparisons read satellite data from there.
namespace {
SatelliteInfo satellite(const QString &name) {
    SatelliteInfo info;
    info.name = name;
    info.kind = 2;
    return info;
}
Transponder transponder(quint16 satellite, float kHz, qint32 symbolRate = 27500000, int polarity = 0) {
    Transponder tp;
    tp.satelliteId = qint16(satellite);
    tp.frequency = kHz;
    tp.symbolRate = symbolRate;
    tp.polarity = polarity;
    tp.modulation = 5;
    return tp;
}
SatelliteChannel satChannel(int serviceId, quint32 transponderId, quint32 providerId = NO_ID,
                            const QString &name = QStringLiteral("S")) {
    return SatelliteChannel(serviceId, name, quint16(serviceId % 1000), transponderId, providerId, 1, false,
                            false, Channel::DIGITAL, 1, 1);
}
AstraHDChannel astraChannel(int serviceId, quint32 transponderId) {
    const quint16 bouquets[] = {7};
    return AstraHDChannel(serviceId, QStringLiteral("HD"), quint16(serviceId % 100), transponderId, 1, 0, 0,
                          0, bouquets, 1, 1, false, false, Channel::DIGITAL, 1, 1);
}
CableChannel cable(int serviceId, float mhz, int kind = Channel::DIGITAL) {
    return CableChannel(serviceId, QStringLiteral("C%1").arg(serviceId), quint16(serviceId), mhz, 1, false,
                        false, kind, 6900, 0, 6, 1, 1, 1);
}
AirChannel air(int serviceId, float mhz, int kind = Channel::DIGITAL) {
    return AirChannel(serviceId, QStringLiteral("A%1").arg(serviceId), quint16(serviceId), mhz, 1, false,
                      false, kind, 8, 0, 6, 1, 1);
}
QList<quint16> keysOf(const SatelliteMap &map) {
    return map.keys();
}

// A user satellite: its name, its transponders (MHz) and the service ids of the channels on the first of
// them, one each.
struct Dish {
    QString name;
    QList<float> mhz;
    QList<int> services;
    qint32 symbolRate = 27500000;
    int polarity = 0;
};
using Dishes = QMap<quint16, Dish>;
using Pairs = QMap<quint16, quint16>;

// The source side of one merge.
struct Source {
    ChannelList<SatelliteChannel> channels;
    SatelliteMap satellites;
    TransponderMap transponders;
    CategoryProviderMap providers;
};
} // namespace

Q_DECLARE_METATYPE(Dish)

class TestChannelMerger : public QObject {
    Q_OBJECT

    ChannelList<SatelliteChannel> m_destination;
    ChannelMerger m_merger;

    bool mergeInto(Source &source, int sourceVersion, int destinationVersion) {
        return m_merger.mergeSatelliteData(source.channels, source.satellites, source.transponders,
                                           source.providers, m_destination, SatelliteChannel::satellites,
                                           SatelliteChannel::transponders, SatelliteChannel::serviceProviders,
                                           sourceVersion, destinationVersion, true);
    }

private slots:
    void init() {
        SatelliteChannel::clearDatabase();
        m_destination.clear();
    }
    void cleanup() { SatelliteChannel::clearDatabase(); }

    void smallestFreeKey() {
        QMap<quint32, int> map;
        QCOMPARE(ChannelMerger::smallestFreeKey(map), 0u);
        map = {{1, 0}, {2, 0}};
        QCOMPARE(ChannelMerger::smallestFreeKey(map), 0u);
        map = {{0, 0}, {1, 0}, {2, 0}, {5, 0}};
        QCOMPARE(ChannelMerger::smallestFreeKey(map), 3u);
        map = {{0, 0}, {1, 0}};
        QCOMPARE(ChannelMerger::smallestFreeKey(map), 2u);
    }

    void newTranspondersFillTheGapsOfTheKeys() {
        SatelliteChannel::satellites.insert(1, satellite("Astra"));
        for (quint32 key : {0u, 1u, 2u, 5u})
            SatelliteChannel::transponders.insert(key, transponder(1, 10000000.0f + 100000.0f * key));
        Source source;
        source.transponders.insert(10, transponder(1, 12000000.0f));
        source.transponders.insert(11, transponder(1, 12100000.0f));
        source.transponders.insert(12, transponder(1, 12200000.0f));
        QVERIFY(mergeInto(source, 0, 0));
        QCOMPARE(SatelliteChannel::transponders.keys(), QList<quint32>({0, 1, 2, 3, 4, 5, 6}));
        QCOMPARE(SatelliteChannel::transponders.value(3).frequency, 12000000.0f);
        QCOMPARE(SatelliteChannel::transponders.value(4).frequency, 12100000.0f);
        QCOMPARE(SatelliteChannel::transponders.value(6).frequency, 12200000.0f);
    }

    void transpondersWithinToleranceCollapse() {
        Source source;
        source.satellites.insert(1, satellite("Astra"));
        source.transponders.insert(20, transponder(1, 11494000.0f));
        source.transponders.insert(21, transponder(1, 11494999.0f, 27500099)); // within 999 kHz and 99 S/s
        source.channels.append(satChannel(100, 20));
        source.channels.append(satChannel(200, 21));
        QVERIFY(mergeInto(source, 0, 0));
        QCOMPARE(SatelliteChannel::transponders.size(), 1);
        QCOMPARE(SatelliteChannel::transponders.firstKey(), 0u);
        QCOMPARE(m_destination.size(), 2);
        QCOMPARE(m_destination[0].transponderId(), 0u);
        QCOMPARE(m_destination[1].transponderId(), 0u);
    }

    void transponderTolerances_data() {
        QTest::addColumn<float>("kHz");
        QTest::addColumn<qint32>("symbolRate");
        QTest::addColumn<int>("polarity");
        QTest::addColumn<bool>("matches");
        QTest::newRow("999 kHz, 99 S/s") << 11494999.0f << 27500099 << 0 << true;
        QTest::newRow("1000 kHz") << 11495000.0f << 27500000 << 0 << false;
        QTest::newRow("100 S/s") << 11494000.0f << 27500100 << 0 << false;
        QTest::newRow("polarity") << 11494000.0f << 27500000 << 1 << false;
    }
    void transponderTolerances() {
        QFETCH(float, kHz);
        QFETCH(qint32, symbolRate);
        QFETCH(int, polarity);
        QFETCH(bool, matches);
        TransponderMap destination;
        destination.insert(7, transponder(1, 11494000.0f));
        Transponder probe = transponder(1, kHz, symbolRate, polarity);
        probe.modulation = 14; // modulation and FEC never count
        probe.fec = 3;
        quint32 key = 99;
        QCOMPARE(m_merger.findMatchingTransponder(destination, probe, key) != nullptr, matches);
        QCOMPARE(key, matches ? 7u : 99u);
        // Another satellite never matches.
        QVERIFY(!m_merger.findMatchingTransponder(destination, transponder(2, 11494000.0f), key));
    }

    void knownStandardSatelliteStaysAsTheDocumentHasIt() {
        SatelliteChannel::satellites.insert(0x00C0, satellite("Astra 19.2E"));
        Source source;
        source.satellites.insert(0x00C0, satellite("Renamed"));
        source.satellites.insert(0x0082, satellite("Hotbird"));
        QVERIFY(mergeInto(source, 100, 0));
        QCOMPARE(SatelliteChannel::satellites.value(0x00C0).name, QStringLiteral("Astra 19.2E"));
        QCOMPARE(SatelliteChannel::satellites.value(0x0082).name, QStringLiteral("Hotbird"));
    }

    void userSatellitesMoveToFreeSlotsWithTheirTransponders() {
        SatelliteChannel::satellites.insert(0xFFE1, satellite("Doc 1"));
        SatelliteChannel::satellites.insert(0xFFE2, satellite("Doc 2"));
        SatelliteChannel::transponders.insert(0, transponder(0xFFE1, 10700000.0f));
        SatelliteChannel::transponders.insert(1, transponder(0xFFE2, 10700000.0f));
        Source source;
        source.satellites.insert(0xFFE2, satellite("File 2"));
        source.satellites.insert(0xFFE3, satellite("File 3"));
        source.transponders.insert(1, transponder(0xFFE2, 10700000.0f));
        source.transponders.insert(2, transponder(0xFFE3, 10700000.0f));
        source.channels.append(satChannel(500, 1));
        source.channels.append(satChannel(600, 2));

        QVERIFY(mergeInto(source, 100, 100)); // equal versions: the file gives way, but everything fits
        QCOMPARE(keysOf(SatelliteChannel::satellites), QList<quint16>({0xFFE1, 0xFFE2, 0xFFE3, 0xFFE4}));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE3).name, QStringLiteral("File 2"));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE4).name, QStringLiteral("File 3"));
        // Each transponder moved one step only and became a new destination transponder.
        QCOMPARE(SatelliteChannel::transponders.size(), 4);
        QCOMPARE(quint16(SatelliteChannel::transponders.value(2).satelliteId), quint16(0xFFE3));
        QCOMPARE(quint16(SatelliteChannel::transponders.value(3).satelliteId), quint16(0xFFE4));
        QCOMPARE(m_destination.size(), 2);
        QCOMPARE(m_destination[0].satelliteName(), QStringLiteral("File 2"));
        QCOMPARE(m_destination[1].satelliteName(), QStringLiteral("File 3"));
    }

    void newerFileTakesTheUserSlotsFromTheDocument() {
        for (quint16 id = 0xFFE1; id <= 0xFFE7; ++id) {
            SatelliteChannel::satellites.insert(id, satellite(QStringLiteral("Doc %1").arg(id, 0, 16)));
            SatelliteChannel::transponders.insert(id - 0xFFE1, transponder(id, 10700000.0f));
            m_destination.append(satChannel(id - 0xFFE1 + 1, id - 0xFFE1));
        }
        Source source;
        for (quint16 id = 0xFFE1; id <= 0xFFE3; ++id) {
            source.satellites.insert(id, satellite(QStringLiteral("File %1").arg(id, 0, 16)));
            source.transponders.insert(100 + id - 0xFFE1, transponder(id, 11000000.0f));
        }

        QVERIFY(!mergeInto(source, 200, 100));
        // The document lost 0xFFE1 with its transponder and channel.
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE1).name, QStringLiteral("File ffe1"));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE8).name, QStringLiteral("File ffe2"));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE9).name, QStringLiteral("File ffe3"));
        QVERIFY(!SatelliteChannel::transponders.contains(0) ||
                SatelliteChannel::transponders.value(0).frequency == 11000000.0f);
        for (const SatelliteChannel &channel : m_destination)
            QVERIFY(channel.serviceId() != 1);
        QCOMPARE(m_destination.size(), 6);
    }

    void olderFileGivesUpItsLowestUserSatellites() {
        for (quint16 id = 0xFFE1; id <= 0xFFE8; ++id)
            SatelliteChannel::satellites.insert(id, satellite(QStringLiteral("Doc")));
        Source source;
        for (quint16 id = 0xFFE1; id <= 0xFFE3; ++id) {
            source.satellites.insert(id, satellite(QStringLiteral("File %1").arg(id, 0, 16)));
            source.transponders.insert(id - 0xFFE1, transponder(id, 11000000.0f));
            source.channels.append(satChannel(id - 0xFFE1 + 1, id - 0xFFE1));
        }

        QVERIFY(!mergeInto(source, 100, 100));
        QCOMPARE(SatelliteChannel::satellites.size(), 9);
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE9).name, QStringLiteral("File ffe3"));
        // Only the channel of the satellite that found a slot came across, on its moved transponder.
        QCOMPARE(m_destination.size(), 1);
        QCOMPARE(m_destination[0].serviceId(), 3);
        QCOMPARE(m_destination[0].satelliteId(), quint16(0xFFE9));
    }

    void surplusIdsAreTheLosersLowest() {
        SatelliteMap keeper;
        for (quint16 id = 0xFFE1; id <= 0xFFE7; ++id)
            keeper.insert(id, satellite("K"));
        SatelliteMap loser;
        for (quint16 id : {0xFFE1, 0xFFE3, 0xFFE5, 0xFFE8})
            loser.insert(id, satellite("L"));
        QList<quint16> ids;
        m_merger.surplusUserSatelliteIds(keeper, loser, ids);
        QCOMPARE(ids, QList<quint16>({0xFFE1, 0xFFE3}));
    }

    void userSatelliteWithoutFreeIdIsNotPlaced() {
        SatelliteMap destination;
        for (quint16 id = 0xFFE1; id <= 0xFFE9; ++id)
            destination.insert(id, satellite("Doc"));
        SatelliteMap source;
        source.insert(0xFFE4, satellite("File"));
        ChannelMerger::RenumberingMap renumbering;
        m_merger.MergeSatellites(source, destination, renumbering);
        QVERIFY(renumbering.isEmpty());
        QCOMPARE(destination.value(0xFFE4).name, QStringLiteral("Doc"));
    }

    void channelFoundAgainLosesItsDeletedMark() {
        SatelliteChannel::satellites.insert(1, satellite("Astra"));
        SatelliteChannel::transponders.insert(0, transponder(1, 11494000.0f));
        m_destination.append(satChannel(100, 0)).setDeleted(true);
        Source source;
        source.satellites.insert(1, satellite("ASTRA")); // names compare without case
        source.transponders.insert(9, transponder(1, 11494500.0f));
        source.channels.append(satChannel(100, 9));
        QVERIFY(mergeInto(source, 0, 0));
        QCOMPARE(m_destination.size(), 1);
        QVERIFY(!m_destination[0].isDeleted());
    }

    void deletedTwinStaysDeleted_data() {
        QTest::addColumn<quint32>("documentTransponder");
        QTest::addColumn<quint32>("fileTransponder");
        QTest::newRow("on a transponder") << 0u << 9u;
        // Neither side knows the transponder: service id and name tell the channel.
        QTest::newRow("without a transponder") << 99u << 50u;
    }
    void deletedTwinStaysDeleted() {
        // The document holds the service twice, the first copy deleted; the file holds it once.
        QFETCH(quint32, documentTransponder);
        QFETCH(quint32, fileTransponder);
        SatelliteChannel::satellites.insert(1, satellite("Astra"));
        SatelliteChannel::transponders.insert(0, transponder(1, 11494000.0f));
        m_destination.append(satChannel(100, documentTransponder)).setDeleted(true);
        m_destination.append(satChannel(100, documentTransponder));
        Source source;
        source.satellites.insert(1, satellite("Astra"));
        source.transponders.insert(9, transponder(1, 11494000.0f));
        source.channels.append(satChannel(100, fileTransponder));
        QVERIFY(mergeInto(source, 0, 0));
        QCOMPARE(m_destination.size(), 2);
        QVERIFY(m_destination[0].isDeleted());
        QVERIFY(!m_destination[1].isDeleted());
    }

    void satelliteServicesWithinNineHundredNinetyNineMHzAreTheSame() {
        SatelliteChannel::satellites.insert(1, satellite("Astra"));
        SatelliteChannel::transponders.insert(0, transponder(1, 11000000.0f));
        m_destination.append(satChannel(100, 0));
        Source source;
        source.satellites.insert(1, satellite("Astra"));
        source.transponders.insert(1, transponder(1, 11700000.0f)); // 700 MHz away: the same service
        source.transponders.insert(2, transponder(1, 12000000.0f)); // 1000 MHz away: another one
        source.channels.append(satChannel(100, 1));
        source.channels.append(satChannel(100, 2));
        QVERIFY(mergeInto(source, 0, 0));
        QCOMPARE(m_destination.size(), 2);
        QCOMPARE(m_destination[1].frequency(), 12000.0f);
    }

    void providersMatchByNameAndUnknownOnesAreDropped() {
        SatelliteChannel::satellites.insert(1, satellite("Astra"));
        SatelliteChannel::transponders.insert(0, transponder(1, 11000000.0f));
        SatelliteChannel::serviceProviders[3].insert(0, ServiceProvider{QString(), 0, 0});
        SatelliteChannel::serviceProviders[3].insert(4, ServiceProvider{QStringLiteral("ARD"), 0, 0});
        SatelliteChannel::serviceProviders[3].insert(6, ServiceProvider{QStringLiteral("Ard"), 0, 0});
        Source source;
        source.satellites.insert(1, satellite("Astra"));
        source.transponders.insert(0, transponder(1, 11000000.0f));
        source.providers[3].insert(1, ServiceProvider{QStringLiteral("ard"), 0, 0});
        source.providers[3].insert(2, ServiceProvider{QStringLiteral("ZDF"), 0, 0});
        source.providers[3].insert(3, ServiceProvider{QStringLiteral("zdf"), 0, 0}); // as the merge added it
        source.channels.append(satChannel(1, 0, 1));
        source.channels.append(satChannel(2, 0, 2));
        source.channels.append(satChannel(3, 0, NO_ID)); // no provider
        source.channels.append(satChannel(4, 0, 77));    // a link to a provider the file does not define
        source.channels.append(satChannel(5, 0, 3));
        QVERIFY(mergeInto(source, 0, 0));
        const ProviderMap &providers = SatelliteChannel::serviceProviders[3];
        QCOMPARE(providers.size(), 4);
        QCOMPARE(providers.value(1).name, QStringLiteral("ZDF")); // the smallest free key
        QCOMPARE(m_destination.size(), 5);
        QCOMPARE(m_destination[0].providerId(), 4u); // the lower key of one name
        QCOMPARE(m_destination[1].providerId(), 1u);
        QCOMPARE(m_destination[4].providerId(), 1u);
        // Neither of these is attached to the document's nameless provider 0, nor to whatever provider the
        // document may hold under the dangling id.
        QCOMPARE(m_destination[2].providerId(), NO_ID);
        QCOMPARE(m_destination[3].providerId(), NO_ID);
    }

    void danglingTransponderLinksGetNoTransponder() {
        // The document's transponder 5 is unrelated to anything in the file, which does not define id 5.
        SatelliteChannel::satellites.insert(1, satellite("Astra"));
        SatelliteChannel::transponders.insert(5, transponder(1, 11000000.0f));
        Source source;
        source.satellites.insert(1, satellite("Astra"));
        source.transponders.insert(0, transponder(1, 12000000.0f));
        source.channels.append(satChannel(1, 0));
        source.channels.append(satChannel(2, 5));
        QVERIFY(mergeInto(source, 0, 0));
        QCOMPARE(m_destination.size(), 2);
        QCOMPARE(m_destination[0].transponderId(), 0u);
        QCOMPARE(m_destination[1].transponderId(), NO_ID);

        ChannelList<AstraHDChannel> file;
        file.append(astraChannel(61, 5));
        ChannelList<AstraHDChannel> destination;
        m_merger.mergeAstraHDChannels(source.transponders, file, SatelliteChannel::transponders, destination);
        QCOMPARE(destination.size(), 1);
        QCOMPARE(destination[0].transponderId(), NO_ID);
    }

    void fileChannelsWithoutTransponderStayApart() {
        // The document's channel 7 is on a transponder the database lacks; the file's three channels 7 link
        // to transponders the file does not define. Only service ids and names are left to compare.
        SatelliteChannel::satellites.insert(1, satellite("Astra"));
        m_destination.append(satChannel(7, 99, NO_ID, QStringLiteral("Feed")));
        Source source;
        source.satellites.insert(1, satellite("Astra"));
        source.transponders.insert(0, transponder(1, 12000000.0f));
        source.channels.append(satChannel(7, 50, NO_ID, QStringLiteral("Other")));
        source.channels.append(satChannel(7, 51, NO_ID, QStringLiteral("Feed")));
        source.channels.append(satChannel(7, 52, NO_ID, QStringLiteral("Feed")));
        QVERIFY(mergeInto(source, 0, 0));
        // Another name is another channel; the first "Feed" is found again in the document's channel, which
        // stands for one file channel only.
        QCOMPARE(m_destination.size(), 3);
        QCOMPARE(m_destination[1].name(), QStringLiteral("Other"));
        QCOMPARE(m_destination[2].name(), QStringLiteral("Feed"));

        ChannelList<AstraHDChannel> file;
        file.append(astraChannel(61, 50));
        file.append(astraChannel(61, 51));
        ChannelList<AstraHDChannel> destination;
        m_merger.mergeAstraHDChannels(source.transponders, file, SatelliteChannel::transponders, destination);
        QCOMPARE(destination.size(), 2);
    }

    // Names of 66 units whose first 64 are the same are two whole names, neither one a raw record's cut of
    // the other: a file's user satellite, provider and channel without a transponder each find their own
    // twin, before a name that matches only once cut. The document's first channel is deleted.
    void twinNamesFindTheirOwn_data() {
        QTest::addColumn<QStringList>("document");
        QTest::addColumn<QStringList>("file");
        const auto names = [](const QString &ends) {
            QStringList whole;
            for (const QString &end : ends.split(' '))
                whole.append(QString(64, QLatin1Char('N')) + end);
            return whole;
        };
        QTest::newRow("in its twin's slot") << names("-a -b") << names("-b");
        QTest::newRow("in swapped slots") << names("-a -b") << names("-b -a");
        QTest::newRow("new one before its twin") << names("-a") << names("-b -a");
        QTest::newRow("beside a name that fits") << names(" -a") << names("-a");
        QTest::newRow("deleted, beside a name that fits") << names("-a ") << names("-a");
        QTest::newRow("the deleted twin") << names("-e -w") << names("-e");
        QTest::newRow("no twin") << names("-a") << names("-b");
        // User satellites and providers ignore case, channels do not.
        QTest::newRow("in another case") << names("-a") << names("-A");
    }
    void twinNamesFindTheirOwn() {
        QFETCH(QStringList, document);
        QFETCH(QStringList, file);
        SatelliteMap documentSatellites, fileSatellites;
        ProviderMap providers;
        for (int i = 0; i < document.size(); ++i) {
            documentSatellites.insert(0xFFE1 + i, satellite(document[i]));
            providers.insert(i, ServiceProvider{document[i], 0, 0});
            m_destination.append(satChannel(7, 99, NO_ID, document[i])).setDeleted(i == 0);
        }
        ChannelList<SatelliteChannel> fileChannels;
        for (int i = 0; i < file.size(); ++i) {
            fileSatellites.insert(0xFFE1 + i, satellite(file[i]));
            fileChannels.append(satChannel(7, 99, NO_ID, file[i]));
        }
        const auto same = m_merger.sameUserSatellites(fileSatellites, {}, {}, documentSatellites, {}, {});
        for (int i = 0; i < file.size(); ++i) {
            int twin = -1;
            for (int j = document.size() - 1; j >= 0; --j)
                twin = document[j].compare(file[i], Qt::CaseInsensitive) ? twin : j;
            QCOMPARE(int(same.value(0xFFE1 + i)), twin < 0 ? 0 : 0xFFE1 + twin);
            quint32 key = 0;
            QCOMPARE(m_merger.findProviderByName(ProviderNameIndex(providers), {file[i], 0, 0}, key)
                         ? int(key)
                         : -1,
                     twin);
        }
        m_merger.mergeSatelliteChannels(fileChannels, {}, {}, m_destination, {}, {}, {}, true);
        QCOMPARE(m_destination[0].isDeleted(), !file.contains(document[0]));
    }

    // Beside the document's own user satellite, some that one name finds at one position: the file's pair
    // with them as given, and the file merged a second time changes nothing.
    void twinSatellitesPairByTheTranspondersTheyShare_data() {
        QTest::addColumn<Dishes>("document");
        QTest::addColumn<Dishes>("file");
        QTest::addColumn<Pairs>("pairs");
        const QString dish("My dish"), p(64, 'P'), a = p + "-alpha";
        const Dishes two{{0xFFE2, {dish, {11600}, {1}}}, {0xFFE3, {dish, {11700}, {2}}}};
        QTest::newRow("the file again") << two << Dishes{{0xFFE1, two[0xFFE2]}, {0xFFE2, two[0xFFE3]}}
                                        << Pairs{{0xFFE1, 0xFFE2}, {0xFFE2, 0xFFE3}};
        QTest::newRow("the first under its twin's id")
            << two << Dishes{{0xFFE3, two[0xFFE2]}} << Pairs{{0xFFE3, 0xFFE2}};
        QTest::newRow("the second under its twin's id")
            << two << Dishes{{0xFFE2, two[0xFFE3]}} << Pairs{{0xFFE2, 0xFFE3}};
        // Twins see the same transponders: the services on them tell them apart.
        const Dishes pBesideA{{0xFFE2, {p, {11100, 11200, 11300}, {1, 2, 3}}}, {0xFFE3, {a, {11100}, {4}}}};
        QTest::newRow("a channel where the twin has fewer")
            << pBesideA << Dishes{{0xFFE1, {p, {11100}, {1}}}} << Pairs{{0xFFE1, 0xFFE2}};
        QTest::newRow("a channel where the twin has a new symbol rate")
            << pBesideA << Dishes{{0xFFE1, {p, {11100}, {1}, 30000000}}} << Pairs{{0xFFE1, 0xFFE2}};
        QTest::newRow("a channel where the twin has both")
            << Dishes{{0xFFE2, pBesideA[0xFFE2]}, {0xFFE3, {a, {11100, 11400}, {4}}}}
            << Dishes{{0xFFE1, {p, {11100, 11400}, {1}}}} << Pairs{{0xFFE1, 0xFFE2}};
        // Sharing nothing, how many transponders a twin holds says nothing.
        const Dishes threeAndOne{{0xFFE2, {dish, {11100, 11200, 11300}, {}}}, {0xFFE3, {dish, {11400}, {}}}};
        QTest::newRow("sharing nothing, its own id")
            << threeAndOne << Dishes{{0xFFE2, {dish, {11500}, {}}}} << Pairs{{0xFFE2, 0xFFE2}};
        QTest::newRow("sharing nothing, its whole name")
            << Dishes{{0xFFE2, {a, {11100}, {}}}, {0xFFE3, {p, {11200, 11300}, {}}}}
            << Dishes{{0xFFE1, {p, {11500}, {}}}} << Pairs{{0xFFE1, 0xFFE3}};
        QTest::newRow("three twins of a file, two on one frequency")
            << Dishes{{0xFFE2, {dish, {11100, 11300}, {1}}}, {0xFFE3, {dish, {11100, 11200}, {2}}}}
            << Dishes{{0xFFE1, {dish, {11100}, {3}}},
                      {0xFFE2, {dish, {11300}, {4}}},
                      {0xFFE3, {dish, {11300}, {5}}}}
            << Pairs{{0xFFE1, 0xFFE3}, {0xFFE2, 0xFFE2}};
        // Transponders alone.
        QTest::newRow("500 kHz off, a polarity read back")
            << Dishes{{0xFFE2, {dish, {11600}, {}, 27500000, 3}}, {0xFFE3, {dish, {11700}, {}, 27500000, 3}}}
            << Dishes{{0xFFE1, {dish, {11699.5}, {}, 27500000, 2}}} << Pairs{{0xFFE1, 0xFFE3}};
        QTest::newRow("two matching one")
            << Dishes{{0xFFE2, {dish, {11600}, {}}}, {0xFFE3, {dish, {11700, 11800}, {}}}}
            << Dishes{{0xFFE1, {dish, {11600, 11600.4f, 11700, 11800}, {}}}} << Pairs{{0xFFE1, 0xFFE3}};
        QTest::newRow("the same transponders, the same id")
            << Dishes{{0xFFE2, {dish, {11600}, {}}}, {0xFFE3, {dish, {11600}, {}}}}
            << Dishes{{0xFFE3, {dish, {11600}, {}}}} << Pairs{{0xFFE3, 0xFFE3}};
        QTest::newRow("fewer left over")
            << Dishes{{0xFFE2, {dish, {11600, 11700}, {}}}, {0xFFE3, {dish, {11600}, {}}}}
            << Dishes{{0xFFE2, {dish, {11600}, {}}}} << Pairs{{0xFFE2, 0xFFE3}};
        QTest::newRow("one order over all pairs")
            << Dishes{{0xFFE2, {dish, {11600, 11700}, {}}}, {0xFFE3, {dish, {11600, 11800}, {}}}}
            << Dishes{{0xFFE1, {dish, {11600}, {}}}, {0xFFE2, {dish, {11600, 11700}, {}}}}
            << Pairs{{0xFFE1, 0xFFE3}, {0xFFE2, 0xFFE2}};
    }
    void twinSatellitesPairByTheTranspondersTheyShare() {
        QFETCH(Dishes, document);
        QFETCH(Dishes, file);
        QFETCH(Pairs, pairs);
        SatelliteChannel::satellites.insert(0xFFE1, satellite("Home"));
        const auto add = [](const Dishes &dishes, SatelliteMap &satellites, TransponderMap &transponders,
                            ChannelList<SatelliteChannel> &channels) {
            for (auto it = dishes.cbegin(); it != dishes.cend(); ++it) {
                satellites.insert(it.key(), satellite(it->name));
                for (int i = 0; i < it->mhz.size(); ++i) {
                    const quint32 key = it.key() % 16 * 100 + i;
                    transponders.insert(
                        key, transponder(it.key(), it->mhz[i] * 1000, it->symbolRate, it->polarity));
                    if (i < it->services.size())
                        channels.append(satChannel(it->services[i], key));
                }
            }
        };
        add(document, SatelliteChannel::satellites, SatelliteChannel::transponders, m_destination);
        Source source;
        add(file, source.satellites, source.transponders, source.channels);
        QCOMPARE(m_merger.sameUserSatellites(source.satellites, source.transponders, source.channels,
                                             SatelliteChannel::satellites, SatelliteChannel::transponders,
                                             m_destination),
                 pairs);
        Source again = source;
        QVERIFY(mergeInto(source, 0, 0));
        const SatelliteMap satellites = SatelliteChannel::satellites;
        const TransponderMap transponders = SatelliteChannel::transponders;
        const ChannelList<SatelliteChannel> channels = m_destination;
        QVERIFY(mergeInto(again, 0, 0));
        QCOMPARE(SatelliteChannel::satellites, satellites);
        QCOMPARE(SatelliteChannel::transponders, transponders);
        QVERIFY(m_destination == channels);
    }

    void cableListIsReplacedInFileOrder() {
        ChannelList<CableChannel> destination;
        for (int i = 0; i < 50; ++i)
            destination.append(cable(1000 + i, 100.0f + 8 * i));
        ChannelList<CableChannel> source;
        for (int i = 0; i < 10; ++i)
            source.append(cable(10 - i, 474.0f + 8 * i));
        m_merger.mergeCableChannels(source, destination);
        QCOMPARE(destination, source);
    }

    void equalTerrestrialChannelsCollapse() {
        ChannelList<CableChannel> source;
        source.append(cable(5, 306.0f));
        source.append(cable(5, 314.9f)); // same service within 9 MHz: dropped
        source.append(cable(6, 306.0f));
        source.append(cable(6, 316.0f)); // 10 MHz away: kept
        ChannelList<CableChannel> destination;
        m_merger.mergeCableChannels(source, destination);
        QCOMPARE(destination.size(), 3);
        QCOMPARE(destination[2].frequency(), 316.0f);

        // Analogue: 1 MHz apart is the same channel whatever the service id; a neighbouring channel is not.
        ChannelList<AirChannel> analogue;
        analogue.append(air(1, 471.25f, Channel::ANALOGUE));
        analogue.append(air(2, 472.25f, Channel::ANALOGUE));
        analogue.append(air(3, 479.25f, Channel::ANALOGUE));
        ChannelList<AirChannel> airDestination;
        airDestination.append(air(99, 600.0f));
        m_merger.mergeAirChannels(analogue, airDestination);
        QCOMPARE(airDestination.size(), 2);
        QCOMPARE(airDestination[0].serviceId(), 1);
        QCOMPARE(airDestination[1].serviceId(), 3);
    }

    void astraChannelsAreComparedOnTheirMappedTransponder() {
        // The document's transponder 0 is the file's transponder 3; the file's id 0 is another transponder.
        SatelliteChannel::satellites.insert(0x00C0, satellite("Astra"));
        SatelliteChannel::transponders.insert(0, transponder(0x00C0, 11362000.0f, 22000000, 0));
        SatelliteChannel::transponders.insert(1, transponder(0x00C0, 12480000.0f, 27500000, 1));
        TransponderMap source;
        source.insert(0, transponder(0x00C0, 12480000.0f, 27500000, 1));
        source.insert(3, transponder(0x00C0, 11362000.0f, 22000000, 0));
        ChannelList<AstraHDChannel> file;
        file.append(astraChannel(61, 3));
        file.append(astraChannel(61, 0)); // same service id on another transponder: a channel of its own
        file.append(astraChannel(61, 3)); // the first one again
        ChannelList<AstraHDChannel> destination;
        destination.append(astraChannel(1, 0));
        const TransponderMap before = SatelliteChannel::transponders;
        m_merger.mergeAstraHDChannels(source, file, SatelliteChannel::transponders, destination);
        QCOMPARE(destination.size(), 2);
        QCOMPARE(destination[0].transponderId(), 0u);
        QCOMPARE(destination[1].transponderId(), 1u);
        QCOMPARE(destination[0].bouquetId(0), quint16(7));
        // Comparing never adds records to the process-wide database.
        QCOMPARE(SatelliteChannel::transponders, before);
    }
};

QTEST_GUILESS_MAIN(TestChannelMerger)
#include "tst_merge_channelmerger.moc"
