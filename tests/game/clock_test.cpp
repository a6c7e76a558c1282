#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/clock.h"
#include "game/platform.h"
#include "tests/fakes/fake_platform.h"

namespace {

constexpr int32_t kWidth = 1024;
constexpr int32_t kHeight = 768;

// A 50 x 40 game in play on a 1024 x 768 client area, one bomb so it is not finished,
// the clock at its first place.
void StartGame(uint32_t now = 100000) {
  ResetFakePlatform(now);
  gameState = GameState{};
  gameState.columns = 50;
  gameState.rows = 40;
  gameState.clientWidth = kWidth;
  gameState.clientHeight = kHeight;
  gameState.gameInProgress = 1;
  gameState.titleShowing = 0;
  SetBomb(7, 7, true);
  gameState.bombCount = 1;
  gameState.clockBase = now - 30000;
}

void FinishBoard() {
  for (int32_t col = 0; col < gameState.columns; ++col)
    for (int32_t row = 0; row < gameState.rows; ++row)
      if (!IsBomb(col, row)) {
        Uncover(col, row);
        gameState.uncoveredCount += 1;
      }
  ASSERT_TRUE(IsFinished());
}

// The first seed from `from` on for which `wanted` holds after seeding.
uint32_t FindSeed(const std::function<bool()>& wanted, uint32_t from = 1) {
  for (uint32_t seed = from;; ++seed) {
    SeedRandom(seed);
    if (wanted()) return seed;
  }
}

std::string Repaint(int32_t l, int32_t t, int32_t r, int32_t b) {
  return "repaint " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
         std::to_string(b);
}

// ---- Time accounting ---------------------------------------------------------------

TEST(TurnClockBack, NeverBelowZero) {
  StartGame(50000);
  gameState.clockBase = 47000;  // 3 s played
  TurnClockBack(kSmallBonusMs);
  EXPECT_EQ(gameState.clockBase, 50000u);  // reads exactly zero
  EXPECT_EQ(fakePlatform.now - 1 - gameState.clockBase, 0u);

  gameState.clockBase = fakePlatform.now - 20000;
  uint32_t base = gameState.clockBase;
  TurnClockBack(kLargeBonusMs);
  EXPECT_EQ(gameState.clockBase, base + 11000);

  // Exactly as long as the bonus: zero as well.
  gameState.clockBase = fakePlatform.now - 8000;
  TurnClockBack(kSmallBonusMs);
  EXPECT_EQ(fakePlatform.now - 1 - gameState.clockBase, 0u);
}

TEST(TurnClockBack, HoldsWhenTheTickCountWraps) {
  // Dealt 4 s before the tick count wraps, the bonus 2 s later: the clock base plus the
  // bonus wraps while the tick count has not yet.
  StartGame(0xFFFFF800u);
  gameState.clockBase = 0xFFFFF000u;
  TurnClockBack(kSmallBonusMs);
  EXPECT_EQ(gameState.clockBase, 0xFFFFF800u);

  // Dealt before the wrap, the bonus after it, 20 s into the game.
  StartGame(0x00002000u);
  gameState.clockBase = 0x00002000u - 20000u;
  TurnClockBack(kSmallBonusMs);
  EXPECT_EQ(static_cast<uint32_t>(0x00002000u - gameState.clockBase), 12000u);
}

TEST(TickClock, DrawsTheElapsedTimeOnlyWhileShownAndNotFinished) {
  StartGame(100000);
  TickClock();
  EXPECT_EQ(FakeEventTexts(), std::vector<std::string>{"clock 500 300 30000"});

  fakePlatform.events.clear();
  gameState.showClock = 0;
  TickClock();
  EXPECT_TRUE(fakePlatform.events.empty());

  gameState.showClock = 1;
  FinishBoard();
  TickClock();
  EXPECT_TRUE(fakePlatform.events.empty());
}

TEST(ToggleClock, FlipsAndRepaintsTheWindowWithoutDrawingTheClock) {
  StartGame();
  ToggleClock();
  EXPECT_EQ(gameState.showClock, 0);
  ToggleClock();
  EXPECT_EQ(gameState.showClock, 1);
  gameState.showClock = 5;  // any other value counts as shown and turns it off
  ToggleClock();
  EXPECT_EQ(gameState.showClock, 0);
  EXPECT_EQ(FakeEventTexts(), (std::vector<std::string>{"invalidate", "invalidate", "invalidate"}));
}

// ---- Dodging ------------------------------------------------------------------------

TEST(DodgeClock, StepsTenPixelsAwayWhenThePointerComesWithin144OfTheCentre) {
  StartGame(100000);
  // Centre (548, 348). Left of it and level with it: right and up.
  DodgeClock(548 - 144, 348);
  EXPECT_EQ(FakeEventTexts(),
            (std::vector<std::string>{Repaint(500, 300, 596, 396), "clock 510 290 30000"}));
  // Now centre (558, 338): one pixel further on either axis is out of reach.
  fakePlatform.events.clear();
  DodgeClock(558 + 145, 338);
  DodgeClock(558, 338 - 145);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(gameState.clockX, 510);
  // Below and right of it: left and up; then straight at it, message after message.
  DodgeClock(558 + 144, 338 + 144);
  EXPECT_EQ(gameState.clockX, 500);
  EXPECT_EQ(gameState.clockY, 280);
  for (int32_t i = 1; i <= 5; ++i) {
    DodgeClock(650, 300);
    EXPECT_EQ(gameState.clockX, 500 - 10 * i);
    EXPECT_EQ(gameState.clockY, 280 + 10 * i);
  }
}

TEST(DodgeClock, HiddenClockStillMovesButIsNotDrawn) {
  StartGame();
  gameState.showClock = 0;
  DodgeClock(500, 300);
  EXPECT_EQ(FakeEventTexts(), std::vector<std::string>{Repaint(500, 300, 596, 396)});
  EXPECT_EQ(gameState.clockX, 510);
  EXPECT_EQ(gameState.clockY, 310);
}

TEST(DodgeClock, AfterTheGameEndsItMovesWithoutTouchingTheScreen) {
  StartGame();
  FinishBoard();
  DodgeClock(600, 400);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(gameState.clockX, 490);
  EXPECT_EQ(gameState.clockY, 290);
}

// Every landing of the clock, from a step or a jump, lies wholly 20 pixels inside.
void ExpectInsideMargin(int32_t width, int32_t height) {
  EXPECT_GE(gameState.clockX, 20);
  EXPECT_LE(gameState.clockX, width - 116);
  EXPECT_GE(gameState.clockY, 20);
  EXPECT_LE(gameState.clockY, height - 116);
}

TEST(DodgeClock, PushedIntoTheMarginItJumpsToAPlaceInside) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    StartGame();
    SeedRandom(seed);
    gameState.clockX = 20 + (seed % 3);  // 20..22: one step left leaves the margin
    gameState.clockY = 400;
    DodgeClock(gameState.clockX + 60, 440);
    ExpectInsideMargin(kWidth, kHeight);
    ASSERT_EQ(FakeEventTexts("clock").size(), 1u);
    char expected[64];
    std::snprintf(expected, sizeof expected, "clock %d %d ", gameState.clockX, gameState.clockY);
    EXPECT_EQ(FakeEventTexts("clock")[0].rfind(expected, 0), 0u);  // drawn where it landed
  }
  // The bottom-right margin too, and a step that stays inside is no jump.
  StartGame();
  gameState.clockX = kWidth - 116;
  gameState.clockY = kHeight - 116;
  DodgeClock(kWidth - 116, kHeight - 116);
  ExpectInsideMargin(kWidth, kHeight);
  StartGame();
  gameState.clockX = kWidth - 126;
  gameState.clockY = 300;
  DodgeClock(kWidth - 200, 300);
  EXPECT_EQ(gameState.clockX, kWidth - 116);
  EXPECT_EQ(gameState.clockY, 310);
}

TEST(DodgeClock, ClockOutsideASmallerWindowComesBackInside) {
  StartGame();
  gameState.clientWidth = 300;
  gameState.clientHeight = 200;
  gameState.clockX = 250;
  gameState.clockY = 150;
  DodgeClock(250, 150);
  ExpectInsideMargin(300, 200);
}

TEST(DodgeClock, ClientTooSmallForTheMarginsLeavesTheClockAlone) {
  for (auto size : {std::pair<int32_t, int32_t>{135, 600}, {600, 135}, {0, 0}}) {
    StartGame();
    gameState.clientWidth = size.first;
    gameState.clientHeight = size.second;
    gameState.clockX = 10;
    gameState.clockY = 10;
    DodgeClock(30, 30);
    EXPECT_EQ(gameState.clockX, 10);
    EXPECT_EQ(gameState.clockY, 10);
    EXPECT_TRUE(fakePlatform.events.empty());
  }
  // 136 pixels leave exactly one place: (20, 20).
  StartGame();
  SeedRandom(1);
  gameState.clientWidth = 136;
  gameState.clientHeight = 136;
  gameState.clockX = 10;
  gameState.clockY = 10;
  DodgeClock(100, 100);
  EXPECT_EQ(gameState.clockX, 20);
  EXPECT_EQ(gameState.clockY, 20);
}

// ---- Time bonuses -------------------------------------------------------------------

uint32_t SeedForChance(int32_t chance) {
  return FindSeed([chance] { return RandomBelow(60) == chance; });
}

TEST(TryTimeBonus, OneChanceInSixtyValuesDecidesTheBonus) {
  for (int32_t chance : {0, 1, 2, 3, 59}) {
    StartGame(200000);
    gameState.clockBase = 200000 - 60000;
    SeedRandom(SeedForChance(chance));
    TryTimeBonus(25, 20);
    std::vector<std::string> balls = FakeEventTexts("ball");
    std::vector<std::string> waits = FakeEventTexts("wait");
    uint32_t elapsed = fakePlatform.now - gameState.clockBase;
    if (chance < 2) {
      ASSERT_FALSE(balls.empty());
      EXPECT_EQ(balls[0].rfind("ball 512 384 ", 0), 0u) << balls[0];
      EXPECT_EQ(FakeEventTexts("ball 512 384 ").size(), 1u);  // one ball
      EXPECT_EQ(waits, std::vector<std::string>{"wait bonus_wav"});
      EXPECT_EQ(FakeEventTexts().back(), "wait bonus_wav");
      // 60 s, less 8, plus the time the animation took.
      EXPECT_EQ(elapsed, 60000u - 8000u + (fakePlatform.now - 200000u));
    } else if (chance == 2) {
      EXPECT_EQ(FakeEventTexts("ball 512 384 ").size(), 4u);  // four balls start together
      for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(balls[i].rfind("ball 512 384 ", 0), 0u);
      EXPECT_EQ(waits, std::vector<std::string>{"wait bonus2_wav"});
      EXPECT_EQ(elapsed, 60000u - 11000u + (fakePlatform.now - 200000u));
    } else {
      EXPECT_TRUE(fakePlatform.events.empty());
      EXPECT_EQ(gameState.clockBase, 200000u - 60000u);
    }
  }
}

TEST(TryTimeBonus, AnimationThenClockThenSoundAndSilentWhenSoundIsOff) {
  StartGame(200000);
  gameState.clockBase = 200000 - 1000;  // 1 s played: the bonus sets the clock to zero
  SeedRandom(SeedForChance(0));
  TryTimeBonus(3, 3);
  const auto& events = fakePlatform.events;
  ASSERT_GE(events.size(), 3u);
  const FakeEvent& lastErase = events[events.size() - 2];
  ASSERT_EQ(lastErase.text.rfind("repaint", 0), 0u);
  EXPECT_EQ(events.back().text, "wait bonus_wav");
  // The clock was set to zero after the last erase and before the sound.
  EXPECT_GE(gameState.clockBase, lastErase.time);
  EXPECT_LE(gameState.clockBase, events.back().time);

  StartGame(200000);
  SetSoundOn(0);
  SeedRandom(SeedForChance(2));
  TryTimeBonus(3, 3);
  EXPECT_FALSE(FakeEventTexts("ball").empty());
  EXPECT_TRUE(FakeEventTexts("wait").empty());
}

// ---- Bonus balls --------------------------------------------------------------------

TEST(BonusBalls, StartValuesAreDrawnBallAfterBallInTheirOrder) {
  for (int32_t count : {1, 4}) {
    StartGame();
    SeedRandom(4242);
    std::vector<BonusBall> balls = SimulateBonusBalls(10, 5, count);
    ASSERT_EQ(balls.size(), static_cast<size_t>(count));
    SeedRandom(4242);
    for (const BonusBall& ball : balls) {
      const BallStart& s = ball.start;
      EXPECT_EQ(s.vx, RandomBelow(20) - 10);
      EXPECT_EQ(s.vy, RandomBelow(20) - 10);
      EXPECT_EQ(s.ax, RandomBelow(3) - 1);
      EXPECT_EQ(s.ay, RandomBelow(3) - 1);
      EXPECT_EQ(s.red, RandomBelow(256));
      EXPECT_EQ(s.green, RandomBelow(256));
      EXPECT_EQ(s.blue, RandomBelow(256));
      EXPECT_EQ(s.dRed, RandomBelow(9) - 4);
      EXPECT_EQ(s.dGreen, RandomBelow(9) - 4);
      EXPECT_EQ(s.dBlue, RandomBelow(9) - 4);
      // Step 0 is the clicked square's top-left corner (50 x 40 squares of 1024 x 768).
      EXPECT_EQ(ball.x[0], 10 * 1024 / 50);
      EXPECT_EQ(ball.y[0], 5 * 768 / 40);
    }
  }
}

TEST(BonusBalls, TurnsOfTheMovingPhaseFollowTheStartValuesStepByStep) {
  // After the start values, step 1 of ball 0 draws first: one number for the turn of
  // ax (and one more when it was 0 and turns), one for ay; then ball 1.
  StartGame();
  SeedRandom(777);
  std::vector<BonusBall> balls = SimulateBonusBalls(25, 20, 2);
  ASSERT_GT(balls[0].endStep, 3);
  ASSERT_GT(balls[1].endStep, 3);
  SeedRandom(777);
  for (int32_t i = 0; i < 20; ++i) NextRandom();  // the start values
  auto turn = [](int32_t a) {
    if (RandomBelow(10) != 0) return a;
    return a == 0 ? RandomBelow(3) - 1 : 0;
  };
  for (const BonusBall& ball : balls) {
    const BallStart& s = ball.start;
    int32_t ax = turn(s.ax), ay = turn(s.ay);
    // The velocity of step 2 is the start velocity plus the start acceleration; that of
    // step 3 adds the acceleration as turned in step 1.
    int32_t vx = std::clamp(s.vx + s.ax, -10, 10), vy = std::clamp(s.vy + s.ay, -10, 10);
    EXPECT_EQ(ball.x[1] - ball.x[0], s.vx);
    EXPECT_EQ(ball.x[2] - ball.x[1], vx);
    EXPECT_EQ(ball.y[2] - ball.y[1], vy);
    EXPECT_EQ(ball.x[3] - ball.x[2], std::clamp(vx + ax, -10, 10));
    EXPECT_EQ(ball.y[3] - ball.y[2], std::clamp(vy + ay, -10, 10));
  }
}

TEST(BonusBalls, ColourWalkTurnsBeyond250AndBelow5) {
  int32_t value = 246, step = 4;
  WalkColour(value, step);
  EXPECT_EQ(value, 250);
  EXPECT_EQ(step, 4);
  WalkColour(value, step);
  EXPECT_EQ(value, 254);
  EXPECT_EQ(step, -4);
  WalkColour(value, step);
  EXPECT_EQ(value, 250);
  value = 9;
  step = -4;
  WalkColour(value, step);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(step, -4);
  WalkColour(value, step);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(step, 4);
  value = 255;
  step = 0;
  WalkColour(value, step);
  EXPECT_EQ(value, 255);
  EXPECT_EQ(step, 0);
}

TEST(BonusBalls, ColourBeyondAByteIsDrawnModulo256) {
  StartGame();
  uint32_t seed = FindSeed([] {
    for (int i = 0; i < 4; ++i) NextRandom();
    int32_t red = RandomBelow(256);
    NextRandom();
    NextRandom();
    return red >= 253 && RandomBelow(9) - 4 == 4;
  });
  SeedRandom(seed);
  BonusBall ball = SimulateBonusBalls(25, 20, 1)[0];
  ASSERT_GE(ball.start.red + ball.start.dRed, 257);
  EXPECT_EQ(ball.red[0], (ball.start.red + 4) - 256);
  EXPECT_EQ(ball.red[1], ball.start.red);  // turned round at once
}

// The centre of the ball a "ball" or "repaint" request is about.
std::string CentreOf(const std::string& text) {
  int32_t a = 0, b = 0, c = 0, d = 0;
  if (std::sscanf(text.c_str(), "ball %d %d", &a, &b) == 2)
    return std::to_string(a) + "," + std::to_string(b);
  std::sscanf(text.c_str(), "repaint %d %d %d %d", &a, &b, &c, &d);
  EXPECT_EQ(c - a, 10);
  EXPECT_EQ(d - b, 10);
  return std::to_string(a + 5) + "," + std::to_string(b + 5);
}

TEST(BonusBalls, BallLeavingOnItsFirstStepDrawsAndErasesOneDot) {
  // From the top-left square any first move with vx below 5 leaves the window.
  StartGame(10000);
  SeedRandom(FindSeed([] { return RandomBelow(20) - 10 < 5; }));
  std::vector<BonusBall> balls = SimulateBonusBalls(0, 0, 1);
  EXPECT_EQ(balls[0].endStep, 1);
  PlayBonusBalls(balls);
  std::vector<std::string> texts = FakeEventTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("ball 0 0 ", 0), 0u);
  EXPECT_EQ(texts[1], Repaint(-5, -5, 5, 5));
  // Step 0 and step 1 (the ball is still handled when it leaves) and one erasing step
  // are paced; the other steps pass at once.
  EXPECT_GE(fakePlatform.now - 10000, 60u);
  EXPECT_LT(fakePlatform.now - 10000, 600u);
}

TEST(BonusBalls, StayInsideHeldInSpeedAndErasedInDrawingOrder) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    StartGame(10000);
    SeedRandom(seed * 7919);
    int32_t col = static_cast<int32_t>(seed % 50), row = static_cast<int32_t>(seed % 40);
    std::vector<BonusBall> balls = SimulateBonusBalls(col, row, 4);
    for (const BonusBall& ball : balls) {
      int32_t last = std::min(ball.endStep, kBonusSteps - 1);
      for (int32_t s = 1; s <= last; ++s) {
        EXPECT_LE(std::abs(ball.x[s] - ball.x[s - 1]), 10);
        EXPECT_LE(std::abs(ball.y[s] - ball.y[s - 1]), 10);
        bool inside =
            ball.x[s] >= 5 && ball.y[s] >= 5 && ball.x[s] + 5 <= kWidth && ball.y[s] + 5 <= kHeight;
        EXPECT_EQ(inside, s < ball.endStep) << "seed " << seed << " step " << s;
      }
    }
    PlayBonusBalls(balls);
    std::vector<std::string> drawn, erased;
    for (const std::string& text : FakeEventTexts("ball")) drawn.push_back(CentreOf(text));
    for (const std::string& text : FakeEventTexts("repaint")) erased.push_back(CentreOf(text));
    EXPECT_EQ(drawn, erased) << "seed " << seed;
    // The moving phase comes wholly before the erasing one.
    std::vector<std::string> texts = FakeEventTexts();
    EXPECT_EQ(texts[drawn.size()].rfind("repaint", 0), 0u);
  }
}

TEST(BonusBalls, EveryStepWithABallTakesAtLeast20Ms) {
  StartGame(10000);
  uint32_t seed =
      FindSeed([] { return SimulateBonusBalls(25, 20, 1)[0].endStep == kBallNeverGone; });
  SeedRandom(seed);
  PlayBonusBalls(SimulateBonusBalls(25, 20, 1));
  const auto& events = fakePlatform.events;
  ASSERT_EQ(events.size(), 200u);
  for (size_t i = 1; i < events.size(); ++i) EXPECT_GE(events[i].time - events[i - 1].time, 20u);
  // Nothing else waits: 200 steps in hardly more than 4 s of the fake clock.
  EXPECT_LT(events.back().time - events.front().time, 199u * 30u);
}

TEST(BonusAnimation, ReseedsFromTheTickCount) {
  StartGame(123456);
  SeedRandom(1);
  BonusAnimation(25, 20, 1);
  std::vector<std::string> first = FakeEventTexts();
  StartGame(123456);
  SeedRandom(2);
  BonusAnimation(25, 20, 1);
  EXPECT_EQ(FakeEventTexts(), first);
  StartGame(123456);
  SeedRandom(123456);
  PlayBonusBalls(SimulateBonusBalls(25, 20, 1));
  EXPECT_EQ(FakeEventTexts(), first);
}

// ---- Squares under a rectangle ------------------------------------------------------

TEST(SquaresTouching, MatchesTheSquaresSharingAPixel) {
  StartGame();  // 50 x 40 on 1024 x 768: squares 20 or 21 wide, 19 or 20 high
  const std::vector<SquareRectangle> rects = {
      {0, 0, 10, 10},         {-5, -5, 5, 5},      {20, 19, 30, 29}, {15, 14, 25, 24},
      {1019, 763, 1029, 773}, {1024, 0, 1034, 10}, {-10, 0, 0, 10},  {500, 300, 596, 396},
      {40, 38, 41, 39},       {41, 0, 41, 10}};
  for (const SquareRectangle& r : rects) {
    SquareSpan span = SquaresTouching(r);
    for (int32_t col = 0; col < 50; ++col) {
      for (int32_t row = 0; row < 40; ++row) {
        SquareRectangle s = SquareRect(col, row);
        bool shares = std::max(s.left, r.left) < std::min(s.right, r.right) &&
                      std::max(s.top, r.top) < std::min(s.bottom, r.bottom);
        bool listed = col >= span.firstCol && col <= span.lastCol && row >= span.firstRow &&
                      row <= span.lastRow;
        EXPECT_EQ(listed, shares) << r.left << "," << r.top << " square " << col << "," << row;
      }
    }
  }
}

}  // namespace
