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

// A path that setup writes down (in the registry, in wininit.ini, in its
// memory file) and compares again later: as PathInFolder, but a folder that
// ends in a backslash already (a drive's root) gets no second one.
std::string Join(const std::string& folder, const std::string& name);

}  // namespace common
