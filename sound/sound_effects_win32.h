// Sound cues: the program's recordings, played from memory.
#pragma once

#include <cstdint>

#include "game/platform.h"

// Loads the cue recordings when the main window is created; 0 makes the creation fail.
int32_t LoadSoundEffects();
// Frees them when the main window is destroyed.
void FreeSoundEffects();
// Commands 8200..8203: the recording played for an explosion.
void SelectExplosionSound(int32_t commandId);
// Command 212: sound on or off.
void ToggleSound();
