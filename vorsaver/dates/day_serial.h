// Calendar days as the saver counts them, and where their conversion from
// and to text comes from: what the data step and the day board share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorsaver {

// A calendar day counted from 30 December 1899, the epoch of Windows' DATE
// type, so that a day and a converted schedule date compare directly.
using DaySerial = std::int32_t;

struct CivilDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

CivilDate CivilFromSerial(DaySerial day);
DaySerial SerialFromCivil(int year, int month, int day);

// A date written the ISO way, "2026-12-08", optionally with " 10:30" or
// " 10:30:15", as Windows' DATE: the day's serial, a time of day as its
// fraction. Empty for any other text and for a day that does not exist.
// Every locale reads such a date alike, year, month, day.
std::optional<double> ParseIsoDate(const std::string& text);

// The user's date services: in the program Windows' own locale-aware
// conversion, in tests a fixed fake.
class DateServices {
public:
    virtual ~DateServices() = default;
    // Reads a schedule date. A time of day shows as a fraction, so such a
    // value never equals a whole day. Empty when the text is not a date.
    virtual std::optional<double> ParseDate(const std::string& text) const = 0;
    // The long date text "mmmm d, yyyy" in the user's language.
    virtual std::string FormatDate(DaySerial day) const = 0;
};

}  // namespace vorsaver
