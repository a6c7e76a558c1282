#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/file_image.h"
#include "game/high_scores.h"
#include "tests/fakes/temp_folder.h"

namespace {

// Pattern bytes (see PatternBytes) whose counts and times, as far as `size` reaches, are
// ones a game can have stored: counts from 0 to 1023, times up to the fresh one.
std::vector<uint8_t> StorablePattern(size_t size, uint32_t seed) {
  std::vector<uint8_t> bytes = PatternBytes(size, seed);
  for (size_t k = 0; k < kHighScoreEntries; ++k) {
    size_t time = kBestTimeOffset + 4 * k, count = kBestExplosionsOffset + 4 * k;
    if (time + 4 <= size)
      PutUint32LE(&bytes[time], GetUint32LE(&bytes[time]) % (kFreshBestTime + 1));
    if (count + 4 <= size) PutInt32LE(&bytes[count], GetInt32LE(&bytes[count]) & 0x3FF);
  }
  return bytes;
}

TEST(HighScoreFile, FreshTableLayout) {
  TempFolder folder;
  highScores.bestExplosions[3] = 5;
  EXPECT_FALSE(LoadHighScoresFrom(folder.File("gmnscore")));
  for (size_t k = 0; k < kHighScoreEntries; ++k) {
    EXPECT_EQ(highScores.bestExplosions[k], 1000);
    EXPECT_EQ(highScores.bestTime[k], 320000000u);
    EXPECT_EQ(HolderName(highScores, static_cast<int32_t>(k)), "");
  }
  ASSERT_TRUE(SaveHighScoresTo(folder.File("gmnscore")));
  std::vector<uint8_t> bytes = ReadBytes(folder.File("gmnscore"));
  ASSERT_EQ(bytes.size(), 1304u);
  EXPECT_EQ(GetUint32LE(&bytes[0]), 320000000u);
  EXPECT_EQ(GetUint32LE(&bytes[140]), 320000000u);
  EXPECT_EQ(GetInt32LE(&bytes[144]), 1000);
  EXPECT_EQ(GetInt32LE(&bytes[284]), 1000);
  for (size_t i = 288; i < 1304; ++i) ASSERT_EQ(bytes[i], 0) << i;
  EXPECT_FALSE(std::filesystem::exists(folder.File("gmnscore.new")));
}

TEST(HighScoreFile, FieldsAtTheirOffsets) {
  HighScoreTable table = FreshHighScoreTable();
  int32_t entry = HighScoreEntry(8, 16);  // Memium, 16x12
  ASSERT_EQ(entry, 7);
  EXPECT_EQ(HighScoreEntry(3, 50), 29);
  EXPECT_EQ(HighScoreEntry(10, 12), 0);
  table.bestTime[entry] = 0x01020304u;
  table.bestExplosions[entry] = -2;
  SetHolderName(table, entry, "Ann");
  table.reserved[0] = 0xAA;
  table.reserved[439] = 0xBB;
  auto image = EncodeHighScores(table);
  EXPECT_EQ(image[28], 0x04);
  EXPECT_EQ(image[31], 0x01);
  EXPECT_EQ(GetInt32LE(&image[144 + 28]), -2);
  // holder entry = 288 + level index * 96 + layout index * 16
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[288 + 96 + 16])), "Ann");
  EXPECT_EQ(image[864], 0xAA);
  EXPECT_EQ(image[1303], 0xBB);
}

TEST(HighScoreFile, RoundTripKeepsEveryByte) {
  TempFolder folder;
  std::vector<uint8_t> original = StorablePattern(1304, 7);
  WriteBytes(folder.File("gmnscore"), original);
  ASSERT_TRUE(LoadHighScoresFrom(folder.File("gmnscore")));
  ASSERT_TRUE(SaveHighScoresTo(folder.File("copy")));
  EXPECT_EQ(ReadBytes(folder.File("copy")), original);

  // A longer file is read only as far as the table goes.
  std::vector<uint8_t> longer = StorablePattern(100000, 9);
  WriteBytes(folder.File("gmnscore"), longer);
  ASSERT_TRUE(LoadHighScoresFrom(folder.File("gmnscore")));
  ASSERT_TRUE(SaveHighScoresTo(folder.File("copy")));
  EXPECT_EQ(ReadBytes(folder.File("copy")),
            std::vector<uint8_t>(longer.begin(), longer.begin() + 1304));
}

TEST(HighScoreFile, ShortFileKeepsFreshValuesWhereItEnds) {
  TempFolder folder;
  std::vector<uint8_t> bytes = StorablePattern(150, 3);
  WriteBytes(folder.File("gmnscore"), bytes);
  ASSERT_TRUE(LoadHighScoresFrom(folder.File("gmnscore")));
  for (size_t k = 0; k < 36; ++k) EXPECT_EQ(highScores.bestTime[k], GetUint32LE(&bytes[4 * k]));
  EXPECT_EQ(highScores.bestExplosions[0], GetInt32LE(&bytes[144]));
  EXPECT_EQ(highScores.bestExplosions[1], 1000);  // only half of it was in the file
  EXPECT_EQ(highScores.bestExplosions[35], 1000);
  EXPECT_EQ(HolderName(highScores, 0), "");

  // An empty file (left by an interrupted write elsewhere) gives the fresh table, not
  // one whose zero records could never be beaten.
  WriteBytes(folder.File("gmnscore"), {});
  ASSERT_TRUE(LoadHighScoresFrom(folder.File("gmnscore")));
  EXPECT_EQ(EncodeHighScores(highScores), EncodeHighScores(FreshHighScoreTable()));
  EXPECT_TRUE(IsNewRecord(highScores, 7, 999, 0));

  // Reserved bytes beyond a short end read as zero.
  std::vector<uint8_t> most = PatternBytes(900, 4);
  WriteBytes(folder.File("gmnscore"), most);
  ASSERT_TRUE(LoadHighScoresFrom(folder.File("gmnscore")));
  EXPECT_EQ(highScores.reserved[35], most[899]);
  EXPECT_EQ(highScores.reserved[36], 0);
}

// A count below zero or a time no game can have stored is a damaged entry: it reads as
// fresh, so that a game can beat it, and the entries around it stay as they are.
TEST(HighScoreFile, DamagedEntriesReadAsFresh) {
  HighScoreTable table = FreshHighScoreTable();
  table.bestExplosions[7] = -5;
  SetHolderName(table, 7, "Neg");
  table.bestExplosions[8] = 2;
  table.bestTime[8] = kFreshBestTime + 1;
  table.bestExplosions[0] = 0;
  table.bestTime[0] = 0xFFFFFFFFu;
  table.bestExplosions[9] = 0;
  table.bestTime[9] = 61000;
  SetHolderName(table, 9, "Ann");
  table.bestExplosions[10] = 1000;
  table.bestTime[10] = kFreshBestTime;
  table.reserved[5] = 0x5A;
  auto image = EncodeHighScores(table);
  HighScoreTable read = DecodeHighScores(image.data(), image.size());

  for (int32_t damaged : {0, 7, 8}) {
    EXPECT_EQ(read.bestExplosions[damaged], kFreshBestExplosions) << damaged;
    EXPECT_EQ(read.bestTime[damaged], kFreshBestTime) << damaged;
    EXPECT_EQ(HolderName(read, damaged), "") << damaged;
  }
  EXPECT_TRUE(IsNewRecord(read, 7, 999, kFreshBestTime));
  EXPECT_EQ(read.bestExplosions[9], 0);
  EXPECT_EQ(read.bestTime[9], 61000u);
  EXPECT_EQ(HolderName(read, 9), "Ann");
  EXPECT_EQ(read.bestTime[10], kFreshBestTime);
  EXPECT_EQ(read.reserved[5], 0x5A);
}

// The table stays in the folder it was read from when the current folder changes (the
// common file dialogs move it to wherever the player browsed).
TEST(HighScoreFile, SavedWhereItWasReadWhateverTheCurrentFolder) {
  TempFolder game;
  HighScoreTable stored = FreshHighScoreTable();
  stored.bestExplosions[3] = 4;
  auto image = EncodeHighScores(stored);
  WriteBytes(game.File("gmnscore"), std::vector<uint8_t>(image.begin(), image.end()));
  LoadHighScores(game.Prefix());
  EXPECT_EQ(highScores.bestExplosions[3], 4);

  ScratchCurrentFolder browsed;
  highScores.bestExplosions[3] = 2;
  SaveHighScores();
  EXPECT_FALSE(std::filesystem::exists("gmnscore"));
  std::vector<uint8_t> saved = ReadBytes(game.File("gmnscore"));
  EXPECT_EQ(DecodeHighScores(saved.data(), saved.size()).bestExplosions[3], 2);
  highScoreFile = kHighScoreFileName;
}

TEST(HighScoreFile, FailedSaveLeavesTheOldFileWhole) {
  TempFolder folder;
  std::vector<uint8_t> old = PatternBytes(1304, 11);
  WriteBytes(folder.File("gmnscore"), old);
  highScores = FreshHighScoreTable();

  // The scratch file cannot be made.
  std::filesystem::create_directory(folder.File("gmnscore.new"));
  EXPECT_FALSE(SaveHighScoresTo(folder.File("gmnscore")));
  EXPECT_EQ(ReadBytes(folder.File("gmnscore")), old);
  std::filesystem::remove(folder.File("gmnscore.new"));

  // The finished scratch file cannot take the old one's place.
  std::filesystem::create_directory(folder.File("dir"));
  WriteBytes(folder.File("dir/keep"), {1, 2, 3});
  EXPECT_FALSE(SaveHighScoresTo(folder.File("dir")));
  EXPECT_EQ(ReadBytes(folder.File("dir/keep")), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(std::filesystem::exists(folder.File("dir.new")));

  // No folder at all.
  EXPECT_FALSE(SaveHighScoresTo(folder.File("missing/gmnscore")));

  // A read-only file stays as it was, also for a user whom the system would let write.
  WriteBytes(folder.File("locked"), old);
  std::filesystem::permissions(folder.File("locked"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::group_read |
                                                          std::filesystem::perms::others_read);
  EXPECT_FALSE(SaveHighScoresTo(folder.File("locked")));
  EXPECT_EQ(ReadBytes(folder.File("locked")), old);
  EXPECT_FALSE(std::filesystem::exists(folder.File("locked.new")));
}

TEST(RecordTest, FewerExplosionsOrAFasterPerfectGame) {
  HighScoreTable table = FreshHighScoreTable();
  table.bestExplosions[4] = 3;
  EXPECT_TRUE(IsNewRecord(table, 4, 2, 999999999));
  EXPECT_FALSE(IsNewRecord(table, 4, 3, 0)) << "a tie is no record";
  EXPECT_FALSE(IsNewRecord(table, 4, 4, 0));

  // A perfect game after a record of 2 explosions is a record whatever its time...
  table.bestExplosions[4] = 2;
  table.bestTime[4] = 1000;
  EXPECT_TRUE(IsNewRecord(table, 4, 0, 5000000));
  // ...and after a perfect record only when strictly faster.
  table.bestExplosions[4] = 0;
  EXPECT_TRUE(IsNewRecord(table, 4, 0, 999));
  EXPECT_FALSE(IsNewRecord(table, 4, 0, 1000));
  EXPECT_FALSE(IsNewRecord(table, 4, 1, 0));
}

TEST(RecordTest, TimesCompareUnsignedAndCountsSigned) {
  HighScoreTable table = FreshHighScoreTable();
  table.bestExplosions[0] = 0;
  table.bestTime[0] = 0x80000000u;  // negative if taken as signed
  EXPECT_TRUE(IsNewRecord(table, 0, 0, 5));
  EXPECT_FALSE(IsNewRecord(table, 0, 0, 0x80000001u));
  table.bestExplosions[0] = -1;  // larger than any count if taken as unsigned
  table.bestTime[0] = 0;
  EXPECT_FALSE(IsNewRecord(table, 0, 0, 0));
  EXPECT_FALSE(IsNewRecord(table, -1, 0, 0));
  EXPECT_FALSE(IsNewRecord(table, 36, 0, 0));
}

TEST(HolderNames, AtMostThirteenCharactersStoredAndBoundedWhenRead) {
  HighScoreTable table = FreshHighScoreTable();
  SetHolderName(table, 2, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(HolderName(table, 2), "ABCDEFGHIJKLM");
  SetHolderName(table, 2, "");
  EXPECT_EQ(HolderName(table, 2), "");
  table.holder[35].fill('x');  // no NUL: must not run into the reserved bytes
  table.reserved.fill('y');
  EXPECT_EQ(HolderName(table, 35), std::string(15, 'x'));
}

TEST(FormatClockTime, HoursMinutesSeconds) {
  EXPECT_EQ(FormatClockTime("", 0), "00:00:00");
  EXPECT_EQ(FormatClockTime("", 3700), "01:01:40");
  EXPECT_EQ(FormatClockTime("", 320000), "88:53:20");
  EXPECT_EQ(FormatClockTime("", 3665), "01:01:05");
  EXPECT_EQ(FormatClockTime("", 59), "00:00:59");
  EXPECT_EQ(FormatClockTime("", 360000), "100:00:00");
  EXPECT_EQ(FormatClockTime("Time ", 61), "Time 00:01:01");
  EXPECT_EQ(FormatClockTime("", 0xFFFFFFFFu), "1193046:28:15");
}

}  // namespace
