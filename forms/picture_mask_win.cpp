// Pictures with a transparent colour: a mask made once, drawn with AND then OR.
#include <vector>

#include "common/palette_win.h"
#include "common/picture_mask.h"
#include "forms/form_internal_win.h"

namespace forms::internal {

// The mask comes from the picture's own pixels, and at 256 or 16 colours the
// picture stays as it was loaded, in its own colours: the screen's palette
// decides only how it is shown, never which pixels are transparent.
void MakeTransparent(HBITMAP& picture, HBITMAP& mask, SIZE size, COLORREF key) {
    DIBSECTION dib = {};
    if (GetObjectA(picture, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr ||
        (dib.dsBm.bmBitsPixel != 8 && dib.dsBm.bmBitsPixel != 24)) {
        mask = nullptr;
        return;
    }
    std::vector<common::Rgb> colours = common::ColourTableOf(picture);
    GdiFlush();
    const common::Rgb keyRgb = static_cast<common::Rgb>(GetRValue(key)) << 16 |
                               static_cast<common::Rgb>(GetGValue(key)) << 8 | GetBValue(key);
    const std::vector<std::uint8_t> bits =
        common::CutOutColour({static_cast<std::uint8_t*>(dib.dsBm.bmBits), size.cx, size.cy, dib.dsBm.bmWidthBytes,
                              dib.dsBm.bmBitsPixel, dib.dsBmih.biHeight < 0, &colours},
                             keyRgb);
    if (!colours.empty()) {
        // The key's entries, now black, go back into the picture's table.
        RGBQUAD table[256] = {};
        for (std::size_t i = 0; i < colours.size() && i < 256; ++i) {
            table[i] = {static_cast<BYTE>(colours[i]), static_cast<BYTE>(colours[i] >> 8),
                        static_cast<BYTE>(colours[i] >> 16), 0};
        }
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, picture);
        SetDIBColorTable(memory, 0, static_cast<UINT>(colours.size()), table);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    mask = CreateBitmap(size.cx, size.cy, 1, 1, bits.data());
    // On a screen of more colours the screen's copy loses nothing, and is
    // drawn without a conversion each time.
    if (!common::IsPaletteScreen()) {
        HDC screen = GetDC(nullptr);
        HDC source = CreateCompatibleDC(screen);
        HDC target = CreateCompatibleDC(screen);
        HBITMAP copy = CreateCompatibleBitmap(screen, size.cx, size.cy);
        HGDIOBJ oldSource = SelectObject(source, picture);
        HGDIOBJ oldTarget = SelectObject(target, copy);
        BitBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, oldSource);
        SelectObject(target, oldTarget);
        DeleteDC(source);
        DeleteDC(target);
        ReleaseDC(nullptr, screen);
        DeleteObject(picture);
        picture = copy;
    }
}

void DrawPicture(HDC dc, int x, int y, HBITMAP picture, HBITMAP mask, SIZE size) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture);
    if (mask == nullptr) {
        BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    } else {
        SelectObject(source, mask);
        COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
        COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCAND);
        SelectObject(source, picture);
        BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCPAINT);
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace forms::internal
