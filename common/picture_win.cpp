#include "common/picture_win.h"

#include <cstring>

#include "common/packed_picture.h"

namespace common {

HBITMAP LoadPackedPicture(HMODULE module, const char* name, std::string& error) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        error = "it is not in the program";
        return nullptr;
    }
    UnpackedPicture picture;
    if (!UnpackPicture(static_cast<const std::uint8_t*>(data), SizeofResource(module, found), picture, error)) {
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(picture.info.data()),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        error = "Windows could not make a bitmap of it";
        if (bitmap != nullptr) DeleteObject(bitmap);
        return nullptr;
    }
    std::memcpy(bits, picture.pixels.data(), picture.pixels.size());
    return bitmap;
}

}  // namespace common
