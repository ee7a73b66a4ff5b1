// Feeds arbitrary schedules to the data step. The first five bytes choose
// today; the rest is the schedule file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/support/memory_files.h"
#include "vorsaver/dates/date_services.h"
#include "vorsaver/movie/movie_variables.h"

namespace {

using vorsaver::DaySerial;

// The span of Windows' DATE type: 1 January 100 to 31 December 9999.
constexpr std::int64_t kFirstDay = -657434;
constexpr std::int64_t kLastDay = 2958465;
constexpr std::size_t kTodayBytes = 5;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A random day almost never meets a random schedule, so most inputs pick a
// day near a year end or near the first date in the schedule instead.
DaySerial ChooseToday(std::uint8_t mode, std::uint32_t value, const std::string& schedule,
                      const vorsaver::DateServices& dates) {
    switch (mode % 3) {
    case 0:
        return static_cast<DaySerial>(kFirstDay + value % (kLastDay - kFirstDay + 1));
    case 1: {
        const int year = 100 + static_cast<int>(value % 9899);
        return vorsaver::SerialFromCivil(year, 12, 28) + static_cast<DaySerial>((value / 9899) % 8);
    }
    default: {
        const std::string firstField = schedule.substr(0, schedule.find_first_of("\t\r\n"));
        const std::optional<double> first = dates.ParseDate(firstField);
        if (!first || *first < kFirstDay + 8 || *first > kLastDay - 8) {
            return static_cast<DaySerial>(kFirstDay + value % (kLastDay - kFirstDay + 1));
        }
        return static_cast<DaySerial>(*first) + static_cast<DaySerial>(value % 9) - 4;
    }
    }
}

int CountLines(const std::string& bytes) {
    common::TextStream stream(bytes);
    while (!stream.AtEndOfStream()) {
        stream.ReadLine();
    }
    return stream.LineNumber();
}

// Each entry is empty, the bare day number, or the day number followed by
// "%0D", a tag of at most three characters, "%0D" and a lead of at most four.
void CheckEntry(const std::string& entry, DaySerial day) {
    const std::string dayNumber = std::to_string(vorsaver::CivilFromSerial(day).day);
    if (entry.empty() || entry == dayNumber) {
        return;
    }
    Check(entry.size() > 2);
    Check(StartsWith(entry, dayNumber + "%0D"));
    Check(entry.size() <= dayNumber.size() + 3 + 3 + 3 + 4);
}

using testsupport::MemoryFiles;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kTodayBytes) {
        return 0;
    }
    static const auto dates = vorsaver::MakeDateServices();
    const std::uint32_t value = static_cast<std::uint32_t>(data[1]) | static_cast<std::uint32_t>(data[2]) << 8 |
                                static_cast<std::uint32_t>(data[3]) << 16 | static_cast<std::uint32_t>(data[4]) << 24;
    const std::string schedule(reinterpret_cast<const char*>(data) + kTodayBytes, size - kTodayBytes);
    const DaySerial today = ChooseToday(data[0], value, schedule, *dates);

    common::TextStream stream(schedule);
    const vorsaver::ComposeResult result = vorsaver::ComposeMovieVariables(stream, today, *dates);
    const std::string& text = result.variables;

    if (!result.ok) {
        Check(result.errorLine >= 1 && result.errorLine <= CountLines(schedule));
        Check(!result.error.empty());
    } else if (result.outcome == vorsaver::ScanOutcome::NothingLeft) {
        Check(text.empty());
    } else {
        const std::string head = "currentdate=" + dates->FormatDate(today) + "&team=";
        Check(StartsWith(text, head));
        Check(EndsWith(text, "&numvars=6"));
        if (result.outcome == vorsaver::ScanOutcome::NoGameToday) {
            Check(StartsWith(text, head + "&gameinfo=No Game&small1="));
        } else {
            Check(text.find("&gameinfo=") != std::string::npos);
        }
        // No entry can hold a whole "&smallN=" marker, so searching from the
        // end finds the real ones.
        const std::size_t small1 = text.rfind("&small1=");
        const std::size_t small2 = text.rfind("&small2=");
        const std::size_t small3 = text.rfind("&small3=");
        const std::size_t numvars = text.size() - 10;
        Check(small1 != std::string::npos && small1 < small2 && small2 < small3 && small3 < numvars);
        CheckEntry(text.substr(small1 + 8, small2 - small1 - 8), today + 1);
        CheckEntry(text.substr(small2 + 8, small3 - small2 - 8), today + 2);
        CheckEntry(text.substr(small3 + 8, numvars - small3 - 8), today + 3);
    }

    // The whole step agrees with the composition and leaves the old file on
    // failure.
    MemoryFiles files;
    const std::string folder = "C:\\Saver";
    const std::string variablesPath = folder + "\\" + vorsaver::kVariablesFileName;
    files.files[folder + "\\" + vorsaver::kScheduleFileName] = schedule;
    files.files[variablesPath] = "old";
    const vorsaver::DataStepResult step = vorsaver::WriteMovieVariables(folder, today, *dates, files);
    Check(step.ok == result.ok);
    Check(files.files[variablesPath] == (result.ok ? text : std::string("old")));
    if (!step.ok) {
        Check(StartsWith(step.message, folder + "\\" + vorsaver::kScheduleFileName + ", line " +
                                           std::to_string(result.errorLine) + ": "));
    }
    return 0;
}
