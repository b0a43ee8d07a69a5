#ifndef DATAFILEHANDLER_ULMX_STREAMS_H
#define DATAFILEHANDLER_ULMX_STREAMS_H

#include "core/channel.h"
#include "core/channellist.h"
#include "datafilehandlers/datafilehandler_ulmx_codes.h"

#include <QHash>

#include <cmath>
#include <vector>

// How the universal writer groups a list's channels into streams, for the writer and for SaveCapacity,
// which names what the grouping changes. Streams come in the order their first digital channel comes,
// deleted or not; that channel gives the stream's delivery values (air and cable) or its transponder
// (satellite and Astra HD+). The services of a stream are the channels the file holds; a channel of no
// stream is not written.
namespace UlmxStreams {

template <typename T> struct Stream {
    const T *first;
    std::vector<const T *> services;
};

// Air and cable: one stream per frequency, of the digital channels only. A frequency that is no number
// matches nothing, not even itself: its stream holds no service.
template <typename T> std::vector<Stream<T>> byFrequency(const ChannelList<T> &channels) {
    std::vector<Stream<T>> streams;
    QHash<quint32, int> streamOfFrequency;
    for (const T &channel : channels) {
        if (channel.kind() != Channel::DIGITAL)
            continue;
        const float frequency = channel.frequency();
        if (std::isnan(frequency)) {
            streams.push_back(Stream<T>{&channel, {}});
            continue;
        }
        const quint32 key = UlmxCodes::frequencyKey(frequency);
        if (!streamOfFrequency.contains(key)) {
            streamOfFrequency.insert(key, int(streams.size()));
            streams.push_back(Stream<T>{&channel, {}});
        }
    }
    for (const T &channel : channels) {
        if (channel.kind() != Channel::DIGITAL || channel.isDeleted() || std::isnan(channel.frequency()))
            continue;
        streams[size_t(streamOfFrequency.value(UlmxCodes::frequencyKey(channel.frequency())))]
            .services.push_back(&channel);
    }
    return streams;
}

// Satellite and Astra HD+: one stream per transponder that has a digital channel; every channel still in
// the list on that transponder, of either kind, is a service of it.
template <typename T> std::vector<Stream<T>> byTransponder(const ChannelList<T> &channels) {
    std::vector<Stream<T>> streams;
    QHash<quint32, int> streamOfTransponder;
    for (const T &channel : channels) {
        if (channel.kind() != Channel::DIGITAL || streamOfTransponder.contains(channel.transponderId()))
            continue;
        streamOfTransponder.insert(channel.transponderId(), int(streams.size()));
        streams.push_back(Stream<T>{&channel, {}});
    }
    for (const T &channel : channels) {
        if (channel.isDeleted())
            continue;
        const auto it = streamOfTransponder.constFind(channel.transponderId());
        if (it != streamOfTransponder.cend())
            streams[size_t(*it)].services.push_back(&channel);
    }
    return streams;
}

} // namespace UlmxStreams

#endif
