#include "vorsaver/movie/movie_layout.h"

#include <gtest/gtest.h>

#include <ostream>

#include "common/twips.h"

namespace vorsaver {

// How a failed comparison shows a box.
void PrintTo(const PixelBox& box, std::ostream* out) {
    *out << box.left << "," << box.top << " " << box.width << "x" << box.height;
}

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

// The window spans every monitor; the movie sits where it would on the
// primary monitor alone, counted from the window's corner.
TEST(MovieLayout, WindowCoversEveryMonitorAndTheMovieCentresOnThePrimary) {
    struct Case {
        const char* what;
        std::vector<PixelBox> monitors;
        std::size_t primary;
        int dpi;
        PixelBox window;
        PixelBox movie;
    };
    const Case cases[] = {
        {"one monitor", {{0, 0, 800, 600}}, 0, 96, {0, 0, 800, 600}, {80, 60, 641, 481}},
        {"one monitor at 120 dpi", {{0, 0, 1280, 1024}}, 0, 120, {0, 0, 1280, 1024}, {239, 211, 801, 601}},
        {"a second monitor to the right", {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}}, 0, 96,
         {0, 0, 2304, 1024}, {192, 144, 641, 481}},
        {"the primary listed second", {{-1280, 0, 1280, 1024}, {0, 0, 800, 600}}, 1, 96,
         {-1280, 0, 2080, 1024}, {1360, 60, 641, 481}},
        {"a second monitor above", {{0, 0, 800, 600}, {0, -768, 1024, 768}}, 0, 96,
         {0, -768, 1024, 1368}, {80, 828, 641, 481}},
        {"left of and above, smaller than the movie", {{0, 0, 640, 480}, {-800, -600, 800, 600}}, 0, 96,
         {-800, -600, 1440, 1080}, {799, 599, 641, 481}},
        {"three in a row at 144 dpi", {{-1920, 0, 1920, 1080}, {0, 0, 1920, 1080}, {1920, 0, 1920, 1080}}, 1, 144,
         {-1920, 0, 5760, 1080}, {2399, 179, 962, 722}},
    };
    for (const Case& c : cases) {
        SaverPlacement placement = PlaceSaver(c.monitors, c.primary, c.dpi, c.dpi);
        EXPECT_EQ(placement.window, c.window) << c.what;
        EXPECT_EQ(placement.movie, c.movie) << c.what;
    }
}

}  // namespace
}  // namespace vorsaver
