#include "common/paths.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(FolderOfPath, NoTrailingBackslashButARootKeepsIt) {
    struct Case { const char* path; const char* folder; };
    const Case cases[] = {
        {"C:\\Windows\\vorsaver.scr", "C:\\Windows"},
        {"C:\\vorsaver.scr", "C:\\"},
        {"\\\\server\\share\\vorsaver.scr", "\\\\server\\share"},
        {"D:\\a b\\c\\menu.exe", "D:\\a b\\c"},
        {"vorsaver.scr", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(FolderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(PathInFolder("C:\\", "schedule.pvz"), "C:\\\\schedule.pvz");
    EXPECT_EQ(PathInFolder("C:\\Saver", "schedule.pvz"), "C:\\Saver\\schedule.pvz");
}

// Setup's joined paths are written down and compared again, so a root never
// gets a doubled backslash there, unlike the programs' plain-text joining.
TEST(Join, ARootGetsNoSecondBackslash) {
    struct Case { const char* folder; const char* path; };
    const Case cases[] = {
        {"C:\\", "C:\\vorsaver.scr"},
        {"C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM\\vorsaver.scr"},
        {"C:\\Users\\fan\\", "C:\\Users\\fan\\vorsaver.scr"},
        {"", "\\vorsaver.scr"},
    };
    for (const Case& c : cases) EXPECT_EQ(Join(c.folder, "vorsaver.scr"), c.path) << c.folder;
}

}  // namespace
}  // namespace common
