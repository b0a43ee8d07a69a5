#ifndef AIRCHANNEL_H
#define AIRCHANNEL_H

#include "core/channel.h"

// A terrestrial channel, analogue or digital.
class AirChannel : public Channel {
public:
    AirChannel(int serviceId, const QString &name, quint16 number, float frequency, int serviceType,
               bool scrambled, bool locked, int kind, quint16 bandwidth, int soundSystem, int colourSystem,
               int tsid, int onid);
    AirChannel(const AirChannel &) = default;
    AirChannel &operator=(const AirChannel &) = default;

    void setName(const QString &name) override { storeName(name); }
    quint16 bandwidth() const { return m_bandwidth; } // MHz
    int soundSystem() const { return m_soundSystem; }
    int colourSystem() const { return m_colourSystem; }
    QString toString() const override;

    bool operator==(const AirChannel &o) const;
    bool operator!=(const AirChannel &o) const { return !(*this == o); }

private:
    quint16 m_bandwidth;
    int m_soundSystem;
    int m_colourSystem;
};

#endif
