// The pages every setup program shows, in one window (frmWizard): a title
// and text, a progress bar while it works, a check box on the last page,
// and Back, Next and Cancel, all usable from the keyboard (Enter is Next,
// Esc is Cancel, Alt and the underlined letter).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace setup {

struct Page {
    std::string title;
    std::string body;
    std::string next = "&Next >";
    bool back = false;       // a page to go back to
    bool cancel = true;      // nothing done yet that Cancel could not undo
    bool progress = false;   // the progress bar and its status line
    std::string check;       // the check box's caption; none when empty
};

// The three kinds of page: one that asks to go on (Next, Cancel), one
// while the work runs (Cancel closed: what is half done is taken back by
// the work itself, not by the user), and the last (Finish).
Page AskPage(std::string title, std::string body, std::string next = "&Next >", bool back = false);
Page WorkPage(std::string title, std::string body);
Page LastPage(std::string title, std::string body, std::string check = "");

class Wizard {
public:
    struct Events {
        std::function<void()> next, back, cancel;
    };

    Wizard(const std::string& caption, Events events);
    ~Wizard();

    void Show(const Page& page);
    // Moves the bar to done/total and names what is being done, painting
    // at once: the work runs inside a click, not in the message loop.
    void Progress(unsigned long done, unsigned long total, const std::string& status);
    bool Checked();
    HWND Window();
    void Close();
    // Runs until the window is closed.
    void Run();
};

}  // namespace setup
