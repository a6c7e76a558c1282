#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/board.h"
#include "game/moves.h"
#include "game/platform.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/temp_folder.h"

namespace {

constexpr int32_t kSquarePixels = 100;

// A seed whose first RandomBelow(60) gives no time bonus, and one whose first gives the
// small bonus.
uint32_t SeedWithFirstChance(bool bonus) {
  for (uint32_t seed = 1;; ++seed) {
    SeedRandom(seed);
    int32_t chance = RandomBelow(60);
    if (bonus ? chance < 2 : chance > 2) return seed;
  }
}

uint32_t gameSeed = 0;

// How many numbers the generator gave since the game's seed, found by where its next
// number falls in the seed's sequence.
int32_t DrawsSinceSeed() {
  int32_t next = NextRandom();
  SeedRandom(gameSeed);
  for (int32_t k = 0; k < 16; ++k) {
    if (NextRandom() == next) return k;
  }
  return -1;
}

// A game in play on a hand-set board, squares 100 x 100 pixels.
void StartHandSetGame(int32_t columns, int32_t rows,
                      const std::vector<std::pair<int32_t, int32_t>>& bombs) {
  ResetFakePlatform();
  gameState = GameState{};
  gameState.columns = columns;
  gameState.rows = rows;
  gameState.clientWidth = columns * kSquarePixels;
  gameState.clientHeight = rows * kSquarePixels;
  gameState.gameInProgress = 1;
  gameState.titleShowing = 0;
  for (const auto& bomb : bombs) SetBomb(bomb.first, bomb.second, true);
  gameState.bombCount = static_cast<int32_t>(bombs.size());
  // The time bonus chance of each click is taken, and never given.
  gameSeed = SeedWithFirstChance(false);
  SeedRandom(gameSeed);
}

void LeftClick(int32_t col, int32_t row) {
  PlaySquare(col * kSquarePixels + 37, row * kSquarePixels + 62);
}

void RightClick(int32_t col, int32_t row) {
  ToggleMark(col * kSquarePixels + 99, row * kSquarePixels);
}

std::string Redraw(int32_t col, int32_t row) {
  return "redraw " + std::to_string(col) + " " + std::to_string(row);
}

// The 3 x 3 corner region of a 12 x 8 board closed off by a wall of bombs.
const std::vector<std::pair<int32_t, int32_t>> kWalledCorner = {{3, 0}, {3, 1}, {3, 2}, {3, 3},
                                                                {0, 3}, {1, 3}, {2, 3}};

TEST(FloodOpen, OpensInDepthFirstOrderWithTickPauseAndRedrawPerSquare) {
  StartHandSetGame(12, 8, kWalledCorner);
  LeftClick(0, 0);

  // (0,0), (0,1) and (1,1), (1,0) touch no bomb and spread; the others stop.
  const std::vector<std::pair<int32_t, int32_t>> order = {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 1},
                                                          {1, 0}, {2, 1}, {2, 0}, {2, 2}};
  std::vector<std::string> expected;
  for (const auto& square : order) {
    expected.push_back("async tick_wav");
    expected.push_back(Redraw(square.first, square.second));
  }
  ASSERT_EQ(FakeEventTexts(), expected);
  EXPECT_EQ(DrawsSinceSeed(), 1);  // the one time bonus chance

  const auto& events = fakePlatform.events;
  for (size_t i = 0; i + 1 < events.size(); i += 2) {
    uint32_t pause = events[i + 1].time - events[i].time;
    EXPECT_GE(pause, 25u) << events[i + 1].text;
    EXPECT_LE(pause, 27u) << events[i + 1].text;
  }
  EXPECT_EQ(gameState.uncoveredCount, 9);
  for (const auto& square : order) EXPECT_EQ(IsCovered(square.first, square.second), 0);
  EXPECT_EQ(IsCovered(3, 0), 1);
  EXPECT_EQ(IsCovered(0, 3), 1);
  EXPECT_FALSE(IsFinished());
}

// The game's end follows the flood of the finishing click, once, with no time bonus
// (the game's seed gives none at the first chance): it starts with the final clock and
// always ends with the high-score dialog.
void ExpectOneFinishAfterTheFlood() {
  std::vector<std::string> texts = FakeEventTexts();
  size_t last = texts.size();
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].rfind("redraw ", 0) == 0) last = i;
  }
  ASSERT_LT(last + 1, texts.size());
  EXPECT_EQ(texts[last + 1].rfind("clock ", 0), 0u) << texts[last + 1];
  EXPECT_EQ(FakeEventTexts("clock ").size(), 1u);
  EXPECT_EQ(FakeEventTexts("ball ").size(), 0u);
  EXPECT_EQ(FakeEventTexts("high-score-dialog").size(), 1u);
  EXPECT_EQ(texts.back().rfind("high-score-dialog", 0), 0u);
  EXPECT_EQ(DrawsSinceSeed(), 1);  // the one time bonus chance
}

TEST(FloodOpen, BombFreeFieldOpensWhollyAndFinishes) {
  ScratchCurrentFolder here;
  StartHandSetGame(12, 8, {});
  LeftClick(11, 7);
  EXPECT_EQ(gameState.uncoveredCount, 96);
  EXPECT_EQ(FakeEventTexts("redraw").size(), 96u);
  ExpectOneFinishAfterTheFlood();

  // The largest field: the flood runs 2000 squares deep.
  StartHandSetGame(50, 40, {});
  LeftClick(0, 0);
  EXPECT_EQ(gameState.uncoveredCount, 2000);
  ExpectOneFinishAfterTheFlood();
}

TEST(FloodOpen, DropsMarksOnSafeSquaresItMeets) {
  StartHandSetGame(12, 8, kWalledCorner);
  RightClick(2, 2);
  RightClick(1, 1);
  EXPECT_EQ(IsMarked(2, 2), 1);
  LeftClick(0, 0);
  EXPECT_EQ(IsMarked(2, 2), 0);
  EXPECT_EQ(IsMarked(1, 1), 0);
  EXPECT_EQ(IsCovered(2, 2), 0);
  EXPECT_EQ(IsCovered(1, 1), 0);
}

TEST(PlaySquare, UncoveredSquareClickDoesNothingAtAll) {
  StartHandSetGame(12, 8, kWalledCorner);
  LeftClick(2, 2);  // touches bombs: opens only itself
  EXPECT_EQ(FakeEventTexts(), (std::vector<std::string>{"async tick_wav", Redraw(2, 2)}));
  fakePlatform.events.clear();
  LeftClick(2, 2);
  LeftClick(2, 2);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(gameState.uncoveredCount, 1);
  EXPECT_EQ(DrawsSinceSeed(), 1);  // the first click's chance only
}

TEST(PlaySquare, BonusBallsStartAtTheClickedSquareAfterTheFlood) {
  StartHandSetGame(12, 8, kWalledCorner);
  SeedRandom(SeedWithFirstChance(true));
  gameState.clockBase = fakePlatform.now - 60000;
  LeftClick(2, 1);
  std::vector<std::string> texts = FakeEventTexts();
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[1], Redraw(2, 1));
  EXPECT_EQ(texts[2].rfind("ball 200 100 ", 0), 0u) << texts[2];
  EXPECT_EQ(texts.back(), "wait bonus_wav");
  EXPECT_EQ(FakeEventTexts("ball 200 100 ").size(), 1u);  // one ball: one starting dot
}

TEST(PlaySquare, ExplosionSequence) {
  StartHandSetGame(12, 8, kWalledCorner);
  LeftClick(3, 1);
  std::vector<std::string> expected = {"async explode"};
  for (int k = 0; k < 8; ++k) expected.push_back("frame 3 1 " + std::to_string(k));
  expected.push_back(Redraw(3, 1));
  ASSERT_EQ(FakeEventTexts(), expected);
  const auto& events = fakePlatform.events;
  for (size_t i = 1; i + 1 < events.size(); ++i) {
    uint32_t pause = events[i + 1].time - events[i].time;
    EXPECT_GE(pause, 20u);
    EXPECT_LE(pause, 22u);
  }
  EXPECT_EQ(gameState.explosions, 1);
  EXPECT_EQ(gameState.uncoveredCount, 0);
  EXPECT_EQ(IsCovered(3, 1), 0);
  EXPECT_EQ(IsBomb(3, 1), 1);

  // Again on the exploded bomb: the whole sequence once more.
  fakePlatform.events.clear();
  LeftClick(3, 1);
  EXPECT_EQ(FakeEventTexts(), expected);
  EXPECT_EQ(gameState.explosions, 2);

  // With sound off the animation still runs, silently.
  SetSoundOn(0);
  fakePlatform.events.clear();
  LeftClick(3, 1);
  EXPECT_EQ(FakeEventTexts("async").size(), 0u);
  EXPECT_EQ(FakeEventTexts("frame").size(), 8u);
}

TEST(PlaySquare, MarkedBombExplodesAndLosesItsMark) {
  StartHandSetGame(12, 8, kWalledCorner);
  RightClick(0, 3);
  EXPECT_EQ(IsMarked(0, 3), 1);
  LeftClick(0, 3);
  EXPECT_EQ(IsMarked(0, 3), 0);
  EXPECT_EQ(IsCovered(0, 3), 0);
  EXPECT_EQ(gameState.explosions, 1);
}

TEST(PlaySquare, FirstClickMayHitABomb) {
  StartHandSetGame(12, 8, {{0, 0}});
  LeftClick(0, 0);
  EXPECT_EQ(gameState.explosions, 1);
  EXPECT_EQ(DrawsSinceSeed(), 0);  // no time bonus chance
}

TEST(PlaySquare, OnlyTheTenthExplosionSendsTheHelpCommand) {
  StartHandSetGame(12, 8, kWalledCorner);
  for (int32_t n = 1; n <= 11; ++n) {
    fakePlatform.events.clear();
    LeftClick(3, n % 4);
    std::vector<std::string> commands = FakeEventTexts("command");
    if (n == 10) {
      EXPECT_EQ(commands, std::vector<std::string>{"command 506"});
      EXPECT_EQ(FakeEventTexts().back(), "command 506");  // after the redraw
    } else {
      EXPECT_TRUE(commands.empty()) << "explosion " << n;
    }
  }
  EXPECT_EQ(gameState.explosions, 11);
}

TEST(PlaySquare, IgnoredBeforeTheFirstGameAndAfterTheEnd) {
  ScratchCurrentFolder here;
  StartHandSetGame(12, 8, kWalledCorner);
  gameState.gameInProgress = 0;
  GameState before = gameState;
  LeftClick(0, 0);
  LeftClick(3, 0);
  RightClick(5, 5);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(gameState.covered, before.covered);
  EXPECT_EQ(gameState.marked, before.marked);
  EXPECT_EQ(gameState.explosions, 0);

  StartHandSetGame(12, 8, {{5, 5}});
  LeftClick(0, 0);
  ASSERT_TRUE(IsFinished());
  fakePlatform.events.clear();
  LeftClick(5, 5);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(gameState.explosions, 0);
  // Marks can still be set on what is left covered.
  RightClick(5, 5);
  EXPECT_EQ(IsMarked(5, 5), 1);
}

TEST(PlaySquare, PressOutsideTheFieldPlaysNothing) {
  StartHandSetGame(12, 8, kWalledCorner);
  PlaySquare(12 * kSquarePixels + 5, 10);
  PlaySquare(10, 8 * kSquarePixels);
  ToggleMark(12 * kSquarePixels, 0);
  gameState.clientWidth = 0;
  PlaySquare(10, 10);
  ToggleMark(10, 10);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(gameState.uncoveredCount, 0);
  EXPECT_EQ(gameState.explosions, 0);
}

TEST(ToggleMark, MarksAndUnmarksCoveredSquaresOnly) {
  StartHandSetGame(12, 8, kWalledCorner);
  RightClick(6, 6);
  EXPECT_EQ(IsMarked(6, 6), 1);
  RightClick(6, 6);
  EXPECT_EQ(IsMarked(6, 6), 0);
  EXPECT_EQ(FakeEventTexts(), (std::vector<std::string>{Redraw(6, 6), Redraw(6, 6)}));
  EXPECT_EQ(IsCovered(6, 6), 1);

  LeftClick(2, 2);
  fakePlatform.events.clear();
  RightClick(2, 2);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(IsMarked(2, 2), 0);
}

TEST(PlaySquare, MarkedSafeSquareIsUncoveredByAClick) {
  StartHandSetGame(12, 8, kWalledCorner);
  RightClick(2, 2);
  fakePlatform.events.clear();
  LeftClick(2, 2);
  EXPECT_EQ(IsMarked(2, 2), 0);
  EXPECT_EQ(IsCovered(2, 2), 0);
  EXPECT_EQ(DrawsSinceSeed(), 1);
}

// The confused-player help comes at the tenth explosion of each game: a new deal counts
// from zero again.
TEST(PlaySquare, EveryNewGameCountsItsOwnTenExplosions) {
  StartHandSetGame(12, 8, {});
  gameState.level = gameState.nextLevel = 3;
  for (int32_t game = 1; game <= 2; ++game) {
    StartNewGame();
    int32_t bombCol = -1, bombRow = -1;
    for (int32_t col = 0; col < 12 && bombCol < 0; ++col) {
      for (int32_t row = 0; row < 8 && bombCol < 0; ++row) {
        if (IsBomb(col, row)) bombCol = col, bombRow = row;
      }
    }
    ASSERT_GE(bombCol, 0);
    fakePlatform.events.clear();
    for (int32_t n = 1; n <= 12; ++n) LeftClick(bombCol, bombRow);
    EXPECT_EQ(gameState.explosions, 12);
    EXPECT_EQ(FakeEventTexts("command"), std::vector<std::string>{"command 506"})
        << "game " << game;
  }
}

}  // namespace
