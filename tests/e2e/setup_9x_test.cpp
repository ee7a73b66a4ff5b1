// The setup programs on Windows 95/98/Me's file calls, where MoveFileExA
// fails: what cannot be deleted now (a saver in use, the uninstaller's own
// copy in Temp) must still go when Windows next starts, through the
// [rename] section of wininit.ini, in short names, NUL as the target.
#include <gtest/gtest.h>

#include "tests/e2e/harness_win.h"
#include "tests/e2e/stand_in_loader_win.h"

namespace e2e {
namespace {

std::string ShortName(const std::string& path) {
    char buffer[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? path : std::string(buffer, length);
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(SetupOn9x, WhatIsInUseGoesAtTheNextStartThroughWininit) {
    const std::string folder = FreshFolder("setup 9x installed");
    const std::string temp = FreshFolder("setup 9x temp");
    // An installation as setup leaves it, with its saver in use.
    WriteWholeFile(folder + "\\vorsaver-uninstall.ini",
                   "[previous]\r\nsaver=\r\nactive=1\r\n[uninstall]\r\nroot=HKCU\r\n");
    WriteWholeFile(folder + "\\schedule.pvz", "2000-01-01\tgame\r\n");
    WriteWholeFile(folder + "\\sound.pvz", "sound=1");
    WriteWholeFile(folder + "\\vorsaver.scr", "MZ in use");
    HANDLE inUse = CreateFileA((folder + "\\vorsaver.scr").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    // The uninstaller's working copy, as the uninstaller makes it in Temp.
    const std::string copy = temp + "\\vsu1A2B.tmp";
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\saver-setup.exe").c_str(), copy.c_str(), FALSE));

    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string wininit = std::string(windows) + "\\wininit.ini";
    DeleteFileA(wininit.c_str());

    Process process;
    std::string error;
    ASSERT_TRUE(StartWithStandIn(process, copy, "/folder=\"" + folder + "\" /product=vorsaver-uninstall.exe /S", temp,
                                 BinFolder() + "\\movefile-9x.dll", error))
        << error;
    const std::optional<DWORD> code = process.WaitForExit(30000);
    CloseHandle(inUse);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);

    const std::string lines = Upper(ReadWholeFile(wininit));
    DeleteFileA(wininit.c_str());
    EXPECT_NE(lines.find("[RENAME]"), std::string::npos) << lines;
    EXPECT_NE(lines.find("NUL=" + Upper(ShortName(folder + "\\vorsaver.scr"))), std::string::npos) << lines;
    EXPECT_NE(lines.find("NUL=" + Upper(ShortName(copy))), std::string::npos) << lines;
    // The rest went at once.
    EXPECT_FALSE(FileExists(folder + "\\schedule.pvz"));
    EXPECT_FALSE(FileExists(folder + "\\sound.pvz"));
    EXPECT_FALSE(FileExists(folder + "\\vorsaver-uninstall.ini"));
}

}  // namespace
}  // namespace e2e
