#include "common/text_stream.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

// The schedule ships with Windows line ends but may be edited anywhere, so
// both ends and every odd position of a CR matter.
const std::vector<LineCase> kLineCases = {
    {"Empty", "", {}},
    {"OneLineNoEnd", "abc", {"abc"}},
    {"OneLineLf", "abc\n", {"abc"}},
    {"OneLineCrLf", "abc\r\n", {"abc"}},
    {"MixedEnds", "a\r\nb\nc", {"a", "b", "c"}},
    {"LoneLf", "\n", {""}},
    {"TwoEmptyLines", "\r\n\r\n", {"", ""}},
    {"EmptyLineBetween", "a\n\nb\n", {"a", "", "b"}},
    {"LoneCrInside", "a\rb\n", {"a\rb"}},
    {"LoneCrAtEnd", "a\r", {"a\r"}},
    {"CrBeforeCrLf", "a\r\r\n", {"a\r"}},
    {"OnlyCr", "\r", {"\r"}},
    {"NulAndHighBytes", std::string("x\0y\xE9\xFF\r\nz", 8), {std::string("x\0y\xE9\xFF", 5), "z"}},
    {"TabsKept", "2026-12-08\tA%0DB\n", {"2026-12-08\tA%0DB"}},
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name;
}

class TextStreamLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(TextStreamLines, SplitsAndNumbersLines) {
    const LineCase& c = GetParam();
    common::TextStream stream(c.bytes);
    std::vector<std::string> lines;
    while (!stream.AtEndOfStream()) {
        lines.push_back(stream.ReadLine());
        EXPECT_EQ(stream.LineNumber(), static_cast<int>(lines.size()));
        ASSERT_LE(lines.size(), c.bytes.size()) << "the stream does not come to its end";
    }
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(All, TextStreamLines, ::testing::ValuesIn(kLineCases),
                         [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(TextStream, ReadPastTheEndGivesEmptyAndKeepsTheLineNumber) {
    common::TextStream stream("a\nb");
    EXPECT_EQ(stream.LineNumber(), 0);
    stream.ReadLine();
    stream.ReadLine();
    ASSERT_TRUE(stream.AtEndOfStream());
    EXPECT_EQ(stream.ReadLine(), "");
    EXPECT_EQ(stream.LineNumber(), 2);
    EXPECT_TRUE(stream.AtEndOfStream());
}

}  // namespace
