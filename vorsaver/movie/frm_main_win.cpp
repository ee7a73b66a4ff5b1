#include "vorsaver/movie/frm_main_win.h"

#include <windows.h>

#include "common/app_folder_win.h"
#include "common/file_store_win.h"
#include "vorsaver/movie/date_services.h"
#include "vorsaver/movie/movie_variables.h"
#include "vorsaver/startup/loader_win.h"

namespace frmMain {

namespace {

const char kClassName[] = "VorsaverMain";
HWND window = nullptr;

// Puts the pointer and the running flag back before the program ends.
void RestoreSystem() {
    Loader::EnableSystemKeys(true);
    ShowCursor(TRUE);
}

// Runs once, when the window is created and before it is shown.
void Form_Load(HWND hwnd) {
    // Above every other window, where a screen saver belongs.
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    common::WinFileStore files;
    std::unique_ptr<vorsaver::DateServices> dates = vorsaver::MakeDateServices();
    vorsaver::DataStepResult written =
        vorsaver::WriteMovieVariables(common::ApplicationFolder(), vorsaver::LocalToday(), *dates, files);
    if (!written.ok) {
        RestoreSystem();
        Loader::ReportErrorAndEnd(written.message);
    }
}

// The window has been asked to close.
void Form_QueryUnload(HWND hwnd) {
    RestoreSystem();
    DestroyWindow(hwnd);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        Form_Load(hwnd);
        return 0;
    case WM_GETMINMAXINFO: {
        // Maximized means the whole screen, task bar included.
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxPosition.x = 0;
        info->ptMaxPosition.y = 0;
        info->ptMaxSize.x = GetSystemMetrics(SM_CXSCREEN);
        info->ptMaxSize.y = GetSystemMetrics(SM_CYSCREEN);
        return 0;
    }
    case WM_CLOSE:
        Form_QueryUnload(hwnd);
        return 0;
    case WM_DESTROY:
        window = nullptr;
        Loader::FormClosed();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

void Show() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    RegisterClassA(&windowClass);

    // A tool window stays out of the task bar.
    window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, Loader::kProgramTitle,
                             WS_POPUP | WS_CLIPCHILDREN, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return;
    Loader::FormOpened();
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
}

}  // namespace frmMain
