// Any bytes as a high-score file: decoding must not fail, reading stops at the table's
// size, a whole table comes back byte for byte, and the texts made from it stay bounded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/high_scores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HighScoreTable table = DecodeHighScores(data, size);
  auto image = EncodeHighScores(table);
  size_t compared = size < kHighScoreFileSize ? size : kHighScoreFileSize;
  // Every byte the file gave is kept, except that partly given fields stay fresh.
  if (size >= kHighScoreFileSize && std::memcmp(image.data(), data, kHighScoreFileSize) != 0) {
    std::abort();
  }
  if (compared >= kHolderOffset &&
      std::memcmp(image.data(), data, kHolderOffset) != 0) {
    std::abort();
  }
  for (int32_t k = 0; k < static_cast<int32_t>(kHighScoreEntries); ++k) {
    if (HolderName(table, k).size() >= kHolderBytes) std::abort();
    if (FormatClockTime("", table.bestTime[k] / 1000).size() > 16) std::abort();
    IsNewRecord(table, k, 0, 0);
    IsNewRecord(table, k, table.bestExplosions[k], table.bestTime[k]);
  }
  return 0;
}
