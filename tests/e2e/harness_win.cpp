#include "tests/e2e/harness_win.h"

#include <fstream>
#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "vorsaver/movie/movie_variables.h"

namespace e2e {

std::string BinFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of('\\'));
}

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string FreshFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + "vorlaks-e2e";
    CreateDirectoryA(root.c_str(), nullptr);
    std::string folder = root + "\\" + name;
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string InstallSaver(const std::string& folder) {
    std::string target = folder + "\\vorsaver.scr";
    CopyFileA((BinFolder() + "\\vorsaver.scr").c_str(), target.c_str(), FALSE);
    return target;
}

namespace {

vorsaver::DaySerial Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return vorsaver::SerialFromCivil(now.wYear, now.wMonth, now.wDay);
}

}  // namespace

std::string IsoDate(int offset) {
    vorsaver::CivilDate date = vorsaver::CivilFromSerial(Today() + offset);
    char text[16];
    snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string ShortDate(int offset) {
    vorsaver::CivilDate date = vorsaver::CivilFromSerial(Today() + offset);
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    char text[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text);
    return text;
}

std::string GameLine(int offset, const std::string& tag, const std::string& info) {
    return IsoDate(offset) + "\tTarrowick Vorlaks%0D%0D" + info + tag + "\r\n";
}

std::string DayNumber(int offset) {
    return std::to_string(vorsaver::CivilFromSerial(Today() + offset).day);
}

std::string LongDateToday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &now, "MMMM d, yyyy", text, sizeof text);
    return text;
}

Process::~Process() {
    Kill();
}

bool Process::Start(const std::string& program, const std::string& arguments, const std::string& workFolder) {
    return Create(program, arguments, workFolder, 0);
}

bool Process::StartSuspended(const std::string& program, const std::string& arguments,
                             const std::string& workFolder) {
    return Create(program, arguments, workFolder, CREATE_SUSPENDED);
}

bool Process::Create(const std::string& program, const std::string& arguments, const std::string& workFolder,
                     DWORD flags) {
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, flags, nullptr,
                          workFolder.empty() ? nullptr : workFolder.c_str(), &startup, &info_) != 0;
}

std::optional<DWORD> Process::WaitForExit(DWORD timeoutMs) {
    if (info_.hProcess == nullptr) return std::nullopt;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::Kill() {
    if (info_.hProcess == nullptr) return;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
    info_ = {};
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        // Windows of this thread (a preview host) keep answering meanwhile.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

namespace {

struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && (!search->visibleOnly || IsWindowVisible(window))) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD processId, bool visibleOnly) {
    WindowSearch search{processId, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

HWND WaitForWindow(DWORD processId, const std::string& className, DWORD timeoutMs) {
    HWND result = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows(processId, true)) {
                if (ClassName(window) == className) {
                    result = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return result;
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = WaitForWindow(processId, "#32770", timeoutMs);
    if (box == nullptr) return std::nullopt;
    MessageBoxSeen seen;
    seen.window = box;
    seen.caption = WindowText(box);
    // The message text is the box's static control with the id 0xFFFF.
    char text[4096] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    return seen;
}

void PressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

namespace {

// The probe's answer, 0 or 1; anything else means it did not run to its
// end. On a loaded machine a start now and then fails outright under Wine,
// so a probe that gave no answer is asked again before that counts.
DWORD RunFlagProbe(const std::string& arguments) {
    DWORD answer = 2;
    for (int attempt = 0; attempt < 3 && answer > 1; ++attempt) {
        Process probe;
        if (!probe.Start(BinFolder() + "\\flag-probe.exe", arguments, std::string())) {
            answer = 0x10000 + GetLastError();
            continue;
        }
        std::optional<DWORD> code = probe.WaitForExit(10000);
        answer = code ? *code : 0x20000;
    }
    return answer;
}

}  // namespace

bool ScreenSaverRunning() {
    DWORD code = RunFlagProbe(std::string());
    if (code > 1) ADD_FAILURE() << "the flag probe did not answer (" << std::hex << code << ")";
    return code == 1;
}

void ClearScreenSaverRunning() {
    RunFlagProbe("clear");
}

}  // namespace e2e

namespace e2e {

DWORD RunToEnd(const std::string& program, const std::string& arguments, DWORD timeoutMs) {
    Process process;
    if (!process.Start(program, arguments, std::string())) return 258;
    std::optional<DWORD> code = process.WaitForExit(timeoutMs);
    return code ? *code : 259;
}

void RegisterMovieStandIn(bool registered) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string arguments = std::string(registered ? "/s " : "/u /s ") + "\"" + BinFolder() + "\\flash-standin.dll\"";
    DWORD code = RunToEnd(std::string(system) + "\\regsvr32.exe", arguments, 30000);
    if (registered && code != 0) ADD_FAILURE() << "regsvr32 answered " << code;
}

int Screenshot::CountLit(const RECT& rect) const {
    int lit = 0;
    for (int y = std::max<int>(0, rect.top); y < std::min<int>(height, rect.bottom); ++y) {
        for (int x = std::max<int>(0, rect.left); x < std::min<int>(width, rect.right); ++x) {
            if ((At(x, y) & 0xFFFFFF) != 0) ++lit;
        }
    }
    return lit;
}

Screenshot CaptureScreen() {
    Screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const unsigned* source = static_cast<const unsigned*>(bits);
    shot.pixels.assign(source, source + static_cast<std::size_t>(shot.width) * shot.height);
    for (unsigned& pixel : shot.pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

void SetEnv(const std::string& name, const std::string& value) {
    SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
}

}  // namespace e2e

namespace e2e {

namespace {

void SendOne(INPUT input) {
    SendInput(1, &input, sizeof input);
}

}  // namespace

namespace {

// Under Wine the X server keeps a pointer of its own, and Wine takes its
// place up again whenever a window appears or is uncovered under it (an X
// enter event). While a full-screen window holds the pointer, Wine moves
// only its own pointer for SendInput and refuses to move the X one from
// another program, so closing a dialog would "move" the pointer back to
// where X last had it. The X pointer is moved along with xdotool.
void MoveXPointer(int x, int y) {
    static const bool underWine =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr &&
        GetFileAttributesA("Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES;
    if (!underWine) return;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    RunToEnd(std::string(system) + "\\start.exe",
             "/wait /unix /usr/bin/xdotool mousemove " + std::to_string(x) + " " + std::to_string(y), 10000);
}

}  // namespace

void MovePointerTo(int x, int y) {
    MoveXPointer(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendOne(input);
}

void Click() {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendOne(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendOne(input);
}

void KeyDown(WORD virtualKey) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
    SendOne(input);
}

void KeyUp(WORD virtualKey) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendOne(input);
}

void PressKey(WORD virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void Sync(HWND window) {
    DWORD_PTR result = 0;
    for (int round = 0; round < 3; ++round) {
        if (round > 0) Sleep(20);
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
    }
}

void PointAt(HWND window, int x, int y) {
    Sync(window);
    MovePointerTo(x, y);
    Sync(window);
}

void ClickAt(HWND window, int x, int y) {
    PointAt(window, x, y);
    Click();
    Sync(window);
}

void ClickOn(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    ClickAt(control, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void ClickControl(HWND dialog, int controlId) { ClickOn(GetDlgItem(dialog, controlId)); }

void SetPasswordSetting(DWORD type, const std::string& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot open Control Panel\\Desktop";
        return;
    }
    if (type == 0) {
        RegDeleteValueA(key, "ScreenSaveUsePassword");
    } else {
        RegSetValueExA(key, "ScreenSaveUsePassword", 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    }
    RegCloseKey(key);
}

void SetClassesDefault(const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot open HKEY_CLASSES_ROOT\\" << key;
        return;
    }
    RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

}  // namespace e2e
