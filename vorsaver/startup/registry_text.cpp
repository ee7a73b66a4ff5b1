#include "vorsaver/startup/registry_text.h"

#include <algorithm>
#include <cstdlib>

namespace vorsaver {

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
        if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
    }
    // A size of zero leaves nothing to keep.
    std::size_t keep = dataSize == 0 ? 0 : static_cast<std::size_t>(dataSize) - 1;
    text.resize(std::min(keep, text.size()));
    return text;
}

bool PasswordInUse(const std::string& settingText) {
    std::size_t begin = settingText.find_first_not_of(" \t");
    if (begin == std::string::npos) return false;
    std::size_t end = settingText.find_last_not_of(" \t");
    std::string number = settingText.substr(begin, end - begin + 1);
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
