// The game-day data step: turns the schedule file into the variables file that
// the movie reads. Pure logic: the clock, the date conversion and the files are
// handed in, so every rule can be exercised without Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/file_store.h"
#include "common/text_stream.h"
#include "vorsaver/dates/day_serial.h"

namespace vorsaver {

using common::FileStore;

// How the scan of the schedule ended.
enum class ScanOutcome {
    GameToday,     // a line dated today
    NoGameToday,   // the first line dated after today
    NothingLeft,   // no line dated today or later
};

struct ComposeResult {
    bool ok = false;
    ScanOutcome outcome = ScanOutcome::NothingLeft;
    std::string variables;  // the seven pieces, or empty for NothingLeft
    int errorLine = 0;      // 1-based line of the schedule that was wrong
    std::string error;      // what is wrong with that line
};

// Runs the scan and the next-day scan over the schedule text and composes
// the variables text. Never touches a file.
ComposeResult ComposeMovieVariables(common::TextStream& schedule, DaySerial today, const DateServices& dates);

struct DataStepResult {
    bool ok = false;
    std::string message;  // for the user: names the file, the line and the fault
};

inline constexpr const char* kScheduleFileName = "schedule.pvz";
inline constexpr const char* kVariablesFileName = "tarvordat.pvz";

// The data step: reads "<appFolder>\schedule.pvz" and replaces
// "<appFolder>\tarvordat.pvz" whole. On any failure the variables file keeps
// its previous content.
DataStepResult WriteMovieVariables(const std::string& appFolder, DaySerial today,
                                   const DateServices& dates, FileStore& files);

}  // namespace vorsaver
