// Loader: the screen saver's start-up and the routines its windows share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Loader {

// The window handle given after "/p" or "/a"; empty until one is parsed.
extern std::optional<std::int32_t> ParentWindow;

// Reads the argument text, starts exactly one mode and returns.
void Main();

// False tells the system that a screen saver runs (the task-switching keys
// then do nothing on Windows 95/98), True that it has stopped.
void EnableSystemKeys(bool enable);

// The title of the program's windows and message boxes.
extern const char* const kProgramTitle;

// Shows a modal error box and ends the program. The saver's callers restore
// the running flag and the pointer first, so that the box can be answered.
[[noreturn]] void ReportErrorAndEnd(const std::string& message);

// The program ends when its last window is gone: each form reports its
// coming and going here.
void FormOpened();
void FormClosed();

}  // namespace Loader
