// The day board's picture: drawn at any size into a surface or a device
// context, the layout made for 641 by 481 and scaled, centred, to the size.
#pragma once

#include <windows.h>

#include "vorsaver/board/day_board.h"
#include "vorsaver/board/dib_surface_win.h"

namespace vorsaver::board {

// Draws the still picture of `content` over the whole surface.
void RenderStill(Surface& surface, const DayBoardContent& content);

}  // namespace vorsaver::board

// Draws one frame of the board (0 to vorsaver::kDayBoardMotionFrames - 1, or
// any other number for the still) into `dc` at (0, 0), `width` by `height`
// pixels, for stills elsewhere (the preview picture). The layout is made for
// 641 by 481 and scales to other sizes, centred on the board's background.
void DrawDayBoard(HDC dc, int width, int height, const vorsaver::DayBoardContent& content, int frame = -1);
