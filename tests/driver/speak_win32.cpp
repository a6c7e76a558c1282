// speak.exe NUMBER [seconds]: speaks NUMBER (or, with "seconds", a duration) with the
// game's own number words and playing code, and prints how many milliseconds the phrase
// took.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/platform.h"
#include "sound/spoken_numbers.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  int32_t n = static_cast<int32_t>(strtol(argv[1], nullptr, 10));
  LoadNumberWords();
  DWORD start = GetTickCount();
  if (argc > 2 && strcmp(argv[2], "seconds") == 0)
    SpeakDuration(n);
  else
    SpeakNumber(n);
  DWORD elapsed = GetTickCount() - start;
  FreeNumberWords();
  printf("%lu\n", static_cast<unsigned long>(elapsed));
  return 0;
}
