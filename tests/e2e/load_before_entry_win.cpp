#include "tests/e2e/load_before_entry_win.h"

#include <windows.h>
#include <winternl.h>

namespace e2e {

namespace {

bool Fail(std::string& error, const std::string& what) {
    error = what + " (error " + std::to_string(GetLastError()) + ")";
    return false;
}

template <typename T>
bool ReadRemote(HANDLE process, const void* address, T& value) {
    SIZE_T got = 0;
    return ReadProcessMemory(process, address, &value, sizeof value, &got) && got == sizeof value;
}

bool WriteCode(HANDLE process, void* address, const void* bytes, SIZE_T size) {
    DWORD protection = 0;
    if (!VirtualProtectEx(process, address, size, PAGE_EXECUTE_READWRITE, &protection)) return false;
    SIZE_T written = 0;
    const bool ok = WriteProcessMemory(process, address, bytes, size, &written) && written == size;
    VirtualProtectEx(process, address, size, protection, &protection);
    FlushInstructionCache(process, address, size);
    return ok;
}

// Where the program's entry point lies in its process: the image's base
// from the process's environment block, the offset from its headers.
BYTE* EntryPoint(HANDLE process, std::string& error) {
    using QueryFunction = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG length = 0;
    if (query == nullptr || query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0) {
        Fail(error, "cannot ask for the process's environment block");
        return nullptr;
    }
    // The image base follows four flag bytes and the mutant handle.
    BYTE* base = nullptr;
    const BYTE* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    if (!ReadRemote(process, peb + 2 * sizeof(void*), base)) {
        Fail(error, "cannot read the image base");
        return nullptr;
    }
    IMAGE_DOS_HEADER dos = {};
    IMAGE_NT_HEADERS nt = {};
    if (!ReadRemote(process, base, dos) || !ReadRemote(process, base + dos.e_lfanew, nt) ||
        nt.Signature != IMAGE_NT_SIGNATURE) {
        Fail(error, "cannot read the program's headers");
        return nullptr;
    }
    return base + nt.OptionalHeader.AddressOfEntryPoint;
}

void* InstructionPointer(HANDLE thread) {
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (SuspendThread(thread) == static_cast<DWORD>(-1)) return nullptr;
    const BOOL got = GetThreadContext(thread, &context);
    ResumeThread(thread);
    if (!got) return nullptr;
#ifdef _WIN64
    return reinterpret_cast<void*>(context.Rip);
#else
    return reinterpret_cast<void*>(context.Eip);
#endif
}

// Loads the DLL through a thread of the program's own that runs
// LoadLibraryA, which lies where it lies in this process: Windows (and
// Wine) map kernel32 at one address in every process of a session.
bool LoadInto(HANDLE process, const std::string& dll, std::string& error) {
    void* text = VirtualAllocEx(process, nullptr, dll.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (text == nullptr) return Fail(error, "cannot make room for the DLL's name");
    SIZE_T written = 0;
    bool ok = WriteProcessMemory(process, text, dll.c_str(), dll.size() + 1, &written) != 0;
    auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    HANDLE thread = ok ? CreateRemoteThread(process, nullptr, 0, loadLibrary, text, 0, nullptr) : nullptr;
    if (thread == nullptr) return Fail(error, "cannot start the loading thread");
    ok = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
    DWORD module = 0;
    GetExitCodeThread(thread, &module);
    CloseHandle(thread);
    VirtualFreeEx(process, text, 0, MEM_RELEASE);
    if (!ok) return Fail(error, "the loading thread did not end");
    // The exit code holds the module's handle; cut to 32 bits on 64-bit
    // Windows, it may read 0 there (the stand-in's own log tells then).
    if (module == 0 && sizeof(void*) == 4) return Fail(error, "the program could not load " + dll);
    return true;
}

// Polls until the thread stands at `entry`, for up to `timeoutMs`.
bool ArrivesAt(HANDLE thread, const BYTE* entry, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (InstructionPointer(thread) == entry) return true;
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

}  // namespace

bool LoadBeforeEntry(HANDLE handle, HANDLE thread, const std::string& dll, std::string& error) {
    BYTE* entry = EntryPoint(handle, error);
    BYTE original[2] = {};
    static const BYTE kLoopHere[2] = {0xEB, 0xFE};  // jmp to itself
    bool ok = entry != nullptr;
    if (ok && (!ReadRemote(handle, entry, original) || !WriteCode(handle, entry, kLoopHere, sizeof kLoopHere))) {
        ok = Fail(error, "cannot hold the program at its entry point");
    }
    if (ok) {
        // The loader resolves the imports and starts the DLLs, then the
        // thread arrives at the entry point and stays there.
        ResumeThread(thread);
        ok = ArrivesAt(thread, entry, 10000) || Fail(error, "the program did not reach its entry point");
    }
    ok = ok && LoadInto(handle, dll, error);
    if (ok) {
        SuspendThread(thread);
        ok = WriteCode(handle, entry, original, sizeof original) || Fail(error, "cannot restore the entry point");
        ResumeThread(thread);
    }
    return ok;
}

}  // namespace e2e
