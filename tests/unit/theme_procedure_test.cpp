#include "menu/theme_procedure.h"

#include <gtest/gtest.h>

#include <string>

#include "common/windows_version.h"

namespace menu {
namespace {

TEST(ThemeProcedure, DecidesByVersionNameAndThemesProgram) {
    struct Case { const char* name; bool present; ThemeAction action; };
    const Case cases[] = {
        {"Windows 95", true, ThemeAction::StartInsttm98},
        {"Windows 95", false, ThemeAction::ShowThemeDialog},
        {"Windows 98", true, ThemeAction::StartInsttm98},
        {"Windows 98", false, ThemeAction::ShowThemeDialog},
        {"Windows 98 SE", true, ThemeAction::StartInsttm98},
        {"Windows 98 SE", false, ThemeAction::ShowThemeDialog},
        {"Windows NT 4", true, ThemeAction::StartInsttmNT},
        {"Windows NT 4", false, ThemeAction::StartInsttmNT},
        {"Windows 2000", true, ThemeAction::StartInsttmNT},
        {"Windows 2000", false, ThemeAction::StartInsttmNT},
        {"Windows NT 3.51", true, ThemeAction::InvalidWindowsType},
        {"Windows NT 3.51", false, ThemeAction::InvalidWindowsType},
        {"Windows 32 Bit System", true, ThemeAction::InvalidWindowsType},
        {"", true, ThemeAction::InvalidWindowsType},
        {"", false, ThemeAction::InvalidWindowsType},
        // The test is by case-sensitive substring.
        {"windows 98", true, ThemeAction::InvalidWindowsType},
        {"Windows NT 40", false, ThemeAction::StartInsttmNT},
        {"Windows 9", true, ThemeAction::InvalidWindowsType},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideThemeAction(c.name, c.present), c.action) << '"' << c.name << "\" present=" << c.present;
    }
}

// From the version record to the action, as the theme procedure runs it.
TEST(ThemeProcedure, FromVersionRecord) {
    struct Case { common::VersionRecord record; ThemeAction withoutThemes; };
    const Case cases[] = {
        {{1, 4, 0, 950}, ThemeAction::ShowThemeDialog},
        {{1, 4, 10, 2222}, ThemeAction::ShowThemeDialog},
        {{1, 4, 90, 3000}, ThemeAction::InvalidWindowsType},
        {{2, 3, 51, 1057}, ThemeAction::InvalidWindowsType},
        {{2, 4, 0, 1381}, ThemeAction::StartInsttmNT},
        {{2, 5, 1, 2600}, ThemeAction::StartInsttmNT},
        {{2, 6, 0, 6000}, ThemeAction::InvalidWindowsType},
        {{}, ThemeAction::InvalidWindowsType},
    };
    for (const Case& c : cases) {
        const std::string name = common::WindowsVersion(c.record).MenuName();
        EXPECT_EQ(DecideThemeAction(name, false), c.withoutThemes) << '"' << name << '"';
        EXPECT_EQ(NamesWindows9x(name), c.withoutThemes == ThemeAction::ShowThemeDialog) << '"' << name << '"';
    }
}

TEST(ThemeDirections, FifteenLinesEachEndingInCrLf) {
    const std::string expected =
        "Follow these directions to install Theme support in Windows 98:\r\n"
        "1. Go to Start Menu\r\n"
        "2. Go to Settings\r\n"
        "3. Go to Control Panel\r\n"
        "4. Click on \"Add/Remove Programs\"\r\n"
        "5. Select the \"Windows Setup\" tab.\r\n"
        "6. Select Desktop Themes\r\n"
        "7. Select Desktop Themes Support\r\n"
        "8. You will be prompted for your Windows 98 CD.\r\n"
        "Place it in your CD-ROM drive & click \"Ok\"\r\n"
        "9. Themes support should now be installed on this computer.\r\n"
        "10. Return here to continue installation.\r\n"
        "\r\n"
        "\r\n"
        "Select \"Exit\" or \"Install Wallpaper\" to install wallpaper only.\r\n";
    EXPECT_EQ(ThemeDirections(), expected);
    // Built afresh each time, never appended to an earlier text.
    EXPECT_EQ(ThemeDirections(), expected);
}

}  // namespace
}  // namespace menu
