#include "vorsaver/board/day_board.h"
#include "vorsaver/dates/date_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace vorsaver {
namespace {

using Pairs = std::map<std::string, std::string>;

// What the data step writes for a game today, with entries of every kind.
const char kGameDay[] =
    "currentdate=December 8, 2026&team=Tarrowick Vorlaks&gameinfo=7:30 PM vs. Harbor Kings%0DCivic Arena"
    "&small1=9%0DFRC%0D6:05&small2=10&small3=11%0DMTS%0D8:00&numvars=6";

TEST(DecodeMovieText, HexPairsBecomeBytesAndEverythingElseStays) {
    struct Case { std::string text; std::string decoded; };
    const Case cases[] = {
        {"7:30 PM%0DCivic Arena", "7:30 PM\rCivic Arena"},
        {"%0d%0a", "\r\n"},
        {"%41%62", "Ab"},
        {"M%E4rz", "M\xe4rz"},
        {"M\xe4rz", "M\xe4rz"},       // already ANSI: untouched
        {"%25", "%"},
        {"%2541", "%41"},             // decoded once, not twice
        {"%%41", "%A"},
        {"100%", "100%"},
        {"%", "%"},
        {"%4", "%4"},
        {"%0", "%0"},
        {"ab%4", "ab%4"},
        {"%G1%1G%-1", "%G1%1G%-1"},
        {"%0 D", "%0 D"},
        {"Ch. 5+", "Ch. 5+"},
        {"%26%3D", "&="},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeMovieText(c.text), c.decoded) << c.text;
    EXPECT_EQ(DecodeMovieText("a%00b"), std::string("a\0b", 3));
}

TEST(ParseMovieVariables, SplitsLikeAVariableLoader) {
    struct Case { std::string text; Pairs pairs; };
    const Case cases[] = {
        {"", {}},
        {"&", {}},
        {"&&&", {}},
        {"\r\n", {}},
        {"=orphan", {}},
        {"a=1", {{"a", "1"}}},
        {"a=1&a=2", {{"a", "2"}}},
        {"a=1&b=&a=", {{"a", ""}, {"b", ""}}},
        {"a=x=y", {{"a", "x=y"}}},
        {"flag", {{"flag", ""}}},
        {"a=1&&b=2&", {{"a", "1"}, {"b", "2"}}},
        {"%61=b&c%3Dd=e", {{"a", "b"}, {"c=d", "e"}}},
        {"a=%26b=2", {{"a", "&b=2"}}},    // an encoded "&" does not split
        {"A=1&a=2", {{"A", "1"}, {"a", "2"}}},
        {"&team=&gameinfo=No Game", {{"team", ""}, {"gameinfo", "No Game"}}},
        {"name=caf\xe9", {{"name", "caf\xe9"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseMovieVariables(c.text), c.pairs) << c.text;
}

TEST(ReadDayBoard, GameDayFromTheDataStep) {
    const DayBoardContent content = ReadDayBoard(kGameDay);
    EXPECT_FALSE(content.empty);
    EXPECT_EQ(content.date, "December 8, 2026");
    EXPECT_EQ(content.team, "Tarrowick Vorlaks");
    EXPECT_TRUE(content.hasGame);
    EXPECT_EQ(content.gameLines, (std::vector<std::string>{"7:30 PM vs. Harbor Kings", "Civic Arena"}));
    EXPECT_TRUE(content.nextDays[0].hasGame);
    EXPECT_FALSE(content.nextDays[1].hasGame);
    EXPECT_EQ(content.nextDays[1].dayNumber, "10");
    EXPECT_EQ(content.nextDays[2].tag, "MTS");
    EXPECT_EQ(content.nextDays[2].lead, "8:00");
}

TEST(ReadDayBoard, NextDayEntriesOfEveryKind) {
    struct Case {
        const char* value;  // as written after "small1=", or nullptr for no entry
        NextDay expected;
    };
    const Case cases[] = {
        {"9%0DFRC%0D6:05", {"9", "FRC", "6:05", true, true}},
        {"16%0DHOM%0DTarr", {"16", "HOM", "Tarr", true, true}},
        {"9%0AFRC%0A6:05", {"9", "FRC", "6:05", true, true}},
        {"9%0D%0AFRC%0D%0A6:05", {"9", "FRC", "6:05", true, true}},
        {"9%0DFRC%0D6:05%0D%0A", {"9", "FRC", "6:05", true, true}},
        {"9%0DAWY", {"9", "AWY", "", true, true}},
        {"9%0DAWY%0D", {"9", "AWY", "", true, true}},
        {"30%0DHOM%0D7%0DPM", {"30", "HOM", "7 PM", true, true}},  // a break cut into the lead
        {"9%0D%0D6:05", {"9", "", "6:05", true, true}},
        {"10", {"10", "", "", false, true}},
        {"1", {"1", "", "", false, true}},
        {"10%0D%0A", {"10", "", "", false, true}},
        {"", {"", "", "", false, true}},
        {"%0", {"%0", "", "", false, true}},
        {nullptr, {"", "", "", false, false}},
    };
    for (const Case& c : cases) {
        const std::string text = c.value ? std::string("currentdate=x&small1=") + c.value : "currentdate=x";
        const NextDay day = ReadDayBoard(text).nextDays[0];
        const std::string label = c.value ? c.value : "(none)";
        EXPECT_EQ(day.dayNumber, c.expected.dayNumber) << label;
        EXPECT_EQ(day.tag, c.expected.tag) << label;
        EXPECT_EQ(day.lead, c.expected.lead) << label;
        EXPECT_EQ(day.hasGame, c.expected.hasGame) << label;
        EXPECT_EQ(day.present, c.expected.present) << label;
    }
}

TEST(ReadDayBoard, EachTileReadsItsOwnEntry) {
    const DayBoardContent content = ReadDayBoard("small3=3&small1=1%0DAAA%0D1111&small2=2%0DBBB&small4=4");
    const char* const numbers[] = {"1", "2", "3"};
    const char* const tags[] = {"AAA", "BBB", ""};
    for (int i = 0; i < kNextDayCount; ++i) {
        EXPECT_EQ(content.nextDays[i].dayNumber, numbers[i]) << i;
        EXPECT_EQ(content.nextDays[i].tag, tags[i]) << i;
    }
}

TEST(ReadDayBoard, GameOrNoGame) {
    struct Case {
        const char* text;
        bool hasGame;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"currentdate=x&team=&gameinfo=No Game", false, {}},
        {"currentdate=x&team=&gameinfo=No Game%0D%0A", false, {}},
        {"currentdate=x&team=&gameinfo=No%20Game", false, {}},
        {"currentdate=x&team=", false, {}},
        {"currentdate=x&gameinfo=No Games", true, {"No Games"}},
        {"currentdate=x&gameinfo=Civic Arena", true, {"Civic Arena"}},
        {"currentdate=x&gameinfo=", true, {}},
        {"gameinfo=A%0AB%0D%0AC%0DD", true, {"A", "B", "C", "D"}},
        {"gameinfo=%0DA%0D%0DB%0D", true, {"A", "", "B"}},
        {"gameinfo= 7 PM %0D Arena ", true, {"7 PM", "Arena"}},
        {"gameinfo=No Game&gameinfo=Rink 2", true, {"Rink 2"}},
        {"gameinfo=Rink 2&gameinfo=No Game", false, {}},
    };
    for (const Case& c : cases) {
        const DayBoardContent content = ReadDayBoard(c.text);
        EXPECT_EQ(content.hasGame, c.hasGame) << c.text;
        EXPECT_EQ(content.gameLines, c.lines) << c.text;
    }
}

TEST(ReadDayBoard, NothingLeftInTheScheduleMakesNothingUp) {
    const char* const texts[] = {"", "&", "\r\n", "=x"};
    for (const char* text : texts) {
        const DayBoardContent content = ReadDayBoard(text);
        EXPECT_TRUE(content.empty) << '"' << text << '"';
        EXPECT_EQ(content.date, "") << text;
        EXPECT_FALSE(content.hasGame) << text;
        EXPECT_TRUE(content.gameLines.empty()) << text;
        for (const NextDay& day : content.nextDays) EXPECT_FALSE(day.present) << text;
    }
    EXPECT_FALSE(ReadDayBoard("numvars=6").empty);
}

TEST(ReadDayBoard, TextsKeepTheirAnsiBytesAndLoseStrayLineEnds) {
    struct Case { const char* text; const char* date; const char* team; };
    const Case cases[] = {
        {"currentdate=8. M\xe4rz 2026", "8. M\xe4rz 2026", ""},
        {"currentdate=8. M%E4rz 2026", "8. M\xe4rz 2026", ""},
        {"currentdate=December 8, 2026\r\n&team=Vorlaks v Gulls\r\n", "December 8, 2026", "Vorlaks v Gulls"},
        {"currentdate=A&currentdate=B&team=X&team=", "B", ""},
        {"team=Harbor%20Kings%3A%20Away", "", "Harbor Kings: Away"},
    };
    for (const Case& c : cases) {
        const DayBoardContent content = ReadDayBoard(c.text);
        EXPECT_EQ(content.date, c.date) << c.text;
        EXPECT_EQ(content.team, c.team) << c.text;
    }
}

// The board on the days the file cannot speak for: before the season, after
// it, and with an empty schedule. Dates are ISO, which every locale reads.
TEST(SeasonNote, FromTheClockAndTheSchedulesFirstAndLastGame) {
    const auto dates = MakeDateServices();
    const DaySerial oct1 = SerialFromCivil(2026, 10, 1), oct2 = SerialFromCivil(2026, 10, 2);
    const DaySerial apr11 = SerialFromCivil(2027, 4, 11), apr12 = SerialFromCivil(2027, 4, 12);
    const std::string season = "2026-10-02\tTarrowick Vorlaks%0D%0D7:30 PM vs. Harbor Kings%0DArenaHBK\r\n"
                               "\r\n"
                               "not a date\tstray line\r\n"
                               "2027-04-11 19:30\tTarrowick Vorlaks%0D%0D7:30 PM at Harbor Kings%0DArenaHBK\r\n";
    const char kNoGameDay[] = "currentdate=October 1, 2026&team=&gameinfo=No Game&small1=2%0DHBK%0D7:30&small2=3&small3=4";
    struct Case {
        const char* name;
        std::string variables;
        std::string schedule;
        DaySerial today;
        SeasonNote note;
        DaySerial noteDay;  // 0: no date in the note
    };
    const Case cases[] = {
        {"after the last game", "", season, apr12, SeasonNote::Over, apr11},
        {"long after", "", season, apr12 + 200, SeasonNote::Over, apr11},
        {"empty schedule", "", "", apr12, SeasonNote::NoGames, 0},
        {"blank lines only", "", "\r\n\r\n", apr12, SeasonNote::NoGames, 0},
        // An empty file with games still to come: the schedule changed
        // after the data step; the board claims nothing about the season.
        {"games still to come", "", season, apr11, SeasonNote::None, 0},
        {"the day before the first game", kNoGameDay, season, oct1, SeasonNote::NotBegun, oct2},
        {"a day off in the season", kNoGameDay, season, oct2 + 3, SeasonNote::None, 0},
        {"game day", kGameDay, season, oct1, SeasonNote::None, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        common::TextStream schedule(c.schedule);
        const ScheduleSpan span = ReadScheduleSpan(schedule, *dates);
        DayBoardContent content = ReadDayBoard(c.variables);
        const std::string fileDate = content.date;
        AddSeasonNote(content, c.today, span, *dates);
        EXPECT_EQ(content.season, c.note);
        EXPECT_EQ(content.seasonDate, c.noteDay ? dates->FormatDate(c.noteDay) : std::string());
        // The file's date stands; only an empty file takes today's.
        EXPECT_EQ(content.date, c.variables.empty() ? dates->FormatDate(c.today) : fileDate);
        EXPECT_FALSE(ShowsOnlyTheTeam(content));
    }
    common::TextStream schedule(season);
    const ScheduleSpan span = ReadScheduleSpan(schedule, *dates);
    EXPECT_TRUE(span.any);
    EXPECT_EQ(span.first, oct2);
    EXPECT_EQ(span.last, apr11) << "a game with a time of day counts on its day";
}

TEST(SeasonNote, TheBoardsOwnTextSaysWhatItShows) {
    const auto dates = MakeDateServices();
    const DaySerial today = SerialFromCivil(2027, 4, 20);
    const std::string todayText = dates->FormatDate(today);
    const std::string lastText = dates->FormatDate(SerialFromCivil(2027, 4, 11));
    const std::string firstText = dates->FormatDate(SerialFromCivil(2027, 4, 25));
    ScheduleSpan over{true, SerialFromCivil(2026, 10, 2), SerialFromCivil(2027, 4, 11)};
    ScheduleSpan ahead{true, SerialFromCivil(2027, 4, 25), SerialFromCivil(2027, 9, 1)};
    struct Case { std::string variables; ScheduleSpan span; std::string text; };
    const Case cases[] = {
        {"", over, todayText + ": The season is over. Last game: " + lastText},
        {"", ScheduleSpan{}, todayText + ": No games scheduled"},
        {"currentdate=April 20, 2027&team=&gameinfo=No Game&small1=21", ahead,
         "April 20, 2027: No Game: The season begins " + firstText},
        {kGameDay, over, "December 8, 2026: 7:30 PM vs. Harbor Kings: Civic Arena"},
    };
    for (const Case& c : cases) {
        DayBoardContent content = ReadDayBoard(c.variables);
        AddSeasonNote(content, today, c.span, *dates);
        EXPECT_EQ(DescribeDayBoard(content), c.text) << c.variables;
    }
    EXPECT_EQ(DescribeDayBoard(ReadDayBoard("")), "Tarrowick Vorlaks") << "no date known: only the team";
}

}  // namespace
}  // namespace vorsaver
