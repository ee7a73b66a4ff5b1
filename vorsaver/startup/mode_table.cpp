#include "vorsaver/startup/mode_table.h"

#include <cstdint>

#include "common/plain_text.h"

namespace vorsaver {

namespace {

bool SwitchIs(const std::string& text, char lower, char upper) {
    return text.size() >= 2 && text[0] == '/' && (text[1] == lower || text[1] == upper);
}

}  // namespace

StartMode ModeFromArguments(const std::string& argumentText) {
    if (SwitchIs(argumentText, 'c', 'C')) return StartMode::Settings;
    if (argumentText.empty() || SwitchIs(argumentText, 's', 'S')) return StartMode::Saver;
    if (SwitchIs(argumentText, 'p', 'P')) return StartMode::Preview;
    if (SwitchIs(argumentText, 'a', 'A')) return StartMode::PasswordChange;
    return StartMode::None;
}

HandleParse ParseHandle(const std::string& argumentText) {
    HandleParse result;
    const std::string switchText = argumentText.substr(0, 2);
    if (argumentText.size() < 4) {
        result.error = "The window handle after " + switchText + " is missing.";
        return result;
    }
    const std::string number = common::Trimmed(argumentText.substr(3));
    if (number.empty()) {
        result.error = "The window handle after " + switchText + " is empty.";
        return result;
    }
    std::size_t pos = 0;
    bool negative = false;
    if (number[pos] == '-' || number[pos] == '+') negative = number[pos++] == '-';
    if (pos == number.size()) {
        result.error = "The window handle after " + switchText + " is not a decimal number: \"" + number + "\".";
        return result;
    }
    std::int64_t value = 0;
    for (; pos < number.size(); ++pos) {
        char c = number[pos];
        if (c < '0' || c > '9') {
            result.error = "The window handle after " + switchText + " is not a decimal number: \"" + number + "\".";
            return result;
        }
        // Past 2^31 the value is out of range whatever follows; stop growing.
        if (value <= INT64_C(2147483648)) value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) {
        result.error = "The window handle after " + switchText + " is out of range: \"" + number + "\".";
        return result;
    }
    result.ok = true;
    result.handle = static_cast<std::int32_t>(value);
    return result;
}

}  // namespace vorsaver
