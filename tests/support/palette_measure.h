// How near a picture stays to itself when a screen of 256 colours shows it
// through a palette: the measures the palette tests share. Portable.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "common/palette.h"

namespace palette_measure {

using common::Rgb;

// The sixteen colours of a VGA screen (before the video card's driver is in,
// or in Safe Mode), which Windows maps every colour to there.
inline const std::vector<Rgb> kVgaColours = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                             0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                             0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
// At 16 colours a text block keeps at least this share of its lightness
// range, enough to be read.
inline constexpr double kKeptAt16 = 0.5;

// `picture` (top-down rows of 0x00RRGGBB) as the screen shows it through
// `palette`: reduced, then each index's colour, rows top-down again.
inline std::vector<Rgb> Through(const std::vector<std::uint32_t>& picture, int width, int height,
                                const std::vector<Rgb>& palette) {
    common::NearestColour nearest(palette);
    const int stride = (width + 3) & ~3;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    common::ReduceToPalette(picture.data(), width, 0, height, nearest, indices.data(), stride);
    std::vector<Rgb> shown(picture.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            shown[static_cast<std::size_t>(y) * width + x] =
                palette[indices[static_cast<std::size_t>(height - 1 - y) * stride + x]];
        }
    }
    return shown;
}

// Each pixel its nearest colour of `palette`, undithered: how Windows shows
// a true-colour picture through a palette that it was not drawn for.
inline std::vector<Rgb> Nearest(const std::vector<std::uint32_t>& picture, const std::vector<Rgb>& palette) {
    common::NearestColour nearest(palette);
    std::vector<Rgb> shown;
    for (std::uint32_t pixel : picture) shown.push_back(palette[nearest(pixel & 0xFFFFFF)]);
    return shown;
}

// The normalised root mean square difference, as ImageMagick's
// "compare -metric RMSE" gives it.
inline double Rmse(const std::vector<std::uint32_t>& a, const std::vector<Rgb>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int shift : {16, 8, 0}) {
            const double d = double((a[i] >> shift) & 0xFF) - double((b[i] >> shift) & 0xFF);
            sum += d * d;
        }
    }
    return std::sqrt(sum / (3.0 * double(a.size()))) / 255.0;
}

inline double Luminance(Rgb c) {
    return 0.299 * double(c >> 16 & 0xFF) + 0.587 * double(c >> 8 & 0xFF) + 0.114 * double(c & 0xFF);
}

// Text is where a small block spans a wide range of lightness. The share
// of that range that the blocks of `shown` keep, at the worst block among
// those whose range in `picture` is at least `least` (of 255); 1 where none.
inline double WorstContrastKept(const std::vector<std::uint32_t>& picture, const std::vector<Rgb>& shown, int width,
                                int height, double least = 96, int block = 8) {
    double worst = 1;
    for (int top = 0; top + block <= height; top += block) {
        for (int left = 0; left + block <= width; left += block) {
            double lo = 255, hi = 0, shownLo = 255, shownHi = 0;
            for (int y = top; y < top + block; ++y) {
                for (int x = left; x < left + block; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y) * width + x;
                    lo = std::min(lo, Luminance(picture[i])), hi = std::max(hi, Luminance(picture[i]));
                    shownLo = std::min(shownLo, Luminance(shown[i])), shownHi = std::max(shownHi, Luminance(shown[i]));
                }
            }
            if (hi - lo >= least) worst = std::min(worst, (shownHi - shownLo) / (hi - lo));
        }
    }
    return worst;
}

}  // namespace palette_measure
