#include "setup/wizard_win.h"

#include "forms/form_win.h"
#include "setup/system_win.h"

namespace setup {

namespace {

class Asking : public WizardPage {
public:
    Asking(Page look, std::function<bool(Wizard&)> cancel) : look_(std::move(look)), cancel_(std::move(cancel)) {}
    Page Look() override { return look_; }
    bool OnCancel(Wizard& wizard) override { return cancel_ && cancel_(wizard); }

private:
    Page look_;
    std::function<bool(Wizard&)> cancel_;
};

class Working : public WizardPage {
public:
    Working(std::string title, std::string body, std::function<void(Wizard&)> work)
        : look_(Asks(std::move(title), std::move(body))), work_(std::move(work)) {
        look_.cancel = false;
        look_.progress = true;
    }
    Page Look() override { return look_; }
    bool OnShown(Wizard& wizard) override {
        work_(wizard);
        return true;
    }

private:
    Page look_;
    std::function<void(Wizard&)> work_;
};

class Last : public WizardPage {
public:
    Last(std::function<Page()> look, std::function<void(Wizard&)> finish)
        : look_(std::move(look)), finish_(std::move(finish)) {}
    Page Look() override { return look_(); }
    bool OnNext(Wizard& wizard) override {
        if (finish_) finish_(wizard);
        return true;
    }

private:
    std::function<Page()> look_;
    std::function<void(Wizard&)> finish_;
};

}  // namespace

std::unique_ptr<WizardPage> AskPage(Page look, std::function<bool(Wizard&)> cancel) {
    return std::make_unique<Asking>(std::move(look), std::move(cancel));
}

std::unique_ptr<WizardPage> WorkPage(std::string title, std::string body, std::function<void(Wizard&)> work) {
    return std::make_unique<Working>(std::move(title), std::move(body), std::move(work));
}

std::unique_ptr<WizardPage> LastPage(std::function<Page()> look, std::function<void(Wizard&)> finish) {
    return std::make_unique<Last>(std::move(look), std::move(finish));
}

Page Asks(std::string title, std::string body, std::string next) {
    Page page;
    page.title = std::move(title);
    page.body = std::move(body);
    page.next = std::move(next);
    return page;
}

Page Finished(std::string title, std::string body, std::string check) {
    Page page = Asks(std::move(title), std::move(body), "&Finish");
    page.cancel = false;
    page.check = std::move(check);
    return page;
}

Wizard::Wizard(const std::string& caption, Pages pages) : caption_(caption), pages_(std::move(pages)) {
    form_ = std::make_unique<forms::Form>(
        "frmWizard", forms::Handlers{
                         {"Form_Load", [this] { form_->SetCaption(caption_); }},
                         // The close box asks as Cancel does; the layer unloads the window after.
                         {"Form_QueryUnload", [this] { if (!closing_) Handle(&Wizard::Cancel); }},
                         {"cmdNext_Click", [this] { Handle(&Wizard::Next); }},
                         {"cmdBack_Click", [this] { Handle(&Wizard::Back); }},
                         {"cmdCancel_Click", [this] { Handle(&Wizard::Cancel); }},
                     });
}

Wizard::~Wizard() { form_.reset(); }

void Wizard::Run() {
    if (pages_.empty()) return;
    ShowPage(0);
    forms::RunMessageLoop();
}

void Wizard::Handle(void (Wizard::*handler)()) {
    if (handling_) return;
    handling_ = true;
    (this->*handler)();
    handling_ = false;
}

void Wizard::Next() {
    if (!pages_[current_]->OnNext(*this)) return;
    if (current_ + 1 < pages_.size()) {
        ShowPage(current_ + 1);
    } else {
        Close();
    }
}

void Wizard::Back() {
    for (std::size_t i = current_; i-- > 0;) {
        if (pages_[i]->HoldsChoice()) {
            ShowPage(i);
            return;
        }
    }
}

void Wizard::Cancel() {
    if (pages_[current_]->OnCancel(*this)) Close();
}

void Wizard::ShowPage(std::size_t index) {
    current_ = index;
    const Page page = pages_[index]->Look();
    if (form_->Window() == nullptr) form_->Show();
    forms::Form& f = *form_;
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
    bool back = false;
    for (std::size_t i = 0; i < index; ++i) back = back || pages_[i]->HoldsChoice();
    f["cmdBack"].SetVisible(back);
    Enable("cmdBack", back && !page.progress);
    Enable("cmdNext", !page.progress);
    Enable("cmdCancel", page.cancel);
    // Focus on Next (Enter goes on), or on Cancel where Next is not yet open.
    HWND focus = f[page.progress ? "cmdCancel" : "cmdNext"].Window();
    if (IsWindowEnabled(focus)) SendMessageA(f.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    PaintNow(f.Window());
    if (pages_[index]->OnShown(*this) && !closing_ && index + 1 < pages_.size()) ShowPage(index + 1);
}

void Wizard::Progress(unsigned long done, unsigned long total, const std::string& status) {
    forms::Control& track = (*form_)["picTrack"];
    forms::Control& bar = (*form_)["picBar"];
    const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    bar.Move(0, 0, track.Width() * (fraction > 1 ? 1 : fraction), track.Height());
    (*form_)["lblStatus"].SetCaption(status);
    PaintNow(form_->Window());
}

bool Wizard::Checked() { return (*form_)["chkOpen"].Visible() && (*form_)["chkOpen"].Value() == 1; }

HWND Wizard::Window() { return form_->Window(); }

void Wizard::Close() {
    closing_ = true;
    form_->Unload();
}

void Wizard::Enable(const char* name, bool enabled) {
    EnableWindow((*form_)[name].Window(), enabled ? TRUE : FALSE);
}

}  // namespace setup
