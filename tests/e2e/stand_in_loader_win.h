// Loads a stand-in DLL into a program that a test starts, before the
// program's own code runs, without changing the program's file.
#pragma once

#include <string>

#include "tests/e2e/harness_win.h"

namespace e2e {

// Starts `program` suspended, lets Windows' loader prepare it up to its
// entry point (its imports resolved, its first instruction not yet run),
// loads `dll` into it there and lets it go on. False, with the reason in
// `error`, where a step fails; the process is then ended.
bool StartWithStandIn(Process& process, const std::string& program, const std::string& arguments,
                      const std::string& workFolder, const std::string& dll, std::string& error);

}  // namespace e2e
