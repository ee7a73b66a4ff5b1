// The day board's surface for the benchmark: the same pixels, in memory the
// benchmark owns rather than a DIB section.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "vorsaver/board/board_raster.h"

namespace vorsaver::board {

struct Surface {
    HDC dc = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> memory;

    bool Create(int newWidth, int newHeight) {
        if (newWidth <= 0 || newHeight <= 0) return false;
        memory.assign(static_cast<std::size_t>(newWidth) * newHeight, 0);
        bits = memory.data();
        width = newWidth;
        height = newHeight;
        return true;
    }
    Pixels View() const { return {bits, width, height}; }
};

}  // namespace vorsaver::board
