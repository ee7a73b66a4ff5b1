#include "vorsaver/movie/day_watch.h"

#include <gtest/gtest.h>

namespace vorsaver {
namespace {

TEST(DayWatch, WakesJustPastMidnightOrWithinAMinute) {
    struct Case { int hour, minute, second, millisecond; unsigned expected; };
    const Case cases[] = {
        {23, 59, 48, 0, 12 * 1000 + kPastMidnightMs},   // seconds before midnight: once, right after it
        {23, 59, 59, 900, 100 + kPastMidnightMs},
        {23, 59, 0, 0, kDayCheckMaxMs},                 // a minute and a quarter second: the minute first
        {23, 59, 0, 251, 59749 + kPastMidnightMs},
        {0, 0, 0, 0, kDayCheckMaxMs},                   // just past: the day was taken, sleep long
        {12, 30, 0, 0, kDayCheckMaxMs},
        {23, 59, 60, 0, 1 + kPastMidnightMs},            // a leap second counts as the last moment
        {-1, 0, 0, 0, kDayCheckMaxMs},                   // nonsense never means "never"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextDayCheckMs(c.hour, c.minute, c.second, c.millisecond), c.expected)
            << c.hour << ":" << c.minute << ":" << c.second << "." << c.millisecond;
    }
}

// A write that failed is tried again soon, then less and less often, never
// more seldom than the usual look.
TEST(DayWatch, AFailedWriteIsTriedAgainSoonThenLessOften) {
    const unsigned expected[] = {kDayRetryFirstMs, 2 * kDayRetryFirstMs, 4 * kDayRetryFirstMs};
    for (unsigned failures = 1; failures <= 3; ++failures) {
        EXPECT_EQ(RetryDayWriteMs(failures), expected[failures - 1]) << failures;
    }
    unsigned before = 0;
    for (unsigned failures = 1; failures <= 1000; ++failures) {
        const unsigned wait = RetryDayWriteMs(failures);
        EXPECT_GE(wait, before) << failures;
        EXPECT_LE(wait, kDayCheckMaxMs) << failures;
        before = wait;
    }
    EXPECT_EQ(RetryDayWriteMs(1000), kDayCheckMaxMs);
}

}  // namespace
}  // namespace vorsaver
