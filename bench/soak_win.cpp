// The saver left running: starts vorsaver.scr /s beside this program with
// its day board, watches the board's bursts of motion on the screen for the
// given minutes (the product is not shortened: the bursts come at its own
// pace, and the frames are counted as they show), and compares the saver's
// working set and, where the system reports them, its GDI and USER objects
// and handles at the start and the end. Where those read 0 (Windows 95/98
// have no such call; Wine answers 0), a stand-in DLL put into the saver
// before its first instruction counts its GDI objects and device contexts
// itself (tests/stand-ins/gdi_count_win.cpp), and names any left live.
//   soak.exe MINUTES [gdi-count.dll]
// Exit code 0 when memory and objects stayed flat and the board kept moving.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/load_before_entry_win.h"
#include "tests/stand-ins/gdi_counts_win.h"

namespace {

struct Usage {
    SIZE_T workingSet = 0;
    SIZE_T peakWorkingSet = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD handles = 0;
};

Usage Measure(HANDLE process) {
    Usage usage;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        usage.workingSet = memory.WorkingSetSize;
        usage.peakWorkingSet = memory.PeakWorkingSetSize;
    }
    usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    using HandleCountFunction = BOOL(WINAPI*)(HANDLE, PDWORD);
    auto handleCount = reinterpret_cast<HandleCountFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount")));
    if (handleCount != nullptr) handleCount(process, &usage.handles);
    return usage;
}

struct FindWindowOf {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<FindWindowOf*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == search->processId && std::string(name) == search->className && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD processId, const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        FindWindowOf search = {processId, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(20);
    }
    return nullptr;
}

// A checksum of the screen's pixels in `rect`: it changes with every frame
// of motion shown there.
class ScreenSampler {
public:
    explicit ScreenSampler(const RECT& rect)
        : rect_(rect), width_(rect.right - rect.left), height_(rect.bottom - rect.top) {
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(memory_, bitmap_);
    }
    ~ScreenSampler() {
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    unsigned long long Sample() {
        BitBlt(memory_, 0, 0, width_, height_, screen_, rect_.left, rect_.top, SRCCOPY);
        GdiFlush();
        unsigned long long sum = 1469598103934665603ULL;
        for (int i = 0; i < width_ * height_; ++i) sum = (sum ^ (bits_[i] & 0xFFFFFF)) * 1099511628211ULL;
        return sum;
    }

private:
    RECT rect_;
    int width_, height_;
    HDC screen_ = nullptr, memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    unsigned* bits_ = nullptr;
};

std::string Objects(DWORD start, DWORD end) {
    if (start == 0 && end == 0) return "not reported by this system";
    return std::to_string(start) + " -> " + std::to_string(end);
}

}  // namespace

int main(int argc, char** argv) {
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (minutes <= 0) {
        std::fprintf(stderr, "usage: soak.exe MINUTES [gdi-count.dll]\n");
        return 2;
    }
    std::string counter = argc > 2 ? argv[2] : "";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder = folder.substr(0, folder.find_last_of('\\'));
    // The stand-in beside this program unless a path names it.
    if (!counter.empty() && counter.find_first_of("\\/") == std::string::npos) counter = folder + "\\" + counter;
    std::string commandLine = "\"" + folder + "\\vorsaver.scr\" /s";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver = {};
    const std::string gdiLog = folder + "\\gdi-count.log";
    DeleteFileA(gdiLog.c_str());
    SetEnvironmentVariableA("VORLAKS_GDI_LOG", gdiLog.c_str());
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, counter.empty() ? 0 : CREATE_SUSPENDED,
                        nullptr, folder.c_str(), &startup, &saver)) {
        std::fprintf(stderr, "cannot start the saver (%lu)\n", GetLastError());
        return 1;
    }
    std::string error;
    if (!counter.empty() && !e2e::LoadBeforeEntry(saver.hProcess, saver.hThread, counter, error)) {
        std::fprintf(stderr, "cannot count the saver's GDI objects: %s\n", error.c_str());
        TerminateProcess(saver.hProcess, 1);
        return 1;
    }
    HWND window = WaitForWindow(saver.dwProcessId, "VorsaverMain", 20000);
    HWND board = window ? FindWindowExA(window, nullptr, "VorlaksDayBoard", nullptr) : nullptr;
    if (board == nullptr) {
        std::fprintf(stderr, "the saver showed no day board\n");
        TerminateProcess(saver.hProcess, 1);
        return 1;
    }
    // The board's upper part, where its motion runs.
    RECT watched;
    GetWindowRect(board, &watched);
    watched.bottom = watched.top + (watched.bottom - watched.top) * 2 / 5;
    ScreenSampler sampler(watched);

    // The start: once the first burst has come and gone.
    const DWORD kQuietMs = 2000;
    unsigned long long last = sampler.Sample();
    DWORD lastChange = 0;
    bool sawMotion = false;
    const DWORD began = GetTickCount();
    while (GetTickCount() - began < 20000) {
        Sleep(20);
        const unsigned long long now = sampler.Sample();
        if (now != last) {
            sawMotion = true;
            lastChange = GetTickCount();
            last = now;
        }
        if (sawMotion && GetTickCount() - lastChange > kQuietMs) break;
    }
    const Usage first = Measure(saver.hProcess);
    const standin::GdiCounts firstGdi = standin::QuietGdiCounts(saver.dwProcessId);

    long bursts = 0;
    long frames = 0;
    const DWORD soakStart = GetTickCount();
    const DWORD soakMs = static_cast<DWORD>(minutes * 60 * 1000);
    lastChange = GetTickCount();
    while (GetTickCount() - soakStart < soakMs) {
        if (WaitForSingleObject(saver.hProcess, 15) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(saver.hProcess, &code);
            std::printf("FAIL: the saver ended %.1f minutes into the soak (exit code 0x%lx) after %ld bursts\n",
                        (GetTickCount() - soakStart) / 60000.0, static_cast<unsigned long>(code), bursts);
            return 1;
        }
        const unsigned long long now = sampler.Sample();
        if (now == last) continue;
        if (GetTickCount() - lastChange > kQuietMs) ++bursts;
        ++frames;
        last = now;
        lastChange = GetTickCount();
    }
    const Usage end = Measure(saver.hProcess);
    const standin::GdiCounts endGdi = standin::QuietGdiCounts(saver.dwProcessId);
    const double soaked = (GetTickCount() - soakStart) / 60000.0;

    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(saver.hProcess, 10000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(saver.hProcess, 1);

    const long growth = static_cast<long>(end.workingSet) - static_cast<long>(first.workingSet);
    std::printf("soak: %.1f minutes, %ld bursts of motion, %ld frames seen (%.1f a burst)\n", soaked, bursts, frames,
                bursts ? static_cast<double>(frames) / bursts : 0.0);
    std::printf("working set: %lu KB at the start, %lu KB at the end (%+ld KB), peak %lu KB\n",
                static_cast<unsigned long>(first.workingSet / 1024), static_cast<unsigned long>(end.workingSet / 1024),
                growth / 1024, static_cast<unsigned long>(end.peakWorkingSet / 1024));
    std::printf("GDI objects: %s; USER objects: %s; handles: %s\n",
                Objects(first.gdiObjects, end.gdiObjects).c_str(),
                Objects(first.userObjects, end.userObjects).c_str(), Objects(first.handles, end.handles).c_str());

    bool flat = true;
    if (!counter.empty()) {
        std::printf("GDI, counted in the saver: %ld -> %ld live objects (peak %ld), %ld -> %ld window DCs (peak %ld); "
                    "%ld made and %ld freed during the run\n",
                    firstGdi.objects, endGdi.objects, endGdi.peakObjects, firstGdi.dcs, endGdi.dcs, endGdi.peakDcs,
                    endGdi.made - firstGdi.made, endGdi.freed - firstGdi.freed);
        // Counted: every burst makes and frees its band. At rest the board
        // may hold none at all.
        if (endGdi.made == firstGdi.made || endGdi.objects > firstGdi.objects || endGdi.dcs > firstGdi.dcs) {
            std::printf("FAIL: live GDI objects grew (or were not counted)\n");
            flat = false;
        }
        if (endGdi.deletedSelected != 0) {
            std::printf("FAIL: %ld objects deleted while selected (Windows 95 keeps them)\n", endGdi.deletedSelected);
            flat = false;
        }
        // What the stand-in found live as the saver ended, with the call that made it.
        std::ifstream log(gdiLog);
        for (std::string line; std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("left ", 0) == 0 || line.rfind("peak ", 0) == 0) std::printf("  at the end: %s\n", line.c_str());
        }
    }
    // Flat: within a megabyte or 5 %, whichever is more (the system's own
    // caches move a little); objects where counted, within two.
    const long allowed = std::max<long>(1024 * 1024, static_cast<long>(first.workingSet / 20));
    if (first.workingSet == 0 || growth > allowed) {
        std::printf("FAIL: the working set grew by more than %ld KB\n", allowed / 1024);
        flat = false;
    }
    const DWORD pairs[3][2] = {{first.gdiObjects, end.gdiObjects},
                               {first.userObjects, end.userObjects},
                               {first.handles, end.handles}};
    for (const auto& pair : pairs) {
        if (pair[0] != 0 && pair[1] > pair[0] + 2) {
            std::printf("FAIL: objects grew from %lu to %lu\n", pair[0], pair[1]);
            flat = false;
        }
    }
    // A burst every ten and a half seconds or so (1.8 s of motion, 9 s
    // still); under load some frames go unseen, never most.
    const long expectedBursts = static_cast<long>(soaked * 60 / 10.8);
    if (bursts < expectedBursts * 3 / 4 || frames < bursts * 10) {
        std::printf("FAIL: the board did not keep moving (%ld bursts expected)\n", expectedBursts);
        flat = false;
    }
    if (!ended) {
        std::printf("FAIL: the saver did not end when asked\n");
        flat = false;
    }
    std::printf(flat ? "PASS: memory and objects flat\n" : "");
    return flat ? 0 : 1;
}
