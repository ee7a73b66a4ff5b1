#include "common/paths.h"

namespace common {

std::string FolderOfPath(const std::string& programPath) {
    std::size_t slash = programPath.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    // "C:\prog.scr" lives in "C:\", which keeps its backslash.
    if (slash == 2 && programPath[1] == ':') return programPath.substr(0, 3);
    return programPath.substr(0, slash);
}

std::string PathInFolder(const std::string& folder, const std::string& fileName) {
    return folder + "\\" + fileName;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return PathInFolder(folder, name);
}

}  // namespace common
