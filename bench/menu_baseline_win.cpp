// The baseline for the menu's start-up time: the least a program can do to
// show a window like the menu's, a 480 x 360 client area with a caption and a
// close box, filled with one colour.
#include <windows.h>

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 0, 51));
    windowClass.lpszClassName = "PlainMenuWindow";
    RegisterClassA(&windowClass);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT outer = {0, 0, 480, 360};
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_APPWINDOW);
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, "PlainMenuWindow", "Plain", style, 1, 1, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
