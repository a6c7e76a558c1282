// Piece image sets: one picture holding the square images side by side, 96 x 96 each.
// First row: images 0..7 for the counts 1..8, 8 an exploded bomb, 9 a covered square,
// 10 a marked square. Second row: the eight frames of the explosion.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t kPieceSize = 96;
constexpr int32_t kPieceExploded = 8;
constexpr int32_t kPieceCovered = 9;
constexpr int32_t kPieceMarked = 10;

// The current set at its own size, or none when its file could not be read.
extern HBITMAP tileSetBitmap;

// Loads the set file at `path` and makes it current; `path` becomes tileSetPath
// whatever the outcome.
void LoadTileSet(const char* path);
// The menu's choice: loads the data folder followed by `fileName`, then repaints the
// whole field from the new set.
void ChooseTileSet(const char* fileName);
// Deletes the set's bitmap; called when the main window is destroyed.
void FreeTileSet();
