#include "common/windows_version.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace common {
namespace {

// One row per version record: what it is and every answer the programs ask
// of it. The menu's names must never change; the rest decides where setup
// puts the saver and what its pages say.
TEST(WindowsVersion, KindNameAndAnswersOfEachRecord) {
    using K = WindowsKind;
    constexpr const char* DP = "Display Properties";
    constexpr const char* SS = "Screen Saver Settings";
    struct Case {
        std::uint32_t platform, major, minor, build;
        K kind;
        const char* name;
        bool nt, userList;
        const char* settings;
    };
    const Case cases[] = {
        // 95/98 family: only the minor version and the low 16 bits of the build.
        {1, 4, 0, 950, K::Windows95, "Windows 95", false, false, DP},
        {1, 4, 0, 0x040003B6, K::Windows95, "Windows 95", false, false, DP},
        {1, 4, 0, 2222, K::Windows95, "Windows 95", false, false, DP},
        {1, 7, 0, 1, K::Windows95, "Windows 95", false, false, DP},
        {1, 4, 10, 1998, K::Windows98, "Windows 98", false, false, DP},
        {1, 4, 10, 0x040A07CE, K::Windows98, "Windows 98", false, false, DP},
        {1, 4, 10, 2222, K::Windows98SE, "Windows 98 SE", false, false, DP},
        {1, 4, 10, 0x040A08AE, K::Windows98SE, "Windows 98 SE", false, false, DP},
        {1, 4, 10, 0xFFFF08AE, K::Windows98SE, "Windows 98 SE", false, false, DP},
        {1, 0, 10, 0x000108AE, K::Windows98SE, "Windows 98 SE", false, false, DP},
        {1, 4, 10, 0x08AE0000, K::Windows98, "Windows 98", false, false, DP},  // 2222 in the high bits does not count
        {1, 4, 10, 2223, K::Windows98, "Windows 98", false, false, DP},
        {1, 4, 90, 3000, K::WindowsMe, "", false, false, DP},
        {1, 4, 1, 0, K::Other9x, "", false, false, DP},
        // NT family: the major version (and 5's minor, for XP).
        {2, 3, 10, 528, K::WindowsNT3, "Windows NT 3.51", true, false, DP},
        {2, 3, 50, 807, K::WindowsNT3, "Windows NT 3.51", true, false, DP},
        {2, 3, 51, 1057, K::WindowsNT3, "Windows NT 3.51", true, false, DP},
        {2, 4, 0, 1381, K::WindowsNT4, "Windows NT 4", true, false, DP},
        {2, 4, 10, 2222, K::WindowsNT4, "Windows NT 4", true, false, DP},
        {2, 5, 0, 2195, K::Windows2000, "Windows 2000", true, true, DP},
        {2, 5, 1, 2600, K::WindowsXP, "Windows 2000", true, true, DP},
        {2, 5, 2, 3790, K::WindowsXP, "Windows 2000", true, true, DP},
        {2, 6, 0, 6000, K::WindowsVista, "", true, true, SS},
        {2, 10, 0, 19045, K::WindowsVista, "", true, true, SS},
        {2, 2, 0, 0, K::OtherNT, "", true, false, DP},
        // Anything else: Win32s, Windows CE, nonsense, a failed query. Setup
        // treats them as the 95/98 family, as it always has.
        {0, 3, 10, 0, K::NotWin32, "Windows 32 Bit System", false, false, DP},
        {3, 4, 0, 0, K::NotWin32, "Windows 32 Bit System", false, false, DP},
        {4, 5, 0, 2195, K::NotWin32, "Windows 32 Bit System", false, false, DP},
        {0xFFFFFFFF, 4, 10, 2222, K::NotWin32, "Windows 32 Bit System", false, false, DP},
        {0, 0, 0, 0, K::NotWin32, "Windows 32 Bit System", false, false, DP},
    };
    for (const Case& c : cases) {
        const WindowsVersion version(VersionRecord{c.platform, c.major, c.minor, c.build});
        const std::string at = "platform " + std::to_string(c.platform) + ", " + std::to_string(c.major) + "." +
                               std::to_string(c.minor) + " build " + std::to_string(c.build);
        EXPECT_EQ(version.Kind(), c.kind) << at;
        EXPECT_STREQ(version.MenuName(), c.name) << at;
        EXPECT_EQ(version.Nt(), c.nt) << at;
        EXPECT_EQ(version.SaverInSystemFolder(), !c.nt) << at;
        EXPECT_EQ(version.UserUninstallList(), c.userList) << at;
        EXPECT_STREQ(version.SaverSettingsName(), c.settings) << at;
        EXPECT_EQ(version.HasScreenSaverSettings(), std::string(c.settings) == SS) << at;
        // A kind answers the same whether told by a record or by name.
        EXPECT_STREQ(WindowsVersion(c.kind).MenuName(), c.name) << at;
    }
}

TEST(WindowsVersion, FailedQueryIsA32BitSystem) {
    EXPECT_EQ(WindowsVersion(VersionRecord{}).Kind(), WindowsKind::NotWin32);
    EXPECT_EQ(WindowsVersion().Kind(), WindowsKind::NotWin32);
    EXPECT_STREQ(WindowsVersion().MenuName(), "Windows 32 Bit System");
}

}  // namespace
}  // namespace common
