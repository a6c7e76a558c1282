// screen_bitmap_win32.h - pictures turned into screen bitmaps, palette displays, and the
// drawing helpers every painting part uses.
//
// Pictures are converted to the display's depth once, when loaded; painting is then a
// plain copy or stretch of screen bitmaps. The caller owns every returned bitmap and
// deletes it with DeleteAndClear.
#pragma once

#include <windows.h>

#include "imaging/picture.h"

// The window that graphics paints into and makes its screen bitmaps for: the main
// window, given by the shell when the window is created (SetScreenWindow).
extern HWND screenWindow;
void SetScreenWindow(HWND window);

// The display's colour depth (BITSPIXEL x PLANES). Written only by ReadScreenBits: the
// shell calls it at start-up, and every screen bitmap made calls it too, which reads
// the depth only while it is still 0.
extern int32_t screenBits;
// Reads the depth from the context of `window` (the whole screen's when null) once.
void ReadScreenBits(HWND window = nullptr);
// The one logical palette of displays of 8 bits or fewer (none on deeper displays).
extern HPALETTE sharedPalette;

// The start-up pictures of this part.
extern HBITMAP clockBitmap;
extern HBITMAP clockMask;
extern HBITMAP titleBitmap;
extern HBITMAP instructionsBitmap;

// Loads the "TEXT" resource `name` into the caller's picture at 24 bits.
void LoadResourcePicture(Picture& picture, const char* name);
// A screen bitmap of the "TEXT" resource picture `name` (loaded at 24 bits, then made
// by MakeScreenBitmap like every other picture), or nullptr; its size goes to the places
// given.
HBITMAP LoadScreenBitmap(const char* name, int32_t* width, int32_t* height, HWND window);
// Converts the picture for the display and makes a screen bitmap of it. size nullptr:
// the picture's own size, and the picture's data is released afterwards. Otherwise the
// bitmap is size->right x size->bottom with the picture scaled into it, and the caller
// keeps the picture.
HBITMAP MakeScreenBitmap(Picture& picture, HWND window, const RECT* size);
inline HBITMAP ScreenBitmapNative(Picture& picture, HWND window) {
  return MakeScreenBitmap(picture, window, nullptr);
}
inline HBITMAP ScreenBitmapSized(Picture& picture, HWND window, const RECT& rect) {
  return MakeScreenBitmap(picture, window, &rect);
}

// Steps 3 and 4 of the start-up pictures: the clock face and its mask, the title and
// instructions pictures.
void LoadStartupResourcePictures(HWND mainWindow);

// Copies (equal sizes) or stretches part of a bitmap into dc. A source area that ends
// one pixel short of the bitmap's edge, or beyond it, is taken to the edge. An empty
// bitmap draws nothing.
void DrawBitmap(HDC dc, HBITMAP bitmap, int dx, int dy, int dw, int dh, int sx, int sy, int sw,
                int sh);
// The same, leaving the destination unchanged where the mask is set (the bitmap must be
// black there).
void DrawMaskedBitmap(HDC dc, HBITMAP bitmap, HBITMAP mask, int dx, int dy, int dw, int dh, int sx,
                      int sy, int sw, int sh);
// A new monochrome bitmap, 1 where the bitmap's pixel is black and 0 elsewhere.
HBITMAP MakeTransparencyMask(HBITMAP bitmap, int width, int height);
// FillRect with a solid brush (right and bottom excluded).
void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour);
// A solid one-pixel line; the end point is not drawn.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
// Places the window at (x, y) so that its client area is width x height.
void SetClientSize(HWND window, int x, int y, int width, int height, BOOL repaint);
// Deletes the GDI object if the handle is set, then clears the handle.
template <typename Handle>
void DeleteAndClear(Handle& handle) {
  if (handle != nullptr) {
    DeleteObject(handle);
    handle = nullptr;
  }
}
