// Paths of files beside a program.
#pragma once

#include <string>

namespace common {

// The folder of a program file, without a trailing backslash; a drive's root
// keeps its backslash ("C:\").
std::string FolderOfPath(const std::string& programPath);

// A file beside the program: folder, a backslash and the name, joined as plain
// text (so a drive root gives a doubled backslash, which Windows accepts).
std::string PathInFolder(const std::string& folder, const std::string& fileName);

}  // namespace common
