// Windows 95, 98 and Me as a program's file calls see them: those systems
// export MoveFileExA but do not implement it, and it fails with
// ERROR_CALL_NOT_IMPLEMENTED. A test driver loads this stand-in into a
// program before its first instruction runs; the stand-in then points the
// program's own import of MoveFileExA at its answer, so the unchanged program
// takes the path it takes on those systems. It also watches the program's
// MoveFileA and DeleteFileA, which it passes on, so a test can see the steps
// and stop the program between two of them.
//
//   VORLAKS_MOVEFILE_LOG   a file that gets one line per call:
//                          "MoveFileExA <from> > <to>", "MoveFileA ...",
//                          "DeleteFileA <path>", and "held <call> <n>"
//   VORLAKS_MOVEFILE_HOLD  "<call> <n>", e.g. "MoveFileA 2": the program
//                          waits forever before making that call for the
//                          n-th time (until the test kills it)
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/stand-ins/import_slots_win.h"

namespace {

char logPath[MAX_PATH] = {};
char holdCall[64] = {};
int holdCount = 0;

using MoveFileAFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR);
using DeleteFileAFunction = BOOL(WINAPI*)(LPCSTR);
MoveFileAFunction realMoveFileA = nullptr;
DeleteFileAFunction realDeleteFileA = nullptr;
int calls[3] = {};  // MoveFileExA, MoveFileA, DeleteFileA

void Log(const std::string& line) {
    if (logPath[0] == '\0') return;
    HANDLE file = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// Counts the call and, when it is the one to hold, never returns.
void Arrive(int index, const char* name, const std::string& what) {
    const int count = ++calls[index];
    Log(std::string(name) + " " + what);
    if (std::strcmp(holdCall, name) == 0 && count == holdCount) {
        Log("held " + std::string(name) + " " + std::to_string(count));
        for (;;) Sleep(INFINITE);
    }
}

BOOL WINAPI MoveFileExAAsOn9x(LPCSTR from, LPCSTR to, DWORD) {
    Arrive(0, "MoveFileExA", std::string(from) + " > " + (to != nullptr ? to : "(deleted)"));
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

BOOL WINAPI WatchedMoveFileA(LPCSTR from, LPCSTR to) {
    Arrive(1, "MoveFileA", std::string(from) + " > " + to);
    return realMoveFileA(from, to);
}

BOOL WINAPI WatchedDeleteFileA(LPCSTR path) {
    Arrive(2, "DeleteFileA", path);
    return realDeleteFileA(path);
}

void Attach() {
    GetEnvironmentVariableA("VORLAKS_MOVEFILE_LOG", logPath, sizeof logPath);
    char hold[96] = {};
    if (GetEnvironmentVariableA("VORLAKS_MOVEFILE_HOLD", hold, sizeof hold) != 0) {
        const char* blank = std::strchr(hold, ' ');
        if (blank != nullptr && static_cast<std::size_t>(blank - hold) < sizeof holdCall) {
            std::memcpy(holdCall, hold, static_cast<std::size_t>(blank - hold));
            holdCount = std::atoi(blank + 1);
        }
    }
    HMODULE program = GetModuleHandleA(nullptr);
    auto point = [program](const char* name, void* replacement) {
        return standin::PointImportAt(program, "kernel32.dll", name, replacement);
    };
    const bool moveEx = point("MoveFileExA", reinterpret_cast<void*>(MoveFileExAAsOn9x)) != nullptr;
    realMoveFileA = reinterpret_cast<MoveFileAFunction>(point("MoveFileA", reinterpret_cast<void*>(WatchedMoveFileA)));
    realDeleteFileA =
        reinterpret_cast<DeleteFileAFunction>(point("DeleteFileA", reinterpret_cast<void*>(WatchedDeleteFileA)));
    // Where the program does not import one of them, it is left alone.
    if (realMoveFileA == nullptr) realMoveFileA = MoveFileA;
    if (realDeleteFileA == nullptr) realDeleteFileA = DeleteFileA;
    Log(moveEx ? "attached" : "attached without MoveFileExA");
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Attach();
    return TRUE;
}
