// Piece image sets: one picture holding the square images side by side, 96 x 96 each.
// First row: images 0..7 for the counts 1..8, 8 an exploded bomb, 9 a covered square,
// 10 a marked square. Second row: the eight frames of the explosion.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

constexpr int32_t kPieceSize = 96;
constexpr int32_t kPieceExploded = 8;
constexpr int32_t kPieceCovered = 9;
constexpr int32_t kPieceMarked = 10;

// The current set at its own size, or none when its file could not be read.
extern HBITMAP tileSetBitmap;

// Loads the set file at `path` and makes it current; `path` becomes tileSetPath
// whatever the outcome.
void LoadTileSet(const char* path);
// The menu's choice: loads the set file at `path` (the data folder followed by the
// set's file name), then repaints the whole field from the new set.
void ChooseTileSet(const std::string& path);
// Deletes the set's bitmap; called when the main window is destroyed.
void FreeTileSet();
// Frees the images scaled for square sizes that the field no longer has at the current
// client size and layout. Called when the client size changes; a new size is scaled
// on its first draw.
void FreeUnusedPieceSizes();

// Draws piece image `image` (0..10) of the first row, or explosion frame `frame` (0..7)
// of the second row, onto the w x h rectangle at (x, y). Nothing without a set.
void DrawPieceImage(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t image);
void DrawExplosionImage(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t frame);
