// Start-up cost of the CD menu against a baseline in the same run: the time
// to first paint of menu.exe against a program that only shows a plain
// window of the same size and kind.
// Run it from the folder that holds menu.exe and menu-baseline.exe;
// bench/menu-bench.sh runs it under Wine.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/first_paint_win.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    const std::string folder = bench::Folder();
    bench::FirstPaint times = bench::CompareFirstPaint("\"" + folder + "\\menu.exe\"",
                                                       "\"" + folder + "\\menu-baseline.exe\"", folder, rounds);
    std::printf("first paint: menu %.1f ms, plain window %.1f ms, ratio %.2f (median of %d)\n", times.program * 1000,
                times.baseline * 1000, times.program / times.baseline, rounds);
    bench::PrintMemory("menu", "plain window", times, 0.75);
    return 0;
}
