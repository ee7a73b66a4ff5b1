// Text rules that both programs share: the argument text of a command line,
// the application folder, paths beside the program, and twips.
#pragma once

#include <string>

namespace common {

// A space or a tab: what separates words on a command line or in a table.
bool IsBlank(char c);

// The text without the characters of `blanks` at either end.
std::string Trimmed(const std::string& text, const char* blanks = " \t");

// The part of a command line after the program's own file name, whether that
// name is quoted or not, without the blanks that separate the two.
std::string ArgumentText(const std::string& commandLine);

// The folder of a program file, without a trailing backslash; a drive's root
// keeps its backslash ("C:\").
std::string FolderOfPath(const std::string& programPath);

// A file beside the program: folder, a backslash and the name, joined as plain
// text (so a drive root gives a doubled backslash, which Windows accepts).
std::string PathInFolder(const std::string& folder, const std::string& fileName);

// Whether two names are equal when the case of the letters A to Z is
// ignored, as COM compares property names (lstrcmpiW, which would do it,
// does nothing on Windows 95, 98 and Me).
bool SameNameIgnoringCase(const wchar_t* a, const wchar_t* b);

// Twips are 1/1440 inch: 15 to a pixel at 96 dots per inch, 12 at 120.
int TwipsToPixels(double twips, int dotsPerInch);
double PixelsToTwips(int pixels, int dotsPerInch);

}  // namespace common
