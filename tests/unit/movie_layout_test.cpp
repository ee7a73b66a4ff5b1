#include "vorsaver/movie/movie_layout.h"

#include <gtest/gtest.h>

#include "common/app_text.h"

namespace vorsaver {
namespace {

TEST(MovieLayout, CentresTheMovieInTwipsAndPixels) {
    struct Case { int width, height, dpi; float left, top; int leftPixels, topPixels; };
    const Case cases[] = {
        {800, 600, 96, 1192.5f, 892.5f, 80, 60},
        {1024, 768, 96, 2872.5f, 2152.5f, 192, 144},
        {640, 480, 96, -7.5f, -7.5f, -1, -1},  // smaller than the movie: cut off on both sides
        {320, 200, 96, -2407.5f, -2107.5f, -161, -141},
        {1280, 1024, 120, 2872.5f, 2536.5f, 239, 211},
    };
    for (const Case& c : cases) {
        float screenWidth = static_cast<float>(common::PixelsToTwips(c.width, c.dpi));
        float screenHeight = static_cast<float>(common::PixelsToTwips(c.height, c.dpi));
        TwipsPoint at = CentreOnScreen(screenWidth, screenHeight, kMovieWidthTwips, kMovieHeightTwips);
        EXPECT_FLOAT_EQ(at.left, c.left) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(at.top, c.top) << c.width << "x" << c.height;
        EXPECT_EQ(common::TwipsToPixels(at.left, c.dpi), c.leftPixels) << c.width << "x" << c.height;
        EXPECT_EQ(common::TwipsToPixels(at.top, c.dpi), c.topPixels) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace vorsaver
