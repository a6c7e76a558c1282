#include "game/game_end.h"

#include <algorithm>
#include <string>

#include "game/board.h"
#include "game/settings.h"
#include "game/sound_cues.h"

namespace {

std::string ExplosionsText(int32_t explosions) {
  return std::to_string(explosions) + " explosions";
}

// A record or a score: a count of explosions, or the time of a perfect game.
std::string ScoreText(int32_t explosions, uint32_t timeMs) {
  return explosions != 0 ? ExplosionsText(explosions) : FormatClockTime("", timeMs / 1000);
}

void ShowStrip(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return;
  ShowBackgroundIn(x, y, x + width, y + height);
}

// A count with the explosions word, or a perfect game's time.
void SpeakScore(int32_t explosions, uint32_t timeMs) {
  if (explosions != 0) {
    SpeakCount(explosions);
    PlaySoundAndWait(SoundExplosionsWord);
  } else {
    SpeakSeconds(static_cast<int32_t>(timeMs / 1000));
  }
}

}  // namespace

void RevealBackground() {
  const GameState& g = gameState;
  DrawGameClock(g.clockBase);
  const int32_t w = g.clientWidth, h = g.clientHeight;
  for (int32_t i = 0; i < w / 2; ++i) {
    uint32_t start = TickCount();
    int32_t e = static_cast<int32_t>(static_cast<int64_t>(h) * i / w);
    ShowStrip(w / 2 - i, h / 2 - e, 1, 2 * e);
    ShowStrip(w / 2 + i, h / 2 - e, 1, 2 * e + 1);
    ShowStrip(w / 2 - i, h / 2 - e, 2 * i, 1);
    ShowStrip(w / 2 - i, h / 2 + e, 2 * i + 1, 1);
    uint32_t spent = TickCount() - start;
    if (spent < kWipeStepMs) BusyWait(kWipeStepMs - spent);
  }
  if (w > 0 && h > 0) ShowBackgroundIn(0, 0, w, h);
  BusyWait(kWipeHoldMs);
}

void AnnounceScore(const HighScoreTable& table, int32_t entry, int32_t explosions,
                   uint32_t elapsedMs, bool newRecord) {
  PlaySoundAndWait(SoundYourScoreWas);
  SpeakScore(explosions, elapsedMs);
  if (newRecord) PlaySoundAndWait(SoundNewRecord);
  PlaySoundAndWait(SoundRecordWas);
  SpeakScore(table.bestExplosions[entry], table.bestTime[entry]);
}

NewRecordDialogTexts NewRecordTextsFor(const HighScoreTable& table, int32_t entry,
                                       int32_t explosions, uint32_t elapsedMs) {
  NewRecordDialogTexts texts;
  int32_t best = table.bestExplosions[entry];
  texts.oldLabel = best != 0 ? "Old Best Score:" : "Old Best Perfect Game Score:";
  texts.oldValue = ScoreText(best, table.bestTime[entry]);
  texts.newLabel = explosions != 0 ? "New Best Score:" : "New Best Perfect Game Score:";
  texts.newValue = ScoreText(explosions, elapsedMs);
  return texts;
}

HighScoreDialogTexts HighScoreTextsFor(const HighScoreTable& table, int32_t level, int32_t columns,
                                       int32_t explosions, uint32_t elapsedMs) {
  int32_t entry = HighScoreEntry(level, columns);
  HighScoreDialogTexts texts;
  texts.title =
      std::string("High Score for ") + LevelName(level) + " " + LayoutName(columns) + " Layout:";
  int32_t best = table.bestExplosions[entry];
  texts.bestLabel = best != 0 ? "Best Score:" : "Best Perfect Game Score:";
  texts.bestValue = ScoreText(best, table.bestTime[entry]);
  texts.holder = HolderName(table, entry);
  texts.yourLabel = explosions != 0 ? "Your Score:" : "Your Perfect Game Score:";
  texts.yourValue = ScoreText(explosions, elapsedMs);
  return texts;
}

void FinishGame() {
  GameState& g = gameState;
  g.clockBase = TickCount() - g.clockBase;  // from here on the final elapsed time
  const uint32_t elapsed = g.clockBase;
  // The game as it ended. The dialogs below run modal loops, and whatever their
  // messages do to the game state (a new game dealt) must not change this game's score.
  const int32_t explosions = g.explosions, level = g.level, columns = g.columns;
  RevealBackground();
  g.leftButtonDown = 0;

  const int32_t entry = HighScoreEntry(level, columns);
  const bool record = IsNewRecord(highScores, entry, explosions, elapsed);
  if (SoundOn) AnnounceScore(highScores, entry, explosions, elapsed, record);
  if (record) {
    std::string name =
        ShowNewRecordDialog(NewRecordTextsFor(highScores, entry, explosions, elapsed));
    SetHolderName(highScores, entry, name);
    // A record by fewer explosions keeps the stored time of the best perfect game.
    if (explosions == 0) highScores.bestTime[entry] = elapsed;
    highScores.bestExplosions[entry] = explosions;
    SaveHighScores();
  }
  ShowHighScoreDialog(HighScoreTextsFor(highScores, level, columns, explosions, elapsed));
}

void RevealAroundCursor(int32_t x, int32_t y) {
  if (!IsFinished()) return;
  const GameState& g = gameState;
  int32_t dx = g.clientWidth / kRevealFraction, dy = g.clientHeight / kRevealFraction;
  int32_t left = std::max(x - dx, 0), top = std::max(y - dy, 0);
  int32_t right = std::min(x + dx, g.clientWidth), bottom = std::min(y + dy, g.clientHeight);
  if (left >= right || top >= bottom) return;
  if (g.leftButtonDown != 0) {
    RepaintBoardIn(left, top, right, bottom);
  } else {
    ShowBackgroundIn(left, top, right, bottom);
  }
}
