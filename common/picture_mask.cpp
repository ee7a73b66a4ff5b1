#include "common/picture_mask.h"

#include <cstring>

namespace common {

std::vector<std::uint8_t> CutOutColour(DibPixels picture, std::uint32_t key) {
    const int maskStride = (picture.width + 15) / 16 * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride) * static_cast<std::size_t>(picture.height), 0);
    // At 8 bits the test is of the index: every entry that holds the key.
    std::vector<bool> keyIndex(256, false);
    if (picture.bitsPerPixel == 8 && picture.colours != nullptr) {
        std::vector<std::uint32_t>& table = *picture.colours;
        for (std::size_t i = 0; i < table.size() && i < keyIndex.size(); ++i) {
            if ((table[i] & 0xFFFFFFu) != key) continue;
            keyIndex[i] = true;
            table[i] = 0;
        }
    }
    const std::uint8_t keyBgr[3] = {static_cast<std::uint8_t>(key), static_cast<std::uint8_t>(key >> 8),
                                    static_cast<std::uint8_t>(key >> 16)};
    for (int y = 0; y < picture.height; ++y) {
        const int memoryRow = picture.topDown ? y : picture.height - 1 - y;
        std::uint8_t* row = picture.rows + static_cast<std::ptrdiff_t>(memoryRow) * picture.stride;
        std::uint8_t* maskRow = &mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(maskStride)];
        for (int x = 0; x < picture.width; ++x) {
            bool transparent = false;
            if (picture.bitsPerPixel == 8) {
                transparent = keyIndex[row[x]];
            } else if (picture.bitsPerPixel == 24) {
                std::uint8_t* pixel = row + 3 * x;
                transparent = std::memcmp(pixel, keyBgr, 3) == 0;
                if (transparent) std::memset(pixel, 0, 3);
            }
            if (transparent) maskRow[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    return mask;
}

}  // namespace common
