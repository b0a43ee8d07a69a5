#ifndef CHANNELLISTPROVIDER_H
#define CHANNELLISTPROVIDER_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"

#include <QString>

class DataDirector;

// One open document: the four channel lists and what the document knows of its file format. It owns its
// channels; the director it was given is the main window's and is not owned.
class ChannelListProvider {
public:
    explicit ChannelListProvider(DataDirector *director);
    virtual ~ChannelListProvider() = default;
    ChannelListProvider(const ChannelListProvider &) = delete;
    ChannelListProvider &operator=(const ChannelListProvider &) = delete;

    // Forwarded to the director; each returns its result code unchanged.
    int open(const QString &path, const QString &country);
    int merge(const QString &path);
    int saveAs(const QString &path, int formatCode);

    // Copies the other document's four lists, country and version text; format code, favourites-list count
    // and director stay.
    ChannelListProvider &assignChannels(const ChannelListProvider &other);

    ChannelList<AirChannel> *airList() { return &m_air; }
    ChannelList<CableChannel> *cableList() { return &m_cable; }
    ChannelList<SatelliteChannel> *satelliteList() { return &m_satellite; }
    ChannelList<AstraHDChannel> *astraHDList() { return &m_astraHD; }
    const ChannelList<AirChannel> *airList() const { return &m_air; }
    const ChannelList<CableChannel> *cableList() const { return &m_cable; }
    const ChannelList<SatelliteChannel> *satelliteList() const { return &m_satellite; }
    const ChannelList<AstraHDChannel> *astraHDList() const { return &m_astraHD; }

    const QString &country() const { return m_country; }
    // 1 to 3 characters; "*" for a document without country.
    void setCountry(const QString &country);
    const QString &versionText() const { return m_versionText; }
    void setVersionText(const QString &text) { m_versionText = text; }
    int formatCode() const { return m_formatCode; }
    void setFormatCode(int code) { m_formatCode = code; }
    int favouritesListCount() const { return m_favouritesListCount; }
    void setFavouritesListCount(int count) { m_favouritesListCount = count; }
    DataDirector *director() const { return m_director; }

private:
    DataDirector *m_director;
    ChannelList<AirChannel> m_air;
    ChannelList<CableChannel> m_cable;
    ChannelList<SatelliteChannel> m_satellite;
    ChannelList<AstraHDChannel> m_astraHD;
    QString m_country;
    QString m_versionText;
    int m_formatCode = 0;
    int m_favouritesListCount = 0;
};

#endif
