#include "setup/theme_setup_win.h"

#include <windows.h>

#include "common/paths.h"
#include "common/system_text_win.h"
#include "common/windows_version_win.h"
#include "setup/placement_win.h"
#include "setup/saver_rules.h"
#include "setup/system_win.h"
#include "setup/wizard_win.h"

namespace setup {

namespace {

const char kThemeKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarrowickVorlaksTheme";
const char kWallpaperKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarrowickVorlaksWallpaper";
// Where the desktop's settings before ours are kept for the uninstaller.
const char kSavedKey[] = "Software\\Tarrowick Vorlaks\\Wallpaper";
const char kSavedParent[] = "Software\\Tarrowick Vorlaks";
const char kTheme[] = "Tarrowick Vorlaks.theme";
const char kThemeWallpaper[] = "Tarrowick Vorlaks wallpaper.bmp";
const char kDesktopWallpaper[] = "Tarrowick Vorlaks.bmp";

const char* ProductName(Product product) {
    return product == Product::Theme ? "Tarrowick Vorlaks Desktop Theme" : "Tarrowick Vorlaks Wallpaper";
}
const char* UninstallKey(Product product) { return product == Product::Theme ? kThemeKey : kWallpaperKey; }

std::string ProgramFilesFolder() {
    std::string folder = RegRead(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    return folder.empty() ? WindowsFolder().substr(0, 2) + "\\Program Files" : folder;
}
std::string OwnFolder() { return Join(ProgramFilesFolder(), "Tarrowick Vorlaks"); }
std::string ThemesFolder() { return Join(ProgramFilesFolder(), "Plus!\\Themes"); }

// SystemParametersInfo(SPI_SETDESKWALLPAPER) with the ini/registry update
// and the broadcast: the desktop shows it at once, and the setting is
// written where this Windows keeps it.
void ShowWallpaper(const std::string& path) {
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

bool MakeFolder(const std::string& folder, std::string& error) {
    if (FileExists(folder)) return true;
    const std::string parent = common::FolderOfPath(folder);
    if (!parent.empty() && parent != folder && !MakeFolder(parent, error)) return false;
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    error = "The folder " + folder + " could not be made: " + common::SystemErrorText(GetLastError()) + ".";
    return false;
}

void Tell(HWND owner, const std::string& text, const char* caption, UINT icon) {
    MessageBoxA(owner, text.c_str(), caption, MB_OK | icon);
}

class ThemeInstall {
public:
    ThemeInstall(Product product, CarriedFiles& carried, const Options& options)
        : product_(product), carried_(carried), options_(options) {}

    int Run() {
        folder_ = product_ == Product::Theme ? ThemesFolder() : WindowsFolder();
        width_ = GetSystemMetrics(SM_CXSCREEN);
        if (options_.silent) {
            std::string error;
            return Install(nullptr, error) ? kDone : kFailed;
        }
        Pages pages;
        pages.push_back(AskPage(Asks(std::string("Welcome to the ") + ProductName(product_) + " Setup",
                                     product_ == Product::Theme ? ThemeWelcomeText(folder_, width_)
                                                                : WallpaperWelcomeText(folder_, width_)),
                                [this](Wizard& wizard) {
                                    return MessageBoxA(wizard.Window(), "Leave setup? Nothing has been installed.",
                                                       ProductName(product_), MB_YESNO | MB_ICONQUESTION) == IDYES;
                                }));
        pages.push_back(WorkPage("Installing", "Copying the files to " + folder_ + ".", [this](Wizard& wizard) {
            if (Install(&wizard, error_)) {
                result_ = kDone;
            } else {
                result_ = kFailed;
                Tell(wizard.Window(), error_, ProductName(product_), MB_ICONERROR);
            }
        }));
        pages.push_back(LastPage([this] {
            if (result_ != kDone) {
                return Finished("Nothing was installed", error_ +
                                                             "\r\n\r\nNothing has been changed on your computer."
                                                             "\r\n\r\nClick Finish to close this window.");
            }
            return Finished(std::string("The ") + (product_ == Product::Theme ? "theme" : "wallpaper") + " is installed",
                            product_ == Product::Theme ? ThemeFinishText()
                                                       : WallpaperFinishText(common::CurrentWindowsVersion().Nt()));
        }));
        Wizard wizard(std::string(ProductName(product_)) + " Setup", std::move(pages));
        wizard.Run();
        return result_;
    }

private:
    bool Install(Wizard* wizard, std::string& error) {
        std::string packed, wallpaper, theme, program, readError;
        if (!carried_.Read(WallpaperFor(width_), packed, readError) || !BitmapFileOf(packed, wallpaper, readError) ||
            (product_ == Product::Theme && !carried_.Read(kTheme, theme, readError)) ||
            !carried_.ReadProgram(program, readError)) {
            error = "Setup could not read its own files from the CD: " + readError + ".\r\n\r\nIs the CD still in the drive?";
            return false;
        }
        const std::string own = OwnFolder();
        const bool ownExisted = FileExists(own);
        if (!MakeFolder(folder_, error) || !MakeFolder(own, error)) return false;

        Placement files(folder_);
        Placement uninstaller(own);
        const unsigned long total = static_cast<unsigned long>(wallpaper.size() + theme.size() + program.size());
        unsigned long before = 0;
        auto stage = [&](Placement& placement, const std::string& name, const std::string& bytes) {
            const bool ok = placement.Stage(name, bytes, false, error, [&](unsigned long done) {
                if (wizard != nullptr) wizard->Progress(before + done, total, "Copying " + name);
            });
            before += static_cast<unsigned long>(bytes.size());
            return ok;
        };
        bool waiting = false;
        const std::string wallpaperName = product_ == Product::Theme ? kThemeWallpaper : kDesktopWallpaper;
        bool ok = stage(files, wallpaperName, wallpaper) && (product_ != Product::Theme || stage(files, kTheme, theme)) &&
                  stage(uninstaller, UninstallerName(product_), program) && files.Commit(error, waiting);
        if (ok && !uninstaller.Commit(error, waiting)) {
            files.RollBack();
            ok = false;
        }
        if (!ok) {
            files.RollBack();
            uninstaller.RollBack();
            if (!ownExisted) RemoveDirectoryA(own.c_str());
            return false;
        }
        const std::string wallpaperPath = Join(folder_, wallpaperName);
        if (product_ == Product::Theme) {
            // The theme names the installed wallpaper, and the screen saver
            // where its setup puts it on 95/98, else none: a theme that
            // names a missing saver would switch the computer's saver off.
            const std::string themePath = Join(folder_, kTheme);
            IniWrite(themePath, "Control Panel\\Desktop", "Wallpaper", wallpaperPath);
            std::string saver;
            for (const std::string& folder : {SystemFolder(), WindowsFolder()}) {
                if (saver.empty() && FileExists(Join(folder, "vorsaver.scr"))) saver = Join(folder, "vorsaver.scr");
            }
            WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", saver.c_str(), themePath.c_str());
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, themePath.c_str());
        } else {
            // The settings before ours, kept once: installing again must not
            // take our own wallpaper for the one to go back to.
            if (RegRead(HKEY_CURRENT_USER, kSavedKey, "Saved") != "1") {
                for (const char* value : {"Wallpaper", "TileWallpaper", "WallpaperStyle"}) {
                    RegWrite(HKEY_CURRENT_USER, kSavedKey, value, RegRead(HKEY_CURRENT_USER, kDesktopKey, value));
                }
                RegWrite(HKEY_CURRENT_USER, kSavedKey, "Saved", "1");
            }
            // Centred, not tiled: the picture is the screen's size.
            RegWrite(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper", "0");
            RegWrite(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle", "0");
            RegWrite(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", wallpaperPath);
            ShowWallpaper(wallpaperPath);
        }
        const char* key = UninstallKey(product_);
        const std::string uninstallerPath = Join(own, UninstallerName(product_));
        RegWrite(HKEY_LOCAL_MACHINE, key, "DisplayName", ProductName(product_));
        RegWrite(HKEY_LOCAL_MACHINE, key, "UninstallString", "\"" + uninstallerPath + "\"");
        RegWrite(HKEY_LOCAL_MACHINE, key, "QuietUninstallString", "\"" + uninstallerPath + "\" /S");
        RegWrite(HKEY_LOCAL_MACHINE, key, "InstallLocation", folder_);
        RegWrite(HKEY_LOCAL_MACHINE, key, "Publisher", "Tarrowick Vorlaks fan CD");
        RegWriteNumber(HKEY_LOCAL_MACHINE, key, "NoModify", 1);
        RegWriteNumber(HKEY_LOCAL_MACHINE, key, "NoRepair", 1);
        if (wizard != nullptr) wizard->Progress(total, total, "Done");
        return true;
    }

    Product product_;
    CarriedFiles& carried_;
    const Options& options_;
    std::string folder_;
    int width_ = 800;
    std::string error_;
    int result_ = kCancelled;
};

class ThemeUninstall {
public:
    ThemeUninstall(Product product, const Options& options) : product_(product), options_(options) {}

    int Run() {
        folder_ = RegRead(HKEY_LOCAL_MACHINE, UninstallKey(product_), "InstallLocation");
        if (folder_.empty()) folder_ = product_ == Product::Theme ? ThemesFolder() : WindowsFolder();
        if (options_.silent) {
            Remove();
            return kDone;
        }
        Pages pages;
        pages.push_back(AskPage(Asks(std::string("Remove the ") + ProductName(product_),
                                     product_ == Product::Theme ? ThemeRemoveText(folder_) : WallpaperRemoveText(folder_),
                                     "&Remove"),
                                [](Wizard&) { return true; }));
        pages.push_back(WorkPage("Removing", "Removing the files from " + folder_ + ".", [this](Wizard&) {
            Remove();
            result_ = kDone;
        }));
        pages.push_back(LastPage([this] {
            return Finished(std::string("The ") + (product_ == Product::Theme ? "theme" : "wallpaper") +
                                " has been removed",
                            std::string(product_ == Product::Theme
                                            ? "The Tarrowick Vorlaks Desktop Theme has been removed."
                                            : "The Tarrowick Vorlaks wallpaper has been removed.") +
                                (restored_ ? " The wallpaper you had before is back on your desktop." : "") +
                                "\r\n\r\nClick Finish to close this window.");
        }));
        Wizard wizard(std::string("Remove the ") + ProductName(product_), std::move(pages));
        wizard.Run();
        return result_;
    }

private:
    void Remove() {
        if (product_ == Product::Theme) {
            DeleteFileA(Join(folder_, kTheme).c_str());
            DeleteFileA(Join(folder_, kThemeWallpaper).c_str());
        } else {
            // The previous wallpaper back, unless the user has chosen another since.
            const std::string ours = Join(folder_, kDesktopWallpaper);
            if (AsciiLower(RegRead(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper")) == AsciiLower(ours)) {
                for (const char* value : {"TileWallpaper", "WallpaperStyle"}) {
                    bool found = false;
                    const std::string saved = RegRead(HKEY_CURRENT_USER, kSavedKey, value, &found);
                    if (found && !saved.empty()) RegWrite(HKEY_CURRENT_USER, kDesktopKey, value, saved);
                }
                const std::string previous = RegRead(HKEY_CURRENT_USER, kSavedKey, "Wallpaper");
                RegWrite(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", previous);
                ShowWallpaper(previous);
                restored_ = true;
            }
            RegRemoveKey(HKEY_CURRENT_USER, kSavedKey);
            RemoveKeyIfEmpty(HKEY_CURRENT_USER, kSavedParent);
            DeleteFileA(ours.c_str());
        }
        RegRemoveKey(HKEY_LOCAL_MACHINE, UninstallKey(product_));
        // The uninstaller this copy was started from has ended by now.
        const std::string uninstaller = Join(options_.folder, UninstallerName(product_));
        for (int attempt = 0; attempt < 50 && FileExists(uninstaller) && !DeleteFileA(uninstaller.c_str()); ++attempt) {
            Sleep(100);
        }
        // Only when empty: the other theme setup's uninstaller may share it.
        RemoveDirectoryA(options_.folder.c_str());
    }

    static void RemoveKeyIfEmpty(HKEY root, const char* key) {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
        DWORD subkeys = 1, values = 1;
        const bool empty = RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                           subkeys == 0 && values == 0;
        RegCloseKey(opened);
        if (empty) RegDeleteKeyA(root, key);
    }

    Product product_;
    const Options& options_;
    std::string folder_;
    bool restored_ = false;
    int result_ = kCancelled;
};

}  // namespace

int InstallTheme(Product product, CarriedFiles& carried, const Options& options) {
    return ThemeInstall(product, carried, options).Run();
}

int UninstallTheme(Product product, const Options& options) { return ThemeUninstall(product, options).Run(); }

}  // namespace setup
