// Text on the day board: sizes in design pixels, fitted and cut short to a
// width, with an optional drop shadow, in the system's fonts.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "vorsaver/board/dib_surface_win.h"

namespace vorsaver::board {

COLORREF ToColorRef(Colour colour);

// The variables file's ANSI text in upper case, as wide characters.
std::wstring Upper(std::string text);

class TextPainter {
public:
    TextPainter(Surface& surface, const Placement& place);
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;
    ~TextPainter();

    double Width(const std::wstring& text, const TextStyle& style) const;

    // The largest size up to `style.size` (and down to `minimum`) at which
    // `text` fits in `maxWidth` design pixels.
    double FitSize(const std::wstring& text, TextStyle style, double maxWidth, double minimum) const;

    // Writes `text` on a baseline at design coordinates, anchored by `align`
    // (TA_LEFT, TA_CENTER or TA_RIGHT), cut short with an ellipsis where it
    // is wider than `maxWidth`.
    void Put(std::wstring text, const TextStyle& style, double x, double baseline, UINT align,
             double maxWidth = 1e6) const;

private:
    double Measure(const std::wstring& text, HFONT font, const TextStyle& style) const;
    // The font for a style's size in pixels, made once per picture: fitting
    // a text tries many sizes, and making a font is the slow part of text.
    HFONT FontFor(double pixels, bool bold) const;

    Surface& surface_;
    const Placement& place_;
    mutable std::map<std::pair<int, bool>, HFONT> fonts_;
};

}  // namespace vorsaver::board
