#ifndef RESULTCODE_H
#define RESULTCODE_H

// Outcome of every data-layer operation. The data layer never throws: failures travel as these integers from
// the handlers through the director and the document to the main window.
enum ResultCode : int {
    RC_SUCCESS = 0,
    RC_UNKNOWN_ERROR = 1,
    RC_FILE_NOT_FOUND = 2,
    RC_CANNOT_OPEN = 3,
    RC_CANNOT_READ = 4,
    RC_CANNOT_WRITE = 5,
    RC_ACCESS_DENIED = 6,
    RC_INVALID_FORMAT = 7,
    RC_CHECKSUM_FAILED = 8,
    RC_NO_FREE_USER_SATELLITE_SLOTS = 9,
    RC_NO_SERVICE_LIST = 10,
    // More live Astra HD+ channels numbered 1 to 99 than a raw file's favourite range has numbers.
    RC_ASTRA_HD_RANGE_FULL = 11,
    // A list too long for the file format: a save refuses it rather than write a file that would not open.
    RC_LIST_TOO_LONG = 12,
    // Invalid file contents: the detail number is added to this base (1003 = detail 3).
    RC_INVALID_CONTENTS = 1000
};

// Format code of a handler and of a save request.
enum FileFormat : int {
    FF_UNIVERSAL_HANDLER = 0, // what the universal handler reports; also a document before any load
    FF_UNIVERSAL = 1,         // universal format requested on save
    FF_RAW_2010_01 = 3,
    FF_RAW_2011_01 = 4,
    FF_RAW_2012_01 = 5,
    FF_KEEP = 6 // save in the format of the loaded file
};

// True when a document in this format keeps an order within each favourites list (of the codes a document
// or a save choice carries, only "2012-01"); the older formats hold membership alone.
inline bool holdsOrderedFavourites(int formatCode) {
    return formatCode > FF_RAW_2011_01;
}

// True when a document in this format keeps child locks: every raw model year does, the universal format not.
inline bool holdsChildLocks(int formatCode) {
    return formatCode > FF_UNIVERSAL;
}

#endif
