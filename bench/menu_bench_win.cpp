// Start-up cost of the CD menu against a baseline in the same run: the time
// from starting a program to its first paint (its window shown and its
// message queue idle for the first time), menu.exe against a program that
// only shows a plain window of the same size and kind. Rounds alternate
// between the two; each figure is the median.
// Run it from the folder that holds menu.exe and menu-baseline.exe;
// bench/menu-bench.sh runs it under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of('\\'));
}

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

// Closes the window as its close box does and waits for the program's end,
// so that the next menu is not taken for a second copy.
void Stop(PROCESS_INFORMATION& info) {
    HWND window = ShownWindow(info.dwProcessId);
    if (window != nullptr) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    const std::string folder = Folder();
    const std::string menu = "\"" + folder + "\\menu.exe\"";
    const std::string baseline = "\"" + folder + "\\menu-baseline.exe\"";

    std::vector<double> menuTimes, baselineTimes;
    for (int round = 0; round < rounds; ++round) {
        PROCESS_INFORMATION info;
        baselineTimes.push_back(TimeToFirstPaint(baseline, folder, info));
        Stop(info);
        menuTimes.push_back(TimeToFirstPaint(menu, folder, info));
        Stop(info);
    }
    double menuMedian = Median(menuTimes), baselineMedian = Median(baselineTimes);
    std::printf("first paint: menu %.1f ms, plain window %.1f ms, ratio %.2f (median of %d)\n", menuMedian * 1000,
                baselineMedian * 1000, menuMedian / baselineMedian, rounds);
    return 0;
}
