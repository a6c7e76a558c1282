// The game in play: the one GameState record, its board of three bit planes, the
// program's pseudo-random generator, dealing a board, the square tests, the layout and
// level tables, the square geometry and the busy-wait pause of the animations.
#pragma once

#include <array>
#include <cstdint>

#include "resources/resource.h"

// One bit per square: 50 rows of 12 bytes (96 bits), square (col, row) at byte
// row * 12 + col / 8, bit col % 8 (least significant bit first).
constexpr int32_t kPlaneRows = 50;
constexpr int32_t kPlaneRowBytes = 12;
constexpr int32_t kPlaneColumns = kPlaneRowBytes * 8;
using BitPlane = std::array<uint8_t, kPlaneRows * kPlaneRowBytes>;

constexpr BitPlane FullPlane() {
  BitPlane plane{};
  for (auto& byte : plane) byte = 0xFF;
  return plane;
}

struct GameState {
  int32_t columns = 16;
  int32_t rows = 12;
  int32_t bombCount = 0;
  int32_t level = 8;           // squares per bomb of the game in play
  int32_t nextLevel = 8;       // squares per bomb of the next deal
  uint32_t clockBase = 0;      // tick count at which the clock reads zero; after the
                               // finishing click, the final elapsed milliseconds
  int32_t uncoveredCount = 0;  // safe squares uncovered (exploded bombs not counted)
  int32_t explosions = 0;
  int32_t gameInProgress = 0;
  int32_t titleShowing = 1;
  int32_t leftButtonDown = 0;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t showClock = 1;
  int32_t clockX = 500;
  int32_t clockY = 300;
  BitPlane covered = FullPlane();
  BitPlane bombs{};
  BitPlane marked{};
};

extern GameState gameState;

// ---- Layouts and levels ---------------------------------------------------------------

struct LayoutEntry {
  int32_t commandId;
  int32_t columns;
  int32_t rows;
  const char* name;
};

constexpr std::array<LayoutEntry, 6> kLayouts{{
    {CMD_LAYOUT_12X8, 12, 8, "12x8"},
    {CMD_LAYOUT_16X12, 16, 12, "16x12"},
    {CMD_LAYOUT_20X16, 20, 16, "20x16"},
    {CMD_LAYOUT_30X24, 30, 24, "30x24"},
    {CMD_LAYOUT_40X30, 40, 30, "40x30"},
    {CMD_LAYOUT_50X40, 50, 40, "50x40"},
}};

struct LevelEntry {
  int32_t commandId;
  int32_t level;  // squares per bomb
  const char* name;
};

// In level-index order; this is also the order of the menu items.
constexpr std::array<LevelEntry, 5> kLevels{{
    {CMD_LEVEL_EASY, 10, "Easy"},
    {CMD_LEVEL_MEDIUM, 8, "Memium"},
    {CMD_LEVEL_ADVANCED, 6, "Advanced"},
    {CMD_LEVEL_EXPERT, 4, "Expert"},
    {CMD_LEVEL_IMPOSSIBLE, 3, "Impossible"},
}};

// Layout index from the column count alone: 12, 16, 20, 30, 40 give 0..4, anything
// else 5.
int32_t LayoutIndex(int32_t columns);
// Level index: 10, 8, 6, 4, 3 give 0..4, anything else 5.
int32_t LevelIndex(int32_t level);
// "12x8" ... "50x40", or "Unknown" for a column count not in the table.
const char* LayoutName(int32_t columns);
// "Easy" ... "Impossible", or "Unknown" for a level not in the table.
const char* LevelName(int32_t level);
// True for one of the six column-and-row pairs of the layout table.
bool IsKnownLayout(int32_t columns, int32_t rows);
// True for one of the five levels.
bool IsKnownLevel(int32_t level);

// ---- Pseudo-random generator ----------------------------------------------------------

void SeedRandom(uint32_t seed);
// state = state * 214013 + 2531011; returns bits 16..30 of the new state (0..32767).
int32_t NextRandom();
// (n * NextRandom()) >> 15 in unsigned 32-bit arithmetic: 0..n-1 for 0 < n <= 131072.
int32_t RandomBelow(int32_t n);

// ---- Dealing --------------------------------------------------------------------------

// Deals a new board with the current columns, rows and nextLevel and starts the clock.
void DealBoard();
// Leaves the title picture and deals a new board; a game in play is abandoned.
void StartNewGame();
// Level menu commands CMD_LEVEL_EASY .. CMD_LEVEL_IMPOSSIBLE: choose the level of the
// next game.
void SelectLevel(int32_t commandId);

// The changes that other parts make to the game state, each through one operation here:
// the client area's size (start-up, every resize), the left button over the main window,
// the field's size (a layout command, the stored options), the clock shown or not and
// the next deal's level (the stored options), and the title shown (before a command
// while no game is in play; at start-up after the first deal, which then waits).
void SetClientSize(int32_t width, int32_t height);
void SetLeftButtonDown(bool down);
void SetLayout(int32_t columns, int32_t rows);
void SetShowClock(int32_t show);
void SetNextLevel(int32_t level);
void ShowTitle();
void ShowTitleWithoutGame();
void UpdateLayoutChecks();
void UpdateLevelChecks();

// ---- Squares --------------------------------------------------------------------------

// 1 if (col, row) is inside the layout and hides a bomb, else 0.
int32_t IsBomb(int32_t col, int32_t row);
// The remaining tests and setters read or change one bit; squares outside the bit
// planes read as 0 and are never written.
int32_t IsCovered(int32_t col, int32_t row);
int32_t IsMarked(int32_t col, int32_t row);
void Uncover(int32_t col, int32_t row);
void SetMark(int32_t col, int32_t row);
void ClearMark(int32_t col, int32_t row);
void SetBomb(int32_t col, int32_t row, bool on);
// Bombs among the eight neighbours, 0..8; neighbours off the board count 0.
int32_t CountNeighbourBombs(int32_t col, int32_t row);
// Every safe square is uncovered.
bool IsFinished();
// True when (col, row) lies inside the current layout.
bool IsOnBoard(int32_t col, int32_t row);

// ---- Geometry -------------------------------------------------------------------------

struct Square {
  int32_t col;
  int32_t row;
};

struct SquareRectangle {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The square whose rectangle (SquareRect) holds client pixel (x, y); pixels left of or
// above the field give negative numbers. With no client area yet it gives (-1, -1).
Square PixelToSquare(int32_t x, int32_t y);
// The client rectangle of square (col, row); the squares tile the client area exactly.
SquareRectangle SquareRect(int32_t col, int32_t row);
// True when some square of the field, at the current client size, is `width` x `height`
// pixels: at most two widths and two heights are in use, differing by one pixel.
bool IsSquareSizeInUse(int32_t width, int32_t height);

// The squares whose rectangles share at least one pixel with client rectangle r (right
// and bottom excluded): columns firstCol..lastCol, rows firstRow..lastRow, empty
// (first > last) when none does.
struct SquareSpan {
  int32_t firstCol;
  int32_t lastCol;
  int32_t firstRow;
  int32_t lastRow;
};
SquareSpan SquaresTouching(const SquareRectangle& r);

// ---- Pauses ---------------------------------------------------------------------------

// Loops on the tick count until it has advanced by `ms` milliseconds.
void BusyWait(uint32_t ms);
