// The shipped programs' own run-time routines against the C library's.
#include "common/runtime/bytes.h"
#include "common/runtime/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace runtime {
namespace {

TEST(Runtime, ParseDoubleReadsAsStrtodDoes) {
    for (const char* text : {"0", "1", "-1", "+2.5", "  120", "\t-7.5x", "0.1", "1e3", "1.25E-2", "3.14159265358979",
                             ".5", "5.", "-.25", "1e", "1e+", "1e-x", "-", "+", "", ".", "abc", "12abc", "1.5.3",
                             "007", "0.000001234", "1440", "8.25", "123456789012345678901234",
                             "0.12345678901234567890123", "1e300", "2.2250738585072014e-308", "1e400", "1e-400",
                             "inf", "-Infinity", "INFx", "1,5", "4.9e-324"}) {
        char* ours = nullptr;
        char* theirs = nullptr;
        const double value = ParseDouble(text, &ours);
        const double expected = std::strtod(text, &theirs);
        EXPECT_EQ(value, expected) << '"' << text << '"';
        EXPECT_EQ(ours - text, theirs - text) << '"' << text << '"';
    }
    char* end = nullptr;
    EXPECT_TRUE(std::isnan(ParseDouble(" nan!", &end)));
    EXPECT_EQ(std::string(end), "!");
    EXPECT_EQ(ParseDouble("42", nullptr), 42.0);
}

TEST(Runtime, ParseDoubleIsWithinAUnitOfTheLastPlace) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double x = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 100);
        char text[64];
        std::snprintf(text, sizeof text, i % 2 ? "%.17g" : "%.6f", x);
        const double expected = std::strtod(text, nullptr);
        const double value = ParseDouble(text, nullptr);
        EXPECT_LE(std::fabs(value - expected), std::fabs(expected) * 2.3e-16) << text;
    }
}

TEST(Runtime, RoundingAsTheCLibraryDoes) {
    for (double x : {0.0, -0.0, 0.5, -0.5, 1.5, -1.5, 2.5, -2.5, 0.49999999999999994, -0.49999999999999994, 1.0 / 3,
                     -7.0001, 7.9999, 123456.5, -123456.5, 4503599627370495.5, 4503599627370497.0, -1e18, 1e300}) {
        EXPECT_EQ(Floor(x), std::floor(x)) << x;
        EXPECT_EQ(Ceil(x), std::ceil(x)) << x;
    }
    EXPECT_TRUE(std::isinf(Floor(HUGE_VAL)));
    EXPECT_TRUE(std::isnan(Ceil(NAN)));
    // Halves away from zero. Written out rather than held against lround:
    // mingw-w64's own gives 1 for the largest double below one half.
    const struct {
        double x;
        long rounded;
    } cases[] = {{0.0, 0},          {0.5, 1},          {-0.5, -1},        {1.4999999999999998, 1},
                 {2.5, 3},          {-2.5, -3},        {0.49999999999999994, 0}, {-0.49999999999999994, 0},
                 {-7.0001, -7},     {7.9999, 8},       {123456.5, 123457}, {2147483646.5, 2147483647},
                 {-2147483647.5, -2147483647 - 1}};
    for (const auto& c : cases) EXPECT_EQ(RoundToLong(c.x), c.rounded) << c.x;
}

TEST(Runtime, SineAndCosineOfTheBoardsAngles) {
    for (double angle = -7; angle <= 7; angle += 0.013) {
        double sine = 0, cosine = 0;
        SineCosine(angle, &sine, &cosine);
        EXPECT_NEAR(sine, std::sin(angle), 1e-15) << angle;
        EXPECT_NEAR(cosine, std::cos(angle), 1e-15) << angle;
    }
}

TEST(Runtime, SixtyFourBitDivisionFromThirtyTwoBitSteps) {
    const std::uint64_t top = ~std::uint64_t{0};
    const std::uint64_t pairs[][2] = {{0, 1},       {7, 2},         {top, 1},          {top, top},
                                      {top, 3},     {top - 1, top}, {1ULL << 63, 3},   {(1ULL << 63) + 5, 1ULL << 63},
                                      {1ULL << 32, 1ULL << 32},     {123456789012345ULL, 1000},
                                      {5, 1ULL << 40},              {top, (1ULL << 63) + 1}, {0xFFFFFFFFULL, 7}};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000 + 13; ++i) {
        std::uint64_t a, b;
        if (i < 13) {
            a = pairs[i][0];
            b = pairs[i][1];
        } else {
            a = random() >> (random() % 64);
            b = (random() >> (random() % 64)) | 1;
        }
        std::uint64_t rest = 0;
        EXPECT_EQ(DivideUnsigned(a, b, &rest), a / b) << a << " / " << b;
        EXPECT_EQ(rest, a % b) << a << " % " << b;
        const auto sa = static_cast<std::int64_t>(i % 3 ? a : 0 - a);
        const auto sb = static_cast<std::int64_t>(i % 2 ? b : 0 - b);
        std::int64_t signedRest = 0;
        if (sb == -1 && sa == INT64_MIN) continue;
        EXPECT_EQ(DivideSigned(sa, sb, &signedRest), sa / sb) << sa << " / " << sb;
        EXPECT_EQ(signedRest, sa % sb) << sa << " % " << sb;
    }
}

// In the native unit tests, as in the shipped programs, std::map's balancing
// steps come from common/runtime/tree.cpp: check the tree's shape as it changes.
int BlackHeight(const std::_Rb_tree_node_base* node, const std::_Rb_tree_node_base* parent, int& count) {
    if (node == nullptr) return 1;
    ++count;
    EXPECT_EQ(node->_M_parent, parent);
    if (node->_M_color == std::_S_red) {
        EXPECT_FALSE(node->_M_left && node->_M_left->_M_color == std::_S_red);
        EXPECT_FALSE(node->_M_right && node->_M_right->_M_color == std::_S_red);
    }
    const int left = BlackHeight(node->_M_left, node, count);
    const int right = BlackHeight(node->_M_right, node, count);
    EXPECT_EQ(left, right);
    return left + (node->_M_color == std::_S_black ? 1 : 0);
}

void ExpectBalanced(const std::map<int, int>& map) {
    const std::_Rb_tree_node_base* header = map.end()._M_node;
    const std::_Rb_tree_node_base* root = header->_M_parent;
    if (map.empty()) {
        EXPECT_EQ(root, nullptr);
        EXPECT_EQ(header->_M_left, header);
        return;
    }
    EXPECT_EQ(root->_M_color, std::_S_black);
    EXPECT_EQ(header->_M_left, map.begin()._M_node);
    EXPECT_EQ(header->_M_right, std::prev(map.end())._M_node);
    int count = 0;
    BlackHeight(root, header, count);
    EXPECT_EQ(static_cast<std::size_t>(count), map.size());
}

TEST(Runtime, TreeStaysOrderedAndBalanced) {
    std::mt19937 random(3);
    std::map<int, int> map;
    std::vector<int> present(200, 0);
    for (int step = 0; step < 6000; ++step) {
        const int key = static_cast<int>(random() % 200);
        if (random() % 3) {
            map[key] = step;
            present[key] = 1;
        } else {
            EXPECT_EQ(map.erase(key), static_cast<std::size_t>(present[key]));
            present[key] = 0;
        }
        if (step % 50 == 0) ExpectBalanced(map);
    }
    ExpectBalanced(map);
    int previous = -1;
    std::size_t forward = 0;
    for (const auto& [key, value] : map) {
        EXPECT_LT(previous, key);
        EXPECT_EQ(present[key], 1);
        previous = key;
        ++forward;
    }
    std::size_t backward = 0;
    for (auto it = map.rbegin(); it != map.rend(); ++it) ++backward;
    EXPECT_EQ(forward, map.size());
    EXPECT_EQ(backward, map.size());
    while (!map.empty()) {
        map.erase(map.begin());
        if (map.size() % 7 == 0) ExpectBalanced(map);
    }
    ExpectBalanced(map);
}

// Every size from none to a few words, at every alignment of either side, in
// one buffer so that the regions overlap either way or not at all; bytes
// around the destination must stay as they were. The host's memmove says
// what each buffer must hold afterwards.
TEST(Runtime, CopyMoveAndFillBytesAsTheCLibraryDoes) {
    const std::size_t kSpan = 13 + 48 + 41 + 8;
    std::vector<unsigned char> pattern(kSpan);
    for (std::size_t i = 0; i < kSpan; ++i) pattern[i] = static_cast<unsigned char>(i * 37 + 11);
    int checked = 0;
    for (std::size_t count = 0; count <= 41; ++count) {
        for (std::size_t to = 0; to <= 13; ++to) {
            for (std::size_t from = 0; from <= 13; ++from) {
                // Apart (the source far above) and in one region (any overlap).
                for (std::size_t gap : {std::size_t{0}, std::size_t{48}}) {
                    std::vector<unsigned char> ours = pattern, theirs = pattern;
                    MoveBytes(ours.data() + to, ours.data() + from + gap, count);
                    std::memmove(theirs.data() + to, theirs.data() + from + gap, count);
                    ASSERT_EQ(ours, theirs) << "move " << count << " bytes to " << to << " from " << from + gap;
                    // CopyBytes promises only regions apart or the destination below.
                    if (gap != 0 || to <= from) {
                        ours = pattern;
                        CopyBytes(ours.data() + to, ours.data() + from + gap, count);
                        ASSERT_EQ(ours, theirs) << "copy " << count << " bytes to " << to << " from " << from + gap;
                    }
                    ++checked;
                }
            }
        }
        for (std::size_t to = 0; to <= 7; ++to) {
            for (int value : {0, 0x5A, 0xFF, -1, 0x1234, -200}) {
                std::vector<unsigned char> ours = pattern, theirs = pattern;
                FillBytes(ours.data() + to, value, count);
                std::memset(theirs.data() + to, value, count);
                ASSERT_EQ(ours, theirs) << "fill " << count << " bytes at " << to << " with " << value;
            }
        }
    }
    EXPECT_GT(checked, 10000);
    // Sizes the board moves: whole rows of pixels, a band of them.
    for (std::size_t count : {std::size_t{641 * 4}, std::size_t{641 * 166 * 4 + 3}}) {
        std::vector<unsigned char> from(count + 1), ours(count + 2, 0xEE), theirs(count + 2, 0xEE);
        for (std::size_t i = 0; i < from.size(); ++i) from[i] = static_cast<unsigned char>(i ^ (i >> 8));
        CopyBytes(ours.data() + 1, from.data(), count);
        std::memcpy(theirs.data() + 1, from.data(), count);
        EXPECT_EQ(ours, theirs) << count;
    }
}

}  // namespace
}  // namespace runtime
