#include "menu/menu_commands.h"

#include <gtest/gtest.h>

namespace menu {
namespace {

TEST(MenuCommands, ExecJoinsFolderAndDocumentAsPlainText) {
    struct Case { const char* folder; const char* document; const char* command; };
    const Case cases[] = {
        {"D:\\", kGamePage, "exec D:\\\\games\\index.html"},
        {"D:\\", kHelpFile, "exec D:\\\\help\\readme.txt"},
        {"E:\\vorlaks", kGamePage, "exec E:\\vorlaks\\games\\index.html"},
        {"C:\\Program Files\\Vorlaks CD", kHelpFile, "exec C:\\Program Files\\Vorlaks CD\\help\\readme.txt"},
        {"\\\\server\\share", kGamePage, "exec \\\\server\\share\\games\\index.html"},
        {"", kHelpFile, "exec \\help\\readme.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExecCommand(c.folder, c.document), c.command) << c.folder;
    }
}

TEST(MenuCommands, ThemesProgramOnTheSystemDrive) {
    struct Case { const char* systemDir; const char* path; };
    const Case cases[] = {
        {"C:\\WINDOWS\\SYSTEM", "C:\\Program Files\\Plus!\\themes.exe"},
        {"D:\\WINNT\\system32", "D:\\Program Files\\Plus!\\themes.exe"},
        {"C:\\", "C:\\Program Files\\Plus!\\themes.exe"},
        {"C:", "C:Program Files\\Plus!\\themes.exe"},
        {"\\\\srv\\win\\system", "\\\\sProgram Files\\Plus!\\themes.exe"},
        {"", "Program Files\\Plus!\\themes.exe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ThemesProgramPath(c.systemDir), c.path) << c.systemDir;
    }
}

TEST(MenuCommands, ProgramIsTheFirstWord) {
    struct Case { const char* commandLine; const char* program; };
    const Case cases[] = {
        {"install\\insttm98.exe", "install\\insttm98.exe"},
        {"install\\macromed\\axflash.exe", "install\\macromed\\axflash.exe"},
        {"exec D:\\\\games\\index.html", "exec"},
        {"exec C:\\Program Files\\x\\help\\readme.txt", "exec"},
        {"\"C:\\Program Files\\x.exe\" /s", "C:\\Program Files\\x.exe"},
        {"\"C:\\unclosed quote.exe", "C:\\unclosed quote.exe"},
        {"  prog.exe\targ", "prog.exe"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramOfCommand(c.commandLine), c.program) << c.commandLine;
    }
}

TEST(MenuCommands, StartFailureNamesTheFileAndTheReason) {
    struct Case { const char* commandLine; std::uint32_t error; const char* message; };
    const Case cases[] = {
        {kTheme98Installer, 2, "Cannot start \"install\\insttm98.exe\": the file was not found."},
        {"exec D:\\\\help\\readme.txt", 2, "Cannot start \"exec\": the file was not found."},
        {kFlashInstaller, 3,
         "Cannot start \"install\\macromed\\axflash.exe\": the file was not found (its folder does not exist)."},
        {kScreenSaverInstaller, 5, "Cannot start \"install\\instscr.exe\": access to the file was denied."},
        {kThemeNTInstaller, 193,
         "Cannot start \"install\\insttmNT.exe\": the file is not a program that Windows can run."},
        {kThemeNTInstaller, 1450, "Cannot start \"install\\insttmNT.exe\": Windows error 1450."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartFailureMessage(c.commandLine, c.error), c.message);
    }
}

}  // namespace
}  // namespace menu
