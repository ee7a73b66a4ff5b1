// Asks Windows which version runs, afresh at every call.
#pragma once

#include "common/windows_version.h"

namespace common {

WindowsVersion CurrentWindowsVersion();

}  // namespace common
