#include "menu/theme_procedure.h"

#include "common/windows_version.h"

namespace menu {

using common::kWindows2000;
using common::kWindows95;
using common::kWindows98;
using common::kWindowsNT4;

bool NameContains(const std::string& versionName, const char* part) {
    return versionName.find(part) != std::string::npos;
}

bool NamesWindows9x(const std::string& versionName) {
    return NameContains(versionName, kWindows95) || NameContains(versionName, kWindows98);
}

ThemeAction DecideThemeAction(const std::string& versionName, bool themesProgramPresent) {
    if (NamesWindows9x(versionName)) {
        return themesProgramPresent ? ThemeAction::StartInsttm98 : ThemeAction::ShowThemeDialog;
    }
    if (NameContains(versionName, kWindows2000) || NameContains(versionName, kWindowsNT4)) {
        return ThemeAction::StartInsttmNT;
    }
    return ThemeAction::InvalidWindowsType;
}

std::string ThemeDirections() {
    static constexpr const char* kLines[] = {
        "Follow these directions to install Theme support in Windows 98:",
        "1. Go to Start Menu",
        "2. Go to Settings",
        "3. Go to Control Panel",
        "4. Click on \"Add/Remove Programs\"",
        "5. Select the \"Windows Setup\" tab.",
        "6. Select Desktop Themes",
        "7. Select Desktop Themes Support",
        "8. You will be prompted for your Windows 98 CD.",
        // Step 8 goes on here; it has no number of its own.
        "Place it in your CD-ROM drive & click \"Ok\"",
        "9. Themes support should now be installed on this computer.",
        "10. Return here to continue installation.",
        "",
        "",
        "Select \"Exit\" or \"Install Wallpaper\" to install wallpaper only.",
    };
    std::string text;
    for (const char* line : kLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace menu
