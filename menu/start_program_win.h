// Starting a program from a command line, without waiting for it.
#pragma once

#include <cstdint>
#include <string>

namespace menu {

struct StartResult {
    bool ok = false;
    std::uint32_t errorCode = 0;  // Windows' error code when not ok
    std::string message;          // names the program file and the reason
};

// Windows finds the program the way it finds the first word of any command
// line: beside the menu, in the working folder, on the search path. The
// program's window opens minimised and active. The caller decides what a
// failure means (the menu names the file in an error box and carries on).
StartResult StartProgram(const std::string& commandLine);

}  // namespace menu
