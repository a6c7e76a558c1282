#include "game/board.h"

#include <algorithm>

#include "game/platform.h"

GameState gameState;

namespace {

// The byte and bit of square (col, row) in a plane, or false when it lies outside.
bool PlaneAddress(int32_t col, int32_t row, int32_t& byte, uint8_t& bit) {
  if (col < 0 || row < 0 || col >= kPlaneColumns || row >= kPlaneRows) return false;
  byte = row * kPlaneRowBytes + col / 8;
  bit = static_cast<uint8_t>(1u << (col % 8));
  return true;
}

int32_t ReadBit(const BitPlane& plane, int32_t col, int32_t row) {
  int32_t byte;
  uint8_t bit;
  if (!PlaneAddress(col, row, byte, bit)) return 0;
  return (plane[byte] & bit) != 0 ? 1 : 0;
}

void WriteBit(BitPlane& plane, int32_t col, int32_t row, bool on) {
  int32_t byte;
  uint8_t bit;
  if (!PlaneAddress(col, row, byte, bit)) return;
  if (on) {
    plane[byte] = static_cast<uint8_t>(plane[byte] | bit);
  } else {
    plane[byte] = static_cast<uint8_t>(plane[byte] & ~bit);
  }
}

}  // namespace

int32_t LayoutIndex(int32_t columns) {
  for (int32_t i = 0; i < 5; ++i) {
    if (kLayouts[i].columns == columns) return i;
  }
  return 5;
}

int32_t LevelIndex(int32_t level) {
  for (int32_t i = 0; i < static_cast<int32_t>(kLevels.size()); ++i) {
    if (kLevels[i].level == level) return i;
  }
  return 5;
}

const char* LayoutName(int32_t columns) {
  for (const auto& layout : kLayouts) {
    if (layout.columns == columns) return layout.name;
  }
  return "Unknown";
}

const char* LevelName(int32_t level) {
  for (const auto& entry : kLevels) {
    if (entry.level == level) return entry.name;
  }
  return "Unknown";
}

bool IsKnownLayout(int32_t columns, int32_t rows) {
  for (const auto& layout : kLayouts) {
    if (layout.columns == columns && layout.rows == rows) return true;
  }
  return false;
}

bool IsKnownLevel(int32_t level) { return LevelIndex(level) < 5; }

void UpdateLayoutChecks() {
  int32_t index = LayoutIndex(gameState.columns);
  for (int32_t i = 0; i < static_cast<int32_t>(kLayouts.size()); ++i) {
    SetMenuCheck(kLayouts[i].commandId, i == index);
  }
}

void UpdateLevelChecks() {
  for (const auto& entry : kLevels) {
    SetMenuCheck(entry.commandId, entry.commandId - CMD_START_NEW_GAME == gameState.level);
  }
}

void DealBoard() {
  GameState& g = gameState;
  UpdateLayoutChecks();
  SeedRandom(TickCount());
  g.explosions = 0;
  g.level = g.nextLevel;
  g.bombCount = g.rows * g.columns / g.level;
  UpdateLevelChecks();

  g.covered = FullPlane();
  g.bombs.fill(0);
  g.marked.fill(0);

  for (int32_t placed = 0; placed < g.bombCount;) {
    int32_t col = RandomBelow(g.columns);
    int32_t row = RandomBelow(g.rows);
    if (IsBomb(col, row)) continue;
    SetBomb(col, row, true);
    ++placed;
  }

  g.uncoveredCount = 0;
  g.gameInProgress = 1;
  g.clockBase = TickCount();
  InvalidateMainWindow();
}

void StartNewGame() {
  gameState.titleShowing = 0;
  DealBoard();
}

void SetClientSize(int32_t width, int32_t height) {
  gameState.clientWidth = width;
  gameState.clientHeight = height;
}

void SetLeftButtonDown(bool down) { gameState.leftButtonDown = down ? 1 : 0; }

void SetLayout(int32_t columns, int32_t rows) {
  gameState.columns = columns;
  gameState.rows = rows;
}

void SetShowClock(int32_t show) { gameState.showClock = show; }

void SetNextLevel(int32_t level) { gameState.nextLevel = level; }

void ShowTitle() { gameState.titleShowing = 1; }

void ShowTitleWithoutGame() {
  gameState.gameInProgress = 0;
  gameState.titleShowing = 1;
}

void SelectLevel(int32_t commandId) {
  for (const auto& entry : kLevels) {
    if (entry.commandId != commandId) continue;
    gameState.nextLevel = commandId - CMD_START_NEW_GAME;
    ShowMessage("This change will take effect next game.", "Notice:");
    return;
  }
}

bool IsOnBoard(int32_t col, int32_t row) {
  return col >= 0 && row >= 0 && col < gameState.columns && row < gameState.rows;
}

int32_t IsBomb(int32_t col, int32_t row) {
  if (!IsOnBoard(col, row)) return 0;
  return ReadBit(gameState.bombs, col, row);
}

int32_t IsCovered(int32_t col, int32_t row) { return ReadBit(gameState.covered, col, row); }
int32_t IsMarked(int32_t col, int32_t row) { return ReadBit(gameState.marked, col, row); }
void Uncover(int32_t col, int32_t row) { WriteBit(gameState.covered, col, row, false); }
void SetMark(int32_t col, int32_t row) { WriteBit(gameState.marked, col, row, true); }
void ClearMark(int32_t col, int32_t row) { WriteBit(gameState.marked, col, row, false); }
void SetBomb(int32_t col, int32_t row, bool on) { WriteBit(gameState.bombs, col, row, on); }

int32_t CountNeighbourBombs(int32_t col, int32_t row) {
  return IsBomb(col - 1, row - 1) + IsBomb(col - 1, row) + IsBomb(col - 1, row + 1) +
         IsBomb(col, row - 1) + IsBomb(col + 1, row - 1) + IsBomb(col + 1, row) +
         IsBomb(col + 1, row + 1) + IsBomb(col, row + 1);
}

bool IsFinished() {
  return gameState.bombCount + gameState.uncoveredCount == gameState.columns * gameState.rows;
}

Square PixelToSquare(int32_t x, int32_t y) {
  const GameState& g = gameState;
  if (g.clientWidth <= 0 || g.clientHeight <= 0) return {-1, -1};
  // The exact inverse of SquareRect: the square whose drawn rectangle holds the pixel.
  // (x * columns / clientWidth alone can give the square to the left of a square's
  // first pixel column when the width is not a multiple of the column count.)
  auto cell = [](int32_t pixel, int32_t count, int32_t extent) {
    int64_t scaled = (static_cast<int64_t>(pixel) + 1) * count - 1;
    return static_cast<int32_t>(scaled >= 0 ? scaled / extent : -((-scaled + extent - 1) / extent));
  };
  return {cell(x, g.columns, g.clientWidth), cell(y, g.rows, g.clientHeight)};
}

SquareRectangle SquareRect(int32_t col, int32_t row) {
  const GameState& g = gameState;
  if (g.columns <= 0 || g.rows <= 0) return {0, 0, 0, 0};
  return {col * g.clientWidth / g.columns, row * g.clientHeight / g.rows,
          (col + 1) * g.clientWidth / g.columns, (row + 1) * g.clientHeight / g.rows};
}

SquareSpan SquaresTouching(const SquareRectangle& r) {
  SquareSpan span{0, -1, 0, -1};
  const GameState& g = gameState;
  for (int32_t col = 0; col < g.columns; ++col) {
    SquareRectangle s = SquareRect(col, 0);
    if (std::max(s.left, r.left) >= std::min(s.right, r.right)) continue;
    if (span.lastCol < span.firstCol) span.firstCol = col;
    span.lastCol = col;
  }
  for (int32_t row = 0; row < g.rows; ++row) {
    SquareRectangle s = SquareRect(0, row);
    if (std::max(s.top, r.top) >= std::min(s.bottom, r.bottom)) continue;
    if (span.lastRow < span.firstRow) span.firstRow = row;
    span.lastRow = row;
  }
  return span;
}

bool IsSquareSizeInUse(int32_t width, int32_t height) {
  const GameState& g = gameState;
  // count squares share `extent` pixels: extent % count of them are one pixel larger.
  auto used = [](int32_t size, int32_t extent, int32_t count) {
    if (count <= 0 || size <= 0) return false;
    int32_t small = extent / count;
    return size == small || (extent % count != 0 && size == small + 1);
  };
  return used(width, g.clientWidth, g.columns) && used(height, g.clientHeight, g.rows);
}

void BusyWait(uint32_t ms) {
  uint32_t start = TickCount();
  while (TickCount() - start < ms) {
  }
}
