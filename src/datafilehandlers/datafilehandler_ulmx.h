#ifndef DATAFILEHANDLER_ULMX_H
#define DATAFILEHANDLER_ULMX_H

#include "datafilehandlers/datafilehandler.h"
#include "datafilehandlers/ulmxtree.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>

class UlmxPathReader;

// The universal channel-list file (".ulmx"): an XML document with a satellite database and service lists,
// each list tagged with a country. Every loader takes the list of its kind that names the requested country,
// or else one tagged "*".
//
// The file is read and parsed once, by the first loader, and the tree serves every loader after it; it is
// dropped when the load is over (country() or save()), so an open document keeps no second copy of its file.
// A file that is not well-formed XML with the root "ULM" gives RC_INVALID_FORMAT from every loader, so a
// broken file never opens as an empty document that a later save would write over the original.
//
// A file may hold lists the document does not own (other countries', "*" lists beside named ones, and the "*"
// list a document of a named country fell back to: its copy is written under the document's country). The end
// of a load keeps their XML, and every save by this handler writes them back after the document's own lists,
// their links renumbered to the records of that save: a save never removes a list the user could not see,
// nor changes what another country opens.
//
// The members are defined in three files, as the format splits: datafilehandler_ulmx.cpp (the loaders and
// the walk over the document's skeleton), datafilehandler_ulmx_readers.cpp (the section readers) and
// datafilehandler_ulmx_writers.cpp (saving); datafilehandler_ulmx_codes.h holds the value codes both share.
class DataFileHandler_ulmx : public DataFileHandler {
public:
    explicit DataFileHandler_ulmx(const QString &filePath);
    ~DataFileHandler_ulmx() override;
    DataFileHandler_ulmx(const DataFileHandler_ulmx &) = delete;
    DataFileHandler_ulmx &operator=(const DataFileHandler_ulmx &) = delete;

    QString version() const override;

    // Digital (dvb-t / dvb-c) channels first, then the analogue ones. RC_SUCCESS when a list was taken,
    // RC_NO_SERVICE_LIST when none names the country, else a file error; on an error the list is untouched.
    int loadAir(ChannelList<AirChannel> &list, const QString &country) override;
    int loadCable(ChannelList<CableChannel> &list, const QString &country) override;
    // Empties and fills the three maps (category 3 of the providers) and stores the document version
    // through databaseHeader whatever the country: the database and the header are filled also when the
    // result is RC_NO_SERVICE_LIST. On a file error nothing is touched.
    int loadSatellite(ChannelList<SatelliteChannel> &list, SatelliteMap &satellites,
                      TransponderMap &transponders, CategoryProviderMap &providers, int *databaseHeader,
                      const QString &country) override;
    // Reads the satellite database only when loadSatellite has not filled one; empties and fills category 8
    // of the providers and bouquets. RC_NO_SERVICE_LIST when no astra_hdplus list names the country.
    int loadAstraHD(ChannelList<AstraHDChannel> &list, SatelliteMap &satellites, TransponderMap &transponders,
                    CategoryProviderMap &providers, CategoryProviderMap &bouquets, int *databaseHeader,
                    const QString &country) override;
    // The distinct countries (upper case, in document order) that the file's service lists name, "*"
    // among them; empty when the file cannot be read. Parses the file for the loaders that follow.
    QStringList serviceListCountries();
    // The country given to the last loader ("*" when that was no valid code). Ends the load: the service
    // lists no loader took are kept for the saves to come, then the parsed tree and the references to the
    // caller's lists and maps are dropped.
    int country(QString &country) override;
    // Writes the provider's document and the process-wide satellite database to the path, through a new
    // file that replaces the old one only when completely written: RC_CANNOT_WRITE leaves the old file
    // intact.
    int save(ChannelListProvider &provider) override;
    void emptyHook() override {}

    // Takes the document from memory instead of the path: the loaders that follow parse these bytes and
    // never touch the file system (also the way to feed the reader arbitrary bytes).
    void setDocumentBytes(const QByteArray &bytes);
    // Takes over the lists another universal handler kept from its load, so a copy of the file saved under
    // another name keeps them too.
    void carryListsOf(const DataFileHandler_ulmx &other);

    // The last document that save() built, as text; process-wide, emptied at the start of every build.
    static QString documentText;
    // Item locations handed out to written bouquets, transponders and providers: reset at the start of every
    // save and incremented before each use (the first number is 2), so a file's numbers never depend on the
    // saves before it. A bouquet keeps only 16 bits of its number, so the bouquets are numbered first.
    static int itemLocCounter;
    // The item location a record has not been given in the current save.
    static constexpr int NO_ITEM_LOC = -1;

private:
    enum CountryMatchState { NOT_TAKEN = 0, EXACT_TAKEN = 1, WILDCARD_TAKEN = 2 };

    // --- loading: file and skeleton
    int openDocument();
    void dropDocument();
    void forgetReferences();
    void setReadFlags(bool dvbS, bool cable, bool air, bool astraHD, bool providers, bool database);
    void parseDocument();
    void readRoot();
    void readVersion();
    void readDatabases();
    void readServiceLists();
    void noteListCountry();
    bool findSiblingElement(int &node, UlmxTree::Name name) const;
    QStringView attributeValue(UlmxTree::Name element, UlmxTree::Name attribute) const;
    template <typename T> bool checkCountryCode(int *state, ChannelList<T> *list);
    void resetStates(std::initializer_list<int *> states);
    void keepUntakenLists();
    void noteCarriedLink(const UlmxPathReader &walk, bool satelliteList);
    // Moves the cursor to node's first child, runs reader, and puts the cursor back on node.
    void descend(int node, void (DataFileHandler_ulmx::*reader)());

    // --- loading: satellite database
    void readSatellites();
    void readSatelliteChildren(SatelliteInfo &satellite, quint16 &satelliteId);
    bool readItemLoc(quint32 &number);
    void readProviders(ProviderMap *map);
    void readBouquets(ProviderMap *map);
    void readSatelliteProviders();
    void readAstraProviders();
    void readAstraBouquets();

    // --- loading: terrestrial and cable lists
    void readAnalogAirServices();
    void readAnalogCableServices();
    void readDvbTList();
    void readDvbTStream();
    void readDvbCList();
    void readDvbCStream();

    // --- loading: satellite and Astra HD+ lists
    void readDvbSList();
    void readDvbSStream();
    void readAstraHDList();
    void readAstraHDStream();
    bool findStreamTransponder(int &node, quint32 &transponderId) const;
    // The node the stream's services are looked for from, and the stream's transponder (NO_ID without a
    // link), with the cursor on the stream's first child.
    int firstStreamService(quint32 &transponderId) const;
    // The attributes every digital_service carries. wrapNumber: the satellite lists take the low 16 bits of
    // any 32-bit rcn, the terrestrial and cable lists only a 16-bit one.
    struct ServiceAttributes {
        int serviceId = 0;
        QString name;
        quint16 number = 0;
        int serviceType = 0;
        bool scrambled = false;
    };
    ServiceAttributes readServiceAttributes(int node, bool wrapNumber) const;

    // --- saving
    void resetItemLocs();
    void appendLine(int level, const QString &line);
    static QString &escapeXml(QString &text);
    void buildDocument();
    void writeHeader();
    void writeBody();
    void writeSatelliteDatabase();
    void writeSatellite(const SatelliteInfo &satellite, quint16 satelliteId,
                        const QVector<Transponder *> &transponders);
    static QString orbitalPositionText(int position);
    void writeProviderList(ProviderMap *map, int level);
    void writeBouquetList(ProviderMap *map, int level);
    void writeItemList(ProviderMap *map, int level, const char *listName, const char *itemName,
                       bool numbered);
    void writeServiceDatabase();
    void writeServiceLists();
    bool writesList(bool hasChannels, const char *type) const;
    void numberBouquets();
    void writeCarriedList(const QString &listXml, const QHash<quint32, int> &bouquets);
    int carriedTransponderLoc(quint32 id);
    int carriedProviderLoc(quint32 id);
    void writeAnalogAirList();
    void writeAnalogCableList();
    void writeDvbTList();
    void writeDvbCList();
    template <typename T> void writeAnalogList(const ChannelList<T> &channels);
    template <typename T> void writeDigitalList(const ChannelList<T> &channels);
    void writeDvbSList();
    void writeAstraHDList();
    template <typename T> void writeSatelliteStreams(const ChannelList<T> &channels);
    void writeSatelliteService(const SatelliteChannel &channel);
    void writeSatelliteService(const AstraHDChannel &channel);
    static QString serviceLine(const Channel &channel, bool closed);
    // The country_code line of a document list of the type.
    QString countryLine(const char *type) const;
    bool namesNoCountry(const char *type) const;
    static int findIdInMap(quint32 key, const TransponderMap *map);
    static int findIdInMap(quint32 key, const ProviderMap *map);

    QString path;
    int cursor = UlmxTree::NO_NODE;
    // References into the caller's objects (the loader's targets, or the document and the process-wide
    // maps during save); never owned, null until registered.
    ChannelList<SatelliteChannel> *satChannels = nullptr;
    SatelliteMap *satelliteMap = nullptr;
    TransponderMap *transponderMap = nullptr;
    ProviderMap *satelliteProviderMap = nullptr;
    const ChannelList<AirChannel> *airChannels = nullptr;
    const ChannelList<CableChannel> *cableChannels = nullptr;
    // Per kind, so that a list for the exact country can replace a "*" list of its own kind only.
    std::unique_ptr<ChannelList<AirChannel>> airAnalogue;
    std::unique_ptr<ChannelList<AirChannel>> airDigital;
    std::unique_ptr<ChannelList<CableChannel>> cableAnalogue;
    std::unique_ptr<ChannelList<CableChannel>> cableDigital;
    ChannelList<AstraHDChannel> *astraChannels = nullptr;
    ProviderMap *astraBouquetMap = nullptr;
    ProviderMap *astraProviderMap = nullptr;
    int documentVersion = 0;
    bool readDvbS = false;
    bool readCable = false;
    bool readAir = false;
    bool readAstraHD = false;
    bool readProviderLists = false;
    bool readSatelliteDatabase = false;
    // Set while serviceListCountries() walks the document: the service lists are only noted, not read.
    QStringList *listCountries = nullptr;
    QString countryCode;
    int dvbSState = NOT_TAKEN;
    int dvbTState = NOT_TAKEN;
    int analogAState = NOT_TAKEN;
    int dvbCState = NOT_TAKEN;
    int analogCState = NOT_TAKEN;
    int astraState = NOT_TAKEN;

    // Per list state, the service_list node of the load's own country that state took (a "*" list taken
    // for a named country is not in it: a save carries that list).
    QHash<const int *, int> takenList;
    // The states whose list in this load named no country (taken by a document of any country, "*").
    QSet<const int *> takenWithoutCountry;
    // The lists no loader took, and the records their links named in the loaded file (by the file's
    // numbers, which key the loaded maps): a save finds each record again in the database it writes.
    struct CarriedLists {
        QStringList lists;
        // Each list's type, as the loaders match it.
        QStringList types;
        QHash<quint32, Transponder> transponders;
        QHash<quint32, QString> providers;
        // The types of the lists the document took as its own, and of those among them that named no
        // country: a save writes these without one again, so that no named country starts taking them as
        // its "*" fallback.
        QStringList ownTypes;
        QStringList typesWithoutCountry;
    };
    CarriedLists carried;
    // During a save: per carried list, the numbers its own bouquets got, by their numbers in the file (low 16
    // bits).
    QVector<QHash<quint32, int>> carriedBouquets;

    // The parsed document shared by the loaders of one load, and where it came from.
    UlmxTree tree;
    // The bytes the tree was parsed from, kept until the load ends to copy the lists no loader took.
    QByteArray parsedBytes;
    bool documentParsed = false;
    int parseResult = 0;
    QByteArray documentBytes;
    bool useDocumentBytes = false;
};

#endif
