#include "setup/saver_setup_win.h"

#include <windows.h>

#include "common/file_store_win.h"
#include "common/system_text_win.h"
#include "common/windows_version_win.h"
#include "setup/placement_win.h"
#include "setup/saver_rules.h"
#include "setup/system_win.h"
#include "setup/wizard_win.h"

namespace setup {

namespace {

const char kProduct[] = "Tarrowick Vorlaks Screen Saver";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarrowickVorlaksSaver";
const char kSaver[] = "vorsaver.scr";
const char kMovie[] = "vorlaks.swf";
const char kSchedule[] = "schedule.pvz";
const char kSound[] = "sound.pvz";
const char kUninstaller[] = "vorsaver-uninstall.exe";
const char kMemory[] = "vorsaver-uninstall.ini";

// Where the saver goes: it writes tarvordat.pvz beside itself at every start
// and sound.pvz when its setting changes, so its folder must be the user's
// to write. On 95/98/Me that is Windows' System folder, where Display
// Properties lists savers and every user may write. On NT a user may not
// write to System32 (and from Vista on even an administrator's saver there
// would write to the virtual store); the choice of saver is the user's own
// (HKCU), so the saver lives in the user's application data, and Display
// Properties shows the current saver wherever it lies.
struct Place {
    WindowsVersion windows;
    std::string folder;
    bool system = false;
};

Place SaverPlace() {
    Place place;
    place.windows = common::CurrentWindowsVersion();
    place.system = place.windows.SaverInSystemFolder();
    place.folder = place.system ? SystemFolder() : Join(AppDataFolder(), "Tarrowick Vorlaks Saver");
    return place;
}

// The saver Windows starts, and whether savers are on.
struct SaverSetting {
    std::string saver;
    std::string active = "1";
};

std::string SystemIni() { return Join(WindowsFolder(), "system.ini"); }

SaverSetting CurrentSaver(const WindowsVersion& windows) {
    SaverSetting setting;
    setting.saver = windows.Nt() ? RegRead(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE")
                               : IniRead(SystemIni(), "boot", "SCRNSAVE.EXE");
    std::string active = RegRead(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive");
    if (!active.empty()) setting.active = active;
    return setting;
}

// Makes a saver current ("" for none) and tells Windows, which reads the
// setting again at once.
void SetSaver(const WindowsVersion& windows, const SaverSetting& setting) {
    if (windows.Nt()) {
        if (setting.saver.empty()) {
            RegRemoveValue(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE");
        } else {
            RegWrite(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", setting.saver);
        }
        RegWrite(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive", setting.active);
    } else {
        IniWrite(SystemIni(), "boot", "SCRNSAVE.EXE", setting.saver);
    }
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, setting.active == "0" ? FALSE : TRUE, nullptr,
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

std::string MemoryText(const std::string& previousSaver, const std::string& previousActive, bool userList) {
    return "[previous]\r\nsaver=" + previousSaver + "\r\nactive=" + previousActive + "\r\n[uninstall]\r\nroot=" +
           (userList ? "HKCU" : "HKLM") + "\r\n";
}

void WriteUninstallEntry(HKEY root, const std::string& folder, const FileVersion& version) {
    const std::string uninstaller = Join(folder, kUninstaller);
    RegWrite(root, kUninstallKey, "DisplayName", kProduct);
    RegWrite(root, kUninstallKey, "UninstallString", "\"" + uninstaller + "\"");
    RegWrite(root, kUninstallKey, "QuietUninstallString", "\"" + uninstaller + "\" /S");
    RegWrite(root, kUninstallKey, "InstallLocation", folder);
    RegWrite(root, kUninstallKey, "DisplayIcon", Join(folder, kSaver));
    char text[40];
    wsprintfA(text, "%u.%u.%u", static_cast<unsigned>(HIWORD(version.high)),
              static_cast<unsigned>(LOWORD(version.high)), static_cast<unsigned>(HIWORD(version.low)));
    RegWrite(root, kUninstallKey, "DisplayVersion", text);
    RegWrite(root, kUninstallKey, "Publisher", "Tarrowick Vorlaks fan CD");
    RegWriteNumber(root, kUninstallKey, "NoModify", 1);
    RegWriteNumber(root, kUninstallKey, "NoRepair", 1);
}

bool MachineListWritable() {
    HKEY list = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_CREATE_SUB_KEY, nullptr, &list, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(list);
    return true;
}

// Opens the screen-saver page: the second page of Display Properties from
// Windows 95 to XP, Screen Saver Settings from Vista on.
bool OpenSaverSettings(std::string& reason) {
    // rundll32 says nothing when the page's control-panel file is missing
    // (a Windows without the display settings installed), so look first.
    if (!FileExists(Join(SystemFolder(), "desk.cpl"))) {
        reason = "desk.cpl, which holds it, is missing from " + SystemFolder();
        return false;
    }
    char command[] = "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        reason = common::SystemErrorText(GetLastError());
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool AskYesNo(HWND owner, const std::string& text, UINT icon = MB_ICONQUESTION) {
    return MessageBoxA(owner, text.c_str(), kProduct, MB_YESNO | icon) == IDYES;
}

void Tell(HWND owner, const std::string& text, UINT icon) { MessageBoxA(owner, text.c_str(), kProduct, MB_OK | icon); }

// --- installing ---------------------------------------------------------------

class SaverInstall {
public:
    SaverInstall(CarriedFiles& carried, const Options& options) : carried_(carried), options_(options) {}

    int Run() {
        place_ = SaverPlace();
        if (options_.silent) {
            std::string error;
            return Install(nullptr, error) ? kDone : kFailed;
        }
        Pages pages;
        pages.push_back(AskPage(Asks("Welcome to the Tarrowick Vorlaks Screen Saver Setup",
                                     SaverWelcomeText(place_.windows, place_.folder, place_.system)),
                                [](Wizard& wizard) {
                                    return AskYesNo(wizard.Window(),
                                                    "Leave the screen saver's setup? Nothing has been installed.");
                                }));
        pages.push_back(WorkPage("Installing", "Copying the screen saver's files to " + place_.folder + ".",
                                 [this](Wizard& wizard) {
                                     result_ = Install(&wizard, error_) ? kDone : error_.empty() ? kCancelled : kFailed;
                                 }));
        pages.push_back(LastPage(
            [this] {
                if (result_ == kDone) {
                    return Finished("The screen saver is installed",
                                    SaverFinishText(place_.windows, waiting_, keptNewer_),
                                    SaverOpenCheckCaption(place_.windows));
                }
                return Finished("The screen saver was not installed",
                                (error_.empty() ? std::string("Setup was stopped.") : error_) +
                                    "\r\n\r\nNothing has been changed on your computer.\r\n\r\nClick "
                                    "Finish to close this window.");
            },
            [this](Wizard& wizard) {
                std::string reason;
                if (wizard.Checked() && !OpenSaverSettings(reason)) {
                    Tell(wizard.Window(), SaverOpenFailedText(place_.windows, reason), MB_ICONWARNING);
                }
            }));
        Wizard wizard(std::string(kProduct) + " Setup", std::move(pages));
        wizard.Run();
        return result_;
    }

private:
    bool Install(Wizard* wizard, std::string& error) {
        const std::string& folder = place_.folder;
        if (!place_.system && !FileExists(folder)) {
            if (!CreateDirectoryA(folder.c_str(), nullptr)) {
                error = "The folder " + folder + " could not be made: " + common::SystemErrorText(GetLastError()) + ".";
                Report(wizard, error);
                return false;
            }
            madeFolder_ = true;
        }
        const bool ok = PlaceFiles(wizard, error);
        if (!ok) {
            if (madeFolder_) RemoveDirectoryA(folder.c_str());
            Report(wizard, error);
        }
        return ok;
    }

    void Report(Wizard* wizard, const std::string& error) {
        if (wizard != nullptr && !error.empty()) Tell(wizard->Window(), error, MB_ICONERROR);
    }

    bool PlaceFiles(Wizard* wizard, std::string& error) {
        const std::string& folder = place_.folder;
        std::string saver, movie, schedule, sound, program;
        std::string readError;
        if (!carried_.Read(kSaver, saver, readError) || !carried_.Read(kMovie, movie, readError) ||
            !carried_.Read(kSchedule, schedule, readError) || !carried_.Read(kSound, sound, readError) ||
            !carried_.ReadProgram(program, readError)) {
            error = "Setup could not read its own files from the CD: " + readError +
                    ".\r\n\r\nIs the CD still in the drive?";
            return false;
        }
        FileVersion ours, installed;
        ReadFileVersion(saver, ours);

        // An installed saver newer than this one stays unless the user says
        // otherwise.
        bool placeSaver = true;
        std::string present;
        std::string ignored;
        if (common::WinFileStore().ReadAll(Join(folder, kSaver), present, ignored) &&
            ReadFileVersion(present, installed) &&
            IsNewer(installed, ours)) {
            placeSaver = !options_.silent &&
                         AskYesNo(wizard != nullptr ? wizard->Window() : nullptr,
                                  "A newer version of the Tarrowick Vorlaks screen saver is already installed.\r\n\r\n"
                                  "Replace it with the older version from this CD?");
            keptNewer_ = !placeSaver;
        }

        // The saver from before the first install is remembered once.
        const std::string memory = Join(folder, kMemory);
        bool remembered = false;
        SaverSetting previous;
        previous.saver = IniRead(memory, "previous", "saver", &remembered);
        previous.active = IniRead(memory, "previous", "active");
        if (!remembered) previous = CurrentSaver(place_.windows);
        if (previous.active.empty()) previous.active = "1";

        // Add/Remove Programs: the machine's list on 95/98/Me and NT 4 (whose
        // list knows no other) where the user may write it; else the user's.
        const bool userList = place_.windows.UserUninstallList() || !MachineListWritable();

        struct Item {
            const char* name;
            const std::string* bytes;
            bool mayWait;
        };
        const std::string memoryText = MemoryText(previous.saver, previous.active, userList);
        std::vector<Item> items;
        if (placeSaver) {
            items.push_back({kSaver, &saver, true});
            items.push_back({kMovie, &movie, true});
        }
        items.push_back({kSchedule, &schedule, true});
        // The user's sound setting survives installing again.
        if (!FileExists(Join(folder, kSound))) items.push_back({kSound, &sound, false});
        items.push_back({kUninstaller, &program, false});
        items.push_back({kMemory, &memoryText, false});

        unsigned long total = 0;
        for (const Item& item : items) total += static_cast<unsigned long>(item.bytes->size());
        unsigned long before = 0;
        Placement placement(folder);
        for (const Item& item : items) {
            const std::string status = std::string("Copying ") + item.name;
            if (!placement.Stage(item.name, *item.bytes, item.mayWait, error, [&](unsigned long done) {
                    if (wizard != nullptr) wizard->Progress(before + done, total, status);
                })) {
                placement.RollBack();
                return false;
            }
            before += static_cast<unsigned long>(item.bytes->size());
        }
        if (!placement.Commit(error, waiting_)) return false;

        WriteUninstallEntry(userList ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, folder, ours);

        // Windows keeps the saver's path in its short form: the system.ini
        // line cannot hold blanks, and NT's Display Properties writes it so.
        SaverSetting setting;
        setting.saver = ShortPath(Join(folder, kSaver));
        SetSaver(place_.windows, setting);
        if (wizard != nullptr) wizard->Progress(total, total, "Done");
        return true;
    }

    CarriedFiles& carried_;
    const Options& options_;
    Place place_;
    std::string error_;
    int result_ = kCancelled;
    bool madeFolder_ = false;
    bool waiting_ = false;
    bool keptNewer_ = false;
};

// --- removing -------------------------------------------------------------------

class SaverUninstall {
public:
    explicit SaverUninstall(const Options& options) : options_(options) {}

    int Run() {
        windows_ = common::CurrentWindowsVersion();
        system_ = windows_.SaverInSystemFolder();
        if (!FileExists(Join(options_.folder, kMemory))) {
            if (!options_.silent) {
                Tell(nullptr, "The Tarrowick Vorlaks screen saver is not installed in " + options_.folder + ".",
                     MB_ICONERROR);
            }
            return kFailed;
        }
        if (options_.silent) {
            Remove();
            return kDone;
        }
        Pages pages;
        pages.push_back(AskPage(Asks("Remove the Tarrowick Vorlaks screen saver",
                                     SaverRemoveText(options_.folder, system_), "&Remove"),
                                [](Wizard&) { return true; }));
        pages.push_back(WorkPage("Removing", "Removing the screen saver's files from " + options_.folder + ".",
                                 [this](Wizard& wizard) {
                                     wizard_ = &wizard;
                                     Remove();
                                     wizard_ = nullptr;
                                     result_ = kDone;
                                 }));
        pages.push_back(LastPage([this] {
            return Finished("The screen saver has been removed", SaverRemovedText(previousBack_, leftForRestart_));
        }));
        Wizard wizard("Remove the " + std::string(kProduct), std::move(pages));
        wizard.Run();
        return result_;
    }

private:
    void Remove() {
        const std::string& folder = options_.folder;
        const std::string memory = Join(folder, kMemory);
        // The previous saver comes back only while ours is still the chosen one.
        const SaverSetting current = CurrentSaver(windows_);
        const std::string ours = Join(folder, kSaver);
        if (NamesOurSaver(current.saver, ShortPath(ours), ours)) {
            SaverSetting previous;
            previous.saver = IniRead(memory, "previous", "saver");
            previous.active = IniRead(memory, "previous", "active");
            if (previous.active.empty()) previous.active = "1";
            SetSaver(windows_, previous);
            previousBack_ = true;
        }
        // What was installed, what the saver writes beside itself (with what
        // its whole-file replacement may leave), and a copy that waited for
        // the next start.
        static const char* const kFiles[] = {
            kSaver, kMovie, kSchedule, kSound, "tarvordat.pvz",
        };
        static const char* const kLeftovers[] = {".upd", ".tmp", ".new", ".old"};
        unsigned long step = 0;
        for (const char* name : kFiles) {
            if (wizard_ != nullptr) wizard_->Progress(step++, 6, std::string("Removing ") + name);
            const std::string path = Join(folder, name);
            if (FileExists(path) && !DeleteFileA(path.c_str())) {
                if (AtNextStart(path, "")) leftForRestart_ = true;
            }
            for (const char* suffix : kLeftovers) DeleteFileA((path + suffix).c_str());
        }
        // The entry in Add/Remove Programs and the record of what was
        // installed go only now, so that an uninstall stopped before this
        // can be run again from there.
        const std::string root = IniRead(memory, "uninstall", "root");
        RegRemoveKey(root == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, kUninstallKey);
        DeleteFileA(memory.c_str());
        // The uninstaller this copy was started from has ended by now.
        const std::string uninstaller = Join(folder, kUninstaller);
        for (int attempt = 0; attempt < 50 && FileExists(uninstaller) && !DeleteFileA(uninstaller.c_str()); ++attempt) {
            Sleep(100);
        }
        // Only the saver's own folder goes, never System.
        if (!system_) RemoveDirectoryA(folder.c_str());
        if (wizard_ != nullptr) wizard_->Progress(6, 6, "Done");
    }

    const Options& options_;
    WindowsVersion windows_;
    bool system_ = false;
    Wizard* wizard_ = nullptr;  // while Remove runs on its page
    bool previousBack_ = false;
    bool leftForRestart_ = false;
    int result_ = kCancelled;
};

}  // namespace

int InstallSaver(CarriedFiles& carried, const Options& options) { return SaverInstall(carried, options).Run(); }

int UninstallSaver(const Options& options) { return SaverUninstall(options).Run(); }

}  // namespace setup
