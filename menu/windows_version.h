// Naming the running Windows version from the fields of its version record.
#pragma once

#include <cstdint>
#include <string>

namespace menu {

// The four fields of OSVERSIONINFOA that the menu reads. A query that failed
// leaves the record zero-filled apart from its size.
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

inline constexpr char kWindows95[] = "Windows 95";
inline constexpr char kWindows98[] = "Windows 98";
inline constexpr char kWindows98SE[] = "Windows 98 SE";
inline constexpr char kWindowsNT351[] = "Windows NT 3.51";
inline constexpr char kWindowsNT4[] = "Windows NT 4";
inline constexpr char kWindows2000[] = "Windows 2000";
inline constexpr char kWindows32BitSystem[] = "Windows 32 Bit System";

// One of the names above, or the empty string for a known family whose
// version the menu does not name (Windows Me, NT 6 and later). The 95/98
// family keeps its major and minor version in the high 16 bits of the build
// number, so only the low 16 bits count there.
std::string WindowsVersionName(const VersionRecord& record);

// Callers test a name by case-sensitive substring, so "Windows 98 SE" also
// counts as "Windows 98" and the empty name counts as nothing.
bool NameContains(const std::string& versionName, const char* part);

}  // namespace menu
