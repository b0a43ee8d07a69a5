#ifndef DATAFILEHANDLER_RVL_H
#define DATAFILEHANDLER_RVL_H

#include "datafilehandlers/datafilehandler.h"
#include "datafilehandlers/ggdata.h"

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QString>

// The handler of a raw channel list of one model year (GGData2010_01, GGData2011_01, GGData2012_01). It
// reads and writes the archive's member files in its working folder; the director unpacks the archive into
// that folder before loading and packs the folder after saving.
template <typename GG> class DataFileHandler_rvl : public DataFileHandler {
public:
    // The folder is copied and kept; the handler starts knowing no member.
    explicit DataFileHandler_rvl(const QDir &folder);

    // True when the folder holds a "map-ChKey" whose key names this model year, and a "CloneInfo".
    static bool probeFolder(const QString &folderPath);

    int formatCode() const override { return GG::FORMAT_CODE; }
    QString version() const override { return QString::fromLatin1(GG::VERSION); }
    int favouritesListCount() const override { return GG::LAYOUT.favouritesLists; }

    int loadAir(ChannelList<AirChannel> &list, const QString &country) override;
    int loadCable(ChannelList<CableChannel> &list, const QString &country) override;
    int loadSatellite(ChannelList<SatelliteChannel> &list, SatelliteMap &satellites,
                      TransponderMap &transponders, CategoryProviderMap &providers, int *databaseHeader,
                      const QString &country) override;
    int loadAstraHD(ChannelList<AstraHDChannel> &list, SatelliteMap &satellites, TransponderMap &transponders,
                    CategoryProviderMap &providers, CategoryProviderMap &bouquets, int *databaseHeader,
                    const QString &country) override;
    int country(QString &country) override;

    // Writes every member of this model year from the document and the process-wide satellite database.
    // Nothing is written unless the whole document can be encoded; each member is replaced atomically.
    int save(ChannelListProvider &provider) override;
    void emptyHook() override {}
    void endSave(bool commit) override;

    const QDir &folder() const { return m_folder; }
    // The member's bytes as this handler last loaded them or committed them by endSave(true); empty when
    // it knows none. A save that was not committed does not change what the handler holds.
    QByteArray memberBytes(const QString &name) const { return m_members.value(name); }

private:
    // RC_SUCCESS with the bytes, RC_NO_SERVICE_LIST when the member is absent, else a failure code.
    int readMember(const char *name, QByteArray &bytes);
    // Decodes the member's physical-channel table to check it; an absent table is fine (a save writes the
    // defaults), a damaged one gives the decoder's code, as for any other member.
    int checkPhysicalTable(const char *name, bool cable);
    int loadDatabase(SatelliteMap &satellites, TransponderMap &transponders, CategoryProviderMap &providers,
                     CategoryProviderMap *bouquets, int *databaseHeader);

    QDir m_folder;
    QMap<QString, QByteArray> m_members;
    QMap<QString, QByteArray> m_written;
};

// Reads a member file of a raw working folder, refusing one larger than RawRecordCodec::MAX_MEMBER_SIZE
// without loading it: RC_SUCCESS with the bytes, RC_NO_SERVICE_LIST when it is absent, else a failure code.
int readRawMember(const QDir &folder, const QString &name, QByteArray &bytes);

extern template class DataFileHandler_rvl<GGData2010_01>;
extern template class DataFileHandler_rvl<GGData2011_01>;
extern template class DataFileHandler_rvl<GGData2012_01>;

#endif
