// The saver left running all night: at midnight, and when the system says
// that its time, zone, settings or power state changed, it writes the new
// day's variables file and its day board shows the new day; a schedule that
// became unreadable meanwhile changes nothing.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/harness_win.h"
#include "vorsaver/board/board_raster.h"
#include "vorsaver/board/day_board.h"

namespace e2e {
namespace {

const char kBoardClass[] = "VorlaksDayBoard";

// A schedule with a different game on each of the coming days.
std::string WeekOfGames() {
    return GameLine(-1, "OLD", "1:00 PM at Old Town%0DRiver Park") +
           GameLine(0, "HBK", "7:30 PM vs. Harbor Kings%0DCivic Arena") +
           GameLine(1, "FRO", "6:05 PM at Fen Rock Otters%0DOtter Bay Hall") +
           GameLine(2, "MBS", "8:00 PM vs. Millbrook Stags%0DCivic Arena") +
           GameLine(4, "EVC", "2:00 PM at Eastvale Comets%0DComet Dome") +
           GameLine(9, "LST", "7:00 PM%0DCivic Arena");
}

std::string Field(const std::string& variables, const std::string& name) {
    const std::size_t at = ("&" + variables).find("&" + name + "=");
    if (at == std::string::npos) return "(none)";
    const std::size_t start = at + name.size() + 1;
    return variables.substr(start, variables.find('&', start) - start);
}

// The board's pixels that only change with its content: the rows that its
// motion leaves alone, read from the screen.
std::vector<unsigned> StillPixels(HWND board, const std::string& variables) {
    RECT rect;
    GetWindowRect(board, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const vorsaver::board::MotionRows motion =
        vorsaver::board::MotionRowsOf(width, height, vorsaver::ReadDayBoard(variables));
    const Screenshot shot = CaptureScreen();
    std::vector<unsigned> pixels;
    for (int y = motion.bottom; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(shot.At(rect.left + x, rect.top + y));
    }
    return pixels;
}

int Differing(const std::vector<unsigned>& a, const std::vector<unsigned>& b) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
    return count;
}

int MsSinceMidnight() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ((now.wHour * 60 + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds;
}

class NewDay : public ::testing::Test {
protected:
    void SetUp() override {
        ClearScreenSaverRunning();
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        saver_ = InstallSaver(folder_);
    }
    void TearDown() override {
        process_.Kill();
        ClearScreenSaverRunning();
    }

    // Starts the saver and waits for its board to be painted.
    HWND Start() {
        window_ = nullptr;
        board_ = nullptr;
        EXPECT_TRUE(process_.Start(saver_, "/s", folder_));
        window_ = WaitForWindow(process_.Id(), kSaverClass, 10000);
        EXPECT_NE(window_, nullptr);
        if (window_ == nullptr) return nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (board_ = FindWindowExA(window_, nullptr, kBoardClass, nullptr)); },
                              5000));
        EXPECT_TRUE(WaitUntil([&] { return ItsOwnStill(); }, 5000)) << "the board is painted";
        return board_;
    }

    // The still part of the board is painted (not the black of a window
    // that has not drawn yet).
    bool ItsOwnStill() {
        const std::vector<unsigned> still = StillPixels(board_, Variables());
        int black = 0;
        for (unsigned pixel : still) black += pixel == 0;
        return !still.empty() && black < static_cast<int>(still.size()) / 10;
    }

    void Close() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        std::optional<DWORD> code = process_.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
    }

    std::string Variables() const { return ReadWholeFile(folder_ + "\\tarvordat.pvz"); }
    bool Leftovers() const {
        return FileExists(folder_ + "\\tarvordat.pvz.tmp") || FileExists(folder_ + "\\tarvordat.pvz.new");
    }

    std::string folder_;
    std::string saver_;
    Process process_;
    HWND window_ = nullptr;
    HWND board_ = nullptr;
};

// Run in a Wine environment whose time zone puts local time seconds before
// midnight (see tests/e2e/before-midnight.sh): nothing else can move a
// clock under Wine, and a test that waited for the real midnight would
// wait a day.
TEST_F(NewDay, AtMidnightTheSaverShowsTheNewDay) {
    const int untilMidnight = 24 * 60 * 60 * 1000 - MsSinceMidnight();
    if (untilMidnight > 90 * 1000) {
        char asked[8] = {};
        if (GetEnvironmentVariableA("VORLAKS_EXPECT_MIDNIGHT", asked, sizeof asked) != 0) {
            FAIL() << "local time was to be just before midnight; it is " << untilMidnight / 1000
                   << " s before it";
        }
        GTEST_SKIP() << "local time is not just before midnight";
    }
    ASSERT_GT(untilMidnight, 4000) << "too close to midnight to see the day before it";

    WriteWholeFile(folder_ + "\\schedule.pvz", WeekOfGames());
    const std::string dayBefore = LongDateToday();
    const std::string tomorrowNumber = DayNumber(1);
    ASSERT_NE(Start(), nullptr);
    const std::string before = Variables();
    EXPECT_EQ(Field(before, "currentdate"), dayBefore);
    EXPECT_EQ(Field(before, "gameinfo"), "7:30 PM vs. Harbor Kings%0DCivic Arena");
    const std::vector<unsigned> stillBefore = StillPixels(board_, before);

    ASSERT_TRUE(WaitUntil([&] { return LongDateToday() != dayBefore; }, untilMidnight + 5000));
    const int midnight = GetTickCount();
    ASSERT_EQ(DayNumber(0), tomorrowNumber);
    std::string after;
    ASSERT_TRUE(WaitUntil(
        [&] {
            after = Variables();
            return Field(after, "currentdate") == LongDateToday();
        },
        5000))
        << "the variables file still holds " << Field(after, "currentdate");
    const int fileTurned = GetTickCount() - midnight;
    EXPECT_EQ(Field(after, "gameinfo"), "6:05 PM at Fen Rock Otters%0DOtter Bay Hall");
    EXPECT_EQ(Field(after, "small1"), DayNumber(1) + "%0DMBS%0D8:00");
    EXPECT_EQ(Field(after, "small3"), DayNumber(3) + "%0DEVC%0D2:00");
    EXPECT_FALSE(Leftovers());

    std::vector<unsigned> stillAfter;
    ASSERT_TRUE(WaitUntil(
        [&] {
            stillAfter = StillPixels(board_, after);
            return Differing(stillAfter, stillBefore) > 0;
        },
        5000))
        << "the board still shows the day before";
    const int boardTurned = GetTickCount() - midnight;
    std::printf("[ midnight ] before: currentdate=%s gameinfo=%s; after: currentdate=%s gameinfo=%s; "
                "file rewritten %d ms and board repainted %d ms after midnight\n",
                Field(before, "currentdate").c_str(), Field(before, "gameinfo").c_str(),
                Field(after, "currentdate").c_str(), Field(after, "gameinfo").c_str(), fileTurned, boardTurned);
    EXPECT_EQ(FindWindowExA(window_, nullptr, kBoardClass, nullptr), board_) << "the same board, repainted";
    Close();

    // What it shows is what a saver started on the new day shows.
    ASSERT_NE(Start(), nullptr);
    std::vector<unsigned> fresh;
    EXPECT_TRUE(WaitUntil(
        [&] {
            fresh = StillPixels(board_, Variables());
            return Differing(fresh, stillAfter) == 0;
        },
        5000))
        << Differing(fresh, stillAfter) << " pixels differ from a saver started after midnight";
    Close();
}

// The system's notices of a change, as Windows sends them to every
// top-level window (here to the saver's alone: a broadcast under Wine now
// and then passes a window by): the saver writes the day anew within
// moments, not at its next minute. Wine lets no program set the clock, so the schedule
// changes instead and the notice alone makes the saver read it again.
TEST_F(NewDay, TheSystemsNoticesOfAChangeRewriteTheDay) {
    struct Notice { const char* name; UINT message; WPARAM wParam; const char* section; };
    const Notice notices[] = {
        {"time changed", WM_TIMECHANGE, 0, nullptr},
        {"time zone or settings changed", WM_SETTINGCHANGE, 0, "intl"},
        {"back from standby", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, nullptr},
    };
    WriteWholeFile(folder_ + "\\schedule.pvz", WeekOfGames());
    ASSERT_NE(Start(), nullptr);
    int round = 0;
    for (const Notice& notice : notices) {
        SCOPED_TRACE(notice.name);
        const std::string info = "Round " + std::to_string(++round) + "%0DCivic Arena";
        WriteWholeFile(folder_ + "\\schedule.pvz",
                       GameLine(0, "HBK", info) + GameLine(1, "FRO", "6:05 PM%0DX") + GameLine(5, "X", "Y%0DZ"));
        const std::vector<unsigned> stillBefore = StillPixels(board_, Variables());
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, notice.message, notice.wParam, reinterpret_cast<LPARAM>(notice.section),
                            SMTO_ABORTIFHUNG, 5000, &ignored);
        std::string variables;
        EXPECT_TRUE(WaitUntil(
            [&] {
                variables = Variables();
                return Field(variables, "gameinfo") == info;
            },
            5000))
            << Field(variables, "gameinfo");
        EXPECT_EQ(Field(variables, "currentdate"), LongDateToday());
        EXPECT_TRUE(WaitUntil([&] { return Differing(StillPixels(board_, variables), stillBefore) > 0; }, 3000))
            << "the board was not repainted";
    }
    EXPECT_FALSE(Leftovers());

    // A schedule that cannot be read: the file, the board and the saver
    // stay as they were, with no error box; once it can be read again, the
    // next notice takes it.
    const std::string kept = Variables();
    const std::vector<unsigned> stillKept = StillPixels(board_, kept);
    struct Unreadable { const char* name; std::string schedule; };
    const Unreadable unreadable[] = {
        {"missing", ""},
        {"malformed", GameLine(-1, "OLD", "X%0DY") + IsoDate(0) + " no tab\r\n"},
    };
    for (const Unreadable& bad : unreadable) {
        SCOPED_TRACE(bad.name);
        DeleteFileA((folder_ + "\\schedule.pvz").c_str());
        if (!bad.schedule.empty()) WriteWholeFile(folder_ + "\\schedule.pvz", bad.schedule);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        EXPECT_FALSE(WaitForMessageBox(process_.Id(), 1500).has_value()) << "an error box";
        EXPECT_FALSE(process_.WaitForExit(0).has_value()) << "the saver ended";
        EXPECT_EQ(Variables(), kept);
        EXPECT_EQ(Differing(StillPixels(board_, kept), stillKept), 0);
    }
    WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(0, "HBK", "Readable again%0DArena") + GameLine(3, "X", "Y%0DZ"));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window_, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    EXPECT_TRUE(WaitUntil([&] { return Field(Variables(), "gameinfo") == "Readable again%0DArena"; }, 5000));
    EXPECT_TRUE(ScreenSaverRunning());
    Close();
    EXPECT_FALSE(ScreenSaverRunning());
}

}  // namespace
}  // namespace e2e
