// Colours for screens of 256 colours: the palettes the programs realize and
// the reduction of a true-colour picture to one of them. No Windows here.
#pragma once

#include <cstdint>
#include <vector>

namespace common {

// Colours as 0x00RRGGBB.
using Rgb = std::uint32_t;

// The twenty colours that Windows keeps in every 256-colour system palette,
// ten at each end; a program's palette holds the others.
extern const Rgb kFixedColours[20];
inline constexpr int kPaletteSize = 256;

// The 216 colours of the 6 x 6 x 6 cube (each part 0, 51 ... 255), red
// slowest: the palette of pictures drawn from the whole range of colours.
std::vector<Rgb> ColourCube();

// The nearest entry of a palette to each colour asked, remembered, so that a
// picture of few colours costs few searches. Near means by the eye: green
// counts most, blue least.
class NearestColour {
public:
    explicit NearestColour(std::vector<Rgb> palette);
    std::uint8_t operator()(Rgb colour);
    const std::vector<Rgb>& Palette() const { return palette_; }

private:
    std::uint8_t Search(Rgb colour) const;

    std::vector<Rgb> palette_;
    std::vector<Rgb> keys_;  // open addressing; a key's top byte set when used
    std::vector<std::uint8_t> values_;
    std::size_t used_ = 0;
};

// Rows `top` to `bottom` of a true-colour picture (top-down rows of
// 0x00RRGGBB, `width` wide) as palette indices in `out`, bottom-up rows of
// `outStride` bytes (an 8-bit DIB of those rows). A colour the palette holds
// stays exact, so flat areas and text stay clean; any other is dithered
// (4 x 4 ordered), so that gradients keep their run instead of bands.
// `pixels` holds the picture from row `pixelsTop` on (a band of it).
void ReduceToPalette(const std::uint32_t* pixels, int width, int top, int bottom, NearestColour& nearest,
                     std::uint8_t* out, int outStride, int pixelsTop = 0);

}  // namespace common
