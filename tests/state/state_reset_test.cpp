// ResetPortableState puts every piece of portable state back as the program starts.
// kPortableState names each piece by the name the linker gives it; check_state.py fails
// when a portable library holds a piece that is not named here, so that a new piece of
// state comes with its reset and with a line in this test.
#include <gtest/gtest.h>

#include <cstring>

#include "game/board.h"
#include "game/high_scores.h"
#include "game/settings.h"
#include "game/sound_cues.h"
#include "landscape/generators.h"
#include "landscape/landscape.h"
#include "shell/options.h"
#include "shell/recent_lists.h"
#include "sound/sound_effects.h"
#include "sound/spoken_numbers.h"
#include "tests/fakes/fake_platform.h"

namespace {

const char* const kPortableState[] = {
    // game
    "gameState",
    "randomState",
    "SoundOn",
    "backgroundPath",
    "tileSetPath",
    "highScores",
    "highScoreFile",
    "SoundTick",
    "SoundExplosion",
    "SoundBonus",
    "SoundBonus2",
    "SoundYourScoreWas",
    "SoundExplosionsWord",
    "SoundNewRecord",
    "SoundRecordWas",
    "SoundOnCue",
    "SoundOffCue",
    // sound
    "explosionSounds",
    "explosionChoice",
    "numberWords",
    // shell
    "optionsBlock",
    "hideMenuNote",
    "recentLists",
    // landscape
    "stopRequest",
    "stripRed",
    "stripGreen",
    "stripBlue",
    "stripSlope",
    "nudgeTable",
};

// State that the reset keeps on purpose: the program folder, chosen once at start-up
// before anything reads it, which the tests point at their own folder.
[[maybe_unused]] const char* const kKeptState[] = {"programFolder"};

const SoundHandle kSomeHandle = &kPortableState;

TEST(PortableState, ResetPutsBackWhatTheProgramStartsWith) {
  ResetPortableState();
  SeedRandom(0);
  const int32_t firstDraw = NextRandom();
  const HighScoreTable freshTable = FreshHighScoreTable();

  // Every piece away from its start-up value.
  gameState.columns = 50;
  gameState.explosions = 7;
  SeedRandom(12345);
  SetSoundOn(0);
  SetBackgroundPath("sky.bmp");
  SetTileSetPath("electron.vod");
  highScores.bestExplosions[3] = 9;
  LoadHighScores("/nowhere/");
  for (SoundHandle* cue :
       {&SoundTick, &SoundExplosion, &SoundBonus, &SoundBonus2, &SoundYourScoreWas,
        &SoundExplosionsWord, &SoundNewRecord, &SoundRecordWas, &SoundOnCue, &SoundOffCue})
    *cue = kSomeHandle;
  explosionSounds.fill(kSomeHandle);
  explosionChoice = kLastExplosionCommand;
  numberWords.hundred = kSomeHandle;
  numberWords.units[4] = kSomeHandle;
  optionsBlock.fill(0x55);
  hideMenuNote = 1;
  recentLists[1][2][0] = 'x';
  RequestStop();
  LandscapeCanvas canvas;
  std::vector<uint32_t> pixels(20 * 10);
  canvas.pixels = pixels.data();
  canvas.width = 20;
  canvas.height = 10;
  SeedRandom(3);
  RenderColourStrips(canvas, 99, nullptr, nullptr);
  ASSERT_FALSE(RedStripRows().empty());

  ResetPortableState();
  EXPECT_EQ(gameState.columns, GameState{}.columns);
  EXPECT_EQ(gameState.explosions, 0);
  EXPECT_EQ(NextRandom(), firstDraw);
  EXPECT_EQ(SoundOn, 1);
  EXPECT_STREQ(backgroundPath, "");
  EXPECT_STREQ(tileSetPath, "");
  EXPECT_EQ(EncodeHighScores(highScores), EncodeHighScores(freshTable));
  EXPECT_EQ(highScoreFile, kHighScoreFileName);
  for (SoundHandle cue :
       {SoundTick, SoundExplosion, SoundBonus, SoundBonus2, SoundYourScoreWas, SoundExplosionsWord,
        SoundNewRecord, SoundRecordWas, SoundOnCue, SoundOffCue})
    EXPECT_EQ(cue, nullptr);
  for (SoundHandle sound : explosionSounds) EXPECT_EQ(sound, nullptr);
  EXPECT_EQ(explosionChoice, kFirstExplosionCommand);
  EXPECT_EQ(numberWords.hundred, nullptr);
  EXPECT_EQ(numberWords.units[4], nullptr);
  for (uint8_t byte : optionsBlock) ASSERT_EQ(byte, 0);
  EXPECT_EQ(hideMenuNote, 0);
  EXPECT_EQ(recentLists[1][2][0], '\0');
  EXPECT_EQ(stopRequest, 0);
  EXPECT_TRUE(RedStripRows().empty());
  for (int32_t i = 0; i < 256; ++i) ASSERT_EQ(NudgeTableEntry(i / 16, i % 16), 0) << i;
}

}  // namespace
