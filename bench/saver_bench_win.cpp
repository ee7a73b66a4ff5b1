// Start-up cost of the saver against a baseline in the same run: the time
// to first paint of the saver with the day board against a program that
// only shows a black maximized window.
// Run it from the folder that holds vorsaver.scr and black-window.exe;
// bench/saver-bench.sh runs it under Wine together with the CPU measurement.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/first_paint_win.h"
#include "vorsaver/movie/movie_variables.h"

namespace {

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
    const std::string folder = bench::Folder();
    WriteSchedule(folder + "\\schedule.pvz");
    bench::FirstPaint times = bench::CompareFirstPaint("\"" + folder + "\\vorsaver.scr\" /s",
                                                       "\"" + folder + "\\black-window.exe\"", folder, rounds);
    std::printf("first paint: saver %.1f ms, black window %.1f ms, ratio %.2f (median of %d)\n", times.program * 1000,
                times.baseline * 1000, times.program / times.baseline, rounds);
    bench::PrintMemory("saver", "black window", times, 1.5);
    return 0;
}
