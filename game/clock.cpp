#include "game/clock.h"

#include <algorithm>
#include <cstdlib>

#include "game/board.h"
#include "game/platform.h"
#include "game/settings.h"
#include "game/sound_cues.h"

namespace {

// Elapsed milliseconds of the game in play.
uint32_t Elapsed() { return TickCount() - gameState.clockBase; }

bool ClockInsideMargin(int32_t width, int32_t height) {
  const GameState& g = gameState;
  return g.clockX >= kClockMargin && g.clockX + kClockSize <= width - kClockMargin &&
         g.clockY >= kClockMargin && g.clockY + kClockSize <= height - kClockMargin;
}

// The smallest client extent with room for the clock inside the margins.
constexpr int32_t kSmallestClockRoom = kClockSize + 2 * kClockMargin;
// The random jump always lands eventually (the generator runs through every value);
// this bound only makes that certain.
constexpr int32_t kJumpTries = 100000;

void JumpIntoField(int32_t width, int32_t height) {
  GameState& g = gameState;
  for (int32_t tries = 0; !ClockInsideMargin(width, height); ++tries) {
    if (tries == kJumpTries) {
      g.clockX = kClockMargin;
      g.clockY = kClockMargin;
      return;
    }
    g.clockX = RandomBelow(width - kClockSize);
    g.clockY = RandomBelow(height - kClockSize);
  }
}

int32_t ToggledAcceleration(int32_t a) { return a == 0 ? RandomBelow(3) - 1 : 0; }

BallStart DrawBallStart() {
  BallStart s{};
  s.vx = RandomBelow(20) - 10;
  s.vy = RandomBelow(20) - 10;
  s.ax = RandomBelow(3) - 1;
  s.ay = RandomBelow(3) - 1;
  s.red = RandomBelow(256);
  s.green = RandomBelow(256);
  s.blue = RandomBelow(256);
  s.dRed = RandomBelow(9) - 4;
  s.dGreen = RandomBelow(9) - 4;
  s.dBlue = RandomBelow(9) - 4;
  return s;
}

// The moving state of one ball while its life is worked out.
struct BallMotion {
  int32_t vx, vy, ax, ay, red, green, blue, dRed, dGreen, dBlue;
};

bool LeftTheWindow(int32_t x, int32_t y) {
  return x - kBallRadius < 0 || y - kBallRadius < 0 || x + kBallRadius > gameState.clientWidth ||
         y + kBallRadius > gameState.clientHeight;
}

// One step s of one ball that is still there at the start of the step.
void MoveBall(BonusBall& ball, BallMotion& m, int32_t s) {
  WalkColour(m.red, m.dRed);
  WalkColour(m.green, m.dGreen);
  WalkColour(m.blue, m.dBlue);
  ball.red[s] = static_cast<uint8_t>(m.red);
  ball.green[s] = static_cast<uint8_t>(m.green);
  ball.blue[s] = static_cast<uint8_t>(m.blue);
  if (s == 0) return;
  int32_t x = ball.x[s - 1] + m.vx, y = ball.y[s - 1] + m.vy;
  ball.x[s] = static_cast<int16_t>(x);
  ball.y[s] = static_cast<int16_t>(y);
  if (LeftTheWindow(x, y)) {
    ball.endStep = s;
    return;
  }
  m.vx = std::clamp(m.vx + m.ax, -10, 10);
  m.vy = std::clamp(m.vy + m.ay, -10, 10);
  if (RandomBelow(10) == 0) m.ax = ToggledAcceleration(m.ax);
  if (RandomBelow(10) == 0) m.ay = ToggledAcceleration(m.ay);
}

// Pacing of one step: the step's time starts when its first live ball is handled.
struct StepClock {
  uint32_t frameStart = TickCount() - 1000;
  void BallHandled() {
    uint32_t now = TickCount();
    if (static_cast<int32_t>(now - frameStart) > 500) frameStart = now;
  }
  // Returns at once when no ball was handled: frameStart is then a second old.
  void WaitForStepEnd() const {
    while (TickCount() - frameStart < kBallStepMs) {
    }
  }
};

}  // namespace

void TurnClockBack(uint32_t ms) {
  GameState& g = gameState;
  // Compared as a difference, so that the clamp holds when the tick count wraps too.
  uint32_t now = TickCount();
  uint32_t elapsed = now - g.clockBase;
  bool belowZero = elapsed < ms || static_cast<int32_t>(elapsed) < 0;
  g.clockBase = belowZero ? now : g.clockBase + ms;
}

void TickClock() {
  if (IsFinished() || gameState.showClock != 1) return;
  DrawGameClock(Elapsed());
}

void ToggleClock() {
  gameState.showClock = gameState.showClock == 0 ? 1 : 0;
  InvalidateMainWindow();
}

void DodgeClock(int32_t x, int32_t y) {
  GameState& g = gameState;
  int32_t centreX = g.clockX + kClockSize / 2, centreY = g.clockY + kClockSize / 2;
  if (std::abs(centreX - x) > kDodgeReach || std::abs(centreY - y) > kDodgeReach) return;
  int32_t width = g.clientWidth, height = g.clientHeight;
  // No place keeps the clock inside the margins of so small a client area: it stays.
  if (width < kSmallestClockRoom || height < kSmallestClockRoom) return;

  bool finished = IsFinished();
  if (!finished)
    RepaintSquaresClipped(g.clockX, g.clockY, g.clockX + kClockSize, g.clockY + kClockSize);
  g.clockX += x < centreX ? kDodgeStep : -kDodgeStep;
  g.clockY += y < centreY ? kDodgeStep : -kDodgeStep;
  JumpIntoField(width, height);
  if (!finished && g.showClock == 1) DrawGameClock(Elapsed());
}

void TryTimeBonus(int32_t col, int32_t row) {
  int32_t r = RandomBelow(60);
  if (r < 2) {
    BonusAnimation(col, row, 1);
    TurnClockBack(kSmallBonusMs);
    if (SoundOn) PlaySoundAndWait(SoundBonus);
  } else if (r == 2) {
    BonusAnimation(col, row, 4);
    TurnClockBack(kLargeBonusMs);
    if (SoundOn) PlaySoundAndWait(SoundBonus2);
  }
}

void WalkColour(int32_t& value, int32_t& step) {
  value += step;
  if (value > 250 || value < 5) step = -step;
}

std::vector<BonusBall> SimulateBonusBalls(int32_t col, int32_t row, int32_t count) {
  SquareRectangle square = SquareRect(col, row);
  std::vector<BonusBall> balls(static_cast<size_t>(std::max(count, 0)));
  std::vector<BallMotion> motion;
  for (BonusBall& ball : balls) {
    ball.start = DrawBallStart();
    const BallStart& s = ball.start;
    motion.push_back({s.vx, s.vy, s.ax, s.ay, s.red, s.green, s.blue, s.dRed, s.dGreen, s.dBlue});
    ball.x[0] = static_cast<int16_t>(square.left);
    ball.y[0] = static_cast<int16_t>(square.top);
  }
  for (int32_t s = 0; s < kBonusSteps; ++s) {
    for (size_t i = 0; i < balls.size(); ++i) {
      if (balls[i].endStep > s) MoveBall(balls[i], motion[i], s);
    }
  }
  return balls;
}

void PlayBonusBalls(const std::vector<BonusBall>& balls) {
  for (int32_t s = 0; s < kBonusSteps; ++s) {
    StepClock step;
    for (const BonusBall& ball : balls) {
      // A ball that leaves at step s is still handled in it; it is not drawn.
      if (ball.endStep < s) continue;
      step.BallHandled();
      if (ball.endStep > s)
        DrawBonusBall(ball.x[s], ball.y[s], ball.red[s], ball.green[s], ball.blue[s]);
    }
    step.WaitForStepEnd();
  }
  for (int32_t t = 0; t < kBonusSteps; ++t) {
    StepClock step;
    for (const BonusBall& ball : balls) {
      if (ball.endStep <= t) continue;
      step.BallHandled();
      int32_t x = ball.x[t], y = ball.y[t];
      RepaintSquaresClipped(x - kBallRadius, y - kBallRadius, x + kBallRadius, y + kBallRadius);
    }
    step.WaitForStepEnd();
  }
}

void BonusAnimation(int32_t col, int32_t row, int32_t count) {
  SeedRandom(TickCount());
  PlayBonusBalls(SimulateBonusBalls(col, row, count));
}
