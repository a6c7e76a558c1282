#include "game/high_scores.h"

#include <algorithm>
#include <cstring>

#include "game/board.h"
#include "game/file_image.h"

HighScoreTable highScores = FreshHighScoreTable();
std::string highScoreFile = kHighScoreFileName;

namespace {

bool Covers(size_t size, size_t offset, size_t length) { return size >= offset + length; }

bool ValidEntry(int32_t entry) {
  return entry >= 0 && static_cast<size_t>(entry) < kHighScoreEntries;
}

// A count below zero, or a time above the fresh one (only a strictly faster game is
// ever stored), was never written by a game: such a record could never be beaten.
bool DamagedEntry(const HighScoreTable& table, size_t k) {
  return table.bestExplosions[k] < 0 || table.bestTime[k] > kFreshBestTime;
}

}  // namespace

HighScoreTable FreshHighScoreTable() {
  HighScoreTable table{};
  table.bestTime.fill(kFreshBestTime);
  table.bestExplosions.fill(kFreshBestExplosions);
  return table;
}

HighScoreTable DecodeHighScores(const uint8_t* data, size_t size) {
  HighScoreTable table = FreshHighScoreTable();
  for (size_t k = 0; k < kHighScoreEntries; ++k) {
    size_t timeAt = kBestTimeOffset + 4 * k;
    if (Covers(size, timeAt, 4)) table.bestTime[k] = GetUint32LE(data + timeAt);
    size_t explosionsAt = kBestExplosionsOffset + 4 * k;
    if (Covers(size, explosionsAt, 4)) table.bestExplosions[k] = GetInt32LE(data + explosionsAt);
    size_t holderAt = kHolderOffset + kHolderBytes * k;
    if (Covers(size, holderAt, kHolderBytes)) {
      std::memcpy(table.holder[k].data(), data + holderAt, kHolderBytes);
    }
    if (DamagedEntry(table, k)) {
      table.bestTime[k] = kFreshBestTime;
      table.bestExplosions[k] = kFreshBestExplosions;
      table.holder[k].fill('\0');
    }
  }
  if (size > kReservedOffset) {
    size_t count = std::min(size - kReservedOffset, kHighScoreReservedBytes);
    std::memcpy(table.reserved.data(), data + kReservedOffset, count);
  }
  return table;
}

std::array<uint8_t, kHighScoreFileSize> EncodeHighScores(const HighScoreTable& table) {
  std::array<uint8_t, kHighScoreFileSize> image{};
  for (size_t k = 0; k < kHighScoreEntries; ++k) {
    PutUint32LE(image.data() + kBestTimeOffset + 4 * k, table.bestTime[k]);
    PutInt32LE(image.data() + kBestExplosionsOffset + 4 * k, table.bestExplosions[k]);
    std::memcpy(image.data() + kHolderOffset + kHolderBytes * k, table.holder[k].data(),
                kHolderBytes);
  }
  std::memcpy(image.data() + kReservedOffset, table.reserved.data(), kHighScoreReservedBytes);
  return image;
}

bool LoadHighScoresFrom(const std::string& path) {
  std::array<uint8_t, kHighScoreFileSize> image{};
  int64_t size = ReadFileStart(path, image.data(), image.size());
  if (size < 0) {
    highScores = FreshHighScoreTable();
    return false;
  }
  highScores = DecodeHighScores(image.data(), static_cast<size_t>(size));
  return true;
}

bool SaveHighScoresTo(const std::string& path) {
  auto image = EncodeHighScores(highScores);
  return ReplaceFileContents(path, image.data(), image.size());
}

void LoadHighScores(const std::string& folder) {
  highScoreFile = folder + kHighScoreFileName;
  LoadHighScoresFrom(highScoreFile);
}

void SaveHighScores() { SaveHighScoresTo(highScoreFile); }

int32_t HighScoreEntry(int32_t level, int32_t columns) {
  return LevelIndex(level) * 6 + LayoutIndex(columns);
}

bool IsNewRecord(const HighScoreTable& table, int32_t entry, int32_t explosions,
                 uint32_t elapsedMs) {
  if (!ValidEntry(entry)) return false;
  if (table.bestExplosions[entry] > explosions) return true;
  return explosions == 0 && table.bestTime[entry] > elapsedMs;
}

std::string HolderName(const HighScoreTable& table, int32_t entry) {
  if (!ValidEntry(entry)) return std::string();
  const auto& bytes = table.holder[entry];
  size_t length = 0;
  while (length < kHolderBytes - 1 && bytes[length] != '\0') ++length;
  return std::string(bytes.data(), length);
}

void SetHolderName(HighScoreTable& table, int32_t entry, const std::string& name) {
  if (!ValidEntry(entry)) return;
  auto& bytes = table.holder[entry];
  bytes.fill('\0');
  size_t length = std::min(name.size(), kHolderMaxChars);
  std::memcpy(bytes.data(), name.data(), length);
}

std::string FormatClockTime(const std::string& prefix, uint32_t seconds) {
  auto twoDigits = [](uint32_t value) {
    std::string text = std::to_string(value);
    return value < 10 ? "0" + text : text;
  };
  return prefix + twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" +
         twoDigits(seconds % 60);
}
