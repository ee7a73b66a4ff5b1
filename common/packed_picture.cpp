#include "common/packed_picture.h"

#include <cstring>

#include "common/little_endian.h"

namespace common {

namespace {

const char kMagic[] = "VPK1";
const std::size_t kInfoSize = 40;
// Larger than any picture the programs carry, small enough that a corrupt
// size cannot ask for gigabytes.
const int kLargestSide = 4096;

bool Fail(std::string& error, const char* why) {
    error = why;
    return false;
}

}  // namespace

bool UnpackPicture(const std::uint8_t* data, std::size_t size, UnpackedPicture& picture, std::string& error) {
    const std::size_t magic = sizeof kMagic - 1;
    if (size < magic + kInfoSize || std::memcmp(data, kMagic, magic) != 0) {
        return Fail(error, "not a packed picture");
    }
    const std::uint8_t* info = data + magic;
    const auto width = static_cast<std::int32_t>(ReadU32(info + 4));
    const auto height = static_cast<std::int32_t>(ReadU32(info + 8));
    const int planes = info[12] | info[13] << 8;
    const int bits = info[14] | info[15] << 8;
    const std::uint32_t compression = ReadU32(info + 16);
    std::uint32_t colours = ReadU32(info + 32);
    if (ReadU32(info) != kInfoSize || planes != 1 || compression != 0 || (bits != 8 && bits != 24) || width <= 0 ||
        height <= 0 || width > kLargestSide || height > kLargestSide || colours > 256) {
        return Fail(error, "the picture's header is not that of a plain 8- or 24-bit bitmap");
    }
    if (bits == 8 && colours == 0) colours = 256;
    const std::size_t infoBytes = kInfoSize + 4 * static_cast<std::size_t>(colours);
    if (size < magic + infoBytes) return Fail(error, "the picture's colour table is cut short");

    const std::size_t unit = static_cast<std::size_t>(bits) / 8;
    const std::size_t stride = (static_cast<std::size_t>(width) * unit + 3) & ~static_cast<std::size_t>(3);
    picture.info.assign(info, info + infoBytes);
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = bits;
    picture.pixels.assign(stride * static_cast<std::size_t>(height), 0);

    // Pixels are numbered across the rows, padding left out.
    const auto columns = static_cast<std::size_t>(width);
    const std::size_t total = columns * static_cast<std::size_t>(height);
    std::size_t done = 0;
    auto put = [&](const std::uint8_t* pixel) {
        std::uint8_t* target = &picture.pixels[done / columns * stride + done % columns * unit];
        std::memcpy(target, pixel, unit);
        ++done;
    };
    const std::uint8_t* in = data + magic + infoBytes;
    const std::uint8_t* end = data + size;
    while (in < end) {
        const std::uint8_t control = *in++;
        const bool run = control >= 128;
        const std::size_t count = run ? control - 126u : control + 1u;
        const std::size_t needs = run ? unit : count * unit;
        if (static_cast<std::size_t>(end - in) < needs) return Fail(error, "the picture's data is cut short");
        if (total - done < count) return Fail(error, "the picture's data runs past its last row");
        for (std::size_t i = 0; i < count; ++i) put(run ? in : in + i * unit);
        in += needs;
    }
    if (done != total) return Fail(error, "the picture's data ends before its last row");
    return true;
}

}  // namespace common
