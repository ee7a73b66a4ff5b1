#include "menu/module4_win.h"

#include <windows.h>

#include <algorithm>

namespace Module4 {

namespace {
constexpr UINT kBufferSize = 260;
}  // namespace

std::string GetSystemDir() {
    char buffer[kBufferSize] = {};
    if (GetSystemDirectoryA(buffer, kBufferSize) == 0) return std::string();
    // Only the text before the first NUL counts: a path too long for the
    // buffer is not written, and the untouched buffer gives the empty string.
    return std::string(buffer, std::find(buffer, buffer + kBufferSize, '\0'));
}

}  // namespace Module4
