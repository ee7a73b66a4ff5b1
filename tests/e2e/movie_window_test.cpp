// The saver window with its movie control: the property writes and their
// order, where the control sits, and the day board where no player exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "tests/e2e/harness_win.h"
#include "vorsaver/movie/monitors_win.h"

namespace e2e {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
    }
    return found;
}

std::string RectText(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

int ScreenDotsPerInch(int index) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Twips are 1/1440 inch; halves of a pixel round away from zero.
LONG TwipsToPixels(float twips, int dpi) {
    return static_cast<LONG>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

// The movie, 9615 x 7215 twips, with its top-left corner at the given place.
RECT MovieRectAt(float leftTwips, float topTwips) {
    const int dpiX = ScreenDotsPerInch(LOGPIXELSX);
    const int dpiY = ScreenDotsPerInch(LOGPIXELSY);
    RECT rect;
    rect.left = TwipsToPixels(leftTwips, dpiX);
    rect.top = TwipsToPixels(topTwips, dpiY);
    rect.right = rect.left + TwipsToPixels(9615.0f, dpiX);
    rect.bottom = rect.top + TwipsToPixels(7215.0f, dpiY);
    return rect;
}

// The movie centred on this screen, worked out in twips in single precision
// (641 x 481 pixels at 80,60 on an 800 x 600 screen at 96 dots per inch).
RECT CentredMovieRect() {
    const float screenWidth = static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * 1440.0f /
                              static_cast<float>(ScreenDotsPerInch(LOGPIXELSX));
    const float screenHeight = static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * 1440.0f /
                               static_cast<float>(ScreenDotsPerInch(LOGPIXELSY));
    return MovieRectAt((screenWidth - 9615.0f) / 2.0f, (screenHeight - 7215.0f) / 2.0f);
}

int Area(const RECT& rect) {
    return (rect.right - rect.left) * (rect.bottom - rect.top);
}

// A run may name the screen it means to test on (VORLAKS_EXPECT_SCREEN, for
// example 1024x768); on any other screen the centring proves nothing.
void ExpectScreenAsAsked() {
    char asked[64] = {};
    if (GetEnvironmentVariableA("VORLAKS_EXPECT_SCREEN", asked, sizeof asked) == 0) return;
    const std::string actual =
        std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
    ASSERT_EQ(actual, std::string(asked)) << "the screen is not the size this run asked for";
}

HWND ChildOfClass(HWND parent, const char* className) {
    return FindWindowExA(parent, nullptr, className, nullptr);
}

RECT ScreenRectOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

// The window that holds the keyboard in the saver's thread once activation
// has settled: under load the focus is briefly nobody's while Wine catches
// up with X's focus events. The first window found holding it is returned.
HWND SettledFocus(HWND window) {
    HWND focus = nullptr;
    WaitUntil(
        [&] {
            focus = FocusOf(window);
            return focus != nullptr;
        },
        5000);
    return focus;
}

class MovieWindowBase : public ::testing::Test {
protected:
    void SetUpFolders() {
        ASSERT_NO_FATAL_FAILURE(ExpectScreenAsAsked());
        ClearScreenSaverRunning();
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder_ = FreshFolder(name);
        elsewhere_ = FreshFolder(name + "-cwd");
        saver_ = InstallSaver(folder_);
    }

    // Starts the saver from another folder and waits for its window.
    HWND StartSaver(Process& saver) {
        EXPECT_TRUE(saver.Start(saver_, "/s", elsewhere_));
        HWND window = WaitForWindow(saver.Id(), kSaverClass, 10000);
        EXPECT_NE(window, nullptr);
        return window;
    }

    void CloseSaver(Process& saver, HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        std::optional<DWORD> code = saver.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(ScreenSaverRunning());
    }

    std::string folder_;
    std::string elsewhere_;
    std::string saver_;
};

class MovieWindow : public MovieWindowBase {
protected:
    void SetUp() override {
        SetUpFolders();
        RegisterMovieStandIn(true);
        // The stand-in plays nothing; the movie only has to be there.
        WriteWholeFile(folder_ + "\\vorlaks.swf", "FWS");
        log_ = folder_ + "\\control.log";
        SetEnv("VORLAKS_CONTROL_LOG", log_);
        SetEnv("VORLAKS_CONTROL_TAKES_FOCUS", "");
        WriteWholeFile(folder_ + "\\schedule.pvz",
                       GameLine(0, "HBK", "7:30 PM vs. Harbor Kings%0DCivic Arena") +
                           GameLine(1, "FRO", "6:05 PM at Fen Rock Otters%0DOtter Bay Hall") +
                           GameLine(4, "MBS", "8:00 PM%0DCivic Arena"));
    }
    void TearDown() override {
        RegisterMovieStandIn(false);
        SetEnv("VORLAKS_CONTROL_LOG", "");
        SetEnv("VORLAKS_CONTROL_TAKES_FOCUS", "");
        ClearScreenSaverRunning();
    }

    bool LogHas(const std::string& prefix) const {
        return !LinesStartingWith(Lines(ReadWholeFile(log_)), prefix).empty();
    }

    std::string log_;
};

TEST_F(MovieWindow, NamesTheMovieAfterTheDataStepInTheOrderTheControlExpects) {
    Process saver;
    HWND window = StartSaver(saver);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return LogHas("SetObjectRects"); }, 10000)) << ReadWholeFile(log_);

    std::vector<std::string> lines = Lines(ReadWholeFile(log_));
    const std::vector<std::string> writes = {
        "put 135 bool 0",
        "put 139 bool -1",
        "put 102 string " + folder_ + "\\vorlaks.swf",
    };
    EXPECT_EQ(LinesStartingWith(lines, "put "), writes);

    // The variables file was complete when the movie was named.
    std::string variables = ReadWholeFile(folder_ + "\\tarvordat.pvz");
    ASSERT_FALSE(variables.empty());
    EXPECT_EQ(LinesStartingWith(lines, "variables "),
              std::vector<std::string>{"variables " + std::to_string(variables.size())});

    // The saved set-up reached the control before it was activated (the
    // stand-in writes Booleans as numbers: -1 is True).
    const std::vector<std::string> setup = {
        "Load Movie=vorlaks.swf", "Load Src=vorlaks.swf", "Load WMode=Window", "Load Play=-1",
        "Load Loop=-1",           "Load Quality=High",    "Load SAlign=",      "Load Menu=0",
        "Load Base=",             "Load Scale=ShowAll",   "Load DeviceFont=0", "Load EmbedMovie=-1",
        "Load BGColor=",          "Load SWRemote=",
    };
    EXPECT_EQ(LinesStartingWith(lines, "Load "), setup);

    // Activated in place at the declared spot, then centred on the screen.
    EXPECT_EQ(LinesStartingWith(lines, "DoVerb "),
              std::vector<std::string>{"DoVerb -5 " + RectText(MovieRectAt(720.0f, 840.0f))});
    EXPECT_EQ(LinesStartingWith(lines, "SetObjectRects ").back(), "SetObjectRects " + RectText(CentredMovieRect()));
    HWND control = ChildOfClass(window, "VorlaksFlashStandIn");
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(RectText(ScreenRectOf(control)), RectText(CentredMovieRect()));

    // The keyboard stays with the saver window, not with the movie.
    EXPECT_EQ(SettledFocus(window), window);

    CloseSaver(saver, window);
    lines = Lines(ReadWholeFile(log_));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "destroy") << "the control is released when the window goes";
}

TEST_F(MovieWindow, CoversTheScreenInBlackAroundTheControl) {
    Process saver;
    HWND window = StartSaver(saver);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return LogHas("SetObjectRects"); }, 10000));
    RECT movie = CentredMovieRect();
    Screenshot shot;
    // The stand-in paints its rectangle green; everything else stays black.
    ASSERT_TRUE(WaitUntil(
        [&] {
            shot = CaptureScreen();
            return shot.CountLit(movie) == Area(movie);
        },
        5000));
    RECT screen = {0, 0, shot.width, shot.height};
    EXPECT_EQ(shot.CountLit(screen), Area(movie)) << "nothing but the control is lit";
    EXPECT_EQ(shot.At(movie.left + 2, movie.top + 2), 0x00A050u);
    EXPECT_EQ(shot.At(movie.left - 1, movie.top + 100), 0u);
    EXPECT_EQ(shot.At(movie.right, movie.top + 100), 0u);
    CloseSaver(saver, window);
}

TEST_F(MovieWindow, MovieTakingTheFocusEndsTheSaver) {
    SetEnv("VORLAKS_CONTROL_TAKES_FOCUS", "1");
    Process saver;
    ASSERT_TRUE(saver.Start(saver_, "/s", elsewhere_));
    std::optional<DWORD> code = saver.WaitForExit(10000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(LogHas("focus"));
    EXPECT_FALSE(ScreenSaverRunning());
}

class DayBoard : public MovieWindowBase {
protected:
    void SetUp() override {
        SetUpFolders();
        RegisterMovieStandIn(false);
    }
    void TearDown() override { ClearScreenSaverRunning(); }
};

// Gold pixels where the board's date tab lies, below the header's left
// half: the board shows a date there, and nothing gold otherwise.
int DateTabGold(const Screenshot& shot, const RECT& board) {
    const double scale = std::min((board.right - board.left) / 641.0, (board.bottom - board.top) / 481.0);
    const double left = board.left + ((board.right - board.left) - 641.0 * scale) / 2;
    const double top = board.top + ((board.bottom - board.top) - 481.0 * scale) / 2;
    int gold = 0;
    for (int y = static_cast<int>(top + 90 * scale); y < static_cast<int>(top + 112 * scale); ++y) {
        for (int x = static_cast<int>(left + 110 * scale); x < static_cast<int>(left + 200 * scale); ++x) {
            const unsigned p = shot.At(x, y);
            if (((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 130 && (p & 0xFF) < 80) ++gold;
        }
    }
    return gold;
}

TEST_F(DayBoard, StandsInForTheMissingPlayerInTheCentreOnBlack) {
    struct Case {
        const char* name;
        std::string schedule;
        std::string says;  // how the board's own text begins
    };
    const std::string today = LongDateToday();
    const Case cases[] = {
        {"game today", GameLine(-1, "OLD", "1:00 PM%0DOld Park") + GameLine(0, "HBK", "7:30 PM vs. Harbor Kings%0DCivic Arena") +
                           GameLine(1, "FRO", "6:05 PM at Fen Rock%0DOtter Bay") + GameLine(3, "MBS", "8:00 PM%0DArena") +
                           GameLine(8, "EVC", "7:00 PM%0DArena"),
         today + ": 7:30 PM vs. Harbor Kings: Civic Arena"},
        // Before the season's first game, the board knows when it begins.
        {"no game today", GameLine(2, "FRO", "6:05 PM at Fen Rock%0DOtter Bay") + GameLine(5, "MBS", "8:00 PM%0DArena"),
         today + ": No Game: The season begins "},
        // The data step leaves the file empty; the board still tells the
        // day and that the season is over.
        {"nothing left", GameLine(-4, "OLD", "1:00 PM%0DOld Park"), today + ": The season is over. Last game: "},
        {"an empty schedule", "", today + ": No games scheduled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteWholeFile(folder_ + "\\schedule.pvz", c.schedule);
        Process saver;
        HWND window = StartSaver(saver);
        ASSERT_NE(window, nullptr);
        HWND board = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (board = ChildOfClass(window, "VorlaksDayBoard")) != nullptr; }, 5000));
        RECT movie = CentredMovieRect();
        EXPECT_EQ(RectText(ScreenRectOf(board)), RectText(movie));
        EXPECT_EQ(WindowText(board).compare(0, c.says.size(), c.says), 0) << WindowText(board);

        Screenshot shot;
        const int area = Area(movie);
        ASSERT_TRUE(WaitUntil(
            [&] {
                shot = CaptureScreen();
                return shot.CountLit(movie) > area / 2;
            },
            5000))
            << "the board is painted";
        RECT screen = {0, 0, shot.width, shot.height};
        EXPECT_EQ(shot.CountLit(screen), shot.CountLit(movie)) << "black all around the board";
        EXPECT_GT(DateTabGold(shot, movie), 100) << "the date is shown on its tab";

        EXPECT_EQ(SettledFocus(window), window) << "the board never takes the focus";
        CloseSaver(saver, window);
    }
}

// With the player installed but no movie beside the saver, the board stands
// in, as where no player is installed: the control is never made.
TEST_F(MovieWindow, WithoutItsMovieTheSaverShowsTheDayBoard) {
    for (const char* movie : {"", "a folder"}) {
        SCOPED_TRACE(*movie ? movie : "no file");
        const std::string path = folder_ + "\\vorlaks.swf";
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.c_str());
        if (*movie) CreateDirectoryA(path.c_str(), nullptr);
        DeleteFileA(log_.c_str());
        Process saver;
        HWND window = StartSaver(saver);
        ASSERT_NE(window, nullptr);
        HWND board = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (board = ChildOfClass(window, "VorlaksDayBoard")) != nullptr; }, 5000))
            << "no day board";
        EXPECT_EQ(RectText(ScreenRectOf(board)), RectText(CentredMovieRect()));
        EXPECT_EQ(GetWindow(board, GW_HWNDNEXT), nullptr) << "the board is the window's only child";
        EXPECT_EQ(GetWindow(board, GW_HWNDPREV), nullptr) << "the board is the window's only child";
        EXPECT_FALSE(LogHas("create")) << ReadWholeFile(log_);
        CloseSaver(saver, window);
        RemoveDirectoryA(path.c_str());
    }
}

// Every monitor is covered and the board sits in the middle of the primary
// one. Run where the system lists several monitors (VORLAKS_EXPECT_MONITORS
// says how many this run means to have), it proves the multi-monitor calls.
class Monitors : public DayBoard {};

TEST_F(Monitors, TheSaverCoversEveryMonitorAndCentresOnThePrimary) {
    char asked[16] = {};
    if (GetEnvironmentVariableA("VORLAKS_EXPECT_MONITORS", asked, sizeof asked) != 0) {
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), std::atoi(asked)) << "the display does not have the monitors asked for";
    }
    const vorsaver::MonitorList listed = vorsaver::ListMonitors();
    EXPECT_EQ(static_cast<int>(listed.monitors.size()), GetSystemMetrics(SM_CMONITORS));
    const vorsaver::PixelBox primary = listed.monitors[listed.primary];
    EXPECT_EQ(primary.left, 0);
    EXPECT_EQ(primary.top, 0);

    WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(0, "HBK", "7:30 PM vs. Harbor Kings%0DCivic Arena"));
    Process saver;
    HWND window = StartSaver(saver);
    ASSERT_NE(window, nullptr);
    const RECT everything = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                             GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    EXPECT_EQ(RectText(ScreenRectOf(window)), RectText(everything));
    HWND board = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (board = ChildOfClass(window, "VorlaksDayBoard")) != nullptr; }, 5000));
    EXPECT_EQ(RectText(ScreenRectOf(board)), RectText(CentredMovieRect())) << "centred on the primary monitor";
    CloseSaver(saver, window);
}

// Windows 95 and NT 4 cannot list monitors: the one screen stands for them.
TEST(MonitorList, OneScreenWhereTheSystemCannotListMonitors) {
    const vorsaver::MonitorList list = vorsaver::ListMonitorsWith(nullptr, nullptr);
    ASSERT_EQ(list.monitors.size(), 1u);
    EXPECT_EQ(list.primary, 0u);
    const vorsaver::PixelBox screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(list.monitors[0] == screen);
}

}  // namespace
}  // namespace e2e
