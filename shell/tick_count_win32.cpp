// The millisecond tick count of the game's pauses and of its clock.
//
// GetTickCount advances in steps of 10 to 16 ms, so a pause of "at least 20 ms" would
// last 30: the flood, the explosions, the bonus balls and the wipe at the end of a game
// would all run half as long again. The count is therefore taken from the performance
// counter, in whole milliseconds, starting from the value GetTickCount had at the first
// call (so it still counts from about the start of the system and wraps at 2^32).

#include <windows.h>

#include "game/platform.h"

uint32_t TickCount() {
  static LARGE_INTEGER frequency = {};
  static LARGE_INTEGER origin = {};
  static uint32_t originTicks = 0;
  if (frequency.QuadPart == 0) {
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&origin);
    originTicks = GetTickCount();
    if (frequency.QuadPart == 0)  // no performance counter: the coarse count it is
      return GetTickCount();
  }
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  int64_t ms = (now.QuadPart - origin.QuadPart) * 1000 / frequency.QuadPart;
  return originTicks + static_cast<uint32_t>(ms);
}
