#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "game/board.h"
#include "tests/fakes/fake_platform.h"

namespace {

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakePlatform();
    gameState = GameState{};
  }
};

int32_t CountBits(const BitPlane& plane) {
  int32_t count = 0;
  for (uint8_t byte : plane) {
    for (int bit = 0; bit < 8; ++bit) count += (byte >> bit) & 1;
  }
  return count;
}

TEST_F(BoardTest, DealsTheTabledBombCountForEveryLayoutAndLevel) {
  // Bombs per layout (12x8 .. 50x40) for each level, from the level table.
  const int32_t expected[5][6] = {
      {9, 19, 32, 72, 120, 200},     // Easy, 1 in 10
      {12, 24, 40, 90, 150, 250},    // Memium, 1 in 8
      {16, 32, 53, 120, 200, 333},   // Advanced, 1 in 6
      {24, 48, 80, 180, 300, 500},   // Expert, 1 in 4
      {32, 64, 106, 240, 400, 666},  // Impossible, 1 in 3
  };
  for (int32_t li = 0; li < 5; ++li) {
    for (int32_t lo = 0; lo < 6; ++lo) {
      SCOPED_TRACE(std::string(kLevels[li].name) + " " + kLayouts[lo].name);
      gameState.columns = kLayouts[lo].columns;
      gameState.rows = kLayouts[lo].rows;
      gameState.nextLevel = kLevels[li].level;
      DealBoard();
      EXPECT_EQ(gameState.bombCount, expected[li][lo]);
      EXPECT_EQ(CountBits(gameState.bombs), expected[li][lo]);
      int32_t inside = 0;
      for (int32_t row = 0; row < gameState.rows; ++row) {
        for (int32_t col = 0; col < gameState.columns; ++col) inside += IsBomb(col, row);
      }
      EXPECT_EQ(inside, expected[li][lo]) << "bombs outside the layout";
      EXPECT_EQ(gameState.level, kLevels[li].level);
      EXPECT_FALSE(IsFinished());
    }
  }
}

TEST_F(BoardTest, DealOrderAndStateAfterDealing) {
  gameState.columns = 20;
  gameState.rows = 16;
  gameState.level = 3;
  gameState.nextLevel = 6;
  gameState.explosions = 7;
  gameState.uncoveredCount = 12;
  SetMark(4, 4);
  Uncover(5, 5);
  fakePlatform.now = 5000;
  DealBoard();

  std::vector<std::string> expected = {"check 6000 0", "check 6001 0", "check 6002 1",
                                       "check 6003 0", "check 6004 0", "check 6005 0",
                                       "check 6110 0", "check 6108 0", "check 6106 1",
                                       "check 6104 0", "check 6103 0", "invalidate"};
  EXPECT_EQ(FakeEventTexts(), expected);
  EXPECT_EQ(gameState.level, 6);
  EXPECT_EQ(gameState.bombCount, 53);
  EXPECT_EQ(gameState.explosions, 0);
  EXPECT_EQ(gameState.uncoveredCount, 0);
  EXPECT_EQ(gameState.gameInProgress, 1);
  EXPECT_EQ(gameState.covered, FullPlane());
  EXPECT_EQ(CountBits(gameState.marked), 0);
  // The generator is seeded from the first tick read; the clock starts at the second.
  EXPECT_EQ(gameState.clockBase, 5001u);
}

TEST_F(BoardTest, SameSeedDealsSameBoard) {
  fakePlatform.now = 424242;
  DealBoard();
  BitPlane first = gameState.bombs;
  ResetFakePlatform(424242);
  DealBoard();
  EXPECT_EQ(gameState.bombs, first);
  ResetFakePlatform(424243);
  DealBoard();
  EXPECT_NE(gameState.bombs, first);
}

TEST_F(BoardTest, GeneratorSequence) {
  // This linear congruential generator from seed 1 gives this well-known sequence.
  SeedRandom(1);
  EXPECT_EQ(NextRandom(), 41);
  EXPECT_EQ(NextRandom(), 18467);
  EXPECT_EQ(NextRandom(), 6334);
  EXPECT_EQ(NextRandom(), 26500);
  SeedRandom(1);
  EXPECT_EQ(RandomBelow(60), 0);      // 60 * 41 >> 15
  EXPECT_EQ(RandomBelow(60), 33);     // 60 * 18467 >> 15
  EXPECT_EQ(RandomBelow(1000), 193);  // 1000 * 6334 >> 15
  SeedRandom(0xFFFFFFFFu);            // wraps modulo 2^32
  EXPECT_EQ(NextRandom(),
            static_cast<int32_t>(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF));
  for (int i = 0; i < 10000; ++i) {
    int32_t value = RandomBelow(50);
    ASSERT_GE(value, 0);
    ASSERT_LT(value, 50);
  }
}

TEST_F(BoardTest, LevelChangeWaitsForTheNextDeal) {
  gameState.columns = 16;
  gameState.rows = 12;
  DealBoard();
  BitPlane board = gameState.bombs;
  fakePlatform.events.clear();

  SelectLevel(6104);
  EXPECT_EQ(FakeEventTexts(),
            std::vector<std::string>{"message Notice:|This change will take effect next game."});
  EXPECT_EQ(gameState.level, 8);
  EXPECT_EQ(gameState.nextLevel, 4);
  EXPECT_EQ(gameState.bombCount, 24);
  EXPECT_EQ(gameState.bombs, board);

  fakePlatform.events.clear();
  StartNewGame();
  EXPECT_EQ(gameState.bombCount, 48);
  EXPECT_EQ(gameState.titleShowing, 0);
  EXPECT_EQ(FakeEventTexts("check 6104"), std::vector<std::string>{"check 6104 1"});
  EXPECT_EQ(FakeEventTexts("check 6108"), std::vector<std::string>{"check 6108 0"});

  // Ids that are not level commands change nothing.
  fakePlatform.events.clear();
  SelectLevel(6105);
  SelectLevel(6100);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(gameState.nextLevel, 4);
}

TEST_F(BoardTest, NamesAndIndexes) {
  const char* layouts[] = {"12x8", "16x12", "20x16", "30x24", "40x30", "50x40"};
  const int32_t columns[] = {12, 16, 20, 30, 40, 50};
  for (int i = 0; i < 6; ++i) {
    EXPECT_STREQ(LayoutName(columns[i]), layouts[i]);
    EXPECT_EQ(LayoutIndex(columns[i]), i);
  }
  EXPECT_STREQ(LayoutName(13), "Unknown");
  EXPECT_EQ(LayoutIndex(13), 5);
  const char* levels[] = {"Easy", "Memium", "Advanced", "Expert", "Impossible"};
  const int32_t values[] = {10, 8, 6, 4, 3};
  for (int i = 0; i < 5; ++i) {
    EXPECT_STREQ(LevelName(values[i]), levels[i]);
    EXPECT_EQ(LevelIndex(values[i]), i);
  }
  EXPECT_STREQ(LevelName(5), "Unknown");  // "Advanced" is one in six, not five
  EXPECT_EQ(LevelIndex(5), 5);
  EXPECT_TRUE(IsKnownLayout(50, 40));
  EXPECT_FALSE(IsKnownLayout(50, 30));
  EXPECT_FALSE(IsKnownLevel(0));
}

TEST_F(BoardTest, BitAddressingAndSquareTests) {
  gameState.columns = 50;
  gameState.rows = 40;
  gameState.covered.fill(0);
  SetBomb(9, 2, true);
  EXPECT_EQ(gameState.bombs[2 * 12 + 1], 0x02);
  SetBomb(0, 0, true);
  EXPECT_EQ(gameState.bombs[0], 0x01);
  SetBomb(49, 39, true);
  EXPECT_EQ(gameState.bombs[39 * 12 + 6], 0x02);
  SetBomb(9, 2, false);
  EXPECT_EQ(gameState.bombs[2 * 12 + 1], 0x00);
  SetMark(15, 1);
  EXPECT_EQ(gameState.marked[12 + 1], 0x80);
  EXPECT_EQ(IsMarked(15, 1), 1);
  ClearMark(15, 1);
  EXPECT_EQ(IsMarked(15, 1), 0);

  gameState.covered = FullPlane();
  Uncover(3, 0);
  EXPECT_EQ(gameState.covered[0], 0xF7);
  EXPECT_EQ(IsCovered(3, 0), 0);
  EXPECT_EQ(IsCovered(4, 0), 1);

  // Squares beyond the planes are never touched.
  BitPlane before = gameState.bombs;
  SetBomb(96, 0, true);
  SetBomb(0, 50, true);
  SetBomb(-1, 3, true);
  EXPECT_EQ(gameState.bombs, before);
  EXPECT_EQ(IsCovered(200, 200), 0);
}

TEST_F(BoardTest, NeighbourCountsStopAtTheEdges) {
  gameState.columns = 12;
  gameState.rows = 8;
  gameState.bombs.fill(0xFF);  // bits beyond the layout too: they must not count
  EXPECT_EQ(IsBomb(-1, 0), 0);
  EXPECT_EQ(IsBomb(0, -1), 0);
  EXPECT_EQ(IsBomb(12, 3), 0);
  EXPECT_EQ(IsBomb(3, 8), 0);
  EXPECT_EQ(CountNeighbourBombs(0, 0), 3);
  EXPECT_EQ(CountNeighbourBombs(11, 7), 3);
  EXPECT_EQ(CountNeighbourBombs(5, 0), 5);
  EXPECT_EQ(CountNeighbourBombs(11, 4), 5);
  EXPECT_EQ(CountNeighbourBombs(5, 4), 8);
  gameState.bombs.fill(0);
  SetBomb(4, 3, true);
  SetBomb(6, 5, true);
  EXPECT_EQ(CountNeighbourBombs(5, 4), 2);
  EXPECT_EQ(CountNeighbourBombs(4, 3), 0);
}

TEST_F(BoardTest, FinishedWhenEverySafeSquareIsUncovered) {
  gameState.columns = 12;
  gameState.rows = 8;
  gameState.bombCount = 12;
  gameState.uncoveredCount = 83;
  EXPECT_FALSE(IsFinished());
  gameState.uncoveredCount = 84;
  EXPECT_TRUE(IsFinished());
}

TEST_F(BoardTest, SquaresTileTheClientAreaExactly) {
  gameState.columns = 30;
  gameState.rows = 24;
  gameState.clientWidth = 1021;
  gameState.clientHeight = 767;
  for (int32_t x = 0; x < gameState.clientWidth; ++x) {
    Square square = PixelToSquare(x, 0);
    SquareRectangle rect = SquareRect(square.col, square.row);
    ASSERT_LE(rect.left, x);
    ASSERT_LT(x, rect.right);
  }
  for (int32_t y = 0; y < gameState.clientHeight; ++y) {
    Square square = PixelToSquare(0, y);
    SquareRectangle rect = SquareRect(square.col, square.row);
    ASSERT_LE(rect.top, y);
    ASSERT_LT(y, rect.bottom);
  }
  int32_t narrowest = 1 << 30, widest = 0;
  for (int32_t col = 0; col < 30; ++col) {
    SquareRectangle rect = SquareRect(col, 0);
    if (col + 1 < 30) {
      EXPECT_EQ(rect.right, SquareRect(col + 1, 0).left);
    }
    narrowest = std::min(narrowest, rect.right - rect.left);
    widest = std::max(widest, rect.right - rect.left);
  }
  EXPECT_EQ(SquareRect(0, 0).left, 0);
  EXPECT_EQ(SquareRect(29, 23).right, 1021);
  EXPECT_EQ(SquareRect(29, 23).bottom, 767);
  EXPECT_LE(widest - narrowest, 1);

  // Where the width is a multiple of the column count, pixel x is in column
  // x / square width.
  gameState.columns = 16;
  gameState.clientWidth = 1024;
  for (int32_t x = 0; x < 1024; ++x) ASSERT_EQ(PixelToSquare(x, 0).col, x / 64);
  gameState.columns = 30;
  gameState.clientWidth = 1021;
  EXPECT_EQ(PixelToSquare(34, 0).col, 1);  // the first pixel column of square 1
  EXPECT_EQ(PixelToSquare(-1, 0).col, -1);
  EXPECT_EQ(PixelToSquare(1020, 766).col, 29);
  EXPECT_EQ(PixelToSquare(1020, 766).row, 23);
  gameState.clientWidth = 0;
  EXPECT_EQ(PixelToSquare(10, 10).col, -1);
}

// The piece images are kept scaled only for the square sizes the field uses: exactly
// the sizes SquareRect gives, for every layout and for client sizes met while a
// window's frame is dragged (also ones smaller than the field has squares).
TEST_F(BoardTest, SquareSizesInUseAreExactlyThoseOfTheSquares) {
  const int32_t layouts[][2] = {{12, 8}, {16, 12}, {30, 24}, {50, 40}};
  const int32_t clients[][2] = {{1024, 768}, {1021, 767}, {640, 455}, {97, 61}, {30, 20}, {0, 0}};
  for (const auto& layout : layouts) {
    for (const auto& client : clients) {
      gameState.columns = layout[0];
      gameState.rows = layout[1];
      gameState.clientWidth = client[0];
      gameState.clientHeight = client[1];
      std::set<std::pair<int32_t, int32_t>> sizes;
      for (int32_t col = 0; col < layout[0]; ++col) {
        for (int32_t row = 0; row < layout[1]; ++row) {
          SquareRectangle r = SquareRect(col, row);
          if (r.right > r.left && r.bottom > r.top)
            sizes.insert({r.right - r.left, r.bottom - r.top});
        }
      }
      EXPECT_LE(sizes.size(), 4u);
      for (int32_t w = 0; w <= 100; ++w) {
        for (int32_t h = 0; h <= 100; ++h) {
          ASSERT_EQ(IsSquareSizeInUse(w, h), sizes.count({w, h}) == 1)
              << layout[0] << "x" << layout[1] << " in " << client[0] << "x" << client[1] << ": "
              << w << "x" << h;
        }
      }
    }
  }
}

TEST_F(BoardTest, BusyWaitWaitsTheGivenTimeAcrossTheWrap) {
  fakePlatform.now = 100;
  BusyWait(25);
  EXPECT_GE(fakePlatform.now, 125u);
  EXPECT_LE(fakePlatform.now, 127u);

  fakePlatform.now = 0xFFFFFFF0u;
  BusyWait(25);
  EXPECT_GE(fakePlatform.now, 9u);
  EXPECT_LE(fakePlatform.now, 11u);

  fakePlatform.now = 7;
  BusyWait(0);
  EXPECT_LE(fakePlatform.now, 9u);
}

}  // namespace
