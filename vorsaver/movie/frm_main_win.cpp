#include "vorsaver/movie/frm_main_win.h"

#include <windows.h>

#include <memory>

#include "common/app_folder_win.h"
#include "common/file_exists_win.h"
#include "common/file_store_win.h"
#include "common/open_document_win.h"
#include "common/palette_win.h"
#include "common/paths.h"
#include "common/system_text_win.h"
#include "common/twips.h"
#include "common/window_proc_win.h"
#include "forms/form_win.h"
#include "vorsaver/board/day_board_win.h"
#include "vorsaver/dialogs/sound_setting.h"
#include "vorsaver/dates/date_services.h"
#include "vorsaver/movie/automation_win.h"
#include "vorsaver/movie/day_watch.h"
#include "vorsaver/movie/input_counter.h"
#include "vorsaver/movie/monitors_win.h"
#include "vorsaver/movie/movie_host_win.h"
#include "vorsaver/movie/movie_layout.h"
#include "vorsaver/movie/movie_variables.h"
#include "vorsaver/services/loader_services_win.h"
#include "vorsaver/services/registry_text.h"

namespace frmMain {

namespace {

const char kClassName[] = "VorsaverMain";
const char kMovieFileName[] = "vorlaks.swf";
// F12 opens the team's online application page.
const char kApplicationPage[] = "http://www.tarrowickvorlaks.example/apply/";

// The Shockwave Flash control, {D27CDB6E-AE6D-11CF-96B8-444553540000}.
const CLSID kFlashClassId = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// The control's dispatch ids of the properties the window writes.
const DISPID kDispidMovie = 102;
const DISPID kDispidMenu = 135;
const DISPID kDispidEmbedMovie = 139;

// The movie control's saved set-up, in the order the control stores it.
const std::vector<vorsaver::SetupProperty> kFlashSetup = {
    {L"Movie", false, false, L"vorlaks.swf"}, {L"Src", false, false, L"vorlaks.swf"},
    {L"WMode", false, false, L"Window"},      {L"Play", true, true, nullptr},
    {L"Loop", true, true, nullptr},           {L"Quality", false, false, L"High"},
    {L"SAlign", false, false, L""},           {L"Menu", true, false, nullptr},
    {L"Base", false, false, L""},             {L"Scale", false, false, L"ShowAll"},
    {L"DeviceFont", true, false, nullptr},    {L"EmbedMovie", true, true, nullptr},
    {L"BGColor", false, false, L""},          {L"SWRemote", false, false, L""},
};

// The saver's own timers: the next look at the date, and a short delay
// after the system announced a change (several notices often come at once).
const UINT_PTR kDayTimer = 1;
const UINT_PTR kChangeTimer = 2;
const UINT kChangeSettleMs = 300;

// Puts the pointer and the running flag back before the program ends.
void RestoreSystem() {
    Loader::EnableSystemKeys(true);
    ShowCursor(TRUE);
}

[[noreturn]] void EndWithError(const std::string& message) {
    RestoreSystem();
    Loader::ReportErrorAndEnd(message);
}

int DotsPerInch(int index) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

RECT MovieRect(float leftTwips, float topTwips) {
    int dpiX = DotsPerInch(LOGPIXELSX);
    int dpiY = DotsPerInch(LOGPIXELSY);
    RECT rect;
    rect.left = common::TwipsToPixels(leftTwips, dpiX);
    rect.top = common::TwipsToPixels(topTwips, dpiY);
    rect.right = rect.left + common::TwipsToPixels(vorsaver::kMovieWidthTwips, dpiX);
    rect.bottom = rect.top + common::TwipsToPixels(vorsaver::kMovieHeightTwips, dpiY);
    return rect;
}

// The saver window: its one control (or the day board in its place), the
// input count and the close request. Made by Show, it lives until its window
// is destroyed.
RECT ToRect(const vorsaver::PixelBox& box) { return {box.left, box.top, box.left + box.width, box.top + box.height}; }

class SaverWindow {
public:
    explicit SaverWindow(const vorsaver::SaverPlacement& placement) : placement_(placement) {}
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:

    void CreateControls();
    void Form_Load();
    bool Form_QueryUnload();
    void EndSaver(bool openApplicationPage);
    void Form_Activate();
    void Form_KeyDown(WPARAM keyCode);
    void Form_KeyPress();
    void Form_MouseDown();
    void Form_MouseMove(LPARAM position);
    void ShockwaveFlash1_GotFocus();

    bool WriteToday(const vorsaver::DateServices& dates);
    void WatchTheDay();
    void Form_Timer(UINT_PTR id);

    void WriteFlag(DISPID id, const char* name, bool value);
    void WriteMovie(const std::string& path);

    HWND window_ = nullptr;
    const vorsaver::SaverPlacement placement_;
    vorsaver::MovieHost ShockwaveFlash1;
    // Where the control is missing, the day board stands in its place.
    HWND dayBoard_ = nullptr;
    vorsaver::InputCounter InputCount;
    // True while a close request (and its password dialog) is under way.
    bool closing_ = false;
    // Where the pointer was last seen: Windows also reports a "move" when a
    // window appears under a pointer that stands still, and that is no input.
    POINT lastPointer_ = {-1, -1};
    // The day the variables file was last written for.
    vorsaver::DaySerial shownDay_ = 0;
    std::string dataStepError_;
    // Writes of the day that failed in a row since the last that worked.
    unsigned failedWrites_ = 0;
};

void SaverWindow::WriteFlag(DISPID id, const char* name, bool value) {
    VARIANT flag;
    vorsaver::automation::VariantInit(&flag);
    flag.vt = VT_BOOL;
    flag.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    HRESULT result = ShockwaveFlash1.PutProperty(id, flag);
    if (FAILED(result)) {
        EndWithError(std::string("The movie player refused its ") + name + " setting (" +
                     common::SystemErrorText(static_cast<unsigned long>(result)) + ").");
    }
}

void SaverWindow::WriteMovie(const std::string& path) {
    const std::wstring wide = common::Widen(path);
    VARIANT text;
    vorsaver::automation::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = vorsaver::automation::SysAllocString(wide.c_str());
    HRESULT result = ShockwaveFlash1.PutProperty(kDispidMovie, text);
    vorsaver::automation::VariantClear(&text);
    if (FAILED(result)) {
        EndWithError("The movie player could not load " + path + " (" +
                     common::SystemErrorText(static_cast<unsigned long>(result)) + ").");
    }
}

// Whether the movie is there for the player to play: a player pointed at a
// file that does not exist shows nothing at all.
bool MovieIsThere() {
    return common::FileExists(common::PathInFolder(common::ApplicationFolder(), kMovieFileName),
                              common::Entry::FileOnly);
}

// What the board reads where the movie is not played: the data step's files.
vorsaver::BoardFiles BoardFilesIn(const std::string& folder) {
    return {common::PathInFolder(folder, vorsaver::kVariablesFileName),
            common::PathInFolder(folder, vorsaver::kScheduleFileName)};
}

// Creates the window's one control before its load handler runs, at the
// declared place; where no player is installed, or the movie is missing, the
// board comes later instead, once there is data for it.
void SaverWindow::CreateControls() {
    if (!MovieIsThere()) return;
    // OLE only for the player: starting it costs the board's start-up time.
    vorsaver::automation::OleInitialize();
    ShockwaveFlash1.onGotFocus = [this] { ShockwaveFlash1_GotFocus(); };
    ShockwaveFlash1.Create(window_, kFlashClassId,
                           MovieRect(vorsaver::kMovieLeftTwips, vorsaver::kMovieTopTwips), kFlashSetup);
}

// Whether "Play Sounds" is on, as the settings dialog stored it. A missing
// or unreadable file means off: a saver never starts making sounds by itself.
bool SoundsOn(const std::string& folder) {
    common::WinFileStore files;
    std::string bytes;
    std::string error;
    if (!files.ReadAll(common::PathInFolder(folder, vorsaver::kSoundFileName), bytes, error)) return false;
    return vorsaver::SoundsOn(bytes);
}

// Runs once, when the window is created and before it is shown.
void SaverWindow::Form_Load() {
    // Above every other window, where a screen saver belongs.
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const std::string folder = common::ApplicationFolder();
    // One date conversion for the data step and the board.
    const std::unique_ptr<vorsaver::DateServices> dates = vorsaver::MakeDateServices();
    if (!WriteToday(*dates)) EndWithError(dataStepError_);

    // Centred on the primary monitor, in twips, as on a screen of its own.
    const RECT movie = ToRect(placement_.movie);

    if (ShockwaveFlash1.IsCreated()) {
        WriteFlag(kDispidMenu, "Menu", false);
        WriteFlag(kDispidEmbedMovie, "EmbedMovie", true);
        WriteMovie(common::PathInFolder(folder, kMovieFileName));
        ShockwaveFlash1.Move(movie);
    } else {
        // The board plays the team's sound when the setting says so; the
        // movie reads the setting itself.
        dayBoard_ = vorsaver::CreateDayBoard(window_, movie, BoardFilesIn(folder), *dates, SoundsOn(folder));
    }
}

// Runs the data step for the local date of now; on success that date is
// the one shown.
bool SaverWindow::WriteToday(const vorsaver::DateServices& dates) {
    const vorsaver::DaySerial today = vorsaver::LocalToday();
    common::WinFileStore files;
    vorsaver::DataStepResult written = vorsaver::WriteMovieVariables(common::ApplicationFolder(), today, dates, files);
    if (!written.ok) {
        dataStepError_ = written.message;
        ++failedWrites_;
        return false;
    }
    shownDay_ = today;
    failedWrites_ = 0;
    return true;
}

// Sleeps until just past the coming midnight, a minute at most; after a
// write that failed, only until the next try.
void SaverWindow::WatchTheDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    unsigned wait = vorsaver::NextDayCheckMs(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    if (failedWrites_ > 0) {
        const unsigned retry = vorsaver::RetryDayWriteMs(failedWrites_);
        if (retry < wait) wait = retry;
    }
    SetTimer(window_, kDayTimer, wait, nullptr);
}

// A saver runs all night: at midnight, and after the system's time, zone,
// settings or a standby changed, the day shown is written and drawn anew.
// The player's movie reads the file again by itself as it loops. While
// the schedule cannot be read, what is shown stays as it was and the next
// look, soon after, tries again; the saver goes on running either way.
void SaverWindow::Form_Timer(UINT_PTR id) {
    KillTimer(window_, id);
    const bool changed = id == kChangeTimer || failedWrites_ > 0;
    if (changed || vorsaver::LocalToday() != shownDay_) {
        const std::unique_ptr<vorsaver::DateServices> dates = vorsaver::MakeDateServices();
        if (WriteToday(*dates) && dayBoard_ != nullptr) {
            vorsaver::ReloadDayBoard(dayBoard_, BoardFilesIn(common::ApplicationFolder()), *dates);
        }
    }
    WatchTheDay();
}

// Asks the window to close: with a password in use, the password decides.
// Returns true when the window may close; the running flag and the pointer
// are then back as they were before the saver started.
bool SaverWindow::Form_QueryUnload() {
    if (vorsaver::PasswordInUse(Loader::ReadUsePassword())) {
        // The pointer and the mouse belong to the password dialog now.
        ShowCursor(TRUE);
        ReleaseCapture();
        if (Loader::VerifyScreenSavePassword(window_) == Loader::PasswordCheck::Refused) {
            ShowCursor(FALSE);
            // Where the pointer went to answer the dialog is no new input.
            GetCursorPos(&lastPointer_);
            // Back to the saver: the keyboard and the mouse are its again.
            SetForegroundWindow(window_);
            SetFocus(window_);
            SetCapture(window_);
            return false;
        }
    }
    RestoreSystem();
    return true;
}

// Every way out of the saver comes here, so a protected saver never ends
// without its password. F12 opens its page only once the close is allowed.
void SaverWindow::EndSaver(bool openApplicationPage) {
    if (closing_) return;
    closing_ = true;
    bool allowed = Form_QueryUnload();
    closing_ = false;
    if (!allowed) return;
    if (openApplicationPage) common::OpenDocument(kApplicationPage);
    DestroyWindow(window_);
}

// The window has become the active window.
void SaverWindow::Form_Activate() {
    // Every mouse event on the screen comes here, whatever lies under it.
    if (!closing_) SetCapture(window_);
}

void SaverWindow::Form_KeyDown(WPARAM keyCode) {
    if (keyCode == VK_F12) {
        EndSaver(true);
        return;
    }
    if (!InputCount.Pass(vorsaver::SaverInput::KeyDown)) EndSaver(false);
}

void SaverWindow::Form_KeyPress() {
    if (!InputCount.Pass(vorsaver::SaverInput::KeyPress)) EndSaver(false);
}

void SaverWindow::Form_MouseDown() {
    if (!InputCount.Pass(vorsaver::SaverInput::MouseDown)) EndSaver(false);
}

void SaverWindow::Form_MouseMove(LPARAM position) {
    POINT pointer = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ClientToScreen(window_, &pointer);
    if (pointer.x == lastPointer_.x && pointer.y == lastPointer_.y) return;
    lastPointer_ = pointer;
    if (!InputCount.Pass(vorsaver::SaverInput::MouseMove)) EndSaver(false);
}

// The movie control has taken the keyboard focus: the saver ends, through
// the close request like every other way out, once the control is done.
void SaverWindow::ShockwaveFlash1_GotFocus() { PostMessageA(window_, WM_CLOSE, 0, 0); }

LRESULT SaverWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The board and the movie draw through palettes of their own.
    LRESULT result = 0;
    if (common::PassPaletteMessage(window, message, wParam, result)) return result;
    switch (message) {
    case WM_NCCREATE:
        window_ = window;
        break;
    case WM_NCDESTROY:
        // This object goes with its window; the program ends with its last.
        forms::FormClosed();
        break;
    case WM_CREATE:
        CreateControls();
        Form_Load();
        GetCursorPos(&lastPointer_);
        WatchTheDay();
        return 0;
    case WM_TIMER:
        if (wParam == kDayTimer || wParam == kChangeTimer) Form_Timer(wParam);
        return 0;
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
        SetTimer(window_, kChangeTimer, kChangeSettleMs, nullptr);
        return 0;
    case WM_POWERBROADCAST:
        // Back from standby: the night may have passed meanwhile.
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMECRITICAL) {
            SetTimer(window_, kChangeTimer, kChangeSettleMs, nullptr);
        }
        return TRUE;
    case WM_GETMINMAXINFO: {
        // The window may be as large as every monitor together, task bars
        // included.
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMaxPosition.x = placement_.window.left;
        info->ptMaxPosition.y = placement_.window.top;
        info->ptMaxSize.x = info->ptMaxTrackSize.x = placement_.window.width;
        info->ptMaxSize.y = info->ptMaxTrackSize.y = placement_.window.height;
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // System keys too: Alt+F4 or F10 must not slip past the count.
        if (!closing_) Form_KeyDown(wParam);
        return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
        if (!closing_) Form_KeyPress();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (!closing_) Form_MouseDown();
        return 0;
    case WM_MOUSEMOVE:
        if (!closing_) Form_MouseMove(lParam);
        return 0;
    case WM_CLOSE:
        EndSaver(false);
        return 0;
    case WM_DESTROY:
        KillTimer(window_, kDayTimer);
        KillTimer(window_, kChangeTimer);
        ShockwaveFlash1.Destroy();
        return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace

void Show() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = common::OwningWindowProc<SaverWindow>;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    // No class icon: a full-screen tool window shows it nowhere (no caption,
    // no task bar button, no Alt+Tab entry), and loading it, with the small
    // one that Windows makes from it, took a tenth of the start-up.
    RegisterClassA(&windowClass);

    // The program runs until the last window has gone, this one included.
    forms::FormOpened();
    // Where the window and the movie go: every monitor covered, the movie in
    // the middle of the primary one, at the screen's real dots per inch.
    const vorsaver::MonitorList screens = vorsaver::ListMonitors();
    const vorsaver::SaverPlacement placement =
        vorsaver::PlaceSaver(screens.monitors, screens.primary, DotsPerInch(LOGPIXELSX), DotsPerInch(LOGPIXELSY));
    const vorsaver::PixelBox& area = placement.window;
    // A tool window stays out of the task bar.
    auto saver = std::make_unique<SaverWindow>(placement);
    HWND created = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, Loader::kProgramTitle,
                                   WS_POPUP | WS_CLIPCHILDREN, area.left, area.top, area.width, area.height, nullptr,
                                   nullptr, instance, &saver);
    if (created == nullptr) {
        EndWithError("The screen saver window could not be created (" + common::SystemErrorText(GetLastError()) +
                     ").");
    }
    // Maximized on one screen; over several, a maximized window would cover
    // only one of them, so the window covers them all by its own size.
    ShowWindow(created, screens.monitors.size() == 1 ? SW_SHOWMAXIMIZED : SW_SHOW);
    // The keyboard stays with the window itself, never with the movie.
    SetFocus(created);
    UpdateWindow(created);
}

}  // namespace frmMain
