#include "core/channelmatching.h"

#include "core/airchannel.h"
#include "core/cablechannel.h"
#include "core/satellitechannel.h"

namespace {
// True when the difference, truncated toward zero, lies in -limit..limit. Written as a strict bound on the
// double difference, which is the same thing and never converts an out-of-range float to an integer; NaN
// fails.
bool withinTruncated(double difference, int limit) {
    return difference > -(limit + 1.0) && difference < (limit + 1.0);
}

template <typename T> bool isSameTerrestrial(const T &a, const T &b) {
    if (a.kind() != b.kind())
        return false;
    if (a.kind() == Channel::ANALOGUE)
        return withinTruncated(double(a.frequency()) - double(b.frequency()), 3);
    return a.serviceId() == b.serviceId() &&
           withinTruncated(double(a.frequency()) - double(b.frequency()), 9);
}
} // namespace

bool recordsMatchWithTolerance(const Transponder &a, const Transponder &b) {
    const qint64 symbolRateDifference = qint64(a.symbolRate) - qint64(b.symbolRate);
    return quint16(a.satelliteId) == quint16(b.satelliteId) &&
           withinTruncated(double(a.frequency) - double(b.frequency), 999) && symbolRateDifference >= -99 &&
           symbolRateDifference <= 99 && a.polarity == b.polarity;
}

bool equalsIgnoreCase(const QString &a, const QString &b) {
    return a.toUpper() == b.toUpper();
}

bool isSameSatelliteService(const SatelliteChannel &a, const SatelliteChannel &b) {
    return a.serviceId() == b.serviceId() &&
           withinTruncated(double(a.frequency()) - double(b.frequency()), 999) &&
           a.polarity() == b.polarity() && equalsIgnoreCase(a.satelliteName(), b.satelliteName());
}

bool isSameChannel(const AirChannel &a, const AirChannel &b) {
    return isSameTerrestrial(a, b);
}
bool isSameChannel(const CableChannel &a, const CableChannel &b) {
    return isSameTerrestrial(a, b);
}
