// The window procedures of windows that are C++ objects: the one place where a
// window is tied to its object and lets go of it, so that no message reaches
// an object that is gone, and none is lost to one that is not yet there.
//
// Each object has
//     LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// (INT_PTR HandleDialogMessage for a dialog) and gets every message from the
// first one its window can tie to it, WM_NCDESTROY being its last.
#pragma once

#include <windows.h>

#include <memory>

namespace common {

// The object tied to a window by one of the procedures below; null before
// the window took it and after it let go.
template <class Owner>
Owner* ObjectOfWindow(HWND window) {
    return reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// A window that owns its object. CreateWindowEx's last argument is a
// std::unique_ptr<Owner>*: the window takes the object as it is created, and
// deletes it after WM_NCDESTROY. If creation fails before the window took it,
// the unique_ptr still holds it and frees it; if after, the window has.
template <class Owner>
LRESULT CALLBACK OwningWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* holder =
            static_cast<std::unique_ptr<Owner>*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (holder != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(holder->release()));
    }
    auto* owner = ObjectOfWindow<Owner>(window);
    if (owner == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return owner->HandleMessage(window, message, wParam, lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    const LRESULT result = owner->HandleMessage(window, message, wParam, lParam);
    delete owner;
    return result;
}

// A window whose object lives elsewhere and outlives it: CreateWindowEx's last
// argument is the Owner*.
template <class Owner>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* owner = ObjectOfWindow<Owner>(window);
    if (owner == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return owner->HandleMessage(window, message, wParam, lParam);
}

// A dialog whose object lives elsewhere: the last argument of
// CreateDialogIndirectParam (or DialogBoxParam) is the Owner*, which arrives
// with WM_INITDIALOG; what comes before goes to the dialog manager.
template <class Owner>
INT_PTR CALLBACK ObjectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (owner == nullptr) return FALSE;
    if (message == WM_NCDESTROY) SetWindowLongPtrA(dialog, DWLP_USER, 0);
    return owner->HandleDialogMessage(dialog, message, wParam, lParam);
}

}  // namespace common
