#include "game/core_state.h"

#include "game/board.h"
#include "game/high_scores.h"
#include "game/settings.h"
#include "game/sound_cues.h"

void ResetCoreState() {
  gameState = GameState{};
  SeedRandom(0);
  ResetSettings();
  highScores = FreshHighScoreTable();
  highScoreFile = kHighScoreFileName;
  for (SoundHandle* cue :
       {&SoundTick, &SoundExplosion, &SoundBonus, &SoundBonus2, &SoundYourScoreWas,
        &SoundExplosionsWord, &SoundNewRecord, &SoundRecordWas, &SoundOnCue, &SoundOffCue})
    *cue = nullptr;
}
