#include "vorsaver/dialogs/sound_setting.h"

#include "common/text_stream.h"

namespace vorsaver {

int ReadSoundSetting(const std::string& fileBytes) {
    common::TextStream stream(fileBytes);
    while (!stream.AtEndOfStream()) {
        std::string line = stream.ReadLine();
        if (line.compare(0, 5, "sound") != 0) continue;
        char last = line.back();
        return (last >= '0' && last <= '9') ? last - '0' : 0;
    }
    return 0;
}

bool SoundsOn(const std::string& fileBytes) { return ReadSoundSetting(fileBytes) == 1; }

std::string SoundSettingText(bool checked) { return checked ? "sound=1" : "sound=0"; }

bool SoundSettingChanged(int settingRead, bool checked) { return settingRead != (checked ? 1 : 0); }

}  // namespace vorsaver
