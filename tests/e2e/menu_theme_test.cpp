// The Desktop Theme item under each Windows version that Wine can report,
// with and without the Desktop Themes program on the system drive, and the
// theme-support dialog.
#include <gtest/gtest.h>

#include <cstdio>

#include "menu/theme_procedure.h"
#include "tests/e2e/menu_harness_win.h"
#include "tests/stand-ins/gdi_counts_win.h"

namespace e2e {
namespace {

enum class Outcome { Insttm98, ThemeDialog, InsttmNT, InvalidWindowsBox };

const char* Name(Outcome outcome) {
    switch (outcome) {
    case Outcome::Insttm98: return "install\\insttm98.exe";
    case Outcome::ThemeDialog: return "the theme-support dialog";
    case Outcome::InsttmNT: return "install\\insttmNT.exe";
    case Outcome::InvalidWindowsBox: return "the Invalid Windows Type box";
    }
    return "?";
}

class MenuTheme : public MenuTest {
protected:
    // Clicks Desktop Theme and returns what came of it.
    std::optional<Outcome> ClickDesktopTheme() {
        std::string before = StartLog();
        ClickItem(kDesktopTheme);
        std::optional<Outcome> outcome;
        WaitUntil(
            [&] {
                std::string log = StartLog();
                if (log == before + Started("install\\insttm98.exe")) outcome = Outcome::Insttm98;
                else if (log == before + Started("install\\insttmNT.exe")) outcome = Outcome::InsttmNT;
                else if (FindShownWindow(menu_.Id(), kThemeDialogCaption)) outcome = Outcome::ThemeDialog;
                else if (FindShownWindow(menu_.Id(), kInvalidWindowsTitle)) outcome = Outcome::InvalidWindowsBox;
                return outcome.has_value();
            },
            5000);
        return outcome;
    }

    HWND OpenThemeDialog() {
        EXPECT_EQ(ClickDesktopTheme(), Outcome::ThemeDialog);
        HWND dialog = FindShownWindow(menu_.Id(), kThemeDialogCaption);
        if (dialog != nullptr) Sync(dialog);
        return dialog;
    }

    void ExpectDialogClosed(HWND dialog) {
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000)) << "the dialog closes";
        EXPECT_TRUE(MenuRunning());
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; }, 3000)) << "the menu is usable";
    }

    // A control's text, asked of its own process.
    static std::string Text(HWND window) {
        LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<std::size_t>(length));
        return text;
    }

    static void ClickButton(HWND dialog, const char* caption) {
        HWND button = FindChild(dialog, "Button", caption);
        ASSERT_NE(button, nullptr) << caption;
        ClickOn(button);
    }
};

TEST_F(MenuTheme, EachWindowsVersionGetsItsInstallerDialogOrBox) {
    struct Row {
        const char* wineVersion;
        Outcome withThemes;
        Outcome withoutThemes;
    };
    const Row rows[] = {
        {"win95", Outcome::Insttm98, Outcome::ThemeDialog},
        {"win98", Outcome::Insttm98, Outcome::ThemeDialog},
        {"winme", Outcome::InvalidWindowsBox, Outcome::InvalidWindowsBox},
        {"nt351", Outcome::InvalidWindowsBox, Outcome::InvalidWindowsBox},
        {"nt40", Outcome::InsttmNT, Outcome::InsttmNT},
        {"win2k", Outcome::InsttmNT, Outcome::InsttmNT},
        {"winxp", Outcome::InsttmNT, Outcome::InsttmNT},
        {"vista", Outcome::InvalidWindowsBox, Outcome::InvalidWindowsBox},
        {"win31", Outcome::InvalidWindowsBox, Outcome::InvalidWindowsBox},
    };
    for (const Row& row : rows) {
        for (bool themes : {true, false}) {
            Outcome expected = themes ? row.withThemes : row.withoutThemes;
            SCOPED_TRACE(std::string(row.wineVersion) + (themes ? " with" : " without") +
                         " themes.exe: expecting " + Name(expected));
            SetWineVersion(row.wineVersion);
            SetThemesProgram(themes);
            DeleteFileA(log_.c_str());
            ASSERT_NE(StartMenu(), nullptr);
            std::optional<Outcome> outcome = ClickDesktopTheme();
            ASSERT_TRUE(outcome.has_value()) << "nothing came of the click; log: " << StartLog();
            EXPECT_EQ(Name(*outcome), std::string(Name(expected)));

            if (*outcome == Outcome::InvalidWindowsBox) {
                HWND box = FindShownWindow(menu_.Id(), kInvalidWindowsTitle);
                char text[512] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                EXPECT_STREQ(text, "You are running an OS that is not supported by this distribution.");
                EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
                EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK only";
                EXPECT_FALSE(ShowsIcon(box));
                PressOk(box);
                EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
            } else if (*outcome == Outcome::ThemeDialog) {
                ClickButton(FindShownWindow(menu_.Id(), kThemeDialogCaption), "&Exit");
            }
            // Only the one thing, and the menu goes on.
            std::string log = StartLog();
            EXPECT_TRUE(NothingMoreStarted(log, 300)) << StartLog();
            EXPECT_TRUE(MenuRunning());
            CloseMenu();
        }
    }
}

TEST_F(MenuTheme, TheDialogShowsTheDirectionsAndEnterInstallsTheWallpaper) {
    SetWineVersion("win98");
    ASSERT_NE(StartMenu(), nullptr);
    HWND dialog = OpenThemeDialog();
    ASSERT_NE(dialog, nullptr);

    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 348);
    EXPECT_EQ(client.bottom, 276);
    RECT outer;
    GetWindowRect(dialog, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "centred";
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1) << "centred";
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "not in the taskbar";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window_);
    EXPECT_FALSE(IsWindowEnabled(window_)) << "modal";

    HWND text = FindChild(dialog, "Edit", "");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Text(text), menu::ThemeDirections());
    EXPECT_EQ(Text(text).substr(0, 65), "Follow these directions to install Theme support in Windows 98:\r\n");
    LONG textStyle = GetWindowLongA(text, GWL_STYLE);
    EXPECT_TRUE(textStyle & ES_MULTILINE);
    EXPECT_TRUE(textStyle & ES_READONLY);
    EXPECT_TRUE(textStyle & WS_VSCROLL);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == text; }, 3000)) << "the text box comes first";
    // It opens at its first line, nothing selected.
    EXPECT_EQ(SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(text, EM_GETSEL, 0, 0), 0) << "selection start and end both 0";
    HWND install = FindChild(dialog, "Button", "&Install Wallpaper Only >");
    ASSERT_NE(install, nullptr);
    EXPECT_EQ(GetWindowLongA(install, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "the default button";

    // The directions can be selected and copied (as the text box's own Copy
    // command does) but not changed.
    PressKey('X');
    PressKey(VK_BACK);
    Sync(dialog);
    EXPECT_EQ(Text(text), menu::ThemeDirections());
    SendMessageA(text, EM_SETSEL, 0, -1);
    SendMessageA(text, WM_COPY, 0, 0);
    std::string copied;
    WaitUntil(
        [&] {
            if (OpenClipboard(nullptr)) {
                HANDLE data = GetClipboardData(CF_TEXT);
                if (data != nullptr) {
                    copied = static_cast<const char*>(GlobalLock(data));
                    GlobalUnlock(data);
                }
                CloseClipboard();
            }
            return copied == menu::ThemeDirections();
        },
        3000);
    EXPECT_EQ(copied, menu::ThemeDirections());

    // Escape does nothing: there is no cancel button.
    PressKey(VK_ESCAPE);
    Sync(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));

    // Enter from the text box presses the default button.
    ASSERT_EQ(FocusOf(dialog), text);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitForStartLog(Started("install\\insttmNT.exe"))) << StartLog();
    ExpectDialogClosed(dialog);
}

TEST_F(MenuTheme, ExitAndTheCloseBoxCloseTheDialogAndStartNothing) {
    SetWineVersion("win95");
    ASSERT_NE(StartMenu(), nullptr);
    struct Way {
        const char* what;
        void (*close)(HWND dialog);
    };
    const Way ways[] = {
        {"Exit", [](HWND dialog) { ClickButton(dialog, "&Exit"); }},
        {"the close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+E", [](HWND dialog) {
             (void)dialog;
             KeyDown(VK_MENU);
             PressKey('E');
             KeyUp(VK_MENU);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        HWND dialog = OpenThemeDialog();
        ASSERT_NE(dialog, nullptr);
        // Made afresh each time: the same fifteen lines, never twice over.
        EXPECT_EQ(Text(FindChild(dialog, "Edit", "")), menu::ThemeDirections());
        way.close(dialog);
        ExpectDialogClosed(dialog);
    }
    EXPECT_TRUE(NothingMoreStarted("", 300)) << StartLog();
}

TEST_F(MenuTheme, AMissingThemeInstallerIsNamedAndTheMenuStays) {
    struct Case {
        const char* wineVersion;
        bool themes;
        const char* missing;
        bool viaDialog;
    };
    const Case cases[] = {
        {"win98", true, "install\\insttm98.exe", false},
        {"win2k", false, "install\\insttmNT.exe", false},
        {"win95", false, "install\\insttmNT.exe", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.wineVersion) + ", " + c.missing + (c.viaDialog ? " from the dialog" : ""));
        SetWineVersion(c.wineVersion);
        SetThemesProgram(c.themes);
        std::string path = InCd(c.missing);
        ASSERT_TRUE(DeleteFileA(path.c_str()));
        ASSERT_NE(StartMenu(), nullptr);
        HWND dialog = nullptr;
        if (c.viaDialog) {
            dialog = OpenThemeDialog();
            ASSERT_NE(dialog, nullptr);
            ClickButton(dialog, "&Install Wallpaper Only >");
        } else {
            ClickItem(kDesktopTheme);
        }
        HWND box = WaitForShownWindow(menu_.Id(), kMenuTitle, 5000);
        ASSERT_NE(box, nullptr) << "an error box";
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        EXPECT_NE(std::string(text).find(std::string("\"") + c.missing + "\""), std::string::npos) << text;
        PressOk(box);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 3000));
        if (dialog != nullptr) ExpectDialogClosed(dialog);
        EXPECT_TRUE(MenuRunning());
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; }, 3000));
        CloseMenu();
        ASSERT_TRUE(CopyFileA((BinFolder() + "\\program-standin.exe").c_str(), path.c_str(), FALSE));
    }
}

// Windows 95 and 98 keep every program's GDI objects in one small heap: the
// menu's live objects, counted inside it by gdi-count.dll, stay as they were
// after 200 changes of the lit item and 20 theme dialogs.
TEST_F(MenuTheme, HoversAndThemeDialogsLeaveNoGdiObjectBehind) {
    SetWineVersion("win95");
    ASSERT_NE(StartMenu(BinFolder() + "\\gdi-count.dll"), nullptr);
    const standin::GdiCounts start = standin::QuietGdiCounts(menu_.Id());
    ASSERT_GT(start.objects, 0) << "gdi-count.dll counts nothing in the menu";
    const MenuItemSpot items[] = {kScreenSaver, kDesktopTheme, kGame, kFlashPlayer, kWebSiteItem, kHelp, kExit};
    for (int change = 0; change < 200; ++change) {
        MoveTo(change % 2 == 0 ? items[(change / 2) % 7].point : kBackdropPoint);
    }
    const standin::GdiCounts hovered = standin::QuietGdiCounts(menu_.Id());
    EXPECT_EQ(hovered.objects, start.objects) << "after 200 hover changes";
    EXPECT_EQ(hovered.dcs, start.dcs);

    // The first dialog may leave what Windows keeps for dialogs; the next
    // nineteen add nothing.
    standin::GdiCounts afterFirst = {};
    for (int round = 0; round < 20; ++round) {
        HWND dialog = OpenThemeDialog();
        ASSERT_NE(dialog, nullptr) << "round " << round;
        ClickButton(dialog, "&Exit");
        ExpectDialogClosed(dialog);
        const standin::GdiCounts now = standin::QuietGdiCounts(menu_.Id());
        if (round == 0) afterFirst = now;
        EXPECT_EQ(now.objects, afterFirst.objects) << "after theme dialog " << round + 1;
        EXPECT_EQ(now.dcs, start.dcs) << "after theme dialog " << round + 1;
    }
    const standin::GdiCounts end = standin::QuietGdiCounts(menu_.Id());
    EXPECT_EQ(end.deletedSelected, 0);
    std::printf("menu GDI: %ld live objects at the start, %ld after the hovers, %ld after 20 dialogs; peak %ld "
                "objects, %ld window DCs\n",
                start.objects, hovered.objects, end.objects, end.peakObjects, end.peakDcs);
}

}  // namespace
}  // namespace e2e
