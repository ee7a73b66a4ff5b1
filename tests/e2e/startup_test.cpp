// The mode table on the real program: which starts show the saver window,
// which end at once, and what a bad window handle gets.
#include <gtest/gtest.h>

#include "tests/e2e/harness_win.h"

namespace e2e {
namespace {

const char kSaverClass[] = "VorsaverMain";
const char kTitle[] = "SCRNSAVE: The Tarrowick Vorlaks";

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ClearScreenSaverRunning();
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        saver_ = InstallSaver(folder_);
        WriteWholeFile(folder_ + "\\schedule.pvz",
                       IsoDate(0) + "\tTarrowick Vorlaks%0D%0D7:30 PM vs. Harbor Kings%0DCivic ArenaHBK\r\n");
    }
    void TearDown() override { ClearScreenSaverRunning(); }

    std::string folder_;
    std::string saver_;
};

TEST_F(Startup, SaverStartsShowTheFullScreenWindowAndSetTheRunningFlag) {
    for (const char* arguments : {"/s", "/S5", ""}) {
        SCOPED_TRACE(std::string("arguments \"") + arguments + "\"");
        ClearScreenSaverRunning();
        Process saver;
        ASSERT_TRUE(saver.Start(saver_, arguments, folder_));
        HWND window = WaitForWindow(saver.Id(), kSaverClass, 10000);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(ScreenSaverRunning());

        RECT bounds;
        GetWindowRect(window, &bounds);
        EXPECT_EQ(bounds.left, 0);
        EXPECT_EQ(bounds.top, 0);
        EXPECT_EQ(bounds.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
        LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, 0) << "no caption bar";
        EXPECT_EQ(style & WS_THICKFRAME, 0) << "no sizing frame";
        EXPECT_TRUE(IsZoomed(window)) << "shown maximized";
        LONG extended = GetWindowLongA(window, GWL_EXSTYLE);
        EXPECT_NE(extended & WS_EX_TOPMOST, 0) << "above other windows";
        EXPECT_NE(extended & WS_EX_TOOLWINDOW, 0) << "kept out of the task bar";
        EXPECT_EQ(WindowText(window), kTitle);

        // A close request ends the saver and gives the system its keys back.
        PostMessageA(window, WM_CLOSE, 0, 0);
        std::optional<DWORD> code = saver.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(ScreenSaverRunning());
    }
}

TEST_F(Startup, UnknownSwitchesEndAtOnceWithoutAWindow) {
    for (const char* arguments : {"-s", "/x", "/", "s", "x/s"}) {
        SCOPED_TRACE(std::string("arguments \"") + arguments + "\"");
        Process saver;
        ASSERT_TRUE(saver.Start(saver_, arguments, folder_));
        std::optional<DWORD> code = saver.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(ScreenSaverRunning());
        // The data step belongs to the saver alone.
        EXPECT_FALSE(FileExists(folder_ + "\\tarvordat.pvz"));
    }
}

TEST_F(Startup, BadHandlePartGetsAClearErrorAndNothingElse) {
    struct Case { const char* arguments; const char* says; };
    const Case cases[] = {
        {"/p", "missing"},
        {"/A", "missing"},
        {"/a ", "missing"},
        {"/p    ", "empty"},
        {"/p abc", "not a decimal number"},
        {"/P:12x", "not a decimal number"},
        {"/a 99999999999", "out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("arguments \"") + c.arguments + "\"");
        Process saver;
        ASSERT_TRUE(saver.Start(saver_, c.arguments, folder_));
        std::optional<MessageBoxSeen> box = WaitForMessageBox(saver.Id(), 10000);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, kTitle);
        EXPECT_NE(box->text.find(c.says), std::string::npos) << box->text;
        EXPECT_NE(box->text.find("window handle"), std::string::npos) << box->text;
        EXPECT_FALSE(ScreenSaverRunning());
        PressOk(box->window);
        std::optional<DWORD> code = saver.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_NE(*code, 0u) << "an error is not a success";
        EXPECT_TRUE(TopWindows(saver.Id(), true).empty());
    }
}

TEST_F(Startup, PasswordChangeWithAGoodHandleOpensNoWindowOfItsOwnAndEnds) {
    for (const char* arguments : {"/a 1234", "/A:1234"}) {
        SCOPED_TRACE(arguments);
        Process saver;
        ASSERT_TRUE(saver.Start(saver_, arguments, folder_));
        std::optional<DWORD> code = saver.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(ScreenSaverRunning());
    }
}

}  // namespace
}  // namespace e2e
