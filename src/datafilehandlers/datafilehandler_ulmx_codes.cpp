#include "datafilehandlers/datafilehandler_ulmx_codes.h"

#include "datafilehandlers/ulmxnumbers.h"

#include <cmath>
#include <cstring>

namespace UlmxCodes {

namespace {

// FEC code rates by code; codes 0 (auto) and 13 have no text in the document.
const char *const FEC_TEXTS[] = {nullptr, "1/2", "2/3", "3/4", "5/6", "7/8", "1/4",
                                 "1/3",   "2/5", "3/5", "4/5", "8/9", "9/10"};
constexpr int FEC_TEXT_COUNT = int(sizeof FEC_TEXTS / sizeof FEC_TEXTS[0]);

struct ModulationText {
    int code;
    const char *text;
};
const ModulationText CABLE_MODULATIONS[] = {
    {14, "16QAM"}, {15, "32QAM"}, {1, "64QAM"}, {11, "128QAM"}, {2, "256QAM"}};

const char *const QPSK = "QPSK";
const char *const HORIZONTAL = "H";
const char *const VERTICAL = "V";
const char *const BANDWIDTH_UNIT = "mhz";

// A UTF-16 unit XML 1.0 cannot carry as it stands: a control character (tab and line ends survive only as
// references), half of a surrogate pair (fine only as a pair) or one of the non-characters U+FFFE and U+FFFF.
bool isOutsideXmlText(char16_t c) {
    return c < 0x20 || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF;
}

// How many units at i the file carries as they are: 2 for a whole surrogate pair, 1 for a unit XML holds
// or writes as a reference, 0 for one the writer leaves out.
int carriedUnits(const QString &text, qsizetype i) {
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
        return 2;
    return !isOutsideXmlText(c) || c == '\t' || c == '\n' || c == '\r' ? 1 : 0;
}

} // namespace

QString transponderModulationText(int code) {
    return code == MODULATION_QPSK ? QString::fromLatin1(QPSK) : QString();
}

int transponderModulationCode(QStringView text) {
    return text.toString().toUpper() == QLatin1StringView(QPSK) ? MODULATION_QPSK : MODULATION_UNKNOWN;
}

QString polarityText(int code) {
    if (code == POLARITY_HORIZONTAL)
        return QString::fromLatin1(HORIZONTAL);
    return code == POLARITY_VERTICAL ? QString::fromLatin1(VERTICAL) : QString();
}

int polarityCode(QStringView text) {
    if (is(text, HORIZONTAL))
        return POLARITY_HORIZONTAL;
    return is(text, VERTICAL) ? POLARITY_VERTICAL : POLARITY_UNKNOWN;
}

int polarityReadBack(int code) {
    return polarityCode(polarityText(code));
}

QString fecText(int code) {
    return code >= 1 && code < FEC_TEXT_COUNT ? QString::fromLatin1(FEC_TEXTS[code]) : QString();
}

int fecCode(QStringView text) {
    for (int code = 1; code < FEC_TEXT_COUNT; ++code) {
        if (is(text, FEC_TEXTS[code]))
            return code;
    }
    return FEC_AUTO;
}

QString cableModulationText(int code) {
    for (const ModulationText &entry : CABLE_MODULATIONS) {
        if (entry.code == code)
            return QString::fromLatin1(entry.text);
    }
    return QString();
}

int cableModulationCode(QStringView text) {
    const QString upper = text.toString().toUpper();
    for (const ModulationText &entry : CABLE_MODULATIONS) {
        if (upper == QLatin1StringView(entry.text))
            return entry.code;
    }
    return MODULATION_UNKNOWN;
}

QString frequencyText(float megahertz) {
    QString text;
    UlmxNumbers::appendFloat(text, double(megahertz));
    return text;
}

bool readFrequency(QStringView text, float &megahertz) {
    float value = 0;
    if (!UlmxNumbers::toFloat(text, value)) {
        megahertz = 0;
        return false;
    }
    megahertz = value < 0 ? 0.0f : value;
    return true;
}

QString transponderFrequencyText(float kilohertz) {
    // A value that is no number or absurdly large is written as 0.
    const double value = double(kilohertz);
    const bool sane = std::isfinite(value) && std::fabs(value) < 1e15;
    QString text;
    UlmxNumbers::appendDecimal(text, sane ? qint64(std::trunc(value)) : 0);
    return text;
}

QString bandwidthText(quint16 megahertz) {
    QString text;
    UlmxNumbers::appendDecimal(text, megahertz);
    return text + QLatin1StringView(BANDWIDTH_UNIT);
}

quint16 bandwidthValue(QStringView text) {
    QString number = text.toString();
    number.remove(QLatin1StringView(BANDWIDTH_UNIT));
    quint16 value = 0;
    return UlmxNumbers::toUInt16(number, 10, value) ? value : NO_BANDWIDTH;
}

quint32 frequencyKey(float value) {
    if (value == 0.0f)
        value = 0.0f;
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

QString xmlCarriedText(const QString &text) {
    qsizetype i = 0;
    while (i < text.size() && carriedUnits(text, i) > 0)
        i += carriedUnits(text, i);
    if (i == text.size())
        return text;
    QString carried = text.left(i);
    while (i < text.size()) {
        const int units = carriedUnits(text, i);
        carried += QStringView(text).mid(i, units);
        i += qMax(units, 1);
    }
    return carried;
}

} // namespace UlmxCodes
