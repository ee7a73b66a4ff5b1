#include "vorsaver/board/board_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace vorsaver {
namespace {

// What the data step writes for a game today.
const char kGameDay[] =
    "currentdate=December 8, 2026&team=Tarrowick Vorlaks&gameinfo=7:30 PM vs. Harbor Kings%0DCivic Arena"
    "&small1=9%0DFRC%0D6:05&small2=10&small3=11%0DMTS%0D8:00&numvars=6";

using board::Box;
using board::Colour;
using board::Contour;
using board::Pixels;
using board::RgbColour;

struct Picture {
    Picture(int width, int height, Colour fill = 0)
        : width(width), height(height), bits(static_cast<std::size_t>(width) * height, fill) {}
    Pixels View() { return {bits.data(), width, height}; }
    Colour At(int x, int y) const { return bits[static_cast<std::size_t>(y) * width + x]; }

    int width;
    int height;
    std::vector<std::uint32_t> bits;
};

TEST(FillShape, CoversWhatIsInsideWithSmoothEdgesAndNeverWritesOutside) {
    struct Probe { int x, y, red; };
    struct Case {
        const char* name;
        std::vector<Contour> shape;
        double opacity;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"whole pixels", {Box(1, 1, 3, 3)}, 1, {{1, 1, 255}, {2, 2, 255}, {0, 0, 0}, {3, 3, 0}, {3, 1, 0}, {1, 3, 0}}},
        {"half pixels across", {Box(0.5, 0, 1.5, 1)}, 1, {{0, 0, 127}, {1, 0, 127}, {2, 0, 0}}},
        {"half a row down", {Box(0, 0, 6, 0.5)}, 1, {{0, 0, 127}, {5, 0, 127}, {0, 1, 0}}},
        {"diagonal edge", {Contour{{0, 0}, {4, 0}, {0, 4}}}, 1, {{0, 0, 255}, {1, 2, 127}, {2, 2, 0}, {3, 3, 0}}},
        {"ring keeps its hole", {Box(0, 0, 4, 4), Box(1, 1, 3, 3)}, 1,
         {{0, 0, 255}, {3, 3, 255}, {1, 1, 0}, {2, 2, 0}}},
        {"half opacity", {Box(0, 0, 1, 1)}, 0.5, {{0, 0, 127}, {1, 1, 0}}},
        {"cut at the top left", {Box(-10, -10, 2, 2)}, 1, {{0, 0, 255}, {1, 1, 255}, {2, 2, 0}}},
        {"cut at the bottom right", {Box(4, 2, 60, 40)}, 1, {{5, 3, 255}, {4, 2, 255}, {3, 3, 0}}},
        {"far larger than the pixels", {Box(-1e12, -1e12, 1e12, 1e12)}, 1, {{0, 0, 255}, {5, 3, 255}}},
        {"entirely off to the right", {Box(6, 0, 9, 4)}, 1, {{5, 0, 0}, {5, 3, 0}}},
        {"entirely above", {Box(0, -5, 6, 0)}, 1, {{0, 0, 0}, {5, 0, 0}}},
        {"no points", {Contour{}}, 1, {{0, 0, 0}}},
    };
    for (const Case& c : cases) {
        Picture picture(6, 4);
        board::FillShape(picture.View(), c.shape, board::Solid(board::kWhite, c.opacity));
        for (const Probe& probe : c.probes) {
            const Colour pixel = picture.At(probe.x, probe.y);
            EXPECT_NEAR(board::Red(pixel), probe.red, 2) << c.name << " at " << probe.x << "," << probe.y;
            EXPECT_EQ(board::Red(pixel), board::Blue(pixel)) << c.name;
        }
    }
}

// The plain way to fill a shape: every pixel's coverage summed sub-row by
// sub-row, then blended. The board's own fill, which works on runs and
// marks, must give exactly these pixels.
void ReferenceFill(Picture& picture, const std::vector<Contour>& contours, Colour colour, double opacity) {
    for (int row = 0; row < picture.height; ++row) {
        std::vector<double> coverage(picture.width, 0.0);
        for (int sub = 0; sub < 4; ++sub) {
            const double y = row + (sub + 0.5) / 4;
            std::vector<double> crossings;
            for (const Contour& contour : contours) {
                for (std::size_t i = 0; i < contour.size(); ++i) {
                    const board::Point& a = contour[i];
                    const board::Point& b = contour[(i + 1) % contour.size()];
                    if ((a.y <= y) != (b.y <= y)) crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const double from = std::clamp(crossings[i], 0.0, double(picture.width));
                const double to = std::clamp(crossings[i + 1], 0.0, double(picture.width));
                if (to <= from) continue;
                const int first = static_cast<int>(from), last = static_cast<int>(to);
                if (first == last) {
                    coverage[first] += (to - from) / 4;
                    continue;
                }
                coverage[first] += (first + 1 - from) / 4;
                for (int x = first + 1; x < last; ++x) coverage[x] += 0.25;
                if (last < picture.width) coverage[last] += (to - last) / 4;
            }
        }
        for (int x = 0; x < picture.width; ++x) {
            const double alpha = std::min(1.0, coverage[x]) * opacity;
            Colour& pixel = picture.bits[static_cast<std::size_t>(row) * picture.width + x];
            if (alpha >= 1.0) {
                pixel = colour;
            } else if (alpha > 0.002) {
                const int weight = static_cast<int>(alpha * 256);
                auto mix = [weight](int from, int to) { return from + (to - from) * weight / 256; };
                pixel = RgbColour(mix(board::Red(pixel), board::Red(colour)), mix(board::Green(pixel), board::Green(colour)),
                                  mix(board::Blue(pixel), board::Blue(colour)));
            }
        }
    }
}

TEST(FillShape, GivesThePixelsOfThePlainWayForAnyShape) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(-20, 220), unit(0, 1);
    for (int shape = 0; shape < 300; ++shape) {
        std::vector<Contour> contours;
        const int count = 1 + shape % 3;  // one, two (a ring where nested) or three outlines
        for (int c = 0; c < count; ++c) {
            if (shape % 4 == 0) {
                contours.push_back(board::Circle(coordinate(random), coordinate(random) / 2, 5 + unit(random) * 80));
                continue;
            }
            Contour contour;
            const int corners = 3 + static_cast<int>(unit(random) * 7);
            for (int i = 0; i < corners; ++i) {
                // Some corners on whole pixels and shared rows, as boxes have.
                double x = coordinate(random), y = coordinate(random) / 2;
                if (i % 2 == 0) x = std::floor(x);
                if (i % 3 == 0 && !contour.empty()) y = contour.back().y;
                contour.push_back({x, y});
            }
            contours.push_back(contour);
        }
        const double opacity = shape % 5 == 0 ? 1 : unit(random);
        Picture ours(200, 100), plain(200, 100);
        for (std::size_t i = 0; i < ours.bits.size(); ++i) ours.bits[i] = plain.bits[i] = RgbColour(i % 256, (i / 7) % 256, 200);
        board::FillShape(ours.View(), contours, board::Solid(board::kGold, opacity));
        ReferenceFill(plain, contours, board::kGold, opacity);
        int differing = 0;
        for (std::size_t i = 0; i < ours.bits.size(); ++i) differing += ours.bits[i] != plain.bits[i];
        ASSERT_EQ(differing, 0) << "shape " << shape;
    }
}

TEST(FillShape, GradientRunsFromTopToBottomColour) {
    Picture picture(1, 10);
    board::FillShape(picture.View(), Box(0, 0, 1, 10), {board::kNavy, board::kGold, 0, 10});
    EXPECT_NEAR(board::Red(picture.At(0, 0)), 11 + (242 - 11) * 0.05, 2);
    EXPECT_NEAR(board::Red(picture.At(0, 9)), 11 + (242 - 11) * 0.95, 2);
    EXPECT_NEAR(board::Blue(picture.At(0, 9)), 75 - 75 * 0.95, 2);
    for (int y = 1; y < 10; ++y) EXPECT_GT(board::Red(picture.At(0, y)), board::Red(picture.At(0, y - 1))) << y;
}

TEST(Colours, MixAndShrinkKeepTheChannelsApart) {
    EXPECT_EQ(board::Mix(board::kNavy, board::kGold, 0), board::kNavy);
    EXPECT_EQ(board::Mix(board::kNavy, board::kGold, 1), board::kGold);
    EXPECT_EQ(board::Mix(RgbColour(0, 100, 200), RgbColour(100, 0, 250), 0.5), RgbColour(50, 50, 225));

    Picture large(4, 2);
    large.bits = {RgbColour(255, 0, 0), RgbColour(0, 0, 0), RgbColour(0, 0, 9), RgbColour(0, 0, 9),
                  RgbColour(255, 0, 0), RgbColour(0, 0, 0), RgbColour(0, 200, 9), RgbColour(0, 200, 9)};
    Picture small(2, 1, 0xFFFFFF);
    board::ShrinkInto(large.View(), small.View(), 2);
    EXPECT_EQ(small.At(0, 0), RgbColour(127, 0, 0));
    EXPECT_EQ(small.At(1, 0), RgbColour(0, 100, 9));
}

// The window repaints only the motion rows while the board moves and puts
// the still back there afterwards: a frame that changed anything outside
// them would leave a trail on the screen.
TEST(Motion, StaysInItsRowsAndStartsAndEndsOnTheStill) {
    struct Kind { const char* name; DayBoardContent content; };
    const Kind kinds[] = {
        {"game", ReadDayBoard(kGameDay)},
        {"no game", ReadDayBoard("currentdate=December 8, 2026&team=&gameinfo=No Game&small1=9&small2=10&small3=11")},
        {"empty", ReadDayBoard("")},
    };
    struct Size { int width, height; };
    const Size sizes[] = {{641, 481}, {152, 112}, {700, 200}, {160, 600}, {1, 1}};
    for (const Kind& kind : kinds) {
        for (const Size& size : sizes) {
            Picture still(size.width, size.height);
            for (int y = 0; y < size.height; ++y) {
                for (int x = 0; x < size.width; ++x) still.bits[y * size.width + x] = RgbColour(x % 200, y % 200, 60);
            }
            const board::MotionRows rows = board::MotionRowsOf(size.width, size.height, kind.content);
            ASSERT_LE(0, rows.top);
            ASSERT_LE(rows.top, rows.bottom);
            ASSERT_LE(rows.bottom, size.height);
            const std::string label = std::string(kind.name) + " " + std::to_string(size.width) + "x" +
                                      std::to_string(size.height);

            bool anyChange = false;
            for (int frame = -2; frame <= kDayBoardMotionFrames; ++frame) {
                Picture picture = still;
                board::ApplyMotion(picture.View(), kind.content, frame);
                int outside = 0, largest = 0;
                for (int y = 0; y < size.height; ++y) {
                    for (int x = 0; x < size.width; ++x) {
                        const Colour a = still.At(x, y), b = picture.At(x, y);
                        if (a == b) continue;
                        if (y < rows.top || y >= rows.bottom) ++outside;
                        largest = std::max({largest, std::abs(board::Red(a) - board::Red(b)),
                                            std::abs(board::Green(a) - board::Green(b)),
                                            std::abs(board::Blue(a) - board::Blue(b))});
                    }
                }
                EXPECT_EQ(outside, 0) << label << " frame " << frame;
                if (frame < 0 || frame >= kDayBoardMotionFrames) {
                    EXPECT_EQ(largest, 0) << label << " frame " << frame;
                }
                if (frame == 0 || frame == kDayBoardMotionFrames - 1) {
                    EXPECT_LE(largest, 16) << label << " jumps at frame " << frame;
                }
                anyChange = anyChange || largest > 16;
            }
            if (size.width >= 100) {
                EXPECT_TRUE(anyChange) << label << ": nothing moves";
            }
        }
    }
}

bool Inside(const board::PixelRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// A burst shown frame by frame on one surface, each frame putting back only
// what the last one changed, must show exactly what a fresh copy of the
// still with that frame laid on it shows; and what it says it changed must
// hold every pixel that changed.
TEST(Motion, FrameByFrameShowsWhatTheStillWithThatFrameShows) {
    const DayBoardContent contents[] = {
        ReadDayBoard(kGameDay),
        ReadDayBoard("currentdate=December 8, 2026&team=&gameinfo=No Game&small1=9&small2=10&small3=11"),
        ReadDayBoard(""),
    };
    struct Size { int width, height; };
    for (const DayBoardContent& content : contents) {
        for (const Size size : {Size{400, 300}, Size{300, 90}}) {
            Picture still(size.width, size.height);
            for (std::size_t i = 0; i < still.bits.size(); ++i) still.bits[i] = RgbColour(i % 251, i % 241, 90);
            Picture shown = still;
            board::BoardMotion motion;
            motion.Keep(shown.View(), content);
            const std::string label = content.team + " " + std::to_string(size.width);
            // Two bursts with a rest between, as the window shows them.
            std::vector<int> frames = {-1};
            for (int burst = 0; burst < 2; ++burst) {
                for (int frame = 0; frame < kDayBoardMotionFrames; ++frame) frames.push_back(frame);
                frames.push_back(-1);
            }
            for (int frame : frames) {
                const Picture before = shown;
                const board::PixelRect changed = motion.Show(shown.View(), content, frame);
                Picture expected = still;
                const board::PixelRect applied = board::ApplyMotion(expected.View(), content, frame);
                int wrong = 0, unannounced = 0, outsideApplied = 0;
                for (int y = 0; y < size.height; ++y) {
                    for (int x = 0; x < size.width; ++x) {
                        wrong += shown.At(x, y) != expected.At(x, y);
                        unannounced += shown.At(x, y) != before.At(x, y) && !Inside(changed, x, y);
                        outsideApplied += expected.At(x, y) != still.At(x, y) && !Inside(applied, x, y);
                    }
                }
                ASSERT_EQ(wrong, 0) << label << " frame " << frame;
                ASSERT_EQ(unannounced, 0) << label << " frame " << frame;
                ASSERT_EQ(outsideApplied, 0) << label << " frame " << frame;
            }
        }
    }
}

// The board shows its bursts on a band of the motion rows alone, copied
// from the kept still: each frame there is the same rows of the whole
// picture with that frame, and nothing is written outside the band.
TEST(Motion, OnABandOfItsRowsShowsWhatTheWholePictureShows) {
    const DayBoardContent contents[] = {ReadDayBoard(kGameDay), ReadDayBoard("")};
    for (const DayBoardContent& content : contents) {
        for (const int width : {400, 641}) {
            const int height = width * 3 / 4;
            Picture still(width, height);
            for (std::size_t i = 0; i < still.bits.size(); ++i) still.bits[i] = RgbColour(i % 251, i % 241, 90);
            board::BoardMotion motion;
            motion.Keep(still.View(), content);
            const board::MotionRows rows = motion.Rows();
            ASSERT_LT(rows.top, rows.bottom);
            // The band with a row of guards either side.
            const int bandRows = rows.bottom - rows.top;
            const std::uint32_t kGuard = 0xABCDEF;
            std::vector<std::uint32_t> band(static_cast<std::size_t>(width) * (bandRows + 2), kGuard);
            const Pixels view = {band.data() + width, width, height, rows.top, rows.bottom};
            motion.CopyKept(view);
            const std::string label = content.team + " " + std::to_string(width);
            for (int frame = -1; frame <= kDayBoardMotionFrames; ++frame) {
                motion.Show(view, content, frame);
                Picture expected = still;
                board::ApplyMotion(expected.View(), content, frame);
                int wrong = 0;
                for (int y = rows.top; y < rows.bottom; ++y) {
                    for (int x = 0; x < width; ++x) wrong += view.Row(y)[x] != expected.At(x, y);
                }
                ASSERT_EQ(wrong, 0) << label << " frame " << frame;
                for (int x = 0; x < width; ++x) {
                    ASSERT_EQ(band[x], kGuard) << label << " frame " << frame << ": written above the band";
                    ASSERT_EQ(band[band.size() - width + x], kGuard) << label << " frame " << frame << ": below";
                }
            }
        }
    }
}

// Kept rows give back every span of every row as it was, whether a row is
// flat, in runs or in no two alike.
TEST(RunRows, GiveBackEverySpan) {
    const int width = 70;
    std::vector<std::uint32_t> rows;
    for (int x = 0; x < width; ++x) rows.push_back(0x102030);                  // flat
    for (int x = 0; x < width; ++x) rows.push_back(RgbColour(x / 9, 0, 200));  // runs of 9
    for (int x = 0; x < width; ++x) rows.push_back(RgbColour(x, x * 3, 7));    // no two alike
    for (int x = 0; x < width; ++x) rows.push_back(x == 0 || x == width - 1 ? 0xFF000000u + x : 0);  // edges
    const int count = static_cast<int>(rows.size()) / width;
    board::RunRows kept;
    kept.Keep(rows.data(), width, count, width);
    ASSERT_EQ(kept.Count(), count);
    for (int row = 0; row < count; ++row) {
        for (int left = 0; left <= width; ++left) {
            for (int right = left; right <= width; ++right) {
                std::vector<std::uint32_t> out(width + 2, 0xDEAD);
                kept.CopySpan(row, left, right, out.data() + 1);
                ASSERT_EQ(out[0], 0xDEADu);
                ASSERT_EQ(out[right - left + 1], 0xDEADu) << "row " << row << " " << left << ".." << right;
                for (int x = left; x < right; ++x) {
                    ASSERT_EQ(out[x - left + 1], rows[row * width + x]) << "row " << row << " x " << x;
                }
            }
        }
    }
    // A row of no two alike is kept as it is, not at half as much again.
    board::RunRows unalike;
    unalike.Keep(rows.data() + 2 * width, width, 1, width);
    EXPECT_EQ(unalike.Bytes(), width * sizeof rows[0] + 4 * sizeof(std::uint32_t));
}

}  // namespace
}  // namespace vorsaver
