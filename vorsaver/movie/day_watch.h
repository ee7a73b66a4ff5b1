// When the running saver looks at the clock again: the day it shows must
// follow the local date, through midnight, and the looking must cost nothing.
#pragma once

namespace vorsaver {

// The longest the saver sleeps between two looks at the date: a time that
// Windows never announces (a clock set without notice, a standby without a
// resume message) is caught within this.
inline constexpr unsigned kDayCheckMaxMs = 60 * 1000;
// Past midnight by this much, so that a timer a few milliseconds early
// does not find the old day still there.
inline constexpr unsigned kPastMidnightMs = 250;
// The first look again after a write of the day failed.
inline constexpr unsigned kDayRetryFirstMs = 500;

// The wait until the next look, from the local time of day: to just past
// the coming midnight, or a minute at most.
unsigned NextDayCheckMs(int hour, int minute, int second, int millisecond);

// The wait before the day is written again after `failures` writes in a row
// failed: a reader that holds the file (the player as it loops, a virus
// checker) lets go within moments, so the first look again comes soon; one
// that does not (a schedule being replaced, a disk gone) is looked at less
// and less often, up to the usual minute.
unsigned RetryDayWriteMs(unsigned failures);

}  // namespace vorsaver
