#ifndef DATAFILEHANDLER_ULMX_CODES_H
#define DATAFILEHANDLER_ULMX_CODES_H

#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

// The value texts and codes that the universal document's readers and writers of DataFileHandler_ulmx share,
// so a code read back is the code written. Each value the format writes as text has its pair here: the text
// the writer gives a value and the value the reader takes from a text. SaveCapacity runs a value through
// both to see what a save would change. Private to the handler's source files, SaveCapacity and the merge
// (which compares names as a file gives them back).
namespace UlmxCodes {

inline constexpr int MODULATION_QPSK = 5;
inline constexpr int MODULATION_UNKNOWN = -1;
inline constexpr int FEC_AUTO = 0;
inline constexpr int FEC_NO_CONVOLUTION = 13; // no rate: written empty, read back as FEC_AUTO
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
inline constexpr int SERVICE_TYPE_ANALOGUE = 1; // a TV service
inline constexpr quint16 NO_BANDWIDTH = 0;

// A satellite transponder's modulation: only QPSK has a text; the reader takes it in any case.
QString transponderModulationText(int code);
int transponderModulationCode(QStringView text);
// A transponder's polarity: horizontal and vertical have a text; any other code is written empty and read
// back as POLARITY_UNKNOWN, as is any text but "H" and "V" exactly.
QString polarityText(int code);
int polarityCode(QStringView text);
// The polarity a universal file gives back for the code.
int polarityReadBack(int code);
// FEC code rates 1 to 12 have a text; any other code is written empty and read back as FEC_AUTO.
QString fecText(int code);
int fecCode(QStringView text);
// The cable modulations 16- to 256-QAM have a text; any other is written empty and read back unknown.
QString cableModulationText(int code);
int cableModulationCode(QStringView text);

// An air or cable frequency in MHz: six significant digits, a value that is no number written as 0. The
// reader takes a negative value as 0; false when the text is no number.
QString frequencyText(float megahertz);
bool readFrequency(QStringView text, float &megahertz);
// A transponder's frequency in kHz: whole kHz, cut toward zero; read back with readFrequency.
QString transponderFrequencyText(float kilohertz);
// An air stream's bandwidth in MHz, written with its unit.
QString bandwidthText(quint16 megahertz);
quint16 bandwidthValue(QStringView text);

// A float frequency as the key of its stream: equal values give equal keys (0 and -0 alike).
quint32 frequencyKey(float value);

// The text as a universal file holds it: without the UTF-16 units XML 1.0 cannot carry, that is control
// characters other than tab and line ends (which the writer keeps as references), the non-characters
// U+FFFE and U+FFFF, and halves of surrogate pairs (a whole pair is kept).
QString xmlCarriedText(const QString &text);

inline bool is(QStringView text, const char *literal) {
    return text == QLatin1StringView(literal);
}

} // namespace UlmxCodes

#endif
