#ifndef SHAREDTEXTS_H
#define SHAREDTEXTS_H

#include <QString>

// File-family constants: plain text, never translated.
extern const char *const RAW_FILE_SUFFIX;       // ".rvl"
extern const char *const UNIVERSAL_FILE_SUFFIX; // ".ulmx"
extern const QString RAW_FILE_FILTER;           // "Quorlin raw channel list files (*.rvl)"
extern const QString UNIVERSAL_FILE_FILTER;     // "Quorlin universal channel list files (*.ulmx)"
extern const char *const NO_COUNTRY;            // "*": a document without country

// The texts that tables, descriptions and the main window share. Each is translated (context "QObject") when
// asked for, so a translator installed after start-up still applies.
namespace SharedTexts {
QString analogue();
QString digital();

// Column titles.
QString name();
QString number();
QString type();
QString locked();
QString myFavourites();
QString frequency();
QString colourSystem();
QString soundSystem();
QString bandwidth();
QString modulation();
QString symbolRate();
QString satellite();
QString provider();
QString fec();
QString polarity();
QString serviceId();
QString tsid();
QString onid();

// Units.
QString mhz();
QString khz();
QString ksps();

// Statistics labels and satellite panel ("\t" is a tab).
QString statAll();
QString statTv();
QString statRadio();
QString statDataOther();
QString statSatellite(); // "%1:\t"
QString statFree();
QString statScrambled();
QString channelsInList();

// Tool tips of the tool buttons.
QString tipDelete();
QString tipCopyToRange();
QString tipEditNumber();
QString tipEditName();
QString tipUndo();
QString tipRedo();
QString tipLock();
QString tipUnlock();
QString tipMyFav(int list); // list 1..5
} // namespace SharedTexts

#endif
