// frmAbout: which screen saver this is, its version, and links to the web.
#pragma once

namespace frmAbout {

// Creates and loads the dialog anew and returns once it has closed.
void ShowModal();

}  // namespace frmAbout
