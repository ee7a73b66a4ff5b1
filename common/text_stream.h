// A small read-only text stream over bytes held in memory: lines end at CR LF
// or LF, and a last line without a line end still counts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace common {

class TextStream {
public:
    explicit TextStream(std::string bytes) : bytes_(std::move(bytes)) {}

    bool AtEndOfStream() const { return pos_ >= bytes_.size(); }
    // The next line without its line end; empty at the end of the stream.
    std::string ReadLine();
    // 1-based number of the line that the last ReadLine returned.
    int LineNumber() const { return lineNumber_; }

private:
    std::string bytes_;
    std::size_t pos_ = 0;
    int lineNumber_ = 0;
};

}  // namespace common
