// The model-year probe ("map-ChKey" and "CloneInfo") and the country step of the raw handlers, on a folder
// holding arbitrary member files.
//
// Input: a flag byte (bit 0 write "map-ChKey", bit 1 write "CloneInfo", bit 2 make "map-ChKey" a folder,
// bit 3 make "CloneInfo" a folder), a length byte n, n bytes of "map-ChKey", the rest "CloneInfo".

#include "fuzz/fuzzcheck.h"
#include "fuzz/fuzzfiles.h"
#include "fuzz/harnesses.h"

#include "datafilehandlers/datafilehandler_rvl.h"
#include "datafilehandlers/rawrecordcodec.h"

#include <QDir>
#include <QFileInfo>

namespace {

template <typename GG> void checkCountry(const QString &folder, bool hasCountryFile) {
    DataFileHandler_rvl<GG> handler{QDir(folder)};
    QString country = QStringLiteral("untouched");
    const int rc = handler.country(country);
    FUZZ_CHECK(rc == RC_SUCCESS || rc == RC_CANNOT_READ ||
               rc == RC_INVALID_CONTENTS + RawRecordCodec::DETAIL_COUNTRY);
    if (!hasCountryFile)
        FUZZ_CHECK(rc == RC_CANNOT_READ);
    if (rc != RC_SUCCESS) {
        FUZZ_CHECK(country == QLatin1String("untouched"));
        return;
    }
    FUZZ_CHECK(country == QLatin1String("*") || (country.size() >= 1 && country.size() <= 3));
    for (const QChar c : country)
        FUZZ_CHECK(country == QLatin1String("*") || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')));
}

} // namespace

int fuzzRawProbe(const uint8_t *data, size_t size) {
    if (size < 2)
        return 0;
    const quint8 flags = data[0];
    const size_t keyLength = qMin(size_t(data[1]), size - 2);
    const QByteArray key(reinterpret_cast<const char *>(data + 2), int(keyLength));
    const QByteArray clone(reinterpret_cast<const char *>(data + 2 + keyLength), int(size - 2 - keyLength));

    const QString folder = Fuzz::freshScratchFolder();
    const QDir dir(folder);
    const QString keyPath = dir.filePath(QString::fromLatin1(RawRecordCodec::MEMBER_KEY));
    const QString clonePath = dir.filePath(QString::fromLatin1(RawRecordCodec::MEMBER_COUNTRY));
    if (flags & 0x04)
        FUZZ_CHECK(dir.mkdir(QString::fromLatin1(RawRecordCodec::MEMBER_KEY)));
    else if (flags & 0x01)
        Fuzz::writeFile(keyPath, key);
    if (flags & 0x08)
        FUZZ_CHECK(dir.mkdir(QString::fromLatin1(RawRecordCodec::MEMBER_COUNTRY)));
    else if (flags & 0x02)
        Fuzz::writeFile(clonePath, clone);
    const QStringList before = Fuzz::listTree(folder);

    const bool p10 = DataFileHandler_rvl<GGData2010_01>::probeFolder(folder);
    const bool p11 = DataFileHandler_rvl<GGData2011_01>::probeFolder(folder);
    const bool p12 = DataFileHandler_rvl<GGData2012_01>::probeFolder(folder);
    // The year keys differ, so no folder can be two model years at once.
    FUZZ_CHECK(int(p10) + int(p11) + int(p12) <= 1);
    if (p10 || p11 || p12) {
        qint32 value = 0;
        FUZZ_CHECK((flags & 0x05) == 0x01 && (flags & 0x0A) == 0x02);
        FUZZ_CHECK(RawRecordCodec::decodeKey(key, value));
        const int year = p10 ? GGData2010_01::LAYOUT.yearKey
                             : (p11 ? GGData2011_01::LAYOUT.yearKey : GGData2012_01::LAYOUT.yearKey);
        FUZZ_CHECK(value / 1000 == year);
    }

    const bool hasCountryFile = (flags & 0x0A) == 0x02;
    checkCountry<GGData2010_01>(folder, hasCountryFile);
    checkCountry<GGData2011_01>(folder, hasCountryFile);
    checkCountry<GGData2012_01>(folder, hasCountryFile);
    // Probing and reading never change the folder.
    FUZZ_CHECK(Fuzz::listTree(folder) == before);
    return 0;
}
