// ANSI text to wide for the benchmark (Windows converts it in its code page).
#pragma once

#include <string>

namespace common {

inline std::wstring Widen(const std::string& ansi) { return std::wstring(ansi.begin(), ansi.end()); }

}  // namespace common
