// Reads the system palette inside a program that runs on a screen of 256
// colours, where Wine keeps that palette per process: a test driver loads
// this stand-in into the unchanged program before its first instruction. It
// counts the program's paints (its own import of BeginPaint), waits until
// the program's window is in front and has painted, and writes down the
// system palette; then it brings a window of its own to the front with a
// palette of greys, writes the palette down again, gives the front back to
// the program, and writes down the palette and the paints once more.
//
//   VORLAKS_PALETTE_LOG   a file that gets a line for each step:
//                         "<step> <paints> <256 colours as RRGGBB>", the
//                         steps "front", "other" and "back", then "done"
//                         (or "fault <why>")
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/stand-ins/import_slots_win.h"
#include "tests/stand-ins/stand_in_log_win.h"

namespace {

volatile LONG paints = 0;
using BeginPaintFunction = HDC(WINAPI*)(HWND, PAINTSTRUCT*);
BeginPaintFunction realBeginPaint = nullptr;
const DWORD kWaitMs = 30000;

std::string logPath;

void Log(const std::string& line) { standin::AppendLine(logPath, line); }

HDC WINAPI CountedBeginPaint(HWND window, PAINTSTRUCT* paint) {
    InterlockedIncrement(&paints);
    return realBeginPaint(window, paint);
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Pumps this thread's messages until `condition` holds or the wait is over.
template <class Condition>
bool PumpUntil(Condition condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > kWaitMs) return false;
        Pump();
        Sleep(50);
    }
    return true;
}

void LogPalette(const char* step) {
    PALETTEENTRY entries[256] = {};
    HDC screen = GetDC(nullptr);
    const UINT count = GetSystemPaletteEntries(screen, 0, 256, entries);
    ReleaseDC(nullptr, screen);
    std::string line = std::string(step) + " " + std::to_string(paints);
    for (UINT i = 0; i < count; ++i) {
        char colour[8];
        std::snprintf(colour, sizeof colour, " %02X%02X%02X", entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
        line += colour;
    }
    Log(line);
}

HWND programWindow = nullptr;

BOOL CALLBACK FindFront(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && GetForegroundWindow() == window) {
        programWindow = window;
        return FALSE;
    }
    return TRUE;
}

HPALETTE greys = nullptr;

void RealizeGreys(HWND window) {
    HDC dc = GetDC(window);
    HPALETTE old = SelectPalette(dc, greys, FALSE);
    RealizePalette(dc);
    SelectPalette(dc, old, TRUE);
    ReleaseDC(window, dc);
}

LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYNEWPALETTE) {
        RealizeGreys(window);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Greys that neither the fixed colours, the colour cube nor the board hold.
HPALETTE MakeGreys() {
    struct {
        WORD version, count;
        PALETTEENTRY entries[236];
    } logical = {0x300, 236, {}};
    for (int i = 0; i < 236; ++i) {
        const BYTE level = static_cast<BYTE>(10 + i);
        logical.entries[i] = {level, level, static_cast<BYTE>(level + 1), 0};
    }
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
}

bool HoldsGreys() {
    PALETTEENTRY entries[256] = {};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, 256, entries);
    ReleaseDC(nullptr, screen);
    int found = 0;
    for (const PALETTEENTRY& entry : entries) {
        if (entry.peBlue == entry.peRed + 1 && entry.peRed == entry.peGreen) ++found;
    }
    return found >= 150;
}

DWORD WINAPI Probe(LPVOID) {
    if (!PumpUntil([] {
            EnumWindows(FindFront, 0);
            return programWindow != nullptr && paints > 0;
        })) {
        DWORD front = 0;
        char frontClass[64] = {};
        GetWindowThreadProcessId(GetForegroundWindow(), &front);
        GetClassNameA(GetForegroundWindow(), frontClass, sizeof frontClass);
        Log("fault the program's window did not come to the front and paint (paints " + std::to_string(paints) +
            ", the front window " + frontClass + " of process " + std::to_string(front) + ", this " +
            std::to_string(GetCurrentProcessId()) + ")");
        return 0;
    }
    // Its first paints done, the palette it realized in front is in place.
    Sleep(500);
    LogPalette("front");

    greys = MakeGreys();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = OtherProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorlaksPaletteProbe";
    RegisterClassA(&windowClass);
    HWND other = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(other);
    RealizeGreys(other);
    const bool inFront = PumpUntil(HoldsGreys);
    Sleep(500);
    Pump();
    LogPalette("other");
    if (!inFront) Log("fault the other window's palette did not come in front");
    const LONG before = paints;

    DestroyWindow(other);
    // Windows activates some window as the other goes; the program's is
    // brought to the front until it is there.
    if (!PumpUntil([] {
            if (GetForegroundWindow() == programWindow) return true;
            SetForegroundWindow(programWindow);
            return false;
        })) {
        Log("fault the program's window did not come back to the front");
    }
    PumpUntil([before] { return paints > before && !HoldsGreys(); });
    Sleep(500);
    LogPalette("back");
    Log("done");
    return 0;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    logPath = standin::LogPath("VORLAKS_PALETTE_LOG");
    if (logPath.empty()) return TRUE;
    realBeginPaint = reinterpret_cast<BeginPaintFunction>(standin::PointImportAt(
        GetModuleHandleA(nullptr), "user32.dll", "BeginPaint", reinterpret_cast<void*>(CountedBeginPaint)));
    if (realBeginPaint == nullptr) {
        Log("fault the program does not import BeginPaint");
        return TRUE;
    }
    CloseHandle(CreateThread(nullptr, 0, Probe, nullptr, 0, nullptr));
    return TRUE;
}
