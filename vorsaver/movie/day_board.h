// The built-in day board, the parts that need no Windows: its reading of the
// variables file (the text the movie would get, read the way a movie's
// variable loader reads it) and the pixel work behind its picture (smooth
// shapes, the motion, shrinking for small stills). The Win32 side adds text
// and the window, so every rule here can be checked natively.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vorsaver {

// Replaces every "%XX" (two hex digits, either case) by the byte it names.
// A "%" without two hex digits after it stays as it is, as does "+": the
// schedule's texts are copied into the file unencoded, so a "+" there is a
// plus sign, not a blank.
std::string DecodeMovieText(const std::string& text);

// The name=value pairs of the variables text, split at "&" and decoded. A
// later pair wins over an earlier one of the same name; a piece without "="
// is a name with an empty value; a piece with an empty name is dropped.
// Bytes above 127 pass through untouched (they are text in the system's
// code page).
std::map<std::string, std::string> ParseMovieVariables(const std::string& variablesText);

// One of the three tiles for the next days ("small1" to "small3").
struct NextDay {
    std::string dayNumber;  // "9"; may be empty when the file left the entry empty
    std::string tag;        // three characters where there is a game
    std::string lead;       // up to four characters, e.g. a start time
    bool hasGame = false;   // the entry named a game, not just a day
    bool present = false;   // the file has this entry at all (it may be empty)
};

inline constexpr int kNextDayCount = 3;
inline constexpr const char* kNoGameText = "No Game";

struct DayBoardContent {
    bool empty = true;                   // the file held no pairs: nothing left in the schedule
    std::string date;                    // "December 8, 2026", as the data step wrote it
    std::string team;                    // today's team text; empty on a day without a game
    std::vector<std::string> gameLines;  // today's game information, one entry per line
    bool hasGame = false;                // "gameinfo" is there and is not "No Game"
    std::array<NextDay, kNextDayCount> nextDays;
};

// Reads the whole variables text (the file's bytes) into what the board shows.
DayBoardContent ReadDayBoard(const std::string& variablesText);

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

// The team's colours.
inline constexpr Colour kNavy = RgbColour(11, 31, 75);
inline constexpr Colour kDeepNavy = RgbColour(6, 16, 40);
inline constexpr Colour kGold = RgbColour(242, 169, 0);
inline constexpr Colour kWhite = RgbColour(255, 255, 255);
inline constexpr Colour kIce = RgbColour(168, 200, 232);
inline constexpr Colour kShadow = RgbColour(2, 6, 18);

// `from` moved a share `t` (0..1) of the way to `to`.
Colour Mix(Colour from, Colour to, double t);

// Top-down rows of pixels owned by someone else (a DIB section, a test's
// vector).
struct Pixels {
    std::uint32_t* bits;
    int width;
    int height;
};

struct Point {
    double x;
    double y;
};
using Contour = std::vector<Point>;

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
inline constexpr double kCrestAspect = 1.16;
Contour Shield(double x, double y, double width);
Contour Chevron(double x, double y, double width);
void DrawCrest(Pixels pixels, double x, double y, double width);

// Averages each `factor` by `factor` block of `large` into one pixel of
// `small`, which is `factor` times smaller each way.
void ShrinkInto(Pixels large, Pixels small, int factor);

// The board is laid out in design pixels for the movie's own 641 x 481 and
// scaled, centred, to the pixels it is drawn on.
inline constexpr double kDesignWidth = 641;
inline constexpr double kDesignHeight = 481;

struct Placement {
    double scale;
    double left;
    double top;

    Placement(int width, int height);
    double X(double x) const { return left + x * scale; }
    double Y(double y) const { return top + y * scale; }
    double Size(double size) const { return size * scale; }
};

// Where the parts of the board sit, in design pixels; the motion has to know
// where the header and the "Today" marker are.
namespace layout {
inline constexpr double kMargin = 24;
inline constexpr double kHeaderBottom = 80;
inline constexpr double kRuleBottom = 85;
inline constexpr double kCrestLeft = 22;
inline constexpr double kCrestTop = 9;
inline constexpr double kCrestWidth = 68;
inline constexpr double kDateTabLeft = 104;
inline constexpr double kDateTabBottom = 117;
inline constexpr double kPanelTop = 134;
inline constexpr double kPanelBottom = 334;
inline constexpr double kChipRight = 128;
inline constexpr double kChipBottom = 160;
inline constexpr Point kPulseCentre = {146, 147};
inline constexpr double kPulseRadius = 6;
inline constexpr double kComingUpBaseline = 361;
inline constexpr double kTileTop = 370;
inline constexpr double kTileBottom = 458;
inline constexpr double kTileGap = 13;
// With nothing left in the schedule: the crest and the name, centred.
inline constexpr double kEmptyCrestWidth = 150;
inline constexpr double kEmptyCrestTop = 90;
inline constexpr double kEmptyNameMiddle = 340;
inline constexpr double kEmptyRuleTop = 378;
}  // namespace layout

// The rows, in pixels, that a frame of motion may change: a window repaints
// only these while the motion runs, and puts back the still there after it.
struct MotionRows {
    int top;
    int bottom;  // one past the last
};
MotionRows MotionRowsOf(int width, int height, const DayBoardContent& content);

// Lays frame `frame` of the motion over the still picture in `pixels`; a
// frame outside 0..kDayBoardMotionFrames-1 changes nothing.
void ApplyMotion(Pixels pixels, const DayBoardContent& content, int frame);

}  // namespace board
}  // namespace vorsaver
