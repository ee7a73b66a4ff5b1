// The whole CD, as tools/make-cd.sh lays it out, in a CD-ROM drive: the menu
// starts from it with the drive's root as its working folder, and its items
// start the CD's real programs. Runs where VORLAKS_CD_DRIVE names the drive
// (the test environment shows build/cd as E:); documents of the kinds the CD
// carries are opened by a stand-in that logs them, so no real program starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/menu_harness_win.h"

namespace e2e {
namespace {

const char kDocumentClass[] = "VorlaksTest.CdDocument";

const char kInstallerCaption[] = "Tarrowick Vorlaks Screen Saver Setup";
const char kDesktopKey[] = "Control Panel\\Desktop";

// The current screen saver as Windows keeps it: system.ini on 95/98/Me, the
// user's registry on NT.
std::string CurrentSaver(bool nt) {
    char value[MAX_PATH] = {};
    if (!nt) {
        GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", value, sizeof value, "system.ini");
        return value;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "";
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, "SCRNSAVE.EXE", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) {
        value[0] = 0;
    }
    RegCloseKey(key);
    return value;
}

void SetCurrentSaver(bool nt, const std::string& path) {
    if (!nt) {
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", path.c_str(), "system.ini");
        return;
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
}

HWND foundButton = nullptr;
const char* wantedCaption = nullptr;

BOOL CALLBACK FindButton(HWND child, LPARAM) {
    char text[128];
    GetWindowTextA(child, text, sizeof text);
    if (std::strcmp(text, wantedCaption) != 0) return TRUE;
    foundButton = child;
    return FALSE;
}

HWND ButtonOf(HWND dialog, const char* caption) {
    foundButton = nullptr;
    wantedCaption = caption;
    EnumChildWindows(dialog, FindButton, 0);
    return foundButton;
}

// Presses the installer's Next and then Finish button each time it can be
// pressed, as a user would, until the installer has gone; "Open Display
// Properties now" is cleared first (Wine has no Display Properties). The
// menu starts it minimised, so the button is pressed by its command, not
// the pointer.
bool DriveInstaller(DWORD timeoutMs) {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindWindowA(nullptr, kInstallerCaption)) != nullptr; }, 10000)) return false;
    return WaitUntil(
        [&] {
            if (!IsWindow(dialog)) return true;
            HWND open = ButtonOf(dialog, "&Open Display Properties now");
            if (open != nullptr && IsWindowVisible(open)) SendMessageA(open, BM_SETCHECK, BST_UNCHECKED, 0);
            for (const char* caption : {"&Next >", "&Finish"}) {
                HWND button = ButtonOf(dialog, caption);
                if (button != nullptr && IsWindowEnabled(button)) {
                    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                        reinterpret_cast<LPARAM>(button), SMTO_NORMAL, 2000, nullptr);
                    Sleep(300);
                    break;
                }
            }
            return false;
        },
        timeoutMs);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The rows of the game page's schedule table, in order.
std::vector<std::string> PageRows(const std::string& page) {
    std::vector<std::string> rows;
    for (const char* shade : {"<tr bgcolor=\"#FFFFFF\">", "<tr bgcolor=\"#A8C8E8\">"}) {
        for (std::size_t at = page.find(shade); at != std::string::npos; at = page.find(shade, at + 1)) {
            rows.push_back(page.substr(at, page.find("</tr>", at) - at));
        }
    }
    std::sort(rows.begin(), rows.end(), [&page](const std::string& a, const std::string& b) {
        return page.find(a) < page.find(b);
    });
    return rows;
}

// Every game of the installed schedule is the same row of the CD's game
// page: its start time, its opponent and its arena, in the same order.
void ExpectPageListsSchedule(const std::string& schedule, const std::string& page) {
    const std::vector<std::string> rows = PageRows(page);
    std::size_t games = 0;
    std::size_t start = 0;
    while (start < schedule.size()) {
        std::size_t end = schedule.find("\r\n", start);
        if (end == std::string::npos) end = schedule.size();
        const std::string line = schedule.substr(start, end - start);
        start = end + 2;
        if (line.empty()) continue;
        const std::size_t info = line.find("%0D%0D");
        ASSERT_NE(info, std::string::npos) << line;
        std::string text = line.substr(info + 6, line.size() - info - 6 - 3);
        const std::size_t arenaAt = text.find("%0D");
        const std::string arena = arenaAt == std::string::npos ? "" : text.substr(arenaAt + 3);
        const std::string first = text.substr(0, arenaAt);
        const std::size_t opponentAt = first.find(' ', first.find(' ') + 1);  // after "7:30 PM"
        ASSERT_LT(games, rows.size()) << "the page lists fewer games than the schedule";
        const std::string& row = rows[games++];
        for (const std::string& piece : {first.substr(0, opponentAt), first.substr(opponentAt + 1), arena}) {
            EXPECT_NE(row.find(">" + piece + "<"), std::string::npos) << piece << " not in row " << games << ": " << row;
        }
    }
    EXPECT_GE(games, 40u) << "a whole season";
    EXPECT_EQ(games, rows.size()) << "the page and the schedule list as many games";
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

// The Screen Saver item starts the CD's real installer; taken through its
// pages, it makes the saver the current one (in short form), and the saver
// then runs from where it was put and writes its day's data there; the
// uninstaller puts the saver from before back and leaves nothing behind.
TEST_F(CdDrive, TheScreenSaverItemInstallsTheSaverAndItsUninstallerPutsTheOldOneBack) {
    struct Case { const char* version; bool nt; const char* previous; };
    const Case cases[] = {{"win98", false, "C:\\WINDOWS\\SYSTEM\\OLD.SCR"},
                          {"win2k", true, "C:\\WINDOWS\\SYSTEM32\\OLD.SCR"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        SetWineVersion(c.version);
        SetCurrentSaver(c.nt, c.previous);
        ASSERT_NE(StartMenu(), nullptr);
        ClickItem(kScreenSaver);
        ASSERT_TRUE(DriveInstaller(60000)) << "the installer did not finish";
        CloseMenu();

        const std::string saver = CurrentSaver(c.nt);
        ASSERT_NE(Lower(saver), Lower(c.previous)) << "the saver is not the current one";
        EXPECT_TRUE(FileExists(saver)) << saver;
        EXPECT_EQ(saver.find(' '), std::string::npos) << "kept in short form: " << saver;
        const std::string folder = saver.substr(0, saver.find_last_of('\\'));
        EXPECT_TRUE(FileExists(folder + "\\vorlaks.swf"));
        EXPECT_TRUE(FileExists(folder + "\\schedule.pvz"));
        ExpectPageListsSchedule(ReadWholeFile(folder + "\\schedule.pvz"), ReadWholeFile(InCd("games\\index.html")));

        // Started as Windows starts the current saver: from its own folder.
        DeleteFileA((folder + "\\tarvordat.pvz").c_str());
        Process running;
        ASSERT_TRUE(running.Start(saver, "/s", folder));
        HWND window = WaitForWindow(running.Id(), "VorsaverMain", 10000);
        ASSERT_NE(window, nullptr) << "the installed saver shows no window";
        EXPECT_TRUE(WaitUntil([&] { return FindWindowExA(window, nullptr, "VorlaksDayBoard", nullptr) != nullptr; },
                              5000))
            << "no day board";
        EXPECT_TRUE(FileExists(folder + "\\tarvordat.pvz")) << "the saver wrote its data beside itself";
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(running.WaitForExit(10000).has_value());

        // The uninstaller, silently: it hands the work to its copy in Temp
        // and returns; the copy removes the uninstaller last.
        const std::string uninstaller = folder + "\\vorsaver-uninstall.exe";
        ASSERT_TRUE(FileExists(uninstaller));
        EXPECT_EQ(RunToEnd(uninstaller, "/S", 60000), 0u);
        EXPECT_TRUE(WaitUntil([&] { return !FileExists(uninstaller); }, 30000)) << "the uninstaller stayed";
        EXPECT_EQ(Lower(CurrentSaver(c.nt)), Lower(c.previous)) << "the saver from before is back";
        EXPECT_FALSE(FileExists(saver));
        EXPECT_FALSE(FileExists(folder + "\\tarvordat.pvz"));
        SetWineVersion("");
    }
}

}  // namespace
}  // namespace e2e
