#include "menu/windows_version.h"

namespace menu {

namespace {
constexpr std::uint32_t kWindows98SEBuild = 2222;
}  // namespace

std::string WindowsVersionName(const VersionRecord& record) {
    switch (record.platformId) {
    case kPlatformWindows9x:
        // The major version is not looked at: 4.0 and 4.10 are all there is.
        if (record.minorVersion == 0) return kWindows95;
        if (record.minorVersion == 10) {
            return (record.buildNumber & 0xFFFFu) == kWindows98SEBuild ? kWindows98SE : kWindows98;
        }
        return std::string();
    case kPlatformWindowsNT:
        // Later versions in a family pass for the last one the pack knows:
        // NT 3.1 and 3.5 as 3.51, XP and Server 2003 as 2000.
        if (record.majorVersion == 3) return kWindowsNT351;
        if (record.majorVersion == 4) return kWindowsNT4;
        if (record.majorVersion == 5) return kWindows2000;
        return std::string();
    default:
        return kWindows32BitSystem;
    }
}

bool NameContains(const std::string& versionName, const char* part) {
    return versionName.find(part) != std::string::npos;
}

}  // namespace menu
