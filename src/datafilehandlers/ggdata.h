#ifndef GGDATA_H
#define GGDATA_H

#include "core/resultcode.h"

#include <QtGlobal>

// How one model year of the raw format lays out its records. The model years differ only in the year key
// stamped on every member, the favourites block of the channel records and whether the Astra HD+ list exists.
struct RawLayout {
    enum Favourites {
        MEMBERSHIP, // one byte per list: 0 not a member, 1 a member (no order kept)
        POSITIONS   // one u16 per list: 0 not a member, else the position within the list
    };

    quint16 yearKey;
    int favouritesLists;
    Favourites favourites;
    bool astraHD;

    int favouritesBlockSize() const {
        return favourites == POSITIONS ? 2 * favouritesLists : favouritesLists;
    }
};

// The model years. They parameterise DataFileHandler_rvl.
struct GGData2010_01 {
    static constexpr int FORMAT_CODE = FF_RAW_2010_01;
    static constexpr const char *VERSION = "2010-01";
    static constexpr RawLayout LAYOUT{1001, 4, RawLayout::MEMBERSHIP, false};
};

struct GGData2011_01 {
    static constexpr int FORMAT_CODE = FF_RAW_2011_01;
    static constexpr const char *VERSION = "2011-01";
    static constexpr RawLayout LAYOUT{1101, 5, RawLayout::MEMBERSHIP, true};
};

struct GGData2012_01 {
    static constexpr int FORMAT_CODE = FF_RAW_2012_01;
    static constexpr const char *VERSION = "2012-01";
    static constexpr RawLayout LAYOUT{1201, 5, RawLayout::POSITIONS, true};
};

// A raw model year as a format code names it: its layout and version text.
struct RawYear {
    RawLayout layout;
    const char *version;
};

// The model year of a raw format code; null for any other code.
inline const RawYear *rawYearOf(int formatCode) {
    static constexpr RawYear YEAR_2010_01{GGData2010_01::LAYOUT, GGData2010_01::VERSION};
    static constexpr RawYear YEAR_2011_01{GGData2011_01::LAYOUT, GGData2011_01::VERSION};
    static constexpr RawYear YEAR_2012_01{GGData2012_01::LAYOUT, GGData2012_01::VERSION};
    switch (formatCode) {
    case GGData2010_01::FORMAT_CODE:
        return &YEAR_2010_01;
    case GGData2011_01::FORMAT_CODE:
        return &YEAR_2011_01;
    case GGData2012_01::FORMAT_CODE:
        return &YEAR_2012_01;
    default:
        return nullptr;
    }
}

#endif
