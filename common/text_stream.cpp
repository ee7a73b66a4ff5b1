#include "common/text_stream.h"

namespace common {

std::string TextStream::ReadLine() {
    if (AtEndOfStream()) {
        // Nothing was read, so the last line read keeps its number.
        return std::string();
    }
    const std::size_t lineStart = pos_;
    const std::size_t lineFeed = bytes_.find('\n', lineStart);
    std::size_t lineEnd = bytes_.size();
    if (lineFeed == std::string::npos) {
        pos_ = bytes_.size();
    } else {
        lineEnd = lineFeed;
        pos_ = lineFeed + 1;
        // Only a CR paired with the LF belongs to the line end; a lone CR is text.
        if (lineEnd > lineStart && bytes_[lineEnd - 1] == '\r') {
            --lineEnd;
        }
    }
    ++lineNumber_;
    return bytes_.substr(lineStart, lineEnd - lineStart);
}

}  // namespace common
