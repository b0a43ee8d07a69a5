#ifndef SATELLITECHANNEL_H
#define SATELLITECHANNEL_H

#include "core/channel.h"
#include "core/satellitedatabase.h"

// A satellite channel. Its frequency, polarity and the rest come from its transponder in the process-wide
// database; every look-up here reads without inserting, so an absent entry never becomes a phantom record
// that a later save would write out.
class SatelliteChannel : public Channel {
public:
    SatelliteChannel(int serviceId, const QString &name, quint16 number, quint32 transponderId,
                     quint32 providerId, int serviceType, bool scrambled, bool locked, int kind, int tsid,
                     int onid);
    SatelliteChannel(const SatelliteChannel &) = default;
    SatelliteChannel &operator=(const SatelliteChannel &) = default;

    quint32 transponderId() const { return m_transponderId; }
    void setTransponderId(quint32 id) { m_transponderId = id; }
    quint32 providerId() const { return m_providerId; }
    void setProviderId(quint32 id) { m_providerId = id; }

    float frequency() const override; // MHz, from the transponder's kHz
    int polarity() const;             // 2 (unknown) without transponder
    int modulation() const;
    int fec() const;
    int symbolRate() const; // symbols per second
    quint16 satelliteId() const;
    QString satelliteName() const; // empty when the satellite is not in the database
    QString providerName() const;
    virtual quint32 providerCategory() const { return ProviderCategory::SATELLITE; }
    QString toString() const override;

    bool operator==(const SatelliteChannel &o) const;
    bool operator!=(const SatelliteChannel &o) const { return !(*this == o); }

    // The process-wide satellite database, replaced as a whole when a document is loaded.
    static SatelliteMap satellites;
    static TransponderMap transponders;
    static CategoryProviderMap serviceProviders;
    static CategoryProviderMap bouquets;
    // Version of the loaded database: a raw file's header word, or a universal file's major * 100 + minor.
    static int databaseHeader;

    // Non-inserting look-ups of the process-wide maps; defaults when absent.
    static Transponder transponder(quint32 transponderId);
    static QString satelliteNameOf(quint16 satelliteId);
    static ServiceProvider provider(quint32 category, quint32 providerId);
    static ServiceProvider bouquet(quint32 category, quint32 bouquetId);
    // Empties every process-wide map and resets the header.
    static void clearDatabase();

protected:
    QString satelliteDescription() const;

private:
    quint32 m_transponderId;
    quint32 m_providerId;
};

#endif
