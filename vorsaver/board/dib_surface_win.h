// A 32-bit top-down pixel surface that GDI can draw on too: the day board's
// pixel work and its text meet on it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "vorsaver/board/board_raster.h"

namespace vorsaver::board {

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    std::uint32_t* bits = nullptr;  // top-down rows of 0x00RRGGBB
    int width = 0;
    int height = 0;

    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() { Free(); }

    // False (and nothing held) where GDI cannot make it.
    bool Create(int newWidth, int newHeight);

    Pixels View() const { return {bits, width, height}; }

    void Free();
};

}  // namespace vorsaver::board
