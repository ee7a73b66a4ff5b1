// Date services for builds without Windows' locale services: ISO dates in,
// English long dates out.
#include <cstddef>
#include <ctime>
#include <string>

#include "vorsaver/dates/date_services.h"

namespace vorsaver {

namespace {

constexpr double kSecondsPerDay = 86400.0;

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};

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

class PortableDateServices : public DateServices {
public:
    std::optional<double> ParseDate(const std::string& text) const override {
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

    std::string FormatDate(DaySerial day) const override {
        const CivilDate date = CivilFromSerial(day);
        std::string year = std::to_string(date.year);
        if (date.year >= 0 && year.size() < 4) {
            year.insert(0, 4 - year.size(), '0');
        }
        return std::string(kMonthNames[date.month - 1]) + " " + std::to_string(date.day) + ", " + year;
    }
};

}  // namespace

std::unique_ptr<DateServices> MakeDateServices() {
    return std::make_unique<PortableDateServices>();
}

DaySerial LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return SerialFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace vorsaver
