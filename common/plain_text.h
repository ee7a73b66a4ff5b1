// Plain text rules both programs share: blanks, trimming, and names compared
// as COM compares them.
#pragma once

#include <string>

namespace common {

// A space or a tab: what separates words on a command line or in a table.
bool IsBlank(char c);

// The text without the characters of `blanks` at either end.
std::string Trimmed(const std::string& text, const char* blanks = " \t");

// Whether two names are equal when the case of the letters A to Z is
// ignored, as COM compares property names (lstrcmpiW, which would do it,
// does nothing on Windows 95, 98 and Me).
bool SameNameIgnoringCase(const wchar_t* a, const wchar_t* b);

}  // namespace common
