// The files a setup program carries: appended to the program itself, so
// that the CD's build lays them in without a compiler, and the floor check
// can take them out again.
//
//   [program][file data ...][directory][trailer]
//
// directory: per file, u32 offset (from the start of the whole file),
//            u32 size, the name, a 0 byte
// trailer:   u32 program size, u32 directory offset, "VorSetup"
// Numbers are little-endian. A program without a trailer carries nothing:
// it is the uninstaller that setup leaves behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace setup {

constexpr char kPayloadMagic[] = "VorSetup";
constexpr std::uint32_t kTrailerSize = 16;

struct PayloadFile {
    std::string name;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

struct Payload {
    std::uint32_t programSize = 0;  // the bytes before the files: the bare program
    std::vector<PayloadFile> files;
    const PayloadFile* Find(const std::string& name) const;
};

enum class PayloadRead { None, Found, Damaged };

// Reads the directory from the end of a file of `fileSize` bytes, given
// its last bytes (`tail`, at least the trailer; the whole directory when
// it is to be read). Sets `needed` to the number of tail bytes the
// directory takes when `tail` is too short for it.
PayloadRead ReadPayload(const std::string& tail, std::uint64_t fileSize, Payload& payload, std::uint32_t& needed);

}  // namespace setup
