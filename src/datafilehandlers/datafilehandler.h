#ifndef DATAFILEHANDLER_H
#define DATAFILEHANDLER_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"
#include "core/satellitedatabase.h"

#include <QString>

class ChannelListProvider;

// A channel-list file format. The director holds and deletes every handler through this interface; the
// handler has no data of its own here. Every operation returning int returns a ResultCode.
//
// Loaders append to the given list and fill the given maps; the caller owns both (the director loads into
// containers of its own and installs them only when the whole load succeeded). A loader returns
// RC_SUCCESS when it loaded something, RC_NO_SERVICE_LIST when the file holds nothing of its kind, or any
// other code on failure.
class DataFileHandler {
public:
    virtual ~DataFileHandler() = default;

    // The handler's FileFormat code (FF_RAW_2010_01 .. FF_RAW_2012_01 for the raw model years).
    virtual int formatCode() const { return 0; }
    // Version text of the format, shown to the user ("2010-01", ...).
    virtual QString version() const { return QString(); }

    virtual int loadAir(ChannelList<AirChannel> &list, const QString &country) = 0;
    virtual int loadCable(ChannelList<CableChannel> &list, const QString &country) = 0;
    // providers is keyed by category (3 satellite, 8 Astra HD+); databaseHeader may be null.
    virtual int loadSatellite(ChannelList<SatelliteChannel> &list, SatelliteMap &satellites,
                              TransponderMap &transponders, CategoryProviderMap &providers,
                              int *databaseHeader, const QString &country) = 0;
    // Runs after loadSatellite on the same maps, so both loaders fill one database. Formats without an
    // Astra HD+ list keep this default, which touches nothing.
    virtual int loadAstraHD(ChannelList<AstraHDChannel> &list, SatelliteMap &satellites,
                            TransponderMap &transponders, CategoryProviderMap &providers,
                            CategoryProviderMap &bouquets, int *databaseHeader, const QString &country) {
        Q_UNUSED(list)
        Q_UNUSED(satellites)
        Q_UNUSED(transponders)
        Q_UNUSED(providers)
        Q_UNUSED(bouquets)
        Q_UNUSED(databaseHeader)
        Q_UNUSED(country)
        return 0;
    }
    // Fills in the document's country (1 to 3 characters); "*" when the format keeps none.
    virtual int country(QString &country) {
        country = QStringLiteral("*");
        return 0;
    }

    // Writes the whole document: its four lists and the process-wide satellite database.
    virtual int save(ChannelListProvider &provider) = 0;
    virtual void emptyHook() = 0;
    // Called once after every successful save with true: the handler takes what it wrote as its own state.
    virtual void endSave(bool commit) { Q_UNUSED(commit) }
    // Number of favourites lists the format keeps.
    virtual int favouritesListCount() const { return 0; }
};

#endif
