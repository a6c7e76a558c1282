// The game clock: it runs from each deal, is drawn once a second, runs away from the
// pointer, and can be hidden. Time bonuses (TryTimeBonus, game/platform.h) turn it back.
#pragma once

#include <cstdint>

// The one-second timer of a game in play.
void TickClock();
// Keeps the clock face away from the pointer at client (x, y).
void DodgeClock(int32_t x, int32_t y);
// Command 121: shows or hides the clock.
void ToggleClock();
