#include "support/documentfixture.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datadirector.h"

#include <QtTest>

#include <algorithm>
#include <functional>

// Merging universal files, written by our own writer, into a document opened from a raw file.
namespace {
// Changes the standard document before it is written.
using Shape = std::function<void(ChannelListProvider &)>;
// What a document merges back: its own universal export, the universal file it was saved to a raw file from,
// or (into that universal file) the raw copy's own export or the file itself.
enum MergedBack { OwnExport, UniversalOriginal, RawCopysExport, Itself };

// Everything a merge may change: the document's lists and the process-wide database.
struct State {
    ChannelList<AirChannel> air;
    ChannelList<CableChannel> cable;
    ChannelList<SatelliteChannel> satellite;
    ChannelList<AstraHDChannel> astra;
    SatelliteMap satellites = SatelliteChannel::satellites;
    TransponderMap transponders = SatelliteChannel::transponders;
    CategoryProviderMap providers = SatelliteChannel::serviceProviders;
    CategoryProviderMap bouquets = SatelliteChannel::bouquets;
    int header = SatelliteChannel::databaseHeader;

    explicit State(const ChannelListProvider &document)
        : air(*document.airList()), cable(*document.cableList()), satellite(*document.satelliteList()),
          astra(*document.astraHDList()) {}

    void verifyUnchanged(const ChannelListProvider &document) const {
        QVERIFY(*document.airList() == air);
        QVERIFY(*document.cableList() == cable);
        QVERIFY(*document.satelliteList() == satellite);
        QVERIFY(*document.astraHDList() == astra);
        QVERIFY(SatelliteChannel::satellites == satellites);
        QVERIFY(SatelliteChannel::transponders == transponders);
        QVERIFY(SatelliteChannel::serviceProviders == providers);
        QVERIFY(SatelliteChannel::bouquets == bouquets);
        QCOMPARE(SatelliteChannel::databaseHeader, header);
    }
};

Transponder transponder(quint16 satellite, float kHz) {
    Transponder tp;
    tp.satelliteId = qint16(satellite);
    tp.frequency = kHz;
    tp.symbolRate = 27500000;
    tp.modulation = 5;
    tp.polarity = 1;
    tp.fec = 3;
    return tp;
}

// A user satellite with one transponder and, where one is named, a channel on it.
void addUserSatellite(ChannelListProvider &document, quint16 id, const QString &name, int orbitalPos,
                      float kHz, const QString &channel) {
    SatelliteChannel::satellites.insert(id, SatelliteInfo{name, 1, orbitalPos, 2});
    SatelliteChannel::transponders.insert(800 + id, transponder(id, kHz));
    if (!channel.isEmpty())
        document.satelliteList()->append(
            SatelliteChannel(id, channel, 900, 800 + id, NO_ID, 1, false, false, Channel::DIGITAL, -1, 0));
}

// The transponder key of the process-wide map at this frequency, or -1.
qint64 keyOf(float kHz) {
    for (auto it = SatelliteChannel::transponders.cbegin(); it != SatelliteChannel::transponders.cend();
         ++it) {
        if (it->frequency == kHz)
            return it.key();
    }
    return -1;
}
} // namespace

Q_DECLARE_METATYPE(Shape)

class TestMergeDirector : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_documentFile;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Writes a universal file from the standard document, changed by the shape function first.
    void writeFile(const QString &file, const std::function<void(ChannelListProvider &)> &shape) {
        DataDirector unused;
        ChannelListProvider document(&unused);
        DocumentFixture::build(document);
        if (shape)
            shape(document);
        QCOMPARE(DocumentFixture::writeUniversal(document, file), int(RC_SUCCESS));
        SatelliteChannel::clearDatabase();
    }

    // The document the window would merge into: the standard one, read from a raw file.
    void openDocument(DataDirector &director, ChannelListProvider &document,
                      const std::function<void(ChannelListProvider &)> &shape = nullptr,
                      int format = FF_RAW_2012_01) {
        DataDirector unused;
        ChannelListProvider source(&unused);
        DocumentFixture::build(source);
        if (shape)
            shape(source);
        QCOMPARE(DocumentFixture::writeRaw(format, source, m_documentFile), int(RC_SUCCESS));
        SatelliteChannel::clearDatabase();
        QCOMPARE(director.open(m_documentFile, &document, "DEU"), int(RC_SUCCESS));
        director.commit();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_documentFile = path("document.rvl");
    }
    void init() { SatelliteChannel::clearDatabase(); }

    void unreadableFilesReportWhyAndChangeNothing() {
        QFile text(path("text.ulmx"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("plain text, no channel list");
        text.close();
        QVERIFY(QDir().mkpath(path("folder.ulmx")));

        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const State before(document);
        QCOMPARE(director.merge(path("missing.ulmx"), &document), int(RC_FILE_NOT_FOUND));
        before.verifyUnchanged(document);
        QCOMPARE(director.merge(path("folder.ulmx"), &document), int(RC_CANNOT_OPEN));
        before.verifyUnchanged(document);
        QCOMPARE(director.merge(path("text.ulmx"), &document), int(RC_INVALID_FORMAT));
        before.verifyUnchanged(document);
    }

    void cableAndAirAreReplacedOnlyWhenTheFileHasThem() {
        writeFile(path("cable.ulmx"), [](ChannelListProvider &file) {
            file.airList()->clear();
            ChannelList<CableChannel> &cable = *file.cableList();
            cable.clear();
            for (int i = 0; i < 10; ++i)
                cable.append(CableChannel(700 + i, QStringLiteral("New %1").arg(i), quint16(i + 1),
                                          474.0f + 8 * i, 1, false, false, Channel::DIGITAL, 6900, 0, 6, 2,
                                          -1, 0));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const ChannelList<AirChannel> air = *document.airList();
        QCOMPARE(director.merge(path("cable.ulmx"), &document), int(RC_SUCCESS));
        QCOMPARE(document.cableList()->size(), 10);
        QCOMPARE(document.cableList()->at(9).name(), QStringLiteral("New 9"));
        QVERIFY(*document.airList() == air);
        // The document's format stays what it was.
        QCOMPARE(document.formatCode(), int(FF_RAW_2012_01));
        QCOMPARE(document.favouritesListCount(), 5);
    }

    void replacedListsCountTheFavouritesAndLocksThatWentWithThem() {
        writeFile(path("noair.ulmx"), [](ChannelListProvider &file) { file.airList()->clear(); });
        // In every list two channels, each in two favourites lists and locked; the satellite list keeps its
        // own channels and the air list is not replaced, so neither counts.
        const auto mark = [](auto &list) {
            for (auto &channel : list) {
                channel.setLocked(false);
                for (quint16 fav = 1; fav <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++fav)
                    channel.setFavouritePosition(fav, Channel::NOT_A_MEMBER);
            }
            for (const int i : {0, 1}) {
                list[i].setFavouritePosition(1, 1 + i);
                list[i].setFavouritePosition(5, 1 + i);
                list[i].setLocked(true);
            }
        };
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document, [&mark](ChannelListProvider &d) {
            mark(*d.airList());
            mark(*d.cableList());
            mark(*d.satelliteList());
            mark(*d.astraHDList());
        });
        // The window no longer shows a deleted channel: what it held is not named.
        document.cableList()->channelAt(1)->setDeleted(true);
        QCOMPARE(director.merge(path("noair.ulmx"), &document), int(RC_SUCCESS));
        QCOMPARE(director.favouriteMembershipsReplaced(), 2 + 4);
        QCOMPARE(director.childLocksReplaced(), 1 + 2);
        // Nothing is left to name after a merge that replaced lists without any.
        QCOMPARE(director.merge(path("noair.ulmx"), &document), int(RC_SUCCESS));
        QCOMPARE(director.favouriteMembershipsReplaced(), 0);
        QCOMPARE(director.childLocksReplaced(), 0);
    }

    void fileWithoutAstraListKeepsTheDocumentsAstraList() {
        writeFile(path("noastra.ulmx"), [](ChannelListProvider &file) { file.astraHDList()->clear(); });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const ChannelList<AstraHDChannel> astra = *document.astraHDList();
        const ProviderMap providers = SatelliteChannel::serviceProviders.value(ProviderCategory::ASTRA_HD);
        const ProviderMap bouquets = SatelliteChannel::bouquets.value(ProviderCategory::ASTRA_HD);
        QVERIFY(!astra.isEmpty() && !providers.isEmpty() && !bouquets.isEmpty());

        QCOMPARE(director.merge(path("noastra.ulmx"), &document), int(RC_SUCCESS));
        QVERIFY(*document.astraHDList() == astra);
        QCOMPARE(SatelliteChannel::serviceProviders.value(ProviderCategory::ASTRA_HD), providers);
        QCOMPARE(SatelliteChannel::bouquets.value(ProviderCategory::ASTRA_HD), bouquets);
    }

    void astraListWithoutSatelliteListLandsOnTheRightTransponders() {
        // The file has a satellite database and an Astra HD+ list, but no satellite list for the country. Its
        // one Astra HD+ channel sits on a transponder the document does not know yet.
        writeFile(path("astraonly.ulmx"), [](ChannelListProvider &file) {
            file.satelliteList()->clear();
            SatelliteChannel::transponders.insert(500, transponder(0x00C0, 12603000.0f));
            ChannelList<AstraHDChannel> &astra = *file.astraHDList();
            astra.clear();
            const quint16 bouquets[] = {2};
            astra.append(AstraHDChannel(61, QStringLiteral("Merged HD"), 1, 500, 2, 9, 1, 0, bouquets, 1, 1,
                                        true, false, Channel::DIGITAL, -1, 0));
            astra.append(AstraHDChannel(62, QStringLiteral("Known HD"), 2, 3, 1, 10, 2, 0, bouquets, 1, 1,
                                        true, false, Channel::DIGITAL, -1, 0));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const ChannelList<SatelliteChannel> satellite = *document.satelliteList();
        const float known = SatelliteChannel::transponders.value(3).frequency;
        QCOMPARE(keyOf(12603000.0f), qint64(-1));

        QCOMPARE(director.merge(path("astraonly.ulmx"), &document), int(RC_SUCCESS));
        QVERIFY(*document.satelliteList() == satellite);
        QVERIFY(keyOf(12603000.0f) >= 0);
        const ChannelList<AstraHDChannel> &astra = *document.astraHDList();
        // The rest of the raw favourite range is placeholders.
        QCOMPARE(
            std::count_if(astra.begin(), astra.end(), [](const AstraHDChannel &c) { return !c.isDeleted(); }),
            2);
        QCOMPARE(astra[0].transponderId(), quint32(keyOf(12603000.0f)));
        QCOMPARE(astra[0].frequency(), 12603.0f);
        QCOMPARE(astra[0].satelliteName(), QStringLiteral("Astra 19.2E"));
        QCOMPARE(astra[1].frequency(), known / 1000);
        QCOMPARE(astra[0].providerName(), QStringLiteral("RTL \"HD\""));
        QCOMPARE(SatelliteChannel::bouquet(ProviderCategory::ASTRA_HD, astra[0].bouquetId(0)).name,
                 QStringLiteral("HD+ Premium"));
    }

    void userSatellitesFitIntoFreeSlots() {
        writeFile(path("users.ulmx"), [](ChannelListProvider &file) {
            // The file's user satellites are 0xFFE2 (the document's 0xFFE1 under another id) and 0xFFE3.
            SatelliteChannel::satellites.remove(0xFFE1);
            SatelliteChannel::satellites.insert(0xFFE2, SatelliteInfo{"File user 2", 8, 0x0050, 2});
            SatelliteChannel::satellites.insert(0xFFE3, SatelliteInfo{"File user 3", 1, 0x0060, 2});
            for (Transponder &tp : SatelliteChannel::transponders) {
                if (quint16(tp.satelliteId) == 0xFFE1)
                    tp.satelliteId = qint16(0xFFE2);
            }
            SatelliteChannel::transponders.insert(600, transponder(0xFFE3, 11111000.0f));
            file.satelliteList()->append(SatelliteChannel(9999, "On user 3", 999, 600, NO_ID, 1, false, false,
                                                          Channel::DIGITAL, -1, 0));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document, [](ChannelListProvider &) {
            SatelliteChannel::satellites.insert(0xFFE2, SatelliteInfo{"Doc user 2", 0, 0x0070, 2});
        });
        const int before = document.satelliteList()->size();

        QCOMPARE(director.merge(path("users.ulmx"), &document), int(RC_SUCCESS));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE1).name, QStringLiteral("User \u00d6sat"));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE2).name, QStringLiteral("Doc user 2"));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE3).name, QStringLiteral("File user 2"));
        QCOMPARE(SatelliteChannel::satellites.value(0xFFE4).name, QStringLiteral("File user 3"));
        const ChannelList<SatelliteChannel> &list = *document.satelliteList();
        QVERIFY(list.size() > before);
        QCOMPARE(list[list.size() - 1].serviceId(), 9999);
        QCOMPARE(list[list.size() - 1].satelliteName(), QStringLiteral("File user 3"));
        QCOMPARE(list[list.size() - 1].frequency(), 11111.0f);
    }

    void userSatellitesThatDoNotFitChangeNothing() {
        // A universal file keeps only satellites with transponders; a merge takes only user satellites that
        // its channels use.
        writeFile(path("crowded.ulmx"), [](ChannelListProvider &file) {
            SatelliteChannel::satellites.insert(0xFFE2, SatelliteInfo{"File user 2", 1, 0x0010, 2});
            SatelliteChannel::satellites.insert(0xFFE3, SatelliteInfo{"File user 3", 1, 0x0020, 2});
            SatelliteChannel::transponders.insert(800, transponder(0xFFE2, 12000000.0f));
            SatelliteChannel::transponders.insert(801, transponder(0xFFE3, 12100000.0f));
            for (quint32 tp : {800u, 801u})
                file.satelliteList()->append(SatelliteChannel(int(tp), "On a user satellite", 900, tp, NO_ID,
                                                              1, false, false, Channel::DIGITAL, -1, 0));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document, [](ChannelListProvider &) {
            for (quint16 id = 0xFFE2; id <= 0xFFE8; ++id)
                SatelliteChannel::satellites.insert(id, SatelliteInfo{"Doc user", 0, 0x0030, 2});
        });
        const State before(document);
        QCOMPARE(director.merge(path("crowded.ulmx"), &document), int(RC_NO_FREE_USER_SATELLITE_SLOTS));
        before.verifyUnchanged(document);
    }

    void databaseComesOnlyWithTheChannelsThatUseIt() {
        // The document has eight user satellites; the file three that none of its channels uses.
        const auto addUnusedUserSatellites = [](ChannelListProvider &) {
            for (quint16 id = 0xFFE2; id <= 0xFFE4; ++id) {
                SatelliteChannel::satellites.insert(id, SatelliteInfo{"Unused file user", 1, 0x0010, 2});
                SatelliteChannel::transponders.insert(800 + id, transponder(id, 12000000.0f + 1000.0f * id));
            }
        };
        // One file with a cable list and no satellite or Astra HD+ list for the country, one with the lists.
        writeFile(path("cableonly.ulmx"), [&](ChannelListProvider &file) {
            addUnusedUserSatellites(file);
            SatelliteChannel::satellites.insert(0x0050, SatelliteInfo{"Only in the file", 1, 0x8050, 2});
            SatelliteChannel::transponders.insert(900, transponder(0x0050, 11700000.0f));
            file.satelliteList()->clear();
            file.astraHDList()->clear();
            file.cableList()->clear();
            file.cableList()->append(CableChannel(700, QStringLiteral("Only cable"), 1, 474.0f, 1, false,
                                                  false, Channel::DIGITAL, 6900, 0, 6, 2, -1, 0));
        });
        // Its user satellite in use is not the document's own under another name: it needs a slot.
        writeFile(path("satellite.ulmx"), [&](ChannelListProvider &file) {
            addUnusedUserSatellites(file);
            SatelliteChannel::satellites[0xFFE1].name = QStringLiteral("File user");
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document, [](ChannelListProvider &) {
            for (quint16 id = 0xFFE2; id <= 0xFFE8; ++id)
                SatelliteChannel::satellites.insert(id, SatelliteInfo{"Doc user", 0, 0x0030, 2});
        });
        const SatelliteMap satellites = SatelliteChannel::satellites;
        const TransponderMap transponders = SatelliteChannel::transponders;

        QCOMPARE(director.merge(path("cableonly.ulmx"), &document), int(RC_SUCCESS));
        QCOMPARE(document.cableList()->size(), 1);
        QCOMPARE(document.cableList()->at(0).name(), QStringLiteral("Only cable"));
        QVERIFY(SatelliteChannel::satellites == satellites);
        QVERIFY(SatelliteChannel::transponders == transponders);

        // The file's user satellite in use takes the one free slot; the unused ones stay out.
        QCOMPARE(director.merge(path("satellite.ulmx"), &document), int(RC_SUCCESS));
        QCOMPARE(SatelliteChannel::satellites.size(), satellites.size() + 1);
        for (const SatelliteInfo &satellite : SatelliteChannel::satellites)
            QVERIFY(satellite.name != QStringLiteral("Unused file user"));
    }

    void mergingTheSameFileAgainChangesNothing_data() {
        QTest::addColumn<Shape>("shape");
        QTest::addColumn<int>("source");
        QTest::newRow("standard document") << Shape() << int(OwnExport);
        // Its own user satellites take no second slot: with every slot in use there is none to take.
        QTest::newRow("all user slots in use") << Shape([](ChannelListProvider &document) {
            for (quint16 id = SatelliteIds::FIRST_USER + 1; id <= SatelliteIds::LAST_USER; ++id)
                addUserSatellite(document, id, "Doc user", id - 0xFF00, 12000000.0f, "On a user satellite");
        }) << int(OwnExport);
        // The file holds the name without the character.
        QTest::newRow("user satellite name XML cannot hold") << Shape([](ChannelListProvider &) {
            SatelliteChannel::satellites[SatelliteIds::FIRST_USER].name = QStringLiteral("User\u0001 sat");
        }) << int(OwnExport);
        // The file holds no transponder without its satellite, nor a character XML cannot hold: the channel
        // comes back without either.
        QTest::newRow("transponder of an unknown satellite") << Shape([](ChannelListProvider &document) {
            SatelliteChannel::transponders.insert(700, transponder(0x0777, 11700000.0f));
            document.satelliteList()->append(SatelliteChannel(7000, QStringLiteral("Feed\u0001"), 700, 700,
                                                              NO_ID, 1, false, false, Channel::DIGITAL, -1,
                                                              0));
        }) << int(OwnExport);
        // Written without a text, read back as unknown.
        QTest::newRow("polarity without a text")
            << Shape([](ChannelListProvider &) { SatelliteChannel::transponders[0].polarity = 3; })
            << int(OwnExport);
        QTest::newRow("provider name XML cannot hold") << Shape([](ChannelListProvider &) {
            SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE][1].name =
                QStringLiteral("ARD\u0001");
        }) << int(OwnExport);
        // The raw save cut the names of a user satellite, a provider and a channel the file holds without a
        // transponder; merged either way round.
        const auto longNames = [](const QString &end) {
            return Shape([end](ChannelListProvider &document) {
                SatelliteChannel::satellites[SatelliteIds::FIRST_USER].name = QString(63, 'S') + end;
                SatelliteChannel::serviceProviders[ProviderCategory::SATELLITE][1].name =
                    QString(63, 'P') + end;
                SatelliteChannel::transponders.insert(700, transponder(0x0777, 11700000.0f));
                document.satelliteList()->append(SatelliteChannel(
                    7000, QString(63, 'F') + end, 700, 700, NO_ID, 1, false, false, Channel::DIGITAL, -1, 0));
            });
        };
        QTest::newRow("names a raw record cuts") << longNames("-cut-off") << int(UniversalOriginal);
        QTest::newRow("names a raw record cut, into the original")
            << longNames("-cut-off") << int(RawCopysExport);
        QTest::newRow("names cut inside a surrogate pair")
            << longNames("\U0001F4E1") << int(UniversalOriginal);
        // User satellites at one position that names cannot tell apart: the standard one renamed, then one
        // with a transponder each (step kHz apart), and a channel where one is named.
        const auto twins = [](const QStringList &names, const QStringList &channels, float step = 50000) {
            return Shape([=](ChannelListProvider &document) {
                SatelliteChannel::satellites[SatelliteIds::FIRST_USER].name = names[0];
                for (quint16 i = 1; i < names.size(); ++i)
                    addUserSatellite(document, SatelliteIds::FIRST_USER + i, names[i], 0x0050,
                                     12000000.0f + step * i, channels[i]);
            });
        };
        const QString stem(64, 'U');
        const Shape longBesideItsCut = twins({stem + "-alpha", stem}, {"", "On P"});
        const Shape threeNames = twins({stem + "-alpha", stem + "-bravo", stem}, {"", "On B", "On P"});
        const Shape unusedTwin = twins({"User sat", "My dish", "My dish"}, {"", "", "On S3"});
        // The raw copy names both as the unused one is named.
        const Shape cutBesideUnused = twins({"User sat", stem, stem + "-alpha"}, {"", "", "On A"});
        const char *const into[] = {"", "into the raw copy", "the raw copy's into it", "into itself"};
        for (const int merge : {UniversalOriginal, RawCopysExport}) {
            QTest::addRow("a long name beside its cut, %s", into[merge]) << longBesideItsCut << merge;
            QTest::addRow("three names, %s", into[merge]) << threeNames << merge;
        }
        for (const int merge : {UniversalOriginal, RawCopysExport, Itself})
            QTest::addRow("an unused twin, %s", into[merge]) << unusedTwin << merge;
        QTest::newRow("a cut name beside an unused one") << cutBesideUnused << int(RawCopysExport);
        // The raw copy keeps the used one only, named as the unused one is.
        QTest::newRow("a cut name beside an unused one on its frequency")
            << twins({"User sat", stem + "-alpha", stem}, {"", "On A", ""}, 0) << int(RawCopysExport);
    }

    void mergingTheSameFileAgainChangesNothing() {
        // The document's own list exported, or the universal file it was saved from, merged back adds
        // nothing.
        QFETCH(Shape, shape);
        QFETCH(int, source);
        if (source != OwnExport)
            writeFile(path(source == UniversalOriginal ? "own.ulmx" : "original.ulmx"), shape);
        const QString merged = path(source == Itself ? "original.ulmx" : "own.ulmx");
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document, shape);
        if (source != UniversalOriginal)
            QCOMPARE(DocumentFixture::writeUniversal(document, path("own.ulmx")), int(RC_SUCCESS));
        if (source == RawCopysExport || source == Itself) {
            SatelliteChannel::clearDatabase();
            QCOMPARE(director.open(path("original.ulmx"), &document, "DEU"), int(RC_SUCCESS));
            director.commit();
        }
        const ChannelList<SatelliteChannel> satellite = *document.satelliteList();
        const SatelliteMap satellites = SatelliteChannel::satellites;
        const ProviderMap providers = SatelliteChannel::serviceProviders.value(ProviderCategory::SATELLITE);

        const TransponderMap transponders = SatelliteChannel::transponders;

        QCOMPARE(director.merge(merged, &document), int(RC_SUCCESS));
        QVERIFY(*document.satelliteList() == satellite);
        QVERIFY(SatelliteChannel::satellites == satellites);
        QVERIFY(SatelliteChannel::transponders == transponders);
        QVERIFY(SatelliteChannel::serviceProviders.value(ProviderCategory::SATELLITE) == providers);
        const State twice(document);
        QCOMPARE(director.merge(merged, &document), int(RC_SUCCESS));
        twice.verifyUnchanged(document);
    }

    void broughtBackFavouriteTakesAPlaceOfItsOwn_data() {
        QTest::addColumn<int>("stayed");        // the member that stayed in list 1
        QTest::addColumn<int>("kept");          // what the deleted channel kept for undo
        QTest::addColumn<int>("added");         // a member added since, or -1
        QTest::addColumn<QList<int>>("merged"); // stayed, added and the channel brought back
        // No place above the highest: packed first, as an add does.
        QTest::newRow("at the top") << 65534 << 65535 << 65535 << QList<int>({1, 2, 3});
        // The deletion packed the member that followed onto the deleted channel's place.
        QTest::newRow("away from the top") << 1 << 1 << -1 << QList<int>({1, -1, 2});
        // Nobody took its place: it keeps it, below the highest.
        QTest::newRow("place still free") << 5 << 2 << -1 << QList<int>({5, -1, 2});
    }

    void broughtBackFavouriteTakesAPlaceOfItsOwn() {
        QFETCH(int, stayed);
        QFETCH(int, kept);
        QFETCH(int, added);
        QFETCH(QList<int>, merged);
        writeFile(path("standard.ulmx"), nullptr);
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        ChannelList<SatelliteChannel> &list = *document.satelliteList();
        for (SatelliteChannel &channel : list)
            channel.setFavouritePosition(1, Channel::NOT_A_MEMBER);
        list[0].setFavouritePosition(1, stayed);
        list[1].setFavouritePosition(1, kept);
        list[1].setDeleted(true);
        list[3].setFavouritePosition(1, added);

        QCOMPARE(director.merge(path("standard.ulmx"), &document), int(RC_SUCCESS));
        QVERIFY(!list[1].isDeleted());
        QCOMPARE(QList<int>({list[0].favouritePosition(1), list[3].favouritePosition(1),
                             list[1].favouritePosition(1)}),
                 merged);
    }

    void userSatelliteWhoseChannelsTheDocumentHoldsTakesNoSlot() {
        // The document's own list exported with its user satellite moved: not the same satellite, but every
        // channel on it is the document's already, so nothing would use the slot it took.
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const SatelliteMap satellites = SatelliteChannel::satellites;
        SatelliteChannel::satellites[0xFFE1].orbitalPos = 0x0060;
        QCOMPARE(DocumentFixture::writeUniversal(document, path("moved.ulmx")), int(RC_SUCCESS));
        SatelliteChannel::satellites = satellites;

        QCOMPARE(director.merge(path("moved.ulmx"), &document), int(RC_SUCCESS));
        QVERIFY(SatelliteChannel::satellites == satellites);
    }

    void astraListStaysOutOfA2010Document() {
        writeFile(path("astra.ulmx"), nullptr);
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document, nullptr, FF_RAW_2010_01);
        const CategoryProviderMap providers = SatelliteChannel::serviceProviders;
        QCOMPARE(director.merge(path("astra.ulmx"), &document), int(RC_SUCCESS));
        QVERIFY(document.astraHDList()->isEmpty());
        QCOMPARE(SatelliteChannel::serviceProviders.value(ProviderCategory::ASTRA_HD),
                 providers.value(ProviderCategory::ASTRA_HD));
    }

    void mergedAstraListTakesTheRawShape() {
        // A raw file packs the favourite range: the next save writes 1, 2, 3 for 5, 10, 20.
        writeFile(path("numbers.ulmx"), [](ChannelListProvider &file) {
            ChannelList<AstraHDChannel> &astra = *file.astraHDList();
            while (astra.size() > 4)
                astra.erase(astra.size() - 1);
            const quint16 numbers[] = {5, 10, 20, 150};
            for (int i = 0; i < 4; ++i)
                astra[i].setNumber(numbers[i]);
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        QCOMPARE(director.merge(path("numbers.ulmx"), &document), int(RC_SUCCESS));
        QList<int> live;
        for (const AstraHDChannel &channel : *document.astraHDList()) {
            if (!channel.isDeleted())
                live.append(channel.number());
        }
        QCOMPARE(live, QList<int>({1, 2, 3, 150}));
    }

    void overfullAstraRangeIsRefused() {
        // 100 live channels numbered 1 to 99 (numbers repeat): a raw document could not save them.
        writeFile(path("overfull.ulmx"), [](ChannelListProvider &file) {
            ChannelList<AstraHDChannel> &astra = *file.astraHDList();
            const quint16 bouquets[] = {1};
            for (int i = astra.size(); i < 100; ++i)
                astra.append(AstraHDChannel(5000 + i, QStringLiteral("Extra %1").arg(i), quint16(1 + i % 99),
                                            0, 1, 0, 0, 0, bouquets, 1, 1, false, false, Channel::DIGITAL, 1,
                                            1));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const State before(document);
        QCOMPARE(director.merge(path("overfull.ulmx"), &document), int(RC_ASTRA_HD_RANGE_FULL));
        before.verifyUnchanged(document);
    }

    void nothingForTheCountryChangesNothing() {
        writeFile(path("france.ulmx"), [](ChannelListProvider &file) {
            file.setCountry(QStringLiteral("FRA"));
            SatelliteChannel::satellites.insert(0x0050, SatelliteInfo{"Only in the file", 1, 0x8050, 2});
            SatelliteChannel::transponders.insert(900, transponder(0x0050, 11700000.0f));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const State before(document);
        QCOMPARE(director.merge(path("france.ulmx"), &document), int(RC_NO_SERVICE_LIST));
        before.verifyUnchanged(document);
    }

    void documentOfAnyCountryTakesTheOnlyCountryTheFileNames() {
        writeFile(path("germany.ulmx"), [](ChannelListProvider &file) {
            (*file.cableList())[0].setName(QStringLiteral("From the file"));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document, [](ChannelListProvider &source) { source.setCountry("*"); });
        QCOMPARE(document.country(), QStringLiteral("*"));
        QCOMPARE(director.merge(path("germany.ulmx"), &document), int(RC_SUCCESS));
        QCOMPARE((*document.cableList())[0].name(), QStringLiteral("From the file"));

        // With several countries the merge is refused; it offers no choice, so it names none to choose from.
        QFile several(path("several.ulmx"));
        QVERIFY(several.open(QIODevice::WriteOnly));
        several.write("<ULM><ulm_body><service_database>"
                      "<service_list type=\"analog-a\"><country_code val=\"DEU\"/></service_list>"
                      "<service_list type=\"analog-c\"><country_code val=\"FRA\"/></service_list>"
                      "</service_database></ulm_body></ULM>");
        several.close();
        QCOMPARE(director.merge(path("several.ulmx"), &document), int(RC_NO_SERVICE_LIST));
        QCOMPARE(director.countriesToChooseFrom(), QStringList());
    }

    void rollbackTakesBackTheMergedDatabase() {
        writeFile(path("more.ulmx"), [](ChannelListProvider &) {
            SatelliteChannel::satellites.insert(0x0050, SatelliteInfo{"New satellite", 1, 0x8050, 2});
            SatelliteChannel::transponders.insert(700, transponder(0x0050, 11900000.0f));
        });
        DataDirector director;
        ChannelListProvider document(&director);
        openDocument(director, document);
        const State before(document);
        // The window merges into a copy of the document and drops the copy when the user cancels.
        ChannelListProvider copy(&director);
        copy.assignChannels(document);
        QCOMPARE(director.merge(path("more.ulmx"), &copy), int(RC_SUCCESS));
        QVERIFY(SatelliteChannel::satellites.contains(0x0050));
        director.rollback();
        before.verifyUnchanged(document);
        QCOMPARE(director.currentFormatCode(), int(FF_RAW_2012_01));

        QCOMPARE(director.merge(path("more.ulmx"), &copy), int(RC_SUCCESS));
        director.commit();
        director.rollback();
        QVERIFY(SatelliteChannel::satellites.contains(0x0050));
    }
};

QTEST_GUILESS_MAIN(TestMergeDirector)
#include "tst_merge_director.moc"
