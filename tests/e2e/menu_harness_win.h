// What the menu's end-to-end tests share: a CD folder of the test's own with
// the menu, stand-in installers and a stand-in exec; the running menu, its
// window and the pictures it should show; the Windows version that Wine
// reports; and the Desktop Themes program on the system drive.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness_win.h"

namespace e2e {

inline constexpr char kMenuCaption[] = "The Tarrowick Vorlaks Multimedia Theme Pack";
inline constexpr char kMenuTitle[] = "Tarrowick Vorlaks Multimedia Theme Pack";
inline constexpr char kThemeDialogCaption[] = "No Theme Support";
inline constexpr char kInvalidWindowsTitle[] = "Invalid Windows Type";
inline constexpr char kWebSite[] = "http://www.tarrowickvorlaks.example/";

// Where the items lie in the menu's client area, in pixels, and a point well
// inside each (clear of the large items' markers).
struct MenuItemSpot {
    const char* name;  // the item's normal image
    POINT point;
};
inline constexpr MenuItemSpot kScreenSaver = {"picScr1", {300, 132}};
inline constexpr MenuItemSpot kDesktopTheme = {"picThm1", {300, 172}};
inline constexpr MenuItemSpot kGame = {"picGame1", {380, 212}};
inline constexpr MenuItemSpot kFlashPlayer = {"picFlash1", {300, 252}};
inline constexpr MenuItemSpot kWebSiteItem = {"picWWW1", {250, 309}};
inline constexpr MenuItemSpot kHelp = {"picHelp1", {346, 309}};
inline constexpr MenuItemSpot kExit = {"picExit1", {403, 309}};
// On the backdrop: the title panel on the left.
inline constexpr POINT kBackdropPoint = {100, 100};

// The programs the menu starts, relative to the CD's root.
inline constexpr const char* kCdPrograms[] = {
    "exec.exe",
    "install\\instscr.exe",
    "install\\insttm98.exe",
    "install\\insttmNT.exe",
    "install\\macromed\\axflash.exe",
};

// HKCU\Software\Wine "Version" for the programs started from now on; empty
// removes it (Wine's default).
void SetWineVersion(const std::string& version);

// "<system drive>\Program Files\Plus!\themes.exe", present (empty) or not.
std::string ThemesProgramPath();
void SetThemesProgram(bool present);

// A top-level window of the process with this caption, shown.
HWND FindShownWindow(DWORD processId, const std::string& caption);
HWND WaitForShownWindow(DWORD processId, const std::string& caption, DWORD timeoutMs);
// A child window (any depth) with this class and, unless empty, text.
HWND FindChild(HWND parent, const std::string& className, const std::string& text);
// Whether a message box shows an icon.
bool ShowsIcon(HWND box);

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the menu and the stand-ins into `folder` (made afresh when it is
    // not the default CD folder).
    void MakeCd(const std::string& folder);
    // Starts the menu from the CD folder, with it as the working folder, and
    // waits for its window; with a stand-in DLL loaded into it first where
    // one is named.
    HWND StartMenu(const std::string& standIn = "");
    // Asks the menu to close as its close box does and waits for its end.
    void CloseMenu();
    bool MenuRunning() { return !menu_.WaitForExit(0).has_value(); }

    // Pointer moves and clicks at client-area points of the menu window;
    // each returns once the menu has taken the input.
    void MoveTo(POINT client);
    void MoveOutside();
    void ClickAt(POINT client);
    void ClickItem(const MenuItemSpot& item) { ClickAt(item.point); }

    // A file on the CD, by its path from the CD's root.
    std::string InCd(const std::string& name) const;

    // What the stand-ins logged, one line per start: command line, working
    // folder, show command, whether its window came up minimised.
    std::string StartLog() const;
    // The line a stand-in logs when the menu starts `commandLine`.
    std::string Started(const std::string& commandLine) const;
    bool WaitForStartLog(const std::string& expected, DWORD timeoutMs = 5000) const;
    // True when nothing more is logged within `settleMs`.
    bool NothingMoreStarted(const std::string& before, DWORD settleMs = 600) const;
    std::string Urls() const;

    std::string cd_;
    std::string log_;
    std::string urlLog_;
    Process menu_;
    HWND window_ = nullptr;
    DWORD lastClick_ = 0;
};

// The menu as it should look, built from the pictures inside menu.exe:
// the backdrop with the images that show, bottom to top, each with its
// magenta left out.
class MenuPictures {
public:
    explicit MenuPictures(const std::string& menuPath);
    bool Loaded() const { return backdrop_.width == 480; }

    // `lit` names items by their normal image ("picScr1 picWWW1"): a large
    // item shows its marker as well, a small item its highlighted image
    // instead.
    Screenshot Expected(const std::string& lit) const;
    // Where the window table puts a control, in client pixels.
    RECT Place(const std::string& control) const;

private:
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<unsigned> pixels;  // 0x00RRGGBB, top row first
    };
    struct Placed {
        std::string control;
        RECT rect = {};
        Picture picture;
    };
    Picture Load(HMODULE module, const char* name) const;
    Picture backdrop_;
    std::vector<Placed> placed_;  // bottom to top
};

// The marker or highlighted image of the item whose normal image this is.
std::string LitImageOf(const std::string& normal);

// Pixels of the screen's client area that differ from `expected`, with the
// first few named; empty when they agree.
std::string CompareClientArea(const Screenshot& screen, POINT origin, const Screenshot& expected);

}  // namespace e2e
