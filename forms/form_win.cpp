// A form built from its table: the window, its controls and their pictures,
// and what the handlers may change on them.
#include "forms/form_win.h"

#include <cmath>

#include "common/palette_win.h"
#include "common/picture_win.h"
#include "common/twips.h"
#include "forms/form_internal_win.h"

namespace forms {

using internal::ColourOf;
using internal::Instance;
using internal::TableFault;
using internal::ToAnsi;

namespace {

const char kPictureBoxClass[] = "VorlaksPictureBox";
// Control ids start above IDOK and IDCANCEL, which the dialog manager sends
// for Enter and Escape; those two mean something only where a form declares
// a default or cancel button.
const int kFirstControlId = 100;

// Windows of other programs' forms are never their owners: forms that stay
// out of the taskbar are owned by this hidden window.
HWND HiddenOwner() {
    static HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Instance(), nullptr);
    return owner;
}

void RegisterPictureBoxClass(WNDPROC proc) {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPictureBoxClass;
    RegisterClassA(&wc);
    done = true;
}

// A text box keeps Escape to itself: a multi-line edit in a dialog would
// otherwise close the window, and Escape does only what the form declares.
LRESULT CALLBACK TextBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropA(window, "VorlaksEdit"));
    if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_ESCAPE) return 0;
    if (message == WM_NCDESTROY) RemovePropA(window, "VorlaksEdit");
    return CallWindowProcA(original, window, message, wParam, lParam);
}

}  // namespace

// --- Control -----------------------------------------------------------------

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (window_ != nullptr) {
        ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
    } else {
        RECT rect = PixelRect();
        InvalidateRect(container_ != nullptr ? container_->window_ : form_->window_, &rect, FALSE);
    }
}

std::string Control::Caption() const {
    if (window_ == nullptr) return "";
    int length = GetWindowTextLengthA(window_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window_, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void Control::SetCaption(const std::string& text) {
    if (window_ == nullptr) return;
    SetWindowTextA(window_, text.c_str());
    if (item_->kind == Kind::Label) {
        // A label shows what lies beneath it: that is drawn again first.
        RECT rect = PixelRect();
        RedrawWindow(container_ != nullptr ? container_->window_ : form_->window_, &rect, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

int Control::Value() const {
    return window_ != nullptr && SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Control::SetValue(int value) {
    if (window_ != nullptr) SendMessageA(window_, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

RECT Control::PixelRect() const {
    RECT rect;
    rect.left = form_->X(left_);
    rect.top = form_->Y(top_);
    if (picture_ != nullptr && item_->kind == Kind::Image) {
        // An image shows its picture at the picture's own size.
        rect.right = rect.left + pictureSize_.cx;
        rect.bottom = rect.top + pictureSize_.cy;
    } else {
        rect.right = rect.left + form_->X(width_);
        rect.bottom = rect.top + form_->Y(height_);
    }
    return rect;
}

void Control::Move(double left, double top, double width, double height) {
    HWND container = container_ != nullptr ? container_->window_ : form_->window_;
    RECT before = PixelRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    RECT after = PixelRect();
    if (window_ != nullptr) {
        MoveWindow(window_, after.left, after.top, after.right - after.left, after.bottom - after.top, TRUE);
    } else if (visible_) {
        InvalidateRect(container, &before, FALSE);
        InvalidateRect(container, &after, FALSE);
    }
}

// --- Form ----------------------------------------------------------------------

Form::Form(const char* tableName, Handlers handlers) : tableName_(tableName), handlers_(std::move(handlers)) {}

Form::~Form() {
    if (window_ != nullptr) Unload();
}

int Form::X(double twips) const { return common::TwipsToPixels(twips, dpiX_); }
int Form::Y(double twips) const { return common::TwipsToPixels(twips, dpiY_); }

void Form::Load() {
    if (window_ != nullptr) return;
    TableParse parsed = ParseFormTable(internal::ResourceText(tableName_));
    if (!parsed.table) TableFault(tableName_, parsed.error.empty() ? "it is missing" : parsed.error);
    table_ = std::move(*parsed.table);
    std::vector<std::string> handlerNames;
    for (const auto& handler : handlers_) handlerNames.push_back(handler.first);
    const std::string wiring = CheckHandlerNames(table_, handlerNames);
    if (!wiring.empty()) TableFault(tableName_, wiring);
    HDC screen = GetDC(nullptr);
    dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpiX_ <= 0) dpiX_ = 96;
    if (dpiY_ <= 0) dpiY_ = 96;
    movedByCode_ = false;
    shownOnce_ = false;
    CreateWindowFromTable();
    FormOpened();
    Fire("Form_Load");
}

void Form::CreateWindowFromTable() {
    RegisterPictureBoxClass(common::ObjectWindowProc<Control>);
    const Item& form = table_.form;
    std::string border = form.Text("BorderStyle", "FixedSingle");
    // No WS_CLIPCHILDREN: the form paints beneath its transparent labels.
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    if (border == "FixedSingle") style |= WS_CAPTION | WS_SYSMENU;
    if (border == "FixedDialog") {
        style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        exStyle |= WS_EX_DLGMODALFRAME;
    }
    bool inTaskbar = form.Flag("ShowInTaskbar", true);
    if (inTaskbar) exStyle |= WS_EX_APPWINDOW;

    // An empty dialog template: the dialog manager gives the window its
    // keyboard handling; the size is set in pixels below.
    struct alignas(4) Template {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } dialogTemplate = {};
    dialogTemplate.dialog.style = style;
    dialogTemplate.dialog.dwExtendedStyle = exStyle;
    HWND owner = inTaskbar ? nullptr : HiddenOwner();
    window_ = CreateDialogIndirectParamA(Instance(), &dialogTemplate.dialog, owner, common::ObjectDialogProc<Form>,
                                         reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) TableFault(tableName_, "Windows could not create the window");
    internal::AddFormWindow(window_);
    SetWindowTextA(window_, ToAnsi(form.Text("Caption")).c_str());

    backColour_ = ColourOf(form.Text("BackColor", "ButtonFace"), GetSysColor(COLOR_BTNFACE));
    backBrush_ = CreateSolidBrush(backColour_);
    if (form.Has("Picture")) {
        std::string why;
        picture_ = common::LoadPackedPicture(Instance(), form.Text("Picture").c_str(), why);
        if (picture_ == nullptr) TableFault(tableName_, "the picture " + form.Text("Picture") + ": " + why);
    }
    if (common::IsPaletteScreen()) {
        const std::vector<common::Rgb> colours = common::ColourTableOf(picture_);
        palette_ = common::CreatePaletteOf(colours.empty() ? common::ColourCube() : colours);
    }
    if (form.Has("Icon")) {
        auto id = MAKEINTRESOURCEA(static_cast<int>(form.Number("Icon")));
        // Shared: the system keeps one copy and frees it with the program.
        auto big = LoadImageA(Instance(), id, IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                              LR_SHARED);
        auto small = LoadImageA(Instance(), id, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                GetSystemMetrics(SM_CYSMICON), LR_SHARED);
        SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }

    RECT outer = {0, 0, X(form.Number("ClientWidth")), Y(form.Number("ClientHeight"))};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    SetWindowPos(window_, nullptr, X(form.Number("Left")), Y(form.Number("Top")), outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);

    for (const Item& item : table_.controls) {
        auto control = std::make_unique<Control>();
        control->form_ = this;
        control->item_ = &item;
        controls_.push_back(std::move(control));
    }
    // Child windows are made in tab order: the dialog manager moves the
    // focus along their stacking order. The rest follow as declared.
    std::vector<Control*> order;
    for (const Item* item : table_.TabOrder()) order.push_back(&(*this)[item->name]);
    for (auto& control : controls_) {
        if (!control->item_->Has("TabIndex")) order.push_back(control.get());
    }
    // Containers come before what they hold.
    std::stable_partition(order.begin(), order.end(),
                          [](Control* c) { return c->item_->kind == Kind::PictureBox; });
    for (Control* control : order) CreateControl(*control);
}

void Form::CreateControl(Control& control) {
    const Item& item = *control.item_;
    if (!item.container.empty()) control.container_ = &(*this)[item.container];
    control.visible_ = item.Flag("Visible", true);
    control.left_ = item.Number("Left");
    control.top_ = item.Number("Top");
    control.width_ = item.Number("Width");
    control.height_ = item.Number("Height");
    if (item.kind == Kind::Line) {
        control.left_ = item.Number("X1");
        control.top_ = item.Number("Y1");
        control.width_ = item.Number("X2") - item.Number("X1");
        control.height_ = item.Number("Y2") - item.Number("Y1");
    }
    Control* box = control.container_;
    COLORREF containerColour = box != nullptr ? box->backColour_ : backColour_;
    control.backColour_ = ColourOf(item.Text("BackColor"), containerColour);
    if (item.kind == Kind::Line) control.backColour_ = ColourOf(item.Text("BorderColor", "WindowText"), 0);
    control.backBrush_ = CreateSolidBrush(control.backColour_);
    if (item.Has("Picture")) LoadPicture(control, item.Text("Picture"), item.Text("TransparentColor"));
    if (item.kind == Kind::Line || item.kind == Kind::Image) return;

    // The dialog's own font unless the control names one.
    double points = item.Number("FontSize", 8.25);
    control.font_ = CreateFontA(-static_cast<int>(std::lround(points * dpiY_ / 72.0)), 0, 0, 0,
                                item.Flag("FontBold") ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                item.Text("FontName", "MS Sans Serif").c_str());
    fonts_.push_back(control.font_);

    const char* windowClass = "STATIC";
    DWORD style = WS_CHILD | (control.visible_ ? WS_VISIBLE : 0);
    DWORD exStyle = 0;
    std::string text = ToAnsi(item.Text("Caption"));
    switch (item.kind) {
    case Kind::PictureBox:
        windowClass = kPictureBoxClass;
        if (item.Text("BorderStyle", "FixedSingle") == "FixedSingle") {
            if (item.Text("Appearance", "3D") == "3D") exStyle |= WS_EX_CLIENTEDGE;
            else style |= WS_BORDER;
        }
        break;
    case Kind::Label:
        // Transparent: labels may overlap, and each shows through the other.
        // Without SS_NOTIFY the mouse passes through to the container, which
        // makes a click of a press and a release on the same label.
        style |= SS_LEFT;
        exStyle |= WS_EX_TRANSPARENT;
        break;
    case Kind::CommandButton:
        windowClass = "BUTTON";
        style |= WS_TABSTOP | (item.Flag("Default") ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case Kind::CheckBox:
        windowClass = "BUTTON";
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    case Kind::TextBox:
        windowClass = "EDIT";
        text = ToAnsi(item.Text("Text"));
        style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        if (item.Flag("MultiLine")) style = (style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL;
        if (item.Flag("Locked")) style |= ES_READONLY;
        if (item.Text("ScrollBars") == "Vertical") style |= WS_VSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    default:
        break;
    }
    RECT rect = control.PixelRect();
    HWND parent = box != nullptr ? box->window_ : window_;
    int index = 0;
    while (controls_[static_cast<std::size_t>(index)].get() != &control) ++index;
    control.window_ = CreateWindowExA(exStyle, windowClass, text.c_str(), style, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                      Instance(), item.kind == Kind::PictureBox ? &control : nullptr);
    if (item.kind == Kind::TextBox) {
        SetPropA(control.window_, "VorlaksEdit",
                 reinterpret_cast<HANDLE>(
                     SetWindowLongPtrA(control.window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextBoxProc))));
    }
    if (item.kind == Kind::CommandButton && item.Flag("Default")) {
        SendMessageA(window_, DM_SETDEFID, static_cast<WPARAM>(kFirstControlId + index), 0);
    }
    SendMessageA(control.window_, WM_SETFONT, reinterpret_cast<WPARAM>(control.font_), FALSE);
}

void Form::LoadPicture(Control& control, const std::string& resource, const std::string& transparent) {
    std::string why;
    control.picture_ = common::LoadPackedPicture(Instance(), resource.c_str(), why);
    if (control.picture_ == nullptr) TableFault(tableName_, "the picture " + resource + ": " + why);
    BITMAP info = {};
    GetObjectA(control.picture_, sizeof info, &info);
    control.pictureSize_ = {info.bmWidth, info.bmHeight};
    if (!transparent.empty()) {
        internal::MakeTransparent(control.picture_, control.mask_, control.pictureSize_, ColourOf(transparent, 0));
    }
}

void Form::Show() {
    if (window_ == nullptr) Load();
    if (!shownOnce_ && !movedByCode_ && table_.form.Text("StartUpPosition") == "CenterScreen") {
        RECT rect;
        GetWindowRect(window_, &rect);
        int width = rect.right - rect.left;
        int height = rect.bottom - rect.top;
        SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    bool first = !shownOnce_;
    shownOnce_ = true;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    if (first) {
        // The focus goes to the first control in tab order that can take it.
        for (const Item* item : table_.TabOrder()) {
            HWND child = (*this)[item->name].window_;
            if (child != nullptr && (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(child) &&
                IsWindowEnabled(child)) {
                SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(child), TRUE);
                // The dialog manager selects a text box's whole text, which
                // scrolls a long one to its end; a form opens with the caret
                // at the start and the first line in view.
                if (item->kind == Kind::TextBox) {
                    SendMessageA(child, EM_SETSEL, 0, 0);
                    SendMessageA(child, EM_SCROLLCARET, 0, 0);
                }
                break;
            }
        }
    }
}

void Form::Unload() {
    if (window_ == nullptr) return;
    // The windows a modal form disabled come back before it goes, so that
    // the activation returns to them and not to another program.
    for (HWND other : disabledByModal_) {
        if (IsWindow(other)) EnableWindow(other, TRUE);
    }
    disabledByModal_.clear();
    DestroyWindow(window_);
}

void Form::Destroyed() {
    internal::RemoveFormWindow(window_);
    window_ = nullptr;
    pressed_ = nullptr;
    for (auto& control : controls_) {
        if (control->backBrush_ != nullptr) DeleteObject(control->backBrush_);
        if (control->picture_ != nullptr) DeleteObject(control->picture_);
        if (control->mask_ != nullptr) DeleteObject(control->mask_);
    }
    controls_.clear();
    for (HFONT font : fonts_) DeleteObject(font);
    fonts_.clear();
    if (backBrush_ != nullptr) DeleteObject(backBrush_);
    backBrush_ = nullptr;
    if (picture_ != nullptr) DeleteObject(picture_);
    picture_ = nullptr;
    if (palette_ != nullptr) DeleteObject(palette_);
    palette_ = nullptr;
    for (HWND other : disabledByModal_) {
        if (IsWindow(other)) EnableWindow(other, TRUE);
    }
    disabledByModal_.clear();
    FormClosed();
}

Control& Form::operator[](const std::string& name) {
    for (auto& control : controls_) {
        if (control->item_->name == name) return *control;
    }
    TableFault(tableName_, "it has no control " + name);
}

void Form::SetCaption(const std::string& text) { SetWindowTextA(window_, text.c_str()); }

double Form::Width() const {
    RECT rect;
    GetWindowRect(window_, &rect);
    return common::PixelsToTwips(rect.right - rect.left, dpiX_);
}

double Form::Height() const {
    RECT rect;
    GetWindowRect(window_, &rect);
    return common::PixelsToTwips(rect.bottom - rect.top, dpiY_);
}

void Form::Move(double left, double top) {
    movedByCode_ = true;
    SetWindowPos(window_, nullptr, X(left), Y(top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Control* Form::ByWindow(HWND window) {
    for (auto& control : controls_) {
        if (control->window_ == window && window != nullptr) return control.get();
    }
    return nullptr;
}

}  // namespace forms
