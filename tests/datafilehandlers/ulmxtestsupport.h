#ifndef ULMXTESTSUPPORT_H
#define ULMXTESTSUPPORT_H

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/datafilehandler_ulmx.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// Everything one load of a universal document yields, gathered the way the data director gathers it.
struct UlmxLoad {
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
    void run(DataFileHandler_ulmx &handler, const QString &requested) {
        satelliteResult =
            handler.loadSatellite(satellite, satellites, transponders, providers, &header, requested);
        cableResult = handler.loadCable(cable, requested);
        airResult = handler.loadAir(air, requested);
        astraResult =
            handler.loadAstraHD(astra, satellites, transponders, providers, bouquets, &header, requested);
        countryResult = handler.country(country);
    }

    static UlmxLoad fromBytes(const QByteArray &bytes, const QString &requested = QStringLiteral("DEU")) {
        UlmxLoad load;
        DataFileHandler_ulmx handler(QString{});
        handler.setDocumentBytes(bytes);
        load.run(handler, requested);
        return load;
    }

    static UlmxLoad fromFile(const QString &path, const QString &requested = QStringLiteral("DEU")) {
        UlmxLoad load;
        DataFileHandler_ulmx handler(path);
        load.run(handler, requested);
        return load;
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

// A universal document around the given body parts, in the layout the writer uses (indentation is free).
inline QByteArray ulmxDocument(const QString &serviceLists, const QString &satellites = QString(),
                               const QString &version = QStringLiteral("1.0")) {
    return QStringLiteral("<?xml version=\"1.0\" ?>\n<ULM>\n<ulm_header><version val=\"%1\"/></ulm_header>\n"
                          "<ulm_body>\n<satellite_database>%2</satellite_database>\n"
                          "<service_database>%3</service_database>\n</ulm_body>\n</ULM>\n")
        .arg(version, satellites, serviceLists)
        .toUtf8();
}

inline QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Whether an independent parser (libxml2's xmllint) takes the file as well-formed XML. Empty when xmllint
// is missing, else its verdict and messages.
inline QString xmllintVerdict(const QString &path, bool *wellFormed) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (program.isEmpty())
        return QString();
    QProcess process;
    process.start(program, {QStringLiteral("--noout"), path});
    process.waitForFinished(60000);
    *wellFormed = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardError()) + QStringLiteral("(xmllint ran)");
}

#endif
