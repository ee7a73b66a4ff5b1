// The settings dialog ("/c") and the About dialog, driven as a user drives
// them: clicks and keys through the system's input queue, the sound setting
// file read back byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

#include "tests/e2e/harness_win.h"
#include "tests/e2e/stand_in_loader_win.h"
#include "tests/stand-ins/gdi_counts_win.h"

namespace e2e {
namespace {

const char kConfigCaption[] = "Tarrowick Vorlaks Screen Saver Configuration";
const char kAboutCaption[] = "About The Tarrowick Vorlaks 2000 Screen Saver";
const DWORD kSettle = 600;

// Every window below `parent`, children before their own children.
std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        found.push_back(child);
        std::vector<HWND> below = Descendants(child);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

// The control whose text is `text` (or holds it, when `part`) among the
// children of `parent`, at any depth.
HWND FindChild(HWND parent, const std::string& text, bool part = false) {
    for (HWND child : Descendants(parent)) {
        std::string childText = WindowText(child);
        if (part ? childText.find(text) != std::string::npos : childText == text) return child;
    }
    return nullptr;
}

// Where a control sits in its dialog's client area, in pixels.
RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void SetDotsPerInch(DWORD dpi) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        saver_ = InstallSaver(folder_);
        sound_ = folder_ + "\\sound.pvz";
        SetEnv("VORLAKS_URL_LOG", folder_ + "\\urls.log");
    }
    void TearDown() override {
        SetEnv("VORLAKS_URL_LOG", "");
        SetDotsPerInch(96);
        process_.Kill();
    }

    // Starts "/c" and waits for the dialog to be shown with its focus set;
    // with a stand-in DLL loaded into the saver first where one is named.
    HWND Open(const std::string& standIn = "") {
        std::string error;
        if (standIn.empty()) {
            EXPECT_TRUE(process_.Start(saver_, "/c", folder_));
        } else {
            EXPECT_TRUE(StartWithStandIn(process_, saver_, "/c", folder_, standIn, error)) << error;
        }
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                for (HWND window : TopWindows(process_.Id(), true)) {
                    if (WindowText(window) == kConfigCaption) dialog = window;
                }
                return dialog != nullptr && IsChild(dialog, FocusOf(dialog));
            },
            10000);
        EXPECT_NE(dialog, nullptr) << "no settings dialog";
        if (dialog != nullptr) {
            WaitUntil([&] { return GetForegroundWindow() == dialog; }, 3000);
        }
        dialog_ = dialog;
        return dialog;
    }

    HWND Control(const std::string& text) {
        HWND control = FindChild(dialog_, text);
        EXPECT_NE(control, nullptr) << "no control " << text << "; " << State();
        return control;
    }

    // What the dialog and its program are doing, for a failure's message.
    std::string State() {
        std::string state = IsWindow(dialog_) ? (IsWindowVisible(dialog_) ? "dialog shown" : "dialog hidden")
                                              : "dialog gone";
        state += ", " + std::to_string(Descendants(dialog_).size()) + " controls";
        HWND focus = FocusOf(dialog_);
        state += ", focus on \"" + WindowText(focus) + "\"";
        HWND foreground = GetForegroundWindow();
        state += ", foreground \"" + WindowText(foreground) + "\"";
        std::optional<DWORD> code = process_.WaitForExit(0);
        state += code.has_value() ? ", program ended with " + std::to_string(*code) : ", program running";
        return state;
    }

    bool Checked() { return SendMessageA(Control("&Play Sounds"), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    void Press(WORD key) {
        PressKey(key);
        Sync(dialog_);
    }

    bool Ended() { return process_.WaitForExit(5000).has_value(); }
    bool StillOpen() { return !process_.WaitForExit(kSettle).has_value() && IsWindowVisible(dialog_); }

    HWND WaitForAbout() {
        HWND about = nullptr;
        WaitUntil(
            [&] {
                for (HWND window : TopWindows(process_.Id(), true)) {
                    if (WindowText(window) == kAboutCaption) about = window;
                }
                return about != nullptr && IsChild(about, FocusOf(about));
            },
            10000);
        return about;
    }

    // The program's error box, told apart from its dialogs by its caption.
    std::optional<MessageBoxSeen> WaitForErrorBox() {
        std::optional<MessageBoxSeen> seen;
        WaitUntil(
            [&] {
                for (HWND window : TopWindows(process_.Id(), true)) {
                    if (ClassName(window) == "#32770" && WindowText(window) == "SCRNSAVE: The Tarrowick Vorlaks") {
                        char text[4096] = {};
                        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
                        seen = MessageBoxSeen{window, WindowText(window), text};
                    }
                }
                return seen.has_value();
            },
            5000);
        return seen;
    }

    // Input reaches the dialog in its own time: wait for what it should do.
    bool Becomes(const std::function<bool()>& condition) { return WaitUntil(condition, 3000); }

    std::string folder_, saver_, sound_;
    Process process_;
    HWND dialog_ = nullptr;
};

TEST_F(Settings, ControlsSitAtTheirDeclaredPixelsAt96And120DotsPerInch) {
    struct Place { const char* text; RECT at96; RECT at120; };
    // Twips over 15 at 96 dots per inch and over 12 at 120, rounded.
    const Place places[] = {
        {"&Ok", {256, 160, 321, 185}, {320, 200, 401, 231}},
        {"&Cancel", {184, 160, 249, 185}, {230, 200, 311, 231}},
        {"&About", {8, 160, 73, 185}, {10, 200, 91, 231}},
        {"&Play Sounds", {8, 64, 89, 81}, {10, 80, 111, 101}},
        {"Configure", {8, 16, 121, 49}, {10, 20, 151, 61}},
    };
    for (DWORD dpi : {96u, 120u}) {
        SCOPED_TRACE(dpi);
        SetDotsPerInch(dpi);
        HWND dialog = Open();
        ASSERT_NE(dialog, nullptr);
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, dpi == 96 ? 327 : 409);
        EXPECT_EQ(client.bottom, dpi == 96 ? 191 : 239);
        for (const Place& place : places) {
            HWND control = Control(place.text);
            if (control == nullptr) continue;
            RECT got = ClientRectOf(dialog, control);
            RECT want = dpi == 96 ? place.at96 : place.at120;
            EXPECT_TRUE(EqualRect(&got, &want)) << place.text << ": " << got.left << "," << got.top << " "
                                                << got.right << "," << got.bottom;
        }
        // Centred on the screen, a fixed dialog frame, not in the taskbar.
        RECT frame;
        GetWindowRect(dialog, &frame);
        EXPECT_LE(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
        LONG style = GetWindowLongA(dialog, GWL_STYLE);
        LONG exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
        EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
        EXPECT_NE(GetWindow(dialog, GW_OWNER), nullptr) << "an unowned window shows in the taskbar";
        EXPECT_EQ(FocusOf(dialog), Control("&Ok"));
        process_.Kill();
    }
}

TEST_F(Settings, EachFileShowsItsStateAndCancelLeavesItAlone) {
    struct Case { const char* name; const char* bytes; bool exists; bool checked; };
    const Case cases[] = {
        {"missing", "", false, false},
        {"on", "sound=1", true, true},
        {"off", "sound=0", true, false},
        {"empty", "", true, false},
        {"capital", "Sound=1", true, false},
        {"ten", "sound=10", true, false},
        {"longer name", "soundtrack = 1", true, true},
        {"first decides", "sound=1\r\nsound=0\r\n", true, true},
        {"no digit", "sound\r\n", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(sound_.c_str());
        if (c.exists) WriteWholeFile(sound_, c.bytes);
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(Checked(), c.checked);
        // Cancel ends the program and writes nothing, even after a toggle.
        ClickOn(Control("&Play Sounds"));
        EXPECT_TRUE(Becomes([&] { return Checked() != c.checked; })) << State();
        ClickOn(Control("&Cancel"));
        EXPECT_TRUE(Ended());
        EXPECT_EQ(FileExists(sound_), c.exists);
        if (c.exists) {
            EXPECT_EQ(ReadWholeFile(sound_), c.bytes);
        }
    }
}

TEST_F(Settings, OkWritesExactlySevenBytesOnlyWhenTheBoxChanged) {
    struct Case { const char* name; const char* before; bool toggle; const char* after; };
    const Case cases[] = {
        {"toggled on", "music=1\r\nsound=0\r\n", true, "sound=1"},
        {"toggled off", "sound=1", true, "sound=0"},
        {"untouched, no setting", "volume=3\r\n", false, "volume=3\r\n"},
        {"untouched, on", "sound = 1\r\n", false, "sound = 1\r\n"},
        {"stray digit corrected", "sound=2", false, "sound=0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteWholeFile(sound_, c.before);
        ASSERT_NE(Open(), nullptr);
        if (c.toggle) {
            bool before = Checked();
            ClickOn(Control("&Play Sounds"));
            EXPECT_TRUE(Becomes([&] { return Checked() != before; })) << State();
        }
        ClickOn(Control("&Ok"));
        EXPECT_TRUE(Ended()) << "OK closes the dialog, the program's last window";
        EXPECT_EQ(ReadWholeFile(sound_), c.after);
        EXPECT_FALSE(FileExists(sound_ + ".new"));
    }
}

TEST_F(Settings, MissingFileIsCreatedOnlyWhenChecked) {
    ASSERT_NE(Open(), nullptr);
    ClickOn(Control("&Ok"));
    EXPECT_TRUE(Ended());
    EXPECT_FALSE(FileExists(sound_));

    ASSERT_NE(Open(), nullptr);
    ClickOn(Control("&Play Sounds"));
    EXPECT_TRUE(Becomes([&] { return Checked(); }));
    ClickOn(Control("&Ok"));
    EXPECT_TRUE(Ended());
    EXPECT_EQ(ReadWholeFile(sound_), "sound=1");
}

TEST_F(Settings, KeyboardHasNoDefaultOrCancelButton) {
    WriteWholeFile(sound_, "sound=0");
    ASSERT_NE(Open(), nullptr);
    // Escape does nothing.
    Press(VK_ESCAPE);
    EXPECT_TRUE(StillOpen());
    // Tab walks Ok, Cancel, About, the box.
    const char* order[] = {"&Cancel", "&About", "&Play Sounds"};
    for (const char* next : order) {
        Press(VK_TAB);
        EXPECT_TRUE(Becomes([&] { return FocusOf(dialog_) == Control(next); })) << next;
    }
    // Alt+P toggles the box; Enter on it acts on no button.
    KeyDown(VK_MENU);
    PressKey('P');
    KeyUp(VK_MENU);
    EXPECT_TRUE(Becomes([&] { return Checked(); }));
    Press(VK_RETURN);
    EXPECT_TRUE(StillOpen());
    // Back to Ok: Enter acts on the focused button.
    Press(VK_TAB);
    EXPECT_TRUE(Becomes([&] { return FocusOf(dialog_) == Control("&Ok"); }));
    Press(VK_RETURN);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(ReadWholeFile(sound_), "sound=1");
}

TEST_F(Settings, ToggleSurvivesTheAboutRoundTrip) {
    WriteWholeFile(sound_, "sound=0");
    ASSERT_NE(Open(), nullptr);
    ClickOn(Control("&Play Sounds"));
    EXPECT_TRUE(Becomes([&] { return Checked(); }));
    ClickOn(Control("&About"));
    HWND about = WaitForAbout();
    ASSERT_NE(about, nullptr);
    // The settings dialog waits while About is open.
    EXPECT_FALSE(IsWindowEnabled(dialog_));
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 3000));
    EXPECT_TRUE(IsWindowEnabled(dialog_));
    EXPECT_TRUE(Checked());
    ClickOn(Control("&Ok"));
    EXPECT_TRUE(Ended());
    EXPECT_EQ(ReadWholeFile(sound_), "sound=1");
}

// Windows 95 and 98 keep every program's GDI objects in one small heap: the
// saver's live objects, counted inside it by gdi-count.dll, stay as they
// were over 50 About dialogs opened from the settings.
TEST_F(Settings, FiftyAboutDialogsLeaveNoGdiObjectBehind) {
    WriteWholeFile(sound_, "sound=0");
    ASSERT_NE(Open(BinFolder() + "\\gdi-count.dll"), nullptr);
    const standin::GdiCounts start = standin::QuietGdiCounts(process_.Id());
    ASSERT_GT(start.objects, 0) << "gdi-count.dll counts nothing in the saver";
    standin::GdiCounts afterFirst = {};
    for (int round = 0; round < 50; ++round) {
        ClickOn(Control("&About"));
        HWND about = WaitForAbout();
        ASSERT_NE(about, nullptr) << "round " << round;
        Press(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 3000)) << "round " << round;
        ASSERT_TRUE(Becomes([&] { return IsWindowEnabled(dialog_) != FALSE; }));
        const standin::GdiCounts now = standin::QuietGdiCounts(process_.Id());
        if (round == 0) afterFirst = now;
        EXPECT_EQ(now.objects, afterFirst.objects) << "after About " << round + 1;
        EXPECT_EQ(now.dcs, start.dcs) << "after About " << round + 1;
    }
    const standin::GdiCounts end = standin::QuietGdiCounts(process_.Id());
    EXPECT_EQ(end.deletedSelected, 0);
    std::printf("settings GDI: %ld live objects with the dialog, %ld after 50 About dialogs; peak %ld objects, "
                "%ld window DCs\n",
                start.objects, end.objects, end.peakObjects, end.peakDcs);
    ClickOn(Control("&Ok"));
    EXPECT_TRUE(Ended());
}

TEST_F(Settings, ReadOnlyFileGivesAnErrorAndLosesNothing) {
    WriteWholeFile(sound_, "sound=0\r\n");
    SetFileAttributesA(sound_.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_NE(Open(), nullptr);
    ClickOn(Control("&Play Sounds"));
    EXPECT_TRUE(Becomes([&] { return Checked(); }));
    ClickOn(Control("&Ok"));
    std::optional<MessageBoxSeen> box = WaitForErrorBox();
    ASSERT_TRUE(box.has_value()) << "no error box";
    EXPECT_NE(box->text.find(sound_), std::string::npos) << box->text;
    PressOk(box->window);
    EXPECT_TRUE(Becomes([&] { return !IsWindow(box->window); }));
    EXPECT_TRUE(StillOpen()) << "the dialog stays open";
    EXPECT_TRUE(Checked());
    SetFileAttributesA(sound_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadWholeFile(sound_), "sound=0\r\n");
    EXPECT_FALSE(FileExists(sound_ + ".new"));
    // Once the file can be written, OK stores the setting.
    ClickOn(Control("&Ok"));
    EXPECT_TRUE(Ended());
    EXPECT_EQ(ReadWholeFile(sound_), "sound=1");
}

TEST_F(Settings, AboutShowsTheVersionAndItsLinksKeepItOpen) {
    ASSERT_NE(Open(), nullptr);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ClickOn(Control("&About"));
        HWND about = WaitForAbout();
        ASSERT_NE(about, nullptr);
        EXPECT_NE(FindChild(about, "Version: 1.0.0"), nullptr);
        // 6810 x 4395 twips at 96 dots per inch, centred on the screen.
        RECT client, frame;
        GetClientRect(about, &client);
        EXPECT_EQ(client.right, 454);
        EXPECT_EQ(client.bottom, 293);
        GetWindowRect(about, &frame);
        EXPECT_LE(std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
        EXPECT_NE(FindChild(about, "The Tarrowick Vorlaks 2000 Screen Saver"), nullptr);
        EXPECT_TRUE(Becomes([&] { return FocusOf(about) == FindChild(about, "&OK"); }));
        EXPECT_NE(GetWindow(about, GW_OWNER), nullptr);
        if (round == 0) {
            // Each link hands its address to the browser; About stays open.
            HWND team = FindChild(about, "2000 Tarrowick Vorlaks. www.tarrowickvorlaks.example", true);
            HWND producer = FindChild(about, "2000 TV Interactive. www.tvinteractive.example", true);
            ASSERT_NE(team, nullptr);
            ASSERT_NE(producer, nullptr);
            // A press on a link that is released elsewhere opens nothing.
            RECT link;
            GetWindowRect(team, &link);
            PointAt(about, link.left + 10, (link.top + link.bottom) / 2);
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            SendInput(1, &input, sizeof input);
            MovePointerTo(link.left + 10, link.top - 30);
            input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(1, &input, sizeof input);
            Sync(about);
            ClickOn(team);
            ClickOn(producer);
            // The pictures: Flash, Shockwave, and the producer's image.
            POINT client = {0, 0};
            ClientToScreen(about, &client);
            const POINT pictures[] = {{320 + 60, 64 + 19}, {320 + 60, 112 + 19}, {336 + 50, 176 + 31}};
            for (POINT p : pictures) {
                ClickAt(about, client.x + p.x, client.y + p.y);
            }
            const std::string want =
                "http://www.tarrowickvorlaks.example/\r\n"
                "http://www.tvinteractive.example/\r\n"
                "http://www.macromedia.com/software/flashplayer/\r\n"
                "http://www.macromedia.com/shockwave/\r\n"
                "http://www.tvinteractive.example/\r\n";
            // The shell starts the browser on its own; wait for all five.
            std::string log;
            WaitUntil(
                [&] {
                    log = ReadWholeFile(folder_ + "\\urls.log");
                    return log.size() >= want.size();
                },
                10000);
            // The browser starts are independent: compare as sets of lines.
            auto sorted = [](std::string text) {
                std::vector<std::string> lines;
                std::size_t start = 0, end;
                while ((end = text.find("\r\n", start)) != std::string::npos) {
                    lines.push_back(text.substr(start, end - start));
                    start = end + 2;
                }
                std::sort(lines.begin(), lines.end());
                return lines;
            };
            EXPECT_EQ(sorted(log), sorted(want));
            EXPECT_TRUE(IsWindowVisible(about));
            Press(VK_RETURN);  // Enter closes it, as OK does
        } else {
            ClickOn(FindChild(about, "&OK"));
        }
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 3000));
        EXPECT_TRUE(IsWindowEnabled(dialog_));
    }
    EXPECT_TRUE(StillOpen());
}

}  // namespace
}  // namespace e2e
