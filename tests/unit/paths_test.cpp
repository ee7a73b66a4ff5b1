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

}  // namespace
}  // namespace common
