#ifndef CABLECHANNEL_H
#define CABLECHANNEL_H

#include "core/channel.h"

// A cable channel, analogue or digital.
class CableChannel : public Channel {
public:
    CableChannel(int serviceId, const QString &name, quint16 number, float frequency, int serviceType,
                 bool scrambled, bool locked, int kind, quint16 symbolRate, int soundSystem, int colourSystem,
                 int modulation, int tsid, int onid);
    CableChannel(const CableChannel &) = default;
    CableChannel &operator=(const CableChannel &) = default;

    void setName(const QString &name) override { storeName(name); }
    // kS/s, unlike the satellite symbol rate (symbols per second, from the transponder).
    quint16 symbolRate() const { return m_symbolRate; }
    int modulation() const { return m_modulation; }
    int soundSystem() const { return m_soundSystem; }
    int colourSystem() const { return m_colourSystem; }
    QString toString() const override;

    bool operator==(const CableChannel &o) const;
    bool operator!=(const CableChannel &o) const { return !(*this == o); }

private:
    quint16 m_symbolRate;
    int m_soundSystem;
    int m_colourSystem;
    int m_modulation;
};

#endif
