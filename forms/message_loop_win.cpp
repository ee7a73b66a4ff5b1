// The program's forms and its message loop: the program runs until its last
// form has gone, and the forms' windows get the dialog manager's keyboard
// navigation.
#include <set>

#include "forms/form_internal_win.h"
#include "forms/form_win.h"

namespace forms {

namespace {

int openForms = 0;
std::set<HWND> formWindows;

}  // namespace

namespace internal {

void AddFormWindow(HWND window) { formWindows.insert(window); }
void RemoveFormWindow(HWND window) { formWindows.erase(window); }

}  // namespace internal

void FormOpened() { ++openForms; }

void FormClosed() {
    if (--openForms <= 0) PostQuitMessage(0);
}

bool IsFormMessage(MSG* message) {
    if (message->hwnd == nullptr) return false;
    // The top-level window that holds the control (GetAncestor is missing
    // on Windows 95 and NT 4).
    HWND root = message->hwnd;
    while (GetWindowLongA(root, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(root);
        if (parent == nullptr) break;
        root = parent;
    }
    if (formWindows.count(root) == 0) return false;
    return IsDialogMessageA(root, message) != FALSE;
}

int RunMessageLoop() {
    if (openForms <= 0) return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsFormMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return 0;
}

}  // namespace forms
