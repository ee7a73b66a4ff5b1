// Where the movie sits on the saver's screen, in twips.
#pragma once

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

}  // namespace vorsaver
