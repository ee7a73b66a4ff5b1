// frmMain: the full-screen saver window.
#pragma once

namespace frmMain {

// Creates the window (its load handler writes the day's data) and shows it
// maximized, on top of everything.
void Show();

}  // namespace frmMain
