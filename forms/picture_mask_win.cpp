// Pictures with a transparent colour: a mask made once, drawn with AND then OR.
#include "forms/form_internal_win.h"

namespace forms::internal {

void MakeTransparent(HBITMAP& picture, HBITMAP& mask, SIZE size, COLORREF key) {
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, size.cx, size.cy);
    mask = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ oldSource = SelectObject(source, picture);
    HGDIOBJ oldTarget = SelectObject(target, copy);
    BitBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, mask);
    SetBkColor(target, key);
    BitBlt(source, 0, 0, size.cx, size.cy, target, 0, 0, SRCCOPY);
    SetBkColor(target, RGB(0, 0, 0));
    SetTextColor(target, RGB(255, 255, 255));
    BitBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, SRCAND);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    DeleteObject(picture);
    picture = copy;
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
