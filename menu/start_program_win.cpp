#include "menu/start_program_win.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "menu/menu_commands.h"

namespace menu {

StartResult StartProgram(const std::string& commandLine) {
    // CreateProcess may write into the command line it is given.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);

    StartResult result;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        result.errorCode = GetLastError();
        result.message = StartFailureMessage(commandLine, result.errorCode);
        return result;
    }
    // The menu never waits for what it starts.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.ok = true;
    return result;
}

}  // namespace menu
