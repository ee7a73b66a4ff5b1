// Start-up cost of the saver against a baseline in the same run: the time
// from starting a program to its first paint (its window shown and its
// message queue idle for the first time), the saver with the day board
// against a program that only shows a black maximized window.
// Run it from the folder that holds vorsaver.scr and black-window.exe;
// bench/saver-bench.sh runs it under Wine together with the CPU measurement.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "vorsaver/movie/movie_variables.h"

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

struct Window {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Window*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
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
        std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
        std::exit(2);
    }
    Window search{info.dwProcessId, nullptr};
    for (;;) {
        search.found = nullptr;
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) break;
        Sleep(1);
    }
    WaitForInputIdle(info.hProcess, 10000);
    RedrawWindow(search.found, nullptr, nullptr, RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

void Stop(PROCESS_INFORMATION& info) {
    Window search{info.dwProcessId, nullptr};
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void WriteSchedule(const std::string& path) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    vorsaver::DaySerial today = vorsaver::SerialFromCivil(now.wYear, now.wMonth, now.wDay);
    std::string text;
    for (int offset : {-1, 0, 1, 3, 7}) {
        vorsaver::CivilDate date = vorsaver::CivilFromSerial(today + offset);
        char line[160];
        std::snprintf(line, sizeof line, "%04d-%02d-%02d\tTarrowick Vorlaks%%0D%%0D7:30 PM vs. Harbor Kings%%0DCivic ArenaHBK\r\n",
                      date.year, date.month, date.day);
        text += line;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    const std::string folder = Folder();
    WriteSchedule(folder + "\\schedule.pvz");
    const std::string saver = "\"" + folder + "\\vorsaver.scr\" /s";
    const std::string baseline = "\"" + folder + "\\black-window.exe\"";

    std::vector<double> saverTimes, baselineTimes;
    for (int round = 0; round < rounds; ++round) {
        PROCESS_INFORMATION info;
        baselineTimes.push_back(TimeToFirstPaint(baseline, folder, info));
        Stop(info);
        saverTimes.push_back(TimeToFirstPaint(saver, folder, info));
        Stop(info);
    }
    double saverMedian = Median(saverTimes), baselineMedian = Median(baselineTimes);
    std::printf("first paint: saver %.1f ms, black window %.1f ms, ratio %.2f (median of %d)\n", saverMedian * 1000,
                baselineMedian * 1000, saverMedian / baselineMedian, rounds);

    return 0;
}
