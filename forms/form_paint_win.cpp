// Painting a form or picture box: its background and picture, then its
// images, labels' backgrounds and lines in declaration order, off screen.
#include "common/palette_win.h"
#include "forms/form_internal_win.h"
#include "forms/form_win.h"

namespace forms {

using internal::DrawPicture;

void Form::Paint(HWND container, Control* box) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(container, &paint);
    RECT client;
    GetClientRect(container, &client);
    // Drawn off screen first, so that an image changing never flickers.
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldCanvas = SelectObject(buffer, canvas);
    {
        // At 256 colours the pictures are drawn through the form's palette,
        // on the screen and off it.
        common::PaletteInUse onScreen(dc, palette_);
        common::PaletteInUse offScreen(buffer, palette_);
        PaintContents(buffer, client, box);
        BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
               paint.rcPaint.bottom - paint.rcPaint.top, buffer, paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
    }
    SelectObject(buffer, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(buffer);
    EndPaint(container, &paint);
}

void Form::PaintContents(HDC buffer, const RECT& client, Control* box) {
    FillRect(buffer, &client, box != nullptr ? box->backBrush_ : backBrush_);
    HBITMAP picture = box != nullptr ? box->picture_ : picture_;
    if (picture != nullptr) {
        BITMAP info = {};
        GetObjectA(picture, sizeof info, &info);
        DrawPicture(buffer, 0, 0, picture, nullptr, {info.bmWidth, info.bmHeight});
    }
    for (auto& control : controls_) {
        if (control->container_ != box || !control->visible_) continue;
        if (control->item_->kind == Kind::Image && control->picture_ != nullptr) {
            RECT rect = control->PixelRect();
            DrawPicture(buffer, rect.left, rect.top, control->picture_, control->mask_, control->pictureSize_);
        } else if (control->item_->kind == Kind::Line) {
            HPEN pen = CreatePen(PS_SOLID, 1, control->backColour_);
            HGDIOBJ oldPen = SelectObject(buffer, pen);
            RECT rect = control->PixelRect();
            MoveToEx(buffer, rect.left, rect.top, nullptr);
            LineTo(buffer, rect.right, rect.bottom);
            // LineTo leaves out the last point; a line includes both ends.
            SetPixel(buffer, rect.right, rect.bottom, control->backColour_);
            SelectObject(buffer, oldPen);
            DeleteObject(pen);
        }
    }
}

}  // namespace forms
