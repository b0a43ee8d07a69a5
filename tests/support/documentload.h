#ifndef DOCUMENTLOAD_H
#define DOCUMENTLOAD_H

#include "core/channellistprovider.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datafilehandler.h"

#include <QString>

// Everything one load of a document yields, gathered the way the data director gathers it: the four lists,
// the four database maps and the header, the country, and each loader's result code. The header starts at a
// value no loader writes, so a test sees whether a loader touched it.
struct DocumentLoad {
    ChannelList<AirChannel> air;
    ChannelList<CableChannel> cable;
    ChannelList<SatelliteChannel> satellite;
    ChannelList<AstraHDChannel> astra;
    SatelliteMap satellites;
    TransponderMap transponders;
    CategoryProviderMap providers;
    CategoryProviderMap bouquets;
    int header = -12345;
    QString country;
    int satelliteResult = -1;
    int cableResult = -1;
    int airResult = -1;
    int astraResult = -1;
    int countryResult = -1;

    // Runs the loaders in the director's order: satellite, cable, air, Astra HD+, then the country.
    void run(DataFileHandler &handler, const QString &requested) {
        satelliteResult =
            handler.loadSatellite(satellite, satellites, transponders, providers, &header, requested);
        cableResult = handler.loadCable(cable, requested);
        airResult = handler.loadAir(air, requested);
        astraResult =
            handler.loadAstraHD(astra, satellites, transponders, providers, bouquets, &header, requested);
        countryResult = handler.country(country);
    }

    // Makes this load the document the program has open, as the director does after a successful open.
    void install(ChannelListProvider &document) const {
        *document.airList() = air;
        *document.cableList() = cable;
        *document.satelliteList() = satellite;
        *document.astraHDList() = astra;
        document.setCountry(country);
        SatelliteChannel::satellites = satellites;
        SatelliteChannel::transponders = transponders;
        SatelliteChannel::serviceProviders = providers;
        SatelliteChannel::bouquets = bouquets;
        SatelliteChannel::databaseHeader = header;
    }
};

#endif // DOCUMENTLOAD_H
