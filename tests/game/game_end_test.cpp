#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/game_end.h"
#include "game/high_scores.h"
#include "game/platform.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/temp_folder.h"

namespace {

constexpr uint32_t kNow = 500000;

// What the fakes log for the clock face drawn at its place showing `elapsedMs`.
std::string ClockEvent(uint32_t elapsedMs) {
  return "clock " + std::to_string(gameState.clockX) + " " + std::to_string(gameState.clockY) +
         " " + std::to_string(elapsedMs);
}

// A cleared field of the given level and layout, `elapsedMs` after its deal, with a
// small client area so that the wipe is short; a fresh high-score table.
void ClearedField(int32_t level, int32_t columns, int32_t rows, int32_t explosions,
                  uint32_t elapsedMs) {
  ResetFakePlatform(kNow);
  gameState = GameState{};
  gameState.level = gameState.nextLevel = level;
  gameState.columns = columns;
  gameState.rows = rows;
  gameState.clientWidth = 40;
  gameState.clientHeight = 30;
  gameState.gameInProgress = 1;
  gameState.titleShowing = 0;
  gameState.covered.fill(0);
  gameState.uncoveredCount = columns * rows;
  gameState.explosions = explosions;
  gameState.clockBase = kNow - elapsedMs;
  gameState.leftButtonDown = 1;
  highScores = FreshHighScoreTable();
}

std::vector<std::string> Voice() {
  std::vector<std::string> voice;
  for (const auto& text : FakeEventTexts()) {
    if (text.rfind("wait ", 0) == 0 || text.rfind("speak", 0) == 0) voice.push_back(text);
  }
  return voice;
}

// The events after the wipe: the announcement and the dialogs.
std::vector<std::string> AfterTheWipe() {
  std::vector<std::string> texts = FakeEventTexts();
  size_t at = texts.size();
  while (at > 0 && texts[at - 1].rfind("background ", 0) != 0) --at;
  return std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(at), texts.end());
}

TEST(FinishGame, FirstGameWithThreeExplosionsSetsTheRecord) {
  ScratchCurrentFolder here;
  ClearedField(8, 16, 12, 3, 95000);
  fakePlatform.typedName = "Ann";
  FinishGame();

  EXPECT_EQ(gameState.clockBase, 95000u);
  EXPECT_EQ(gameState.leftButtonDown, 0);
  EXPECT_EQ(FakeEventTexts().front(), ClockEvent(95000));
  const std::string newRecord =
      "new-record-dialog Old Best Score:|1000 explosions|New Best Score:|3 explosions";
  const std::string highScore =
      "high-score-dialog High Score for Memium 16x12 Layout:|Best Score:|3 explosions|Ann|"
      "Your Score:|3 explosions";
  EXPECT_EQ(AfterTheWipe(),
            (std::vector<std::string>{"wait yourscorewas_wav", "speak 3", "wait explosions_wav",
                                      "wait new_rec_wav", "wait recordmoves_wav", "speak 1000",
                                      "wait explosions_wav", newRecord, highScore}));

  int32_t entry = HighScoreEntry(8, 16);
  EXPECT_EQ(highScores.bestExplosions[entry], 3);
  EXPECT_EQ(highScores.bestTime[entry], kFreshBestTime);
  EXPECT_EQ(HolderName(highScores, entry), "Ann");
  std::vector<uint8_t> saved = ReadBytes("gmnscore");
  ASSERT_EQ(saved.size(), kHighScoreFileSize);
  HighScoreTable onDisk = DecodeHighScores(saved.data(), saved.size());
  EXPECT_EQ(onDisk.bestExplosions[entry], 3);
  EXPECT_EQ(HolderName(onDisk, entry), "Ann");
}

TEST(FinishGame, PerfectGamesBeatExplosionsAndThenOnlyAFasterTime) {
  ScratchCurrentFolder here;
  ClearedField(3, 50, 40, 0, 61500);
  int32_t entry = HighScoreEntry(3, 50);
  highScores.bestExplosions[entry] = 2;
  SetHolderName(highScores, entry, "Bo");
  fakePlatform.typedName = "Cy";
  FinishGame();
  EXPECT_EQ(Voice(),
            (std::vector<std::string>{"wait yourscorewas_wav", "speak-time 61", "wait new_rec_wav",
                                      "wait recordmoves_wav", "speak 2", "wait explosions_wav"}));
  EXPECT_EQ(FakeEventTexts("new-record-dialog"),
            (std::vector<std::string>{"new-record-dialog Old Best Score:|2 explosions|"
                                      "New Best Perfect Game Score:|00:01:01"}));
  EXPECT_EQ(FakeEventTexts("high-score-dialog"),
            (std::vector<std::string>{"high-score-dialog High Score for Impossible 50x40 Layout:|"
                                      "Best Perfect Game Score:|00:01:01|Cy|"
                                      "Your Perfect Game Score:|00:01:01"}));
  EXPECT_EQ(highScores.bestExplosions[entry], 0);
  EXPECT_EQ(highScores.bestTime[entry], 61500u);
  HighScoreTable after = highScores;

  // Slower by 8.5 s: the standing record is spoken as a time, and nothing changes.
  ClearedField(3, 50, 40, 0, 70000);
  highScores = after;
  std::filesystem::remove("gmnscore");
  FinishGame();
  EXPECT_EQ(Voice(), (std::vector<std::string>{"wait yourscorewas_wav", "speak-time 70",
                                               "wait recordmoves_wav", "speak-time 61"}));
  EXPECT_TRUE(FakeEventTexts("new-record-dialog").empty());
  EXPECT_FALSE(std::filesystem::exists("gmnscore"));
  EXPECT_EQ(highScores.bestTime[entry], 61500u);

  // Faster by a millisecond: a record.
  ClearedField(3, 50, 40, 0, 61499);
  highScores = after;
  FinishGame();
  EXPECT_EQ(FakeEventTexts("new-record-dialog").size(), 1u);
  EXPECT_EQ(highScores.bestTime[entry], 61499u);
  EXPECT_TRUE(std::filesystem::exists("gmnscore"));
}

TEST(FinishGame, ATieIsNoRecord) {
  ScratchCurrentFolder here;
  for (int32_t explosions : {3, 0}) {
    ClearedField(10, 12, 8, explosions, 42000);
    int32_t entry = HighScoreEntry(10, 12);
    highScores.bestExplosions[entry] = explosions;
    highScores.bestTime[entry] = 42000;
    SetHolderName(highScores, entry, "Di");
    HighScoreTable before = highScores;
    FinishGame();
    std::vector<std::string> voice = Voice();
    EXPECT_EQ(std::count(voice.begin(), voice.end(), "wait new_rec_wav"), 0) << explosions;
    EXPECT_TRUE(FakeEventTexts("new-record-dialog").empty()) << explosions;
    EXPECT_FALSE(std::filesystem::exists("gmnscore")) << explosions;
    EXPECT_EQ(EncodeHighScores(highScores), EncodeHighScores(before)) << explosions;
    ASSERT_EQ(FakeEventTexts("high-score-dialog").size(), 1u);
    EXPECT_NE(FakeEventTexts("high-score-dialog")[0].find("|Di|"), std::string::npos);
  }
}

// A new game dealt while the new-record dialog is up (the menu's "Start New Game", or
// another layout) does not change the record of the game that ended: the table gets
// the score, level and layout that game had.
TEST(FinishGame, NewGameDuringTheNameDialogKeepsTheFinishedGamesRecord) {
  ScratchCurrentFolder here;
  ClearedField(8, 16, 12, 3, 95000);
  fakePlatform.typedName = "Fay";
  fakePlatform.duringNewRecordDialog = [] {
    gameState.explosions = 0;
    gameState.level = 3;
    gameState.columns = 50;
    gameState.rows = 40;
  };
  FinishGame();
  int32_t entry = HighScoreEntry(8, 16);
  EXPECT_EQ(highScores.bestExplosions[entry], 3);
  EXPECT_EQ(highScores.bestTime[entry], kFreshBestTime);
  EXPECT_EQ(HolderName(highScores, entry), "Fay");
  int32_t other = HighScoreEntry(3, 50);
  EXPECT_EQ(highScores.bestExplosions[other], kFreshBestExplosions);
  EXPECT_EQ(HolderName(highScores, other), "");
  EXPECT_EQ(FakeEventTexts("high-score-dialog"),
            (std::vector<std::string>{"high-score-dialog High Score for Memium 16x12 Layout:|"
                                      "Best Score:|3 explosions|Fay|Your Score:|3 explosions"}));
}

TEST(FinishGame, PerfectGameUnderOneSecond) {
  ScratchCurrentFolder here;
  ClearedField(6, 20, 16, 0, 999);
  FinishGame();
  EXPECT_EQ(Voice(), (std::vector<std::string>{"wait yourscorewas_wav", "speak-time 0",
                                               "wait new_rec_wav", "wait recordmoves_wav",
                                               "speak 1000", "wait explosions_wav"}));
  EXPECT_EQ(FakeEventTexts("new-record-dialog"),
            (std::vector<std::string>{"new-record-dialog Old Best Score:|1000 explosions|"
                                      "New Best Perfect Game Score:|00:00:00"}));
  EXPECT_EQ(highScores.bestTime[HighScoreEntry(6, 20)], 999u);
}

TEST(FinishGame, SoundOffSpeaksNothingButTheDialogsCome) {
  ScratchCurrentFolder here;
  ClearedField(4, 30, 24, 5, 3000);
  SetSoundOn(0);
  FinishGame();
  EXPECT_TRUE(Voice().empty());
  std::vector<std::string> after = AfterTheWipe();
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0].rfind("new-record-dialog", 0), 0u);
  EXPECT_EQ(after[1].rfind("high-score-dialog High Score for Expert 30x24 Layout:", 0), 0u);
}

TEST(FinishGame, LongNameKeepsItsFirstThirteenCharactersInTheFile) {
  ScratchCurrentFolder here;
  ClearedField(6, 40, 30, 1, 1000);
  fakePlatform.typedName = "ABCDEFGHIJKLMNOPQRST";
  FinishGame();
  std::vector<uint8_t> saved = ReadBytes("gmnscore");
  ASSERT_EQ(saved.size(), kHighScoreFileSize);
  size_t at = kHolderOffset + 2 * 96 + 4 * 16;  // Advanced, 40x30
  EXPECT_EQ(std::string(saved.begin() + at, saved.begin() + at + 16),
            std::string("ABCDEFGHIJKLM\0\0\0", 16));
}

TEST(FinishGame, UnwritableTableFileLosesNothingInMemory) {
  ScratchCurrentFolder here;
  std::filesystem::create_directory("gmnscore");
  ClearedField(8, 16, 12, 2, 1000);
  fakePlatform.typedName = "Ed";
  FinishGame();
  EXPECT_TRUE(std::filesystem::is_directory("gmnscore"));
  EXPECT_FALSE(std::filesystem::exists("gmnscore.new"));
  EXPECT_EQ(highScores.bestExplosions[HighScoreEntry(8, 16)], 2);
  EXPECT_TRUE(FakeEventTexts("message").empty());
  ASSERT_EQ(FakeEventTexts("high-score-dialog").size(), 1u);
  EXPECT_NE(FakeEventTexts("high-score-dialog")[0].find("Best Score:|2 explosions|Ed|"),
            std::string::npos);
}

TEST(RevealBackground, WipesFromTheCentreInTenMillisecondStepsThenHolds) {
  ClearedField(8, 16, 12, 0, 7000);
  gameState.clockBase = 7000;
  gameState.clientWidth = 100;
  gameState.clientHeight = 60;
  RevealBackground();
  const auto& events = fakePlatform.events;
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().text, ClockEvent(7000));

  // Step 0 is the centre pixel twice; step 10 (e = 6) four strips round the centre.
  std::vector<std::string> strips = FakeEventTexts("background");
  ASSERT_GE(strips.size(), 2u);
  EXPECT_EQ(strips[0], "background 50 30 51 31");
  EXPECT_EQ(strips[1], "background 50 30 51 31");
  auto step10 = std::find(strips.begin(), strips.end(), "background 40 24 41 36");
  ASSERT_LT(step10 + 4, strips.end());
  EXPECT_EQ(std::vector<std::string>(step10, step10 + 4),
            (std::vector<std::string>{"background 40 24 41 36", "background 60 24 61 37",
                                      "background 40 24 60 25", "background 40 36 61 37"}));
  // Steps 0 and 1 (e = 0) have no vertical strips of height 0; then the whole window.
  EXPECT_EQ(strips.size(), 2u + 3u + 4u * 48u + 1u);
  EXPECT_EQ(strips.back(), "background 0 0 100 60");

  // The strips of one step follow each other at once; a new step comes 10 ms after the
  // start of the one before. 50 steps, then the hold of 500 ms.
  int32_t steps = 1;
  uint32_t stepStart = events[1].time;
  for (size_t i = 2; i + 1 < events.size(); ++i) {
    uint32_t gap = events[i].time - events[i - 1].time;
    if (gap <= 1) continue;
    EXPECT_GE(events[i].time - stepStart, kWipeStepMs) << i;
    EXPECT_LE(events[i].time - stepStart, kWipeStepMs + 6) << i;
    stepStart = events[i].time;
    ++steps;
  }
  EXPECT_EQ(steps, 50);
  EXPECT_GE(fakePlatform.now - events.back().time, kWipeHoldMs);
}

TEST(RevealAroundCursor, ClippedRectangleOfBackgroundOrBoardOnlyWhenFinished) {
  ClearedField(8, 16, 12, 0, 1000);
  gameState.clientWidth = 1024;
  gameState.clientHeight = 768;
  gameState.leftButtonDown = 0;
  RevealAroundCursor(500, 400);
  RevealAroundCursor(10, 760);
  RevealAroundCursor(1023, 0);
  gameState.leftButtonDown = 1;
  RevealAroundCursor(500, 400);
  EXPECT_EQ(FakeEventTexts(),
            (std::vector<std::string>{"background 436 352 564 448", "background 0 712 74 768",
                                      "background 959 0 1024 48", "board 436 352 564 448"}));

  // A field with a safe square still covered is not finished: nothing happens.
  fakePlatform.events.clear();
  gameState.covered[0] = 1;
  gameState.uncoveredCount -= 1;
  RevealAroundCursor(500, 400);
  gameState.leftButtonDown = 0;
  RevealAroundCursor(500, 400);
  EXPECT_TRUE(fakePlatform.events.empty());
}

}  // namespace
