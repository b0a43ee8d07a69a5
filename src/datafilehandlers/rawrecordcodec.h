#ifndef RAWRECORDCODEC_H
#define RAWRECORDCODEC_H

#include "archive/ziparchive.h"
#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"
#include "core/satellitedatabase.h"
#include "datafilehandlers/ggdata.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// One entry of a physical-channel table: the tuner's channel raster, which the set needs next to the lists.
struct PhysicalChannel {
    quint16 index = 0;
    quint16 bandwidth = 0; // MHz
    quint32 frequency = 0; // centre frequency, kHz
    QByteArray label;      // ASCII, at most 8 characters ("E21", "S05")

    bool operator==(const PhysicalChannel &o) const {
        return index == o.index && bandwidth == o.bandwidth && frequency == o.frequency && label == o.label;
    }
};

// Encoding and decoding of the raw format's member files. Every decoder works on the member's bytes alone
// (no files), checks the framing and every field before it trusts them, and returns a ResultCode; on failure
// the output is left untouched. Every encoder applies the same field rules, so whatever it writes decodes.
//
// A record member is: a 16-byte header (magic, year key, record size, record count, header word), the
// fixed-size records, and a CRC-32 of everything before it. See docs/raw-format.md.
class RawRecordCodec {
public:
    // Member file names inside the archive and the working folder.
    static const char *const MEMBER_KEY;
    static const char *const MEMBER_COUNTRY;
    static const char *const MEMBER_AIR;
    static const char *const MEMBER_CABLE;
    static const char *const MEMBER_SATELLITE;
    static const char *const MEMBER_ASTRA_HD;
    static const char *const MEMBER_SATELLITES;
    static const char *const MEMBER_TRANSPONDERS;
    static const char *const MEMBER_PROVIDERS;
    static const char *const MEMBER_BOUQUETS;
    static const char *const MEMBER_PHYSICAL_AIR;
    static const char *const MEMBER_PHYSICAL_CABLE;

    static constexpr int HEADER_SIZE = 16;
    static constexpr int CRC_SIZE = 4;
    static constexpr int NAME_UNITS = 64;
    // Far above any real list; a larger member is refused before it is read. The same limit as unpacking
    // the archive sets, so a member that unpacks is never refused here for its size.
    static constexpr qint64 MAX_MEMBER_SIZE = ZipLimits::MAX_MEMBER_SIZE;

    // Detail numbers of invalid contents (added to RC_INVALID_CONTENTS).
    enum Detail {
        DETAIL_HEADER = 1,   // wrong magic, year key or record size
        DETAIL_LENGTH = 2,   // too short, too large, or length not matching the record count
        DETAIL_FIELD = 3,    // a channel field out of range
        DETAIL_FLOAT = 4,    // a frequency that is not a finite number
        DETAIL_DATABASE = 5, // a duplicate id in a database member, or a bouquet id 0
        DETAIL_COUNTRY = 16  // "CloneInfo" holding no valid country
    };

    // Record sizes per layout (the channel records carry the year's favourites block).
    static int airRecordSize(const RawLayout &layout);
    static int cableRecordSize(const RawLayout &layout);
    static int satelliteRecordSize(const RawLayout &layout);
    static int astraHDRecordSize(const RawLayout &layout);

    // "map-ChKey": the year key times 1000.
    static QByteArray encodeKey(const RawLayout &layout);
    // The value of "map-ChKey"; false when fewer than four bytes.
    static bool decodeKey(const QByteArray &bytes, qint32 &key);

    // "CloneInfo": 1 to 3 letters A-Z, or "*", NUL-padded to 4 bytes. The encoder upper-cases the code
    // first; the decoder takes upper-case letters only.
    static int encodeCountry(const QString &country, QByteArray &bytes);
    static int decodeCountry(const QByteArray &bytes, QString &country);

    // Channel members. Deleted channels are never written. In a layout with positions, a member of a
    // favourites list without a position gets the next position after the highest one of that list.
    static int encodeAirChannels(const ChannelList<AirChannel> &list, const RawLayout &layout,
                                 QByteArray &bytes);
    static int encodeCableChannels(const ChannelList<CableChannel> &list, const RawLayout &layout,
                                   QByteArray &bytes);
    static int encodeSatelliteChannels(const ChannelList<SatelliteChannel> &list, const RawLayout &layout,
                                       QByteArray &bytes);
    // Refuses (RC_ASTRA_HD_RANGE_FULL) more than 99 live channels numbered 1 to 99, which fillAstraHDRange
    // could not shape when the list is read back.
    static int encodeAstraHDChannels(const ChannelList<AstraHDChannel> &list, const RawLayout &layout,
                                     QByteArray &bytes);
    static int decodeAirChannels(const QByteArray &bytes, const RawLayout &layout,
                                 ChannelList<AirChannel> &list);
    static int decodeCableChannels(const QByteArray &bytes, const RawLayout &layout,
                                   ChannelList<CableChannel> &list);
    static int decodeSatelliteChannels(const QByteArray &bytes, const RawLayout &layout,
                                       ChannelList<SatelliteChannel> &list);
    static int decodeAstraHDChannels(const QByteArray &bytes, const RawLayout &layout,
                                     ChannelList<AstraHDChannel> &list);

    // Satellite database members. The satellite member carries the database header word.
    static int encodeSatellites(const SatelliteMap &satellites, int databaseHeader, const RawLayout &layout,
                                QByteArray &bytes);
    static int decodeSatellites(const QByteArray &bytes, const RawLayout &layout, SatelliteMap &satellites,
                                int &databaseHeader);
    static int encodeTransponders(const TransponderMap &transponders, const RawLayout &layout,
                                  QByteArray &bytes);
    static int decodeTransponders(const QByteArray &bytes, const RawLayout &layout,
                                  TransponderMap &transponders);
    // Providers of every category (3 satellite, 8 Astra HD+) in one member.
    static int encodeProviders(const CategoryProviderMap &providers, const RawLayout &layout,
                               QByteArray &bytes);
    static int decodeProviders(const QByteArray &bytes, const RawLayout &layout,
                               CategoryProviderMap &providers);
    // Bouquet id 0 marks an empty bouquet slot of a channel, so a bouquet keyed 0 is not written.
    static int encodeBouquets(const CategoryProviderMap &bouquets, const RawLayout &layout,
                              QByteArray &bytes);
    static int decodeBouquets(const QByteArray &bytes, const RawLayout &layout,
                              CategoryProviderMap &bouquets);

    // Physical-channel tables; air and cable use the same record with their own magic.
    static int encodePhysicalChannels(const QVector<PhysicalChannel> &table, bool cable,
                                      const RawLayout &layout, QByteArray &bytes);
    static int decodePhysicalChannels(const QByteArray &bytes, bool cable, const RawLayout &layout,
                                      QVector<PhysicalChannel> &table);
    // The table member of one model year as a member of another, for a save in another year that keeps the
    // set's own table. The entries count the table's records. The decoder's code when the member does not
    // decode; RC_LIST_TOO_LONG when the other year cannot hold the entries.
    static int convertPhysicalChannels(const QByteArray &bytes, bool cable, const RawLayout &from,
                                       const RawLayout &to, QByteArray &converted, int &entries);
    static QVector<PhysicalChannel> defaultAirChannels();
    static QVector<PhysicalChannel> defaultCableChannels();

    // The Astra HD+ favourite range as a loaded raw list presents it: the channels numbered 1 to 99 are
    // renumbered 1..H in number order, and a deleted "EMPTY_ROW" placeholder fills every number from H + 1
    // to 99. More than 99 channels in the range cannot be shaped and give DETAIL_FIELD.
    static int fillAstraHDRange(ChannelList<AstraHDChannel> &list);

    // Names: UTF-16LE, NAME_UNITS code units, NUL-padded; cut without splitting a surrogate pair.
    static QByteArray encodeName(const QString &name);
    static QString decodeName(const char *data);
};

#endif
