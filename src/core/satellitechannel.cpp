#include "core/satellitechannel.h"

#include "core/codenames.h"
#include "core/sharedtexts.h"

#include <cstring>

SatelliteMap SatelliteChannel::satellites;
TransponderMap SatelliteChannel::transponders;
CategoryProviderMap SatelliteChannel::serviceProviders;
CategoryProviderMap SatelliteChannel::bouquets;
int SatelliteChannel::databaseHeader = 0;

bool Transponder::operator==(const Transponder &o) const {
    return satelliteId == o.satelliteId && std::memcmp(&frequency, &o.frequency, sizeof(float)) == 0 &&
           symbolRate == o.symbolRate && modulation == o.modulation && polarity == o.polarity &&
           fec == o.fec && reserved8 == o.reserved8 && reserved1 == o.reserved1 && reserved2 == o.reserved2 &&
           reserved3 == o.reserved3 && userFlag == o.userFlag && itemLoc == o.itemLoc;
}

SatelliteChannel::SatelliteChannel(int serviceId, const QString &name, quint16 number, quint32 transponderId,
                                   quint32 providerId, int serviceType, bool scrambled, bool locked, int kind,
                                   int tsid, int onid)
    : Channel(serviceId, name, number, 0.0f, serviceType, scrambled, locked, kind, tsid, onid),
      m_transponderId(transponderId), m_providerId(providerId) {}

Transponder SatelliteChannel::transponder(quint32 transponderId) {
    return transponders.value(transponderId, Transponder());
}

QString SatelliteChannel::satelliteNameOf(quint16 satelliteId) {
    const auto it = satellites.constFind(satelliteId);
    return it == satellites.cend() ? QString() : it->name;
}

ServiceProvider SatelliteChannel::provider(quint32 category, quint32 providerId) {
    const auto inner = serviceProviders.constFind(category);
    if (inner == serviceProviders.cend())
        return ServiceProvider();
    return inner->value(providerId, ServiceProvider());
}

ServiceProvider SatelliteChannel::bouquet(quint32 category, quint32 bouquetId) {
    const auto inner = bouquets.constFind(category);
    if (inner == bouquets.cend())
        return ServiceProvider();
    return inner->value(bouquetId, ServiceProvider());
}

void SatelliteChannel::clearDatabase() {
    satellites.clear();
    transponders.clear();
    serviceProviders.clear();
    bouquets.clear();
    databaseHeader = 0;
}

float SatelliteChannel::frequency() const {
    return transponder(m_transponderId).frequency / 1000.0f;
}
int SatelliteChannel::polarity() const {
    return transponder(m_transponderId).polarity;
}
int SatelliteChannel::modulation() const {
    return transponder(m_transponderId).modulation;
}
int SatelliteChannel::fec() const {
    return transponder(m_transponderId).fec;
}
int SatelliteChannel::symbolRate() const {
    return transponder(m_transponderId).symbolRate;
}
quint16 SatelliteChannel::satelliteId() const {
    return quint16(transponder(m_transponderId).satelliteId);
}
QString SatelliteChannel::satelliteName() const {
    return satelliteNameOf(satelliteId());
}
QString SatelliteChannel::providerName() const {
    return provider(providerCategory(), m_providerId).name;
}

QString SatelliteChannel::satelliteDescription() const {
    const Transponder tp = transponder(m_transponderId);
    QString text;
    text += line(SharedTexts::satellite(), satelliteName());
    text += line(SharedTexts::provider(), providerName());
    text += line(SharedTexts::frequency(),
                 QString::number(double(frequency()), 'f', 0) + QLatin1Char(' ') + SharedTexts::mhz());
    text += line(SharedTexts::polarity(), PolarityNames::text(tp.polarity));
    text += line(SharedTexts::symbolRate(),
                 QString::number(tp.symbolRate / 1000) + QLatin1Char(' ') + SharedTexts::ksps());
    text += line(SharedTexts::modulation(), ModulationNames::text(tp.modulation));
    text += line(SharedTexts::fec(), FecNames::text(tp.fec));
    return text;
}

QString SatelliteChannel::toString() const {
    QString text = baseDescription() + satelliteDescription();
    text.chop(1);
    return text;
}

bool SatelliteChannel::operator==(const SatelliteChannel &o) const {
    return sameChannelFields(*this, o) && m_transponderId == o.m_transponderId &&
           m_providerId == o.m_providerId;
}
