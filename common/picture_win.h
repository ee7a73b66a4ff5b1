// A packed picture resource (common/packed_picture.h) as a DIB section.
#pragma once

#include <windows.h>

#include <string>

namespace common {

// The picture named `name` among the module's RCDATA resources, or nullptr
// with the reason in `error`. The caller deletes the bitmap.
HBITMAP LoadPackedPicture(HMODULE module, const char* name, std::string& error);

}  // namespace common
