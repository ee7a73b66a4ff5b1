#include "vorsaver/board/run_rows.h"

#include <algorithm>
#include <cstddef>

namespace vorsaver::board {

namespace {

// Runs of one colour in a row.
int RunsIn(const std::uint32_t* row, int width) {
    int runs = width > 0 ? 1 : 0;
    for (int x = 1; x < width; ++x) runs += row[x] != row[x - 1];
    return runs;
}

// A run takes a colour and where it ends, 6 bytes against a pixel's 4; a
// row too wide for an end to say is kept as it is.
bool KeptAsRuns(int runs, int width) { return width <= 0xFFFF && runs * 3 < width * 2; }

// Fills `count` pixels four at a time: a frame of the burst puts back tens
// of thousands of pixels, mostly in long runs.
std::uint32_t* FillRun(std::uint32_t* out, int count, std::uint32_t colour) {
    for (; count >= 4; count -= 4, out += 4) {
        out[0] = colour;
        out[1] = colour;
        out[2] = colour;
        out[3] = colour;
    }
    for (; count > 0; --count) *out++ = colour;
    return out;
}

}  // namespace

void RunRows::Keep(const std::uint32_t* first, int width, int count, std::ptrdiff_t stride) {
    width_ = std::max(0, width);
    count = std::max(0, count);
    // Counted first, so that each store is made once at its size: where
    // each row begins, and so whether it is kept as runs.
    std::vector<std::uint32_t>(static_cast<std::size_t>(count) + 1).swap(rowColours_);
    std::vector<std::uint32_t>(static_cast<std::size_t>(count) + 1).swap(rowEnds_);
    for (int y = 0; y < count; ++y) {
        const int runs = RunsIn(first + y * stride, width_);
        const bool asRuns = KeptAsRuns(runs, width_);
        rowColours_[y + 1] = rowColours_[y] + static_cast<std::uint32_t>(asRuns ? runs : width_);
        rowEnds_[y + 1] = rowEnds_[y] + static_cast<std::uint32_t>(asRuns ? runs : 0);
    }
    std::vector<std::uint32_t>(rowColours_[count]).swap(colours_);
    std::vector<std::uint16_t>(rowEnds_[count]).swap(ends_);
    for (int y = 0; y < count; ++y) {
        const std::uint32_t* row = first + y * stride;
        std::uint32_t* colour = colours_.data() + rowColours_[y];
        if (rowEnds_[y + 1] == rowEnds_[y]) {
            std::copy_n(row, width_, colour);
            continue;
        }
        std::uint16_t* end = ends_.data() + rowEnds_[y];
        *colour++ = row[0];
        for (int x = 1; x < width_; ++x) {
            if (row[x] != row[x - 1]) {
                *end++ = static_cast<std::uint16_t>(x);
                *colour++ = row[x];
            }
        }
        *end = static_cast<std::uint16_t>(width_);
    }
}

void RunRows::CopySpan(int row, int left, int right, std::uint32_t* out) const {
    left = std::max(left, 0);
    right = std::min(right, width_);
    if (row < 0 || row >= Count() || left >= right) return;
    const std::uint32_t* colour = colours_.data() + rowColours_[row];
    const std::uint16_t* first = ends_.data() + rowEnds_[row];
    const std::uint16_t* last = ends_.data() + rowEnds_[row + 1];
    if (first == last) {
        std::copy(colour + left, colour + right, out);
        return;
    }
    // The run that holds `left`: the first to end after it.
    const std::uint16_t* end = std::upper_bound(first, last, left);
    colour += end - first;
    for (int at = left; at < right; ++end, ++colour) {
        const int stop = std::min<int>(right, *end);
        out = FillRun(out, stop - at, *colour);
        at = stop;
    }
}

std::size_t RunRows::Bytes() const {
    return colours_.size() * sizeof colours_[0] + ends_.size() * sizeof ends_[0] +
           (rowColours_.size() + rowEnds_.size()) * sizeof(std::uint32_t);
}

}  // namespace vorsaver::board
