#include "common/twips.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(Twips, ConvertWithTheScreensRealDotsPerInch) {
    struct Case { double twips; int dpi; int pixels; };
    const Case cases[] = {
        {9615, 96, 641}, {7215, 96, 481}, {9615, 120, 801}, {7215, 144, 722},
        {15, 96, 1},     {12, 120, 1},     {0, 96, 0},      {-300, 96, -20},
        {1192.5, 96, 80},
        // Dialog sizes and the preview's picture offsets.
        {4905, 96, 327},  {4905, 120, 409}, {4905, 144, 491}, {2865, 120, 239},
        {-19, 96, -1},    {-20, 96, -1},    {-19, 144, -2},   {6010, 96, 401},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
    EXPECT_DOUBLE_EQ(PixelsToTwips(800, 96), 12000.0);
    EXPECT_DOUBLE_EQ(PixelsToTwips(600, 120), 7200.0);
}

}  // namespace
}  // namespace common
