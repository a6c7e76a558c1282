#include "tests/fakes/fake_platform.h"

#include "game/board.h"
#include "game/platform.h"
#include "game/sound_cues.h"
#include "landscape/landscape.h"
#include "shell/options.h"
#include "sound/sound_effects.h"

FakePlatform fakePlatform;

namespace {

// Handles point at the recording's name, interned for the whole run so that they stay
// valid across resets and one name always gives the same handle.
std::set<std::string>& LoadedNames() {
  static std::set<std::string> names;
  return names;
}

void Log(const std::string& text) { fakePlatform.events.push_back({text, fakePlatform.now}); }

const char* NameOf(SoundHandle sound) { return static_cast<const std::string*>(sound)->c_str(); }

}  // namespace

void ResetPortableState() {
  ResetCoreState();
  ResetSoundState();
  ResetShellState();
  ResetLandscapeState();
}

void ResetFakePlatform(uint32_t now) {
  fakePlatform = FakePlatform{};
  fakePlatform.now = now;
  ResetPortableState();
  SoundTick = LoadSoundResource("tick_wav");
  SoundExplosion = LoadSoundResource("explode");
  SoundBonus = LoadSoundResource("bonus_wav");
  SoundBonus2 = LoadSoundResource("bonus2_wav");
  SoundYourScoreWas = LoadSoundResource("yourscorewas_wav");
  SoundExplosionsWord = LoadSoundResource("explosions_wav");
  SoundNewRecord = LoadSoundResource("new_rec_wav");
  SoundRecordWas = LoadSoundResource("recordmoves_wav");
  SoundOnCue = LoadSoundResource("soundon");
  SoundOffCue = LoadSoundResource("soundoff");
  fakePlatform.soundsLoaded = 0;
}

std::vector<std::string> FakeEventTexts(const std::string& prefix) {
  std::vector<std::string> texts;
  for (const auto& event : fakePlatform.events) {
    if (event.text.compare(0, prefix.size(), prefix) == 0) texts.push_back(event.text);
  }
  return texts;
}

uint32_t TickCount() {
  uint32_t value = fakePlatform.now;
  fakePlatform.now += fakePlatform.tickStep;
  return value;
}

void RedrawSquare(int32_t col, int32_t row) {
  Log("redraw " + std::to_string(col) + " " + std::to_string(row));
}

void DrawExplosionFrame(int32_t col, int32_t row, int32_t frame) {
  Log("frame " + std::to_string(col) + " " + std::to_string(row) + " " + std::to_string(frame));
}

void InvalidateMainWindow() { Log("invalidate"); }

void DrawGameClock(uint32_t elapsed) {
  Log("clock " + std::to_string(gameState.clockX) + " " + std::to_string(gameState.clockY) + " " +
      std::to_string(elapsed));
}

void RepaintSquaresClipped(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Log("repaint " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) +
      " " + std::to_string(bottom));
}

void DrawBonusBall(int32_t x, int32_t y, int32_t red, int32_t green, int32_t blue) {
  Log("ball " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(red) + " " +
      std::to_string(green) + " " + std::to_string(blue));
}

void SetMenuCheck(int32_t commandId, bool checked) {
  Log("check " + std::to_string(commandId) + (checked ? " 1" : " 0"));
}

void SetMenuRadioCheck(int32_t firstId, int32_t lastId, int32_t checkedId) {
  Log("radio " + std::to_string(firstId) + " " + std::to_string(lastId) + " " +
      std::to_string(checkedId));
}

void SendCommandToMainWindow(int32_t commandId) { Log("command " + std::to_string(commandId)); }

void ShowMessage(const char* text, const char* caption) {
  Log(std::string("message ") + caption + "|" + text);
}

void FillRecentMenu(WindowId window, int32_t list) {
  Log("fill-menu " + std::to_string(static_cast<int32_t>(window)) + " " + std::to_string(list));
}

void HideMenuDialog() { Log("hide-menu"); }

bool NormalWindowInUse() { return fakePlatform.normalWindow; }

SoundHandle LoadSoundResource(const char* name) {
  if (fakePlatform.missingSounds.count(name) != 0) return nullptr;
  fakePlatform.soundsLoaded += 1;
  return &*LoadedNames().insert(name).first;
}

void FreeSoundResource(SoundHandle sound) {
  if (sound != nullptr) fakePlatform.soundsFreed += 1;
}

int32_t PlaySoundAsync(SoundHandle sound) {
  if (sound == nullptr) return 0;
  Log(std::string("async ") + NameOf(sound));
  return 1;
}

int32_t PlaySoundAndWait(SoundHandle sound) {
  if (sound == nullptr) return 0;
  Log(std::string("wait ") + NameOf(sound));
  return 1;
}

void ShowBackgroundIn(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Log("background " + std::to_string(left) + " " + std::to_string(top) + " " +
      std::to_string(right) + " " + std::to_string(bottom));
}

void RepaintBoardIn(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Log("board " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) +
      " " + std::to_string(bottom));
}

void SpeakCount(int32_t n) { Log("speak " + std::to_string(n)); }

void SpeakSeconds(int32_t seconds) { Log("speak-time " + std::to_string(seconds)); }

std::string ShowNewRecordDialog(const NewRecordDialogTexts& texts) {
  Log("new-record-dialog " + texts.oldLabel + "|" + texts.oldValue + "|" + texts.newLabel + "|" +
      texts.newValue);
  if (fakePlatform.duringNewRecordDialog) fakePlatform.duringNewRecordDialog();
  return fakePlatform.typedName;
}

void ShowHighScoreDialog(const HighScoreDialogTexts& texts) {
  Log("high-score-dialog " + texts.title + "|" + texts.bestLabel + "|" + texts.bestValue + "|" +
      texts.holder + "|" + texts.yourLabel + "|" + texts.yourValue);
}
