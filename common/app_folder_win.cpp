#include "common/app_folder_win.h"

#include <windows.h>

#include "common/command_line.h"
#include "common/paths.h"

namespace common {

std::string ApplicationFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return FolderOfPath(path);
}

std::string CommandArgumentText() {
    return ArgumentText(GetCommandLineA());
}

}  // namespace common
