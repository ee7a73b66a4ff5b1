// The little of <windows.h> that the day board's drawing names, so that
// bench/pc1996_bench.cpp can count its own work natively. Nothing here
// draws: what GDI does (text, the blit) is Windows' work, not counted.
#pragma once

#include <cstdint>

using UINT = unsigned int;
using COLORREF = std::uint32_t;
using HDC = void*;
using HGDIOBJ = void*;
using HFONT = void*;
using HBITMAP = void*;

inline constexpr UINT TA_LEFT = 0;
inline constexpr UINT TA_RIGHT = 2;
inline constexpr UINT TA_CENTER = 6;
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;

inline int GdiFlush() { return 1; }
inline int BitBlt(HDC, int, int, int, int, HDC, int, int, std::uint32_t) { return 1; }
