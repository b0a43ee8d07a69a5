#include "core/channellistprovider.h"

#include "core/resultcode.h"
#include "core/sharedtexts.h"
#include "datafilehandlers/datadirector.h"

ChannelListProvider::ChannelListProvider(DataDirector *director)
    : m_director(director), m_country(QLatin1String(NO_COUNTRY)) {}

int ChannelListProvider::open(const QString &path, const QString &country) {
    if (!m_director)
        return RC_UNKNOWN_ERROR;
    return m_director->open(path, this, country, nullptr);
}

int ChannelListProvider::merge(const QString &path) {
    if (!m_director)
        return RC_UNKNOWN_ERROR;
    return m_director->merge(path, this);
}

int ChannelListProvider::saveAs(const QString &path, int formatCode) {
    if (!m_director)
        return RC_UNKNOWN_ERROR;
    return m_director->save(this, path, formatCode);
}

ChannelListProvider &ChannelListProvider::assignChannels(const ChannelListProvider &other) {
    if (this == &other)
        return *this;
    m_air = other.m_air;
    m_cable = other.m_cable;
    m_satellite = other.m_satellite;
    m_astraHD = other.m_astraHD;
    m_country = other.m_country;
    m_versionText = other.m_versionText;
    return *this;
}

void ChannelListProvider::setCountry(const QString &country) {
    Q_ASSERT_X((country.size() > 0) && (country.size() < 4), __FILE__,
               "(country.size() > 0) && (country.size() < 4)");
    m_country = country;
}
