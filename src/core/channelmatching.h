#ifndef CHANNELMATCHING_H
#define CHANNELMATCHING_H

#include <QString>

class AirChannel;
class CableChannel;
class SatelliteChannel;
struct Transponder;

// Comparisons used to recognise one channel or transponder in two documents (merge). All of them compare in
// double precision, so NaN never matches and no float-to-int conversion can overflow, and none of them
// touches the process-wide database beyond reading it.

// Same satellite, frequencies within 999 kHz, symbol rates within 99, same polarity.
bool recordsMatchWithTolerance(const Transponder &a, const Transponder &b);
bool equalsIgnoreCase(const QString &a, const QString &b);
// Same service id, frequencies within 999 MHz, same polarity, same satellite name ignoring case.
bool isSameSatelliteService(const SatelliteChannel &a, const SatelliteChannel &b);
// Same kind; digital: same service id and frequencies within 9 MHz; analogue: frequencies within 3 MHz, so
// neighbouring analogue channels (7 or 8 MHz apart) stay distinct.
bool isSameChannel(const AirChannel &a, const AirChannel &b);
bool isSameChannel(const CableChannel &a, const CableChannel &b);

#endif
