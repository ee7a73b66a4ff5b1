// A picture's transparent colour as a mask, read from the picture's own
// pixels: from its colour indices at 8 bits, from its colours at 24. A mask
// made from a copy in the screen's colours would take, at 256 or 16 colours,
// every colour that the screen shows as the transparent one for a hole.
#pragma once

#include <cstdint>
#include <vector>

namespace common {

// A DIB's pixels as GDI holds them: rows of `stride` bytes, the first row in
// memory the bottom one unless `topDown`. `colours` is an 8-bit picture's
// colour table as 0x00RRGGBB; a 24-bit picture has none.
struct DibPixels {
    std::uint8_t* rows;
    int width;
    int height;
    int stride;
    int bitsPerPixel;  // 8 or 24
    bool topDown;
    std::vector<std::uint32_t>* colours;
};

// The mask of the pixels whose colour is `key` (0x00RRGGBB): a monochrome
// bitmap's rows, top to bottom, each padded to 16 bits as CreateBitmap takes
// them, 1 where transparent. Those pixels turn black in the picture, so that
// it can be drawn with AND through the mask and then OR: at 8 bits the key's
// entries of the colour table turn black, at 24 bits the pixels themselves.
std::vector<std::uint8_t> CutOutColour(DibPixels picture, std::uint32_t key);

}  // namespace common
