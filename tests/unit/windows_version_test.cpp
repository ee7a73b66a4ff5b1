#include "menu/windows_version.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace menu {
namespace {

TEST(WindowsVersionName, NamesEachFamilyAndVersion) {
    struct Case { std::uint32_t platform, major, minor, build; const char* name; };
    const Case cases[] = {
        // 95/98 family: only the minor version and the low 16 bits of the build.
        {1, 4, 0, 950, "Windows 95"},
        {1, 4, 0, 0x040003B6, "Windows 95"},
        {1, 4, 0, 2222, "Windows 95"},
        {1, 7, 0, 1, "Windows 95"},
        {1, 4, 10, 1998, "Windows 98"},
        {1, 4, 10, 0x040A07CE, "Windows 98"},
        {1, 4, 10, 2222, "Windows 98 SE"},
        {1, 4, 10, 0x040A08AE, "Windows 98 SE"},
        {1, 4, 10, 0xFFFF08AE, "Windows 98 SE"},
        {1, 0, 10, 0x000108AE, "Windows 98 SE"},
        {1, 4, 10, 0x08AE0000, "Windows 98"},  // 2222 in the high bits does not count
        {1, 4, 10, 2223, "Windows 98"},
        {1, 4, 90, 3000, ""},  // Me
        {1, 4, 1, 0, ""},
        // NT family: only the major version.
        {2, 3, 10, 528, "Windows NT 3.51"},
        {2, 3, 50, 807, "Windows NT 3.51"},
        {2, 3, 51, 1057, "Windows NT 3.51"},
        {2, 4, 0, 1381, "Windows NT 4"},
        {2, 4, 10, 2222, "Windows NT 4"},
        {2, 5, 0, 2195, "Windows 2000"},
        {2, 5, 1, 2600, "Windows 2000"},
        {2, 5, 2, 3790, "Windows 2000"},
        {2, 6, 0, 6000, ""},
        {2, 10, 0, 19045, ""},
        {2, 2, 0, 0, ""},
        // Anything else: Win32s, Windows CE, nonsense.
        {0, 3, 10, 0, "Windows 32 Bit System"},
        {3, 4, 0, 0, "Windows 32 Bit System"},
        {4, 5, 0, 2195, "Windows 32 Bit System"},
        {0xFFFFFFFF, 4, 10, 2222, "Windows 32 Bit System"},
    };
    for (const Case& c : cases) {
        VersionRecord record{c.platform, c.major, c.minor, c.build};
        EXPECT_EQ(WindowsVersionName(record), c.name)
            << "platform " << c.platform << ", " << c.major << "." << c.minor << " build " << c.build;
    }
}

TEST(WindowsVersionName, FailedQueryIsA32BitSystem) {
    EXPECT_EQ(WindowsVersionName(VersionRecord{}), "Windows 32 Bit System");
}

}  // namespace
}  // namespace menu
