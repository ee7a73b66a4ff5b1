#include "bench/first_paint_win.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bench {

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND ShownWindow(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts the program and returns the seconds until its first paint; the
// process is left running in `info`.
double TimeToFirstPaint(const std::string& commandLine, const std::string& folder, PROCESS_INFORMATION& info) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        std::exit(2);
    }
    HWND window = nullptr;
    while ((window = ShownWindow(info.dwProcessId)) == nullptr) {
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%s ended without a window\n", commandLine.c_str());
            std::exit(2);
        }
    }
    WaitForInputIdle(info.hProcess, 10000);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// The working set once the first picture has settled, before the saver's
// first burst of motion (1.2 s after its start).
double SettledWorkingSet(HANDLE process) {
    Sleep(500);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, &memory, sizeof memory)) return 0;
    return static_cast<double>(memory.WorkingSetSize);
}

// Closes the window as its close box does and waits for the program's end,
// so that the next start is not taken for a second copy.
void Stop(PROCESS_INFORMATION& info) {
    HWND window = ShownWindow(info.dwProcessId);
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of('\\'));
}

FirstPaint CompareFirstPaint(const std::string& program, const std::string& baseline, const std::string& folder,
                             int rounds) {
    std::vector<double> programTimes, baselineTimes, programMemory, baselineMemory;
    for (int round = 0; round < rounds; ++round) {
        PROCESS_INFORMATION info;
        baselineTimes.push_back(TimeToFirstPaint(baseline, folder, info));
        baselineMemory.push_back(SettledWorkingSet(info.hProcess));
        Stop(info);
        programTimes.push_back(TimeToFirstPaint(program, folder, info));
        programMemory.push_back(SettledWorkingSet(info.hProcess));
        Stop(info);
    }
    return {Median(programTimes), Median(baselineTimes), Median(programMemory), Median(baselineMemory)};
}

void PrintMemory(const char* program, const char* baseline, const FirstPaint& figures, double goalMegabytes) {
    const double megabyte = 1024.0 * 1024.0;
    const double above = (figures.programMemory - figures.baselineMemory) / megabyte;
    std::printf("working set: %s %.1f MB, %s %.1f MB, %+.2f MB above it, ratio %.2f (goal <= %+.2f MB%s)\n", program,
                figures.programMemory / megabyte, baseline, figures.baselineMemory / megabyte, above,
                figures.programMemory / figures.baselineMemory, goalMegabytes,
                above <= goalMegabytes ? "" : ", MISSED");
}

}  // namespace bench
