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

// Points the module's import of `name` from kernel32 at `replacement` and
// returns what it pointed at, or null where the module does not import it.
void* PointImportAt(HMODULE module, const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) return nullptr;
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); import->Name;
         ++import) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + import->Name), "kernel32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), name) != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
            void* original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return original;
        }
    }
    return nullptr;
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
    const bool moveEx = PointImportAt(program, "MoveFileExA", reinterpret_cast<void*>(MoveFileExAAsOn9x)) != nullptr;
    realMoveFileA = reinterpret_cast<MoveFileAFunction>(
        PointImportAt(program, "MoveFileA", reinterpret_cast<void*>(WatchedMoveFileA)));
    realDeleteFileA = reinterpret_cast<DeleteFileAFunction>(
        PointImportAt(program, "DeleteFileA", reinterpret_cast<void*>(WatchedDeleteFileA)));
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
