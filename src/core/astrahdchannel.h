#ifndef ASTRAHDCHANNEL_H
#define ASTRAHDCHANNEL_H

#include "core/satellitechannel.h"

// A channel of the Astra HD+ platform list. Copyable as a whole record (marks, positions and bouquets
// included).
class AstraHDChannel : public SatelliteChannel {
public:
    static constexpr int MAX_BOUQUETS = 16;
    // The favourite range: the channels numbered 1 to this form an ordered list without gaps.
    static constexpr int FAVOURITE_RANGE_LAST = 99;
    // Name of the deleted placeholders that keep the favourite range 1..99 of a raw list filled.
    static const char *const EMPTY_ROW_NAME;

    AstraHDChannel(int serviceId, const QString &name, quint16 number, quint32 transponderId,
                   quint32 providerId, quint16 vsid, quint16 logicalChannelNumber, quint8 flag,
                   const quint16 *bouquetIds, int bouquetCount, int serviceType, bool scrambled, bool locked,
                   int kind, int tsid, int onid);
    AstraHDChannel(const AstraHDChannel &) = default;
    AstraHDChannel &operator=(const AstraHDChannel &) = default;

    // A deleted "EMPTY_ROW" placeholder with the given number.
    static AstraHDChannel placeholder(quint16 number);
    bool isPlaceholder() const;

    quint16 vsid() const { return m_vsid; }
    quint16 logicalChannelNumber() const { return m_lcn; }
    quint8 flag() const { return m_flag; }
    // 0 marks an empty slot.
    quint16 bouquetId(int slot) const;
    const quint16 *bouquetIds() const { return m_bouquets; }

    quint32 providerCategory() const override { return ProviderCategory::ASTRA_HD; }
    QString toString() const override;

    bool operator==(const AstraHDChannel &o) const;
    bool operator!=(const AstraHDChannel &o) const { return !(*this == o); }

private:
    quint16 m_vsid;
    quint16 m_lcn;
    quint8 m_flag;
    quint16 m_bouquets[MAX_BOUQUETS];
};

#endif
