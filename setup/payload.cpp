#include "setup/payload.h"

#include <cstring>

#include "common/little_endian.h"

namespace setup {

const PayloadFile* Payload::Find(const std::string& name) const {
    for (const PayloadFile& file : files) {
        if (file.name == name) return &file;
    }
    return nullptr;
}

PayloadRead ReadPayload(const std::string& tail, std::uint64_t fileSize, Payload& payload, std::uint32_t& needed) {
    needed = 0;
    payload = Payload();
    if (tail.size() < kTrailerSize || fileSize < kTrailerSize || tail.size() > fileSize) return PayloadRead::None;
    const std::size_t trailer = tail.size() - kTrailerSize;
    if (std::memcmp(tail.data() + trailer + 8, kPayloadMagic, 8) != 0) return PayloadRead::None;
    const std::uint32_t programSize = common::ReadU32(tail, trailer);
    const std::uint32_t directory = common::ReadU32(tail, trailer + 4);
    const std::uint64_t directoryEnd = fileSize - kTrailerSize;
    if (programSize == 0 || directory < programSize || directory > directoryEnd) return PayloadRead::Damaged;
    const std::uint64_t directorySize = directoryEnd - directory;
    if (directorySize + kTrailerSize > tail.size()) {
        needed = static_cast<std::uint32_t>(directorySize + kTrailerSize);
        return PayloadRead::Damaged;
    }
    std::size_t at = trailer - static_cast<std::size_t>(directorySize);
    payload.programSize = programSize;
    while (at < trailer) {
        if (trailer - at < 9) return PayloadRead::Damaged;
        PayloadFile file;
        file.offset = common::ReadU32(tail, at);
        file.size = common::ReadU32(tail, at + 4);
        at += 8;
        const std::size_t end = tail.find('\0', at);
        if (end == std::string::npos || end >= trailer || end == at) return PayloadRead::Damaged;
        file.name = tail.substr(at, end - at);
        at = end + 1;
        // Each file lies between the program and the directory.
        if (file.offset < programSize || static_cast<std::uint64_t>(file.offset) + file.size > directory) {
            return PayloadRead::Damaged;
        }
        payload.files.push_back(file);
    }
    return PayloadRead::Found;
}

}  // namespace setup
