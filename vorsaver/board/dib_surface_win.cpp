#include "vorsaver/board/dib_surface_win.h"

namespace vorsaver::board {

bool Surface::Create(int newWidth, int newHeight) {
    Free();
    if (newWidth <= 0 || newHeight <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = newWidth;
    info.bmiHeader.biHeight = -newHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    void* pixels = nullptr;
    bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0) : nullptr;
    if (bitmap == nullptr || pixels == nullptr) {
        Free();
        return false;
    }
    oldBitmap = SelectObject(dc, bitmap);
    bits = static_cast<std::uint32_t*>(pixels);
    width = newWidth;
    height = newHeight;
    return true;
}

void Surface::Free() {
    if (dc != nullptr && oldBitmap != nullptr) SelectObject(dc, oldBitmap);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (dc != nullptr) DeleteDC(dc);
    dc = nullptr;
    bitmap = nullptr;
    oldBitmap = nullptr;
    bits = nullptr;
    width = height = 0;
}

}  // namespace vorsaver::board
