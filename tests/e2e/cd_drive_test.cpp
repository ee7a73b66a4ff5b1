// The whole CD, as tools/make-cd.sh lays it out, in a CD-ROM drive: the menu
// starts from it with the drive's root as its working folder, and its items
// start the CD's real programs. Runs where VORLAKS_CD_DRIVE names the drive
// (the test environment shows build/cd as E:); documents of the kinds the CD
// carries are opened by a stand-in that logs them, so no real program starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/e2e/menu_harness_win.h"

namespace e2e {
namespace {

const char kDocumentClass[] = "VorlaksTest.CdDocument";

void SetClassesDefault(const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
              ERROR_SUCCESS)
        << key;
    RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

class CdDrive : public MenuTest {
protected:
    void SetUp() override {
        char drive[8] = {};
        if (GetEnvironmentVariableA("VORLAKS_CD_DRIVE", drive, sizeof drive) == 0) {
            GTEST_SKIP() << "no CD drive in this environment";
        }
        SetWineVersion("");
        SetThemesProgram(false);
        cd_ = std::string(drive) + "\\";
        scratch_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        log_ = scratch_ + "\\started.log";
        urlLog_ = scratch_ + "\\urls.log";
        SetEnv("VORLAKS_START_LOG", log_);
        SetEnv("VORLAKS_URL_LOG", urlLog_);
        // The game page and the help file go to the stand-in.
        for (const char* kind : {".html", ".txt"}) SetClassesDefault(kind, kDocumentClass);
        SetClassesDefault(std::string(kDocumentClass) + "\\shell\\open\\command",
                          "\"" + BinFolder() + "\\program-standin.exe\" \"%1\"");
        SetCursorPos(700, 550);
    }

    std::string scratch_;
};

TEST_F(CdDrive, TheMenuRunsFromTheCdRomDrive) {
    EXPECT_EQ(GetDriveTypeA(cd_.c_str()), static_cast<UINT>(DRIVE_CDROM));
    for (const char* file : {"menu.exe", "exec.exe", "autorun.inf", "install\\instscr.exe", "install\\insttm98.exe",
                             "install\\insttmNT.exe", "install\\macromed\\axflash.exe", "help\\readme.txt",
                             "games\\index.html"}) {
        EXPECT_TRUE(FileExists(InCd(file))) << file;
    }
    const std::string autorun = Lower(ReadWholeFile(InCd("autorun.inf")));
    EXPECT_NE(autorun.find("open=menu.exe"), std::string::npos) << autorun;
    ASSERT_NE(StartMenu(), nullptr);
    CloseMenu();
}

// The game and help items start the CD's exec, which opens the documents
// that lie on the CD.
TEST_F(CdDrive, TheGameAndHelpItemsOpenTheCdsDocuments) {
    struct Case { MenuItemSpot item; const char* document; };
    const Case cases[] = {{kGame, "games\\index.html"}, {kHelp, "help\\readme.txt"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        DeleteFileA(log_.c_str());
        ASSERT_NE(StartMenu(), nullptr);
        ClickItem(c.item);
        ASSERT_TRUE(WaitUntil([&] { return !StartLog().empty(); }, 10000)) << "the document was not opened";
        const std::string opened = Lower(StartLog());
        EXPECT_NE(opened.find(Lower(std::string(c.document))), std::string::npos) << opened;
        EXPECT_NE(opened.find("\"" + Lower(cd_.substr(0, 2))), std::string::npos) << "from the CD: " << opened;
        if (MenuRunning()) CloseMenu();
    }
}

}  // namespace
}  // namespace e2e
