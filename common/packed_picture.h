// The programs' pictures as they are carried in the programs: a bitmap's
// header and colour table, then its rows run-length coded
// (tools/pack_picture.py writes them). Unpacked, they are a plain DIB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace common {

struct UnpackedPicture {
    // BITMAPINFOHEADER and colour table, ready for CreateDIBSection.
    std::vector<std::uint8_t> info;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    // Rows bottom to top, each padded to four bytes, as a DIB holds them.
    std::vector<std::uint8_t> pixels;
};

// False, with the reason in `error`, for data that is not a whole packed
// picture of 8 or 24 bits: nothing is ever written past the picture.
bool UnpackPicture(const std::uint8_t* data, std::size_t size, UnpackedPicture& picture, std::string& error);

}  // namespace common
