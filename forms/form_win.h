// The forms layer: turns a window table (forms/form_table.h), carried in the
// program's resources, into a real window with its controls, and delivers
// the window's events to handlers named "<control>_<Event>" (Form_Load,
// cmdOK_Click, picScr1_MouseMove ...).
//
// Controls: picture boxes, labels, push buttons, check boxes and text boxes
// are child windows; lines and images are drawn by their container. Images
// and labels take their mouse events through the container, the topmost
// visible one under the pointer first; a click is a press and a release on
// the same control.
//
// Handlers pass text in the ANSI code page (the tables' UTF-8 is converted
// when they are read). Form_QueryUnload runs before a close request unloads
// the form; it cannot cancel it.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/window_proc_win.h"
#include "forms/form_table.h"

namespace forms {

using Handler = std::function<void()>;
using Handlers = std::map<std::string, Handler>;

class Form;

class Control {
public:
    const std::string& Name() const { return item_->name; }
    // The child window; none for lines and images.
    HWND Window() const { return window_; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The caption of a label, button or check box, the text of a text box.
    std::string Caption() const;
    void SetCaption(const std::string& text);
    // A check box's state: 0 unchecked, 1 checked.
    int Value() const;
    void SetValue(int value);

    // Position and size in twips, relative to the container.
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void Move(double left, double top, double width, double height);

    // The same in pixels of the container's client area.
    RECT PixelRect() const;

private:
    friend class Form;
    friend LRESULT CALLBACK common::ObjectWindowProc<Control>(HWND, UINT, WPARAM, LPARAM);
    // A picture box's messages, which its form handles.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Form* form_ = nullptr;
    const Item* item_ = nullptr;
    Control* container_ = nullptr;  // null: on the form
    HWND window_ = nullptr;
    bool visible_ = true;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    COLORREF backColour_ = 0;
    HBRUSH backBrush_ = nullptr;
    HBITMAP picture_ = nullptr;  // as loaded, or with transparent pixels black
    HBITMAP mask_ = nullptr;     // transparent pixels white, the rest black
    SIZE pictureSize_ = {0, 0};
    HFONT font_ = nullptr;
};

class Form {
public:
    // `tableName` names the table's resource (RCDATA) in the program.
    Form(const char* tableName, Handlers handlers);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form();

    // Creates the window and its controls, hidden, and runs Form_Load.
    void Load();
    // Shows the window (loading it first when needed), not modal.
    void Show();
    // Shows the window and returns once it has been unloaded; every other
    // window of the program ignores input meanwhile.
    void ShowModal();
    // Destroys the window; a later Load builds it anew.
    void Unload();
    HWND Window() const { return window_; }
    // The table the window was last loaded from.
    const FormTable& Table() const { return table_; }

    Control& operator[](const std::string& name);

    void SetCaption(const std::string& text);
    // The window's outer size and position in twips.
    double Width() const;
    double Height() const;
    void Move(double left, double top);


private:
    friend class Control;
    friend INT_PTR CALLBACK common::ObjectDialogProc<Form>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR HandleDialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void CreateWindowFromTable();
    void CreateControl(Control& control);
    void LoadPicture(Control& control, const std::string& resource, const std::string& transparent);
    void Fire(const std::string& event);
    bool HandleMessage(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Paint(HWND container, Control* box);
    void PaintContents(HDC buffer, const RECT& client, Control* box);
    Control* ControlAt(Control* box, int x, int y);
    Control* ByWindow(HWND window);
    void Destroyed();
    int X(double twips) const;
    int Y(double twips) const;

    std::string tableName_;
    Handlers handlers_;
    FormTable table_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<HFONT> fonts_;
    HWND window_ = nullptr;
    int dpiX_ = 96, dpiY_ = 96;
    COLORREF backColour_ = 0;
    HBRUSH backBrush_ = nullptr;
    HBITMAP picture_ = nullptr;
    // On a screen of 256 colours: the form's picture's own colours where it
    // has 256 or fewer, otherwise the colour cube. Null on other screens.
    HPALETTE palette_ = nullptr;
    bool movedByCode_ = false;
    bool shownOnce_ = false;
    Control* pressed_ = nullptr;
    std::vector<HWND> disabledByModal_;
};

// The program's forms, and windows made outside this layer, report here;
// once the last has gone the message loop ends.
void FormOpened();
void FormClosed();

// Runs the message loop until the last form has gone (at once when none
// is open). Keyboard navigation of the forms happens here.
int RunMessageLoop();

// Gives a message to the keyboard navigation of the form it belongs to.
bool IsFormMessage(MSG* message);

}  // namespace forms
