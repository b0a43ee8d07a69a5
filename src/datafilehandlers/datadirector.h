#ifndef DATADIRECTOR_H
#define DATADIRECTOR_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"
#include "core/satellitedatabase.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <memory>

class ChannelListProvider;
class DataFileHandler;

// Chooses the file handler, keeps the working folder of a raw list, and runs open, save and merge with one
// result code each.
//
// Between operations the director owns the handler of the open document and, for a raw list, the working
// folder that holds the archive's unpacked members (the handler reads and writes them there).
//
// An open or a merge that succeeds is provisional until the caller installs its result: the caller may still
// discard the new document (a cancelled load, a merge it does not keep). Until commit() or rollback() the
// director keeps what the operation replaced: the previous handler and working folder and the previous
// process-wide satellite database. The next open, merge, save or close commits implicitly.
class DataDirector {
public:
    // Prefix of working folder names; the folder is "tunewrk_<pid>_<seconds since the epoch>".
    static constexpr const char *WORKING_FOLDER_PREFIX = "tunewrk";

    DataDirector();
    virtual ~DataDirector();
    DataDirector(const DataDirector &) = delete;
    DataDirector &operator=(const DataDirector &) = delete;

    // Reads the file into the document. On success the document's lists, country, version text, format code
    // and favourites-list count, the director's handler and working folder and the process-wide satellite
    // database are those of the file; on failure nothing changes. A preset handler, when given, is taken
    // over and used in place of the one the suffix would choose.
    virtual int open(const QString &path, ChannelListProvider *document, const QString &country,
                     DataFileHandler *presetHandler = nullptr);
    // Writes the document to the path in the format (FF_UNIVERSAL, a raw model year, or FF_KEEP). The file
    // at the path is replaced only by a complete new one.
    virtual int save(ChannelListProvider *document, const QString &path, int formatCode);
    // Merges the universal file into the document's lists and the process-wide satellite database. Anything
    // but success leaves both as they were.
    virtual int merge(const QString &path, ChannelListProvider *document);

    // Keeps what the last open or merge installed: drops the previous handler and removes its folder.
    void commit();
    // Brings back the handler, working folder and satellite database that the last open or merge replaced and
    // removes the new working folder. The document filled by that open or merge is the caller's to discard.
    void rollback();
    // Deletes the handler and removes the working folder (also those still kept for a rollback).
    void close();

    // The countries whose lists the last opened universal file holds, when that open asked for any country
    // ("*"), the file has no list tagged "*" and names several countries, so that the user can pick one;
    // empty after any other open and after every merge (a merge offers no choice of country).
    const QStringList &countriesToChooseFrom() const { return m_countriesToChooseFrom; }
    // The channels of the file's Astra HD+ list that the last merge succeeded without: a 2010-01 document
    // holds no Astra HD+ list. 0 when it took the list, when the file has none, and after a failed merge.
    int astraHDChannelsLeftOut() const { return m_astraHDChannelsLeftOut; }
    // The favourites-list memberships and child locks that went with the air, cable and Astra HD+ lists the
    // last merge replaced with the file's, which holds neither. A channel in two favourites lists is two
    // memberships; deleted channels, which the window no longer showed, count for nothing. 0 when it
    // replaced no list and after a failed merge.
    int favouriteMembershipsReplaced() const { return m_favouriteMembershipsReplaced; }
    int childLocksReplaced() const { return m_childLocksReplaced; }

    // The format a save asked for formatCode writes: FF_KEEP stands for the current handler's format, which
    // the save warning names too; -1 for FF_KEEP without a document.
    int formatOfSave(int formatCode) const;

    // The current handler's format code, or -1 without a document.
    int currentFormatCode() const;
    // The current working folder, or an empty text when the document is not a raw list.
    QString workingFolderPath() const;

    // "tunewrk_<pid>_<seconds>", computed anew at every call.
    static QString workingFolderName();
    // Removes the folder and everything in it. Symbolic links are removed, never followed; a failure does not
    // stop the removal of the other entries. True when the folder itself is gone.
    static bool removeDirRecursively(const QDir &folder);

private:
    struct Database {
        SatelliteMap satellites;
        TransponderMap transponders;
        CategoryProviderMap serviceProviders;
        CategoryProviderMap bouquets;
        int header = 0;

        static Database current();
        void install() const;
    };
    // What the last open or merge replaced, kept until commit or rollback.
    struct Pending {
        bool active = false;
        bool pairReplaced = false; // an open: handler and folder were replaced too
        std::unique_ptr<DataFileHandler> handler;
        QString folder;
        QString universalPath;
        Database database;
    };

    // A new, empty, owner-only folder under the temporary directory, or an empty text.
    static QString createWorkingFolder();
    // The raw handler of the model year whose probe accepts the folder, newest first; null when none does.
    static std::unique_ptr<DataFileHandler> probeRawHandler(const QString &folder);
    static std::unique_ptr<DataFileHandler> newRawHandler(int formatCode, const QString &folder);
    // Packs every file of the folder into a new archive beside the target and renames it over the target;
    // the target is the file itself, its links already followed (the archive goes beside the file).
    static int packFolder(const QString &folder, const QString &target);

    // The country to load for the asked one. Only "*" asked of a universal file may change: to the one
    // country its lists name when none is tagged "*". False (and the countries kept for the caller) when
    // they name several.
    bool chooseCountry(DataFileHandler &handler, const QString &asked, QString &chosen);
    void discardPending(bool restore);

    std::unique_ptr<DataFileHandler> m_handler;
    // Non-empty exactly when m_handler is a raw handler; the handler was made with this folder.
    QString m_folder;
    // Non-empty exactly when m_handler is a universal handler: the file it reads and writes. It is reused
    // only for a save to that same file.
    QString m_universalPath;
    Pending m_pending;
    QStringList m_countriesToChooseFrom;
    int m_astraHDChannelsLeftOut = 0;
    int m_favouriteMembershipsReplaced = 0;
    int m_childLocksReplaced = 0;
};

#endif
