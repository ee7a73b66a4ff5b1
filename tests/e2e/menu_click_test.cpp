// What each item starts, with the CD's programs replaced by stand-ins that
// log their command line and working folder; a program that cannot be
// started; and the menu run from a drive's root.
#include <gtest/gtest.h>

#include "tests/e2e/menu_harness_win.h"

namespace e2e {
namespace {

using MenuClicks = MenuTest;

TEST_F(MenuClicks, EachItemStartsItsCommandLineInTheCdFolder) {
    ASSERT_NE(StartMenu(), nullptr);
    struct Case {
        MenuItemSpot item;
        std::string commandLine;
    };
    const Case cases[] = {
        {kScreenSaver, "install\\instscr.exe"},
        {kFlashPlayer, "install\\macromed\\axflash.exe"},
        // The folder has blanks and stays unquoted.
        {kGame, "exec " + cd_ + "\\games\\index.html"},
        {kHelp, "exec " + cd_ + "\\help\\readme.txt"},
    };
    std::string expected;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.name);
        // Moving onto a small item swaps in its highlighted image, which
        // then takes the click.
        MoveTo(c.item.point);
        ClickItem(c.item);
        expected += Started(c.commandLine);
        EXPECT_TRUE(WaitForStartLog(expected)) << StartLog();
    }
    EXPECT_TRUE(MenuRunning()) << "the menu waits for none of them";
}

// A big item, which the window table places, and what it starts.
struct BigItem {
    MenuItemSpot item;
    const char* commandLine;  // "" for the CD folder's exec lines below
};

// The menu as drawn is what the items answer: in each big item's row the
// backdrop is plain beside the item's rectangle, everything inside it is
// drawn, and a click on any part of it (but the hover marker, which lies
// over the right end and answers nothing) starts the item; just beside it,
// nothing starts.
TEST_F(MenuClicks, EveryPartOfADrawnItemStartsItAndNothingBesideIt) {
    const MenuPictures pictures(cd_ + "\\menu.exe");
    ASSERT_TRUE(pictures.Loaded());
    const Screenshot drawn = pictures.Expected("");
    const unsigned kPlain = 0x000033;
    // As Windows 2000: the theme item starts its installer at once.
    SetWineVersion("win2k");
    const BigItem items[] = {
        {kScreenSaver, "install\\instscr.exe"},
        {kDesktopTheme, "install\\insttmNT.exe"},
        {kGame, ""},
        {kFlashPlayer, "install\\macromed\\axflash.exe"},
    };
    for (const BigItem& big : items) {
        SCOPED_TRACE(big.item.name);
        const RECT r = pictures.Place(big.item.name);
        for (int y = r.top; y < r.bottom; ++y) {
            // From just right of the title panel's gold edge to the window's edge.
            for (int x = 220 - y / 6; x < drawn.width; ++x) {
                const bool inside = x >= r.left && x < r.right;
                if (inside) {
                    ASSERT_NE(drawn.At(x, y), kPlain) << "undrawn at " << x << "," << y;
                } else {
                    ASSERT_EQ(drawn.At(x, y), kPlain) << "drawn beside the item at " << x << "," << y;
                }
            }
        }
    }

    ASSERT_NE(StartMenu(), nullptr);
    std::string expected;
    for (const BigItem& big : items) {
        SCOPED_TRACE(big.item.name);
        const RECT r = pictures.Place(big.item.name);
        const int markerLeft = pictures.Place(LitImageOf(big.item.name)).left;
        const std::string commandLine =
            *big.commandLine ? std::string(big.commandLine) : "exec " + cd_ + "\\games\\index.html";
        // Near the corners, the middle of the words, both sides of the
        // marker; a pixel in from the edges, as the system may round an
        // absolute pointer position by one.
        const POINT points[] = {{r.left + 1, r.top + 1},          {r.left + 1, r.bottom - 2},
                                {(r.left + markerLeft) / 2, r.top + 12}, {markerLeft - 2, r.top + 1},
                                {markerLeft - 2, r.bottom - 2},          {r.right - 2, r.top + 1},
                                {r.right - 2, r.bottom - 2}};
        for (const POINT& point : points) {
            MoveTo(kBackdropPoint);
            MoveTo(point);
            ClickAt(point);
            expected += Started(commandLine);
            ASSERT_TRUE(WaitForStartLog(expected)) << point.x << "," << point.y << ": " << StartLog();
        }
        for (const POINT& beside : {POINT{r.left - 2, r.top + 12}, POINT{r.right + 1, r.top + 12}}) {
            MoveTo(beside);
            ClickAt(beside);
        }
        EXPECT_TRUE(NothingMoreStarted(expected)) << "a click beside the item started it";
    }
    EXPECT_TRUE(MenuRunning());
}

TEST_F(MenuClicks, TheWebSiteItemOpensTheSiteThroughTheShell) {
    ASSERT_NE(StartMenu(), nullptr);
    MoveTo(kWebSiteItem.point);
    ClickItem(kWebSiteItem);
    EXPECT_TRUE(WaitUntil([&] { return Urls() == std::string(kWebSite) + "\r\n"; }, 10000)) << Urls();
    EXPECT_EQ(StartLog(), "");
    EXPECT_TRUE(MenuRunning());
}

TEST_F(MenuClicks, MarkersAndTheBackdropStartNothing) {
    ASSERT_NE(StartMenu(), nullptr);
    struct Case {
        const char* what;
        POINT lightFirst;
        POINT click;
    };
    const Case cases[] = {
        {"the Screen Saver marker", kScreenSaver.point, {412, 132}},
        {"the Desktop Theme marker", kDesktopTheme.point, {428, 172}},
        {"the Game marker", kGame.point, {436, 212}},
        {"the Flash player marker", kFlashPlayer.point, {442, 252}},
        {"the backdrop", kBackdropPoint, kBackdropPoint},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MoveTo(c.lightFirst);
        ClickAt(c.click);
    }
    EXPECT_TRUE(NothingMoreStarted(""));
    EXPECT_EQ(Urls(), "");
    EXPECT_EQ(FindShownWindow(menu_.Id(), kThemeDialogCaption), nullptr);
    EXPECT_EQ(FindShownWindow(menu_.Id(), kInvalidWindowsTitle), nullptr);
    EXPECT_TRUE(MenuRunning());
}

// The second press of a double-click is no click of its own: an installer
// double-clicked starts once.
TEST_F(MenuClicks, ADoubleClickStartsAnInstallerOnce) {
    ASSERT_NE(StartMenu(), nullptr);
    MoveTo(kScreenSaver.point);
    Click();
    Click();
    Sync(window_);
    EXPECT_TRUE(WaitForStartLog(Started("install\\instscr.exe"))) << StartLog();
    EXPECT_TRUE(NothingMoreStarted(StartLog())) << StartLog();
}

TEST_F(MenuClicks, ExitEndsTheMenuAtOnce) {
    ASSERT_NE(StartMenu(), nullptr);
    MoveTo(kExit.point);
    ClickItem(kExit);
    std::optional<DWORD> code = menu_.WaitForExit(5000);
    ASSERT_TRUE(code.has_value()) << "Exit ends the menu";
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(StartLog(), "");
}

TEST_F(MenuClicks, AProgramThatCannotStartIsNamedAndTheMenuStays) {
    struct Case {
        const char* missing;        // removed from the CD
        MenuItemSpot item;
        const char* named;          // what the error box names
    };
    const Case cases[] = {
        {"install\\instscr.exe", kScreenSaver, "\"install\\instscr.exe\""},
        {"install\\macromed\\axflash.exe", kFlashPlayer, "\"install\\macromed\\axflash.exe\""},
        {"exec.exe", kHelp, "\"exec\""},
    };
    ASSERT_NE(StartMenu(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        std::string path = InCd(c.missing);
        ASSERT_TRUE(DeleteFileA(path.c_str()));
        MoveTo(c.item.point);
        ClickItem(c.item);
        HWND box = WaitForShownWindow(menu_.Id(), kMenuTitle, 5000);
        ASSERT_NE(box, nullptr) << "an error box";
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        EXPECT_NE(std::string(text).find(c.named), std::string::npos) << text;
        EXPECT_NE(std::string(text).find("not found"), std::string::npos) << text;
        EXPECT_TRUE(ShowsIcon(box)) << "an error icon";
        EXPECT_FALSE(IsWindowEnabled(window_)) << "the box is modal";
        PressOk(box);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
        EXPECT_TRUE(MenuRunning()) << "the menu stays";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; }, 3000));
        // Put back, the same item works again.
        ASSERT_TRUE(CopyFileA((BinFolder() + "\\program-standin.exe").c_str(), path.c_str(), FALSE));
        std::string before = StartLog();
        ClickItem(c.item);
        EXPECT_TRUE(WaitUntil([&] { return StartLog() != before; }, 5000)) << "started once it is there";
    }
}

// Wine's drive M: is made to lead to an empty folder by the test's command
// (VORLAKS_ROOT_DRIVE names it): there the menu lies at a drive's root.
TEST_F(MenuClicks, FromADrivesRootExecGetsADoubledBackslash) {
    char drive[8] = {};
    if (GetEnvironmentVariableA("VORLAKS_ROOT_DRIVE", drive, sizeof drive) == 0) {
        GTEST_SKIP() << "no drive set aside for this test (VORLAKS_ROOT_DRIVE)";
    }
    std::string root = std::string(drive) + "\\";
    ASSERT_TRUE(FileExists(root)) << root;
    MakeCd(root);
    ASSERT_NE(StartMenu(), nullptr);
    MoveTo(kHelp.point);
    ClickItem(kHelp);
    MoveTo(kGame.point);
    ClickItem(kGame);
    std::string expected = "exec " + root + "\\help\\readme.txt|" + root + "|show=2|iconic=1\r\n" +
                           "exec " + root + "\\games\\index.html|" + root + "|show=2|iconic=1\r\n";
    EXPECT_TRUE(WaitForStartLog(expected)) << StartLog();
}

}  // namespace
}  // namespace e2e
