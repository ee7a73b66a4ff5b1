// The running saver's input and closing rules, with input sent through the
// system as a user makes it, and the password setting in each of its forms.
#include <gtest/gtest.h>

#include "tests/e2e/harness_win.h"

namespace e2e {
namespace {

const char kSaverClass[] = "VorsaverMain";
const char kPasswordCaption[] = "Windows Screen Saver";
const char kApplicationPage[] = "http://www.tarrowickvorlaks.example/apply/";
// Long enough for input that ends the saver to have ended it.
const DWORD kSettle = 700;

class SaverInput : public ::testing::Test {
protected:
    void SetUp() override {
        ClearScreenSaverRunning();
        RegisterMovieStandIn(false);
        SetPasswordSetting(0, "");
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        saver_ = InstallSaver(folder_);
        CopyFileA((BinFolder() + "\\password.cpl").c_str(), (folder_ + "\\password.cpl").c_str(), FALSE);
        WriteWholeFile(folder_ + "\\schedule.pvz",
                       IsoDate(0) + "\tTarrowick Vorlaks%0D%0D7:30 PM vs. Harbor Kings%0DCivic ArenaHBK\r\n");
        SetEnv("VORLAKS_URL_LOG", folder_ + "\\urls.log");
        SetEnv("VORLAKS_PASSWORD_LOG", folder_ + "\\password.log");
        SetEnv("VORLAKS_PASSWORD", "vorlaks");
        // The pointer rests in a corner before the saver starts.
        SetCursorPos(5, 5);
    }
    void TearDown() override {
        SetPasswordSetting(0, "");
        SetEnv("VORLAKS_URL_LOG", "");
        SetEnv("VORLAKS_PASSWORD_LOG", "");
        ClearScreenSaverRunning();
    }

    // Moves the pointer and waits until the saver has taken the move, so
    // that the system cannot merge it with the next one.
    void MoveTo(int x, int y) { PointAt(window_, x, y); }

    HWND Start() {
        EXPECT_TRUE(saver_process_.Start(saver_, "/s", folder_));
        HWND window = WaitForWindow(saver_process_.Id(), kSaverClass, 10000);
        EXPECT_NE(window, nullptr);
        window_ = window;
        // Let the window settle: shown, active and holding the capture.
        WaitUntil([&] { return GetForegroundWindow() == window; }, 3000);
        Sleep(200);
        return window;
    }

    bool StillRunning() { return !saver_process_.WaitForExit(kSettle).has_value(); }

    void ExpectEndedCleanly() {
        std::optional<DWORD> code = saver_process_.WaitForExit(10000);
        ASSERT_TRUE(code.has_value()) << "the saver did not end";
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(ScreenSaverRunning()) << "the running flag is cleared";
    }

    std::optional<MessageBoxSeen> PasswordDialog() {
        std::optional<MessageBoxSeen> box = WaitForMessageBox(saver_process_.Id(), 10000);
        if (box) {
            EXPECT_EQ(box->caption, kPasswordCaption);
        }
        return box;
    }

    void Answer(HWND dialog, const char* password) {
        SetDlgItemTextA(dialog, 100, password);
        ClickControl(dialog, IDOK);
    }

    std::string Urls() const { return ReadWholeFile(folder_ + "\\urls.log"); }
    std::string PasswordLog() const { return ReadWholeFile(folder_ + "\\password.log"); }

    std::string folder_;
    std::string saver_;
    Process saver_process_;
    HWND window_ = nullptr;
};

TEST_F(SaverInput, TwoMouseMovesPassAndTheThirdEnds) {
    Start();
    EXPECT_TRUE(ScreenSaverRunning());
    MoveTo(100, 100);
    MoveTo(200, 150);
    EXPECT_TRUE(StillRunning());
    MoveTo(300, 200);
    ExpectEndedCleanly();
}

TEST_F(SaverInput, AClickAfterTwoMovesEnds) {
    Start();
    MoveTo(100, 100);
    MoveTo(200, 150);
    EXPECT_TRUE(StillRunning());
    Click();
    ExpectEndedCleanly();
}

TEST_F(SaverInput, ACharacterKeyPassesAndTheNextOnesKeyPressEnds) {
    Start();
    PressKey('A');
    EXPECT_TRUE(StillRunning()) << "its key down and key press pass";
    // The next key's down passes as the third event; its key press ends.
    PressKey('B');
    ExpectEndedCleanly();
}

TEST_F(SaverInput, ThreeShiftKeyDownsPassAndTheFourthEnds) {
    Start();
    for (int i = 0; i < 3; ++i) PressKey(VK_SHIFT);
    EXPECT_TRUE(StillRunning());
    PressKey(VK_SHIFT);
    ExpectEndedCleanly();
}

TEST_F(SaverInput, F12OpensTheApplicationPageAndEnds) {
    for (bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "Shift+F12" : "F12");
        DeleteFileA((folder_ + "\\urls.log").c_str());
        Start();
        if (shift) KeyDown(VK_SHIFT);
        PressKey(VK_F12);
        if (shift) KeyUp(VK_SHIFT);
        ExpectEndedCleanly();
        EXPECT_TRUE(WaitUntil([&] { return Urls().find(kApplicationPage) != std::string::npos; }, 10000)) << Urls();
    }
}

TEST_F(SaverInput, ARefusedPasswordKeepsTheSaverAndTheNextRequestAsksAgain) {
    struct Setting { const char* what; DWORD type; std::string data; };
    const Setting settings[] = {
        {"text 1", REG_SZ, std::string("1\0", 2)},
        {"number 1 (reads 001)", REG_DWORD, std::string("\x01\0\0\0", 4)},
    };
    for (const Setting& setting : settings) {
        SCOPED_TRACE(setting.what);
        SetPasswordSetting(setting.type, setting.data);
        DeleteFileA((folder_ + "\\password.log").c_str());
        HWND window = Start();
        PostMessageA(window, WM_CLOSE, 0, 0);
        std::optional<MessageBoxSeen> dialog = PasswordDialog();
        ASSERT_TRUE(dialog.has_value());
        // A second request while the dialog is open starts nothing new.
        PostMessageA(window, WM_CLOSE, 0, 0);
        Answer(dialog->window, "wrong");
        EXPECT_TRUE(StillRunning());
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(ScreenSaverRunning());
        EXPECT_EQ(PasswordLog(), "verify " + std::to_string(reinterpret_cast<UINT_PTR>(window)) +
                                     " capture=0\r\nanswer 0\r\n")
            << "asked once, with the mouse free for the dialog";

        PostMessageA(window, WM_CLOSE, 0, 0);
        dialog = PasswordDialog();
        ASSERT_TRUE(dialog.has_value()) << "asked again";
        Answer(dialog->window, "vorlaks");
        ExpectEndedCleanly();
    }
}

TEST_F(SaverInput, NoPasswordInUseClosesWithoutAsking) {
    struct Setting { const char* what; DWORD type; std::string data; };
    const Setting settings[] = {
        {"text 0", REG_SZ, std::string("0\0", 2)},
        {"number 0", REG_DWORD, std::string("\0\0\0\0", 4)},
        {"missing", 0, ""},
        {"empty text", REG_SZ, std::string("\0", 1)},
        {"not a number", REG_SZ, std::string("abc\0", 4)},
        {"stray bytes", REG_BINARY, std::string("\x01\xff", 2)},
    };
    for (const Setting& setting : settings) {
        SCOPED_TRACE(setting.what);
        SetPasswordSetting(0, "");
        if (setting.type != 0) SetPasswordSetting(setting.type, setting.data);
        HWND window = Start();
        PostMessageA(window, WM_CLOSE, 0, 0);
        ExpectEndedCleanly();
        EXPECT_EQ(PasswordLog(), "") << "no password dialog";
    }
}

TEST_F(SaverInput, WithAPasswordInUseInputAsksFirst) {
    SetPasswordSetting(REG_SZ, std::string("1\0", 2));
    // Mouse moves past the count.
    Start();
    MoveTo(100, 100);
    MoveTo(200, 150);
    MoveTo(300, 200);
    std::optional<MessageBoxSeen> dialog = PasswordDialog();
    ASSERT_TRUE(dialog.has_value()) << "moving the mouse does not get past the password";
    ClickControl(dialog->window, IDCANCEL);
    EXPECT_TRUE(StillRunning()) << "moving the mouse to the dialog's button does not count";
    EXPECT_TRUE(ScreenSaverRunning());

    // The keyboard is the saver's again, and the count stays where it was
    // (2): a key down still passes, as it does below 3; the next one asks
    // again, and so does the next move.
    PressKey(VK_SHIFT);
    EXPECT_TRUE(StillRunning());
    EXPECT_EQ(PasswordLog(), "verify " + std::to_string(reinterpret_cast<UINT_PTR>(window_)) +
                                 " capture=0\r\nanswer 0\r\n")
        << "asked once so far";
    PressKey(VK_SHIFT);
    dialog = PasswordDialog();
    ASSERT_TRUE(dialog.has_value());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(StillRunning());
    MoveTo(250, 250);
    dialog = PasswordDialog();
    ASSERT_TRUE(dialog.has_value());
    Answer(dialog->window, "vorlaks");
    ExpectEndedCleanly();
}

TEST_F(SaverInput, WithAPasswordInUseF12OpensItsPageOnlyOnceConfirmed) {
    SetPasswordSetting(REG_DWORD, std::string("\x01\0\0\0", 4));
    Start();
    PressKey(VK_F12);
    std::optional<MessageBoxSeen> dialog = PasswordDialog();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(Urls(), "") << "no page before the password";
    Answer(dialog->window, "vorlaks");
    ExpectEndedCleanly();
    EXPECT_TRUE(WaitUntil([&] { return Urls().find(kApplicationPage) != std::string::npos; }, 10000));
}

}  // namespace
}  // namespace e2e
