// The pixel work behind the day board's picture, which needs no Windows:
// smooth shapes in the team's colours, the layout in design pixels, the
// motion, and shrinking for small stills. The Win32 side adds the text and
// the window, so every rule here can be checked natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "vorsaver/board/day_board.h"
#include "vorsaver/board/run_rows.h"

namespace vorsaver {

// A burst of motion (a light sweep, a pulse beside "Today") runs over this
// many frames; any other frame number is the still picture.
inline constexpr int kDayBoardMotionFrames = 36;

namespace board {

// Colours as 0x00RRGGBB, the layout of a 32-bit DIB's pixels.
using Colour = std::uint32_t;
constexpr Colour RgbColour(int r, int g, int b) {
    return static_cast<Colour>((r << 16) | (g << 8) | b);
}
constexpr int Red(Colour c) { return (c >> 16) & 0xFF; }
constexpr int Green(Colour c) { return (c >> 8) & 0xFF; }
constexpr int Blue(Colour c) { return c & 0xFF; }

// `from` moved a share `t` (0..1) of the way to `to`.
Colour Mix(Colour from, Colour to, double t);

// Top-down rows of pixels owned by someone else (a DIB section, a test's
// vector): a whole picture `height` rows tall, or a band of its rows, `top`
// to `end` (one past the last), whose first row `bits` points at. Drawing
// is placed by the whole picture and cut to the rows held.
struct Pixels {
    std::uint32_t* bits;
    int width;
    int height;
    int top = 0;
    int end = -1;  // -1: to the picture's last row

    int End() const { return end < 0 ? height : end; }
    std::uint32_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y - top) * width; }
};

struct Point {
    double x;
    double y;
};
using Contour = std::vector<Point>;

// A text's type on the board. Sizes are in design pixels; `smallest` is as
// small as the text may shrink where its room is short.
struct TextStyle {
    double size;
    bool bold;
    Colour colour;
    double tracking = 0;  // extra design pixels between letters
    bool shadow = false;
    double smallest = 0;
};

// Where the parts of the board sit, in design pixels, the crest's outlines,
// the board's shades and the type of its texts: one table,
// vorsaver/board/board_layout.tsv, that the movie's and the pictures'
// generators read too; the build writes it out as C++. The motion has to
// know where the header and the "Today" marker are.
namespace layout {
#include "vorsaver/board/board_layout.inc"
}  // namespace layout

// The team's colours, from the same table.
using layout::kDeepNavy;
using layout::kGold;
using layout::kIce;
using layout::kNavy;
using layout::kShadow;
using layout::kWhite;

// A fill that runs from one colour at row y0 to another at row y1.
struct Paint {
    Colour top;
    Colour bottom;
    double y0 = 0;
    double y1 = 1;
    double opacity = 1;

    Colour At(double y) const;
};

inline Paint Solid(Colour colour, double opacity = 1) {
    return {colour, colour, 0, 1, opacity};
}

// Fills the area inside the contours (even-odd, so two nested contours make
// a ring) with smooth edges; anything outside the pixels is cut off.
void FillShape(Pixels pixels, const std::vector<Contour>& contours, const Paint& paint);
void FillShape(Pixels pixels, const Contour& contour, const Paint& paint);

Contour Box(double left, double top, double right, double bottom);
// A box whose sides lean right by `slant` over its height.
Contour Slanted(double left, double top, double right, double bottom, double slant);
Contour Circle(double cx, double cy, double radius);
// The crest's shield and its chevron, in a box `width` wide at (x, y) and
// kCrestAspect times as tall.
using layout::kCrestAspect;
Contour Shield(double x, double y, double width);
Contour Chevron(double x, double y, double width);
void DrawCrest(Pixels pixels, double x, double y, double width);

// Averages each `factor` by `factor` block of `large` into one pixel of
// `small`, which is `factor` times smaller each way.
void ShrinkInto(Pixels large, Pixels small, int factor);

// The board is laid out in design pixels for the movie's own 641 x 481 and
// scaled, centred, to the pixels it is drawn on.
using layout::kDesignHeight;
using layout::kDesignWidth;

struct Placement {
    double scale;
    double left;
    double top;

    Placement(int width, int height);
    double X(double x) const { return left + x * scale; }
    double Y(double y) const { return top + y * scale; }
    double Size(double size) const { return size * scale; }
};


// The rows, in pixels, that a frame of motion may change: the part of the
// still that a burst keeps to put back.
struct MotionRows {
    int top;
    int bottom;  // one past the last
};
MotionRows MotionRowsOf(int width, int height, const DayBoardContent& content);

// A rectangle of pixels, right and bottom one past the last; empty where
// left >= right or top >= bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Empty() const { return left >= right || top >= bottom; }
};
PixelRect Union(const PixelRect& a, const PixelRect& b);

// Lays frame `frame` of the motion over the still picture in `pixels` and
// returns the pixels it may have changed, all inside MotionRowsOf; a frame
// outside 0..kDayBoardMotionFrames-1 changes nothing.
PixelRect ApplyMotion(Pixels pixels, const DayBoardContent& content, int frame);

// A burst shown on the still: keeps only the still's motion rows, and each
// frame puts back only what the frame before changed, so a frame costs what
// its light and pulse cover, not the board's size.
class BoardMotion {
public:
    // Takes `pixels` as they are now as the still; they must hold its
    // motion rows.
    void Keep(Pixels pixels, const DayBoardContent& content);
    // Shows `frame` (the still for any frame outside the burst) on pixels
    // that hold the motion rows (the whole picture, or just those rows) and
    // returns the pixels that may differ from what the last call showed.
    PixelRect Show(Pixels pixels, const DayBoardContent& content, int frame);
    // Puts the still's motion rows as kept on those of `pixels` that hold
    // them.
    void CopyKept(Pixels pixels) const;
    MotionRows Rows() const { return rows_; }

private:
    MotionRows rows_ = {0, 0};
    int width_ = 0;
    RunRows kept_;      // the still's motion rows
    PixelRect shown_;   // what the frame on show changed
};

}  // namespace board
}  // namespace vorsaver
