#ifndef ULMXNUMBERS_H
#define ULMXNUMBERS_H

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Number texts of the universal document, read and written without regard to the process locale: a file
// written under a decimal-comma locale must read back anywhere, and a user's locale must never turn
// "474.25" into "474,25".
//
// Readers are lenient in the C way: surrounding blanks are ignored, a sign is allowed, and base 0 means the
// C rules ("0x" hexadecimal, a leading 0 octal, else decimal; nothing else, so no "0b"). The whole text must
// be the number; anything else is "not a number" and the caller substitutes its default.
class UlmxNumbers {
public:
    // base is 0 (C rules), 10 or 16 (a "0x" prefix accepted). Fails on overflow of 64 bits.
    static bool parseInteger(QStringView text, int base, qint64 &value);
    // The value when it lies in [minimum, maximum], else fails.
    static bool parseInRange(QStringView text, int base, qint64 minimum, qint64 maximum, qint64 &value);
    // Unsigned 32-bit: no negative numbers.
    static bool toUInt32(QStringView text, int base, quint32 &value);
    static bool toUInt16(QStringView text, int base, quint16 &value);
    static bool toInt32(QStringView text, int base, qint32 &value);
    // A 32-bit word written either signed or unsigned: [-2^31, 2^32 - 1], kept as its low 32 bits, so a
    // value the writer printed as unsigned hexadecimal reads back as the signed value it came from.
    static bool toWord32(QStringView text, int base, quint32 &value);
    // A decimal real number (no hexadecimal, no infinities, no NaN) that fits a float.
    static bool toFloat(QStringView text, float &value);

    // Six significant digits in the C printf "%g" form: 474 -> "474", 474.25 -> "474.25", 1e+07.
    static void appendFloat(QString &out, double value);
    // "0x" and lower-case hexadecimal digits without leading zeros (0 -> "0x0").
    static void appendHex(QString &out, quint32 value);
    static void appendDecimal(QString &out, qint64 value);
};

#endif
