#include "game/moves.h"

#include "game/board.h"
#include "game/clock.h"
#include "game/game_end.h"
#include "game/platform.h"
#include "game/settings.h"
#include "game/sound_cues.h"
#include "resources/resource.h"

namespace {

void ExplodeBomb(int32_t col, int32_t row) {
  GameState& g = gameState;
  g.explosions += 1;
  ClearMark(col, row);
  if (SoundOn) PlaySoundAsync(SoundExplosion);
  for (int32_t frame = 0; frame < kExplosionFrames; ++frame) {
    DrawExplosionFrame(col, row, frame);
    BusyWait(kExplosionFrameMs);
  }
  Uncover(col, row);
  RedrawSquare(col, row);
  if (g.explosions == kConfusedAfterExplosions) SendCommandToMainWindow(CMD_CONFUSED);
}

}  // namespace

void PlaySquare(int32_t x, int32_t y) {
  if (gameState.gameInProgress == 0 || IsFinished()) return;
  Square square = PixelToSquare(x, y);
  // A press outside the field (no client area yet, or a pixel beyond its edge) plays
  // nothing rather than touching a square that does not exist.
  if (!IsOnBoard(square.col, square.row)) return;

  if (IsBomb(square.col, square.row)) {
    ExplodeBomb(square.col, square.row);
    return;
  }
  bool wasCovered = IsCovered(square.col, square.row) != 0;
  FloodOpen(square.col, square.row);
  if (wasCovered) TryTimeBonus(square.col, square.row);
  if (IsFinished()) FinishGame();
}

void FloodOpen(int32_t col, int32_t row) {
  if (!IsOnBoard(col, row)) return;
  if (!IsCovered(col, row)) return;
  ClearMark(col, row);
  Uncover(col, row);
  gameState.uncoveredCount += 1;
  if (SoundOn) PlaySoundAsync(SoundTick);
  BusyWait(kFloodSquareMs);
  RedrawSquare(col, row);
  if (CountNeighbourBombs(col, row) != 0) return;

  FloodOpen(col - 1, row - 1);
  FloodOpen(col - 1, row);
  FloodOpen(col - 1, row + 1);
  FloodOpen(col, row + 1);
  FloodOpen(col, row - 1);
  FloodOpen(col + 1, row + 1);
  FloodOpen(col + 1, row);
  FloodOpen(col + 1, row - 1);
}

void ToggleMark(int32_t x, int32_t y) {
  if (gameState.gameInProgress == 0) return;
  Square square = PixelToSquare(x, y);
  if (!IsOnBoard(square.col, square.row)) return;
  if (!IsCovered(square.col, square.row)) return;
  if (IsMarked(square.col, square.row)) {
    ClearMark(square.col, square.row);
  } else {
    SetMark(square.col, square.row);
  }
  RedrawSquare(square.col, square.row);
}
