// What the screen saver's setup decides without asking Windows: which
// version is newer, whether the saver Windows starts is ours, and the words
// its pages use on each Windows.
#pragma once

#include <cstdint>
#include <string>

#include "common/windows_version.h"

namespace setup {

using common::WindowsVersion;

// The file version in a program's version resource (the fixed part that
// follows VS_VERSION_INFO); false when the bytes hold none.
struct FileVersion {
    std::uint32_t high = 0;  // major << 16 | minor
    std::uint32_t low = 0;   // build << 16 | revision
};
bool ReadFileVersion(const std::string& program, FileVersion& version);
bool IsNewer(const FileVersion& a, const FileVersion& b);

// Whether the saver setting `current` names the saver at `shortPath` /
// `longPath` (Windows compares paths without regard to case).
bool NamesOurSaver(const std::string& current, const std::string& shortPath, const std::string& longPath);

// The pages' texts.
std::string SaverWelcomeText(const WindowsVersion& windows, const std::string& folder, bool systemFolder);
std::string SaverFinishText(const WindowsVersion& windows, bool replacedAtRestart, bool keptNewer);
std::string SaverOpenCheckCaption(const WindowsVersion& windows);
std::string SaverOpenFailedText(const WindowsVersion& windows, const std::string& reason);
std::string SaverRemoveText(const std::string& folder, bool systemFolder);
std::string SaverRemovedText(bool previousBack, bool leftForRestart);

// Lower case in ASCII, as paths compare.
std::string AsciiLower(std::string text);

}  // namespace setup
