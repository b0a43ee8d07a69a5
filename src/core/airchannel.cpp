#include "core/airchannel.h"

#include "core/codenames.h"
#include "core/sharedtexts.h"

AirChannel::AirChannel(int serviceId, const QString &name, quint16 number, float frequency, int serviceType,
                       bool scrambled, bool locked, int kind, quint16 bandwidth, int soundSystem,
                       int colourSystem, int tsid, int onid)
    : Channel(serviceId, name, number, frequency, serviceType, scrambled, locked, kind, tsid, onid),
      m_bandwidth(bandwidth), m_soundSystem(soundSystem), m_colourSystem(colourSystem) {}

QString AirChannel::toString() const {
    QString text = baseDescription();
    text += line(SharedTexts::frequency(),
                 QString::number(double(frequency()), 'f', 2) + QLatin1Char(' ') + SharedTexts::mhz());
    text +=
        line(SharedTexts::bandwidth(), QString::number(m_bandwidth) + QLatin1Char(' ') + SharedTexts::mhz());
    if (kind() == ANALOGUE) {
        text += line(SharedTexts::colourSystem(), ColourSystemNames::text(m_colourSystem));
        text += line(SharedTexts::soundSystem(), SoundSystemNames::text(m_soundSystem));
    }
    text.chop(1);
    return text;
}

bool AirChannel::operator==(const AirChannel &o) const {
    return sameChannelFields(*this, o) && m_bandwidth == o.m_bandwidth && m_soundSystem == o.m_soundSystem &&
           m_colourSystem == o.m_colourSystem;
}
