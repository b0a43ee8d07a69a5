#include "core/codenames.h"

#include <QCoreApplication>

bool CodeNameTable::contains(int code) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].code == code)
            return true;
    }
    return false;
}

QString CodeNameTable::text(int code) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].code == code)
            return QCoreApplication::translate("QObject", m_entries[i].text);
    }
    return QString();
}

QList<int> CodeNameTable::codes() const {
    QList<int> result;
    for (int i = 0; i < m_count; ++i)
        result.append(m_entries[i].code);
    return result;
}

namespace {
const CodeNameTable::Entry MODULATIONS[] = {
    {-1, QT_TRANSLATE_NOOP("QObject", "Unknown")},
    {0, QT_TRANSLATE_NOOP("QObject", "Auto")},
    {1, "64-QAM"},
    {2, "256-QAM"},
    {3, "8PSK"},
    {5, "QPSK"},
    {11, "128-QAM"},
    {14, "16-QAM"},
    {15, "32-QAM"},
};
const CodeNameTable::Entry POLARITIES[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "Horizontal")},
    {1, QT_TRANSLATE_NOOP("QObject", "Vertical")},
    {2, QT_TRANSLATE_NOOP("QObject", "Unknown")},
};
const CodeNameTable::Entry FECS[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "Auto")},
    {1, "1/2"},
    {2, "2/3"},
    {3, "3/4"},
    {4, "5/6"},
    {5, "7/8"},
    {6, "1/4"},
    {7, "1/3"},
    {8, "2/5"},
    {9, "3/5"},
    {10, "4/5"},
    {11, "8/9"},
    {12, "9/10"},
    {13, QT_TRANSLATE_NOOP("QObject", "No conv.")},
};
const CodeNameTable::Entry COLOUR_SYSTEMS[] = {
    {0, "PAL"},
    {1, "SECAM"},
    {2, "NTSC 3.58"},
    {3, "NTSC 4.43"},
    {4, "PAL-M"},
    {5, "PAL-N"},
    {6, QT_TRANSLATE_NOOP("QObject", "Auto")},
};
const CodeNameTable::Entry SOUND_SYSTEMS[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "Unknown")}, {1, "B/G"}, {2, "D/K"}, {3, "I"}, {4, "L"}, {5, "M"},
};
template <int N> CodeNameTable makeTable(const CodeNameTable::Entry (&entries)[N]) {
    return CodeNameTable(entries, N);
}
} // namespace

const CodeNameTable &ModulationNames::table() {
    static const CodeNameTable t = makeTable(MODULATIONS);
    return t;
}
const CodeNameTable &PolarityNames::table() {
    static const CodeNameTable t = makeTable(POLARITIES);
    return t;
}
const CodeNameTable &FecNames::table() {
    static const CodeNameTable t = makeTable(FECS);
    return t;
}
const CodeNameTable &ColourSystemNames::table() {
    static const CodeNameTable t = makeTable(COLOUR_SYSTEMS);
    return t;
}
const CodeNameTable &SoundSystemNames::table() {
    static const CodeNameTable t = makeTable(SOUND_SYSTEMS);
    return t;
}
