// Shows the day board as the saver would, centred on an 800 x 600 black
// window, for looking at it; not shipped.
//
//   day_board_demo.exe <variables file>
//   day_board_demo.exe <variables file> <seconds> <report file>
//   day_board_demo.exe <variables file> --still <frame> [<width> <height>]
//
// With a number of seconds it measures and then ends by itself: the CPU time
// the process used over that many seconds once the board was up (a share of
// one core), and the GDI objects held before and after a round of forced
// repaints and stills, which tells a leak. Where GetGuiResources counts
// nothing (Wine), the objects are counted by how many more brushes the
// process can still make. With --still it shows one frame
// drawn by DrawDayBoard instead of the live board, to look at the motion.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "vorsaver/movie/board_raster.h"
#include "vorsaver/movie/board_renderer_win.h"
#include "vorsaver/movie/day_board_win.h"

namespace {

const int kWindowWidth = 800;
const int kWindowHeight = 600;
const int kBoardWidth = 641;
const int kBoardHeight = 481;
const UINT_PTR kSettleTimer = 1;
const UINT_PTR kEndTimer = 2;
const UINT kSettleMs = 1000;
const int kStressRounds = 200;

std::string variablesPath;
int measureSeconds = 0;
std::string reportPath;
HWND board = nullptr;
int stillFrame = 0;
int stillWidth = kBoardWidth;
int stillHeight = kBoardHeight;
bool showStill = false;
unsigned long long cpuAtStart = 0;

unsigned long long ProcessCpu100ns() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

std::string ReadFileText(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, read);
        std::fclose(file);
    }
    return text;
}

// How many GDI objects the process can still create before the table is
// full: every object leaked is one fewer.
DWORD FreeGdiSlots() {
    std::vector<HBRUSH> brushes;
    const std::size_t kCap = 200000;
    while (brushes.size() < kCap) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (brush == nullptr) break;
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes) DeleteObject(brush);
    return static_cast<DWORD>(brushes.size());
}

// GDI objects the process holds, or, where GetGuiResources counts nothing
// (Wine), minus the number it can still create; either way a leak shows as a
// rise.
long GdiObjectsHeld() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0) return static_cast<long>(counted);
    return -static_cast<long>(FreeGdiSlots());
}

// Repaints the board and draws stills many times over; afterwards the
// process must hold as many GDI objects as before.
void Stress(HWND window) {
    const vorsaver::DayBoardContent content = vorsaver::ReadDayBoard(ReadFileText(variablesPath));
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, 152, 112);
    HGDIOBJ old = SelectObject(memory, picture);
    for (int i = 0; i < kStressRounds; ++i) {
        RedrawWindow(board, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        DrawDayBoard(memory, 152, 112, content, i % vorsaver::kDayBoardMotionFrames);
    }
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(window, screen);
}

void Report(HWND window) {
    const unsigned long long cpu = ProcessCpu100ns() - cpuAtStart;
    const long gdiBefore = GdiObjectsHeld();
    Stress(window);
    const long gdiAfter = GdiObjectsHeld();
    if (FILE* file = std::fopen(reportPath.c_str(), "w")) {
        std::fprintf(file, "cpu_ms %.1f over %d s = %.3f%% of one core\n", cpu / 1e4, measureSeconds,
                     cpu / 1e5 / measureSeconds);
        std::fprintf(file, "gdi_objects_gained %ld over %d repaints and %d stills\n", gdiAfter - gdiBefore,
                     kStressRounds, kStressRounds);
        std::fclose(file);
    }
}

RECT BoardRect() {
    const int left = (kWindowWidth - kBoardWidth) / 2;
    const int top = (kWindowHeight - kBoardHeight) / 2;
    return {left, top, left + kBoardWidth, top + kBoardHeight};
}

void PaintStill(HWND hwnd) {
    static const vorsaver::DayBoardContent content = vorsaver::ReadDayBoard(ReadFileText(variablesPath));
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    SetViewportOrgEx(dc, (kWindowWidth - stillWidth) / 2, (kWindowHeight - stillHeight) / 2, nullptr);
    DrawDayBoard(dc, stillWidth, stillHeight, content, stillFrame);
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK DemoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (!showStill) break;
        PaintStill(hwnd);
        return 0;
    case WM_TIMER:
        KillTimer(hwnd, wParam);
        if (wParam == kSettleTimer) {
            cpuAtStart = ProcessCpu100ns();
            SetTimer(hwnd, kEndTimer, static_cast<UINT>(measureSeconds * 1000), nullptr);
        } else {
            Report(hwnd);
            DestroyWindow(hwnd);
        }
        return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        MessageBoxA(nullptr, "day_board_demo <variables file> [<seconds> <report file>]", "Day board", MB_OK);
        return 2;
    }
    variablesPath = argv[1];
    if (argc >= 4 && std::string(argv[2]) == "--still") {
        showStill = true;
        stillFrame = std::atoi(argv[3]);
        if (argc >= 6) {
            stillWidth = std::atoi(argv[4]);
            stillHeight = std::atoi(argv[5]);
        }
    } else if (argc >= 4) {
        measureSeconds = std::atoi(argv[2]);
        reportPath = argv[3];
    }

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DemoProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "DayBoardDemo";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "DayBoardDemo", "Day board", WS_POPUP | WS_CLIPCHILDREN, 0, 0, kWindowWidth,
                                  kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!showStill) board = CreateDayBoard(window, BoardRect(), variablesPath);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    if (measureSeconds > 0) SetTimer(window, kSettleTimer, kSettleMs, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
