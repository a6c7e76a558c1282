#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board.h"
#include "game/moves.h"
#include "game/settings.h"
#include "sound/sound_effects.h"
#include "sound/spoken_numbers.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/temp_folder.h"

namespace {

using Texts = std::vector<std::string>;

std::string NameOf(SoundHandle sound) {
  return sound == nullptr ? "(null)" : *static_cast<const std::string*>(sound);
}

// The fake platform with the cue table loaded by the sound code itself (the reset puts
// the explosion choice back at its start value).
void StartSound() {
  ResetFakePlatform();
  LoadSoundEffects();
  fakePlatform.events.clear();
  fakePlatform.soundsLoaded = 0;
}

// A 2 x 1 game in play: a bomb on (0, 0), a safe square on (1, 0), 10 x 10 pixels each.
void StartTinyGame() {
  gameState = GameState{};
  gameState.columns = 2;
  gameState.rows = 1;
  gameState.clientWidth = 20;
  gameState.clientHeight = 10;
  gameState.gameInProgress = 1;
  SetBomb(0, 0, true);
  gameState.bombCount = 1;
}

TEST(SoundEffects, LoadsEveryCueByNameAndFreesThemAll) {
  ResetFakePlatform();
  LoadSoundEffects();
  EXPECT_EQ(fakePlatform.soundsLoaded, 13);  // nine cues and four explosion recordings
  const Texts expected = {"tick_wav",         "explode",        "bonus_wav",   "bonus2_wav",
                          "yourscorewas_wav", "explosions_wav", "new_rec_wav", "recordmoves_wav",
                          "soundon",          "soundoff"};
  const Texts actual = {NameOf(SoundTick),         NameOf(SoundExplosion),
                        NameOf(SoundBonus),        NameOf(SoundBonus2),
                        NameOf(SoundYourScoreWas), NameOf(SoundExplosionsWord),
                        NameOf(SoundNewRecord),    NameOf(SoundRecordWas),
                        NameOf(SoundOnCue),        NameOf(SoundOffCue)};
  EXPECT_EQ(actual, expected);
  EXPECT_EQ((Texts{NameOf(explosionSounds[0]), NameOf(explosionSounds[1]),
                   NameOf(explosionSounds[2]), NameOf(explosionSounds[3])}),
            (Texts{"explode", "nuclear_wav", "goshdarn_wav", "aweshucks_wav"}));
  EXPECT_TRUE(fakePlatform.events.empty()) << "loading plays nothing";

  FreeSoundEffects();
  EXPECT_EQ(fakePlatform.soundsFreed, 13) << "each recording freed once";
  for (SoundHandle sound :
       {SoundTick, SoundExplosion, SoundBonus, SoundBonus2, SoundYourScoreWas, SoundExplosionsWord,
        SoundNewRecord, SoundRecordWas, SoundOnCue, SoundOffCue}) {
    EXPECT_EQ(sound, nullptr);
  }
  ToggleSound();
  ToggleSound();
  EXPECT_TRUE(FakeEventTexts("async").empty()) << "freed cues play nothing";
}

TEST(SoundEffects, MissingRecordingsAreNullAndTheRestStillPlays) {
  ResetFakePlatform();
  fakePlatform.missingSounds = {"soundoff", "nuclear_wav", "explosions_wav"};
  LoadSoundEffects();
  EXPECT_EQ(fakePlatform.soundsLoaded, 10);
  EXPECT_EQ(SoundOffCue, nullptr);
  EXPECT_EQ(SoundExplosionsWord, nullptr);

  ToggleSound();  // off: its cue is missing
  ToggleSound();  // on
  EXPECT_EQ(FakeEventTexts(), (Texts{"async soundon"}));
  EXPECT_EQ(SoundOn, 1);

  // An explosion with the missing choice is silent; the game goes on with its frames.
  StartTinyGame();
  SelectExplosionSound(8201);
  fakePlatform.events.clear();
  PlaySquare(5, 5);
  EXPECT_TRUE(FakeEventTexts("async").empty());
  EXPECT_EQ(FakeEventTexts("frame").size(), 8u);

  // The announcement of a count: the missing "explosions" word is skipped, the number is
  // still spoken.
  LoadNumberWords();
  fakePlatform.events.clear();
  PlaySoundAndWait(SoundYourScoreWas);
  SpeakNumber(21);
  PlaySoundAndWait(SoundExplosionsWord);
  EXPECT_EQ(FakeEventTexts(), (Texts{"wait yourscorewas_wav", "wait n20", "wait n1"}));
  FreeNumberWords();
  FreeSoundEffects();
  EXPECT_EQ(fakePlatform.soundsFreed, fakePlatform.soundsLoaded);
}

TEST(SoundToggle, PlaysTheCueOfTheNewSettingInBothDirectionsAndNothingElse) {
  StartSound();
  ToggleSound();
  EXPECT_EQ(SoundOn, 0);
  ToggleSound();
  EXPECT_EQ(SoundOn, 1);
  EXPECT_EQ(FakeEventTexts(), (Texts{"async soundoff", "async soundon"}))
      << "no menu mark, no other sound";

  // Any value other than 0 counts as on (an options file may hold one).
  SetSoundOn(7);
  fakePlatform.events.clear();
  ToggleSound();
  EXPECT_EQ(SoundOn, 0);
  EXPECT_EQ(FakeEventTexts(), (Texts{"async soundoff"}));
}

TEST(SoundGating, SoundOffSilencesTheGameButNotTheToggleOrTheStartUpSound) {
  ScratchCurrentFolder here;  // the finished games write their high-score file here
  StartSound();
  SetSoundOn(0);
  StartTinyGame();
  PlaySquare(5, 5);   // the bomb
  PlaySquare(15, 5);  // the safe square: a flood of one, and the game is finished
  PlayFarewell();
  EXPECT_TRUE(FakeEventTexts("async").empty());
  EXPECT_TRUE(FakeEventTexts("wait").empty());
  EXPECT_EQ(fakePlatform.soundsLoaded, 0) << "the farewell is not even loaded";

  PlayStartupSound();
  EXPECT_EQ(FakeEventTexts("wait"), (Texts{"wait deepexpl"}));
  EXPECT_EQ(fakePlatform.soundsLoaded, 1);
  EXPECT_EQ(fakePlatform.soundsFreed, 1) << "freed on the spot";

  fakePlatform.events.clear();
  ToggleSound();
  EXPECT_EQ(FakeEventTexts(), (Texts{"async soundon"}));

  // Sound on again: the same moves are heard, the end of the game is announced, and the
  // farewell is played to its end.
  StartTinyGame();
  fakePlatform.events.clear();
  PlaySquare(5, 5);
  PlaySquare(15, 5);
  PlayFarewell();
  EXPECT_EQ(FakeEventTexts("async"), (Texts{"async explode", "async tick_wav"}));
  const Texts waits = FakeEventTexts("wait");
  ASSERT_GE(waits.size(), 2u);
  EXPECT_EQ(waits.front(), "wait yourscorewas_wav");
  EXPECT_EQ(waits.back(), "wait goodbye");
  EXPECT_EQ(fakePlatform.soundsFreed, 2);
}

TEST(ExplosionChoice, TheNextExplosionPlaysTheChosenRecordingAndTheMenuShowsIt) {
  StartSound();
  UpdateExplosionChecks();
  EXPECT_EQ(FakeEventTexts(), (Texts{"radio 8200 8203 8200"})) << "Normal at start";

  StartTinyGame();
  const Texts recordings = {"explode", "nuclear_wav", "goshdarn_wav", "aweshucks_wav"};
  for (int32_t id : {8202, 8201, 8203, 8200}) {
    fakePlatform.events.clear();
    SelectExplosionSound(id);  // during the game
    EXPECT_EQ(FakeEventTexts(), (Texts{"radio 8200 8203 " + std::to_string(id)}));
    PlaySquare(5, 5);
    EXPECT_EQ(FakeEventTexts("async"),
              (Texts{"async " + recordings[static_cast<size_t>(id - 8200)]}));
  }

  // Ids outside the pop-up change nothing.
  SelectExplosionSound(8202);
  fakePlatform.events.clear();
  SelectExplosionSound(8199);
  SelectExplosionSound(8204);
  SelectExplosionSound(212);
  EXPECT_TRUE(fakePlatform.events.empty());
  EXPECT_EQ(explosionChoice, 8202);
  EXPECT_EQ(NameOf(SoundExplosion), "goshdarn_wav");
  FreeSoundEffects();
}

}  // namespace
