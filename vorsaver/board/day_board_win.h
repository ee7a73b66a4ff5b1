// The day board: what the saver shows in the movie's rectangle where the
// Flash control is not installed. It reads the same variables file the movie
// would read and draws it as a broadcast-style graphic in the team's colours.
#pragma once

#include <windows.h>

#include <string>

#include "vorsaver/dates/day_serial.h"

namespace vorsaver {

inline constexpr char kDayBoardClassName[] = "VorlaksDayBoard";

// The files the board reads: the variables file the movie would read, and
// the schedule it was written from, for what it says about the season.
struct BoardFiles {
    std::string variables;
    std::string schedule;
};

// Creates the board as a visible child of `parent` at `rect` (the parent's
// client coordinates), reading its files once, now, their dates through
// `dates` (the data step's, so that the date conversion loads once). A missing or
// unreadable file shows as an empty one. The board never takes the focus or
// the mouse: clicks and keys reach the parent. With `sound`, each burst of
// motion plays the team's sound, which stops when the board goes. Null if
// the window cannot be created.
HWND CreateDayBoard(HWND parent, const RECT& rect, const BoardFiles& files, const DateServices& dates,
                    bool sound);

// Reads the files again and repaints the board with what it holds now
// (a new day); a missing or unreadable file shows as an empty one.
void ReloadDayBoard(HWND board, const BoardFiles& files, const DateServices& dates);

}  // namespace vorsaver
