// Puts a stand-in DLL into a program started suspended, before the
// program's own code runs, without changing the program's file. Needs
// nothing of the test harness, so a benchmark can use it too.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// `process` and its main `thread` as CreateProcess made them with
// CREATE_SUSPENDED: lets Windows' loader prepare the program up to its
// entry point (its imports resolved, its first instruction not yet run),
// loads `dll` into it there and lets it go on. False, with the reason in
// `error`, where a step fails; the caller then ends the process.
bool LoadBeforeEntry(HANDLE process, HANDLE thread, const std::string& dll, std::string& error);

}  // namespace e2e
