// The day board: what the saver shows in the movie's rectangle where the
// Flash control is not installed. It reads the same variables file the movie
// would read and draws it as a broadcast-style graphic in the team's colours.
#pragma once

#include <windows.h>

#include <string>

#include "vorsaver/movie/day_board.h"

inline constexpr char kDayBoardClassName[] = "VorlaksDayBoard";

// Creates the board as a visible child of `parent` at `rect` (the parent's
// client coordinates), reading `variablesPath` once, now. A missing or
// unreadable file shows as an empty one. The board never takes the focus or
// the mouse: clicks and keys reach the parent. Null if the window cannot be
// created.
HWND CreateDayBoard(HWND parent, const RECT& rect, const std::string& variablesPath);

// Draws one frame of the board (0 to vorsaver::kDayBoardMotionFrames - 1, or
// any other number for the still) into `dc` at (0, 0), `width` by `height`
// pixels, for stills elsewhere (the preview picture). The layout is made for
// 641 by 481 and scales to other sizes, centred on the board's background.
void DrawDayBoard(HDC dc, int width, int height, const vorsaver::DayBoardContent& content,
                  int frame = -1);
