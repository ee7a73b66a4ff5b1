// frmTheme: how to add Desktop Themes support to Windows 98, with a way to
// install the wallpaper only.
#pragma once

namespace frmTheme {

// Creates the dialog afresh, shows it modally and returns once it has closed.
void ShowModal();

}  // namespace frmTheme
