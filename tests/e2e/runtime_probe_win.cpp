// Built on the shipped programs' own run-time (common/runtime/) and run under
// Wine: what a C library's start-up would have done must have happened, and
// the compiler's helpers must work in a real process. Exits 0 when all is
// well, otherwise with the number of the first check that failed.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

struct Constructed {
    int value = 0;
    Constructed() : value(42) {}
};
Constructed constructed;  // needs the static constructors run before WinMain

volatile int exitRoutineRan = 0;

void ExitRoutine() {
    // Runs after WinMain returns: only then may the process end well.
    ExitProcess(exitRoutineRan == 0 ? 0 : 90);
}

template <typename T>
T Opaque(T value) {
    volatile T copy = value;  // keeps the compiler from folding the sums
    return copy;
}

int DeepFrame(int seed) {
    char block[20000];  // larger than a page: the stack probe must touch each
    for (int i = 0; i < static_cast<int>(sizeof block); ++i) block[i] = static_cast<char>(seed + i);
    int sum = 0;
    for (int i = 0; i < static_cast<int>(sizeof block); i += 4096) sum += block[i];
    return sum;
}

int Check() {
    if (constructed.value != 42) return 1;
    if (Opaque<std::uint64_t>(0xFFFFFFFFFFFFFFFFULL) / Opaque<std::uint64_t>(0x100000001ULL) != 0xFFFFFFFFULL) return 2;
    if (Opaque<std::uint64_t>(123456789012345ULL) % Opaque<std::uint64_t>(1000) != 345) return 3;
    if (Opaque<std::int64_t>(-123456789012345LL) / Opaque<std::int64_t>(1000) != -123456789012LL) return 4;
    if (Opaque<std::int64_t>(-123456789012345LL) % Opaque<std::int64_t>(1000) != -345) return 5;
    if (DeepFrame(Opaque(1)) == 12345) return 6;  // only that it returns
    char* end = nullptr;
    if (std::strtod("  -12.5e1x", &end) != -125.0 || *end != 'x') return 7;
    std::map<std::string, int> map;
    for (int i = 0; i < 500; ++i) map[std::to_string((i * 7919) % 1000)] = i;
    int count = 0;
    std::string previous;
    for (const auto& entry : map) {
        if (count++ > 0 && !(previous < entry.first)) return 8;
        previous = entry.first;
    }
    if (count != 500) return 9;
    for (int i = 0; i < 1000; i += 2) map.erase(std::to_string(i));
    if (map.size() != 250) return 10;
    if (std::atexit(ExitRoutine) != 0) return 11;
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // The arguments as the C library hands them: past the program's name.
    if (std::string(commandLine) != "one \"two three\"") return 12;
    const int failed = Check();
    if (failed != 0) ExitProcess(static_cast<UINT>(failed));
    return 91;  // replaced by the exit routine's 0
}
