#include "vorsaver/movie/input_counter.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorsaver {
namespace {

TEST(InputCounter, SharedCountWithItsThresholds) {
    using I = SaverInput;
    struct Case { const char* what; std::vector<I> inputs; std::size_t endsAt; };  // endsAt = index, or size = never
    const Case cases[] = {
        {"mouse moves: third ends", {I::MouseMove, I::MouseMove, I::MouseMove}, 2},
        {"click after two moves", {I::MouseMove, I::MouseMove, I::MouseDown}, 2},
        {"character key, then the next one's press", {I::KeyDown, I::KeyPress, I::KeyDown, I::KeyPress}, 3},
        {"shift alone: fourth key down", {I::KeyDown, I::KeyDown, I::KeyDown, I::KeyDown}, 3},
        {"first click passes", {I::MouseDown}, 1},
        {"key down at two still passes", {I::MouseMove, I::MouseMove, I::KeyDown}, 3},
    };
    for (const Case& c : cases) {
        InputCounter counter;
        std::size_t ended = c.inputs.size();
        for (std::size_t i = 0; i < c.inputs.size(); ++i) {
            if (!counter.Pass(c.inputs[i])) {
                ended = i;
                break;
            }
        }
        EXPECT_EQ(ended, c.endsAt) << c.what;
    }
    InputCounter counter;
    for (int i = 0; i < 3; ++i) counter.Pass(I::KeyDown);
    EXPECT_FALSE(counter.Pass(I::KeyDown));
    EXPECT_EQ(counter.Count(), 3) << "a refused event does not count";
}

}  // namespace
}  // namespace vorsaver
