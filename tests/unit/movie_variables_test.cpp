#include "vorsaver/movie/movie_variables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/memory_files.h"
#include "vorsaver/dates/date_services.h"
#ifdef _WIN32
#include <windows.h>
#include <oleauto.h>
#endif

namespace vorsaver {
namespace {

// Reads "YYYY-MM-DD" with an optional " HH:MM" and writes German long dates,
// so a test shows that the date text comes from the services and not from
// the step.
class FakeDates : public DateServices {
public:
    std::optional<double> ParseDate(const std::string& text) const override {
        int year = 0, month = 0, day = 0, hours = 0, minutes = 0, used = 0;
        const bool dateOnly = std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) == 3 &&
                              used == static_cast<int>(text.size());
        const bool withTime = !dateOnly &&
                              std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%n", &year, &month, &day, &hours,
                                          &minutes, &used) == 5 &&
                              used == static_cast<int>(text.size());
        if (!dateOnly && !withTime) {
            return std::nullopt;
        }
        const DaySerial serial = SerialFromCivil(year, month, day);
        const CivilDate back = CivilFromSerial(serial);
        if (back.year != year || back.month != month || back.day != day) {
            return std::nullopt;
        }
        return serial + (hours * 60 + minutes) / 1440.0;
    }

    std::string FormatDate(DaySerial day) const override {
        static const char* const kMonths[12] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                                "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
        const CivilDate date = CivilFromSerial(day);
        return std::to_string(date.day) + ". " + kMonths[date.month - 1] + " " + std::to_string(date.year);
    }
};

using testsupport::MemoryFiles;

const DaySerial kToday = SerialFromCivil(2026, 12, 8);

std::string IsoDate(DaySerial day) {
    const CivilDate date = CivilFromSerial(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month, date.day);
    return text;
}

// One schedule line dated `offset` days from `today`, with its line end.
std::string Game(int offset, const std::string& gameText, DaySerial today = kToday) {
    return IsoDate(today + offset) + "\t" + gameText + "\r\n";
}

// Team "Vorlaks v Gulls", game information "Tarrowick Arena%0D7 PM", tag
// "HOM", lead "Tarr".
const std::string kHome = "Vorlaks v Gulls%0D%0DTarrowick Arena%0D7 PMHOM";
const std::string kHomeEntryTail = "%0DHOM%0DTarr";
// No "%0D%0D": the lead starts at the sixth character ("ks a").
const std::string kAway = "Vorlaks at Pike City%0DPike Dome%0D1 PMAWY";
const std::string kAwayEntryTail = "%0DAWY%0Dks a";

ComposeResult Compose(const std::string& schedule, DaySerial today = kToday) {
    common::TextStream stream(schedule);
    return ComposeMovieVariables(stream, today, FakeDates());
}

// The three entries, cut from the end of the text where no team text or game
// information can confuse the search.
std::vector<std::string> EntriesOf(const std::string& variables) {
    const std::size_t small1 = variables.rfind("&small1=");
    const std::size_t small2 = variables.rfind("&small2=");
    const std::size_t small3 = variables.rfind("&small3=");
    const std::size_t numvars = variables.rfind("&numvars=6");
    if (small1 == std::string::npos || small2 == std::string::npos || small3 == std::string::npos ||
        numvars == std::string::npos) {
        return {"<pieces missing>"};
    }
    return {variables.substr(small1 + 8, small2 - small1 - 8), variables.substr(small2 + 8, small3 - small2 - 8),
            variables.substr(small3 + 8, numvars - small3 - 8)};
}

std::string HeadOf(const std::string& variables) {
    return variables.substr(0, variables.rfind("&small1="));
}

TEST(Calendar, KnownDays) {
    struct Case {
        DaySerial serial;
        CivilDate date;
    };
    const Case cases[] = {
        {-657434, {100, 1, 1}},   {-109512, {1600, 2, 29}}, {-1, {1899, 12, 29}},   {0, {1899, 12, 30}},
        {2, {1900, 1, 1}},        {60, {1900, 2, 28}},      {61, {1900, 3, 1}},     {36585, {2000, 2, 29}},
        {36586, {2000, 3, 1}},    {46142, {2026, 4, 30}},   {46364, {2026, 12, 8}}, {46387, {2026, 12, 31}},
        {46388, {2027, 1, 1}},    {2958465, {9999, 12, 31}},
    };
    for (const Case& c : cases) {
        const CivilDate date = CivilFromSerial(c.serial);
        EXPECT_EQ(date.year, c.date.year) << c.serial;
        EXPECT_EQ(date.month, c.date.month) << c.serial;
        EXPECT_EQ(date.day, c.date.day) << c.serial;
        EXPECT_EQ(SerialFromCivil(c.date.year, c.date.month, c.date.day), c.serial);
    }
}

TEST(Calendar, ConsecutiveSerialsAreConsecutiveDays) {
    CivilDate previous = CivilFromSerial(-700000);
    for (DaySerial serial = -699999; serial <= 3000000; ++serial) {
        const CivilDate date = CivilFromSerial(serial);
        const bool nextDay = date.year == previous.year && date.month == previous.month && date.day == previous.day + 1;
        const bool nextMonth = date.year == previous.year && date.month == previous.month + 1 && date.day == 1;
        const bool nextYear = date.year == previous.year + 1 && date.month == 1 && date.day == 1 && previous.month == 12;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << serial;
        ASSERT_EQ(SerialFromCivil(date.year, date.month, date.day), serial);
        previous = date;
    }
}

struct EntriesCase {
    const char* name;
    std::string schedule;
    ScanOutcome outcome;
    std::vector<std::string> entries;
    DaySerial today = kToday;
};

const std::vector<EntriesCase> kEntriesCases = {
    {"TodaysLineIsLast", Game(-3, kAway) + Game(0, kHome), ScanOutcome::GameToday, {"9", "10", "11"}},
    {"TodayTomorrowAndThirdDayWithMoreAfter", Game(0, kHome) + Game(1, kAway) + Game(3, kHome) + Game(6, kAway),
     ScanOutcome::GameToday, {"9" + kAwayEntryTail, "10", "11" + kHomeEntryTail}},
    {"ThirdDayOnLastLine", Game(0, kHome) + Game(1, kAway) + Game(3, kHome), ScanOutcome::GameToday,
     {"9" + kAwayEntryTail, "10", "11"}},
    {"TomorrowOnLastLine", Game(0, kHome) + Game(1, kAway), ScanOutcome::GameToday,
     {"9" + kAwayEntryTail, "10", "11"}},
    {"ThreeDaysRunning", Game(0, kHome) + Game(1, kAway) + Game(2, kHome) + Game(3, kAway) + Game(4, kHome),
     ScanOutcome::GameToday, {"9" + kAwayEntryTail, "10" + kHomeEntryTail, "11" + kAwayEntryTail}},
    {"LaterLineWaitsForItsDay", Game(0, kHome) + Game(3, kAway) + Game(9, kHome), ScanOutcome::GameToday,
     {"9", "10", "11" + kAwayEntryTail}},
    {"NoGameTodayTomorrowNotLast", Game(-1, kHome) + Game(1, kAway) + Game(2, kHome), ScanOutcome::NoGameToday,
     {"9" + kAwayEntryTail, "10" + kHomeEntryTail, "11"}},
    // The end of the stream is tested before the later game is taken over.
    {"NoGameTodayTomorrowIsLast", Game(-1, kHome) + Game(1, kAway), ScanOutcome::NoGameToday, {"9", "10", "11"}},
    {"NoGameTodayNextInTwoDays", Game(2, kAway) + Game(3, kHome) + Game(5, kAway), ScanOutcome::NoGameToday,
     {"9", "10" + kAwayEntryTail, "11" + kHomeEntryTail}},
    // A second line for today, like any earlier line, blocks every later day.
    {"TwoLinesToday", Game(0, kHome) + Game(0, kAway) + Game(1, kHome) + Game(2, kHome), ScanOutcome::GameToday,
     {"9", "10", "11"}},
    {"BlankAfterTodayNotLast", Game(0, kHome) + "\r\n" + Game(1, kAway), ScanOutcome::GameToday, {"", "", ""}},
    {"BlankAfterTodayIsLast", Game(0, kHome) + "\r\n", ScanOutcome::GameToday, {"", "10", "11"}},
    {"BlankAfterTomorrow", Game(0, kHome) + Game(1, kAway) + "\r\n" + Game(3, kHome), ScanOutcome::GameToday,
     {"9" + kAwayEntryTail, "", ""}},
    {"BlankLinesBeforeTodayAreSkipped", "\r\n\n" + Game(-2, kAway) + "\r\n" + Game(0, kHome) + Game(1, kHome),
     ScanOutcome::GameToday, {"9" + kHomeEntryTail, "10", "11"}},
    {"EndOfAprilRollsOver", Game(0, kHome, 46142) + Game(1, kAway, 46142) + Game(3, kHome, 46142) + "\r\n",
     ScanOutcome::GameToday, {"1" + kAwayEntryTail, "2", "3" + kHomeEntryTail}, 46142},
    {"EndOfYearRollsOver", Game(0, kHome, 46387) + Game(2, kAway, 46387) + Game(8, kHome, 46387),
     ScanOutcome::GameToday, {"1", "2" + kAwayEntryTail, "3"}, 46387},
    // A time of day never equals a whole day: today's line with a time is a
    // later game, and tomorrow's line with a time fills no day.
    {"TodayWithTimeIsLaterGame", IsoDate(kToday) + " 19:30\t" + kHome + "\r\n" + Game(5, kAway),
     ScanOutcome::NoGameToday, {"9", "10", "11"}},
    {"TomorrowWithTimeFillsNoDay", Game(0, kHome) + IsoDate(kToday + 1) + " 19:30\t" + kAway + "\r\n" + Game(5, kAway),
     ScanOutcome::GameToday, {"9", "10", "11"}},
    {"ExtraFieldsIgnored", Game(0, kHome) + IsoDate(kToday + 1) + "\tABC%0D%0DLEADxXYZ\tmore\tstill more\r\n" + "\r\n",
     ScanOutcome::GameToday, {"9%0DXYZ%0DLEAD", "", "11"}},
    // Lines that are not the day being filled need no TAB and no "%0D".
    {"UnmatchedNextDayLineNeedsNoTab", Game(0, kHome) + IsoDate(kToday + 4) + "\r\n" + Game(5, kHome),
     ScanOutcome::GameToday, {"9", "10", "11"}},
    {"LaterGameNeedsNoRoomForInformation", Game(4, "Vorlaks%0D") + Game(5, kHome), ScanOutcome::NoGameToday,
     {"9", "10", "11"}},
};

void PrintTo(const EntriesCase& c, std::ostream* out) {
    *out << c.name;
}

class Entries : public ::testing::TestWithParam<EntriesCase> {};

TEST_P(Entries, FillTheNextThreeDays) {
    const EntriesCase& c = GetParam();
    const ComposeResult result = Compose(c.schedule, c.today);
    ASSERT_TRUE(result.ok) << "line " << result.errorLine << ": " << result.error;
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(EntriesOf(result.variables), c.entries);
    const std::string expectedHead = c.outcome == ScanOutcome::GameToday
                                         ? "&team=Vorlaks v Gulls&gameinfo=Tarrowick Arena%0D7 PM"
                                         : "&team=&gameinfo=No Game";
    EXPECT_EQ(HeadOf(result.variables), "currentdate=" + FakeDates().FormatDate(c.today) + expectedHead);
}

INSTANTIATE_TEST_SUITE_P(All, Entries, ::testing::ValuesIn(kEntriesCases),
                         [](const ::testing::TestParamInfo<EntriesCase>& info) { return info.param.name; });

// Pieces are cut by position; texts shorter than the positions assume must
// give shorter pieces, never a fault.
TEST(Pieces, CutByPosition) {
    struct Case {
        const char* todaysText;
        const char* tomorrowsText;
        const char* head;
        const char* entry1;
    };
    const Case cases[] = {
        {"T%0D123INFOTAG", "AB", "&team=T&gameinfo=INFO", "9%0DAB%0D"},
        {"%0D123TAG", "ABC", "&team=&gameinfo=", "9%0DABC%0D"},
        {"T%0D%0D%0DTAG", "ABCDE", "&team=T&gameinfo=%0D", "9%0DCDE%0D"},
        {"T%0D123I%0D%0DTAG", "ABCDEF", "&team=T&gameinfo=I%0D%0D", "9%0DDEF%0DF"},
        {"T%0D123\xE9\xFCTAG", "ABCDEFGHIJ", "&team=T&gameinfo=\xE9\xFC", "9%0DHIJ%0DFGHI"},
        {"A%0DB%0DC%0DTAG", "X%0D%0DYZ", "&team=A&gameinfo=DC%0D", "9%0DDYZ%0DYZ"},
        {"A%0DB%0DC%0DTAG", "X%0D%0D", "&team=A&gameinfo=DC%0D", "9%0D%0D%0D"},
        {"A%0DB%0DC%0DTAG", "%0D%0D%0D%0DLEAD+TAG", "&team=A&gameinfo=DC%0D", "9%0DTAG%0D%0D%"},
    };
    for (const Case& c : cases) {
        const std::string schedule = IsoDate(kToday) + "\t" + c.todaysText + "\r\n" + IsoDate(kToday + 1) + "\t" +
                                     c.tomorrowsText + "\r\n" + Game(2, kHome) + Game(9, kHome);
        const ComposeResult result = Compose(schedule);
        ASSERT_TRUE(result.ok) << c.todaysText << ": " << result.error;
        EXPECT_EQ(HeadOf(result.variables), "currentdate=8. Dezember 2026" + std::string(c.head)) << c.todaysText;
        EXPECT_EQ(EntriesOf(result.variables)[0], c.entry1) << c.tomorrowsText;
    }
}

TEST(Compose, NothingLeftGivesEmptyText) {
    const std::string cases[] = {
        "",
        "\r\n\r\n\n",
        Game(-30, kHome) + Game(-1, kAway),
        Game(-1, kAway) + "\r\n",
    };
    for (const std::string& schedule : cases) {
        const ComposeResult result = Compose(schedule);
        EXPECT_TRUE(result.ok) << schedule;
        EXPECT_EQ(result.outcome, ScanOutcome::NothingLeft) << schedule;
        EXPECT_EQ(result.variables, "") << schedule;
    }
}

struct ErrorCase {
    const char* name;
    std::string schedule;
    int line;
    std::string error;
};

const std::string kBadDate = "\"2026-02-30\" at the start of the line is not a date.";
const std::string kNoTabError = "the line has no TAB between the date and the game text.";
const std::string kNoBreakError = "the game text has no \"%0D\" after the team text.";
const std::string kShortError =
    "the game text ends too soon after its first \"%0D\": there is no room for the three-character tag at its end.";

const std::vector<ErrorCase> kErrorCases = {
    {"PastLineWithoutTab", Game(-2, kHome) + IsoDate(kToday - 1) + " " + kHome + "\r\n" + Game(0, kHome), 2,
     "\"2026-12-07 Vorlaks v Gulls%0D%0DTarrowic...\" at the start of the line is not a date."},
    {"PastDateOnlyLine", IsoDate(kToday - 1) + "\r\n" + Game(0, kHome), 1, kNoTabError},
    {"PastLineBadDate", "2026-02-30\t" + kHome + "\r\n" + Game(0, kHome), 1, kBadDate},
    {"PastLineWithoutBreak", Game(-1, "Vorlaks v Gulls") + Game(0, kHome), 1, kNoBreakError},
    {"BreakInThirdFieldOnly", Game(-1, "Vorlaks\tx%0Dy") + Game(0, kHome), 1, kNoBreakError},
    {"BlankLinesCount", "\r\n\n" + IsoDate(kToday) + "\r\n", 3, kNoTabError},
    {"LaterGameWithoutBreak", Game(3, "no marker here"), 1, kNoBreakError},
    {"TodayInformationTooShort", Game(0, "Vorlaks%0D123TA") + Game(1, kHome), 1, kShortError},
    {"TodayNothingAfterBreak", Game(0, "Vorlaks%0D") + Game(1, kHome), 1, kShortError},
    {"NextDayLineNotADate", Game(0, kHome) + "2026-02-30\t" + kHome + "\r\n", 2, kBadDate},
    {"NextDayBareTextNotADate", Game(0, kHome) + Game(1, kHome) + "garbage\r\n", 3,
     "\"garbage\" at the start of the line is not a date."},
    {"NextDayMatchWithoutTab", Game(0, kHome) + Game(1, kHome) + IsoDate(kToday + 2) + "\r\n" + Game(3, kHome), 3,
     kNoTabError},
    {"HeldLineMatchesLaterDayWithoutTab", Game(0, kHome) + IsoDate(kToday + 2) + "\r\n" + Game(5, kHome), 2,
     kNoTabError},
};

void PrintTo(const ErrorCase& c, std::ostream* out) {
    *out << c.name;
}

class Errors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(Errors, NameTheLineAndTheFault) {
    const ErrorCase& c = GetParam();
    const ComposeResult result = Compose(c.schedule);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorLine, c.line);
    EXPECT_EQ(result.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(All, Errors, ::testing::ValuesIn(kErrorCases),
                         [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

// Only the lines the step needs are read: faults further down stay unseen.
TEST(Compose, LinesBeyondTheLookAheadAreNotChecked) {
    const std::string cases[] = {
        Game(0, kHome) + Game(1, kHome) + Game(2, kHome) + Game(3, kHome) + "garbage\r\n",
        Game(0, kHome) + Game(5, kHome) + "garbage\r\n",
        Game(7, kHome) + "garbage\r\n",
    };
    for (const std::string& schedule : cases) {
        EXPECT_TRUE(Compose(schedule).ok) << schedule;
    }
}

struct StepFixture : ::testing::Test {
    const std::string folder = "C:\\Saver";
    const std::string schedulePath = "C:\\Saver\\schedule.pvz";
    const std::string variablesPath = "C:\\Saver\\tarvordat.pvz";
    const std::string oldVariables = "currentdate=old&numvars=6";
    MemoryFiles files;

    void SetUp() override { files.files[variablesPath] = oldVariables; }

    DataStepResult Run(const std::string& appFolder) {
        return WriteMovieVariables(appFolder, kToday, FakeDates(), files);
    }
};

TEST_F(StepFixture, WritesTheComposedText) {
    files.files[schedulePath] =
        Game(-1, kAway) + Game(0, kHome) + Game(1, kAway) + Game(3, kHome) + Game(4, kAway);
    const DataStepResult result = Run(folder);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(files.files[variablesPath],
              "currentdate=8. Dezember 2026&team=Vorlaks v Gulls&gameinfo=Tarrowick Arena%0D7 PM"
              "&small1=9%0DAWY%0Dks a&small2=10&small3=11%0DHOM%0DTarr&numvars=6");
}

TEST_F(StepFixture, NothingLeftEmptiesTheFile) {
    for (const std::string& schedule : {std::string(), std::string("\r\n\r\n"), Game(-1, kHome)}) {
        files.files[variablesPath] = oldVariables;
        files.files[schedulePath] = schedule;
        EXPECT_TRUE(Run(folder).ok);
        ASSERT_EQ(files.files.count(variablesPath), 1u);
        EXPECT_EQ(files.files[variablesPath], "");
    }
}

TEST_F(StepFixture, MissingScheduleKeepsTheOldFile) {
    const DataStepResult result = Run(folder);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "C:\\Saver\\schedule.pvz: the schedule file cannot be read (file not found).");
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_EQ(files.files[variablesPath], oldVariables);
}

TEST_F(StepFixture, MalformedLineKeepsTheOldFile) {
    files.files[schedulePath] = Game(-2, kHome) + "\r\n" + Game(-1, kHome) + IsoDate(kToday - 1) + " x\r\n" +
                                Game(0, kHome);
    const DataStepResult result = Run(folder);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              "C:\\Saver\\schedule.pvz, line 4: \"2026-12-07 x\" at the start of the line is not a date.");
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_EQ(files.files[variablesPath], oldVariables);
}

TEST_F(StepFixture, WriteFailureIsReported) {
    files.files[schedulePath] = Game(0, kHome);
    files.failWrites = true;
    const DataStepResult result = Run(folder);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "C:\\Saver\\tarvordat.pvz: the variables file cannot be written (access denied).");
    EXPECT_EQ(files.files[variablesPath], oldVariables);
}

TEST_F(StepFixture, DriveRootKeepsItsBackslash) {
    files.files["C:\\\\schedule.pvz"] = Game(1, kHome) + "\r\n";
    EXPECT_TRUE(Run("C:\\").ok);
    EXPECT_EQ(files.files["C:\\\\tarvordat.pvz"],
              "currentdate=8. Dezember 2026&team=&gameinfo=No Game&small1=9%0DHOM%0DTarr&small2=&small3=11&numvars=6");
}

struct IsoCase {
    const char* text;
    std::optional<double> value;
};
const IsoCase kIsoCases[] = {
    {"2026-12-08", 46364.0},
    {"2000-02-29", 36585.0},
    {"1899-12-30", 0.0},
    {"0100-01-01", -657434.0},
    {"9999-12-31", 2958465.0},
    {"2026-12-08 00:00", 46364.0},
    {"2026-12-08 18:00", 46364.75},
    {"2026-12-08 06:00:36", 46364.0 + 21636.0 / 86400.0},
    {"1899-12-29 06:00", -1.25},
    {"2026-02-29", std::nullopt},
    {"1900-02-29", std::nullopt},
    {"2026-04-31", std::nullopt},
    {"2026-13-01", std::nullopt},
    {"2026-00-10", std::nullopt},
    {"2026-12-00", std::nullopt},
    {"0099-12-31", std::nullopt},
    {"2026-12-8", std::nullopt},
    {"26-12-08", std::nullopt},
    {"2026/12/08", std::nullopt},
    {" 2026-12-08", std::nullopt},
    {"2026-12-08 ", std::nullopt},
    {"2026-12-08T10:30", std::nullopt},
    {"2026-12-08 24:00", std::nullopt},
    {"2026-12-08 10:60", std::nullopt},
    {"2026-12-08 10:30:60", std::nullopt},
    {"2026-12-08 10:3", std::nullopt},
    {"2026-12-08 10:30:", std::nullopt},
    {"+026-12-08", std::nullopt},
    {"", std::nullopt},
    {"December 8, 2026", std::nullopt},
};

// ISO dates are read without Windows' help, by the portable services and by
// Windows' alike, before any other form goes to the user's locale.
TEST(Dates, IsoDates) {
    const auto dates = MakeDateServices();
    for (const IsoCase& c : kIsoCases) {
        EXPECT_EQ(ParseIsoDate(c.text), c.value) << c.text;
        if (c.value) {
            EXPECT_EQ(dates->ParseDate(c.text), c.value) << c.text;
        }
    }
}

#ifdef _WIN32
// What lets the saver read an ISO date itself: Windows' own conversion reads
// each alike in locales of every date order (month first, day first, year
// first).
TEST(Dates, IsoDatesReadAsWindowsReadsThem) {
    HMODULE automation = LoadLibraryA("oleaut32.dll");
    ASSERT_NE(automation, nullptr);
    using Convert = HRESULT(WINAPI*)(const OLECHAR*, LCID, ULONG, DATE*);
    const auto convert =
        reinterpret_cast<Convert>(reinterpret_cast<void*>(GetProcAddress(automation, "VarDateFromStr")));
    ASSERT_NE(convert, nullptr);
    const LANGID languages[] = {
        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK),
        MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN),      MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH),
        MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT),   MAKELANGID(LANG_HUNGARIAN, SUBLANG_DEFAULT)};
    int compared = 0;
    for (const IsoCase& c : kIsoCases) {
        if (!c.value) continue;
        const std::string text = c.text;
        const std::wstring wide(text.begin(), text.end());
        for (LANGID language : languages) {
            DATE date = 0;
            ASSERT_EQ(convert(wide.c_str(), MAKELCID(language, SORT_DEFAULT), 0, &date), S_OK)
                << text << " in locale " << language;
            EXPECT_EQ(date, *c.value) << text << " in locale " << language;
            ++compared;
        }
    }
    EXPECT_GT(compared, 0);
    FreeLibrary(automation);
}
#else
// On Windows the user's locale gives the long date.
TEST(PortableDates, FormatDate) {
    const auto dates = MakeDateServices();
    EXPECT_EQ(dates->FormatDate(46364), "December 8, 2026");
    EXPECT_EQ(dates->FormatDate(SerialFromCivil(2000, 3, 5)), "March 5, 2000");
    EXPECT_EQ(dates->FormatDate(46388), "January 1, 2027");
    EXPECT_EQ(dates->FormatDate(-657434), "January 1, 0100");
}
#endif

}  // namespace
}  // namespace vorsaver
