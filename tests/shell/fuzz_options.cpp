// Any bytes as an options file: the settings that come out must be ones the game can
// play with, the paths must be terminated, the foreign bytes of the block must be
// written back as read, and a board dealt with those settings must be sound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/board.h"
#include "game/platform.h"
#include "shell/options.h"
#include "tests/fakes/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetFakePlatform();
  ApplyOptionsImage(data, size);

  if (std::memchr(backgroundPath, '\0', sizeof backgroundPath) == nullptr) std::abort();
  if (std::memchr(tileSetPath, '\0', sizeof tileSetPath) == nullptr) std::abort();
  if (!IsKnownLayout(gameState.columns, gameState.rows)) std::abort();
  if (!IsKnownLevel(gameState.nextLevel)) std::abort();

  auto image = BuildOptionsImage();
  const uint8_t* block = image.data() + kOptionsBlockOffset;
  if (size >= kOptionsFileSize) {
    const uint8_t* given = data + kOptionsBlockOffset;
    if (std::memcmp(block + 6, given + 6, 2) != 0) std::abort();
    if (std::memcmp(block + 32, given + 32, kOptionsBlockSize - 32) != 0) std::abort();
  }

  gameState.clientWidth = 1024;
  gameState.clientHeight = 768;
  DealBoard();
  int32_t bombs = 0;
  for (int32_t row = 0; row < gameState.rows; ++row) {
    for (int32_t col = 0; col < gameState.columns; ++col) bombs += IsBomb(col, row);
  }
  if (bombs != gameState.bombCount) std::abort();
  return 0;
}
