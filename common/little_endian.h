// Numbers as Windows' files and ours store them: four bytes, lowest first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace common {

inline std::uint32_t ReadU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// The four bytes at `at`, which the caller has checked are there.
inline std::uint32_t ReadU32(const std::string& bytes, std::size_t at) {
    return ReadU32(reinterpret_cast<const std::uint8_t*>(bytes.data() + at));
}

}  // namespace common
