// frmMain: the CD menu's one window, the backdrop with its seven items.
#pragma once

namespace frmMain {

// Creates the window, shows it modally and returns once it has closed.
void ShowModal();

}  // namespace frmMain
