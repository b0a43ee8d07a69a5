#ifndef DATAFILEHANDLER_ULMX_CODES_H
#define DATAFILEHANDLER_ULMX_CODES_H

#include <QLatin1StringView>
#include <QStringView>
#include <QtGlobal>

// The value codes that the universal document's readers and writers of DataFileHandler_ulmx share, so a
// code read back is the code written. Private to the handler's source files and to SaveCapacity, which names
// what the format cannot keep.
namespace UlmxCodes {

// FEC code rates by code; codes 0 (auto) and 13 have no text in the document.
inline const char *const FEC_TEXTS[] = {nullptr, "1/2", "2/3", "3/4", "5/6", "7/8", "1/4",
                                        "1/3",   "2/5", "3/5", "4/5", "8/9", "9/10"};
inline constexpr int FEC_TEXT_COUNT = int(sizeof FEC_TEXTS / sizeof FEC_TEXTS[0]);

struct ModulationText {
    int code;
    const char *text;
};
inline const ModulationText CABLE_MODULATIONS[] = {
    {14, "16QAM"}, {15, "32QAM"}, {1, "64QAM"}, {11, "128QAM"}, {2, "256QAM"}};

inline constexpr int MODULATION_QPSK = 5;
inline constexpr int MODULATION_UNKNOWN = -1;
inline constexpr int POLARITY_HORIZONTAL = 0;
inline constexpr int POLARITY_VERTICAL = 1;
inline constexpr int POLARITY_UNKNOWN = 2;
// The highest number an analogue channel keeps; the reader gives higher ones 0.
inline constexpr quint16 MAX_ANALOGUE_NUMBER = 99;
// Bit 15 of an orbital position; the low 15 bits are tenths of a degree.
inline constexpr quint16 EAST = 0x8000;
// What the readers give the channel fields the document has no place for.
inline constexpr int SOUND_SYSTEM_UNKNOWN = 0;
inline constexpr int COLOUR_SYSTEM_AUTO = 6;
inline constexpr int NO_TSID = -1;
inline constexpr int NO_ONID = 0;

// A UTF-16 unit XML 1.0 cannot carry as it stands: a control character (tab and line ends survive only as
// references), half of a surrogate pair (fine only as a pair) or one of the non-characters U+FFFE and U+FFFF.
inline constexpr bool isOutsideXmlText(char16_t c) {
    return c < 0x20 || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF;
}

inline bool is(QStringView text, const char *literal) {
    return text == QLatin1StringView(literal);
}

} // namespace UlmxCodes

#endif
