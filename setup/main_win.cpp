// The CD's setup program: the screen saver's (install\instscr.exe), the
// Desktop Theme's (insttm98.exe) or the wallpaper's (insttmNT.exe), by the
// files appended to it. With its files it installs;
// the bare program it leaves beside the saver is the uninstaller, which
// first copies itself to Temp and lets the copy do the work, so that the
// uninstaller and (on NT) its folder can go: a running program's file
// cannot be deleted. The copy deletes itself when Windows next starts.
#include <windows.h>

#include "common/app_folder_win.h"
#include "common/paths.h"
#include "common/system_text_win.h"
#include "setup/carried_files_win.h"
#include "setup/saver_setup_win.h"
#include "setup/setup_args.h"
#include "setup/system_win.h"
#include "setup/theme_setup_win.h"

namespace {

const char kTitle[] = "Tarrowick Vorlaks Setup";

std::string OwnPath() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(buffer, length);
}

void Fail(bool silent, const std::string& text) {
    if (!silent) MessageBoxA(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONERROR);
}

// Starts the working copy of the uninstaller from Temp and returns at once,
// as Add/Remove Programs expects of an uninstaller that removes itself.
int StartUninstallCopy(const std::string& self, const setup::Arguments& arguments) {
    char copy[MAX_PATH];
    const std::string temp = setup::TempFolder();
    if (!GetTempFileNameA(temp.c_str(), "vsu", 0, copy) || !CopyFileA(self.c_str(), copy, FALSE)) {
        Fail(arguments.silent, "The uninstaller could not copy itself to " + temp + ": " +
                                   common::SystemErrorText(GetLastError()) + ".");
        return setup::kFailed;
    }
    const std::string name = self.substr(self.find_last_of('\\') + 1);
    std::string command = "\"" + std::string(copy) + "\" " +
                          setup::UninstallCopyArguments(common::FolderOfPath(self), GetCurrentProcessId(), name,
                                                        arguments.silent);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(copy, &command[0], nullptr, nullptr, FALSE, 0, nullptr, temp.c_str(), &startup, &process)) {
        const DWORD code = GetLastError();
        DeleteFileA(copy);
        Fail(arguments.silent, "The uninstaller could not start: " + common::SystemErrorText(code) + ".");
        return setup::kFailed;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return setup::kDone;
}

int Uninstall(const std::string& self, const setup::Arguments& arguments) {
    if (arguments.folder.empty()) return StartUninstallCopy(self, arguments);
    if (arguments.waitFor != 0) {
        HANDLE started = OpenProcess(SYNCHRONIZE, FALSE, arguments.waitFor);
        if (started != nullptr) {
            WaitForSingleObject(started, 30000);
            CloseHandle(started);
        }
    }
    setup::Options options;
    options.silent = arguments.silent;
    options.folder = arguments.folder;
    setup::Product product = setup::Product::Saver;
    int result = setup::kFailed;
    if (!setup::ProductOfUninstaller(arguments.product, product)) {
        Fail(arguments.silent, "The uninstaller does not know what \"" + arguments.product + "\" is.");
    } else {
        result = product == setup::Product::Saver ? setup::UninstallSaver(options)
                                                  : setup::UninstallTheme(product, options);
    }
    // This copy in Temp goes when Windows next starts.
    setup::AtNextStart(self, "");
    return result;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const setup::Arguments arguments = setup::ParseArguments(common::CommandArgumentText());
    const std::string self = OwnPath();
    setup::CarriedFiles carried;
    std::string error;
    if (!carried.Open(self, error)) {
        Fail(arguments.silent, "Setup could not read its own file " + self + ": " + error + ".");
        return setup::kFailed;
    }
    if (!carried.Carries()) return Uninstall(self, arguments);
    setup::Options options;
    options.silent = arguments.silent;
    std::vector<std::string> names;
    for (const setup::PayloadFile& file : carried.Files().files) names.push_back(file.name);
    const setup::Product product = setup::ProductCarrying(names);
    return product == setup::Product::Saver ? setup::InstallSaver(carried, options)
                                            : setup::InstallTheme(product, carried, options);
}
