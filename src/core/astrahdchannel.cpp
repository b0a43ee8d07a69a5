#include "core/astrahdchannel.h"

#include <QCoreApplication>

#include <algorithm>

const char *const AstraHDChannel::EMPTY_ROW_NAME = "EMPTY_ROW";

AstraHDChannel::AstraHDChannel(int serviceId, const QString &name, quint16 number, quint32 transponderId,
                               quint32 providerId, quint16 vsid, quint16 logicalChannelNumber, quint8 flag,
                               const quint16 *bouquetIds, int bouquetCount, int serviceType, bool scrambled,
                               bool locked, int kind, int tsid, int onid)
    : SatelliteChannel(serviceId, name, number, transponderId, providerId, serviceType, scrambled, locked,
                       kind, tsid, onid),
      m_vsid(vsid), m_lcn(logicalChannelNumber), m_flag(flag) {
    std::fill(std::begin(m_bouquets), std::end(m_bouquets), quint16(0));
    const int count = bouquetIds ? std::clamp(bouquetCount, 0, MAX_BOUQUETS) : 0;
    std::copy(bouquetIds, bouquetIds + count, m_bouquets);
}

AstraHDChannel AstraHDChannel::placeholder(quint16 number) {
    AstraHDChannel channel(0, QString::fromLatin1(EMPTY_ROW_NAME), number, NO_ID, NO_ID, 0, 0, 0, nullptr, 0,
                           0, false, false, DIGITAL, 0, 0);
    channel.setDeleted(true);
    return channel;
}

bool AstraHDChannel::isPlaceholder() const {
    return serviceId() == 0 && transponderId() == NO_ID && name() == QLatin1String(EMPTY_ROW_NAME);
}

quint16 AstraHDChannel::bouquetId(int slot) const {
    if (slot < 0 || slot >= MAX_BOUQUETS)
        return 0;
    return m_bouquets[slot];
}

QString AstraHDChannel::toString() const {
    QString text = baseDescription() + satelliteDescription();
    text += line(QCoreApplication::translate("QObject", "VSID"), QString::number(m_vsid));
    text.chop(1);
    return text;
}

bool AstraHDChannel::operator==(const AstraHDChannel &o) const {
    return SatelliteChannel::operator==(o) && m_vsid == o.m_vsid && m_lcn == o.m_lcn && m_flag == o.m_flag &&
           std::equal(std::begin(m_bouquets), std::end(m_bouquets), std::begin(o.m_bouquets));
}
