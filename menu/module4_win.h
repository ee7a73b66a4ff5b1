// Module4: the Windows system directory.
#pragma once

#include <string>

namespace Module4 {

// The system directory as Windows reports it, or the empty string when the
// call fails.
std::string GetSystemDir();

}  // namespace Module4
