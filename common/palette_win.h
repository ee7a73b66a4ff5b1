// Palettes on screens of 256 colours, as the programs of Windows 95's day
// handled them: a window realizes its palette when it comes to the front
// (WM_QUERYNEWPALETTE), maps to the palette in front when it is behind
// (WM_PALETTECHANGED), and draws through it. On a screen of more colours
// none is made, and nothing changes.
#pragma once

#include <windows.h>

#include <vector>

#include "common/palette.h"

namespace common {

// True where the screen shows its colours through a system palette.
bool IsPaletteScreen();

// A logical palette of `colours` (at most 256, each once), or null on a screen without
// a palette. The caller deletes it.
HPALETTE CreatePaletteOf(const std::vector<Rgb>& colours);

// The colour table of an 8-bit DIB section, empty for any other bitmap.
std::vector<Rgb> ColourTableOf(HBITMAP picture);

// The palette messages of the top-level `window` that draws through
// `palette`: in front it realizes it, behind it maps to the palette in front;
// either way it repaints where the colours' entries changed. False (for the
// default handling) for any other message, or where there is no palette.
bool HandlePaletteMessage(HWND window, HPALETTE palette, UINT message, WPARAM wParam, LRESULT& result);

// For a top-level window whose children draw through palettes: hands the
// palette messages to each child. False for any other message.
bool PassPaletteMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result);

// Draws on `dc` through `palette` (nothing where it is null) until the
// object goes.
class PaletteInUse {
public:
    PaletteInUse(HDC dc, HPALETTE palette);
    PaletteInUse(const PaletteInUse&) = delete;
    PaletteInUse& operator=(const PaletteInUse&) = delete;
    ~PaletteInUse();

private:
    HDC dc_;
    HPALETTE old_ = nullptr;
};

}  // namespace common
