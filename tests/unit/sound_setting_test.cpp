#include "vorsaver/dialogs/sound_setting.h"

#include <gtest/gtest.h>

#include <string>

namespace vorsaver {
namespace {

TEST(SoundSetting, FirstSoundLineDecidesByItsLastCharacter) {
    struct Case { const char* file; int value; };
    const Case cases[] = {
        {"sound=1", 1},
        {"sound=0", 0},
        {"", 0},
        {"volume=1\r\nmusic=1", 0},          // no setting line
        {"Sound=1", 0},                      // case-sensitive
        {"sound=10", 0},                     // the last character counts
        {"soundtrack = 1", 1},               // anything between is ignored
        {"sound=1\r\nsound=0", 1},           // the first line decides
        {"sound=0\r\nsound=1", 0},
        {"# sounds\r\nsound=1\r\n", 1},      // lines before it are ignored
        {"sound=1\n", 1},                    // a bare LF ends a line too
        {"sound=7", 7},                      // 2 to 9 are read as they are
        {"sound", 0},                        // last character no digit
        {"sound=1 ", 0},                     // ends in a blank
        {"sound=\r\nsound=1", 0},            // the first setting line stops reading
        {" sound=1", 0},                     // must begin the line
        {"soun", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadSoundSetting(c.file), c.value) << '"' << c.file << '"';
    }
}

TEST(SoundSetting, EmbeddedZeroByteIsAnOrdinaryCharacter) {
    EXPECT_EQ(ReadSoundSetting(std::string("sound=\0", 7)), 0);
    EXPECT_EQ(ReadSoundSetting(std::string("x\0y\r\nsound=1", 12)), 1);
}

TEST(SoundSetting, WrittenTextIsExactlySevenBytes) {
    EXPECT_EQ(SoundSettingText(true), "sound=1");
    EXPECT_EQ(SoundSettingText(false), "sound=0");
    // What is written reads back as the box's state.
    for (bool checked : {false, true}) {
        EXPECT_EQ(ReadSoundSetting(SoundSettingText(checked)), checked ? 1 : 0);
    }
}

TEST(SoundSetting, RewrittenOnlyWhenTheBoxDiffers) {
    struct Case { int read; bool checked; bool write; };
    const Case cases[] = {
        {0, false, false}, {0, true, true}, {1, true, false}, {1, false, true},
        {2, false, true},  // a stray digit is corrected to "sound=0"
        {9, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SoundSettingChanged(c.read, c.checked), c.write) << c.read << ' ' << c.checked;
    }
}

// The saver and its board play only on a stored 1: every other file,
// including what the dialog writes for an unchecked box, is silence.
TEST(SoundSetting, OnlyAStoredOneTurnsSoundsOn) {
    struct Case { const char* file; bool on; };
    const Case cases[] = {
        {"sound=1", true}, {"soundtrack = 1", true}, {"# saver\r\nsound=1\r\n", true},
        {"sound=0", false}, {"sound=2", false}, {"sound=9", false}, {"sound=10", false},
        {"Sound=1", false}, {"", false}, {"sound=1 ", false}, {"sound", false},
    };
    for (const Case& c : cases) EXPECT_EQ(SoundsOn(c.file), c.on) << '"' << c.file << '"';
    EXPECT_TRUE(SoundsOn(SoundSettingText(true)));
    EXPECT_FALSE(SoundsOn(SoundSettingText(false)));
}

}  // namespace
}  // namespace vorsaver
