#include "common/palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "tests/support/palette_measure.h"
#include "vorsaver/board/board_palette.h"
#include "vorsaver/board/board_raster.h"

namespace {

using common::NearestColour;
using common::ReduceToPalette;
using common::Rgb;
using namespace vorsaver::board;
using palette_measure::Rmse;
using palette_measure::Through;

// The board's pixel work as the saver draws it at 800 x 600: the navy's
// gradient and bands, the header with its stripes and gold rule, the crest,
// the tiles, the "Today" disc, and bars standing in for lines of text, each
// with smooth edges.
std::vector<std::uint32_t> BoardLikePicture(int width, int height) {
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(width * height), 0);
    Pixels pixels = {bits.data(), width, height};
    const Placement place(width, height);
    auto box = [&](double l, double t, double r, double b) {
        return Box(place.X(l), place.Y(t), place.X(r), place.Y(b));
    };
    FillShape(pixels, Box(0, 0, width, height), {kNavy, kDeepNavy, 0, double(height)});
    FillShape(pixels, Slanted(place.X(300), 0, place.X(420), height, place.Size(-260)), Solid(kIce, 0.035));
    FillShape(pixels, box(0, 0, kDesignWidth, 70), {Mix(kNavy, kIce, 0.16), kNavy, 0, place.Y(70)});
    for (double x : {420.0, 450.0, 480.0}) {
        FillShape(pixels, Slanted(place.X(x), 0, place.X(x + 14), place.Y(70), place.Size(-20)),
                  Solid(kGold, x == 480 ? 0.9 : 0.35));
    }
    FillShape(pixels, box(0, 70, kDesignWidth, 74), {Mix(kGold, kWhite, 0.2), kGold, place.Y(70), place.Y(74)});
    FillShape(pixels, box(0, 74, kDesignWidth, 77), Solid(kShadow, 0.45));
    DrawCrest(pixels, place.X(20), place.Y(8), place.Size(44));
    for (int tile = 0; tile < 3; ++tile) {
        const double left = 30 + tile * 200;
        FillShape(pixels, box(left, 300, left + 180, 440), Solid(kDeepNavy, 0.7));
        FillShape(pixels, box(left, 300, left + 180, 304), Solid(kGold));
        for (int line = 0; line < 4; ++line) {
            FillShape(pixels, box(left + 12, 320 + line * 28, left + 150 - line * 17, 331.5 + line * 28),
                      Solid(line == 0 ? kGold : line == 1 ? kWhite : kIce));
        }
    }
    FillShape(pixels, Circle(place.X(60), place.Y(150), place.Size(22)), Solid(kGold));
    FillShape(pixels, box(100, 120, 560, 176), Solid(kWhite, 0.92));
    return bits;
}

TEST(BoardPalette, HoldsTheFixedColoursTheTeamsAndTheirBlendsEachOnce) {
    const std::vector<Rgb> palette = BoardPalette();
    EXPECT_LE(palette.size(), 256u);
    EXPECT_GE(palette.size(), 200u) << "the blends use the room there is";
    EXPECT_EQ(std::set<Rgb>(palette.begin(), palette.end()).size(), palette.size());
    EXPECT_TRUE(std::equal(common::kFixedColours, common::kFixedColours + 20, palette.begin()));
    for (Rgb colour : {kNavy, kDeepNavy, kGold, kWhite, kIce, kShadow, Mix(kNavy, kGold, 0.5)}) {
        EXPECT_NE(std::find(palette.begin(), palette.end(), colour), palette.end()) << std::hex << colour;
    }
}

TEST(Palette, TheBoardThroughItsPaletteLooksAsInTrueColour) {
    const int width = 800, height = 600;
    const std::vector<std::uint32_t> board = BoardLikePicture(width, height);
    const double own = Rmse(board, Through(board, width, height, BoardPalette()));
    const double fixedOnly =
        Rmse(board, Through(board, width, height, std::vector<Rgb>(common::kFixedColours, common::kFixedColours + 20)));
    RecordProperty("rmse_board_palette", std::to_string(own));
    RecordProperty("rmse_fixed_colours", std::to_string(fixedOnly));
    EXPECT_LE(own, 0.03);
    EXPECT_GE(palette_measure::WorstContrastKept(board, Through(board, width, height, BoardPalette()), width, height),
              0.8);
    // At 16 colours the board's texts and shapes keep enough contrast to be read.
    EXPECT_GE(palette_measure::WorstContrastKept(board, palette_measure::Nearest(board, palette_measure::kVgaColours),
                                                 width, height),
              palette_measure::kKeptAt16);
    // The measure tells: the twenty fixed colours alone are far off.
    EXPECT_GT(fixedOnly, 0.1);
}

TEST(Palette, ColoursThePaletteHoldsStayExactOthersAreDitheredAroundThemselves) {
    // A flat row of a team colour, and a smooth run from navy to deep navy.
    const int width = 64;
    std::vector<std::uint32_t> picture;
    for (int x = 0; x < width; ++x) picture.push_back(kGold);
    for (int x = 0; x < width; ++x) picture.push_back(Mix(kNavy, kDeepNavy, x / double(width - 1)));
    const std::vector<Rgb> palette = BoardPalette();
    const std::vector<Rgb> shown = Through(picture, width, 2, palette);
    const Rgb kBetween = Mix(kDeepNavy, kNavy, 1.5 / 16);
    for (int x = 0; x < width; ++x) EXPECT_EQ(shown[static_cast<std::size_t>(x)], kGold);
    // The run never steps back: each part falls or holds along it, give or
    // take the dither's reach.
    for (int x = width; x < 2 * width; ++x) {
        const Rgb colour = shown[static_cast<std::size_t>(x)];
        EXPECT_NEAR(double((colour >> 16) & 0xFF), double((picture[static_cast<std::size_t>(x)] >> 16) & 0xFF), 5);
        EXPECT_NEAR(double(colour & 0xFF), double(picture[static_cast<std::size_t>(x)] & 0xFF), 8);
    }
    // Between two of the navy's steps: dithered over both, the mean comes
    // out nearer the colour than either.
    const std::vector<Rgb> between = Through(std::vector<std::uint32_t>(256, kBetween), 16, 16, palette);
    EXPECT_GT(std::set<Rgb>(between.begin(), between.end()).size(), 1u);
    for (int shift : {16, 8, 0}) {
        double mean = 0;
        for (Rgb colour : between) mean += double(colour >> shift & 0xFF) / double(between.size());
        EXPECT_NEAR(mean, double(kBetween >> shift & 0xFF), 1.0) << shift;
    }
}

TEST(Palette, TheNearestEntryIsFoundAndRememberedForManyColours) {
    const std::vector<Rgb> cube = common::ColourCube();
    ASSERT_EQ(cube.size(), 216u);
    EXPECT_EQ(cube.front(), 0x000000u);
    EXPECT_EQ(cube.back(), 0xFFFFFFu);
    NearestColour nearest(cube);
    // More colours than it remembers: the answers stay right past that.
    for (Rgb colour = 0; colour < 0x1000000; colour += 0x000517 * 7) {
        const Rgb found = cube[nearest(colour)];
        for (int shift : {16, 8, 0}) {
            const int want = ((colour >> shift & 0xFF) + 25) / 51 * 51;
            EXPECT_EQ(int(found >> shift & 0xFF), want) << std::hex << colour;
        }
        EXPECT_EQ(cube[nearest(colour)], found);
    }
}

}  // namespace
