#include "setup/wizard_win.h"

#include <memory>

#include "forms/form_win.h"
#include "setup/system_win.h"

namespace setup {

namespace {

std::string windowCaption;
Wizard::Events events;
std::unique_ptr<forms::Form> form;
bool closing = false;

// One event at a time: a page's work and its message boxes run inside the
// click, and a second press (a key held down, a program sending clicks) must
// not start it again from within.
bool handling = false;

void Run(const std::function<void()>& handler) {
    if (handling || !handler) return;
    handling = true;
    handler();
    handling = false;
}

void Form_Load() { form->SetCaption(windowCaption); }
void cmdNext_Click() { Run(events.next); }
void cmdBack_Click() { Run(events.back); }
void cmdCancel_Click() { Run(events.cancel); }
// The close box asks as Cancel does; the layer unloads the window after.
void Form_QueryUnload() {
    if (!closing) Run(events.cancel);
}

void Enable(const char* name, bool enabled) { EnableWindow((*form)[name].Window(), enabled ? TRUE : FALSE); }

}  // namespace

Page AskPage(std::string title, std::string body, std::string next, bool back) {
    Page page;
    page.title = std::move(title);
    page.body = std::move(body);
    page.next = std::move(next);
    page.back = back;
    return page;
}

Page WorkPage(std::string title, std::string body) {
    Page page = AskPage(std::move(title), std::move(body));
    page.cancel = false;
    page.progress = true;
    return page;
}

Page LastPage(std::string title, std::string body, std::string check) {
    Page page = AskPage(std::move(title), std::move(body), "&Finish");
    page.cancel = false;
    page.check = std::move(check);
    return page;
}

Wizard::Wizard(const std::string& caption, Events handlers) {
    windowCaption = caption;
    events = std::move(handlers);
    form = std::make_unique<forms::Form>("frmWizard", forms::Handlers{
                                                          {"Form_Load", Form_Load},
                                                          {"Form_QueryUnload", Form_QueryUnload},
                                                          {"cmdNext_Click", cmdNext_Click},
                                                          {"cmdBack_Click", cmdBack_Click},
                                                          {"cmdCancel_Click", cmdCancel_Click},
                                                      });
}

Wizard::~Wizard() { form.reset(); }

void Wizard::Show(const Page& page) {
    if (form->Window() == nullptr) form->Show();
    forms::Form& f = *form;
    f["lblTitle"].SetCaption(page.title);
    f["lblBody"].SetCaption(page.body);
    f["lblStatus"].SetVisible(page.progress);
    f["picTrack"].SetVisible(page.progress);
    if (page.progress) Progress(0, 1, "");
    f["chkOpen"].SetVisible(!page.check.empty());
    if (!page.check.empty()) {
        f["chkOpen"].SetCaption(page.check);
        f["chkOpen"].SetValue(1);
    }
    f["cmdNext"].SetCaption(page.next);
    Enable("cmdBack", page.back);
    Enable("cmdNext", !page.progress);
    Enable("cmdCancel", page.cancel);
    // Focus on Next (Enter goes on), or on Cancel where Next is not yet open.
    HWND focus = f[page.progress ? "cmdCancel" : "cmdNext"].Window();
    if (IsWindowEnabled(focus)) SendMessageA(f.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    PaintNow(f.Window());
}

void Wizard::Progress(unsigned long done, unsigned long total, const std::string& status) {
    forms::Control& track = (*form)["picTrack"];
    forms::Control& bar = (*form)["picBar"];
    const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    bar.Move(0, 0, track.Width() * (fraction > 1 ? 1 : fraction), track.Height());
    (*form)["lblStatus"].SetCaption(status);
    PaintNow(form->Window());
}

bool Wizard::Checked() { return (*form)["chkOpen"].Visible() && (*form)["chkOpen"].Value() == 1; }

HWND Wizard::Window() { return form->Window(); }

void Wizard::Close() {
    closing = true;
    form->Unload();
}

void Wizard::Run() { forms::RunMessageLoop(); }

}  // namespace setup
