// The speaking requests of the game's end (game/platform.h), carried out by the
// number-speaking rule. Kept apart from that rule so that the unit tests can record the
// requests in its place.

#include "game/platform.h"
#include "sound/spoken_numbers.h"

void SpeakCount(int32_t n) { SpeakNumber(n); }

void SpeakSeconds(int32_t seconds) { SpeakDuration(seconds); }
