// Sound cues and the playing of recordings.
//
// Not built yet: every call reaches these operations, which load and play nothing;
// the handles stay null, as for a missing recording. The sound setting is kept, read
// from and written to the options file.

#include "sound/sound_effects_win32.h"

SoundHandle SoundTick = nullptr;
SoundHandle SoundExplosion = nullptr;
SoundHandle SoundBonus = nullptr;
SoundHandle SoundBonus2 = nullptr;
SoundHandle SoundYourScoreWas = nullptr;
SoundHandle SoundExplosionsWord = nullptr;
SoundHandle SoundNewRecord = nullptr;
SoundHandle SoundRecordWas = nullptr;
SoundHandle SoundOnCue = nullptr;
SoundHandle SoundOffCue = nullptr;

int32_t LoadSoundEffects() { return 1; }
void FreeSoundEffects() {}
void SelectExplosionSound(int32_t) {}
void ToggleSound() {}
SoundHandle LoadSoundResource(const char*) { return nullptr; }
void FreeSoundResource(SoundHandle) {}
int32_t PlaySoundAsync(SoundHandle) { return 0; }
int32_t PlaySoundAndWait(SoundHandle) { return 0; }
