#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/datafilehandler_rvl.h"
#include "datafilehandlers/rawrecordcodec.h"
#include "rawtestsupport.h"
#include "support/documentfixture.h"
#include "support/documentload.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace RawTest;

namespace {

// What the director loads into: containers of its own, filled by the handler's steps in its order.
DocumentLoad load(DataFileHandler &h) {
    DocumentLoad l;
    l.run(h, QStringLiteral("*"));
    return l;
}

const RawLayout &layoutOf(int formatCode) {
    switch (formatCode) {
    case FF_RAW_2010_01:
        return GGData2010_01::LAYOUT;
    case FF_RAW_2011_01:
        return GGData2011_01::LAYOUT;
    default:
        return GGData2012_01::LAYOUT;
    }
}

// Which probe accepts the folder, newest first as the director asks; 0 for none.
int probe(const QString &folder) {
    if (DataFileHandler_rvl<GGData2012_01>::probeFolder(folder))
        return FF_RAW_2012_01;
    if (DataFileHandler_rvl<GGData2011_01>::probeFolder(folder))
        return FF_RAW_2011_01;
    if (DataFileHandler_rvl<GGData2010_01>::probeFolder(folder))
        return FF_RAW_2010_01;
    return 0;
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QStringList folderFiles(const QString &folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

ChannelList<AstraHDChannel> withPlaceholders(const ChannelList<AstraHDChannel> &list, int highest) {
    ChannelList<AstraHDChannel> out = list;
    for (int n = highest + 1; n <= 99; ++n)
        out.append(AstraHDChannel::placeholder(quint16(n)));
    return out;
}

} // namespace

class TestRawHandler : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_tmp.isValid());
        m_folder = m_tmp.path() + QStringLiteral("/case") + QString::number(++m_case);
        QVERIFY(QDir().mkpath(m_folder));
        SatelliteChannel::clearDatabase();
    }

    void identity() {
        DataFileHandler_rvl<GGData2010_01> h10{QDir(m_folder)};
        DataFileHandler_rvl<GGData2011_01> h11{QDir(m_folder)};
        DataFileHandler_rvl<GGData2012_01> h12{QDir(m_folder)};
        QCOMPARE(h10.formatCode(), 3);
        QCOMPARE(h11.formatCode(), 4);
        QCOMPARE(h12.formatCode(), 5);
        QCOMPARE(h10.version(), QStringLiteral("2010-01"));
        QCOMPARE(h11.version(), QStringLiteral("2011-01"));
        QCOMPARE(h12.version(), QStringLiteral("2012-01"));
        QCOMPARE(h10.favouritesListCount(), 4);
        QCOMPARE(h11.favouritesListCount(), 5);
        QCOMPARE(h12.favouritesListCount(), 5);
        QCOMPARE(h12.folder().absolutePath(), QDir(m_folder).absolutePath());
    }

    void roundTrip_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("2010-01") << int(FF_RAW_2010_01);
        QTest::newRow("2011-01") << int(FF_RAW_2011_01);
        QTest::newRow("2012-01") << int(FF_RAW_2012_01);
    }
    // A document saved in each model year reopens equal, every field and the whole database included.
    void roundTrip() {
        QFETCH(int, format);
        const RawLayout &layout = layoutOf(format);
        ChannelListProvider doc(nullptr);
        fillDocument(doc, layout);
        const SatelliteMap satellites = SatelliteChannel::satellites;
        const TransponderMap transponders = SatelliteChannel::transponders;
        const CategoryProviderMap providers = SatelliteChannel::serviceProviders;
        const CategoryProviderMap bouquets = SatelliteChannel::bouquets;

        auto writer = DocumentFixture::rawHandler(format, QDir(m_folder));
        QCOMPARE(writer->save(doc), int(RC_SUCCESS));
        writer->endSave(true);
        QCOMPARE(probe(m_folder), format);

        auto reader = DocumentFixture::rawHandler(format, QDir(m_folder));
        const DocumentLoad l = load(*reader);
        QCOMPARE(l.satelliteResult, int(RC_SUCCESS));
        QCOMPARE(l.cableResult, int(RC_SUCCESS));
        QCOMPARE(l.airResult, int(RC_SUCCESS));
        QCOMPARE(l.countryResult, int(RC_SUCCESS));
        QVERIFY(l.air == *doc.airList());
        QVERIFY(l.cable == *doc.cableList());
        QVERIFY(l.satellite == *doc.satelliteList());
        QCOMPARE(l.country, QStringLiteral("DEU"));
        QCOMPARE(l.header, 0x0203);
        QVERIFY(l.satellites == satellites);
        QVERIFY(l.transponders == transponders);
        QVERIFY(l.providers[ProviderCategory::SATELLITE] == providers.value(ProviderCategory::SATELLITE));
        if (layout.astraHD) {
            QCOMPARE(l.astraResult, int(RC_SUCCESS));
            QVERIFY(l.astra == withPlaceholders(*doc.astraHDList(), 2));
            QVERIFY(l.providers == providers);
            QVERIFY(l.bouquets == bouquets);
        } else {
            // Without an Astra HD+ list the step touches nothing.
            QCOMPARE(l.astraResult, int(RC_SUCCESS));
            QVERIFY(l.astra.isEmpty());
            QVERIFY(l.bouquets.isEmpty());
            QVERIFY(!QFile::exists(m_folder + QStringLiteral("/map-AstraCh")));
        }

        // Saving what was loaded writes the same bytes again: nothing drifts from one save to the next.
        QMap<QString, QByteArray> first;
        for (const QString &f : folderFiles(m_folder))
            first.insert(f, readFile(m_folder + QLatin1Char('/') + f));
        ChannelListProvider again(nullptr);
        *again.airList() = l.air;
        *again.cableList() = l.cable;
        *again.satelliteList() = l.satellite;
        *again.astraHDList() = l.astra;
        again.setCountry(l.country);
        QCOMPARE(reader->save(again), int(RC_SUCCESS));
        reader->endSave(true);
        for (auto it = first.cbegin(); it != first.cend(); ++it)
            QVERIFY2(readFile(m_folder + QLatin1Char('/') + it.key()) == it.value(), qPrintable(it.key()));
    }

    // Only the year named by "map-ChKey" accepts a folder; the key's last three digits are free.
    void probeEdges_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<bool>("cloneInfo");
        QTest::addColumn<int>("accepted");
        auto le = [](qint32 v) {
            QByteArray b(4, '\0');
            qToLittleEndian(v, b.data());
            return b;
        };
        QTest::newRow("2012 exact") << le(1201000) << true << int(FF_RAW_2012_01);
        QTest::newRow("2012 top") << le(1201999) << true << int(FF_RAW_2012_01);
        QTest::newRow("just below 2012") << le(1200999) << true << 0;
        QTest::newRow("just above 2012") << le(1202000) << true << 0;
        QTest::newRow("2011") << le(1101000) << true << int(FF_RAW_2011_01);
        QTest::newRow("2010") << le(1001500) << true << int(FF_RAW_2010_01);
        QTest::newRow("negative") << le(-1201000) << true << 0;
        QTest::newRow("no CloneInfo") << le(1201000) << false << 0;
        QTest::newRow("three bytes") << le(1201000).left(3) << true << 0;
        QTest::newRow("longer file") << le(1101000) + "trailing" << true << int(FF_RAW_2011_01);
        QTest::newRow("no key") << QByteArray() << true << 0;
    }
    void probeEdges() {
        QFETCH(QByteArray, key);
        QFETCH(bool, cloneInfo);
        QFETCH(int, accepted);
        if (!key.isNull())
            QVERIFY(writeFile(m_folder + QStringLiteral("/map-ChKey"), key));
        if (cloneInfo)
            QVERIFY(writeFile(m_folder + QStringLiteral("/CloneInfo"), QByteArray("DEU\0", 4)));
        QCOMPARE(probe(m_folder), accepted);
    }

    void emptyDocument() {
        ChannelListProvider doc(nullptr);
        SatelliteChannel::databaseHeader = 42;
        DataFileHandler_rvl<GGData2012_01> writer{QDir(m_folder)};
        QCOMPARE(writer.save(doc), int(RC_SUCCESS));
        writer.endSave(true);

        DataFileHandler_rvl<GGData2012_01> reader{QDir(m_folder)};
        const DocumentLoad l = load(reader);
        QCOMPARE(l.satelliteResult, int(RC_NO_SERVICE_LIST));
        QCOMPARE(l.cableResult, int(RC_NO_SERVICE_LIST));
        QCOMPARE(l.airResult, int(RC_NO_SERVICE_LIST));
        QCOMPARE(l.astraResult, int(RC_NO_SERVICE_LIST));
        QCOMPARE(l.countryResult, int(RC_SUCCESS));
        QCOMPARE(l.country, QStringLiteral("*"));
        QCOMPARE(l.header, 42);
        QVERIFY(l.astra.isEmpty());
        QCOMPARE(folderFiles(m_folder),
                 QStringList({QStringLiteral("CloneInfo"), QStringLiteral("db-Satellite"),
                              QStringLiteral("map-ChKey"), QStringLiteral("phy-Air"),
                              QStringLiteral("phy-Cable")}));
    }

    // Deleted channels are never written; a list left with none removes its member, and its loader then
    // reports that the file has no such list.
    void deletedChannelsAndEmptyLists() {
        ChannelListProvider doc(nullptr);
        fillDocument(doc, GGData2012_01::LAYOUT);
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);
        QVERIFY(QFile::exists(m_folder + QStringLiteral("/map-AirCh")));

        (*doc.cableList())[1].setDeleted(true);
        for (AirChannel &c : *doc.airList())
            c.setDeleted(true);
        for (AstraHDChannel &c : *doc.astraHDList())
            c.setDeleted(true);
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);
        QVERIFY(!QFile::exists(m_folder + QStringLiteral("/map-AirCh")));
        QVERIFY(!QFile::exists(m_folder + QStringLiteral("/map-AstraCh")));

        const DocumentLoad l = load(h);
        QCOMPARE(l.airResult, int(RC_NO_SERVICE_LIST));
        QCOMPARE(l.astraResult, int(RC_NO_SERVICE_LIST));
        QCOMPARE(l.cableResult, int(RC_SUCCESS));
        QCOMPARE(l.cable.size(), 1);
        QVERIFY(l.cable[0] == (*doc.cableList())[0]);
    }

    // Members without a position follow the list's highest position, in list order.
    void positionsForMembersWithoutOne() {
        ChannelListProvider doc(nullptr);
        const int given[4] = {3, -2, 1, -2};
        for (int i = 0; i < 4; ++i) {
            AirChannel &c = doc.airList()->append(AirChannel(i, QStringLiteral("c%1").arg(i), quint16(i + 1),
                                                             500.0f, 1, false, false, 0, 8, 0, 6, 0, 0));
            setFavourites(c, {given[i], -1, -1, -1, i == 3 ? -2 : -1});
        }
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);
        const DocumentLoad l = load(h);
        QCOMPARE(l.air.size(), 4);
        const int expected[4] = {3, 4, 1, 5};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(l.air[i].favouritePosition(1), expected[i]);
        QCOMPARE(l.air[3].favouritePosition(5), 1);
    }

    // 2012-01 -> 2010-01 keeps membership of lists 1 to 4 only; back in 2012-01 the members get positions
    // in list order, and the converted folder probes as the year it was written in.
    void conversionBetweenYears() {
        ChannelListProvider doc(nullptr);
        for (int i = 0; i < 3; ++i) {
            SatelliteChannel &c = doc.satelliteList()->append(SatelliteChannel(
                i, QStringLiteral("s%1").arg(i), quint16(i + 1), 1, NO_ID, 1, false, false, 0, 0, 0));
            setFavourites(c, {i == 2 ? -1 : 2 - i, -1, -1, i == 0 ? 7 : -1, 1});
        }
        const quint16 none[1] = {0};
        doc.astraHDList()->append(
            AstraHDChannel(5, QStringLiteral("hd"), 1, 1, NO_ID, 0, 0, 0, none, 0, 1, false, false, 0, 0, 0));
        doc.setCountry(QStringLiteral("AUT"));

        const QString folder2012 = m_folder + QStringLiteral("/a");
        const QString folder2010 = m_folder + QStringLiteral("/b");
        const QString back2012 = m_folder + QStringLiteral("/c");
        for (const QString &f : {folder2012, folder2010, back2012})
            QVERIFY(QDir().mkpath(f));

        DataFileHandler_rvl<GGData2012_01> h12{QDir(folder2012)};
        QCOMPARE(h12.save(doc), int(RC_SUCCESS));
        DataFileHandler_rvl<GGData2010_01> h10{QDir(folder2010)};
        QCOMPARE(h10.save(doc), int(RC_SUCCESS));
        QCOMPARE(probe(folder2010), int(FF_RAW_2010_01));
        QVERIFY(!QFile::exists(folder2010 + QStringLiteral("/map-AstraCh")));

        const DocumentLoad in2010 = load(h10);
        QCOMPARE(in2010.satellite.size(), 3);
        QCOMPARE(in2010.satellite[0].favouritePosition(1), -2);
        QCOMPARE(in2010.satellite[1].favouritePosition(1), -2);
        QCOMPARE(in2010.satellite[2].favouritePosition(1), -1);
        QCOMPARE(in2010.satellite[0].favouritePosition(4), -2);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(in2010.satellite[i].favouritePosition(5), -1);
        QCOMPARE(in2010.country, QStringLiteral("AUT"));

        ChannelListProvider converted(nullptr);
        *converted.satelliteList() = in2010.satellite;
        converted.setCountry(in2010.country);
        DataFileHandler_rvl<GGData2012_01> back{QDir(back2012)};
        QCOMPARE(back.save(converted), int(RC_SUCCESS));
        QCOMPARE(probe(back2012), int(FF_RAW_2012_01));
        const DocumentLoad in2012 = load(back);
        QCOMPARE(in2012.satellite[0].favouritePosition(1), 1);
        QCOMPARE(in2012.satellite[1].favouritePosition(1), 2);
        QCOMPARE(in2012.satellite[2].favouritePosition(1), -1);
        QCOMPARE(in2012.satellite[0].favouritePosition(4), 1);
        QCOMPARE(in2012.satellite[0].favouritePosition(5), -1);
    }

    // The Astra HD+ favourite range as the tables rely on it.
    void astraHDFillShape() {
        ChannelListProvider doc(nullptr);
        const quint16 numbers[6] = {5, 3, 0, 120, 3, 99};
        for (int i = 0; i < 6; ++i)
            doc.astraHDList()->append(AstraHDChannel(100 + i, QStringLiteral("h%1").arg(i), numbers[i], 1, 2,
                                                     0, 0, 0, nullptr, 0, 25, false, false, 0, 0, 0));
        DataFileHandler_rvl<GGData2011_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);
        const DocumentLoad l = load(h);
        QCOMPARE(l.astraResult, int(RC_SUCCESS));
        QCOMPARE(l.astra.size(), 6 + 95);
        // In number order (file order among equal numbers), without gaps; the rest keep their numbers.
        const quint16 expected[6] = {3, 1, 0, 120, 2, 4};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(l.astra[i].number(), expected[i]);
            QVERIFY(!l.astra[i].isDeleted());
            QVERIFY(!l.astra[i].isModified());
        }
        for (int n = 5; n <= 99; ++n) {
            const AstraHDChannel &p = l.astra[6 + n - 5];
            QCOMPARE(int(p.number()), n);
            QCOMPARE(p.name(), QStringLiteral("EMPTY_ROW"));
            QCOMPARE(p.serviceId(), 0);
            QCOMPARE(p.transponderId(), NO_ID);
            QCOMPARE(p.providerId(), NO_ID);
            QVERIFY(p.isDeleted());
            for (int s = 0; s < AstraHDChannel::MAX_BOUQUETS; ++s)
                QCOMPARE(p.bouquetId(s), quint16(0));
        }

        // The placeholders are never written: saving the loaded list and loading again gives the same shape.
        ChannelListProvider reloaded(nullptr);
        *reloaded.astraHDList() = l.astra;
        QCOMPARE(h.save(reloaded), int(RC_SUCCESS));
        const DocumentLoad again = load(h);
        QVERIFY(again.astra == l.astra);
    }

    void country_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("country");
        QTest::newRow("DEU") << QByteArray("DEU\0", 4) << int(RC_SUCCESS) << "DEU";
        QTest::newRow("star") << QByteArray("*\0\0\0", 4) << int(RC_SUCCESS) << "*";
        QTest::newRow("one letter") << QByteArray("A\0\0\0", 4) << int(RC_SUCCESS) << "A";
        QTest::newRow("lower case") << QByteArray("deu\0", 4) << 1016 << "";
        QTest::newRow("four letters") << QByteArray("DEUT") << 1016 << "";
        QTest::newRow("too short") << QByteArray("DEU") << 1016 << "";
        QTest::newRow("too long") << QByteArray("DEU\0\0", 5) << 1016 << "";
        QTest::newRow("empty file") << QByteArray("") << 1016 << "";
        QTest::newRow("all NUL") << QByteArray(4, '\0') << 1016 << "";
        QTest::newRow("junk after NUL") << QByteArray("DE\0X", 4) << 1016 << "";
        QTest::newRow("two stars") << QByteArray("**\0\0", 4) << 1016 << "";
        QTest::newRow("digit") << QByteArray("D1U\0", 4) << 1016 << "";
        QTest::newRow("non-ASCII") << QByteArray("\xC4U\0\0", 4) << 1016 << "";
    }
    void country() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(QString, country);
        QVERIFY(writeFile(m_folder + QStringLiteral("/CloneInfo"), bytes));
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QString got = QStringLiteral("unchanged");
        QCOMPARE(h.country(got), result);
        QCOMPARE(got, result == RC_SUCCESS ? country : QStringLiteral("unchanged"));
    }

    void missingCountryCannotBeRead() {
        DataFileHandler_rvl<GGData2010_01> h{QDir(m_folder)};
        QString got;
        QCOMPARE(h.country(got), int(RC_CANNOT_READ));
    }

    // A document the format cannot hold is refused before the folder is touched, so the previous members
    // stay whole.
    void saveRefusesWhatItCannotWrite_data() {
        QTest::addColumn<int>("defect");
        QTest::addColumn<int>("result");
        QTest::newRow("country") << 0 << 1016;
        QTest::newRow("NaN frequency") << 1 << 1004;
        QTest::newRow("infinite transponder") << 2 << 1004;
        QTest::newRow("number above 9999") << 3 << 1003;
        QTest::newRow("kind 2") << 4 << 1003;
        QTest::newRow("100 Astra HD+ channels numbered 1-99") << 5 << int(RC_ASTRA_HD_RANGE_FULL);
    }
    void saveRefusesWhatItCannotWrite() {
        QFETCH(int, defect);
        QFETCH(int, result);
        ChannelListProvider doc(nullptr);
        fillDocument(doc, GGData2012_01::LAYOUT);
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);
        QMap<QString, QByteArray> before;
        for (const QString &f : folderFiles(m_folder))
            before.insert(f, readFile(m_folder + QLatin1Char('/') + f));

        doc.cableList()->clear(); // would remove the cable member if the save went ahead
        switch (defect) {
        case 0:
            doc.setCountry(QStringLiteral("D-U"));
            break;
        case 1:
            doc.airList()->append(
                AirChannel(1, QStringLiteral("nan"), 5, std::nanf(""), 1, false, false, 0, 8, 0, 6, 0, 0));
            break;
        case 2:
            SatelliteChannel::transponders[1001].frequency = INFINITY;
            break;
        case 3:
            doc.airList()->append(
                AirChannel(1, QStringLiteral("big"), 10000, 500.0f, 1, false, false, 0, 8, 0, 6, 0, 0));
            break;
        case 4:
            doc.airList()->append(
                AirChannel(1, QStringLiteral("kind"), 5, 500.0f, 1, false, false, 2, 8, 0, 6, 0, 0));
            break;
        case 5: {
            // With the document's channels 1 and 2, 100 live channels in the favourite range (numbers may
            // repeat there).
            AstraHDChannel extra = doc.astraHDList()->at(0);
            extra.setNumber(50);
            for (int n = 0; n < 98; ++n)
                doc.astraHDList()->append(extra);
            break;
        }
        }
        QCOMPARE(h.save(doc), result);
        QCOMPARE(folderFiles(m_folder), QStringList(before.keys()));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(readFile(m_folder + QLatin1Char('/') + it.key()), it.value());
    }

    // A member or a whole archive larger than the archive reader takes, or an archive of more members, is
    // refused before the folder is touched; one exactly at the limit is written.
    void listsBeyondTheArchiveLimitsAreRefused() {
        ChannelListProvider doc(nullptr);
        fillDocument(doc, GGData2012_01::LAYOUT);
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        const ChannelList<CableChannel> cable = *doc.cableList();
        doc.cableList()->clear();
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        const QString airMember = m_folder + QStringLiteral("/map-AirCh");
        const AirChannel channel = doc.airList()->at(0);

        // Every file of the folder becomes a member, the set's own extra files as well as the lists.
        QStringList extras;
        for (int n = int(folderFiles(m_folder).size()); n < ZipLimits::MAX_MEMBERS; ++n) {
            extras << m_folder + QStringLiteral("/vendor-") + QString::number(n);
            QVERIFY(writeFile(extras.last(), "x"));
        }
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        const QStringList full = folderFiles(m_folder);
        *doc.cableList() = cable;
        QCOMPARE(h.save(doc), int(RC_LIST_TOO_LONG));
        QCOMPARE(folderFiles(m_folder), full);
        for (const QString &extra : extras)
            QVERIFY(QFile::remove(extra));
        QCOMPARE(h.save(doc), int(RC_SUCCESS));

        // The folder's other files are packed too.
        qint64 folderSize = 0;
        for (const QFileInfo &f : QDir(m_folder).entryInfoList(QDir::Files))
            folderSize += f.size();
        QFile extra(m_folder + QStringLiteral("/vendor-extra"));
        QVERIFY(extra.open(QIODevice::WriteOnly) && extra.resize(ZipLimits::MAX_TOTAL_SIZE - folderSize));
        extra.close();
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        const QByteArray air = readFile(airMember);
        doc.airList()->append(channel);
        QCOMPARE(h.save(doc), int(RC_LIST_TOO_LONG));
        QCOMPARE(readFile(airMember), air);
        QVERIFY(extra.remove());

        const int fit =
            int((RawRecordCodec::MAX_MEMBER_SIZE - RawRecordCodec::HEADER_SIZE - RawRecordCodec::CRC_SIZE) /
                RawRecordCodec::airRecordSize(GGData2012_01::LAYOUT));
        while (doc.airList()->size() < fit)
            doc.airList()->append(channel);
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        const QByteArray fullAir = readFile(airMember);
        doc.airList()->append(channel);
        QCOMPARE(h.save(doc), int(RC_LIST_TOO_LONG));
        QCOMPARE(readFile(airMember), fullAir);
    }

    // The handler's own state follows a save only when the save is committed.
    void endSaveCommits() {
        ChannelListProvider doc(nullptr);
        fillDocument(doc, GGData2012_01::LAYOUT);
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        QVERIFY(h.memberBytes(QStringLiteral("map-AirCh")).isEmpty());
        h.endSave(true);
        const QByteArray first = h.memberBytes(QStringLiteral("map-AirCh"));
        QCOMPARE(first, readFile(m_folder + QStringLiteral("/map-AirCh")));

        (*doc.airList())[0].setLocked(false);
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(false);
        QCOMPARE(h.memberBytes(QStringLiteral("map-AirCh")), first);
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);
        QCOMPARE(h.memberBytes(QStringLiteral("map-AirCh")),
                 readFile(m_folder + QStringLiteral("/map-AirCh")));
        QVERIFY(h.memberBytes(QStringLiteral("map-AirCh")) != first);

        doc.airList()->clear();
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);
        QVERIFY(h.memberBytes(QStringLiteral("map-AirCh")).isEmpty());
    }

    // Members the handler does not know stay as they are; the physical-channel tables are written only
    // when the folder lacks them.
    void foreignMembersAndPhysicalTables() {
        QVERIFY(writeFile(m_folder + QStringLiteral("/vendor-extra"), "keep me"));
        QVector<PhysicalChannel> own{{1, 8, 506000, "E25"}};
        QByteArray ownTable;
        QCOMPARE(RawRecordCodec::encodePhysicalChannels(own, false, GGData2011_01::LAYOUT, ownTable),
                 int(RC_SUCCESS));
        QVERIFY(writeFile(m_folder + QStringLiteral("/phy-Air"), ownTable));

        ChannelListProvider doc(nullptr);
        DataFileHandler_rvl<GGData2011_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        QCOMPARE(readFile(m_folder + QStringLiteral("/vendor-extra")), QByteArray("keep me"));
        QCOMPARE(readFile(m_folder + QStringLiteral("/phy-Air")), ownTable);
        QVector<PhysicalChannel> cable;
        QCOMPARE(RawRecordCodec::decodePhysicalChannels(readFile(m_folder + QStringLiteral("/phy-Cable")),
                                                        true, GGData2011_01::LAYOUT, cable),
                 int(RC_SUCCESS));
        QVERIFY(cable == RawRecordCodec::defaultCableChannels());
    }

    // A bouquet keyed 0 cannot be told from an empty bouquet slot, so it is not written.
    void bouquetIdZeroIsNotWritten() {
        ChannelListProvider doc(nullptr);
        SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(
            0, ServiceProvider{QStringLiteral("zero"), 0, 0});
        SatelliteChannel::bouquets[ProviderCategory::ASTRA_HD].insert(
            7, ServiceProvider{QStringLiteral("seven"), 0, 0});
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        const DocumentLoad l = load(h);
        QCOMPARE(l.bouquets.value(ProviderCategory::ASTRA_HD).keys(), QList<quint32>({7}));
    }

    // A damaged list fails its loader with the checksum code and leaves the caller's containers alone.
    void damagedMemberFailsItsLoader() {
        ChannelListProvider doc(nullptr);
        fillDocument(doc, GGData2012_01::LAYOUT);
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        for (const char *member : {"map-SatCh", "db-Transponder"}) {
            const QString path = m_folder + QLatin1Char('/') + QLatin1String(member);
            QByteArray bytes = readFile(path);
            bytes[20] = char(bytes[20] ^ 0x01);
            QVERIFY(writeFile(path, bytes));
            ChannelList<SatelliteChannel> list;
            SatelliteMap satellites;
            TransponderMap transponders;
            CategoryProviderMap providers;
            int header = -5;
            QCOMPARE(h.loadSatellite(list, satellites, transponders, providers, &header, QString()),
                     int(RC_CHECKSUM_FAILED));
            QVERIFY(list.isEmpty() && satellites.isEmpty() && transponders.isEmpty() && providers.isEmpty());
            QCOMPARE(header, -5);
            bytes[20] = char(bytes[20] ^ 0x01);
            QVERIFY(writeFile(path, bytes));
        }
        // A member far beyond any real list is refused without being read.
        QFile big(m_folder + QStringLiteral("/map-AirCh"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(RawRecordCodec::MAX_MEMBER_SIZE + 1));
        big.close();
        ChannelList<AirChannel> air;
        QCOMPARE(h.loadAir(air, QString()), 1002);
    }

    // A damaged physical-channel table fails the loader of its source, with or without that list: a
    // same-year save would pack it again for the set.
    void damagedPhysicalTableFailsItsLoader() {
        ChannelListProvider doc(nullptr);
        fillDocument(doc, GGData2012_01::LAYOUT);
        doc.cableList()->clear();
        DataFileHandler_rvl<GGData2012_01> h{QDir(m_folder)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        for (const char *member : {"phy-Air", "phy-Cable"}) {
            const QString path = m_folder + QLatin1Char('/') + QLatin1String(member);
            const QByteArray good = readFile(path);
            QByteArray bytes = good;
            bytes[20] = char(bytes[20] ^ 0x01);
            QVERIFY(writeFile(path, bytes));
            ChannelList<AirChannel> air;
            ChannelList<CableChannel> cable;
            const bool isAir = QLatin1String(member) == QLatin1String("phy-Air");
            QCOMPARE(isAir ? h.loadAir(air, QString()) : h.loadCable(cable, QString()),
                     int(RC_CHECKSUM_FAILED));
            QVERIFY(air.isEmpty() && cable.isEmpty());
            QVERIFY(writeFile(path, good));
        }
    }

    // The whole path the director takes: save, pack, check the archive with an independent reader,
    // unpack elsewhere, probe, load.
    void archiveRoundTrip() {
        ChannelListProvider doc(nullptr);
        fillDocument(doc, GGData2012_01::LAYOUT);
        const QString work = m_folder + QStringLiteral("/work");
        const QString other = m_folder + QStringLiteral("/other");
        QVERIFY(QDir().mkpath(work));
        QVERIFY(QDir().mkpath(other));
        DataFileHandler_rvl<GGData2012_01> h{QDir(work)};
        QCOMPARE(h.save(doc), int(RC_SUCCESS));
        h.endSave(true);

        const QString zip = m_folder + QStringLiteral("/list.rvl");
        for (const QString &f : folderFiles(work))
            QCOMPARE(zipAddFile(zip, work + QLatin1Char('/') + f, f), int(RC_SUCCESS));

        const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
        if (!unzip.isEmpty()) {
            QProcess p;
            p.start(unzip, {QStringLiteral("-t"), zip});
            QVERIFY(p.waitForFinished(30000));
            QVERIFY2(p.exitCode() == 0, p.readAllStandardOutput().constData());
        }

        QCOMPARE(unzipAll(zip, other), int(RC_SUCCESS));
        QCOMPARE(folderFiles(other), folderFiles(work));
        QCOMPARE(probe(other), int(FF_RAW_2012_01));
        DataFileHandler_rvl<GGData2012_01> reader{QDir(other)};
        const DocumentLoad l = load(reader);
        QVERIFY(l.air == *doc.airList());
        QVERIFY(l.satellite == *doc.satelliteList());
        QVERIFY(l.astra == withPlaceholders(*doc.astraHDList(), 2));
        if (unzip.isEmpty())
            QSKIP("unzip is not installed (scripts/install-deps installs it)");
    }

private:
    QTemporaryDir m_tmp;
    QString m_folder;
    int m_case = 0;
};

QTEST_GUILESS_MAIN(TestRawHandler)
#include "tst_rawhandler.moc"
