// Module3: whether a file-system entry exists.
#pragma once

#include <string>

namespace Module3 {

// True when Windows finds an entry for the path, a folder included; any
// failure (no such entry, unreadable drive, bad path) gives false.
bool FileExists(const std::string& path);

}  // namespace Module3
