#include "menu/module2_win.h"

#include "common/windows_version_win.h"

namespace Module2 {

std::string GetWindowsVersion() { return common::CurrentWindowsVersion().MenuName(); }

}  // namespace Module2
