// The program's pseudo-random generator, in a file of its own so that programs which
// need only the generator (the landscape tool) can link it without the board.

#include "game/board.h"

namespace {

uint32_t randomState = 0;

}  // namespace

void SeedRandom(uint32_t seed) { randomState = seed; }

int32_t NextRandom() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int32_t>((randomState >> 16) & 0x7FFFu);
}

int32_t RandomBelow(int32_t n) {
  uint32_t r = static_cast<uint32_t>(NextRandom());
  return static_cast<int32_t>((static_cast<uint32_t>(n) * r) >> 15);
}
