#include "common/plain_text.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(SameNameIgnoringCase, FoldsOnlyTheLettersAToZ) {
    struct Case { const wchar_t* a; const wchar_t* b; bool same; };
    const Case cases[] = {
        {L"Movie", L"movie", true},   {L"EMBEDMOVIE", L"EmbedMovie", true}, {L"", L"", true},
        {L"Movie", L"Movies", false}, {L"Movie", L"", false},               {L"Play[", L"play{", false},
        {L"\u00c4", L"\u00e4", false},
    };
    for (const Case& c : cases) EXPECT_EQ(SameNameIgnoringCase(c.a, c.b), c.same) << c.a << " " << c.b;
}

}  // namespace
}  // namespace common
