#include "common/packed_picture.h"

#include <gtest/gtest.h>

#include <cstring>

#ifdef VORLAKS_PACKED_DIR
#include <filesystem>
#include <fstream>
#endif

namespace common {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// "VPK1", a BITMAPINFOHEADER and, for 8 bits, a colour table of `colours`.
Bytes Header(int width, int height, int bits, int colours = 0) {
    Bytes bytes = {'V', 'P', 'K', '1'};
    Put32(bytes, 40);
    Put32(bytes, static_cast<std::uint32_t>(width));
    Put32(bytes, static_cast<std::uint32_t>(height));
    bytes.push_back(1), bytes.push_back(0);
    bytes.push_back(static_cast<std::uint8_t>(bits)), bytes.push_back(0);
    for (int i = 0; i < 4; ++i) Put32(bytes, 0);
    Put32(bytes, static_cast<std::uint32_t>(colours));
    Put32(bytes, 0);
    for (int i = 0; i < colours; ++i) Put32(bytes, 0x00102030u * static_cast<std::uint32_t>(i));
    return bytes;
}

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes WithoutLast(Bytes bytes, std::size_t count) {
    bytes.resize(bytes.size() - count);
    return bytes;
}

TEST(PackedPicture, RunsAndLiteralsFillTheRowsAndLeaveThePaddingZero) {
    struct Case { const char* what; Bytes packed; Bytes pixels; };
    const Case cases[] = {
        // 3 x 2 at 24 bits: rows of 9 bytes padded to 12.
        {"a run across the rows",
         Join(Header(3, 2, 24), {130, 1, 2, 3, 1, 4, 5, 6, 7, 8, 9}),
         {1, 2, 3, 1, 2, 3, 1, 2, 3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}},
        {"literals only", Join(Header(2, 1, 24), {1, 1, 2, 3, 4, 5, 6}), {1, 2, 3, 4, 5, 6, 0, 0}},
        // 5 x 1 at 8 bits with two colours: padded to 8.
        {"8 bits", Join(Header(5, 1, 8, 2), {128, 1, 2, 0, 1, 0}), {1, 1, 0, 1, 0, 0, 0, 0}},
        {"the longest run", Join(Header(129, 1, 8, 2), {255, 1}), Join(Bytes(129, 1), {0, 0, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UnpackedPicture picture;
        std::string error;
        ASSERT_TRUE(UnpackPicture(c.packed.data(), c.packed.size(), picture, error)) << error;
        EXPECT_EQ(picture.pixels, c.pixels);
    }
    UnpackedPicture picture;
    std::string error;
    Bytes eight = Join(Header(5, 1, 8, 2), {128, 1, 2, 0, 1, 0});
    ASSERT_TRUE(UnpackPicture(eight.data(), eight.size(), picture, error));
    EXPECT_EQ(picture.info.size(), 40u + 2 * 4) << "the header and the colour table, for CreateDIBSection";
    EXPECT_EQ(picture.bitsPerPixel, 8);
}

TEST(PackedPicture, DamagedDataIsRefusedWithoutWritingPastThePicture) {
    struct Case { const char* what; Bytes packed; const char* error; };
    const Case cases[] = {
        {"empty", {}, "not a packed picture"},
        {"another format", Join({'B', 'M', 0, 0}, Bytes(40, 0)), "not a packed picture"},
        {"16 bits", Join(Header(1, 1, 16), {0, 1, 2}), "the picture's header is not that of a plain 8- or 24-bit bitmap"},
        {"no width", Header(0, 1, 24), "the picture's header is not that of a plain 8- or 24-bit bitmap"},
        {"top-down", Header(1, -1, 24), "the picture's header is not that of a plain 8- or 24-bit bitmap"},
        {"huge", Header(100000, 100000, 24), "the picture's header is not that of a plain 8- or 24-bit bitmap"},
        {"colour table cut short", WithoutLast(Header(1, 1, 8, 4), 2),
         "the picture's colour table is cut short"},
        {"a literal cut short", Join(Header(2, 1, 24), {1, 1, 2, 3, 4}), "the picture's data is cut short"},
        {"a run cut short", Join(Header(2, 1, 24), {128, 1, 2}), "the picture's data is cut short"},
        {"a run past the end", Join(Header(2, 1, 24), {129, 1, 2, 3}), "the picture's data runs past its last row"},
        {"bytes after the end", Join(Header(1, 1, 24), {0, 1, 2, 3, 0, 1, 2, 3}),
         "the picture's data runs past its last row"},
        {"too few pixels", Join(Header(2, 2, 24), {128, 1, 2, 3}), "the picture's data ends before its last row"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UnpackedPicture picture;
        std::string error;
        EXPECT_FALSE(UnpackPicture(c.packed.data(), c.packed.size(), picture, error));
        EXPECT_EQ(error, c.error);
    }
}

#ifdef VORLAKS_PACKED_DIR
Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every picture the programs carry, packed by the build's packer, unpacks to
// exactly the committed bitmap.
TEST(PackedPicture, EveryCommittedPictureUnpacksToItself) {
    const std::filesystem::path resources = std::filesystem::path(VORLAKS_SOURCE_DIR) / "resources";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(resources)) {
        if (entry.path().extension() != ".bmp") continue;
        // The wallpapers are carried by the theme installers, not packed.
        if (entry.path().parent_path().filename() == "wallpaper") continue;
        SCOPED_TRACE(entry.path().string());
        const Bytes bitmap = ReadFile(entry.path());
        std::filesystem::path packed =
            std::filesystem::path(VORLAKS_PACKED_DIR) / entry.path().lexically_relative(resources);
        packed.replace_extension(".vpk");
        const Bytes data = ReadFile(packed);
        UnpackedPicture picture;
        std::string error;
        ASSERT_TRUE(UnpackPicture(data.data(), data.size(), picture, error)) << error;
        ASSERT_GE(bitmap.size(), 54u);
        std::uint32_t offset;
        std::memcpy(&offset, &bitmap[10], 4);
        EXPECT_EQ(Bytes(bitmap.begin() + 14, bitmap.begin() + offset), picture.info);
        EXPECT_EQ(Bytes(bitmap.begin() + offset, bitmap.end()), picture.pixels);
        EXPECT_LT(data.size(), bitmap.size());
        ++checked;
    }
    // However many pictures there are (a menu item brings two), there are some.
    EXPECT_GT(checked, 0) << "no pictures under " << resources;
}
#endif

}  // namespace
}  // namespace common
