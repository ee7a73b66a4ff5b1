#include "vorsaver/dialogs/about_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vorsaver {
namespace {

TEST(AboutText, VersionLabelHasNoBlanksOrLeadingZeros) {
    EXPECT_EQ(VersionLabel(1, 0, 0), "Version: 1.0.0");
    EXPECT_EQ(VersionLabel(2, 1, 15), "Version: 2.1.15");
    EXPECT_EQ(VersionLabel(10, 0, 65535), "Version: 10.0.65535");
}

TEST(AboutText, NoticeIsTwoParagraphsWithOneEmptyLine) {
    std::string notice = PlayerNotice();
    std::size_t gap = notice.find("\r\n\r\n");
    ASSERT_NE(gap, std::string::npos);
    EXPECT_EQ(notice.find("\r\n\r\n", gap + 1), std::string::npos);
    EXPECT_EQ(notice.find('\n'), gap + 1);
    EXPECT_NE(notice.find(kSaverTitle), std::string::npos);
    EXPECT_LT(notice.find("1995-1999"), gap);
    EXPECT_GT(notice.find("trademarks"), gap);
}

}  // namespace
}  // namespace vorsaver
