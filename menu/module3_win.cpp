#include "menu/module3_win.h"

#include <windows.h>

#include <cstring>

namespace Module3 {

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    std::memset(&found, 0, sizeof found);
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

}  // namespace Module3
