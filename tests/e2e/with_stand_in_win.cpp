// Runs a program with a stand-in DLL in it from before its first
// instruction, for the CD's shell tests (tests/cd/installer_test.sh), and
// ends with the program's own exit code:
//
//   with-stand-in.exe DLL PROGRAM [ARGUMENTS...]
//
// The program's command line is this one's from PROGRAM on, as it was typed.
// Exits 3 where the program cannot be started or the DLL not loaded.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/command_line.h"
#include "tests/e2e/load_before_entry_win.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: with-stand-in.exe DLL PROGRAM [ARGUMENTS...]\n");
        return 3;
    }
    // Past this program's name and the DLL's.
    std::string commandLine = common::ArgumentText(common::ArgumentText(GetCommandLineA()));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        return 3;
    }
    std::string error;
    if (!e2e::LoadBeforeEntry(process.hProcess, process.hThread, argv[1], error)) {
        std::fprintf(stderr, "cannot load %s into %s: %s\n", argv[1], argv[2], error.c_str());
        TerminateProcess(process.hProcess, 3);
        return 3;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 3;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
