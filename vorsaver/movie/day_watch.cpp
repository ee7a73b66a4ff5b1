#include "vorsaver/movie/day_watch.h"

namespace vorsaver {

unsigned NextDayCheckMs(int hour, int minute, int second, int millisecond) {
    const long kDayMs = 24L * 60 * 60 * 1000;
    long sinceMidnight = ((hour * 60L + minute) * 60 + second) * 1000 + millisecond;
    // A leap second (second 60) or any odd reading still waits a sane time.
    if (sinceMidnight < 0) sinceMidnight = 0;
    if (sinceMidnight >= kDayMs) sinceMidnight = kDayMs - 1;
    const long untilNext = kDayMs - sinceMidnight + kPastMidnightMs;
    return untilNext < static_cast<long>(kDayCheckMaxMs) ? static_cast<unsigned>(untilNext) : kDayCheckMaxMs;
}

unsigned RetryDayWriteMs(unsigned failures) {
    unsigned wait = kDayRetryFirstMs;
    for (unsigned i = 1; i < failures && wait < kDayCheckMaxMs; ++i) wait *= 2;
    return wait < kDayCheckMaxMs ? wait : kDayCheckMaxMs;
}

}  // namespace vorsaver
