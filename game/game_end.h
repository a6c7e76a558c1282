// The end of a game: timing and announcing it, the record test and the high-score
// dialogs, and the field painted back around the pointer afterwards. FinishGame is
// declared with the other calls of the moves in game/platform.h.
#pragma once

#include <cstdint>

// After the field is cleared: paints the board again around the pointer at (x, y).
void RevealAroundCursor(int32_t x, int32_t y);
