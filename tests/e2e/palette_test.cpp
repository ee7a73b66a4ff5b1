// The programs on a screen of 256 colours (an 8-bit X display, where GDI is a
// palette device): what they draw keeps its own colours, and what is
// transparent stays exactly the picture's transparent colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form_internal_win.h"

namespace {

bool PaletteScreen() {
    HDC screen = GetDC(nullptr);
    const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    ReleaseDC(nullptr, screen);
    return palette;
}

TEST(PaletteScreen, IsWhatTheseTestsNeed) {
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256);
    EXPECT_EQ(GetDeviceCaps(screen, NUMRESERVED), 20);
    ReleaseDC(nullptr, screen);
}

// A picture in a row of colours: the transparent magenta, then colours that
// a 256-colour screen's fixed colours show as that magenta, or near it.
const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kRow[] = {kKey, RGB(255, 96, 240), RGB(224, 32, 224), kKey, RGB(192, 0, 160), RGB(255, 204, 0),
                         RGB(255, 64, 255), RGB(240, 0, 240), RGB(255, 32, 200), RGB(200, 0, 255), RGB(255, 0, 224),
                         RGB(255, 128, 255), kKey};
const int kWidth = sizeof kRow / sizeof kRow[0];

TEST(PaletteMask, ComesFromThePicturesOwnColoursNotTheScreens) {
    ASSERT_TRUE(PaletteScreen());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(picture, nullptr);
    auto* pixel = static_cast<BYTE*>(bits);
    for (int x = 0; x < kWidth; ++x) {
        pixel[3 * x] = GetBValue(kRow[x]);
        pixel[3 * x + 1] = GetGValue(kRow[x]);
        pixel[3 * x + 2] = GetRValue(kRow[x]);
    }
    HBITMAP mask = nullptr;
    forms::internal::MakeTransparent(picture, mask, {kWidth, 1}, kKey);
    ASSERT_NE(mask, nullptr);

    // Both read back as 24-bit colours, whatever the bitmaps are inside.
    HDC screen = GetDC(nullptr);
    std::vector<BYTE> maskPixels(4 * kWidth), picturePixels(4 * kWidth);
    info.bmiHeader.biBitCount = 32;
    ASSERT_EQ(GetDIBits(screen, mask, 0, 1, maskPixels.data(), &info, DIB_RGB_COLORS), 1);
    info.bmiHeader.biBitCount = 32;
    ASSERT_EQ(GetDIBits(screen, picture, 0, 1, picturePixels.data(), &info, DIB_RGB_COLORS), 1);
    ReleaseDC(nullptr, screen);
    for (int x = 0; x < kWidth; ++x) {
        const bool transparent = maskPixels[4 * x] != 0;
        EXPECT_EQ(transparent, kRow[x] == kKey) << "pixel " << x;
        const COLORREF shown = RGB(picturePixels[4 * x + 2], picturePixels[4 * x + 1], picturePixels[4 * x]);
        // Drawn with AND then OR: black under the mask, its own colour elsewhere.
        EXPECT_EQ(shown, kRow[x] == kKey ? RGB(0, 0, 0) : kRow[x]) << "pixel " << x;
    }
    DeleteObject(mask);
    DeleteObject(picture);
}

}  // namespace
