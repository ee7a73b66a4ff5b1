// The running program's own folder and argument text, from Windows.
#pragma once

#include <string>

namespace common {

// Folder of the running program's file (no trailing backslash but at a root).
std::string ApplicationFolder();

// The command line after the program's own file name, read afresh each call.
std::string CommandArgumentText();

}  // namespace common
