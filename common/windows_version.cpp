#include "common/windows_version.h"

namespace common {

namespace {

constexpr std::uint32_t kWindows98SEBuild = 2222;

constexpr char kDisplayProperties[] = "Display Properties";
constexpr char kScreenSaverSettings[] = "Screen Saver Settings";

// What each kind answers, one row a kind, in the order of the enum.
struct KindRow {
    WindowsKind kind;
    const char* menuName;
    bool nt;
    bool userUninstallList;
    const char* saverSettings;
};
constexpr KindRow kKinds[] = {
    {WindowsKind::NotWin32, kWindows32BitSystem, false, false, kDisplayProperties},
    {WindowsKind::Windows95, kWindows95, false, false, kDisplayProperties},
    {WindowsKind::Windows98, kWindows98, false, false, kDisplayProperties},
    {WindowsKind::Windows98SE, kWindows98SE, false, false, kDisplayProperties},
    {WindowsKind::WindowsMe, "", false, false, kDisplayProperties},
    {WindowsKind::Other9x, "", false, false, kDisplayProperties},
    {WindowsKind::WindowsNT3, kWindowsNT351, true, false, kDisplayProperties},
    {WindowsKind::WindowsNT4, kWindowsNT4, true, false, kDisplayProperties},
    {WindowsKind::Windows2000, kWindows2000, true, true, kDisplayProperties},
    {WindowsKind::WindowsXP, kWindows2000, true, true, kDisplayProperties},
    {WindowsKind::WindowsVista, "", true, true, kScreenSaverSettings},
    {WindowsKind::OtherNT, "", true, false, kDisplayProperties},
};

constexpr bool OneRowEachInOrder() {
    int i = 0;
    for (const KindRow& row : kKinds) {
        if (static_cast<int>(row.kind) != i++) return false;
    }
    return i == static_cast<int>(WindowsKind::OtherNT) + 1;
}
static_assert(OneRowEachInOrder(), "one row for each kind, in the order of the enum");

const KindRow& RowOf(WindowsKind kind) { return kKinds[static_cast<int>(kind)]; }

WindowsKind KindOf(const VersionRecord& record) {
    switch (record.platformId) {
    case kPlatformWindows9x:
        // The major version is not looked at: 4 is all there is.
        switch (record.minorVersion) {
        case 0: return WindowsKind::Windows95;
        case 10:
            return (record.buildNumber & 0xFFFFu) == kWindows98SEBuild ? WindowsKind::Windows98SE
                                                                       : WindowsKind::Windows98;
        case 90: return WindowsKind::WindowsMe;
        default: return WindowsKind::Other9x;
        }
    case kPlatformWindowsNT:
        // Nor is the minor version here, except to tell XP from 2000.
        if (record.majorVersion == 3) return WindowsKind::WindowsNT3;
        if (record.majorVersion == 4) return WindowsKind::WindowsNT4;
        if (record.majorVersion == 5) {
            return record.minorVersion == 0 ? WindowsKind::Windows2000 : WindowsKind::WindowsXP;
        }
        return record.majorVersion > 5 ? WindowsKind::WindowsVista : WindowsKind::OtherNT;
    default:
        return WindowsKind::NotWin32;
    }
}

}  // namespace

WindowsVersion::WindowsVersion(const VersionRecord& record) : kind_(KindOf(record)) {}

const char* WindowsVersion::MenuName() const { return RowOf(kind_).menuName; }
bool WindowsVersion::Nt() const { return RowOf(kind_).nt; }
bool WindowsVersion::SaverInSystemFolder() const { return !Nt(); }
bool WindowsVersion::UserUninstallList() const { return RowOf(kind_).userUninstallList; }
const char* WindowsVersion::SaverSettingsName() const { return RowOf(kind_).saverSettings; }
bool WindowsVersion::HasScreenSaverSettings() const { return SaverSettingsName() == kScreenSaverSettings; }

}  // namespace common
