// Where the data step gets its date conversion from.
#pragma once

#include <memory>

#include "vorsaver/dates/day_serial.h"

namespace vorsaver {

// On Windows: the user's locale (VarDateFromStr, GetDateFormatA). Elsewhere:
// ISO dates ("2026-12-08", optionally " 10:30" or " 10:30:15") and English
// month names, enough for tests, fuzzing and benchmarks.
std::unique_ptr<DateServices> MakeDateServices();

// Today, from the local clock.
DaySerial LocalToday();

}  // namespace vorsaver
