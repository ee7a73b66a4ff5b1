// Date services for builds without Windows' locale services: ISO dates in,
// English long dates out.
#include <ctime>
#include <string>

#include "vorsaver/dates/date_services.h"

namespace vorsaver {

namespace {

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};

class PortableDateServices : public DateServices {
public:
    std::optional<double> ParseDate(const std::string& text) const override { return ParseIsoDate(text); }

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
