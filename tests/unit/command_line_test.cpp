#include "common/command_line.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(ArgumentText, FollowsTheProgramNameQuotedOrNot) {
    struct Case { const char* line; const char* args; };
    const Case cases[] = {
        {"vorsaver.scr /s", "/s"},
        {"C:\\WINDOWS\\VORSAV~1.SCR /p 1234", "/p 1234"},
        {"\"C:\\Program Files\\Vorlaks\\vorsaver.scr\" /c:55", "/c:55"},
        {"\"C:\\Program Files\\Vorlaks\\vorsaver.scr\"/s", "/s"},
        {"\"C:\\a b\\vorsaver.scr\"", ""},
        {"vorsaver.scr", ""},
        {"vorsaver.scr    /S  ", "/S  "},
        {"  vorsaver.scr\t/a 9", "/a 9"},
        {"\"unterminated quote /s", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ArgumentText(c.line), c.args) << c.line;
}

}  // namespace
}  // namespace common
