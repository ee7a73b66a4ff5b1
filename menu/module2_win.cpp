#include "menu/module2_win.h"

#include <windows.h>

#include <cstring>

#include "menu/windows_version.h"

namespace Module2 {

static_assert(sizeof(OSVERSIONINFOA) == menu::kVersionRecordSize, "OSVERSIONINFOA is 148 bytes");

std::string GetWindowsVersion() {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = menu::kVersionRecordSize;
    // Newer SDKs deprecate the call because it lies to unmanifested programs
    // about versions after 8; the menu only tells apart versions up to 2000.
    // Its result is ignored on purpose: a failure leaves the record zero.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    menu::VersionRecord record;
    record.platformId = info.dwPlatformId;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    return menu::WindowsVersionName(record);
}

}  // namespace Module2
