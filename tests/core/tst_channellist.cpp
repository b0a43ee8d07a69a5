#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"

#include <QtTest>

namespace {
AirChannel air(int serviceId, quint16 number, int serviceType = 1, bool scrambled = false) {
    return AirChannel(serviceId, QString("Ch %1").arg(serviceId), number, 474.0f, serviceType, scrambled,
                      false, 0, 8, 0, 6, 1, 1);
}
} // namespace

class TestChannelList : public QObject {
    Q_OBJECT

private slots:
    void addressesStayFixedWhileTheListGrows() {
        ChannelList<AirChannel> list;
        list.append(air(1, 1));
        AirChannel *first = list.channelAt(0);
        for (int i = 2; i < 2000; ++i)
            list.append(air(i, quint16(i)));
        QCOMPARE(list.channelAt(0), first);
        AirChannel *last = list.channelAt(1998);
        list.erase(1);
        QCOMPARE(list.channelAt(0), first);
        QCOMPARE(list.channelAt(1997), last);
        QCOMPARE(list.indexOf(last), 1997);
        QCOMPARE(list.indexOf(nullptr), -1);
    }

    void copiesAreDeepAndIndependent() {
        ChannelList<AirChannel> list;
        list.append(air(1, 1));
        list.append(air(2, 2));
        ChannelList<AirChannel> copy(list);
        QVERIFY(copy == list);
        QVERIFY(copy.channelAt(0) != list.channelAt(0));
        copy[0].setNumber(40);
        QCOMPARE(list[0].number(), quint16(1));
        QVERIFY(copy != list);

        ChannelList<AirChannel> assigned;
        assigned.append(air(9, 9));
        assigned = list;
        QCOMPARE(assigned.size(), 2);
        list.clear();
        QCOMPARE(assigned[1].serviceId(), 2);

        ChannelList<AirChannel> moved(std::move(assigned));
        QCOMPARE(moved.size(), 2);
    }

    void iterationVisitsChannelsInOrderAndAllowsChanges() {
        ChannelList<AirChannel> list;
        for (int i = 1; i <= 3; ++i)
            list.append(air(i, quint16(i)));
        for (AirChannel &channel : list)
            channel.setLocked(true);
        int expected = 1;
        for (const AirChannel &channel : std::as_const(list)) {
            QCOMPARE(channel.serviceId(), expected++);
            QVERIFY(channel.isLocked());
        }
    }

    void statisticsSkipDeletedChannels() {
        ChannelList<AirChannel> list;
        list.append(air(1, 1, 1, false));  // TV, free
        list.append(air(2, 2, 2, true));   // radio, scrambled
        list.append(air(3, 3, 12, false)); // data
        list.append(air(4, 4, 25, true));  // TV, scrambled
        list[0].setFavouritePosition(1, 1);
        list[1].setFavouritePosition(1, -2);
        list[3].setFavouritePosition(5, 2);
        list[3].setDeleted(true);

        const ListStatistics stats = list.statistics();
        QCOMPARE(stats.all, 3);
        QCOMPARE(stats.tv, 1);
        QCOMPARE(stats.radio, 1);
        QCOMPARE(stats.dataOther, 1);
        QCOMPARE(stats.free, 2);
        QCOMPARE(stats.scrambled, 1);
        QCOMPARE(stats.favouritesCount(1), 2);
        QCOMPARE(stats.favouritesCount(5), 0);
        QCOMPARE(stats.favouritesCount(6), 0);
    }

    void statisticsDoNotWrapOnHugeLists() {
        ChannelList<AirChannel> list;
        list.reserve(40000);
        for (int i = 0; i < 40000; ++i)
            list.append(air(i, quint16(i % 9999 + 1)));
        const ListStatistics stats = list.statistics();
        QCOMPARE(stats.all, 40000);
        QCOMPARE(stats.tv, 40000);
    }

    void astraListsCopyWholeRecords() {
        quint16 bouquets[] = {4, 5};
        ChannelList<AstraHDChannel> list;
        list.append(AstraHDChannel(1, "A", 1, 10, 20, 7, 8, 1, bouquets, 2, 1, false, false, 0, 1, 1));
        list.append(AstraHDChannel::placeholder(2));
        const ChannelList<AstraHDChannel> copy = list;
        QVERIFY(copy == list);
        QVERIFY(copy[1].isDeleted());
        QCOMPARE(copy[0].bouquetId(1), quint16(5));
        QCOMPARE(copy.statistics().all, 1);
    }
};

QTEST_GUILESS_MAIN(TestChannelList)
#include "tst_channellist.moc"
