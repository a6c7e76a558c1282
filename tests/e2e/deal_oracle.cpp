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
//
// deal_oracle --bonus-plan W,H,X,Y,REACH,EDGE COLUMNS ROWS LEVEL SEED [COL,ROW ...]: where
// the first time bonus of that board comes after the given clicks, on a W x H client area,
// clicking only safe squares still covered, column by column, and leaving out those whose
// centre is within REACH pixels of (X, Y) on both axes or within EDGE pixels of an edge. Each such
// click draws one number from the generator that dealt the board, and a bonus reseeds it from the
// tick count, so the plan is known only while no bonus has come yet. Prints one of
//   "bonus COL ROW BALLS" and, on the next line, the clicks before it as a SKIP of
//     "zdriver clickall" (rows joined, 'x' a click, '*' none);
//   "unknown" (one of the given clicks already had a bonus);
//   "none" (no square left gives one).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/board.h"
#include "game/moves.h"
#include "game/platform.h"
#include "tests/fakes/fake_platform.h"

namespace {

// One draw of the generator as a click on a covered safe square makes it: 0..59, and
// below 3 a bonus (1 ball below 2, else 4).
int32_t BonusDraw() { return RandomBelow(60); }

int PrintBonusPlan(const char* geometry, int clickCount, char** clicks) {
  int width = 0, height = 0, x = 0, y = 0, reach = 0, edge = 0;
  if (std::sscanf(geometry, "%d,%d,%d,%d,%d,%d", &width, &height, &x, &y, &reach, &edge) != 6)
    return 2;
  const GameState& g = gameState;
  // The given clicks, as PlaySquare makes them, watching the draws.
  for (int i = 0; i < clickCount; ++i) {
    int col = 0, row = 0;
    if (std::sscanf(clicks[i], "%d,%d", &col, &row) != 2) return 2;
    if (!IsOnBoard(col, row) || IsBomb(col, row) || !IsCovered(col, row)) {
      if (IsOnBoard(col, row) && IsBomb(col, row)) PlaySquare(col, row);
      continue;
    }
    FloodOpen(col, row);
    if (BonusDraw() < 3) {
      std::puts("unknown");
      return 0;
    }
  }
  std::string skip(static_cast<size_t>(g.columns * g.rows), '*');
  for (int32_t col = 0; col < g.columns; ++col) {
    for (int32_t row = 0; row < g.rows; ++row) {
      int32_t cx = (2 * col + 1) * width / (2 * g.columns),
              cy = (2 * row + 1) * height / (2 * g.rows);
      if (std::abs(cx - x) <= reach && std::abs(cy - y) <= reach) continue;
      if (cx < edge || cy < edge || cx > width - edge || cy > height - edge) continue;
      if (IsBomb(col, row) || !IsCovered(col, row)) continue;
      FloodOpen(col, row);
      int32_t draw = BonusDraw();
      if (draw < 3) {
        std::printf("bonus %d %d %d\n%s\n", col, row, draw < 2 ? 1 : 4, skip.c_str());
        return 0;
      }
      skip[static_cast<size_t>(row * g.columns + col)] = 'x';
    }
  }
  std::puts("none");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* planGeometry = nullptr;
  if (argc > 2 && std::strcmp(argv[1], "--bonus-plan") == 0) {
    planGeometry = argv[2];
    argc -= 2;
    argv += 2;
  }
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
  if (planGeometry) return PrintBonusPlan(planGeometry, argc - 5, argv + 5);
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
