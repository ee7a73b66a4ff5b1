// What the Desktop Theme item does on this Windows, and the directions that
// the theme-support dialog shows.
#pragma once

#include <string>

namespace menu {

enum class ThemeAction {
    StartInsttm98,       // Windows 95/98 with Desktop Themes support
    ShowThemeDialog,     // Windows 95/98 without it: explain how to add it
    StartInsttmNT,       // Windows NT 4 and 2000 (and what passes for them)
    InvalidWindowsType,  // anything else: say so and do nothing more
};

// Callers test a version name by case-sensitive substring, so "Windows 98 SE"
// also counts as "Windows 98" and the empty name counts as nothing.
bool NameContains(const std::string& versionName, const char* part);

// True for the names of the Windows 95/98 family, the only ones for which
// the Desktop Themes program is looked for.
bool NamesWindows9x(const std::string& versionName);

// By substring of the version name: "Windows 95" or "Windows 98" first, then
// "Windows 2000" or "Windows NT 4". `themesProgramPresent` only counts for
// the 95/98 family.
ThemeAction DecideThemeAction(const std::string& versionName, bool themesProgramPresent);

inline constexpr char kInvalidWindowsText[] = "You are running an OS that is not supported by this distribution.";
inline constexpr char kInvalidWindowsTitle[] = "Invalid Windows Type";

// The fifteen lines of the dialog's text box, each ending in CR LF, the last
// one too.
std::string ThemeDirections();

}  // namespace menu
