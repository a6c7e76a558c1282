#include "graphics/bonus_paint_win32.h"

#include "game/clock.h"

void PaintBall(HDC dc, int32_t x, int32_t y, COLORREF colour) {
  HPEN pen = CreatePen(PS_NULL, 0, 0);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  // Without an outline the disc stays inside x - 5 .. x + 4 and y - 5 .. y + 4, the very
  // rectangle that erasing it paints again.
  Ellipse(dc, x - kBallRadius, y - kBallRadius, x + kBallRadius, y + kBallRadius);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void PaintSquaresClipped(HDC dc, const SquareRectangle& clip, SquarePainter paint, void* context) {
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  SquareSpan span = SquaresTouching(clip);
  HRGN region = CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
  SelectClipRgn(dc, region);
  for (int32_t col = span.firstCol; col <= span.lastCol; ++col)
    for (int32_t row = span.firstRow; row <= span.lastRow; ++row) paint(dc, col, row, context);
  SelectClipRgn(dc, nullptr);
  DeleteObject(region);
}
