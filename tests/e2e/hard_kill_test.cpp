// The saver started and ended again and again, and killed outright at
// random moments while it writes its files, on Windows NT's file calls and
// on those of Windows 95/98/Me (MoveFileExA not implemented), each kill
// starting from one of the states an earlier kill can leave: every file is
// always its old or its new whole content, the next start reads it, and
// nothing is left behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "tests/e2e/harness_win.h"
#include "tests/e2e/stand_in_loader_win.h"

namespace e2e {
namespace {

const char kConfigCaption[] = "Tarrowick Vorlaks Screen Saver Configuration";

// A season's worth of history ahead of today's line makes the data step
// long enough to be killed in the middle of it.
const int kPastLines = 15000;

std::string LargeSchedule(const std::string& todaysInfo) {
    static std::string past;
    if (past.empty()) {
        for (int offset = -kPastLines; offset < 0; ++offset) {
            past += GameLine(offset, "PST", "1:00 PM vs. Past Opponent%0DOld Arena");
        }
    }
    return past + GameLine(0, "HBK", todaysInfo) + GameLine(1, "FRO", "6:05 PM%0DOtter Bay") +
           GameLine(3, "MBS", "8:00 PM%0DArena") + GameLine(8, "EVC", "7:00 PM%0DArena");
}

// The file as a reader finds it: the file itself, or where it is missing,
// the complete "<name>.new" that a replacement on Windows 95/98/Me leaves
// when it is stopped between its steps.
struct Found {
    std::string bytes;
    bool fromNew = false;
    bool missing = false;
    bool unreadable = false;
};

bool ReadIfItOpens(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return true;
}

// Under Wine a killed program's handles are closed a moment after its end
// is reported: a file it was deleting stays there, "delete pending", and
// cannot be opened until then. The reader looks again, as a program
// started a moment later would.
Found AsAReaderFinds(const std::string& path) {
    Found found;
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (FileExists(path)) {
            if (ReadIfItOpens(path, found.bytes)) return found;
        } else if (FileExists(path + ".new")) {
            found.fromNew = true;
            if (ReadIfItOpens(path + ".new", found.bytes)) return found;
            found.fromNew = false;
        } else {
            found.missing = true;
            return found;
        }
        Sleep(20);
    }
    found.unreadable = true;
    return found;
}

// The states an earlier kill can leave a file in, each made from what a
// reader finds now: the kills start from every one of them in turn.
const char* const kLeftStates[] = {"as the last kill left it", ".new alone", "file + a stale .new",
                                   "file + a partial .tmp", ".new + a partial .tmp"};
const int kLeftStateCount = sizeof kLeftStates / sizeof kLeftStates[0];

void LeaveAsAKillWould(const std::string& path, int state) {
    const std::string complete = path + ".new", partial = path + ".tmp";
    if (state == 0) return;
    // First the file alone, whatever the last kill left.
    if (!FileExists(path) && FileExists(complete)) MoveFileA(complete.c_str(), path.c_str());
    DeleteFileA(complete.c_str());
    DeleteFileA(partial.c_str());
    if (!FileExists(path)) return;
    switch (state) {
    case 1:
    case 4:
        MoveFileA(path.c_str(), complete.c_str());
        break;
    case 2:
        // Whole but never the content a reader takes: that is the file.
        WriteWholeFile(complete, "stale");
        break;
    default:
        break;
    }
    if (state == 3 || state == 4) WriteWholeFile(partial, "par");
}

int SaversRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "vorsaver.scr") == 0) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// Whether the system shows the pointer to the user (the foreground's).
bool PointerShown() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0;
}

unsigned Seed() {
    char text[32] = {};
    if (GetEnvironmentVariableA("VORLAKS_KILL_SEED", text, sizeof text) != 0) {
        return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
    }
    return GetTickCount();
}

void SendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
}

void SendMouse(DWORD flags, LONG dx, LONG dy) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    SendInput(1, &input, sizeof input);
}

// The OK button's click, as the button tells its dialog.
void PressOkButton(HWND dialog) {
    HWND ok = FindWindowExA(dialog, nullptr, nullptr, "&Ok");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ok), BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

// What the kills left, counted for the report.
struct Tally {
    int old = 0, renewed = 0, onlyNew = 0, partialLeft = 0;
    std::string Text() const {
        return std::to_string(old) + " old, " + std::to_string(renewed) + " new (" + std::to_string(onlyNew) +
               " of them only as .new), a partial .tmp left by " + std::to_string(partialLeft);
    }
};

class Night : public ::testing::Test {
protected:
    void SetUp() override {
        ClearScreenSaverRunning();
        RegisterMovieStandIn(false);
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        saver_ = InstallSaver(folder_);
        variables_ = folder_ + "\\tarvordat.pvz";
        sound_ = folder_ + "\\sound.pvz";
        log_ = folder_ + "\\files.log";
        standIn_ = BinFolder() + "\\movefile-9x.dll";
        SetEnv("VORLAKS_MOVEFILE_LOG", log_);
        SetEnv("VORLAKS_MOVEFILE_HOLD", "");
        seed_ = Seed();
        random_.seed(seed_);
        RecordProperty("seed", std::to_string(seed_));
    }
    void TearDown() override {
        process_.Kill();
        SetEnv("VORLAKS_MOVEFILE_LOG", "");
        SetEnv("VORLAKS_MOVEFILE_HOLD", "");
        ClearScreenSaverRunning();
        EXPECT_EQ(SaversRunning(), 0) << "a saver process was left behind";
    }

    // Starts the saver, on Windows 95/98/Me's file calls when `as9x`.
    bool Start(const std::string& arguments, bool as9x) {
        if (!as9x) return process_.Start(saver_, arguments, folder_);
        std::string error;
        const bool ok = StartWithStandIn(process_, saver_, arguments, folder_, standIn_, error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }

    void Kill() {
        TerminateProcess(process_.Handle(), 9);
        EXPECT_TRUE(process_.WaitForExit(10000).has_value());
        process_.Kill();
    }

    HWND OpenSettings(bool as9x) {
        if (!Start("/c", as9x)) return nullptr;
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                for (HWND window : TopWindows(process_.Id(), true)) {
                    if (WindowText(window) == kConfigCaption) dialog = window;
                }
                return dialog != nullptr && FindWindowExA(dialog, nullptr, nullptr, "&Ok") != nullptr;
            },
            10000);
        EXPECT_NE(dialog, nullptr) << "no settings dialog";
        return dialog;
    }

    // The saver's variables as written for `todaysInfo`, by a run that ends
    // by itself; returns how long the step took to the written file.
    std::string Calibrate(const std::string& todaysInfo, bool as9x, DWORD& tookMs) {
        WriteWholeFile(folder_ + "\\schedule.pvz", LargeSchedule(todaysInfo));
        DeleteFileA(variables_.c_str());
        const DWORD start = GetTickCount();
        if (!Start("/s", as9x)) return std::string();
        EXPECT_TRUE(WaitUntil([&] { return FileExists(variables_); }, 20000));
        tookMs = GetTickCount() - start;
        HWND window = WaitForWindow(process_.Id(), kSaverClass, 20000);
        EXPECT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(process_.WaitForExit(10000).has_value());
        process_.Kill();
        return ReadWholeFile(variables_);
    }

    // Kills the saver `kills` times at random moments of its data step, on
    // a schedule that changes between two versions, and checks each time
    // that the variables file is whole, then that the next start reads it.
    void KillDuringTheDataStep(int kills, bool as9x) {
        DWORD took = 0;
        const std::string infos[2] = {"7:30 PM vs. Harbor Kings%0DCivic Arena", "7:45 PM vs. Harbor Kings%0DDome"};
        std::string written[2];
        written[0] = Calibrate(infos[0], as9x, took);
        written[1] = Calibrate(infos[1], as9x, took);
        ASSERT_NE(written[0].find("Harbor Kings%0DCivic"), std::string::npos) << written[0];
        ASSERT_NE(written[1].find("Harbor Kings%0DDome"), std::string::npos) << written[1];
        // Half the kills fall anywhere in the step, half around its write.
        std::uniform_int_distribution<DWORD> anywhere(0, took + took / 4);
        std::uniform_int_distribution<DWORD> nearTheEnd(took * 3 / 4, took + took / 8);
        Tally tally;
        for (int kill = 0; kill < kills; ++kill) {
            SCOPED_TRACE("kill " + std::to_string(kill) + ", seed " + std::to_string(seed_) + ", from " +
                         kLeftStates[(kill / 2) % kLeftStateCount]);
            const int version = kill % 2;
            WriteWholeFile(folder_ + "\\schedule.pvz", LargeSchedule(infos[version]));
            LeaveAsAKillWould(variables_, (kill / 2) % kLeftStateCount);
            const Found before = AsAReaderFinds(variables_);
            const DWORD delay = kill % 2 ? anywhere(random_) : nearTheEnd(random_);
            if (!Start("/s", as9x)) return;
            Sleep(delay);
            Kill();
            const Found after = AsAReaderFinds(variables_);
            ASSERT_FALSE(after.missing || after.unreadable) << "no readable variables file after a kill at " << delay
                                                            << " ms";
            ASSERT_TRUE(after.bytes == before.bytes || after.bytes == written[version])
                << "a kill at " << delay << " ms left neither the old nor the new file: " << after.bytes.size()
                << " bytes";
            if (after.bytes == before.bytes) {
                ++tally.old;
            } else {
                ++tally.renewed;
            }
            if (after.fromNew) ++tally.onlyNew;
            if (FileExists(variables_ + ".tmp")) ++tally.partialLeft;
        }
        std::printf("[ kills ] %d kills during the data step (%s, %d-line schedule, step %lu ms, seed %u): %s\n",
                    kills, as9x ? "MoveFileExA as on Windows 98" : "MoveFileExA", kPastLines + 4,
                    static_cast<unsigned long>(took), seed_, tally.Text().c_str());
        ExpectTheNextStartReadsTheVariables(as9x);
    }

    // A normal start after the kills: it writes the day over whatever they
    // left, shows it, and leaves no partial or spare copy behind.
    void ExpectTheNextStartReadsTheVariables(bool as9x) {
        WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(0, "HBK", "Next start%0DArena") + GameLine(2, "X", "Y%0DZ"));
        ASSERT_TRUE(Start("/s", as9x));
        HWND window = WaitForWindow(process_.Id(), kSaverClass, 20000);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return FindWindowExA(window, nullptr, "VorlaksDayBoard", nullptr) != nullptr; },
                              5000));
        EXPECT_NE(ReadWholeFile(variables_).find("&gameinfo=Next start%0DArena&"), std::string::npos);
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(process_.WaitForExit(10000).has_value());
        process_.Kill();
        EXPECT_FALSE(FileExists(variables_ + ".tmp"));
        EXPECT_FALSE(FileExists(variables_ + ".new"));
    }

    // Opens the settings dialog `kills` times; each time it must show what
    // the file as a reader finds it says, and is killed at a random moment
    // after its OK button was pressed with the setting turned over.
    void KillDuringTheSettingsSave(int kills, bool as9x) {
        // How long a save takes to the program's end, to spread the kills over.
        WriteWholeFile(sound_, "sound=0");
        HWND dialog = OpenSettings(as9x);
        ASSERT_NE(dialog, nullptr);
        SendMessageA(FindWindowExA(dialog, nullptr, nullptr, "&Play Sounds"), BM_SETCHECK, BST_CHECKED, 0);
        DWORD start = GetTickCount();
        PressOkButton(dialog);
        ASSERT_TRUE(process_.WaitForExit(10000).has_value());
        const DWORD took = GetTickCount() - start;
        process_.Kill();
        ASSERT_EQ(ReadWholeFile(sound_), "sound=1");
        std::uniform_int_distribution<DWORD> moment(0, took + 5);
        Tally tally;
        for (int kill = 0; kill < kills; ++kill) {
            SCOPED_TRACE("kill " + std::to_string(kill) + ", seed " + std::to_string(seed_) + ", from " +
                         kLeftStates[kill % kLeftStateCount]);
            LeaveAsAKillWould(sound_, kill % kLeftStateCount);
            const Found before = AsAReaderFinds(sound_);
            ASSERT_TRUE(before.bytes == "sound=0" || before.bytes == "sound=1") << before.bytes;
            dialog = OpenSettings(as9x);
            ASSERT_NE(dialog, nullptr);
            HWND box = FindWindowExA(dialog, nullptr, nullptr, "&Play Sounds");
            const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
            ASSERT_EQ(checked, before.bytes == "sound=1") << "the dialog does not show what the file says";
            SendMessageA(box, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
            const DWORD delay = moment(random_);
            PressOkButton(dialog);
            Sleep(delay);
            Kill();
            const Found after = AsAReaderFinds(sound_);
            const std::string renewed = checked ? "sound=0" : "sound=1";
            ASSERT_FALSE(after.missing || after.unreadable) << "no readable sound file after a kill at " << delay
                                                            << " ms";
            ASSERT_TRUE(after.bytes == before.bytes || after.bytes == renewed)
                << "a kill at " << delay << " ms left \"" << after.bytes << "\"";
            if (after.bytes == before.bytes) {
                ++tally.old;
            } else {
                ++tally.renewed;
            }
            if (after.fromNew) ++tally.onlyNew;
            if (FileExists(sound_ + ".tmp")) ++tally.partialLeft;
        }
        std::printf("[ kills ] %d kills during the settings save (%s, save to end %lu ms, seed %u): %s\n", kills,
                    as9x ? "MoveFileExA as on Windows 98" : "MoveFileExA", static_cast<unsigned long>(took), seed_,
                    tally.Text().c_str());
    }

    std::string folder_, saver_, variables_, sound_, log_, standIn_;
    Process process_;
    unsigned seed_ = 0;
    std::mt19937 random_;
};

// Started, given input and ended, over and over, with each kind of input
// that ends it: every time the pointer is shown again, the process gone and
// no partial or spare file left; the running flag, whose check costs a
// process of its own, after each of the three kinds of input in every ten
// cycles, and at the end.
TEST_F(Night, TwoHundredStartsInputsAndEnds) {
    const int kCycles = 200;
    WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(0, "HBK", "7:30 PM%0DCivic Arena") + GameLine(1, "FRO", "6:05 PM%0DX"));
    int hiddenWhileRunning = 0;
    int flagChecks = 0;
    const DWORD start = GetTickCount();
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        // Under Wine on a loaded machine a start now and then fails outright
        // (the program never runs); it is tried again, as the flag probe is.
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            started = process_.Start(saver_, "/s", folder_);
            if (!started) Sleep(200);
        }
        ASSERT_TRUE(started) << "the saver could not be started (" << GetLastError() << ")";
        HWND window = WaitForWindow(process_.Id(), kSaverClass, 10000);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window && FocusOf(window) == window; }, 5000));
        // The saver first takes in what the window's appearing brought
        // (Wine's pointer taken up again where X has it).
        Sync(window);
        hiddenWhileRunning += !PointerShown();
        switch (cycle % 3) {
        case 0:  // two keys: down and press pass, the second down counts three
            SendKey('A');
            SendKey('B');
            break;
        case 1:  // three moves, each taken in before the next, or they merge
            for (int move = 1; move <= 3; ++move) {
                // To points of their own, away from wherever the pointer is.
                POINT now;
                GetCursorPos(&now);
                const int x = now.x < 300 ? 400 + 20 * move : 200 - 20 * move;
                const int y = 300;
                SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x * 65536 / GetSystemMetrics(SM_CXSCREEN),
                          y * 65536 / GetSystemMetrics(SM_CYSCREEN));
                Sync(window);
            }
            break;
        case 2:  // three clicks
            for (int click = 0; click < 3; ++click) {
                SendMouse(MOUSEEVENTF_LEFTDOWN, 0, 0);
                SendMouse(MOUSEEVENTF_LEFTUP, 0, 0);
            }
            break;
        }
        std::optional<DWORD> code = process_.WaitForExit(10000);
        ASSERT_TRUE(code.has_value()) << "input did not end the saver";
        EXPECT_EQ(*code, 0u);
        process_.Kill();
        if (cycle % 10 < 3 || cycle == kCycles - 1) {
            ++flagChecks;
            ASSERT_FALSE(ScreenSaverRunning()) << "the running flag is left set";
        }
        ASSERT_TRUE(PointerShown()) << "the pointer is left hidden";
        ASSERT_FALSE(FileExists(variables_ + ".tmp") || FileExists(variables_ + ".new"));
    }
    EXPECT_EQ(SaversRunning(), 0);
    std::printf("[ cycles ] %d start/input/end cycles in %lu s: the pointer hidden while running in %d and shown "
                "after each, the running flag cleared in all %d checks, no file left, no saver process left\n",
                kCycles, static_cast<unsigned long>((GetTickCount() - start) / 1000), hiddenWhileRunning,
                flagChecks);
}

TEST_F(Night, KillsDuringTheDataStepLeaveTheOldOrTheNewFile) { KillDuringTheDataStep(100, false); }

TEST_F(Night, KillsDuringTheSettingsSaveLeaveTheOldOrTheNewFile) { KillDuringTheSettingsSave(50, false); }

// Windows 95/98/Me: MoveFileExA answers ERROR_CALL_NOT_IMPLEMENTED, as there.
// The unchanged saver writes its files in steps through "<name>.new".
TEST_F(Night, On9xTheDataStepAndTheSettingsSaveReplaceTheirFilesInSteps) {
    WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(0, "HBK", "7:30 PM%0DCivic Arena") + GameLine(1, "FRO", "6:05 PM%0DX"));
    WriteWholeFile(variables_, "currentdate=before");
    ASSERT_TRUE(Start("/s", true));
    HWND window = WaitForWindow(process_.Id(), kSaverClass, 10000);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(ReadWholeFile(variables_).find("&gameinfo=7:30 PM%0DCivic Arena&"), std::string::npos);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process_.WaitForExit(10000).has_value());
    process_.Kill();
    const std::string path = variables_;
    EXPECT_EQ(ReadWholeFile(log_), "attached\r\n"
                                   "MoveFileExA " + path + ".tmp > " + path + "\r\n"
                                   "MoveFileA " + path + ".tmp > " + path + ".new\r\n"
                                   "DeleteFileA " + path + "\r\n"
                                   "MoveFileA " + path + ".new > " + path + "\r\n");
    EXPECT_FALSE(FileExists(path + ".tmp") || FileExists(path + ".new"));

    DeleteFileA(log_.c_str());
    WriteWholeFile(sound_, "sound=0");
    HWND dialog = OpenSettings(true);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(FindWindowExA(dialog, nullptr, nullptr, "&Play Sounds"), BM_SETCHECK, BST_CHECKED, 0);
    PressOkButton(dialog);
    ASSERT_TRUE(process_.WaitForExit(10000).has_value());
    EXPECT_EQ(ReadWholeFile(sound_), "sound=1");
    EXPECT_NE(ReadWholeFile(log_).find("MoveFileExA " + sound_ + ".tmp > " + sound_ + "\r\n"), std::string::npos);
    EXPECT_NE(ReadWholeFile(log_).find("MoveFileA " + sound_ + ".new > " + sound_ + "\r\n"), std::string::npos);
    EXPECT_FALSE(FileExists(sound_ + ".tmp") || FileExists(sound_ + ".new"));
}

// Killed at each step of the replacement in turn, the saver leaves a file a
// reader takes whole, and the next start reads it and finishes the work.
TEST_F(Night, On9xAKillBetweenTheStepsLeavesAWholeFileTheNextStartReads) {
    struct Step { const char* hold; const char* left; bool onlyNew; };
    const Step steps[] = {
        {"MoveFileExA 1", "old", false},  // the new copy complete as .tmp
        {"MoveFileA 1", "old", false},    // about to name it .new
        {"DeleteFileA 1", "old", false},  // .new complete, the old file still there
        {"MoveFileA 2", "new", true},     // the old file gone, only .new holds the day
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.hold);
        // The data step: the old variables, then a kill at the step.
        WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(0, "HBK", "New day%0DArena") + GameLine(2, "X", "Y%0DZ"));
        WriteWholeFile(variables_, "currentdate=old");
        DeleteFileA(log_.c_str());
        SetEnv("VORLAKS_MOVEFILE_HOLD", step.hold);
        ASSERT_TRUE(Start("/s", true));
        ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(log_).find("held " + std::string(step.hold)) != std::string::npos; }, 10000))
            << ReadWholeFile(log_);
        Kill();
        SetEnv("VORLAKS_MOVEFILE_HOLD", "");
        const Found left = AsAReaderFinds(variables_);
        EXPECT_EQ(left.fromNew, step.onlyNew);
        if (std::string(step.left) == "old") {
            EXPECT_EQ(left.bytes, "currentdate=old");
        } else {
            EXPECT_NE(left.bytes.find("&gameinfo=New day%0DArena&"), std::string::npos) << left.bytes;
        }
        // A next start whose schedule cannot be read ends with its error
        // and loses nothing of what the kill left.
        if (step.onlyNew) {
            WriteWholeFile(folder_ + "\\schedule.pvz", "not a schedule line\r\n");
            ASSERT_TRUE(Start("/s", true));
            std::optional<MessageBoxSeen> box = WaitForMessageBox(process_.Id(), 10000);
            ASSERT_TRUE(box.has_value());
            PressOk(box->window);
            ASSERT_TRUE(process_.WaitForExit(10000).has_value());
            process_.Kill();
            EXPECT_EQ(AsAReaderFinds(variables_).bytes, left.bytes) << "a failed step loses nothing";
        }
        ExpectTheNextStartReadsTheVariables(true);

        // The settings save, killed at the same step.
        WriteWholeFile(sound_, "sound=0");
        SetEnv("VORLAKS_MOVEFILE_HOLD", step.hold);
        DeleteFileA(log_.c_str());
        HWND dialog = OpenSettings(true);
        ASSERT_NE(dialog, nullptr);
        SendMessageA(FindWindowExA(dialog, nullptr, nullptr, "&Play Sounds"), BM_SETCHECK, BST_CHECKED, 0);
        PressOkButton(dialog);
        ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(log_).find("held " + std::string(step.hold)) != std::string::npos; }, 10000))
            << ReadWholeFile(log_);
        Kill();
        SetEnv("VORLAKS_MOVEFILE_HOLD", "");
        const Found sound = AsAReaderFinds(sound_);
        EXPECT_EQ(sound.fromNew, step.onlyNew);
        EXPECT_EQ(sound.bytes, std::string(step.left) == "old" ? "sound=0" : "sound=1");
        // The next start shows it, and its own save puts things right.
        dialog = OpenSettings(true);
        ASSERT_NE(dialog, nullptr);
        HWND box = FindWindowExA(dialog, nullptr, nullptr, "&Play Sounds");
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED, sound.bytes == "sound=1");
        SendMessageA(box, BM_SETCHECK, sound.bytes == "sound=1" ? BST_UNCHECKED : BST_CHECKED, 0);
        PressOkButton(dialog);
        ASSERT_TRUE(process_.WaitForExit(10000).has_value());
        process_.Kill();
        EXPECT_EQ(ReadWholeFile(sound_), sound.bytes == "sound=1" ? "sound=0" : "sound=1");
        EXPECT_FALSE(FileExists(sound_ + ".tmp") || FileExists(sound_ + ".new"));
    }
}

TEST_F(Night, On9xKillsDuringTheDataStepLeaveTheOldOrTheNewFile) { KillDuringTheDataStep(20, true); }

TEST_F(Night, On9xKillsDuringTheSettingsSaveLeaveTheOldOrTheNewFile) { KillDuringTheSettingsSave(10, true); }

}  // namespace
}  // namespace e2e
