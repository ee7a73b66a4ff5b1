// The built-in day board's reading of the variables file: the text the movie
// would get, read the way a movie's variable loader reads it, into what the
// board shows. Its picture is drawn by board_raster.h and the Win32 side.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

namespace vorsaver {

// Replaces every "%XX" (two hex digits, either case) by the byte it names.
// A "%" without two hex digits after it stays as it is, as does "+": the
// schedule's texts are copied into the file unencoded, so a "+" there is a
// plus sign, not a blank.
std::string DecodeMovieText(const std::string& text);

// The name=value pairs of the variables text, split at "&" and decoded. A
// later pair wins over an earlier one of the same name; a piece without "="
// is a name with an empty value; a piece with an empty name is dropped.
// Bytes above 127 pass through untouched (they are text in the system's
// code page).
std::map<std::string, std::string> ParseMovieVariables(const std::string& variablesText);

// One of the three tiles for the next days ("small1" to "small3").
struct NextDay {
    std::string dayNumber;  // "9"; may be empty when the file left the entry empty
    std::string tag;        // three characters where there is a game
    std::string lead;       // up to four characters, e.g. a start time
    bool hasGame = false;   // the entry named a game, not just a day
    bool present = false;   // the file has this entry at all (it may be empty)
};

inline constexpr int kNextDayCount = 3;
inline constexpr const char* kNoGameText = "No Game";

struct DayBoardContent {
    bool empty = true;                   // the file held no pairs: nothing left in the schedule
    std::string date;                    // "December 8, 2026", as the data step wrote it
    std::string team;                    // today's team text; empty on a day without a game
    std::vector<std::string> gameLines;  // today's game information, one entry per line
    bool hasGame = false;                // "gameinfo" is there and is not "No Game"
    std::array<NextDay, kNextDayCount> nextDays;
};

// Reads the whole variables text (the file's bytes) into what the board shows.
DayBoardContent ReadDayBoard(const std::string& variablesText);

}  // namespace vorsaver
