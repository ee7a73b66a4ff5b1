// A form shown modally: the program's other windows ignore input until it
// has been unloaded.
#include "forms/form_internal_win.h"
#include "forms/form_win.h"

namespace forms {

namespace {

// The modal window and the windows it disabled, for EnumThreadWindows. A
// named CALLBACK function, not a lambda: the 32-bit build needs stdcall.
struct ModalDisable {
    HWND modal;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOtherWindow(HWND other, LPARAM param) {
    auto* modal = reinterpret_cast<ModalDisable*>(param);
    if (other != modal->modal && IsWindowVisible(other) && IsWindowEnabled(other)) {
        EnableWindow(other, FALSE);
        modal->disabled->push_back(other);
    }
    return TRUE;
}

}  // namespace

void Form::ShowModal() {
    if (window_ == nullptr) Load();
    HWND previous = GetActiveWindow();
    // Every other window of the program waits until this one has gone.
    disabledByModal_.clear();
    ModalDisable modal{window_, &disabledByModal_};
    EnumThreadWindows(GetCurrentThreadId(), DisableOtherWindow, reinterpret_cast<LPARAM>(&modal));
    if (previous != nullptr && !table_.form.Flag("ShowInTaskbar", true)) {
        SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previous));
    }
    Show();
    MSG message;
    while (window_ != nullptr) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!IsFormMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (window_ != nullptr) Unload();
    if (previous != nullptr && IsWindow(previous)) SetActiveWindow(previous);
}

}  // namespace forms
