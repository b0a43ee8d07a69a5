#ifndef DATABASESNAPSHOT_H
#define DATABASESNAPSHOT_H

#include "core/satellitechannel.h"

// The process-wide satellite database as it is now: compared with a later snapshot where an operation must
// change nothing, or kept aside and restored while a test reads a file on its own.
struct DatabaseSnapshot {
    SatelliteMap satellites = SatelliteChannel::satellites;
    TransponderMap transponders = SatelliteChannel::transponders;
    CategoryProviderMap providers = SatelliteChannel::serviceProviders;
    CategoryProviderMap bouquets = SatelliteChannel::bouquets;
    int header = SatelliteChannel::databaseHeader;

    void restore() const {
        SatelliteChannel::satellites = satellites;
        SatelliteChannel::transponders = transponders;
        SatelliteChannel::serviceProviders = providers;
        SatelliteChannel::bouquets = bouquets;
        SatelliteChannel::databaseHeader = header;
    }
    bool operator==(const DatabaseSnapshot &o) const {
        return satellites == o.satellites && transponders == o.transponders && providers == o.providers &&
               bouquets == o.bouquets && header == o.header;
    }
};

#endif // DATABASESNAPSHOT_H
