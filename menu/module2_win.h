// Module2: the name of the running Windows version.
#pragma once

#include <string>

namespace Module2 {

// Asks Windows afresh on every call; see common::WindowsVersion::MenuName for the
// names. A failed query gives "Windows 32 Bit System".
std::string GetWindowsVersion();

}  // namespace Module2
