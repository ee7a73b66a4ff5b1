#include "setup/saver_rules.h"

#include "common/little_endian.h"

namespace setup {

namespace {

bool Vista(const WindowsVersion& windows) { return windows.HasScreenSaverSettings(); }

}  // namespace

bool ReadFileVersion(const std::string& program, FileVersion& version) {
    static const char kKey[] = "V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0";
    const std::size_t key = program.find(std::string(kKey, sizeof kKey - 1));
    if (key == std::string::npos) return false;
    // The fixed part starts on the next 4-byte boundary with its signature.
    static const char kSignature[] = "\xBD\x04\xEF\xFE";
    const std::size_t at = program.find(std::string(kSignature, 4), key);
    if (at == std::string::npos || at + 16 > program.size() || at - key > 64) return false;
    version.high = common::ReadU32(program, at + 8);
    version.low = common::ReadU32(program, at + 12);
    return true;
}

bool IsNewer(const FileVersion& a, const FileVersion& b) {
    return a.high != b.high ? a.high > b.high : a.low > b.low;
}

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool NamesOurSaver(const std::string& current, const std::string& shortPath, const std::string& longPath) {
    if (current.empty()) return false;
    const std::string lower = AsciiLower(current);
    return lower == AsciiLower(shortPath) || lower == AsciiLower(longPath);
}

std::string SaverWelcomeText(const WindowsVersion& windows, const std::string& folder, bool systemFolder) {
    std::string text =
        "This puts the Tarrowick Vorlaks screen saver on your computer and makes it your screen saver.\r\n\r\n";
    text += systemFolder ? "It goes into Windows' System folder, " + folder + ", where Windows looks for screen savers.\r\n\r\n"
                         : "It goes into " + folder + ", a folder of your own where the saver keeps its settings.\r\n\r\n";
    text += Vista(windows) ? "Afterwards Screen Saver Settings opens, where you can try the saver and change its settings.\r\n\r\n"
                           : "Afterwards the Screen Saver page of Display Properties opens, where you can try the saver "
                             "and change its settings.\r\n\r\n";
    text += "Click Next to install it, or Cancel to leave your computer as it is.";
    return text;
}

std::string SaverFinishText(const WindowsVersion& windows, bool replacedAtRestart, bool keptNewer) {
    std::string text = "The Tarrowick Vorlaks screen saver is installed and is now your screen saver.\r\n\r\n";
    if (keptNewer) text += "The newer version that was already installed has been kept.\r\n\r\n";
    if (replacedAtRestart) {
        text += "The screen saver was in use, so the new copy takes its place when Windows next starts.\r\n\r\n";
    }
    text += Vista(windows) ? "To try it or change its settings, open Screen Saver Settings."
                           : "To try it or change its settings, open the Screen Saver page of Display Properties.";
    text += " To remove it, use Add/Remove Programs in Control Panel.";
    return text;
}

std::string SaverOpenCheckCaption(const WindowsVersion& windows) {
    return Vista(windows) ? "&Open Screen Saver Settings now" : "&Open Display Properties now";
}

std::string SaverOpenFailedText(const WindowsVersion& windows, const std::string& reason) {
    std::string text = std::string(windows.SaverSettingsName()) + " could not be opened: " + reason + ".\r\n\r\n";
    text += Vista(windows) ? "Open it yourself: right-click the desktop, choose Personalize, then Screen Saver."
                           : "Open it yourself: right-click the desktop, choose Properties, then the Screen Saver tab.";
    return text;
}

std::string SaverRemoveText(const std::string& folder, bool systemFolder) {
    std::string text = "This removes the Tarrowick Vorlaks screen saver from your computer: the saver, its movie, "
                       "its game schedule and its sound setting in " + folder + ".\r\n\r\n";
    if (systemFolder) text += "Only the saver's own files go; the folder itself belongs to Windows and stays.\r\n\r\n";
    text += "If it is your screen saver now, the one you had before comes back.\r\n\r\n"
            "Click Remove to go on, or Cancel to keep it.";
    return text;
}

std::string SaverRemovedText(bool previousBack, bool leftForRestart) {
    std::string text = "The Tarrowick Vorlaks screen saver has been removed from your computer.\r\n\r\n";
    if (previousBack) text += "The screen saver you had before is your screen saver again.\r\n\r\n";
    if (leftForRestart) text += "A file that was in use goes when Windows next starts.\r\n\r\n";
    text += "Click Finish to close this window.";
    return text;
}

}  // namespace setup
