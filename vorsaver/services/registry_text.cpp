#include "vorsaver/services/registry_text.h"

#include <algorithm>
#include <cstdlib>

#include "common/plain_text.h"

namespace vorsaver {

namespace {
// A number's text has at least this many digits, with leading zeros.
constexpr std::size_t kNumberDigits = 3;
}  // namespace

std::string RegistryValueText(bool readSucceeded, std::uint32_t type, const std::string& buffer,
                              std::uint32_t dataSize) {
    if (!readSucceeded) return "Not Found";
    std::string text = buffer;
    if (type == kRegDword) {
        // The first four bytes, least significant first, whatever the size.
        std::string bytes = buffer;
        bytes.resize(4, ' ');
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        text = std::to_string(value);
        if (text.size() < kNumberDigits) text.insert(0, kNumberDigits - text.size(), '0');
    }
    // Kept for compatibility: a number is cut like a text, to one character
    // fewer than the value's size, so a 4-byte 1 reads "001" and a large
    // number loses its last digits. A size of zero leaves nothing to keep.
    std::size_t keep = dataSize == 0 ? 0 : static_cast<std::size_t>(dataSize) - 1;
    text.resize(std::min(keep, text.size()));
    return text;
}

bool PasswordInUse(const std::string& settingText) {
    const std::string number = common::Trimmed(settingText);
    if (number.empty()) return false;
    // Plain decimal notation only: sign, digits, an optional fraction.
    std::size_t pos = 0;
    if (number[pos] == '+' || number[pos] == '-') ++pos;
    bool digits = false, point = false;
    for (; pos < number.size(); ++pos) {
        char c = number[pos];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    return std::strtod(number.c_str(), nullptr) == 1.0;
}

}  // namespace vorsaver
