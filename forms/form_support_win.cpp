#include "forms/form_internal_win.h"

#include "common/system_text_win.h"

namespace forms::internal {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

[[noreturn]] void TableFault(const std::string& table, const std::string& why) {
    std::string text = "The window table " + table + " cannot be used: " + why;
    MessageBoxA(nullptr, text.c_str(), table.c_str(), MB_OK | MB_ICONERROR);
    ExitProcess(1);
}

std::string ResourceText(const std::string& name) {
    HRSRC found = FindResourceA(Instance(), name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (found == nullptr) return "";
    HGLOBAL loaded = LoadResource(Instance(), found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes == nullptr ? "" : std::string(bytes, SizeofResource(Instance(), found));
}

std::string ToAnsi(const std::string& utf8) { return common::Utf8ToAnsi(utf8); }

COLORREF ColourOf(const std::string& text, COLORREF fallback) {
    std::optional<Colour> colour = ParseColour(text);
    if (!colour) return fallback;
    if (colour->system) return GetSysColor(colour->systemIndex);
    return RGB((colour->rgb >> 16) & 0xFF, (colour->rgb >> 8) & 0xFF, colour->rgb & 0xFF);
}

}  // namespace forms::internal
