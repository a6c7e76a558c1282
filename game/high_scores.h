// The high-score table: the best game for each level and layout, kept in memory for the
// whole run and stored byte for byte in the file "gmnscore"; the record test and the
// clock-time text shown in the high-score dialogs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kHighScoreEntries = 36;  // level index * 6 + layout index; 30..35 unused
constexpr size_t kHolderBytes = 16;
constexpr size_t kHolderMaxChars = 13;
constexpr size_t kHighScoreReservedBytes = 440;
constexpr size_t kHighScoreFileSize = 1304;
constexpr uint32_t kFreshBestTime = 320000000;  // ms, about 88.9 hours
constexpr int32_t kFreshBestExplosions = 1000;

struct HighScoreTable {
  std::array<uint32_t, kHighScoreEntries> bestTime;  // ms of the best perfect game
  std::array<int32_t, kHighScoreEntries> bestExplosions;
  std::array<std::array<char, kHolderBytes>, kHighScoreEntries> holder;
  std::array<uint8_t, kHighScoreReservedBytes> reserved;  // kept as read
};

extern HighScoreTable highScores;

constexpr char kHighScoreFileName[] = "gmnscore";
// The file LoadHighScores read and SaveHighScores replaces: the folder given at start-up
// followed by "gmnscore" (the bare name, in the current folder, until then).
extern std::string highScoreFile;

// Byte offsets of the fields in the file.
constexpr size_t kBestTimeOffset = 0;
constexpr size_t kBestExplosionsOffset = 144;
constexpr size_t kHolderOffset = 288;
constexpr size_t kReservedOffset = 864;

// A table as made afresh: 1000 explosions and 320000000 ms everywhere, empty names,
// zero reserved bytes.
HighScoreTable FreshHighScoreTable();

// The table from the first bytes of a high-score file. Every entry the bytes do not
// cover completely keeps its fresh value, and reserved bytes beyond them are zero. A
// damaged entry (a negative count of explosions, or a time above the fresh one) is
// made fresh, name and all; the others stay as they are.
HighScoreTable DecodeHighScores(const uint8_t* data, size_t size);
// The 1304-byte file image of a table.
std::array<uint8_t, kHighScoreFileSize> EncodeHighScores(const HighScoreTable& table);

// Reads "gmnscore" in `folder` (ending in its separator; empty for the current folder)
// into highScores and keeps that file's full name for SaveHighScores, so that the table
// stays in that folder whatever the current folder becomes later. A missing file gives
// the fresh table.
void LoadHighScores(const std::string& folder);
// Replaces the file LoadHighScores read with highScores; a failed write is silent and
// leaves the old file whole.
void SaveHighScores();
// The same for a named file. Loading returns false when the file cannot be opened;
// saving returns false when the new file could not be put in place.
bool LoadHighScoresFrom(const std::string& path);
bool SaveHighScoresTo(const std::string& path);

// The entry of a level and a layout: level index * 6 + layout index.
int32_t HighScoreEntry(int32_t level, int32_t columns);

// True when a game with `explosions` and `elapsedMs` beats entry `entry`: fewer
// explosions, or a perfect game strictly faster than the stored time. A tie is never a
// record.
bool IsNewRecord(const HighScoreTable& table, int32_t entry, int32_t explosions,
                 uint32_t elapsedMs);

// The holder's name of an entry, at most 15 characters even when the stored bytes lack
// their NUL.
std::string HolderName(const HighScoreTable& table, int32_t entry);
// Stores the first 13 characters of `name` as the holder of `entry`.
void SetHolderName(HighScoreTable& table, int32_t entry, const std::string& name);

// prefix + hh:mm:ss; the hours are not limited (320000 s give 88:53:20).
std::string FormatClockTime(const std::string& prefix, uint32_t seconds);
