#include "common/app_text.h"

#include <cmath>

namespace common {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text, const char* blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string ArgumentText(const std::string& commandLine) {
    std::size_t pos = 0;
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    if (pos < commandLine.size() && commandLine[pos] == '"') {
        // A quoted name may hold blanks; it ends at the closing quote.
        std::size_t close = commandLine.find('"', pos + 1);
        pos = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
    }
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    return commandLine.substr(pos);
}

std::string FolderOfPath(const std::string& programPath) {
    std::size_t slash = programPath.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    // "C:\prog.scr" lives in "C:\", which keeps its backslash.
    if (slash == 2 && programPath[1] == ':') return programPath.substr(0, 3);
    return programPath.substr(0, slash);
}

std::string PathInFolder(const std::string& folder, const std::string& fileName) {
    return folder + "\\" + fileName;
}

int TwipsToPixels(double twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

double PixelsToTwips(int pixels, int dotsPerInch) {
    return pixels * 1440.0 / dotsPerInch;
}

bool SameNameIgnoringCase(const wchar_t* a, const wchar_t* b) {
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    for (; *a != 0 && *b != 0; ++a, ++b) {
        if (lower(*a) != lower(*b)) return false;
    }
    return *a == *b;
}

}  // namespace common
