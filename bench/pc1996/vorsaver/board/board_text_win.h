// The day board's text for the benchmark. On Windows every step of it is
// GDI's (CreateFont, GetTextExtentPoint32W, TextOutW): measuring and drawing
// text is Windows' work, so nothing is drawn here and widths are estimated
// (six tenths of the size a letter), which only moves the date's tab.
#pragma once

#include <windows.h>

#include <string>

#include "common/system_text_win.h"
#include "vorsaver/board/dib_surface_win.h"

namespace vorsaver::board {

inline std::wstring Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return common::Widen(text);
}

class TextPainter {
public:
    TextPainter(Surface&, const Placement& place) : place_(place) {}

    double Width(const std::wstring& text, const TextStyle& style) const {
        return place_.Size(text.size() * (style.size * 0.6 + style.tracking));
    }
    double FitSize(const std::wstring& text, TextStyle style, double maxWidth, double minimum) const {
        while (style.size > minimum && Width(text, style) > place_.Size(maxWidth)) style.size -= 1;
        return style.size;
    }
    void Put(std::wstring, const TextStyle&, double, double, UINT, double = 1e6) const {}

private:
    const Placement& place_;
};

}  // namespace vorsaver::board
