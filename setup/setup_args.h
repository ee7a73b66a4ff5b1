// The setup programs' command line: /S for silent, and what an uninstaller
// hands the copy of itself that does the work (/folder="..." /wait=N).
#pragma once

#include <string>

namespace setup {

struct Arguments {
    bool silent = false;
    std::string folder;
    unsigned long waitFor = 0;
    std::string unknown;  // the first argument not understood
};

Arguments ParseArguments(const std::string& text);

// The command line for the uninstaller's working copy.
std::string UninstallCopyArguments(const std::string& folder, unsigned long processId, bool silent);

}  // namespace setup
