#include "common/app_text.h"

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

TEST(SameNameIgnoringCase, FoldsOnlyTheLettersAToZ) {
    struct Case { const wchar_t* a; const wchar_t* b; bool same; };
    const Case cases[] = {
        {L"Movie", L"movie", true},   {L"EMBEDMOVIE", L"EmbedMovie", true}, {L"", L"", true},
        {L"Movie", L"Movies", false}, {L"Movie", L"", false},               {L"Play[", L"play{", false},
        {L"\u00c4", L"\u00e4", false},
    };
    for (const Case& c : cases) EXPECT_EQ(SameNameIgnoringCase(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(Twips, ConvertWithTheScreensRealDotsPerInch) {
    struct Case { double twips; int dpi; int pixels; };
    const Case cases[] = {
        {9615, 96, 641}, {7215, 96, 481}, {9615, 120, 801}, {7215, 144, 722},
        {15, 96, 1},     {12, 120, 1},     {0, 96, 0},      {-300, 96, -20},
        {1192.5, 96, 80},
        // Dialog sizes and the preview's picture offsets.
        {4905, 96, 327},  {4905, 120, 409}, {4905, 144, 491}, {2865, 120, 239},
        {-19, 96, -1},    {-20, 96, -1},    {-19, 144, -2},   {6010, 96, 401},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
    EXPECT_DOUBLE_EQ(PixelsToTwips(800, 96), 12000.0);
    EXPECT_DOUBLE_EQ(PixelsToTwips(600, 120), 7200.0);
}

}  // namespace
}  // namespace common
