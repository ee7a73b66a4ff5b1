// What the screen saver's setup decides without asking Windows: which
// version is newer, whether the saver Windows starts is ours, and the words
// its pages use on each Windows.
#pragma once

#include <cstdint>
#include <string>

namespace setup {

// The Windows setup runs on, as GetVersionEx tells it.
struct WindowsKind {
    bool nt = false;
    unsigned major = 4;
    unsigned minor = 0;
};

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

// The Add/Remove Programs list the entry goes to: the user's own from
// Windows 2000 on (the install is the user's own), else the machine's,
// the only one that 95/98/Me and NT 4 show.
bool UserUninstallList(const WindowsKind& windows);

// Where Windows lets the user pick the screen saver: "Display Properties"
// up to XP, "Screen Saver Settings" from Vista on.
std::string SaverSettingsName(const WindowsKind& windows);

// The pages' texts.
std::string SaverWelcomeText(const WindowsKind& windows, const std::string& folder, bool systemFolder);
std::string SaverFinishText(const WindowsKind& windows, bool replacedAtRestart, bool keptNewer);
std::string SaverOpenCheckCaption(const WindowsKind& windows);
std::string SaverOpenFailedText(const WindowsKind& windows, const std::string& reason);
std::string SaverRemoveText(const std::string& folder, bool systemFolder);
std::string SaverRemovedText(bool previousBack, bool leftForRestart);

// Lower case in ASCII, as paths compare.
std::string AsciiLower(std::string text);

}  // namespace setup
