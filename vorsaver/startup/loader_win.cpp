#include "vorsaver/startup/loader_win.h"

#include <windows.h>

#include "common/app_folder_win.h"
#include "forms/form_win.h"
#include "vorsaver/dialogs/frm_config_win.h"
#include "vorsaver/movie/frm_main_win.h"
#include "vorsaver/services/loader_services_win.h"
#include "vorsaver/services/registry_text.h"
#include "vorsaver/startup/frm_preview_win.h"
#include "vorsaver/startup/mode_table.h"

namespace Loader {

std::optional<std::int32_t> ParentWindow;
RECT ParentRect = {0, 0, 0, 0};
LONG PreviewStyle = 0;

namespace {

// Parses the handle after "/p" or "/a" into ParentWindow, or ends the program
// with a box that says what was wrong, before any system call.
void ParseParentWindow() {
    vorsaver::HandleParse parsed = vorsaver::ParseHandle(common::CommandArgumentText());
    if (!parsed.ok) ReportErrorAndEnd(parsed.error);
    ParentWindow = parsed.handle;
}

HWND ParentHandle() {
    // Handles are 32-bit values even in a 64-bit process; sign-extend.
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(*ParentWindow));
}

// The system's own dialog for the screen-saver password; it exists on
// Windows 95 and 98 only, so it is looked up when needed.
void ChangeScreenSaverPassword() {
    using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    HMODULE mpr = LoadLibraryA("mpr");
    if (mpr == nullptr) return;
    auto change = reinterpret_cast<PwdChangePasswordFn>(
        reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
    if (change != nullptr) {
        change("SCRSAVE", ParentHandle(), 0, 0);
    }
    FreeLibrary(mpr);
}

}  // namespace

// Makes frmPreview a child of the preview area that fills it. The program
// then runs until the preview area, and with it the child, is destroyed.
void ShowPreview() {
    ParseParentWindow();
    HWND parent = ParentHandle();
    forms::Form& preview = frmPreview::Form();
    preview.Load();
    HWND window = preview.Window();
    GetClientRect(parent, &ParentRect);
    PreviewStyle = GetWindowLongA(window, GWL_STYLE) | WS_CHILD;
    SetWindowLongA(window, GWL_STYLE, PreviewStyle);
    SetParent(window, parent);
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
    SetWindowPos(window, nullptr, 0, 0, ParentRect.right, ParentRect.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // A handle that names no window (the area already gone) leaves the still
    // without a parent, where nothing would ever end it: end now instead.
    if (!IsChild(parent, window)) preview.Unload();
}

void Main() {
    switch (vorsaver::ModeFromArguments(common::CommandArgumentText())) {
    case vorsaver::StartMode::Settings:
        frmConfig::Show();
        return;
    case vorsaver::StartMode::Saver:
        EnableSystemKeys(false);
        ShowCursor(FALSE);
        frmMain::Show();
        return;
    case vorsaver::StartMode::Preview:
        ShowPreview();
        return;
    case vorsaver::StartMode::PasswordChange:
        ParseParentWindow();
        ChangeScreenSaverPassword();
        return;
    case vorsaver::StartMode::None:
        return;
    }
}

}  // namespace Loader

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Loader::Main();
    return forms::RunMessageLoop();
}
