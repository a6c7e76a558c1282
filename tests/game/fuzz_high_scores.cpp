// Any bytes as a high-score file: decoding must not fail, reading stops at the table's
// size, every entry the file gives whole comes back byte for byte unless it is damaged
// (then it reads as fresh), no entry read is damaged, and the texts made from it stay
// bounded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/file_image.h"
#include "game/high_scores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HighScoreTable table = DecodeHighScores(data, size);
  auto image = EncodeHighScores(table);
  const HighScoreTable fresh = FreshHighScoreTable();
  for (size_t k = 0; k < kHighScoreEntries; ++k) {
    if (table.bestExplosions[k] < 0 || table.bestTime[k] > kFreshBestTime) std::abort();
    size_t timeAt = kBestTimeOffset + 4 * k, countAt = kBestExplosionsOffset + 4 * k;
    size_t holderAt = kHolderOffset + kHolderBytes * k;
    if (size < holderAt + kHolderBytes) continue;  // partly given: checked by the unit tests
    bool damaged = GetInt32LE(data + countAt) < 0 || GetUint32LE(data + timeAt) > kFreshBestTime;
    if (damaged) {
      if (table.bestTime[k] != fresh.bestTime[k] ||
          table.bestExplosions[k] != fresh.bestExplosions[k] ||
          table.holder[k] != fresh.holder[k]) {
        std::abort();
      }
      continue;
    }
    if (std::memcmp(image.data() + timeAt, data + timeAt, 4) != 0 ||
        std::memcmp(image.data() + countAt, data + countAt, 4) != 0 ||
        std::memcmp(image.data() + holderAt, data + holderAt, kHolderBytes) != 0) {
      std::abort();
    }
  }
  if (size >= kHighScoreFileSize &&
      std::memcmp(image.data() + kReservedOffset, data + kReservedOffset,
                  kHighScoreReservedBytes) != 0) {
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
