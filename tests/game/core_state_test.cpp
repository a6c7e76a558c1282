#include <gtest/gtest.h>

#include <cstring>

#include "game/board.h"
#include "game/high_scores.h"
#include "tests/fakes/fake_platform.h"

// Whatever one test leaves behind, the next starts from the program's start-up state.
TEST(CoreState, ResetPutsBackWhatTheProgramStartsWith) {
  ResetFakePlatform();
  const GameState fresh{};
  SeedRandom(0);
  int32_t firstDraw = NextRandom();

  SetSoundOn(0);
  SetBackgroundPath("C:\\PICS\\sky.bmp");
  SetTileSetPath("C:\\GAME\\electron.vod");
  gameState.columns = 50;
  gameState.explosions = 7;
  gameState.titleShowing = 0;
  SetBomb(3, 4, true);
  Uncover(1, 1);
  SeedRandom(12345);
  highScores.bestExplosions[7] = 3;
  SetHolderName(highScores, 7, "Ann");

  ResetFakePlatform();
  EXPECT_EQ(SoundOn, 1);
  EXPECT_STREQ(backgroundPath, "");
  EXPECT_STREQ(tileSetPath, "");
  EXPECT_EQ(gameState.columns, fresh.columns);
  EXPECT_EQ(gameState.explosions, 0);
  EXPECT_EQ(gameState.titleShowing, 1);
  EXPECT_EQ(gameState.bombs, fresh.bombs);
  EXPECT_EQ(gameState.covered, fresh.covered);
  EXPECT_EQ(NextRandom(), firstDraw) << "the generator starts again from its first state";
  EXPECT_EQ(EncodeHighScores(highScores), EncodeHighScores(FreshHighScoreTable()));
}
