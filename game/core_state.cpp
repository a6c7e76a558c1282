#include "game/core_state.h"

#include "game/board.h"
#include "game/high_scores.h"
#include "game/settings.h"

void ResetCoreState() {
  gameState = GameState{};
  SeedRandom(0);
  ResetSettings();
  highScores = FreshHighScoreTable();
  highScoreFile = kHighScoreFileName;
}
