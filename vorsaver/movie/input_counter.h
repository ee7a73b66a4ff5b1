// How much input the running saver lets pass before it ends.
#pragma once

#include <cstdint>

namespace vorsaver {

enum class SaverInput { KeyDown, KeyPress, MouseDown, MouseMove };

// One count shared by every kind of input; a key down passes while fewer
// than three events have passed, the other kinds while fewer than two.
// Nothing ever resets it.
class InputCounter {
public:
    // True when the event passes (and is counted); false when the saver is
    // to end.
    bool Pass(SaverInput input);
    std::int16_t Count() const { return count_; }

private:
    std::int16_t count_ = 0;
};

}  // namespace vorsaver
