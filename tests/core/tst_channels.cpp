#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellistprovider.h"
#include "core/codenames.h"
#include "core/satellitechannel.h"
#include "core/sharedtexts.h"

#include <QtTest>

class TestChannels : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SatelliteChannel::clearDatabase(); }

    void setNumberIgnoresValuesAboveLimit() {
        AirChannel channel(1, "One", 5, 474.0f, 1, false, false, 0, 8, 0, 6, 1, 1);
        QVERIFY(!channel.isModified());
        channel.setNumber(10000);
        QCOMPARE(channel.number(), quint16(5));
        QVERIFY(!channel.isModified());
        channel.setNumber(9999);
        QCOMPARE(channel.number(), quint16(9999));
        QVERIFY(channel.isModified());
    }

    void onlyTerrestrialChannelsTakeANewName() {
        AirChannel air(1, "Air", 1, 474.0f, 1, false, false, 1, 8, 0, 6, 1, 1);
        CableChannel cable(1, "Cable", 1, 306.0f, 1, false, false, 1, 6900, 0, 6, 1, 1, 1);
        SatelliteChannel sat(1, "Sat", 1, 7, NO_ID, 1, false, false, 0, 1, 1);
        air.setName("New air");
        cable.setName("New cable");
        sat.setName("New sat");
        QCOMPARE(air.name(), QString("New air"));
        QCOMPARE(cable.name(), QString("New cable"));
        QCOMPARE(sat.name(), QString("Sat"));
        QVERIFY(air.isModified() && cable.isModified());
        QVERIFY(!sat.isModified());
    }

    void favouritesPositionsAndMask() {
        SatelliteChannel channel(1, "Sat", 1, 7, NO_ID, 1, false, false, 0, 1, 1);
        for (int list = 1; list <= 5; ++list) {
            QCOMPARE(channel.favouritePosition(list), -1);
            QVERIFY(!channel.isInFavourites(list));
        }
        QCOMPARE(channel.favouritesMask(), quint16(0));

        channel.setFavouritePosition(1, -2); // member without position
        channel.setFavouritePosition(5, 3);
        QVERIFY(channel.isInFavourites(1));
        QVERIFY(channel.isInFavourites(5));
        QCOMPARE(channel.favouritePosition(5), 3);
        QCOMPARE(channel.favouritesMask(), quint16(0x11));
        QVERIFY(channel.isModified());

        channel.setModified(false);
        channel.setFavouritePosition(0, 4); // outside 1..5: ignored
        channel.setFavouritePosition(6, 4);
        QVERIFY(!channel.isModified());
        QCOMPARE(channel.favouritesMask(), quint16(0x11));
    }

    void categoryFollowsServiceType_data() {
        QTest::addColumn<int>("serviceType");
        QTest::addColumn<int>("category");
        for (int type : {1, 17, 22, 25})
            QTest::addRow("tv %d", type) << type << 1;
        for (int type : {2, 10})
            QTest::addRow("radio %d", type) << type << 2;
        for (int type : {0, 3, 12, 31, 255})
            QTest::addRow("other %d", type) << type << 4;
    }
    void categoryFollowsServiceType() {
        QFETCH(int, serviceType);
        QFETCH(int, category);
        AirChannel channel(1, "X", 1, 474.0f, serviceType, false, false, 0, 8, 0, 6, 1, 1);
        QCOMPARE(channel.category(), category);
    }

    void satelliteLookupsNeverInsert() {
        SatelliteChannel channel(1, "Sat", 1, 42, 9, 1, false, false, 0, 1, 1);
        AstraHDChannel astra(1, "HD", 1, 43, 9, 1, 1, 0, nullptr, 0, 1, false, false, 0, 1, 1);
        QCOMPARE(channel.polarity(), 2);
        QCOMPARE(channel.frequency(), 0.0f);
        QCOMPARE(channel.modulation(), -1);
        QCOMPARE(channel.satelliteName(), QString());
        QCOMPARE(channel.providerName(), QString());
        QCOMPARE(astra.providerName(), QString());
        QCOMPARE(channel.satelliteId(), quint16(0xFFFF));
        QVERIFY(!channel.toString().isEmpty());
        QVERIFY(SatelliteChannel::transponders.isEmpty());
        QVERIFY(SatelliteChannel::satellites.isEmpty());
        QVERIFY(SatelliteChannel::serviceProviders.isEmpty());
        QVERIFY(SatelliteChannel::bouquets.isEmpty());
        QVERIFY(!ModulationNames::contains(77));
        QCOMPARE(ModulationNames::text(77), QString());
        QVERIFY(!ModulationNames::contains(77));
    }

    void satelliteValuesComeFromTheDatabase() {
        Transponder tp;
        tp.satelliteId = qint16(0x80C0);
        tp.frequency = 11494000.0f;
        tp.symbolRate = 22000000;
        tp.modulation = 5;
        tp.polarity = 1;
        tp.fec = 3;
        SatelliteChannel::transponders.insert(42, tp);
        SatelliteChannel::satellites.insert(0x80C0, SatelliteInfo{"Astra 19.2E", 1, 0x80C0, 2});
        SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE].insert(9,
                                                                               ServiceProvider{"ARD", 0, 0});
        SatelliteChannel::serviceProviders[ProviderCategory::ASTRA_HD].insert(9,
                                                                              ServiceProvider{"HD+", 0, 0});

        SatelliteChannel channel(1, "Das Erste", 1, 42, 9, 1, false, false, 0, 1, 1);
        AstraHDChannel astra(2, "RTL HD", 1, 42, 9, 1, 1, 0, nullptr, 0, 1, true, false, 0, 1, 1);
        QCOMPARE(channel.frequency(), 11494.0f);
        QCOMPARE(channel.polarity(), 1);
        QCOMPARE(channel.symbolRate(), 22000000);
        QCOMPARE(channel.satelliteId(), quint16(0x80C0));
        QCOMPARE(channel.satelliteName(), QString("Astra 19.2E"));
        QCOMPARE(channel.providerName(), QString("ARD"));
        QCOMPARE(astra.providerName(), QString("HD+"));

        const QString text = channel.toString();
        QVERIFY(text.contains(SharedTexts::satellite() + ": Astra 19.2E"));
        QVERIFY(text.contains(SharedTexts::polarity() + ": " + PolarityNames::text(1)));
        QVERIFY(text.contains(SharedTexts::fec() + ": 3/4"));
        QVERIFY(!text.endsWith('\n'));
    }

    void descriptionsNameEveryKindsFields() {
        AirChannel analogue(0, "ORF", 3, 175.25f, 1, false, true, 1, 7, 2, 6, -1, 0);
        const QString air = analogue.toString();
        QVERIFY(air.contains(SharedTexts::name() + ": ORF"));
        QVERIFY(air.contains(SharedTexts::type() + ": " + SharedTexts::analogue()));
        QVERIFY(air.contains(SharedTexts::colourSystem() + ": Auto"));
        QVERIFY(air.contains(SharedTexts::frequency() + ": 175.25 " + SharedTexts::mhz()));

        CableChannel digital(77, "Cable One", 120, 306.0f, 1, true, false, 0, 6900, 0, 6, 1, 5, 6);
        const QString cable = digital.toString();
        QVERIFY(cable.contains(SharedTexts::symbolRate() + ": 6900 " + SharedTexts::ksps()));
        QVERIFY(cable.contains(SharedTexts::modulation() + ": " + ModulationNames::text(1)));
        QVERIFY(cable.contains(SharedTexts::serviceId() + ": 77"));
        QCOMPARE(cable.split('\n').size(), cable.count(':'));
    }

    void astraChannelCopiesBouquetsAndClamps() {
        quint16 ids[20];
        for (int i = 0; i < 20; ++i)
            ids[i] = quint16(i + 1);
        AstraHDChannel many(1, "A", 1, 1, 1, 3, 4, 5, ids, 20, 1, false, false, 0, 1, 1);
        QCOMPARE(many.bouquetId(15), quint16(16));
        QCOMPARE(many.bouquetId(16), quint16(0)); // outside the table
        AstraHDChannel none(1, "A", 1, 1, 1, 3, 4, 5, nullptr, 5, 1, false, false, 0, 1, 1);
        for (int slot = 0; slot < AstraHDChannel::MAX_BOUQUETS; ++slot)
            QCOMPARE(none.bouquetId(slot), quint16(0));

        // A whole-record copy keeps marks, positions and bouquets.
        many.setDeleted(true);
        many.setFavouritePosition(2, 7);
        AstraHDChannel copy = none;
        copy = many;
        QVERIFY(copy == many);
        QVERIFY(copy.isDeleted());
        QCOMPARE(copy.favouritePosition(2), 7);

        const AstraHDChannel empty = AstraHDChannel::placeholder(42);
        QVERIFY(empty.isPlaceholder());
        QVERIFY(empty.isDeleted());
        QCOMPARE(empty.number(), quint16(42));
        QCOMPARE(empty.transponderId(), NO_ID);
        QVERIFY(!many.isPlaceholder());
    }

    void documentStartsEmptyAndCopiesChannels() {
        ChannelListProvider document(nullptr);
        QCOMPARE(document.country(), QString("*"));
        QCOMPARE(document.formatCode(), 0);
        QCOMPARE(document.favouritesListCount(), 0);
        QVERIFY(document.airList()->isEmpty() && document.astraHDList()->isEmpty());
        QVERIFY(document.open("x.rvl", "DEU") != 0); // no director: an error, not a crash

        ChannelListProvider other(nullptr);
        other.airList()->append(AirChannel(1, "A", 1, 474.0f, 1, false, false, 0, 8, 0, 6, 1, 1));
        other.setCountry("DEU");
        other.setVersionText("2012-01");
        other.setFormatCode(5);
        other.setFavouritesListCount(5);
        document.assignChannels(other);
        QCOMPARE(document.airList()->size(), 1);
        QCOMPARE(document.country(), QString("DEU"));
        QCOMPARE(document.versionText(), QString("2012-01"));
        QCOMPARE(document.formatCode(), 0);
        QCOMPARE(document.favouritesListCount(), 0);
        QVERIFY(document.airList()->channelAt(0) != other.airList()->channelAt(0));
    }

    void sharedTextsKeepTheirExactWording() {
        QCOMPARE(RAW_FILE_FILTER, QString("Quorlin raw channel list files (*.rvl)"));
        QCOMPARE(UNIVERSAL_FILE_FILTER, QString("Quorlin universal channel list files (*.ulmx)"));
        QCOMPARE(SharedTexts::statAll(), QString("All:\t"));
        QCOMPARE(SharedTexts::tipMyFav(5), QString("My Fav 5"));
        QCOMPARE(SharedTexts::tipMyFav(6), QString());
        QCOMPARE(FecNames::text(13), QString("No conv."));
        QCOMPARE(FecNames::text(12), QString("9/10"));
        QCOMPARE(SoundSystemNames::text(0), QString("Unknown"));
        QCOMPARE(ColourSystemNames::text(6), QString("Auto"));
    }
};

QTEST_GUILESS_MAIN(TestChannels)
#include "tst_channels.moc"
