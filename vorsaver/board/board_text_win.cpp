#include "vorsaver/board/board_text_win.h"

#include <algorithm>
#include <cmath>

#include "common/system_text_win.h"

namespace vorsaver::board {

namespace {

// Arial is on every Windows, and Wine hands the name to Arial's metric twin
// (Liberation Sans), so text measured on one fits on the other.
const char kFaceName[] = "Arial";

}  // namespace

COLORREF ToColorRef(Colour colour) { return RGB(Red(colour), Green(colour), Blue(colour)); }

// Upper case in the system's code page: the wide CharUpperBuffW does
// nothing on Windows 95, 98 and Me.
std::wstring Upper(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return common::Widen(text);
}

TextPainter::TextPainter(Surface& surface, const Placement& place) : surface_(surface), place_(place) {
    SetBkMode(surface_.dc, TRANSPARENT);
}

TextPainter::~TextPainter() {
    for (const auto& font : fonts_) {
        if (font.second != nullptr) DeleteObject(font.second);
    }
}

HFONT TextPainter::FontFor(double pixels, bool bold) const {
    const std::pair<int, bool> key(std::max(1, static_cast<int>(std::lround(pixels))), bold);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    HFONT font = CreateFontA(-key.first, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS,
                             kFaceName);
    fonts_.emplace(key, font);
    return font;
}

double TextPainter::Width(const std::wstring& text, const TextStyle& style) const {
    return Measure(text, FontFor(place_.Size(style.size), style.bold), style);
}

double TextPainter::FitSize(const std::wstring& text, TextStyle style, double maxWidth, double minimum) const {
    while (style.size > minimum && Width(text, style) > place_.Size(maxWidth)) style.size -= 1;
    return style.size;
}

void TextPainter::Put(std::wstring text, const TextStyle& style, double x, double baseline, UINT align,
                      double maxWidth) const {
    if (text.empty()) return;
    HFONT font = FontFor(place_.Size(style.size), style.bold);
    const double limit = place_.Size(maxWidth);
    if (Measure(text, font, style) > limit) {
        while (text.size() > 1 && Measure(text + L"\x2026", font, style) > limit) text.pop_back();
        text += L"\x2026";
    }
    HGDIOBJ old = SelectObject(surface_.dc, font);
    SetTextCharacterExtra(surface_.dc, static_cast<int>(std::lround(place_.Size(style.tracking))));
    SetTextAlign(surface_.dc, align | TA_BASELINE | TA_NOUPDATECP);
    const int px = static_cast<int>(std::lround(place_.X(x)));
    const int py = static_cast<int>(std::lround(place_.Y(baseline)));
    if (style.shadow) {
        const int drop = std::max(1, static_cast<int>(std::lround(place_.Size(layout::kTextShadowDrop))));
        SetTextColor(surface_.dc, ToColorRef(kShadow));
        TextOutW(surface_.dc, px + drop / 2, py + drop, text.c_str(), static_cast<int>(text.size()));
    }
    SetTextColor(surface_.dc, ToColorRef(style.colour));
    TextOutW(surface_.dc, px, py, text.c_str(), static_cast<int>(text.size()));
    SetTextCharacterExtra(surface_.dc, 0);
    SelectObject(surface_.dc, old);
}

double TextPainter::Measure(const std::wstring& text, HFONT font, const TextStyle& style) const {
    HGDIOBJ old = SelectObject(surface_.dc, font);
    SetTextCharacterExtra(surface_.dc, static_cast<int>(std::lround(place_.Size(style.tracking))));
    SIZE size = {};
    GetTextExtentPoint32W(surface_.dc, text.c_str(), static_cast<int>(text.size()), &size);
    SetTextCharacterExtra(surface_.dc, 0);
    SelectObject(surface_.dc, old);
    return size.cx;
}

}  // namespace vorsaver::board
