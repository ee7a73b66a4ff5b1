#include "vorsaver/dates/day_serial.h"

namespace vorsaver {

namespace {

// Serial of 1970-01-01 when day 0 is 1899-12-30.
constexpr std::int64_t kUnixEpochSerial = 25569;

}  // namespace

// Proleptic Gregorian days-from-civil: eras of 400 years keep the arithmetic
// exact across every month and year end, also before 1900.
DaySerial SerialFromCivil(int year, int month, int day) {
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<DaySerial>(era * 146097 + dayOfEra - 719468 + kUnixEpochSerial);
}

CivilDate CivilFromSerial(DaySerial day) {
    const std::int64_t z = static_cast<std::int64_t>(day) - kUnixEpochSerial + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    date.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

}  // namespace vorsaver
