#include "common/palette_win.h"

#include <algorithm>

namespace common {

bool IsPaletteScreen() {
    HDC screen = GetDC(nullptr);
    const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
    return palette;
}

HPALETTE CreatePaletteOf(const std::vector<Rgb>& colours) {
    if (colours.empty() || !IsPaletteScreen()) return nullptr;
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[kPaletteSize];
    } logical = {};
    logical.version = 0x300;
    for (std::size_t i = 0; i < colours.size() && logical.count < kPaletteSize; ++i) {
        // A colour table padded with one colour asks for it once.
        const Rgb colour = colours[i];
        if (std::find(colours.begin(), colours.begin() + static_cast<std::ptrdiff_t>(i), colour) !=
            colours.begin() + static_cast<std::ptrdiff_t>(i)) {
            continue;
        }
        PALETTEENTRY& entry = logical.entries[logical.count++];
        entry.peRed = static_cast<BYTE>(colour >> 16);
        entry.peGreen = static_cast<BYTE>(colour >> 8);
        entry.peBlue = static_cast<BYTE>(colour);
    }
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
}

std::vector<Rgb> ColourTableOf(HBITMAP picture) {
    std::vector<Rgb> colours;
    DIBSECTION dib = {};
    if (picture == nullptr || GetObjectA(picture, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 8) {
        return colours;
    }
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, picture);
    RGBQUAD table[256];
    const UINT count = GetDIBColorTable(memory, 0, 256, table);
    for (UINT i = 0; i < count; ++i) {
        colours.push_back(static_cast<Rgb>(table[i].rgbRed) << 16 | static_cast<Rgb>(table[i].rgbGreen) << 8 |
                          table[i].rgbBlue);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    return colours;
}

bool HandlePaletteMessage(HWND window, HPALETTE palette, UINT message, WPARAM wParam, LRESULT& result) {
    if ((message != WM_QUERYNEWPALETTE && message != WM_PALETTECHANGED) || palette == nullptr) return false;
    result = 0;
    const auto changer = reinterpret_cast<HWND>(wParam);
    // This window's own realizing: nothing to follow.
    if (message == WM_PALETTECHANGED && (changer == window || IsChild(window, changer))) return true;
    // In front again: mapped anew from the start, not from the entries it
    // had behind another palette.
    if (message == WM_QUERYNEWPALETTE) UnrealizeObject(palette);
    HDC dc = GetDC(window);
    HPALETTE old = SelectPalette(dc, palette, message == WM_PALETTECHANGED);
    const UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, TRUE);
    ReleaseDC(window, dc);
    // What was drawn holds the entries of the palette that was in front
    // before: drawn again, it takes those that its colours have now.
    if (changed > 0 || message == WM_PALETTECHANGED) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    result = message == WM_QUERYNEWPALETTE ? TRUE : 0;
    return true;
}

bool PassPaletteMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result) {
    if (message != WM_QUERYNEWPALETTE && message != WM_PALETTECHANGED) return false;
    result = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SendMessageA(child, message, wParam, 0) != 0) result = TRUE;
    }
    return true;
}

PaletteInUse::PaletteInUse(HDC dc, HPALETTE palette) : dc_(dc) {
    if (palette == nullptr) return;
    old_ = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
}

PaletteInUse::~PaletteInUse() {
    if (old_ != nullptr) SelectPalette(dc_, old_, TRUE);
}

}  // namespace common
