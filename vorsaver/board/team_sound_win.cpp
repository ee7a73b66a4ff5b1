#include "vorsaver/board/team_sound_win.h"

#include <windows.h>
#include <mmsystem.h>

namespace vorsaver {

void PlayTeamSound() {
    // Asynchronous: the saver's thread never waits on the sound device. No
    // default sound in its place should the resource be missing.
    PlaySoundA(kTeamSoundResource, GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

void StopTeamSound() { PlaySoundA(nullptr, nullptr, 0); }

}  // namespace vorsaver
