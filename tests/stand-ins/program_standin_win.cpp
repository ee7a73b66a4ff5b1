// Stands in for the programs on the CD that the menu starts (the installers
// and the document opener exec): appends one line to %VORLAKS_START_LOG% (or
// started.log beside itself) and ends.
//
//     <command line>|<working folder>|show=<n>|iconic=<0 or 1>
//
// show is the show command the starter asked for; iconic says whether a
// window shown with it came up minimised.
#include <windows.h>

#include <string>

#include "tests/stand-ins/stand_in_log_win.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// Shows a window the way an installer's first window is shown: with the
// show command that the starter passed.
bool ShownMinimised(HINSTANCE instance, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "VorlaksProgramStandIn";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Stand-in", WS_OVERLAPPEDWINDOW, 100, 100, 200, 100,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    bool iconic = IsIconic(window) != FALSE;
    DestroyWindow(window);
    return iconic;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    bool iconic = ShownMinimised(instance, showCommand);
    std::string line = std::string(GetCommandLineA()) + "|" + folder + "|show=" + std::to_string(showCommand) +
                       "|iconic=" + (iconic ? "1" : "0");
    return standin::AppendLine(standin::LogPath("VORLAKS_START_LOG", "started.log"), line) ? 0 : 1;
}
