// Whether a file-system entry is there, for the programs that look before
// they use a file. The menu's Module3::FileExists keeps its own test
// (FindFirstFileA), which its handlers are built on.
#pragma once

#include <string>

namespace common {

enum class Entry {
    FileOrFolder,
    FileOnly,  // a folder of that name does not count
};

// Any failure (no such entry, an unreadable drive, a bad path) gives false.
bool FileExists(const std::string& path, Entry entry = Entry::FileOrFolder);

}  // namespace common
