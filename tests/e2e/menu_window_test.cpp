// The menu program as Windows sees it: its identity, its one window and the
// single running copy.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/menu_harness_win.h"

namespace e2e {
namespace {

using MenuWindow = MenuTest;

std::string VersionString(const std::vector<char>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || value == nullptr) {
        return "(missing)";
    }
    return std::string(value, strnlen(value, length));
}

TEST_F(MenuWindow, CarriesItsVersionAndIcon) {
    std::string path = cd_ + "\\menu.exe";
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
    ASSERT_GT(size, 0u) << "menu.exe has a version resource";
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(VersionString(block, "FileVersion"), "1.00");
    EXPECT_EQ(VersionString(block, "ProductVersion"), "1.00");
    EXPECT_EQ(VersionString(block, "InternalName"), "menu");
    EXPECT_EQ(VersionString(block, "OriginalFilename"), "menu.exe");
    EXPECT_EQ(VersionString(block, "ProductName"), "The Tarrowick Vorlaks Theme Pack");

    // The icon group holds a 32 x 32 picture in 16 colours.
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr) << "icon 1";
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, group)));
    int count = bytes[4] | bytes[5] << 8;
    bool found = false;
    for (int i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + 6 + 14 * i;  // width, height, colours, reserved, planes, bits ...
        int bits = entry[6] | entry[7] << 8;
        if (entry[0] == 32 && entry[1] == 32 && entry[2] == 16 && bits == 4) found = true;
    }
    FreeLibrary(module);
    EXPECT_TRUE(found) << "a 32 x 32 16-colour icon";

}

TEST_F(MenuWindow, OpensItsFixedWindowAtTheTopLeftCorner) {
    HWND window = StartMenu();
    ASSERT_NE(window, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 360);
    // 20 twips from the screen's corner: one pixel, not centred.
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 1);
    EXPECT_EQ(outer.top, 1);

    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
    EXPECT_FALSE(style & WS_THICKFRAME) << "not resizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "in the taskbar";
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    // Activation arrives through X's focus events, which Wine may take in a
    // moment after the window shows.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 3000)) << "the menu comes to the front";

    // Only that one window shows.
    EXPECT_EQ(TopWindows(menu_.Id(), true).size(), 1u);
}

TEST_F(MenuWindow, ASecondCopyEndsWithoutAWindow) {
    HWND first = StartMenu();
    ASSERT_NE(first, nullptr);
    Process second;
    ASSERT_TRUE(second.Start(cd_ + "\\menu.exe", "", cd_));
    bool sawWindow = false;
    std::optional<DWORD> code;
    WaitUntil(
        [&] {
            if (!TopWindows(second.Id(), true).empty()) sawWindow = true;
            code = second.WaitForExit(0);
            return code.has_value();
        },
        10000);
    ASSERT_TRUE(code.has_value()) << "the second copy ends by itself";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(sawWindow);
    EXPECT_TRUE(MenuRunning());
    EXPECT_TRUE(IsWindowVisible(first));

    // Once the first has gone, the next copy starts as the first did.
    CloseMenu();
    EXPECT_NE(StartMenu(), nullptr);
}

}  // namespace
}  // namespace e2e
