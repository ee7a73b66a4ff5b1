#include "common/file_exists_win.h"

#include <windows.h>

namespace common {

bool FileExists(const std::string& path, Entry entry) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return entry == Entry::FileOrFolder || !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace common
