// The universal reader: all four loaders and the country step on one document of arbitrary bytes.
//
// Input: a selector byte (bits 0-2 the requested country, bit 3 runs the Astra HD+ loader first), then the
// document. Every loader must give a known code; a document that is no universal document must be refused
// by every loader with nothing filled; a loaded document must be in range and must be written and read back
// by the universal writer and reader with the same number of channels.

#include "fuzz/fuzzcheck.h"
#include "fuzz/fuzzfiles.h"
#include "fuzz/harnesses.h"

#include "core/channellistprovider.h"
#include "datafilehandlers/datafilehandler_ulmx.h"

#include <cmath>

namespace {

const char *const COUNTRIES[] = {"DEU", "*", "AUT", "deu", "", "XYZ", "FRA", "GBR"};

struct Load {
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
    int results[4] = {-1, -1, -1, -1};
    int countryResult = -1;

    void run(DataFileHandler_ulmx &handler, const QString &requested, bool astraFirst) {
        if (astraFirst)
            results[3] =
                handler.loadAstraHD(astra, satellites, transponders, providers, bouquets, &header, requested);
        results[0] =
            handler.loadSatellite(satellite, satellites, transponders, providers, &header, requested);
        results[1] = handler.loadCable(cable, requested);
        results[2] = handler.loadAir(air, requested);
        if (!astraFirst)
            results[3] =
                handler.loadAstraHD(astra, satellites, transponders, providers, bouquets, &header, requested);
        countryResult = handler.country(country);
    }

    bool empty() const {
        return air.isEmpty() && cable.isEmpty() && satellite.isEmpty() && astra.isEmpty() &&
               satellites.isEmpty() && transponders.isEmpty() && providers.isEmpty() && bouquets.isEmpty() &&
               header == -12345;
    }
};

// The universal format keeps neither favourites nor child locks, nor sound and colour systems or stream ids
// of air and cable channels.
template <typename T> void checkTerrestrial(const ChannelList<T> &list) {
    Fuzz::checkChannels(list, 0, 0);
    for (const T &c : list) {
        FUZZ_CHECK(!c.isLocked() && !c.isDeleted());
        FUZZ_CHECK(std::isfinite(c.frequency()));
    }
}

template <typename T> void checkSatellite(const ChannelList<T> &list) {
    Fuzz::checkChannels(list, 0, 0);
    for (const T &c : list)
        FUZZ_CHECK(!c.isLocked() && !c.isDeleted());
}

} // namespace

int fuzzUlmxReader(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    const QString requested = QString::fromLatin1(COUNTRIES[data[0] & 0x07]);
    const bool astraFirst = data[0] & 0x08;
    const QByteArray document(reinterpret_cast<const char *>(data + 1), int(size - 1));

    Load load;
    {
        DataFileHandler_ulmx handler{QString()};
        handler.setDocumentBytes(document);
        load.run(handler, requested, astraFirst);
    }
    for (int rc : load.results)
        FUZZ_CHECK(Fuzz::isOneOf(rc, {RC_SUCCESS, RC_NO_SERVICE_LIST, RC_INVALID_FORMAT}));
    FUZZ_CHECK(load.countryResult == RC_SUCCESS);
    FUZZ_CHECK(load.country.size() >= 1 && load.country.size() <= 3);
    // A broken document is refused as a whole, never read in part.
    const bool refused = load.results[0] == RC_INVALID_FORMAT;
    for (int rc : load.results)
        FUZZ_CHECK((rc == RC_INVALID_FORMAT) == refused);
    if (refused) {
        FUZZ_CHECK(load.empty());
        return 0;
    }

    checkTerrestrial(load.air);
    checkTerrestrial(load.cable);
    checkSatellite(load.satellite);
    checkSatellite(load.astra);
    for (const Transponder &t : load.transponders)
        FUZZ_CHECK(std::isfinite(t.frequency));
    // A list that is there may be empty; channels without a list are not.
    FUZZ_CHECK(load.results[0] == RC_SUCCESS || load.satellite.isEmpty());
    FUZZ_CHECK(load.results[1] == RC_SUCCESS || load.cable.isEmpty());
    FUZZ_CHECK(load.results[2] == RC_SUCCESS || load.air.isEmpty());
    FUZZ_CHECK(load.results[3] == RC_SUCCESS || load.astra.isEmpty());

    // What was read can be written and read again.
    ChannelListProvider doc(nullptr);
    *doc.airList() = load.air;
    *doc.cableList() = load.cable;
    *doc.satelliteList() = load.satellite;
    *doc.astraHDList() = load.astra;
    doc.setCountry(load.country);
    SatelliteChannel::satellites = load.satellites;
    SatelliteChannel::transponders = load.transponders;
    SatelliteChannel::serviceProviders = load.providers;
    SatelliteChannel::bouquets = load.bouquets;
    SatelliteChannel::databaseHeader = load.header == -12345 ? 0 : load.header;
    const QString path = Fuzz::freshScratchFolder() + QStringLiteral("/again.ulmx");
    {
        DataFileHandler_ulmx writer(path);
        FUZZ_CHECK(writer.save(doc) == RC_SUCCESS);
    }
    SatelliteChannel::clearDatabase();
    Load again;
    {
        DataFileHandler_ulmx reader(path);
        again.run(reader, load.country, false);
    }
    for (int rc : again.results)
        FUZZ_CHECK(rc == RC_SUCCESS || rc == RC_NO_SERVICE_LIST);
    FUZZ_CHECK(again.air.size() == load.air.size());
    FUZZ_CHECK(again.cable.size() == load.cable.size());
    // Every channel comes back, also one whose transponder the file does not hold (a stream without a link).
    FUZZ_CHECK(again.satellite.size() == load.satellite.size());
    FUZZ_CHECK(again.astra.size() == load.astra.size());
    return 0;
}
