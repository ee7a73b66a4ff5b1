// The built-in day board's reading of the variables file: the text the movie
// would get, read the way a movie's variable loader reads it, into what the
// board shows. Its picture is drawn by board_raster.h and the Win32 side.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "common/text_stream.h"
#include "vorsaver/dates/day_serial.h"

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
inline constexpr const char* kSeasonOverText = "The season is over";
inline constexpr const char* kLastGameText = "Last game:";
inline constexpr const char* kSeasonBeginsText = "The season begins";
inline constexpr const char* kNoGamesScheduledText = "No games scheduled";
inline constexpr const char* kTeamNameText = "Tarrowick Vorlaks";

// What the board can say about the season beyond today's entry, from the
// clock and the schedule's first and last game.
enum class SeasonNote {
    None,
    NotBegun,  // no game today, and the schedule's first game is still to come
    Over,      // nothing left: the schedule's last game lies in the past
    NoGames,   // nothing left, and the schedule holds no game at all
};

struct DayBoardContent {
    bool empty = true;                   // the file held no pairs: nothing left in the schedule
    std::string date;                    // "December 8, 2026", as the data step wrote it, or
                                         // today from the clock where the file is empty
    std::string team;                    // today's team text; empty on a day without a game
    std::vector<std::string> gameLines;  // today's game information, one entry per line
    bool hasGame = false;                // "gameinfo" is there and is not "No Game"
    std::array<NextDay, kNextDayCount> nextDays;
    SeasonNote season = SeasonNote::None;
    std::string seasonDate;              // the first game (NotBegun) or the last (Over), as date text
};

// Only the team's name and colours: the board knows no date to show.
inline bool ShowsOnlyTheTeam(const DayBoardContent& content) { return content.empty && content.date.empty(); }

// Reads the whole variables text (the file's bytes) into what the board shows.
DayBoardContent ReadDayBoard(const std::string& variablesText);

// The days of the schedule's first and last game. The data step has already
// judged the file; here a line whose date does not read is passed over, as
// the board only adds a note and must not fail where the step did not.
struct ScheduleSpan {
    bool any = false;
    DaySerial first = 0;
    DaySerial last = 0;
};
ScheduleSpan ReadScheduleSpan(common::TextStream& schedule, const DateServices& dates);

// Completes what the file alone cannot say. An empty file (nothing left)
// gets today's date and, from the schedule, that the season is over or that
// no game is scheduled; a day without a game before the first game learns
// when the season begins.
void AddSeasonNote(DayBoardContent& content, DaySerial today, const ScheduleSpan& span, const DateServices& dates);

// One line of what the board shows, for the board window's own text (read by
// screen readers and tests): "April 20, 2027: The season is over".
std::string DescribeDayBoard(const DayBoardContent& content);

}  // namespace vorsaver
