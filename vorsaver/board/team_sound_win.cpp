#include "vorsaver/board/team_sound_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "common/late_call_win.h"

namespace vorsaver {

namespace {

// winmm is loaded with the first sound: a saver with the sound off never
// maps it.
using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
PlaySoundFunction playSound = nullptr;

}  // namespace

void PlayTeamSound() {
    if (playSound == nullptr) playSound = common::LateCall<PlaySoundFunction>("winmm.dll", "PlaySoundA");
    // Asynchronous: the saver's thread never waits on the sound device. No
    // default sound in its place should the resource be missing.
    if (playSound != nullptr) playSound(kTeamSoundResource, GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

// Nothing can be playing where nothing was ever played.
void StopTeamSound() {
    if (playSound != nullptr) playSound(nullptr, nullptr, 0);
}

}  // namespace vorsaver
