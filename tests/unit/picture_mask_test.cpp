#include "common/picture_mask.h"

#include <gtest/gtest.h>

#include <string>

namespace common {
namespace {

const std::uint32_t kKey = 0xFF00FF;

// The mask's bit for (x, y), y counted from the top.
bool Bit(const std::vector<std::uint8_t>& mask, int width, int x, int y) {
    const int stride = (width + 15) / 16 * 2;
    return (mask[static_cast<std::size_t>(y * stride + x / 8)] >> (7 - x % 8)) & 1;
}

// Rows given top to bottom as text, one letter a pixel: 'k' the key, 'n' a
// colour next to it that a 256- or 16-colour screen shows as the key, 'g'
// gold. Stored as a DIB stores them.
struct Made {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint32_t> colours;
    DibPixels pixels;
};

std::uint32_t ColourOf(char c) { return c == 'k' ? kKey : c == 'n' ? 0xFF60F0 : 0xFFCC00; }

Made Make(const std::vector<std::string>& rows, int bits, bool topDown) {
    Made made;
    const int width = static_cast<int>(rows[0].size());
    const int height = static_cast<int>(rows.size());
    const int stride = (width * bits / 8 + 3) & ~3;
    made.bytes.assign(static_cast<std::size_t>(stride * height), 0xAA);
    // Two entries hold the key: a picture's table may repeat a colour.
    made.colours = {0xFFCC00, kKey, 0xFF60F0, kKey};
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = &made.bytes[static_cast<std::size_t>((topDown ? y : height - 1 - y) * stride)];
        for (int x = 0; x < width; ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (bits == 8) {
                row[x] = c == 'k' ? static_cast<std::uint8_t>(x % 2 ? 1 : 3) : c == 'n' ? 2 : 0;
            } else {
                const std::uint32_t colour = ColourOf(c);
                row[3 * x] = static_cast<std::uint8_t>(colour);
                row[3 * x + 1] = static_cast<std::uint8_t>(colour >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(colour >> 16);
            }
        }
    }
    made.pixels = {made.bytes.data(), width, height, stride, bits, topDown, bits == 8 ? &made.colours : nullptr};
    return made;
}

TEST(PictureMask, OnlyTheKeyItselfIsTransparentAtEveryDepthAndRowOrder) {
    // 17 wide: the mask's rows take two 16-bit words.
    const std::vector<std::string> rows = {"kkkkgggggnnnnnkkg", "gnkgnkgnkgnkgnkgk", "nnnnnnnnnnnnnnnnn"};
    for (int bits : {8, 24}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top down" : " bits, bottom up"));
            Made made = Make(rows, bits, topDown);
            const std::vector<std::uint8_t> mask = CutOutColour(made.pixels, kKey);
            ASSERT_EQ(mask.size(), 4u * rows.size());
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 17; ++x) {
                    const bool key = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == 'k';
                    EXPECT_EQ(Bit(mask, 17, x, y), key) << "at " << x << "," << y;
                }
                // The padding past the last pixel stays clear.
                EXPECT_EQ(mask[static_cast<std::size_t>(4 * y + 2)] & 0x7F, 0);
                EXPECT_EQ(mask[static_cast<std::size_t>(4 * y + 3)], 0);
            }
            if (bits == 8) {
                // The key's entries turn black, the others stay; the indices stay.
                EXPECT_EQ(made.colours, (std::vector<std::uint32_t>{0xFFCC00, 0, 0xFF60F0, 0}));
                EXPECT_EQ(made.bytes[topDown ? 0 : 2 * made.pixels.stride], 3);
            } else {
                // The key's pixels turn black, the near colour keeps its own.
                const std::uint8_t* top = &made.bytes[static_cast<std::size_t>(topDown ? 0 : 2 * made.pixels.stride)];
                EXPECT_EQ(top[0] | top[1] | top[2], 0);
                EXPECT_EQ(top[3 * 9], 0xF0);
                EXPECT_EQ(top[3 * 9 + 1], 0x60);
                EXPECT_EQ(top[3 * 9 + 2], 0xFF);
            }
        }
    }
}

TEST(PictureMask, APictureWithoutTheKeyHasAnEmptyMaskAndKeepsItsColours) {
    Made made = Make({"ggnn", "nngg"}, 8, false);
    made.colours = {0xFFCC00, 0x010203, 0xFF60F0};
    const std::vector<std::uint8_t> mask = CutOutColour(made.pixels, kKey);
    EXPECT_EQ(mask, std::vector<std::uint8_t>(4, 0));
    EXPECT_EQ(made.colours, (std::vector<std::uint32_t>{0xFFCC00, 0x010203, 0xFF60F0}));
}

}  // namespace
}  // namespace common
