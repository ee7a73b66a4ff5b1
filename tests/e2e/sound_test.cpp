// The saver's sound as a listener meets it: the saver runs its day board
// through one burst of motion with each sound setting, and ends. What it
// played is recorded outside Wine, from the sound server's output, by
// tests/e2e/sound-test.sh, which runs each case on its own and checks the
// recording: the team's sound with "sound=1", silence otherwise. These
// tests see to the saver's side: the setting in place, a burst that runs
// its frames while the sound plays, and an ordinary end.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "tests/e2e/harness_win.h"

namespace e2e {
namespace {

// A checksum of the screen's pixels in `rect`: it changes with each frame
// of motion shown there.
unsigned long long Checksum(const Screenshot& shot, const RECT& rect) {
    unsigned long long sum = 1469598103934665603ULL;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) sum = (sum ^ shot.At(x, y)) * 1099511628211ULL;
    }
    return sum;
}

struct Burst {
    int frames = 0;       // distinct pictures seen while it ran
    DWORD startMs = 0;    // from the saver's start
    DWORD lengthMs = 0;
};

// Watches the board's upper part, where its motion runs, from the board's
// first still picture through one burst to the still after it.
Burst WatchOneBurst(HWND board, DWORD started) {
    RECT watched;
    GetWindowRect(board, &watched);
    watched.bottom = watched.top + (watched.bottom - watched.top) * 2 / 5;
    const DWORD kQuietMs = 700;
    Burst burst;
    unsigned long long last = Checksum(CaptureScreen(), watched);
    DWORD lastChange = 0;
    const DWORD deadline = GetTickCount() + 15000;
    while (GetTickCount() < deadline) {
        Sleep(15);
        const unsigned long long now = Checksum(CaptureScreen(), watched);
        const DWORD at = GetTickCount();
        if (now != last) {
            if (burst.frames == 0) burst.startMs = at - started;
            ++burst.frames;
            lastChange = at;
            last = now;
        }
        if (burst.frames > 0 && at - lastChange > kQuietMs) {
            burst.lengthMs = lastChange - started - burst.startMs;
            break;
        }
    }
    return burst;
}

// `setting` is written as sound.pvz, or no file with nullptr.
void RunOneBurst(const char* setting) {
    ClearScreenSaverRunning();
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string folder = FreshFolder("sound-" + name);
    const std::string saverPath = InstallSaver(folder);
    WriteWholeFile(folder + "\\schedule.pvz", GameLine(0, "HBK", "7:30 PM vs. Harbor Kings%0DCivic Arena") +
                                                  GameLine(2, "FRO", "6:05 PM at Fen Rock%0DOtter Bay"));
    if (setting != nullptr) WriteWholeFile(folder + "\\sound.pvz", setting);

    Process saver;
    const DWORD started = GetTickCount();
    ASSERT_TRUE(saver.Start(saverPath, "/s", folder));
    HWND window = WaitForWindow(saver.Id(), kSaverClass, 10000);
    ASSERT_NE(window, nullptr);
    HWND board = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (board = FindWindowExA(window, nullptr, "VorlaksDayBoard", nullptr)); }, 5000));
    // The still first: the motion is only seen against it once painted.
    ASSERT_TRUE(WaitUntil(
        [&] {
            RECT rect;
            GetWindowRect(board, &rect);
            return CaptureScreen().CountLit(rect) > (rect.right - rect.left) * (rect.bottom - rect.top) / 2;
        },
        5000));

    const Burst burst = WatchOneBurst(board, started);
    std::printf("burst of motion %lu ms after the start, %lu ms long, %d frames seen\n",
                static_cast<unsigned long>(burst.startMs), static_cast<unsigned long>(burst.lengthMs), burst.frames);
    // The sound plays beside the motion, never holding it up: the burst
    // runs its frames at their pace (36 of 50 ms; some merge on the screen
    // under load, none may stall for long).
    EXPECT_GE(burst.frames, 8) << "the board kept moving while its sound played";
    EXPECT_GT(burst.lengthMs, 1000u);
    EXPECT_LT(burst.lengthMs, 4000u);

    // The saver runs on a while, as it would: the first sound of a process
    // opens the sound device, which on a busy machine under Wine can take
    // a second or more, and the recording must hold the whole sound, or,
    // with sounds off, show that none came late.
    Sleep(2000);
    PostMessageA(window, WM_CLOSE, 0, 0);
    std::optional<DWORD> code = saver.WaitForExit(10000);
    ASSERT_TRUE(code.has_value()) << "the saver ended on the close request";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(ScreenSaverRunning());
}

TEST(Sound, On) { RunOneBurst("sound=1"); }
TEST(Sound, Off) { RunOneBurst("sound=0"); }
TEST(Sound, NoSettingFile) { RunOneBurst(nullptr); }

}  // namespace
}  // namespace e2e
