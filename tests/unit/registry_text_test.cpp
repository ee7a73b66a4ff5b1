#include "vorsaver/services/registry_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vorsaver {
namespace {

std::string Buffer(const std::string& data) {
    std::string buffer(kRegistryBufferSize, ' ');
    buffer.replace(0, data.size(), data);
    return buffer;
}

std::string Dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

TEST(RegistryValueText, FollowsTheTypeAndTheReportedSize) {
    const std::uint32_t kSz = 1, kBinary = 3, kMultiSz = 7;
    struct Case { const char* what; bool ok; std::uint32_t type; std::string data; std::uint32_t size; std::string text; };
    const Case cases[] = {
        {"dword 0", true, kRegDword, Dword(0), 4, "000"},
        {"dword 1", true, kRegDword, Dword(1), 4, "001"},
        {"dword 42", true, kRegDword, Dword(42), 4, "042"},
        {"dword 1234 cut to three", true, kRegDword, Dword(1234), 4, "123"},
        {"dword top of range", true, kRegDword, Dword(4294967295u), 4, "429"},
        {"dword top byte set", true, kRegDword, Dword(0x80000001u), 4, "214"},
        {"dword of size 8", true, kRegDword, Dword(7) + std::string(4, '\0'), 8, "007"},
        {"sz 1", true, kSz, std::string("1\0", 2), 2, "1"},
        {"sz 0", true, kSz, std::string("0\0", 2), 2, "0"},
        {"sz empty", true, kSz, std::string("\0", 1), 1, ""},
        {"sz abc", true, kSz, std::string("abc\0", 4), 4, "abc"},
        {"sz without terminator", true, kSz, "12", 2, "1"},
        {"binary", true, kBinary, std::string("\x01\x00\x7f", 3), 3, std::string("\x01\x00", 2)},
        {"multi sz", true, kMultiSz, std::string("1\0\0", 3), 3, std::string("1\0", 2)},
        {"size zero", true, kSz, "", 0, ""},
        {"dword size zero", true, kRegDword, "", 0, ""},
        {"failed read", false, kSz, "1", 2, "Not Found"},
        {"failed dword", false, kRegDword, Dword(1), 4, "Not Found"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegistryValueText(c.ok, c.type, Buffer(c.data), c.size), c.text) << c.what;
    }
}

TEST(PasswordInUse, OnlyTheNumberOne) {
    struct Case { const char* text; bool inUse; };
    const Case cases[] = {
        {"1", true},         {"001", true},      {" 1 ", true},   {"1.0", true},   {"+1", true},
        {"0", false},        {"000", false},     {"2", false},    {"-1", false},   {"10", false},
        {"Not Found", false}, {"", false},       {"   ", false},  {"1a", false},   {"\x01", false},
        {"1 1", false},      {".", false},       {"1..0", false}, {"0.5", false},  {"0x1", false},
    };
    for (const Case& c : cases) EXPECT_EQ(PasswordInUse(c.text), c.inUse) << '"' << c.text << '"';
    // What the registry rules give for the common settings.
    EXPECT_TRUE(PasswordInUse(RegistryValueText(true, kRegDword, Buffer(Dword(1)), 4)));
    EXPECT_FALSE(PasswordInUse(RegistryValueText(true, kRegDword, Buffer(Dword(0)), 4)));
    EXPECT_FALSE(PasswordInUse(RegistryValueText(false, kRegDword, Buffer(Dword(1)), 4)));
}

}  // namespace
}  // namespace vorsaver
