// The game-day data step inside the real saver: where the variables file
// goes, what it holds in the user's language, and what a bad schedule does.
#include <gtest/gtest.h>

#include "tests/e2e/harness_win.h"

namespace e2e {
namespace {

class DataStep : public ::testing::Test {
protected:
    void SetUp() override {
        ClearScreenSaverRunning();
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        saver_ = InstallSaver(folder_);
        elsewhere_ = FreshFolder(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                                 "-cwd");
    }
    void TearDown() override { ClearScreenSaverRunning(); }

    // Runs the saver from another working folder until its window shows,
    // then closes it.
    void RunSaverOnce() {
        Process saver;
        ASSERT_TRUE(saver.Start(saver_, "/s", elsewhere_));
        HWND window = WaitForWindow(saver.Id(), kSaverClass, 10000);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(saver.WaitForExit(10000).has_value());
    }

    // Runs the saver on a bad schedule: expects the error box while the
    // system has its keys back, answers it and returns its text.
    std::string RunSaverExpectingError() {
        Process saver;
        EXPECT_TRUE(saver.Start(saver_, "/s", elsewhere_));
        std::optional<MessageBoxSeen> box = WaitForMessageBox(saver.Id(), 10000);
        if (!box) {
            ADD_FAILURE() << "no error box";
            return std::string();
        }
        EXPECT_FALSE(ScreenSaverRunning()) << "the flag is restored before the box shows";
        EXPECT_EQ(WaitForWindow(saver.Id(), kSaverClass, 0), nullptr) << "no saver window behind the box";
        PressOk(box->window);
        std::optional<DWORD> code = saver.WaitForExit(10000);
        EXPECT_TRUE(code.has_value());
        if (code) {
            EXPECT_NE(*code, 0u);
        }
        return box->text;
    }

    std::string Variables() const { return ReadWholeFile(folder_ + "\\tarvordat.pvz"); }

    std::string folder_;
    std::string saver_;
    std::string elsewhere_;
};

TEST_F(DataStep, WritesTheVariablesBesideTheProgramWhateverTheWorkingFolder) {
    WriteWholeFile(folder_ + "\\schedule.pvz",
                   GameLine(-2, "OLD", "1:00 PM at Old Town%0DRiver Park") +
                       GameLine(0, "HBK", "7:30 PM vs. Harbor Kings%0DCivic Arena") +
                       GameLine(1, "FRC", "6:05 PM at Fen Rock%0DGlass Hall") + GameLine(3, "MTS", "8:00 PM vs. Mill Town%0DCivic Arena") +
                       GameLine(9, "LST", "2:00 PM vs. Last Stand%0DCivic Arena"));
    RunSaverOnce();
    EXPECT_EQ(Variables(), "currentdate=" + LongDateToday() +
                               "&team=Tarrowick Vorlaks&gameinfo=7:30 PM vs. Harbor Kings%0DCivic Arena"
                               "&small1=" + DayNumber(1) + "%0DFRC%0D6:05"
                               "&small2=" + DayNumber(2) +
                               "&small3=" + DayNumber(3) + "%0DMTS%0D8:00"
                               "&numvars=6");
    EXPECT_FALSE(FileExists(elsewhere_ + "\\tarvordat.pvz"));
}

TEST_F(DataStep, NoGameTodayAndNothingLeft) {
    WriteWholeFile(folder_ + "\\schedule.pvz",
                   GameLine(1, "FRC", "6:05 PM at Fen Rock%0DGlass Hall") + GameLine(5, "MTS", "8:00 PM%0DX"));
    RunSaverOnce();
    EXPECT_EQ(Variables(), "currentdate=" + LongDateToday() + "&team=&gameinfo=No Game&small1=" + DayNumber(1) +
                               "%0DFRC%0D6:05&small2=" + DayNumber(2) + "&small3=" + DayNumber(3) + "&numvars=6");

    WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(-3, "OLD", "1:00 PM%0DX") + "\r\n\r\n");
    RunSaverOnce();
    EXPECT_TRUE(FileExists(folder_ + "\\tarvordat.pvz"));
    EXPECT_EQ(Variables(), "");
}

TEST_F(DataStep, MonthNameFollowsTheUsersLanguage) {
    // Run by the suite once in English and once with LC_ALL=de_DE.UTF-8.
    static const char* const kEnglish[] = {"January", "February", "March", "April", "May", "June", "July",
                                           "August", "September", "October", "November", "December"};
    static const char* const kGerman[] = {"Januar", "Februar", "M\xe4rz", "April", "Mai", "Juni", "Juli",
                                          "August", "September", "Oktober", "November", "Dezember"};
    LANGID language = PRIMARYLANGID(GetUserDefaultLangID());
    // The German run says so: a Wine that falls back to English fails it
    // rather than passing in the wrong language.
    char expected[16] = {};
    GetEnvironmentVariableA("VORLAKS_EXPECT_LANGUAGE", expected, sizeof expected);
    if (std::string(expected) == "German") {
        ASSERT_EQ(language, LANG_GERMAN) << "Wine gives no German user locale (is de_DE.UTF-8 installed?)";
    }
    if (language != LANG_ENGLISH && language != LANG_GERMAN) GTEST_SKIP() << "neither English nor German";
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string month = (language == LANG_GERMAN ? kGerman : kEnglish)[now.wMonth - 1];

    WriteWholeFile(folder_ + "\\schedule.pvz", GameLine(0, "HBK", "7:30 PM%0DCivic Arena"));
    RunSaverOnce();
    std::string text = "currentdate=" + month + " " + std::to_string(now.wDay) + ", " +
                           std::to_string(now.wYear) + "&team=";
    EXPECT_EQ(Variables().substr(0, text.size()), text) << Variables();
}

// A date in the user's own short form is not an ISO date: it goes to
// Windows' conversion in the user's locale, and today's game is found among
// such dates as among ISO ones.
TEST_F(DataStep, ReadsDatesInTheUsersOwnForm) {
    auto line = [](int offset, const std::string& tag, const std::string& info) {
        return ShortDate(offset) + "\tTarrowick Vorlaks%0D%0D" + info + tag + "\r\n";
    };
    const std::string schedule = line(-2, "OLD", "1:00 PM%0DRiver Park") + line(0, "HBK", "7:30 PM%0DCivic Arena") +
                                 line(1, "FRC", "6:05 PM%0DGlass Hall");
    ASSERT_EQ(schedule.find(IsoDate(0)), std::string::npos) << "the user's short form is ISO's: " << schedule;
    WriteWholeFile(folder_ + "\\schedule.pvz", schedule);
    RunSaverOnce();
    EXPECT_EQ(Variables(), "currentdate=" + LongDateToday() + "&team=Tarrowick Vorlaks&gameinfo=7:30 PM%0DCivic Arena" +
                               "&small1=" + DayNumber(1) + "%0DFRC%0D6:05&small2=" + DayNumber(2) +
                               "&small3=" + DayNumber(3) + "&numvars=6")
        << schedule;
}

TEST_F(DataStep, MissingScheduleStopsWithAClearErrorAndKeepsTheOldVariables) {
    WriteWholeFile(folder_ + "\\tarvordat.pvz", "currentdate=yesterday");
    std::string text = RunSaverExpectingError();
    EXPECT_NE(text.find(folder_ + "\\schedule.pvz"), std::string::npos) << text;
    EXPECT_EQ(Variables(), "currentdate=yesterday");
}

TEST_F(DataStep, MalformedLineNamesFileAndLineAndKeepsTheOldVariables) {
    struct Case { std::string schedule; const char* line; };
    const Case cases[] = {
        {GameLine(-5, "OLD", "1:00 PM%0DX") + IsoDate(-4) + " no tab here\r\n" + GameLine(0, "HBK", "7:30%0DX"),
         "line 2"},
        {"\r\n" + std::string("not a date\tVorlaks%0D%0DInfoTAG\r\n"), "line 2"},
        {GameLine(0, "HBK", "7:30%0DX") + "" + IsoDate(1) + "\tno line mark at allTAG\r\nmore\r\n", "line 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.schedule);
        WriteWholeFile(folder_ + "\\schedule.pvz", c.schedule);
        WriteWholeFile(folder_ + "\\tarvordat.pvz", "currentdate=before");
        std::string text = RunSaverExpectingError();
        EXPECT_NE(text.find(folder_ + "\\schedule.pvz"), std::string::npos) << text;
        EXPECT_NE(text.find(c.line), std::string::npos) << text;
        EXPECT_EQ(Variables(), "currentdate=before");
    }
}

}  // namespace
}  // namespace e2e
