#include "graphics/clock_face.h"

#include <gtest/gtest.h>

// The 96 x 96 face of the game: the long hand is 0.45 of it (43.2 pixels), the short
// one 0.25 (24). The angles use the stored value of pi, so a hand that should be exactly
// 24 pixels long comes out a hair short and truncates to 23.
TEST(ClockFace, BothHandsPointStraightUpAtZero) {
  ClockHands hands = ClockHandsFor(0, 96, 96);
  EXPECT_EQ(hands.longDx, 0);
  EXPECT_EQ(hands.longDy, -43);
  EXPECT_EQ(hands.shortDx, 0);
  EXPECT_EQ(hands.shortDy, -23);
}

TEST(ClockFace, HandsTurnClockwise) {
  // 15 seconds: the long hand points right; 45 seconds: left.
  ClockHands quarter = ClockHandsFor(15, 96, 96);
  EXPECT_EQ(quarter.longDx, 43);
  EXPECT_EQ(quarter.longDy, 0);
  ClockHands threeQuarters = ClockHandsFor(45, 96, 96);
  EXPECT_EQ(threeQuarters.longDx, -43);
  EXPECT_EQ(threeQuarters.longDy, 0);
  // The short hand stays up during the first minute.
  EXPECT_EQ(threeQuarters.shortDx, 0);
  EXPECT_EQ(threeQuarters.shortDy, -23);
}

TEST(ClockFace, AtSixtyOneSecondsTheShortHandHasMovedATwelfth) {
  ClockHands hands = ClockHandsFor(61, 96, 96);
  // Long hand at 1 second: 6 degrees right of up.
  EXPECT_EQ(hands.longDx, 4);
  EXPECT_EQ(hands.longDy, -42);
  // Short hand 30 degrees right of up: (sin 30, -cos 30) * 24.
  EXPECT_EQ(hands.shortDx, 12);
  EXPECT_EQ(hands.shortDy, -20);
  // Twelve minutes make a whole turn of the short hand: up again.
  ClockHands twelve = ClockHandsFor(12 * 60, 96, 96);
  EXPECT_EQ(twelve.shortDx, 0);
  EXPECT_EQ(twelve.shortDy, -23);
}

TEST(ClockFace, HandsScaleWithTheFace) {
  ClockHands hands = ClockHandsFor(15, 200, 100);
  EXPECT_EQ(hands.longDx, 89);  // 0.45 of the width, a hair short of 90
  EXPECT_EQ(hands.longDy, 0);
  ClockHands up = ClockHandsFor(0, 200, 100);
  EXPECT_EQ(up.longDy, -44);   // 0.45 of the height, a hair short of 45
  EXPECT_EQ(up.shortDy, -24);  // 0.25 of the height
}

TEST(ClockFace, SecondsFromElapsedMilliseconds) {
  EXPECT_EQ(ClockSecondsFor(0), 0u);
  EXPECT_EQ(ClockSecondsFor(61999), 61u);
  EXPECT_EQ(ClockSecondsFor(604800000), 604800u);  // a week still shows
  // A clock base pushed past the present gives a "negative" elapsed time: zero.
  EXPECT_EQ(ClockSecondsFor(static_cast<uint32_t>(-5000)), 0u);
  EXPECT_EQ(ClockSecondsFor(604800001), 0u);
}
