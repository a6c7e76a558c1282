// The game clock: it runs from each deal, is drawn once a second, runs away from the
// pointer, and can be hidden. Time bonuses (TryTimeBonus) release
// coloured balls that crawl out from under the clicked tile and turn the clock back.
//
// Everything here is portable: it decides where the clock goes and what the balls do,
// and asks the platform (game/platform.h) to draw the clock face, the balls and the
// squares under them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The clock face is 96 x 96 pixels; (clockX, clockY) of GameState is its top-left corner.
constexpr int32_t kClockSize = 96;
// The pointer makes the clock move when it comes within this many pixels of the
// clock's centre on both axes; each mouse message moves it this far away.
constexpr int32_t kDodgeReach = 144;
constexpr int32_t kDodgeStep = 10;
// A clock pushed closer than this to an edge of the client area jumps elsewhere.
constexpr int32_t kClockMargin = 20;
// What the two kinds of bonus take off the clock, in milliseconds.
constexpr uint32_t kSmallBonusMs = 8000;
constexpr uint32_t kLargeBonusMs = 11000;

// The one-second timer of a game in play.
void TickClock();
// Keeps the clock face away from the pointer at client (x, y).
void DodgeClock(int32_t x, int32_t y);
// Command 121: shows or hides the clock.
void ToggleClock();
// Gives a click that uncovered the covered safe square (col, row) its chance of a time
// bonus: about one in 30 a small one (one ball, 8 s), one in 60 a large one (four
// balls, 11 s). Called by PlaySquare exactly once per such click.
void TryTimeBonus(int32_t col, int32_t row);
// Moves the clock base `ms` later, so the clock reads that much less, but never
// below zero.
void TurnClockBack(uint32_t ms);

// ---- Bonus balls -----------------------------------------------------------------------

constexpr int32_t kBonusSteps = 100;  // steps of the moving phase, and of the erasing one
constexpr int32_t kBallRadius = 5;    // a ball is drawn from (x - 5, y - 5) to (x + 5, y + 5)
constexpr uint32_t kBallStepMs = 20;  // the shortest step
constexpr int32_t kBallNeverGone = 1000;

// The random start values of one ball, drawn in this order, ball after ball.
struct BallStart {
  int32_t vx, vy;               // pixels per step, -10..9
  int32_t ax, ay;               // added to the velocity each step, -1..1
  int32_t red, green, blue;     // 0..255
  int32_t dRed, dGreen, dBlue;  // added to the colour each step, -4..4
};

// The whole life of one ball, worked out before anything is drawn: where it is and what
// colour it has at each step, and the first step at which it is gone.
struct BonusBall {
  BallStart start;
  std::array<int16_t, kBonusSteps> x{}, y{};  // centre at each step
  std::array<uint8_t, kBonusSteps> red{}, green{}, blue{};
  int32_t endStep = kBallNeverGone;
};

// One colour component's walk: value += step, and the step turns round when the value
// has gone beyond 250 or below 5 (the value keeps what it reached).
void WalkColour(int32_t& value, int32_t& step);

// The balls released from square (col, row), using the generator as it stands: the
// start values of every ball first, then the random turns of the moving phase, step by
// step and ball by ball within a step.
std::vector<BonusBall> SimulateBonusBalls(int32_t col, int32_t row, int32_t count);

// Draws the balls step by step (each step at least 20 ms), then erases their trails dot
// by dot in the order they were drawn.
void PlayBonusBalls(const std::vector<BonusBall>& balls);

// `count` balls from square (col, row), the generator reseeded from the tick count.
void BonusAnimation(int32_t col, int32_t row, int32_t count);
