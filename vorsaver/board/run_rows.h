// Rows of a picture kept as runs of one colour. The board is flat colour
// and gradients that change from row to row, so its rows take a tenth of
// their own size this way; a row that would take more is kept as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorsaver::board {

class RunRows {
public:
    // Keeps `count` rows of `width` pixels, `stride` pixels apart, from
    // `first`; what was kept before is let go.
    void Keep(const std::uint32_t* first, int width, int count, std::ptrdiff_t stride);
    // Writes the pixels `left` to `right` - 1 of kept row `row` to `out`.
    void CopySpan(int row, int left, int right, std::uint32_t* out) const;
    int Count() const { return static_cast<int>(rowColours_.empty() ? 0 : rowColours_.size() - 1); }
    // The bytes the rows take as kept.
    std::size_t Bytes() const;

private:
    int width_ = 0;
    std::vector<std::uint32_t> colours_;
    std::vector<std::uint16_t> ends_;  // where each run ends; none for a row kept as it is
    // Where each row's colours and ends begin, and one past the last row.
    std::vector<std::uint32_t> rowColours_;
    std::vector<std::uint32_t> rowEnds_;
};

}  // namespace vorsaver::board
