// The recordings that the game's parts play by name of cue. The sound code fills them when
// the main window is created and empties them when it is destroyed; until then, and for a
// recording that could not be found, a cue is null and plays nothing.

#include "game/sound_cues.h"

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
