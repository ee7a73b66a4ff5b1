// Text on the day board: sizes in design pixels, fitted and cut short to a
// width, with an optional drop shadow, in the system's fonts.
#pragma once

#include <windows.h>

#include <string>

#include "vorsaver/movie/dib_surface_win.h"

namespace vorsaver::board {

COLORREF ToColorRef(Colour colour);

// The variables file's ANSI text in upper case, as wide characters.
std::wstring Upper(std::string text);

struct TextStyle {
    double size;          // design pixels
    bool bold;
    Colour colour;
    double tracking = 0;  // extra design pixels between letters
    bool shadow = false;
};

class TextPainter {
public:
    TextPainter(Surface& surface, const Placement& place);

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

    Surface& surface_;
    const Placement& place_;
};

}  // namespace vorsaver::board
