// Pictures with a transparent colour: a mask made once, drawn with AND then OR.
#include <vector>

#include "common/picture_mask.h"
#include "forms/form_internal_win.h"

namespace forms::internal {

// The mask comes from the picture's own pixels, and the picture stays as it
// was loaded, in its own colours: at 256 or 16 colours the screen's palette
// decides only how it is shown, never which pixels are transparent.
void MakeTransparent(HBITMAP& picture, HBITMAP& mask, SIZE size, COLORREF key) {
    DIBSECTION dib = {};
    if (GetObjectA(picture, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr ||
        (dib.dsBm.bmBitsPixel != 8 && dib.dsBm.bmBitsPixel != 24)) {
        mask = nullptr;
        return;
    }
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(source, picture);
    std::vector<std::uint32_t> colours;
    RGBQUAD table[256];
    if (dib.dsBm.bmBitsPixel == 8) {
        const UINT count = GetDIBColorTable(source, 0, 256, table);
        for (UINT i = 0; i < count; ++i) {
            colours.push_back(static_cast<std::uint32_t>(table[i].rgbRed) << 16 |
                              static_cast<std::uint32_t>(table[i].rgbGreen) << 8 | table[i].rgbBlue);
        }
    }
    GdiFlush();
    const std::uint32_t keyRgb = static_cast<std::uint32_t>(GetRValue(key)) << 16 |
                                 static_cast<std::uint32_t>(GetGValue(key)) << 8 | GetBValue(key);
    const std::vector<std::uint8_t> bits =
        common::CutOutColour({static_cast<std::uint8_t*>(dib.dsBm.bmBits), size.cx, size.cy, dib.dsBm.bmWidthBytes,
                              dib.dsBm.bmBitsPixel, dib.dsBmih.biHeight < 0, &colours},
                             keyRgb);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        table[i].rgbRed = static_cast<BYTE>(colours[i] >> 16);
        table[i].rgbGreen = static_cast<BYTE>(colours[i] >> 8);
        table[i].rgbBlue = static_cast<BYTE>(colours[i]);
    }
    if (!colours.empty()) SetDIBColorTable(source, 0, static_cast<UINT>(colours.size()), table);
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
    mask = CreateBitmap(size.cx, size.cy, 1, 1, bits.data());
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
