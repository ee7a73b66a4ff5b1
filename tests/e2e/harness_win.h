// What the end-to-end tests use to start the real programs under Wine and to
// watch them from outside, as another process would.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The folder that holds the programs under test (beside the test driver).
std::string BinFolder();

// A new, empty folder for one test, below the prefix's temporary folder.
std::string FreshFolder(const std::string& name);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Copies the screen saver into `folder` and returns its path there.
// The class of the saver's own full-screen window.
inline constexpr char kSaverClass[] = "VorsaverMain";

std::string InstallSaver(const std::string& folder);

// A date `offset` days from today as "YYYY-MM-DD", which Windows' date
// conversion reads in every locale.
std::string IsoDate(int offset);
// The same date as the user's locale writes it in its short form.
std::string ShortDate(int offset);
// One line of schedule.pvz: the game `offset` days from today, its
// information ("%0D" between lines) and its opponent's tag.
std::string GameLine(int offset, const std::string& tag, const std::string& info);
// The day of the month `offset` days from today, without leading zero.
std::string DayNumber(int offset);
// Today's date as the user's locale writes "MMMM d, yyyy".
std::string LongDateToday();

class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    // Starts `program` with `arguments` in `workFolder`; extra environment
    // variables are added to this process's own.
    bool Start(const std::string& program, const std::string& arguments, const std::string& workFolder);
    // The same, its main thread not yet running (CREATE_SUSPENDED).
    bool StartSuspended(const std::string& program, const std::string& arguments, const std::string& workFolder);
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    HANDLE MainThread() const { return info_.hThread; }
    // The exit code once the process has ended within `timeoutMs`.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    void Kill();

private:
    bool Create(const std::string& program, const std::string& arguments, const std::string& workFolder,
                DWORD flags);
    PROCESS_INFORMATION info_ = {};
};

// Polls `condition` until it holds or `timeoutMs` has passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Top-level windows of a process (visible ones only when asked).
std::vector<HWND> TopWindows(DWORD processId, bool visibleOnly);
std::string ClassName(HWND window);
std::string WindowText(HWND window);

// The window that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

// The first visible top-level window of the process with this class name.
HWND WaitForWindow(DWORD processId, const std::string& className, DWORD timeoutMs);

// A message box of the process: its caption and its message text.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// Answers a message box with its OK button.
void PressOk(HWND box);

// The system's screen-saver-running flag, as any process reads it.
bool ScreenSaverRunning();
void ClearScreenSaverRunning();

}  // namespace e2e

namespace e2e {

// Runs a program to its end and returns its exit code (or 259 on time-out).
DWORD RunToEnd(const std::string& program, const std::string& arguments, DWORD timeoutMs);

// Registers or removes the stand-in movie control in this prefix.
void RegisterMovieStandIn(bool registered);

// A copy of the whole screen, as 0x00RRGGBB pixels, row by row.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned> pixels;
    unsigned At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // How many pixels of the rectangle are not black.
    int CountLit(const RECT& rect) const;
};
Screenshot CaptureScreen();

// Sets an environment variable for the programs this process starts.
void SetEnv(const std::string& name, const std::string& value);

}  // namespace e2e

namespace e2e {

// Input as a user makes it, through the system's input queue.
void MovePointerTo(int x, int y);
void Click();
void PressKey(WORD virtualKey);                   // down and up
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
// Waits for the window's thread to take in the input sent so far. A thread
// answers a sent message before it looks at its queued input, and Wine's
// threads read the X server's events only when their queue is empty: so
// the thread is asked three times with a pause between, in which it goes
// back to its queue. Under heavy load this is a matter of time, not proof;
// the pauses make it enough for moves not to be merged in the queue.
void Sync(HWND window);
// Moves the pointer to a screen point over `window` and returns once the
// window's program has taken the move. A window that appears, or is
// uncovered, under a standing pointer gets an enter event at the old spot
// from the X server; taken in after the move, it would put the pointer back
// there and send the next click to the old spot. So the program first takes
// in the events it holds, and only then does the pointer move.
void PointAt(HWND window, int x, int y);
// A click at a screen point over `window`, taken in by its program.
void ClickAt(HWND window, int x, int y);
// Clicks the centre of a control.
void ClickOn(HWND control);
// Clicks the centre of a dialog's control.
void ClickControl(HWND dialog, int controlId);

// Sets HKCU\Control Panel\Desktop ScreenSaveUsePassword; `type` 0 removes it.
// Sets the default value of a key under HKEY_CLASSES_ROOT (a file kind, or
// its class's open command), made where missing.
void SetClassesDefault(const std::string& key, const std::string& value);

void SetPasswordSetting(DWORD type, const std::string& data);

}  // namespace e2e
