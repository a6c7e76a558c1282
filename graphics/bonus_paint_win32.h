// Drawing for the time bonus balls, on any device context: one ball, and the squares
// under a rectangle painted again through a clip region of exactly that rectangle.
#pragma once

#include <windows.h>

#include <cstdint>

#include "game/board.h"

// Paints square (col, row) on `dc`; `context` is what the caller passed along.
using SquarePainter = void (*)(HDC dc, int32_t col, int32_t row, void* context);

// A disc without outline inside (x - 5, y - 5) - (x + 5, y + 5), right and bottom
// excluded. The pen and brush it makes are deselected and deleted again.
void PaintBall(HDC dc, int32_t x, int32_t y, COLORREF colour);

// Every square sharing a pixel with `clip` (SquaresTouching), columns outer and rows
// inner, painted through a clip region of exactly `clip`; the clip is removed after.
void PaintSquaresClipped(HDC dc, const SquareRectangle& clip, SquarePainter paint, void* context);
