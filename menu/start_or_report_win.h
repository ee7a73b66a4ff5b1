// Starting an installer or exec from a click, and saying so when it fails.
#pragma once

#include <windows.h>

#include <string>

namespace menu {

// Starts the command line without waiting. When Windows cannot start it, an
// error box owned by `owner` names the program file and the reason; the menu
// then goes on as before, so a missing installer never takes the menu down.
void StartOrReport(HWND owner, const std::string& commandLine);

}  // namespace menu
