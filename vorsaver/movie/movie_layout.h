// Where the saver's window and its movie sit on the screens.
#pragma once

#include <cstddef>
#include <vector>

namespace vorsaver {

// The movie control as declared: 9615 x 7215 twips (641 x 481 pixels at 96
// dots per inch), first placed at 720, 840 and then centred by the window.
inline constexpr float kMovieLeftTwips = 720.0f;
inline constexpr float kMovieTopTwips = 840.0f;
inline constexpr float kMovieWidthTwips = 9615.0f;
inline constexpr float kMovieHeightTwips = 7215.0f;

struct TwipsPoint {
    float left;
    float top;
};

// Centres a control of the given size on a screen of the given size, in
// single precision as the window computes it; a screen smaller than the
// control gives negative values and the control is cut off on both sides.
TwipsPoint CentreOnScreen(float screenWidth, float screenHeight, float controlWidth, float controlHeight);

// A rectangle in pixels.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelBox& other) const {
        return left == other.left && top == other.top && width == other.width && height == other.height;
    }
};

struct SaverPlacement {
    PixelBox window;  // on the virtual screen: every monitor
    PixelBox movie;   // in the window's client area
};

// The saver's window covers every monitor (their bounding box, which may
// start left of or above the primary monitor); the movie is centred on the
// primary monitor as on a screen of its own, in twips at the given dots per
// inch. `monitors` holds at least the primary one, at `primary`.
SaverPlacement PlaceSaver(const std::vector<PixelBox>& monitors, std::size_t primary, int dpiX, int dpiY);

}  // namespace vorsaver
