// The screen-saver password setting as text, and what that text means.
#pragma once

#include <cstdint>
#include <string>

namespace vorsaver {

inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::size_t kRegistryBufferSize = 2048;

// The text form of a registry read. `buffer` holds what the registry left in
// the 2048-byte buffer that was offered filled with blanks; `dataSize` is the
// size the registry reported. A failed read is "Not Found"; a REG_DWORD is
// its number in at least three digits; anything else is its bytes as text.
// Either way the text is cut to dataSize - 1 characters (a text value loses
// its terminating zero, a number its last digits).
std::string RegistryValueText(bool readSucceeded, std::uint32_t type, const std::string& buffer,
                              std::uint32_t dataSize);

// The setting asks for a password when its text is the number 1 ("1",
// "001", " 1 ", "1.0"). Anything that is not a number ("Not Found", empty,
// stray bytes) means no password.
bool PasswordInUse(const std::string& settingText);

}  // namespace vorsaver
