#include "vorsaver/board/board_palette.h"

#include <algorithm>

#include "vorsaver/board/board_raster.h"

namespace vorsaver::board {

namespace {

// Which colours meet on the board, and in how many steps their blends are
// kept: the navy's gradient to deep navy, the gold, white and ice of the
// shapes and the text over either navy, and the shadow under them. The
// finer steps go where the blends cover most of the screen.
struct Blend {
    Colour from;
    Colour to;
    int steps;
};
const Blend kBlends[] = {
    {kDeepNavy, kNavy, 16}, {kNavy, kGold, 32},     {kNavy, kWhite, 32},     {kNavy, kIce, 32},
    {kDeepNavy, kGold, 24}, {kDeepNavy, kWhite, 24}, {kDeepNavy, kIce, 16},  {kShadow, kNavy, 8},
    {kGold, kWhite, 16},    {kShadow, kGold, 12},    {kShadow, kWhite, 12},
};

}  // namespace

std::vector<common::Rgb> BoardPalette() {
    std::vector<common::Rgb> palette(common::kFixedColours, common::kFixedColours + 20);
    auto add = [&palette](Colour colour) {
        if (palette.size() < static_cast<std::size_t>(common::kPaletteSize) &&
            std::find(palette.begin(), palette.end(), colour) == palette.end()) {
            palette.push_back(colour);
        }
    };
    for (Colour colour : {kNavy, kDeepNavy, kGold, kWhite, kIce, kShadow}) add(colour);
    for (const Blend& blend : kBlends) {
        for (int step = 1; step < blend.steps; ++step) add(Mix(blend.from, blend.to, double(step) / blend.steps));
    }
    return palette;
}

}  // namespace vorsaver::board
