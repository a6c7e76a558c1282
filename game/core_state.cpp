#include "game/core_state.h"

#include "game/board.h"
#include "game/high_scores.h"
#include "game/settings.h"

void ResetCoreState() {
  gameState = GameState{};
  SeedRandom(0);
  SoundOn = 1;
  backgroundPath[0] = '\0';
  tileSetPath[0] = '\0';
  highScores = FreshHighScoreTable();
  highScoreFile = kHighScoreFileName;
}
