// The game clock and its time bonuses.
//
// Not built yet: the timer, the pointer and the clock command reach these operations,
// which do nothing; no clock is drawn and no bonus is given.

#include "game/clock.h"
#include "game/platform.h"

void TickClock() {}
void DodgeClock(int32_t, int32_t) {}
void ToggleClock() {}
void TryTimeBonus(int32_t, int32_t) {}
