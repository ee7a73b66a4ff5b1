// Fuzzes the text rules of a registry read: any type, any bytes, any size.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "vorsaver/services/registry_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    bool succeeded = data[0] & 1;
    std::uint32_t type, dataSize;
    std::memcpy(&type, data + 1, 4);
    std::memcpy(&dataSize, data + 5, 4);
    type %= 12;  // the registry's types, and a few beyond them
    std::string buffer(vorsaver::kRegistryBufferSize, ' ');
    std::size_t bytes = std::min(size - 9, buffer.size());
    std::memcpy(&buffer[0], data + 9, bytes);
    // The registry never reports more than the buffer holds to the rules.
    dataSize %= static_cast<std::uint32_t>(buffer.size() + 1);

    std::string text = vorsaver::RegistryValueText(succeeded, type, buffer, dataSize);
    if (!succeeded) {
        if (text != "Not Found") __builtin_trap();
        return 0;
    }
    if (dataSize > 0 && text.size() > dataSize - 1) __builtin_trap();
    if (dataSize == 0 && !text.empty()) __builtin_trap();
    if (type != vorsaver::kRegDword && text != buffer.substr(0, text.size())) __builtin_trap();
    bool inUse = vorsaver::PasswordInUse(text);
    // Only a plain number can ask for the password ("0.99999999999999999999"
    // is one, as a double).
    if (inUse && text.find_first_not_of("0123456789.+- \t") != std::string::npos) __builtin_trap();
    if (inUse && text.find_first_of("123456789") == std::string::npos) __builtin_trap();
    return 0;
}
