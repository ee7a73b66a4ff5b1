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

// The wait until the next look, from the local time of day: to just past
// the coming midnight, or a minute at most.
unsigned NextDayCheckMs(int hour, int minute, int second, int millisecond);

}  // namespace vorsaver
