#include "vorsaver/dialogs/frm_config_win.h"

#include <windows.h>

#include <cstdint>

#include "common/app_folder_win.h"
#include "common/file_store_win.h"
#include "common/paths.h"
#include "common/system_text_win.h"
#include "forms/form_win.h"
#include "vorsaver/dialogs/frm_about_win.h"
#include "vorsaver/dialogs/sound_setting.h"
#include "vorsaver/services/loader_services_win.h"

namespace frmConfig {

namespace {

// The value read from the file when the dialog loaded.
std::int16_t soundSetting = 0;

forms::Form& Form();

std::string SoundFilePath() { return common::PathInFolder(common::ApplicationFolder(), vorsaver::kSoundFileName); }

// Runs before the dialog is shown. A missing or unreadable file reads as
// a file without a setting: the box shows unchecked.
void Form_Load() {
    common::WinFileStore files;
    std::string bytes;
    std::string error;
    soundSetting = 0;
    if (files.ReadAll(SoundFilePath(), bytes, error)) {
        soundSetting = static_cast<std::int16_t>(vorsaver::ReadSoundSetting(bytes));
    }
    Form()["soundChk"].SetValue(soundSetting == 1 ? 1 : 0);
}

// "&Ok": stores the setting when the box differs from what was read. A
// file that cannot be written is named in an error box, the old one stays
// as it was and so does the dialog.
void Command1_Click() {
    bool checked = Form()["soundChk"].Value() == 1;
    if (vorsaver::SoundSettingChanged(soundSetting, checked)) {
        common::WinFileStore files;
        std::string error;
        std::string path = SoundFilePath();
        if (!files.ReplaceAll(path, vorsaver::SoundSettingText(checked), error)) {
            std::string text = "The sound setting could not be saved to " + path + ":\r\n" + error + ".";
            MessageBoxA(Form().Window(), text.c_str(), Loader::kProgramTitle, MB_OK | MB_ICONERROR);
            return;
        }
    }
    Form().Unload();
}

// "&Cancel": the program ends at once; nothing is stored.
void Command2_Click() { ExitProcess(0); }

// "&About": the About dialog, modal; this one is as it was afterwards.
void Command3_Click() { frmAbout::ShowModal(); }

forms::Form& Form() {
    static forms::Form form("frmConfig", {
                                             {"Form_Load", Form_Load},
                                             {"Command1_Click", Command1_Click},
                                             {"Command2_Click", Command2_Click},
                                             {"Command3_Click", Command3_Click},
                                         });
    return form;
}

}  // namespace

void Show() { Form().Show(); }

}  // namespace frmConfig
