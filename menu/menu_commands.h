// The command lines that the menu starts, and the texts that name them.
#pragma once

#include <cstdint>
#include <string>

namespace menu {

// Relative to the working folder: the menu is started from the CD's root,
// where it lies, and the installers are found there.
inline constexpr char kScreenSaverInstaller[] = "install\\instscr.exe";
inline constexpr char kTheme98Installer[] = "install\\insttm98.exe";
inline constexpr char kThemeNTInstaller[] = "install\\insttmNT.exe";
inline constexpr char kFlashInstaller[] = "install\\macromed\\axflash.exe";

// Documents handed to the CD's opener `exec`, appended to the menu's folder.
inline constexpr char kGamePage[] = "\\games\\index.html";
inline constexpr char kHelpFile[] = "\\help\\readme.txt";

inline constexpr char kWebSiteAddress[] = "http://www.tarrowickvorlaks.example/";

// Microsoft Plus!'s Desktop Themes program: its presence on the system drive
// is taken as the sign that Desktop Themes support is installed.
inline constexpr char kThemesProgram[] = "Program Files\\Plus!\\themes.exe";

// The program's title, also the title of its error boxes.
inline constexpr char kMenuTitle[] = "Tarrowick Vorlaks Multimedia Theme Pack";

// "exec " + folder + document, joined as plain text: a drive's root keeps its
// backslash, so "D:\" gives "exec D:\\games\index.html", and a folder with
// blanks stays unquoted. Windows and exec both take it as it is.
std::string ExecCommand(const std::string& appFolder, const std::string& document);

// The first three characters of the system directory (its drive's root)
// followed by kThemesProgram. An empty system directory leaves the path
// relative to the working folder.
std::string ThemesProgramPath(const std::string& systemDir);

// The program file of a command line: a quoted first word without its quotes,
// or else everything up to the first blank.
std::string ProgramOfCommand(const std::string& commandLine);

// The error text for a command line that Windows refused to start, naming
// the program file and saying why in words (for the common error codes).
std::string StartFailureMessage(const std::string& commandLine, std::uint32_t errorCode);

}  // namespace menu
