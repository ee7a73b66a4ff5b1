// The Desktop Theme's setup (install\insttm98.exe) and the wallpaper's
// (install\insttmNT.exe), and their uninstallers.
#pragma once

#include "setup/carried_files_win.h"
#include "setup/saver_setup_win.h"
#include "setup/theme_rules.h"

namespace setup {

int InstallTheme(Product product, CarriedFiles& carried, const Options& options);
int UninstallTheme(Product product, const Options& options);

}  // namespace setup
