#ifndef SAVECAPACITY_H
#define SAVECAPACITY_H

#include <QList>
#include <QString>
#include <QStringList>

class ChannelListProvider;

// What a save in a format would not keep of a document: one loss per kind, with how many channels or names
// it concerns, the first few of those names and one short sentence in plain words ("A 2010-01 file holds no
// Astra HD+ list: its 40 channels will not be saved."). Read from the document and the process-wide
// satellite database alone; nothing is written. Empty when the file would hold everything.
//
// The universal format's value rules are not restated here: each value is run through the text the writer
// gives it and the value the reader takes from that text, and counts only when it comes back changed.
class SaveCapacity {
public:
    // In the order the user reads them.
    enum class Kind {
        AstraHDList,           // the target has no Astra HD+ list
        FavouritesLists,       // channels in a favourites list beyond the target's
        FavouritePlaces,       // places within favourites lists the target keeps unordered
        ChildLocks,            // locked channels in a target without child locks
        LongNames,             // names longer than a record holds
        AstraHDRenumbered,     // the Astra HD+ favourite range packed without gaps
        AnalogueNumbers,       // analogue channels numbered above what the target keeps
        SatelliteMissing,      // satellite channels whose transponder's satellite is missing
        NetworkIds,            // digital channels with a TSID or ONID
        AnalogueSystems,       // analogue channels with a colour or sound system
        AnalogueBandwidth,     // analogue air channels with a bandwidth
        AnalogueCategory,      // analogue radio and data channels, read back as TV
        AnalogueSatellite,     // analogue satellite channels, saved as digital or left out
        SharedDelivery,        // digital channels given another channel's delivery values
        Frequency,             // air and cable frequencies the target rounds
        TransponderFrequency,  // satellite frequencies the target cuts to whole kHz
        TransponderPolarity,   // satellite polarities the target has no text for
        TransponderModulation, // satellite modulations the target has no text for
        Fec,                   // FEC rates the target has no text for
        CableModulation,       // cable modulations the target has no text for
        UnwritableNames,       // names with characters the target cannot hold
    };
    // How many names a loss keeps to show; its count says how many more there are.
    static constexpr int NAMES_KEPT = 3;

    struct Loss {
        Kind kind;
        int count = 0;
        QStringList names; // the first NAMES_KEPT names concerned, in document order
        QString text;
    };

    // format: FF_UNIVERSAL, a raw model year, or FF_KEEP for the format a plain save writes.
    SaveCapacity(const ChannelListProvider &document, int format);

    bool isEmpty() const { return m_losses.isEmpty(); }
    const QList<Loss> &losses() const { return m_losses; }
    // How many channels or names the kind concerns; 0 when the save loses nothing of it.
    int count(Kind kind) const;

    // True for a raw model year before the document's own one. The universal format is no model year: it is
    // neither older nor newer than any.
    static bool isOlderFormat(int documentFormat, int format);

private:
    QList<Loss> m_losses;
};

#endif
