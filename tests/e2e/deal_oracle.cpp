// deal_oracle COLUMNS ROWS LEVEL SEED [COL,ROW ...]: the board the game deals when its
// deal reads SEED from the tick count, with the game's own dealing code, and that board
// after left clicks on the given squares, played with the game's own rules.
//
// Prints three blocks of ROWS lines, each followed by an empty line:
//   the bombs: '*' a bomb, '.' a safe square;
//   the field as the screen then shows it: 'C' covered, 'X' exploded, '1'..'8' a count,
//   '.' the background (the letters of tests/e2e/screen.py);
//   the clicks that then clear the field when made column by column ("zdriver clickall"
//   with this block as its SKIP, rows joined): 'x' a click on a square still covered
//   when its turn comes, '*' no click. The last 'x' in column order is the finishing
//   click.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/board.h"
#include "game/moves.h"
#include "game/platform.h"
#include "tests/fakes/fake_platform.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: deal_oracle COLUMNS ROWS LEVEL SEED [COL,ROW ...]\n");
    return 2;
  }
  ResetFakePlatform(static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)));
  SoundOn = 0;
  gameState = GameState{};
  gameState.columns = std::atoi(argv[1]);
  gameState.rows = std::atoi(argv[2]);
  gameState.nextLevel = std::atoi(argv[3]);
  if (!IsKnownLayout(gameState.columns, gameState.rows) || !IsKnownLevel(gameState.nextLevel)) {
    std::fprintf(stderr, "deal_oracle: no such layout or level\n");
    return 2;
  }
  // One pixel per square: square (c, r) is pixel (c, r).
  gameState.clientWidth = gameState.columns;
  gameState.clientHeight = gameState.rows;
  gameState.titleShowing = 0;
  DealBoard();  // reads SEED first
  for (int32_t r = 0; r < gameState.rows; ++r) {
    for (int32_t c = 0; c < gameState.columns; ++c) std::putchar(IsBomb(c, r) ? '*' : '.');
    std::putchar('\n');
  }
  std::putchar('\n');
  for (int i = 5; i < argc; ++i) {
    int col = 0, row = 0;
    if (std::sscanf(argv[i], "%d,%d", &col, &row) != 2) return 2;
    if (!IsFinished()) PlaySquare(col, row);
  }
  for (int32_t r = 0; r < gameState.rows; ++r) {
    for (int32_t c = 0; c < gameState.columns; ++c) {
      char shown = 'C';
      if (!IsCovered(c, r)) {
        int32_t count = CountNeighbourBombs(c, r);
        shown = IsBomb(c, r) ? 'X' : count > 0 ? static_cast<char>('0' + count) : '.';
      }
      std::putchar(shown);
    }
    std::putchar('\n');
  }
  std::putchar('\n');
  static char plan[kPlaneRows][kPlaneColumns];
  for (int32_t c = 0; c < gameState.columns; ++c) {
    for (int32_t r = 0; r < gameState.rows; ++r) {
      bool click = !IsBomb(c, r) && IsCovered(c, r);
      plan[r][c] = click ? 'x' : '*';
      if (click) FloodOpen(c, r);
    }
  }
  for (int32_t r = 0; r < gameState.rows; ++r) {
    std::fwrite(plan[r], 1, static_cast<size_t>(gameState.columns), stdout);
    std::putchar('\n');
  }
  std::putchar('\n');
  return 0;
}
