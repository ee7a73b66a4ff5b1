// The shipped programs' own start: no C run-time library, so no msvcrt.dll
// (which a clean Windows 95 lacks) and no start-up code built for a later
// CPU than the 486. Windows calls WinMainCRTStartup; it runs the static
// constructors, calls WinMain as the C library would, runs what was
// registered with atexit and ends the process with WinMain's result.
#include <windows.h>

extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

using Routine = void (*)();

// The linker lays the static constructors out between a -1 and a 0.
extern "C" Routine __CTOR_LIST__[];

namespace {

// Destructors of static objects, in the order they were registered. A
// fixed table: the programs register a handful, and atexit may fail.
Routine exitRoutines[64];
int exitRoutineCount = 0;

void RunConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
    for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

void RunExitRoutines() {
    while (exitRoutineCount > 0) exitRoutines[--exitRoutineCount]();
}

// The command line after the program's name, as the C library hands it to
// WinMain: past the name (quoted or not) and the blanks after it.
char* ArgumentsOf(char* line) {
    if (*line == '"') {
        ++line;
        while (*line && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

}  // namespace

extern "C" int atexit(Routine routine) {
    if (exitRoutineCount == static_cast<int>(sizeof exitRoutines / sizeof exitRoutines[0])) return -1;
    exitRoutines[exitRoutineCount++] = routine;
    return 0;
}

extern "C" void WinMainCRTStartup() {
    // The FPU as the C library leaves it: all exceptions masked, 64-bit precision.
    __asm__ volatile("fninit");
    RunConstructors();
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), show);
    RunExitRoutines();
    ExitProcess(static_cast<UINT>(result));
}
