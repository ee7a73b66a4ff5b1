#include "common/palette.h"

#include <algorithm>

namespace common {

const Rgb kFixedColours[20] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
    0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

namespace {

// Large enough for every colour a day board holds at 1024 x 768; past three
// quarters full, colours are searched each time.
const std::size_t kCacheSize = 1 << 15;
const Rgb kUsed = 0x01000000;

// A 4 x 4 ordered dither, centred: -7.5 .. 7.5 sixteenths of a step.
const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
// The dither's reach, in levels of each part: about half the distance
// between neighbouring colours of the board's and the cube's palettes.
const int kDitherStep = 8;

int Part(Rgb colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

}  // namespace

std::vector<Rgb> ColourCube() {
    std::vector<Rgb> cube;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) cube.push_back(static_cast<Rgb>(r * 51 << 16 | g * 51 << 8 | b * 51));
        }
    }
    return cube;
}

NearestColour::NearestColour(std::vector<Rgb> palette)
    : palette_(std::move(palette)), keys_(kCacheSize, 0), values_(kCacheSize, 0) {
    if (palette_.size() > static_cast<std::size_t>(kPaletteSize)) palette_.resize(kPaletteSize);
}

std::uint8_t NearestColour::Search(Rgb colour) const {
    long best = -1;
    std::size_t found = 0;
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const long dr = Part(colour, 16) - Part(palette_[i], 16);
        const long dg = Part(colour, 8) - Part(palette_[i], 8);
        const long db = Part(colour, 0) - Part(palette_[i], 0);
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (best < 0 || distance < best) {
            best = distance;
            found = i;
            if (distance == 0) break;
        }
    }
    return static_cast<std::uint8_t>(found);
}

std::uint8_t NearestColour::operator()(Rgb colour) {
    colour &= 0xFFFFFF;
    const Rgb key = colour | kUsed;
    std::size_t slot = (colour * 2654435761u) >> 17 & (kCacheSize - 1);
    while (keys_[slot] != 0) {
        if (keys_[slot] == key) return values_[slot];
        slot = (slot + 1) & (kCacheSize - 1);
    }
    const std::uint8_t index = Search(colour);
    if (used_ < kCacheSize / 4 * 3) {
        keys_[slot] = key;
        values_[slot] = index;
        ++used_;
    }
    return index;
}

void ReduceToPalette(const std::uint32_t* pixels, int width, int top, int bottom, NearestColour& nearest,
                     std::uint8_t* out, int outStride, int pixelsTop) {
    const std::vector<Rgb>& palette = nearest.Palette();
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y - pixelsTop) * width;
        std::uint8_t* target = out + static_cast<std::ptrdiff_t>(bottom - 1 - y) * outStride;
        for (int x = 0; x < width; ++x) {
            const Rgb colour = row[x] & 0xFFFFFF;
            std::uint8_t index = nearest(colour);
            if (palette[index] != colour) {
                const int offset = (2 * kBayer[y & 3][x & 3] - 15) * kDitherStep / 32;
                auto moved = [&](int shift) {
                    return static_cast<Rgb>(std::clamp(Part(colour, shift) + offset, 0, 255)) << shift;
                };
                index = nearest(moved(16) | moved(8) | moved(0));
            }
            target[x] = index;
        }
    }
}

}  // namespace common
