// The baseline for the saver's start-up time: the least a program can do to
// show a black, borderless window over every monitor (maximized where there
// is one).
#include <windows.h>

static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        DestroyWindow(hwnd);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "BlackWindow";
    RegisterClassA(&windowClass);
    const bool several = GetSystemMetrics(SM_CMONITORS) > 1;
    HWND window = CreateWindowExA(
        WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "BlackWindow", "Black", WS_POPUP,
        several ? GetSystemMetrics(SM_XVIRTUALSCREEN) : 0, several ? GetSystemMetrics(SM_YVIRTUALSCREEN) : 0,
        GetSystemMetrics(several ? SM_CXVIRTUALSCREEN : SM_CXSCREEN),
        GetSystemMetrics(several ? SM_CYVIRTUALSCREEN : SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    ShowWindow(window, several ? SW_SHOW : SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
