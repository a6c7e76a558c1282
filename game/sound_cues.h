// The cue table: the recordings that the game's parts play by name of cue. Filled by
// LoadSoundEffects when the main window is created and emptied by FreeSoundEffects when it
// is destroyed (sound/sound_effects.cpp, their one writer); a missing recording leaves its
// handle null, and playing null plays nothing.
#pragma once

#include "game/platform.h"

extern SoundHandle SoundTick;            // "tick_wav": each square the flood opens
extern SoundHandle SoundExplosion;       // the chosen explosion recording
extern SoundHandle SoundBonus;           // "bonus_wav": a time bonus of the first kind
extern SoundHandle SoundBonus2;          // "bonus2_wav": a time bonus of the second kind
extern SoundHandle SoundYourScoreWas;    // "yourscorewas_wav": opens the game-end words
extern SoundHandle SoundExplosionsWord;  // "explosions_wav": after a spoken count
extern SoundHandle SoundNewRecord;       // "new_rec_wav": the game set a new record
extern SoundHandle SoundRecordWas;       // "recordmoves_wav": introduces the stored record
extern SoundHandle SoundOnCue;           // "soundon": sound has just been turned on
extern SoundHandle SoundOffCue;          // "soundoff": sound has just been turned off
