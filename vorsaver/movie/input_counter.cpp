#include "vorsaver/movie/input_counter.h"

namespace vorsaver {

bool InputCounter::Pass(SaverInput input) {
    const std::int16_t threshold = input == SaverInput::KeyDown ? 3 : 2;
    if (count_ >= threshold) return false;
    ++count_;
    return true;
}

}  // namespace vorsaver
