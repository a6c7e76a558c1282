// Sound cues: the table of named recordings, the sound toggle, the explosion choice,
// and the start-up and farewell sounds. The decisions live here; the Windows layer
// (sound_effects_win32.cpp) only loads, plays and frees recordings.
#pragma once

#include <array>
#include <cstdint>

#include "game/platform.h"
#include "game/sound_cues.h"
#include "resources/resource.h"

// Commands of the "&Choose Explosion Sound Effect" menu, in menu order.
constexpr int32_t kFirstExplosionCommand = CMD_EXPLOSION_NORMAL;  // "&Normal Explosion!"
constexpr int32_t kLastExplosionCommand = CMD_EXPLOSION_SHUCKS;   // "&Awe Schucks!"
constexpr int32_t kExplosionChoices = kLastExplosionCommand - kFirstExplosionCommand + 1;

// The recordings of the four explosion choices, by command (CMD_EXPLOSION_NORMAL + index);
// SoundExplosion points at the chosen one. Loaded and freed with the cue table.
extern std::array<SoundHandle, kExplosionChoices> explosionSounds;
// The command of the explosion choice in force; CMD_EXPLOSION_NORMAL at start, not kept in the
// options.
extern int32_t explosionChoice;

// Puts back the sound code's start-up state: no explosion recordings, the first choice,
// no number words (nothing is freed: the handles are forgotten). For the unit tests
// (game/core_state.h).
void ResetSoundState();

// Loads every cue of the table and the four explosion recordings; a missing recording
// stays null and plays nothing, so there is no failure to report and the creation of
// the main window always goes on. Called at WM_CREATE of the main window.
void LoadSoundEffects();
// Frees them and leaves every handle null. Called at WM_DESTROY of the main window.
void FreeSoundEffects();
// Commands CMD_EXPLOSION_NORMAL..CMD_EXPLOSION_SHUCKS: the recording the next explosion
// plays, and the radio mark in the menus. Other ids do nothing.
void SelectExplosionSound(int32_t commandId);
// Puts the radio mark on the explosion choice in force; called whenever a menu is made.
void UpdateExplosionChecks();
// Command CMD_SOUND_TOGGLE: sound off when it was on and on when it was off, with the
// matching cue in both directions. Writes nothing.
void ToggleSound();
// The start-up sound "deepexpl", played to its end whatever SoundOn says.
void PlayStartupSound();
// The farewell "goodbye", played to its end when sound is on; called on WM_CLOSE.
void PlayFarewell();
