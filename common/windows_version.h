// The running Windows, told once from its version record: what kind it is,
// and what the programs ask of it (the name the menu gives it, where the
// saver goes, which uninstall list and which screen-saver page apply).
#pragma once

#include <cstdint>

namespace common {

// The four fields of OSVERSIONINFOA that the programs read. A query that
// failed leaves the record zero-filled apart from its size.
struct VersionRecord {
    std::uint32_t platformId = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
};

// OSVERSIONINFOA as Windows defines it; the size the record announces.
inline constexpr std::uint32_t kVersionRecordSize = 148;

inline constexpr std::uint32_t kPlatformWindows9x = 1;
inline constexpr std::uint32_t kPlatformWindowsNT = 2;

enum class WindowsKind {
    NotWin32,      // Win32s, CE, any other platform, and a failed query
    Windows95,     // 4.0 of the 95/98 family
    Windows98,     // 4.10
    Windows98SE,   // 4.10 build 2222
    WindowsMe,     // 4.90
    Other9x,       // a minor version the family never shipped
    WindowsNT3,    // 3.1, 3.5 and 3.51
    WindowsNT4,
    Windows2000,
    WindowsXP,     // 5.1 and Server 2003's 5.2
    WindowsVista,  // 6.0 and everything after
    OtherNT,       // an NT older than 3
};

// The menu's names for the versions it knows.
inline constexpr char kWindows95[] = "Windows 95";
inline constexpr char kWindows98[] = "Windows 98";
inline constexpr char kWindows98SE[] = "Windows 98 SE";
inline constexpr char kWindowsNT351[] = "Windows NT 3.51";
inline constexpr char kWindowsNT4[] = "Windows NT 4";
inline constexpr char kWindows2000[] = "Windows 2000";
inline constexpr char kWindows32BitSystem[] = "Windows 32 Bit System";

class WindowsVersion {
public:
    // What a failed query gives.
    WindowsVersion() : WindowsVersion(WindowsKind::NotWin32) {}
    explicit WindowsVersion(WindowsKind kind) : kind_(kind) {}
    // The 95/98 family keeps its major and minor version in the high 16 bits
    // of the build number, so only the low 16 bits count there.
    explicit WindowsVersion(const VersionRecord& record);

    WindowsKind Kind() const { return kind_; }
    // The menu's name: one of the names above, or the empty string for a
    // known family whose version the menu does not name (Me, Vista on).
    // Later versions pass for the last one the menu knows: NT 3.1 and 3.5
    // as 3.51, XP and Server 2003 as 2000.
    const char* MenuName() const;
    // The NT family: the saver setting lives in the user's registry, not in
    // system.ini, and the platform has MoveFileEx.
    bool Nt() const;
    // The saver goes to Windows' System folder, where 95/98/Me list savers
    // and every user may write; on NT to the user's own application data.
    bool SaverInSystemFolder() const;
    // The Add/Remove Programs list an entry goes to: the user's own from
    // 2000 on (the install is the user's own), else the machine's, the only
    // one that 95/98/Me and NT 4 show.
    bool UserUninstallList() const;
    // Where the user picks the saver: "Display Properties" up to XP,
    // "Screen Saver Settings" from Vista on.
    const char* SaverSettingsName() const;
    bool HasScreenSaverSettings() const;

private:
    WindowsKind kind_;
};

}  // namespace common
