#include "core/cablechannel.h"

#include "core/codenames.h"
#include "core/sharedtexts.h"

CableChannel::CableChannel(int serviceId, const QString &name, quint16 number, float frequency,
                           int serviceType, bool scrambled, bool locked, int kind, quint16 symbolRate,
                           int soundSystem, int colourSystem, int modulation, int tsid, int onid)
    : Channel(serviceId, name, number, frequency, serviceType, scrambled, locked, kind, tsid, onid),
      m_symbolRate(symbolRate), m_soundSystem(soundSystem), m_colourSystem(colourSystem),
      m_modulation(modulation) {}

QString CableChannel::toString() const {
    QString text = baseDescription();
    text += line(SharedTexts::frequency(),
                 QString::number(double(frequency()), 'f', 2) + QLatin1Char(' ') + SharedTexts::mhz());
    if (kind() == ANALOGUE) {
        text += line(SharedTexts::colourSystem(), ColourSystemNames::text(m_colourSystem));
        text += line(SharedTexts::soundSystem(), SoundSystemNames::text(m_soundSystem));
    } else {
        text += line(SharedTexts::symbolRate(),
                     QString::number(m_symbolRate) + QLatin1Char(' ') + SharedTexts::ksps());
        text += line(SharedTexts::modulation(), ModulationNames::text(m_modulation));
    }
    text.chop(1);
    return text;
}

bool CableChannel::operator==(const CableChannel &o) const {
    return sameChannelFields(*this, o) && m_symbolRate == o.m_symbolRate &&
           m_soundSystem == o.m_soundSystem && m_colourSystem == o.m_colourSystem &&
           m_modulation == o.m_modulation;
}
