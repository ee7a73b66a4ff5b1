// The setup programs' command line: /S for silent, and what an uninstaller
// hands the copy of itself that does the work (/folder="..." /wait=N
// /product=NAME, the name the uninstaller has beside what it removes).
#pragma once

#include <string>

namespace setup {

struct Arguments {
    bool silent = false;
    std::string folder;
    unsigned long waitFor = 0;
    std::string product;
    std::string unknown;  // the first argument not understood
};

Arguments ParseArguments(const std::string& text);

// The command line for the uninstaller's working copy.
std::string UninstallCopyArguments(const std::string& folder, unsigned long processId, const std::string& product,
                                   bool silent);

}  // namespace setup
