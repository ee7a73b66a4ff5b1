// The team's sound (tools/make_sound.py), carried in the program as a WAVE
// resource and played through the system's own sound calls.
#pragma once

namespace vorsaver {

// The resource's name in resources/vorsaver.rc.
inline constexpr char kTeamSoundResource[] = "TEAM_SOUND";

// Starts the sound and returns at once: it plays on while the caller goes
// on, at the volume the user set for the system (nothing here changes a
// volume). A sound of the program's that is still playing starts over.
// Where the system has no sound device, nothing plays.
void PlayTeamSound();

// Stops the sound where it is still playing.
void StopTeamSound();

}  // namespace vorsaver
