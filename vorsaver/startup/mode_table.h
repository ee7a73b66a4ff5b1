// How the screen saver reads its command line: which mode, and the window
// handle that the preview and password-change switches carry.
#pragma once

#include <cstdint>
#include <string>

namespace vorsaver {

enum class StartMode {
    Settings,        // "/c": the settings dialog
    Saver,           // "/s" or nothing: the full-screen saver
    Preview,         // "/p <hwnd>": the still inside Display Properties
    PasswordChange,  // "/a <hwnd>": the system's password-change dialog
    None,            // anything else: end without a window
};

// The switch is the first two characters alone, case-sensitive, lower or
// upper case; the first matching row of the table wins.
StartMode ModeFromArguments(const std::string& argumentText);

struct HandleParse {
    bool ok = false;
    std::int32_t handle = 0;
    std::string error;  // why the handle part is unusable, for the error box
};

// The handle is the argument text without its first three characters (the
// switch and its separator, whatever the separator is), as a decimal 32-bit
// signed number. Blanks around the number are allowed.
HandleParse ParseHandle(const std::string& argumentText);

}  // namespace vorsaver
