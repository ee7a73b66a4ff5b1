#include "vorsaver/startup/mode_table.h"

#include <gtest/gtest.h>

namespace vorsaver {
namespace {

TEST(ModeTable, SwitchDecidesByFirstTwoCharacters) {
    struct Case { const char* text; StartMode mode; };
    const Case cases[] = {
        {"/c", StartMode::Settings},     {"/C", StartMode::Settings},
        {"/c:1234", StartMode::Settings}, {"/C 1234", StartMode::Settings},
        {"", StartMode::Saver},          {"/s", StartMode::Saver},
        {"/S", StartMode::Saver},        {"/s5", StartMode::Saver},
        {"/Sanything", StartMode::Saver},
        {"/p 1234", StartMode::Preview}, {"/P:1234", StartMode::Preview},
        {"/p", StartMode::Preview},
        {"/a 1234", StartMode::PasswordChange}, {"/A", StartMode::PasswordChange},
        {"-s", StartMode::None},  {"s", StartMode::None},  {"/x", StartMode::None},
        {"/", StartMode::None},   {" /s", StartMode::None}, {"//s", StartMode::None},
        {"/\xe7", StartMode::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ModeFromArguments(c.text), c.mode) << '"' << c.text << '"';
    }
}

TEST(HandleRule, ValidHandles) {
    struct Case { const char* text; std::int32_t handle; };
    const Case cases[] = {
        {"/p 1234", 1234},  {"/p:1234", 1234},  {"/P 1234", 1234},
        {"/a 0", 0},        {"/pX42", 42},      {"/p 2147483647", 2147483647},
        {"/p -2147483648", INT32_MIN},          {"/p  77 ", 77},
        {"/p +5", 5},       {"/p 000123", 123},
    };
    for (const Case& c : cases) {
        HandleParse parsed = ParseHandle(c.text);
        EXPECT_TRUE(parsed.ok) << c.text << ": " << parsed.error;
        EXPECT_EQ(parsed.handle, c.handle) << c.text;
    }
}

TEST(HandleRule, BadHandlesSayWhatIsWrong) {
    struct Case { const char* text; const char* says; };
    const Case cases[] = {
        {"/p", "missing"},          {"/A", "missing"},        {"/a ", "missing"},
        {"/p   ", "empty"},         {"/p 12a", "not a decimal number"},
        {"/p 0x10", "not a decimal number"},                  {"/p -", "not a decimal number"},
        {"/p 1 2", "not a decimal number"},                   {"/p 2147483648", "out of range"},
        {"/a -2147483649", "out of range"},                   {"/p 99999999999999999999", "out of range"},
        {"/p 99999999999x", "not a decimal number"},
    };
    for (const Case& c : cases) {
        HandleParse parsed = ParseHandle(c.text);
        EXPECT_FALSE(parsed.ok) << c.text;
        EXPECT_NE(parsed.error.find(c.says), std::string::npos) << c.text << ": " << parsed.error;
        EXPECT_NE(parsed.error.find(std::string(c.text, 2)), std::string::npos) << parsed.error;
    }
}

}  // namespace
}  // namespace vorsaver
