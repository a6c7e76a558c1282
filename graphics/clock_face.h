// Where the hands of the clock face point. The long hand shows the seconds and turns
// once a minute; the short hand moves 5 of its 60 steps a minute and so turns once in
// 12 minutes. Both point straight up at 0, and angles grow clockwise on the screen.
#pragma once

#include <cstdint>

struct ClockHands {
  int32_t longDx, longDy;    // end of the long hand, from the centre
  int32_t shortDx, shortDy;  // end of the short hand, from the centre
};

// The hands of a w x h face showing t seconds.
ClockHands ClockHandsFor(uint32_t t, int32_t w, int32_t h);

// The seconds a clock shows for `elapsed` milliseconds. An elapsed time beyond a week
// comes from a clock base that time bonuses pushed past the present (a negative time
// read as unsigned): the clock shows 0 for it.
uint32_t ClockSecondsFor(uint32_t elapsed);
