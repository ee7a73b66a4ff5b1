// The screen saver's setup and its uninstaller.
#pragma once

#include <string>

#include "setup/carried_files_win.h"

namespace setup {

// Exit codes: what a calling program (or a test) learns.
enum ExitCode { kDone = 0, kCancelled = 1, kFailed = 2 };

struct Options {
    bool silent = false;
    std::string folder;        // the uninstaller's copy: the folder to remove from
    unsigned long waitFor = 0; // the uninstaller's copy: the process to wait for
};

int InstallSaver(CarriedFiles& carried, const Options& options);
int UninstallSaver(const Options& options);

}  // namespace setup
