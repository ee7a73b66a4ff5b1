#include "common/windows_version_win.h"

#include <windows.h>

#include <cstring>

namespace common {

static_assert(sizeof(OSVERSIONINFOA) == kVersionRecordSize, "OSVERSIONINFOA is 148 bytes");

WindowsVersion CurrentWindowsVersion() {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = kVersionRecordSize;
    // Newer SDKs deprecate the call because it lies to unmanifested programs
    // about versions after 8; nothing here tells apart versions after Vista.
    // Its result is ignored on purpose: a failure leaves the record zero.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    VersionRecord record;
    record.platformId = info.dwPlatformId;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    return WindowsVersion(record);
}

}  // namespace common
