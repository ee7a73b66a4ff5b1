// Text between Windows and the programs: the system's message for an error
// code, and conversions between the system's ANSI code page, UTF-8 and the
// wide characters of the Unicode calls.
#pragma once

#include <string>

namespace common {

// The text of the system's message for a Windows error code (or HRESULT),
// without the full stop, or "Windows error N" where the system has none.
std::string SystemErrorText(unsigned long code);

// Text in the system's ANSI code page as wide characters. Every byte maps to
// a character, an embedded NUL included.
std::wstring Widen(const std::string& ansi);

// UTF-8 (the window tables) in the system's ANSI code page; characters the
// code page lacks become its default character.
std::string Utf8ToAnsi(const std::string& utf8);

}  // namespace common
