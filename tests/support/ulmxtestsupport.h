#ifndef ULMXTESTSUPPORT_H
#define ULMXTESTSUPPORT_H

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/datafilehandler_ulmx.h"
#include "support/documentload.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// One load of a universal document, from bytes in memory or from a file.
struct UlmxLoad : DocumentLoad {
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
