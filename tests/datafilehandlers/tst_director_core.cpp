#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datadirector.h"
#include "datafilehandlers/datafilehandler.h"
#include "support/databasesnapshot.h"

#include <QtTest>

#include <memory>

// The director's own rules, run against a scripted handler: the order of the load steps, how their codes
// combine, what a failure leaves behind, and the keeping and restoring of the replaced state.
namespace {
struct Script {
    QStringList calls;
    int satellite = RC_SUCCESS;
    int cable = RC_SUCCESS;
    int air = RC_SUCCESS;
    int astra = RC_SUCCESS;
    int countryCode = RC_SUCCESS;
    int saveCode = RC_SUCCESS;
    QString country = QStringLiteral("DEU");
    QString requestedCountry;
    int saves = 0;
    int endSaves = 0;
};

class ScriptedHandler : public DataFileHandler {
public:
    ScriptedHandler(Script &script, int format, const QString &tag)
        : m_script(script), m_format(format), m_tag(tag) {}

    int formatCode() const override { return m_format; }
    QString version() const override { return m_tag; }
    int favouritesListCount() const override { return m_format == 0 ? 0 : 5; }

    int loadAir(ChannelList<AirChannel> &list, const QString &country) override {
        m_script.calls << QStringLiteral("air");
        m_script.requestedCountry = country;
        if (m_script.air == RC_SUCCESS)
            list.append(AirChannel(1, m_tag + "-air", 1, 474.0f, 1, false, false, 0, 8, 0, 6, 1, 1));
        return m_script.air;
    }
    int loadCable(ChannelList<CableChannel> &list, const QString &) override {
        m_script.calls << QStringLiteral("cable");
        if (m_script.cable == RC_SUCCESS)
            list.append(
                CableChannel(2, m_tag + "-cable", 2, 306.0f, 1, false, false, 0, 6900, 0, 6, 1, 1, 1));
        return m_script.cable;
    }
    int loadSatellite(ChannelList<SatelliteChannel> &list, SatelliteMap &satellites,
                      TransponderMap &transponders, CategoryProviderMap &providers, int *header,
                      const QString &) override {
        m_script.calls << QStringLiteral("satellite");
        satellites.insert(1, SatelliteInfo{m_tag, 1, 0x80C0, 2});
        Transponder tp;
        tp.satelliteId = 1;
        tp.frequency = 11494000.0f;
        transponders.insert(0, tp);
        providers[3].insert(0, ServiceProvider{m_tag, 0, 0});
        if (header)
            *header = 4711;
        if (m_script.satellite == RC_SUCCESS)
            list.append(SatelliteChannel(3, m_tag + "-sat", 3, 0, 0, 1, false, false, 0, 1, 1));
        return m_script.satellite;
    }
    int loadAstraHD(ChannelList<AstraHDChannel> &list, SatelliteMap &, TransponderMap &,
                    CategoryProviderMap &providers, CategoryProviderMap &bouquets, int *,
                    const QString &) override {
        m_script.calls << QStringLiteral("astra");
        providers[8].insert(1, ServiceProvider{m_tag + "-hd", 0, 0});
        bouquets[8].insert(1, ServiceProvider{m_tag + "-bouquet", 0, 0});
        if (m_script.astra == RC_SUCCESS)
            list.append(
                AstraHDChannel(4, m_tag + "-hd", 1, 0, 1, 0, 0, 0, nullptr, 0, 1, false, false, 0, 1, 1));
        return m_script.astra;
    }
    int country(QString &country) override {
        m_script.calls << QStringLiteral("country");
        country = m_script.country;
        return m_script.countryCode;
    }
    int save(ChannelListProvider &) override {
        ++m_script.saves;
        return m_script.saveCode;
    }
    void emptyHook() override {}
    void endSave(bool commit) override {
        if (commit)
            ++m_script.endSaves;
    }

private:
    Script &m_script;
    int m_format;
    QString m_tag;
};

QStringList workingFolders() {
    return QDir(QDir::tempPath()).entryList({QStringLiteral("tunewrk_*")}, QDir::Dirs | QDir::Hidden);
}
} // namespace

class TestDirectorCore : public QObject {
    Q_OBJECT

    QTemporaryDir m_files;
    QString m_path;

    ScriptedHandler *handler(Script &script, int format = 5, const QString &tag = QStringLiteral("A")) {
        return new ScriptedHandler(script, format, tag);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_files.isValid());
        m_path = m_files.filePath(QStringLiteral("list.dat"));
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    void init() { SatelliteChannel::clearDatabase(); }

    void loadRunsTheStepsInOrderAndFillsTheDocument() {
        Script script;
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, QStringLiteral("deu"), handler(script)), int(RC_SUCCESS));
        QCOMPARE(script.calls, QStringList({"satellite", "cable", "air", "astra", "country"}));
        QCOMPARE(script.requestedCountry, QStringLiteral("deu"));
        QCOMPARE(document.airList()->at(0).name(), QStringLiteral("A-air"));
        QCOMPARE(document.cableList()->size(), 1);
        QCOMPARE(document.satelliteList()->size(), 1);
        QCOMPARE(document.astraHDList()->size(), 1);
        QCOMPARE(document.country(), QStringLiteral("DEU"));
        QCOMPARE(document.versionText(), QStringLiteral("A"));
        QCOMPARE(document.formatCode(), 5);
        QCOMPARE(document.favouritesListCount(), 5);
        QCOMPARE(SatelliteChannel::databaseHeader, 4711);
        QCOMPARE(SatelliteChannel::satellites.value(1).name, QStringLiteral("A"));
        QCOMPARE(SatelliteChannel::bouquets.value(8).value(1).name, QStringLiteral("A-bouquet"));
    }

    void stepCodesCombine_data() {
        QTest::addColumn<int>("satellite");
        QTest::addColumn<int>("cable");
        QTest::addColumn<int>("air");
        QTest::addColumn<int>("astra");
        QTest::addColumn<int>("country");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QStringList>("calls");
        const QStringList all{"satellite", "cable", "air", "astra", "country"};
        QTest::newRow("one list is enough") << 10 << 10 << 0 << 10 << 0 << 0 << all;
        QTest::newRow("no list at all") << 10 << 10 << 10 << 10 << 0 << 10 << all;
        QTest::newRow("cable fails after satellite")
            << 0 << 8 << 0 << 0 << 0 << 8 << QStringList{"satellite", "cable"};
        QTest::newRow("contents detail passes through")
            << 1004 << 0 << 0 << 0 << 0 << 1004 << QStringList{"satellite"};
        QTest::newRow("country fails") << 0 << 0 << 0 << 0 << 4 << 4 << all;
        QTest::newRow("country fails before no-list") << 10 << 10 << 10 << 10 << 1016 << 1016 << all;
    }
    void stepCodesCombine() {
        QFETCH(int, satellite);
        QFETCH(int, cable);
        QFETCH(int, air);
        QFETCH(int, astra);
        QFETCH(int, country);
        QFETCH(int, expected);
        QFETCH(QStringList, calls);

        // A document and database from an earlier open, which a failure must leave exactly as they are.
        Script first;
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, "*", handler(first, 4, "old")), 0);
        const DatabaseSnapshot before;

        Script script;
        script.satellite = satellite;
        script.cable = cable;
        script.air = air;
        script.astra = astra;
        script.countryCode = country;
        ChannelListProvider fresh(&director);
        QCOMPARE(director.open(m_path, &fresh, "*", handler(script, 5, "new")), expected);
        QCOMPARE(script.calls, calls);
        if (expected == RC_SUCCESS) {
            QCOMPARE(fresh.airList()->size(), 1);
            QVERIFY(fresh.cableList()->isEmpty());
            QCOMPARE(director.currentFormatCode(), 5);
            return;
        }
        QVERIFY(before == DatabaseSnapshot());
        QVERIFY(fresh.airList()->isEmpty() && fresh.satelliteList()->isEmpty());
        QCOMPARE(fresh.formatCode(), 0);
        QCOMPARE(fresh.versionText(), QString());
        QCOMPARE(director.currentFormatCode(), 4);
    }

    void successfulOpenReplacesTheWholeDatabase() {
        SatelliteChannel::satellites.insert(77, SatelliteInfo{"stale", 0, 0, 0});
        SatelliteChannel::serviceProviders[8].insert(5, ServiceProvider{"stale", 0, 0});
        Script script;
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, "*", handler(script)), 0);
        QVERIFY(!SatelliteChannel::satellites.contains(77));
        QVERIFY(!SatelliteChannel::serviceProviders.value(8).contains(5));
    }

    void emptyCountryReadsAsNoCountry() {
        Script script;
        script.country.clear();
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, QString(), handler(script)), 0);
        QCOMPARE(document.country(), QStringLiteral("*"));

        Script tooLong;
        tooLong.country = QStringLiteral("DEUT");
        ChannelListProvider other(&director);
        QCOMPARE(director.open(m_path, &other, "*", handler(tooLong)), int(RC_INVALID_CONTENTS) + 16);
    }

    void pathsThatAreNoList() {
        DataDirector director;
        ChannelListProvider document(&director);
        Script script;
        QCOMPARE(director.open(m_files.filePath("missing.rvl"), &document, "*"), int(RC_FILE_NOT_FOUND));
        QCOMPARE(director.open(m_files.filePath("missing.ulmx"), &document, "*", handler(script)),
                 int(RC_FILE_NOT_FOUND));
        QVERIFY(script.calls.isEmpty());
        QCOMPARE(director.open(m_path, &document, "*"), int(RC_INVALID_FORMAT)); // ".dat"
        QVERIFY(QDir().mkpath(m_files.filePath("folder.rvl")));
        QCOMPARE(director.open(m_files.filePath("folder.rvl"), &document, "*"), int(RC_CANNOT_OPEN));
        QCOMPARE(director.open(QString(), &document, "*"), int(RC_FILE_NOT_FOUND));
        QVERIFY(workingFolders().isEmpty());
        QCOMPARE(director.currentFormatCode(), -1);
    }

    void saveWithoutDocumentIsRefused() {
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.save(&document, m_files.filePath("out.rvl"), FF_KEEP), int(RC_INVALID_FORMAT));
        QCOMPARE(director.save(&document, m_files.filePath("out.rvl"), FF_RAW_2012_01),
                 int(RC_INVALID_FORMAT));
        QVERIFY(!QFileInfo::exists(m_files.filePath("out.rvl")));
        QVERIFY(workingFolders().isEmpty());
    }

    void saveInTheOwnFormatKeepsTheFormatCode() {
        Script script;
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, "*", handler(script, 5)), 0);
        document.setFormatCode(3); // what a Save As left in it
        QCOMPARE(director.save(&document, m_path, FF_KEEP), 0);
        QCOMPARE(script.saves, 1);
        QCOMPARE(script.endSaves, 1);
        QCOMPARE(document.formatCode(), 5); // the code of the handler in use before the save
        QCOMPARE(document.versionText(), QStringLiteral("A"));

        script.saveCode = RC_CANNOT_WRITE;
        document.setVersionText("unchanged");
        QCOMPARE(director.save(&document, m_path, 5), int(RC_CANNOT_WRITE));
        QCOMPARE(script.endSaves, 1);
        QCOMPARE(document.versionText(), QStringLiteral("unchanged"));
    }

    void unknownSaveFormatsAreRefused() {
        Script script;
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, "*", handler(script, 5)), 0);
        for (int format : {0, 2, 7, -1})
            QCOMPARE(director.save(&document, m_files.filePath("x.rvl"), format), int(RC_INVALID_FORMAT));
        QCOMPARE(script.saves, 0);
        QVERIFY(workingFolders().isEmpty());
    }

    void rollbackRestoresWhatTheOpenReplaced() {
        Script first;
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, "*", handler(first, 4, "old")), 0);
        director.commit();
        const DatabaseSnapshot before;
        const ChannelList<AirChannel> airBefore = *document.airList();

        Script second;
        ChannelListProvider fresh(&director);
        QCOMPARE(director.open(m_path, &fresh, "*", handler(second, 5, "new")), 0);
        QCOMPARE(director.currentFormatCode(), 5);
        QVERIFY(!(before == DatabaseSnapshot()));
        director.rollback();
        QCOMPARE(director.currentFormatCode(), 4);
        QVERIFY(before == DatabaseSnapshot());
        QCOMPARE(*document.airList(), airBefore);
        // A Save of the old document now goes through the old handler.
        QCOMPARE(director.save(&document, m_path, FF_KEEP), 0);
        QCOMPARE(first.saves, 1);
        QCOMPARE(second.saves, 0);
        // Rolling back twice, or with nothing pending, changes nothing.
        director.rollback();
        QCOMPARE(director.currentFormatCode(), 4);
    }

    void commitKeepsTheNewState() {
        Script first;
        Script second;
        DataDirector director;
        ChannelListProvider document(&director);
        QCOMPARE(director.open(m_path, &document, "*", handler(first, 4, "old")), 0);
        QCOMPARE(director.open(m_path, &document, "*", handler(second, 5, "new")), 0);
        const DatabaseSnapshot after;
        director.commit();
        director.rollback(); // nothing left to roll back
        QCOMPARE(director.currentFormatCode(), 5);
        QVERIFY(after == DatabaseSnapshot());
    }

    void workingFolderNames() {
        const QString name = DataDirector::workingFolderName();
        const QRegularExpression pattern(QStringLiteral("^tunewrk_(\\d+)_(\\d+)$"));
        const QRegularExpressionMatch match = pattern.match(name);
        QVERIFY2(match.hasMatch(), qPrintable(name));
        QCOMPARE(match.captured(1).toLongLong(), QCoreApplication::applicationPid());
        QVERIFY(qAbs(match.captured(2).toLongLong() - QDateTime::currentSecsSinceEpoch()) <= 2);
    }

    void removalDoesNotFollowLinksAndKeepsGoing() {
        QTemporaryDir outside;
        QFile keep(outside.filePath("keep"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();

        const QString root = m_files.filePath("removeme");
        QVERIFY(QDir().mkpath(root + "/sub/deeper"));
        for (const char *name : {"a", ".hidden", "sub/b", "sub/deeper/c"}) {
            QFile file(root + "/" + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(outside.path(), root + "/link-to-folder"));
        QVERIFY(QFile::link(outside.filePath("keep"), root + "/sub/link-to-file"));
        QVERIFY(QFile::link(outside.filePath("gone"), root + "/dangling"));

        QVERIFY(DataDirector::removeDirRecursively(QDir(root)));
        QVERIFY(!QFileInfo::exists(root));
        QVERIFY(QFileInfo::exists(outside.filePath("keep")));
        // A link given as the folder itself is refused.
        QVERIFY(QFile::link(outside.path(), m_files.filePath("rootlink")));
        QVERIFY(!DataDirector::removeDirRecursively(QDir(m_files.filePath("rootlink"))));
        QVERIFY(QFileInfo::exists(outside.filePath("keep")));
    }
};

QTEST_GUILESS_MAIN(TestDirectorCore)
#include "tst_director_core.moc"
