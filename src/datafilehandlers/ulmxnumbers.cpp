#include "datafilehandlers/ulmxnumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\r' || u == '\v' || u == '\f';
}

QStringView trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

int digitValue(char16_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

bool hasHexPrefix(QStringView text) {
    return text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
}

} // namespace

bool UlmxNumbers::parseInteger(QStringView text, int base, qint64 &value) {
    text = trimmed(text);
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        text = text.mid(1);
    }
    if (base == 0) {
        if (hasHexPrefix(text)) {
            base = 16;
            text = text.mid(2);
        } else if (text.size() > 1 && text[0] == u'0') {
            base = 8;
            text = text.mid(1);
        } else {
            base = 10;
        }
    } else if (base == 16 && hasHexPrefix(text)) {
        text = text.mid(2);
    }
    if (text.isEmpty())
        return false;
    quint64 magnitude = 0;
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    for (const QChar c : text) {
        const int digit = digitValue(c.unicode());
        if (digit >= base)
            return false;
        if (magnitude > (limit - quint64(digit)) / quint64(base))
            return false;
        magnitude = magnitude * quint64(base) + quint64(digit);
    }
    value = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

bool UlmxNumbers::parseInRange(QStringView text, int base, qint64 minimum, qint64 maximum, qint64 &value) {
    qint64 parsed = 0;
    if (!parseInteger(text, base, parsed) || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

bool UlmxNumbers::toUInt32(QStringView text, int base, quint32 &value) {
    qint64 parsed = 0;
    if (!parseInRange(text, base, 0, std::numeric_limits<quint32>::max(), parsed))
        return false;
    value = quint32(parsed);
    return true;
}

bool UlmxNumbers::toUInt16(QStringView text, int base, quint16 &value) {
    qint64 parsed = 0;
    if (!parseInRange(text, base, 0, std::numeric_limits<quint16>::max(), parsed))
        return false;
    value = quint16(parsed);
    return true;
}

bool UlmxNumbers::toInt32(QStringView text, int base, qint32 &value) {
    qint64 parsed = 0;
    if (!parseInRange(text, base, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
                      parsed))
        return false;
    value = qint32(parsed);
    return true;
}

bool UlmxNumbers::toWord32(QStringView text, int base, quint32 &value) {
    qint64 parsed = 0;
    if (!parseInRange(text, base, std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max(),
                      parsed))
        return false;
    value = quint32(quint64(parsed) & 0xFFFFFFFFu);
    return true;
}

bool UlmxNumbers::toFloat(QStringView text, float &value) {
    text = trimmed(text);
    // Long enough for any sensible spelling of a frequency; longer texts are no number of ours.
    constexpr qsizetype MAX_LENGTH = 64;
    if (text.isEmpty() || text.size() > MAX_LENGTH)
        return false;
    char buffer[MAX_LENGTH] = {};
    qsizetype length = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool allowed =
            (u >= '0' && u <= '9') || u == '.' || u == 'e' || u == 'E' || u == '+' || u == '-';
        if (!allowed)
            return false; // also keeps out "inf", "nan" and hexadecimal floats
        buffer[length++] = char(u);
    }
    const char *begin = buffer;
    const char *end = buffer + length;
    bool negative = false;
    if (*begin == '+' || *begin == '-') {
        negative = *begin == '-';
        ++begin;
    }
    if (begin == end || *begin == '+' || *begin == '-')
        return false;
    double parsed = 0;
    const auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    if (std::fabs(parsed) > double(std::numeric_limits<float>::max()))
        return false;
    value = float(negative ? -parsed : parsed);
    return true;
}

void UlmxNumbers::appendFloat(QString &out, double value) {
    // A value that is no number would be written as text no reader accepts; 0 keeps the document readable.
    if (!std::isfinite(value))
        value = 0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    out.append(QLatin1StringView(buffer, result.ptr - buffer));
}

void UlmxNumbers::appendHex(QString &out, quint32 value) {
    char buffer[16] = {'0', 'x'};
    const auto result = std::to_chars(buffer + 2, buffer + sizeof buffer, value, 16);
    out.append(QLatin1StringView(buffer, result.ptr - buffer));
}

void UlmxNumbers::appendDecimal(QString &out, qint64 value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(QLatin1StringView(buffer, result.ptr - buffer));
}
