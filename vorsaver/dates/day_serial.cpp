#include "vorsaver/dates/day_serial.h"

#include <cstddef>

namespace vorsaver {

namespace {

// Serial of 1970-01-01 when day 0 is 1899-12-30.
constexpr std::int64_t kUnixEpochSerial = 25569;

constexpr double kSecondsPerDay = 86400.0;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads exactly `count` decimal digits at `pos`; no sign, no blanks.
bool ReadDigits(const std::string& text, std::size_t pos, std::size_t count, int& value) {
    if (pos + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

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

std::optional<double> ParseIsoDate(const std::string& text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (!ReadDigits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' || !ReadDigits(text, 5, 2, month) ||
        text[7] != '-' || !ReadDigits(text, 8, 2, day)) {
        return std::nullopt;
    }
    // Windows' DATE type starts in the year 100.
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    if (text.size() != 10) {
        const bool shortTime = text.size() == 16;
        const bool longTime = text.size() == 19;
        if ((!shortTime && !longTime) || text[10] != ' ' || !ReadDigits(text, 11, 2, hours) || text[13] != ':' ||
            !ReadDigits(text, 14, 2, minutes) ||
            (longTime && (text[16] != ':' || !ReadDigits(text, 17, 2, seconds)))) {
            return std::nullopt;
        }
        if (hours > 23 || minutes > 59 || seconds > 59) {
            return std::nullopt;
        }
    }
    const double serial = SerialFromCivil(year, month, day);
    const double fraction = (hours * 3600 + minutes * 60 + seconds) / kSecondsPerDay;
    // Like Windows' DATE: before the epoch the time still counts away from
    // zero, so the value stays within its day's integer part.
    return serial < 0 ? serial - fraction : serial + fraction;
}

}  // namespace vorsaver
