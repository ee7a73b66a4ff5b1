// The CD's own programs run as the menu starts them: exec with a document's
// path (unquoted, blanks and all), and the notice in the Flash player
// installer's place. A document kind of this test's own is opened by a
// stand-in that logs its command line, so no real program starts.
#include <gtest/gtest.h>

#include "tests/e2e/harness_win.h"

namespace e2e {
namespace {

const char kKind[] = ".vorlakstest";
const char kClass[] = "VorlaksTest.Document";
const char kDownloadPage[] = "http://www.macromedia.com/go/getflashplayer";

class CdPrograms : public ::testing::Test {
protected:
    void SetUp() override {
        cd_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        elsewhere_ = FreshFolder(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-cwd");
        for (const char* program : {"exec.exe", "axflash.exe"}) {
            ASSERT_TRUE(CopyFileA((BinFolder() + "\\" + program).c_str(), (cd_ + "\\" + program).c_str(), FALSE));
        }
        CreateDirectoryA((cd_ + "\\games").c_str(), nullptr);
        CreateDirectoryA((cd_ + "\\games\\a b").c_str(), nullptr);
        page_ = cd_ + "\\games\\a b\\page" + kKind;
        WriteWholeFile(page_, "<html></html>");
        SetClassesDefault(kKind, kClass);
        SetClassesDefault(std::string(kClass) + "\\shell\\open\\command",
                   "\"" + BinFolder() + "\\program-standin.exe\" \"%1\"");
        log_ = cd_ + "\\started.log";
        SetEnv("VORLAKS_START_LOG", log_);
        SetEnv("VORLAKS_URL_LOG", cd_ + "\\urls.log");
    }
    void TearDown() override {
        SetEnv("VORLAKS_START_LOG", "");
        SetEnv("VORLAKS_URL_LOG", "");
    }

    std::string Started() const { return ReadWholeFile(log_); }

    std::string cd_;
    std::string elsewhere_;
    std::string page_;
    std::string log_;
};

TEST_F(CdPrograms, ExecOpensTheNamedDocumentWithItsDefaultAction) {
    struct Case { const char* what; std::string arguments; };
    const Case cases[] = {
        {"a full path with blanks, unquoted, as the menu passes it", page_},
        {"a name relative to the CD", std::string("games\\a b\\page") + kKind},
        {"a quoted path", "\"" + page_ + "\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(log_.c_str());
        Process exec;
        ASSERT_TRUE(exec.Start(cd_ + "\\exec.exe", c.arguments, elsewhere_));
        std::optional<DWORD> code = exec.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
        ASSERT_TRUE(WaitUntil([&] { return !Started().empty(); }, 10000)) << "nothing opened the document";
        EXPECT_NE(Started().find(page_), std::string::npos) << Started();
    }
}

TEST_F(CdPrograms, ExecSaysWhyADocumentCannotBeOpened) {
    WriteWholeFile(cd_ + "\\games\\page.vorlaksnothing", "x");
    struct Case { const char* what; std::string arguments; const char* says; };
    const Case cases[] = {
        {"missing", cd_ + "\\help\\readme.txt", "cannot be found"},
        {"nothing opens its kind", cd_ + "\\games\\page.vorlaksnothing", "Nothing on this computer opens"},
        {"a folder", cd_ + "\\games", "is a folder, not a document"},
        {"nothing named", "", "No document was named to open."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Process exec;
        ASSERT_TRUE(exec.Start(cd_ + "\\exec.exe", c.arguments, elsewhere_));
        std::optional<MessageBoxSeen> box = WaitForMessageBox(exec.Id(), 10000);
        ASSERT_TRUE(box.has_value()) << "no message box";
        EXPECT_EQ(box->caption, "Tarrowick Vorlaks CD");
        EXPECT_NE(box->text.find(c.says), std::string::npos) << box->text;
        PressOk(box->window);
        std::optional<DWORD> code = exec.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 1u);
    }
    EXPECT_EQ(Started(), "") << "nothing was started";
}

TEST_F(CdPrograms, TheFlashNoticeOpensTheDownloadPageOnlyWhenAsked) {
    for (bool wanted : {false, true}) {
        SCOPED_TRACE(wanted ? "OK" : "Cancel");
        Process notice;
        ASSERT_TRUE(notice.Start(cd_ + "\\axflash.exe", "", cd_));
        std::optional<MessageBoxSeen> box = WaitForMessageBox(notice.Id(), 10000);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, "Flash Player");
        EXPECT_NE(box->text.find("does not need it"), std::string::npos) << box->text;
        ClickControl(box->window, wanted ? IDOK : IDCANCEL);
        std::optional<DWORD> code = notice.WaitForExit(10000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
        const std::string urls = cd_ + "\\urls.log";
        if (wanted) {
            EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(urls).find(kDownloadPage) != std::string::npos; }, 10000))
                << ReadWholeFile(urls);
        } else {
            Sleep(500);
            EXPECT_EQ(ReadWholeFile(urls), "") << "no page without asking";
        }
    }
}

}  // namespace
}  // namespace e2e
