// The sound setting file "sound.pvz": how it is read and what is written.
#pragma once

#include <string>

namespace vorsaver {

// The file's name, in the application folder.
inline constexpr char kSoundFileName[] = "sound.pvz";

// The value of the first line that begins with "sound" (case-sensitive):
// its last character as a digit, 0 when that is no digit; 0 without such a
// line. Lines end at CR LF or LF.
int ReadSoundSetting(const std::string& fileBytes);

// Whether sounds are to play: only a stored 1 means on; a missing file
// reads as an empty one, and so as off.
bool SoundsOn(const std::string& fileBytes);

// What is stored for the check box: exactly "sound=1" or "sound=0".
std::string SoundSettingText(bool checked);

// The file is rewritten only when the box differs from the value read.
bool SoundSettingChanged(int settingRead, bool checked);

}  // namespace vorsaver
