// The pages every setup program shows, in one window (frmWizard): a title
// and text, a progress bar while it works, a check box on the last page,
// and Back, Next and Cancel, all usable from the keyboard (Enter is Next,
// Esc is Cancel, Alt and the underlined letter). A setup program is the
// list of its pages; the wizard walks it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {
class Form;
}

namespace setup {

// What a page shows.
struct Page {
    std::string title;
    std::string body;
    std::string next = "&Next >";
    bool cancel = true;      // nothing done yet that Cancel could not undo
    bool progress = false;   // the progress bar and its status line
    std::string check;       // the check box's caption; none when empty
};

class Wizard;

// One page: what it shows as it comes up, and what Next and Cancel do there.
class WizardPage {
public:
    virtual ~WizardPage() = default;
    virtual Page Look() = 0;
    // The page has come up; true goes on to the next page at once (a page
    // whose work runs as it shows).
    virtual bool OnShown(Wizard&) { return false; }
    // Next (Finish on the last page): true goes on; past the last page the
    // wizard closes.
    virtual bool OnNext(Wizard&) { return true; }
    // Cancel, or the close box: true closes the wizard.
    virtual bool OnCancel(Wizard&) { return false; }
    // A choice that Back returns to: Back shows on the pages after one.
    virtual bool HoldsChoice() const { return false; }
};

using Pages = std::vector<std::unique_ptr<WizardPage>>;

// The three pages every setup program walks. One that asks to go on (Next,
// and Cancel, which closes when `cancel` says so); one while the work runs
// (Cancel closed: what is half done is taken back by the work itself, not by
// the user); and the last (Finish), whose look is known only once the work
// is done, and which may do one more thing on Finish.
std::unique_ptr<WizardPage> AskPage(Page look, std::function<bool(Wizard&)> cancel);
std::unique_ptr<WizardPage> WorkPage(std::string title, std::string body, std::function<void(Wizard&)> work);
std::unique_ptr<WizardPage> LastPage(std::function<Page()> look, std::function<void(Wizard&)> finish = nullptr);
// The looks of a page that asks and of a last page.
Page Asks(std::string title, std::string body, std::string next = "&Next >");
Page Finished(std::string title, std::string body, std::string check = "");

class Wizard {
public:
    Wizard(const std::string& caption, Pages pages);
    ~Wizard();

    // Shows the first page and runs until the window is closed.
    void Run();
    // Moves the bar to done/total and names what is being done, painting
    // at once: the work runs inside a click, not in the message loop.
    void Progress(unsigned long done, unsigned long total, const std::string& status);
    bool Checked();
    HWND Window();
    void Close();

private:
    void ShowPage(std::size_t index);
    // One event at a time: a page's work and its message boxes run inside
    // the click, and a second press (a key held down, a program sending
    // clicks) must not start it again from within.
    void Handle(void (Wizard::*handler)());
    void Next();
    void Back();
    void Cancel();
    void Enable(const char* name, bool enabled);

    std::string caption_;
    Pages pages_;
    std::size_t current_ = 0;
    std::unique_ptr<forms::Form> form_;
    bool closing_ = false;
    bool handling_ = false;
};

}  // namespace setup
