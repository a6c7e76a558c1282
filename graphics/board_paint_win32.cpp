// Painting the main window and the field. Every square can be drawn again at any time
// from the game state, the piece image set and the background, so there is no
// off-screen copy of the window.

#include "graphics/board_paint_win32.h"

#include <algorithm>
#include <optional>

#include "game/board.h"
#include "game/clock.h"
#include "game/platform.h"
#include "graphics/background_win32.h"
#include "graphics/bonus_paint_win32.h"
#include "graphics/clock_face.h"
#include "graphics/drawing_kit_win32.h"
#include "graphics/screen_bitmap_win32.h"
#include "graphics/tile_set_win32.h"

int32_t generatingPicture = 0;

void SetGeneratingPicture(bool on) { generatingPicture = on ? 1 : 0; }

namespace {

const char kLoadingText[] =
    "Loading... Why don't you go grab some buttermilk pancakes made with cornmeal and "
    "bananas, with some nice sweet, fresh blueberries and yogurt on the side. Note: My "
    "images are extremely squashed. Please wait while my brain cranks away at "
    "decompressing them!";
constexpr COLORREF kLoadingColour = 0xB432FF;
constexpr int32_t kTitleWidth = 340;
constexpr int32_t kTitleHeight = 320;

// The piece image for a square, or -1 for the background.
int32_t SquareImage(int32_t col, int32_t row) {
  if (IsMarked(col, row)) return kPieceMarked;
  if (IsCovered(col, row)) return kPieceCovered;
  if (IsBomb(col, row)) return kPieceExploded;
  int32_t count = CountNeighbourBombs(col, row);
  return count > 0 ? count - 1 : -1;
}

// Without a piece image set (its file could not be read) squares are still told apart:
// plain colours, and the count as a digit.
void DrawPlainPiece(HDC dc, const RECT& r, int32_t image) {
  COLORREF fill = image == kPieceCovered    ? RGB(96, 104, 120)
                  : image == kPieceMarked   ? RGB(200, 160, 40)
                  : image == kPieceExploded ? RGB(200, 40, 30)
                                            : RGB(225, 225, 215);
  FillBox(dc, r.left, r.top, r.right, r.bottom, fill);
  FillBox(dc, r.left, r.top, r.right, r.top + 1, RGB(40, 40, 40));
  FillBox(dc, r.left, r.top, r.left + 1, r.bottom, RGB(40, 40, 40));
  if (image >= 0 && image <= 7) {
    char digit[2] = {static_cast<char>('1' + image), '\0'};
    RECT text = r;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(20, 20, 120));
    DrawTextA(dc, digit, 1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void DrawPiece(HDC dc, const RECT& r, int32_t image) {
  if (!tileSetBitmap) {
    DrawPlainPiece(dc, r, image);
    return;
  }
  DrawPieceImage(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, image);
}

RECT SquareClientRect(int32_t col, int32_t row) {
  SquareRectangle s = SquareRect(col, row);
  return RECT{s.left, s.top, s.right, s.bottom};
}

// Copies the part of the background under the client rectangle (x, y, w, h) one to one.
// A sheet is repeated as a tile; without a background the part is black.
void CopyBackground(HDC dc, HDC source, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (w <= 0 || h <= 0) return;
  if (!backgroundBitmap) {
    FillBox(dc, x, y, x + w, y + h, RGB(0, 0, 0));
    return;
  }
  if (backgroundIsSheet != 1) {
    BitBlt(dc, x, y, w, h, source, x, y, SRCCOPY);
    return;
  }
  for (int32_t ty = y; ty < y + h;) {
    int32_t sy = ty % kSheetSize;
    int32_t th = std::min(kSheetSize - sy, y + h - ty);
    for (int32_t tx = x; tx < x + w;) {
      int32_t sx = tx % kSheetSize;
      int32_t tw = std::min(kSheetSize - sx, x + w - tx);
      BitBlt(dc, tx, ty, tw, th, source, sx, sy, SRCCOPY);
      tx += tw;
    }
    ty += th;
  }
}

// The background bitmap selected into a memory context, for CopyBackground, with the
// shared palette realised in the target meanwhile. Without a background there is no
// context (dc is null) and CopyBackground fills black.
struct BackgroundSource {
  explicit BackgroundSource(HDC target) : palette(backgroundBitmap ? target : nullptr) {
    if (!backgroundBitmap) return;
    memory.emplace(target, backgroundBitmap);
    dc = memory->dc;
  }
  PaletteScope palette;
  std::optional<MemoryDc> memory;
  HDC dc = nullptr;
};

void DrawSquareWith(HDC dc, HDC background, int32_t col, int32_t row) {
  RECT r = SquareClientRect(col, row);
  int32_t image = SquareImage(col, row);
  if (image >= 0)
    DrawPiece(dc, r, image);
  else
    CopyBackground(dc, background, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void PaintLoadingNotice(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  FillBox(dc, 0, 0, client.right, client.bottom, RGB(0, 0, 0));
  RECT text = client;
  text.top = (client.bottom - client.top) / 3;
  text.left = (client.right - client.left) / 4;
  text.right = client.right + (text.left - client.right) / 3;
  SetTextColor(dc, kLoadingColour);
  SetBkColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, kLoadingText, -1, &text, DT_CENTER | DT_WORDBREAK);
}

void PaintTitle(HDC dc, const RECT& update) {
  FillBox(dc, 0, 0, update.right, update.bottom, RGB(0, 0, 0));
  DrawBitmap(dc, titleBitmap, (gameState.clientWidth - kTitleWidth) / 2,
             (gameState.clientHeight - kTitleHeight) / 2, kTitleWidth, kTitleHeight, 0, 0,
             kTitleWidth, kTitleHeight);
}

}  // namespace

void DrawSquare(HDC dc, int32_t col, int32_t row) {
  BackgroundSource background(dc);
  DrawSquareWith(dc, background.dc, col, row);
}

void RedrawSquare(int32_t col, int32_t row) {
  WindowDc window(screenWindow);
  DrawSquare(window.dc, col, row);
}

void DrawExplosionFrame(int32_t col, int32_t row, int32_t frame) {
  RECT r = SquareClientRect(col, row);
  WindowDc window(screenWindow);
  if (tileSetBitmap) {
    DrawExplosionImage(window.dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frame);
  } else {
    int32_t glow = 255 - frame * 24;
    FillBox(window.dc, r.left, r.top, r.right, r.bottom, RGB(glow, glow / 2, 0));
  }
}

void InvalidateMainWindow() { InvalidateRect(screenWindow, nullptr, FALSE); }

void PaintBoard(HDC dc) {
  if (generatingPicture || gameState.columns <= 0) return;
  BackgroundSource background(dc);
  for (int32_t col = 0; col < gameState.columns; ++col)
    for (int32_t row = 0; row < gameState.rows; ++row) DrawSquareWith(dc, background.dc, col, row);
}

void PaintMainWindow(HWND window, bool startupComplete) {
  RECT update;
  if (!GetUpdateRect(window, &update, FALSE)) return;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!startupComplete)
    PaintLoadingNotice(window, dc);
  else if (gameState.titleShowing)
    PaintTitle(dc, update);
  else
    PaintBoard(dc);
  EndPaint(window, &paint);
}

void DrawClock(HWND window, uint32_t elapsed) {
  if (generatingPicture) return;
  uint32_t seconds = ClockSecondsFor(elapsed);
  WindowDc target(window);
  DrawClockFace(target.dc, gameState.clockX, gameState.clockY, kClockSize, kClockSize, seconds,
                clockBitmap, clockMask);
}

void DrawClockFace(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t t, HBITMAP face,
                   HBITMAP mask) {
  DrawMaskedBitmap(dc, face, mask, x, y, w, h, 0, 0, kClockSize, kClockSize);
  int32_t cx = x + w / 2, cy = y + h / 2;
  ClockHands hands = ClockHandsFor(t, w, h);

  constexpr COLORREF white = 0xFFFFFF, yellow = 0x00FFFF, green = 0x00FF00;
  DrawLine(dc, cx - 1, cy - 1, cx + hands.longDx, cy + hands.longDy, white);
  DrawLine(dc, cx - 1, cy - 1, cx + hands.longDx + 1, cy + hands.longDy, yellow);
  DrawLine(dc, cx - 1, cy - 1, cx + hands.longDx, cy + hands.longDy + 1, yellow);

  DrawLine(dc, cx - 1, cy - 1, cx + hands.shortDx, cy + hands.shortDy, white);
  DrawLine(dc, cx - 1, cy - 1, cx + hands.shortDx + 1, cy + hands.shortDy, green);
  DrawLine(dc, cx - 1, cy - 1, cx + hands.shortDx, cy + hands.shortDy + 1, green);
  DrawLine(dc, cx + 1, cy + 1, cx + hands.shortDx + 1, cy + hands.shortDy, green);
  DrawLine(dc, cx + 1, cy + 1, cx + hands.shortDx, cy + hands.shortDy + 1, green);
}

void DrawGameClock(uint32_t elapsedMs) { DrawClock(screenWindow, elapsedMs); }

void RepaintSquaresClipped(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (generatingPicture) return;
  WindowDc window(screenWindow);
  BackgroundSource background(window.dc);
  PaintSquaresClipped(
      window.dc, SquareRectangle{left, top, right, bottom},
      [](HDC target, int32_t col, int32_t row, void* source) {
        DrawSquareWith(target, static_cast<HDC>(source), col, row);
      },
      background.dc);
}

void DrawBonusBall(int32_t x, int32_t y, int32_t red, int32_t green, int32_t blue) {
  if (generatingPicture) return;
  WindowDc window(screenWindow);
  PaintBall(window.dc, x, y, RGB(red, green, blue));
}

void ShowBackgroundIn(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  WindowDc window(screenWindow);
  BackgroundSource background(window.dc);
  CopyBackground(window.dc, background.dc, left, top, right - left, bottom - top);
}

void RepaintBoardIn(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  RECT area{left, top, right, bottom};
  InvalidateRect(screenWindow, &area, FALSE);
  SendMessageA(screenWindow, WM_PAINT, 0, 0);
}
