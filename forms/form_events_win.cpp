// A form's events: Windows messages of the form and its picture boxes become
// calls of the handlers by name; mouse events go to the topmost visible
// image or label under the pointer, and a click is a press and a release on
// the same control.
#include <windowsx.h>

#include "common/palette_win.h"
#include "forms/form_internal_win.h"
#include "forms/form_win.h"

namespace forms {

void Form::Fire(const std::string& event) {
    auto handler = handlers_.find(event);
    // A handler may unload the form or end the program: nothing of the
    // form is used after it has run.
    if (handler != handlers_.end()) handler->second();
}

Control* Form::ControlAt(Control* box, int x, int y) {
    // The last declared is the topmost.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* control = it->get();
        Kind kind = control->item_->kind;
        if ((kind != Kind::Image && kind != Kind::Label) || control->container_ != box || !control->visible_) {
            continue;
        }
        RECT rect = control->PixelRect();
        POINT point = {x, y};
        if (PtInRect(&rect, point)) return control;
    }
    return nullptr;
}

// What the form and its picture boxes share: painting, mouse events on the
// container and its images and labels, and the clicks and colours of the
// children.
bool Form::HandleMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Control* box = container == window_ ? nullptr : ByWindow(container);
    std::string self = box != nullptr ? box->item_->name : "Form";
    switch (message) {
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        return common::HandlePaletteMessage(window_, palette_, message, wParam, result);
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        Paint(container, box);
        result = 0;
        return true;
    case WM_MOUSEMOVE: {
        Control* hit = ControlAt(box, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        Fire((hit != nullptr ? hit->item_->name : self) + "_MouseMove");
        result = 0;
        return true;
    }
    case WM_LBUTTONDOWN: {
        Control* hit = ControlAt(box, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        pressed_ = hit != nullptr ? hit : box;
        SetCapture(container);
        std::string name = hit != nullptr ? hit->item_->name : self;
        Fire(name + "_MouseDown");
        result = 0;
        return true;
    }
    case WM_LBUTTONUP: {
        if (GetCapture() == container) ReleaseCapture();
        Control* hit = ControlAt(box, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        Control* under = hit != nullptr ? hit : box;
        RECT client;
        GetClientRect(container, &client);
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        bool wasPressed = pressed_ == under && PtInRect(&client, point);
        pressed_ = nullptr;
        // A click is a press and a release on the same control.
        if (wasPressed) Fire((under != nullptr ? under->item_->name : self) + "_Click");
        result = 0;
        return true;
    }
    case WM_COMMAND: {
        Control* child = ByWindow(reinterpret_cast<HWND>(lParam));
        if (child != nullptr && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == GetDlgCtrlID(child->window_)) {
            Fire(child->item_->name + "_Click");
            result = 0;
            return true;
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
        Control* child = ByWindow(reinterpret_cast<HWND>(lParam));
        if (child == nullptr) return false;
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (child->item_->kind == Kind::Label) {
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
            return true;
        }
        SetBkColor(dc, child->backColour_);
        result = reinterpret_cast<LRESULT>(child->backBrush_);
        return true;
    }
    default:
        return false;
    }
}

INT_PTR Form::HandleDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Until CreateDialogIndirectParam returns, the window is not yet the
    // form's: its creation goes to the dialog manager.
    if (window_ != window) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            // Escape: the cancel button's click, where the form has one.
            for (auto& control : controls_) {
                if (control->item_->Flag("Cancel")) {
                    Fire(control->item_->name + "_Click");
                    break;
                }
            }
            return TRUE;
        }
        // Enter where no button acts on it.
        if (LOWORD(wParam) == IDOK) return TRUE;
        break;
    case WM_CLOSE:
        Fire("Form_QueryUnload");
        if (window_ == window) Unload();
        return TRUE;
    case WM_NCDESTROY:
        // The children are gone by now: their fonts and brushes can go too.
        Destroyed();
        return TRUE;
    default:
        break;
    }
    LRESULT result = 0;
    if (!HandleMessage(window, message, wParam, lParam, result)) return FALSE;
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

LRESULT Control::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (form_->HandleMessage(window, message, wParam, lParam, result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace forms
