// Drives a setup program's pages as a user at the keyboard would, for the
// CD's end-to-end tests (tests/cd/installer_test.sh):
//
//   setup-driver.exe TITLE STEP...
//
// waits for the top-level window TITLE, then runs the steps in order:
//   text:WORDS   waits until the window (or a message box) shows WORDS
//   no:WORDS     fails when the window shows WORDS now
//   key:NAME     brings the window forward and presses a key: RETURN,
//                ESCAPE, SPACE, TAB, or ALT+<letter>
//   box:WORDS    waits for a message box of the program that shows WORDS
//   check:WORDS=N  the check box whose caption holds WORDS is 0 (clear) or 1
//   gone         waits until the window is gone
// Prints what each page says; exits 1 at the first step that fails.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const DWORD kDeadline = 15000;

std::string texts;

BOOL CALLBACK CollectChild(HWND child, LPARAM) {
    if (!IsWindowVisible(child)) return TRUE;
    char buffer[4096];
    GetWindowTextA(child, buffer, sizeof buffer);
    texts += buffer;
    texts += "\n";
    return TRUE;
}

std::string TextsOf(HWND window) {
    texts.clear();
    char buffer[512];
    GetWindowTextA(window, buffer, sizeof buffer);
    texts = std::string(buffer) + "\n";
    EnumChildWindows(window, CollectChild, 0);
    return texts;
}

HWND checkBox = nullptr;
std::string checkCaption;

BOOL CALLBACK FindCheckBox(HWND child, LPARAM) {
    char buffer[512];
    GetWindowTextA(child, buffer, sizeof buffer);
    if (std::string(buffer).find(checkCaption) == std::string::npos) return TRUE;
    checkBox = child;
    return FALSE;
}

HWND found = nullptr;
DWORD foundProcess = 0;
std::string wanted;

// A visible top-level window of the setup program's process, other than its
// main window: a message box (or the main window itself when none is open).
BOOL CALLBACK FindBox(HWND window, LPARAM main) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != foundProcess || !IsWindowVisible(window) || window == reinterpret_cast<HWND>(main)) return TRUE;
    if (TextsOf(window).find(wanted) != std::string::npos) {
        found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(const char* title) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kDeadline; Sleep(100)) {
        HWND window = FindWindowA(nullptr, title);
        if (window != nullptr && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

void Key(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

bool Press(HWND window, const std::string& name) {
    SetForegroundWindow(window);
    Sleep(200);
    WORD key = 0;
    bool alt = false;
    if (name == "RETURN") key = VK_RETURN;
    else if (name == "ESCAPE") key = VK_ESCAPE;
    else if (name == "SPACE") key = VK_SPACE;
    else if (name == "TAB") key = VK_TAB;
    else if (name.size() == 5 && name.compare(0, 4, "ALT+") == 0) {
        alt = true;
        key = static_cast<WORD>(name[4]);
    } else {
        return false;
    }
    if (alt) Key(VK_MENU, false);
    Key(key, false);
    Key(key, true);
    if (alt) Key(VK_MENU, true);
    Sleep(300);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: setup-driver.exe TITLE STEP...\n");
        return 2;
    }
    HWND window = WaitForWindow(argv[1]);
    if (window == nullptr) {
        std::printf("FAIL no window \"%s\"\n", argv[1]);
        return 1;
    }
    GetWindowThreadProcessId(window, &foundProcess);
    for (int i = 2; i < argc; ++i) {
        const std::string step = argv[i];
        const std::size_t colon = step.find(':');
        const std::string verb = step.substr(0, colon);
        const std::string what = colon == std::string::npos ? "" : step.substr(colon + 1);
        bool ok = false;
        if (verb == "text" || verb == "box") {
            wanted = what;
            for (DWORD start = GetTickCount(); !ok && GetTickCount() - start < kDeadline; Sleep(100)) {
                found = nullptr;
                EnumWindows(FindBox, verb == "box" ? reinterpret_cast<LPARAM>(window) : 0);
                if (verb == "text" && found == nullptr && IsWindow(window) &&
                    TextsOf(window).find(what) != std::string::npos) {
                    found = window;
                }
                ok = found != nullptr;
            }
            if (ok) std::printf("--- %s\n%s", step.c_str(), TextsOf(found).c_str());
        } else if (verb == "no") {
            ok = TextsOf(window).find(what) == std::string::npos;
        } else if (verb == "key") {
            // To the message box when one is open, else to the window.
            wanted = "";
            found = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(window));
            ok = Press(found != nullptr ? found : window, what);
        } else if (verb == "check") {
            const std::size_t equals = what.rfind('=');
            checkCaption = what.substr(0, equals);
            checkBox = nullptr;
            EnumChildWindows(window, FindCheckBox, 0);
            ok = checkBox != nullptr && equals != std::string::npos &&
                 SendMessageA(checkBox, BM_GETCHECK, 0, 0) == std::atoi(what.c_str() + equals + 1);
        } else if (verb == "gone") {
            for (DWORD start = GetTickCount(); !ok && GetTickCount() - start < kDeadline; Sleep(100)) {
                ok = !IsWindow(window);
            }
        }
        if (!ok) {
            std::printf("FAIL at %s; the window shows:\n%s", step.c_str(),
                        IsWindow(window) ? TextsOf(window).c_str() : "(gone)\n");
            return 1;
        }
    }
    std::printf("OK\n");
    return 0;
}
