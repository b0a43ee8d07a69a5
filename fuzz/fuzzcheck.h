#ifndef FUZZCHECK_H
#define FUZZCHECK_H

// What every fuzz harness asserts about a reader's answer. A broken invariant aborts with the condition's
// text, so libFuzzer keeps the input as a crash and the replay test fails on it.

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace Fuzz {

[[noreturn]] inline void fail(const char *condition, const char *file, int line) {
    std::fprintf(stderr, "%s:%d: fuzz invariant broken: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

// True when rc is one of the given codes, or an invalid-contents code (1000 + detail) where allowed.
inline bool isOneOf(int rc, std::initializer_list<int> codes, bool invalidContents = true) {
    for (int code : codes) {
        if (rc == code)
            return true;
    }
    return invalidContents && rc > RC_INVALID_CONTENTS && rc < RC_INVALID_CONTENTS + 1000;
}

// Codes a reader may give for bad input; RC_SUCCESS and RC_NO_SERVICE_LIST are added by the callers that
// allow them.
inline bool isReadFailure(int rc) {
    return isOneOf(rc, {RC_CANNOT_OPEN, RC_CANNOT_READ, RC_INVALID_FORMAT, RC_CHECKSUM_FAILED});
}

inline bool isValidPosition(int position) {
    return position == Channel::NOT_A_MEMBER || position == Channel::MEMBER_WITHOUT_POSITION ||
           (position >= 1 && position <= 0xFFFF);
}

// A name a reader hands to the document: no NUL, at most maxUnits UTF-16 units (0: no limit).
inline bool isValidName(const QString &name, int maxUnits) {
    if (maxUnits > 0 && name.size() > maxUnits)
        return false;
    return !name.contains(QChar(0));
}

} // namespace Fuzz

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::Fuzz::fail(#condition, __FILE__, __LINE__);                                                    \
    } while (false)

namespace Fuzz {

// Every channel a reader produced: number in range, a known kind, favourites positions that the model
// knows, a valid name, and nothing in a favourites list the format does not keep.
template <typename T> void checkChannels(const ChannelList<T> &list, int favouritesLists, int maxNameUnits) {
    for (const T &c : list) {
        FUZZ_CHECK(c.number() <= Channel::MAX_NUMBER);
        FUZZ_CHECK(c.kind() == Channel::DIGITAL || c.kind() == Channel::ANALOGUE);
        FUZZ_CHECK(isValidName(c.name(), maxNameUnits));
        for (int i = 1; i <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++i) {
            FUZZ_CHECK(isValidPosition(c.favouritePosition(quint16(i))));
            if (i > favouritesLists)
                FUZZ_CHECK(c.favouritePosition(quint16(i)) == Channel::NOT_A_MEMBER);
        }
    }
}

} // namespace Fuzz

#endif
