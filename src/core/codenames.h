#ifndef CODENAMES_H
#define CODENAMES_H

#include <QList>
#include <QString>

// Code-to-text tables of the channel and transponder codes. Texts are translated when asked for; an unknown
// code gives an empty text and never adds an entry.
class CodeNameTable {
public:
    struct Entry {
        int code;
        const char *text;
    };
    CodeNameTable(const Entry *entries, int count) : m_entries(entries), m_count(count) {}

    bool contains(int code) const;
    QString text(int code) const;
    QList<int> codes() const;

private:
    const Entry *m_entries;
    int m_count;
};

// Modulations: -1 unknown, 5 QPSK, cable modes 14/15/1/11/2 (16- to 256-QAM).
class ModulationNames {
public:
    static const CodeNameTable &table();
    static bool contains(int code) { return table().contains(code); }
    static QString text(int code) { return table().text(code); }
};

// Polarities: 0 horizontal, 1 vertical, 2 unknown.
class PolarityNames {
public:
    static const CodeNameTable &table();
    static bool contains(int code) { return table().contains(code); }
    static QString text(int code) { return table().text(code); }
};

// FEC code rates: 0 auto, 1..12 the rates, 13 no convolutional coding.
class FecNames {
public:
    static const CodeNameTable &table();
    static bool contains(int code) { return table().contains(code); }
    static QString text(int code) { return table().text(code); }
};

// Analogue colour systems; 6 is "Auto".
class ColourSystemNames {
public:
    static const CodeNameTable &table();
    static bool contains(int code) { return table().contains(code); }
    static QString text(int code) { return table().text(code); }
};

// Analogue sound systems; 0 is "Unknown".
class SoundSystemNames {
public:
    static const CodeNameTable &table();
    static bool contains(int code) { return table().contains(code); }
    static QString text(int code) { return table().text(code); }
};

#endif
