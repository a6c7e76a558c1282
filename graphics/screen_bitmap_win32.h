// Screen bitmaps and the drawing helpers: pictures turned once into bitmaps compatible
// with the main window, and the small helpers every painting routine uses.
#pragma once

#include <windows.h>

#include <cstdint>

#include "graphics/picture.h"

// The display's colour depth (bits per pixel times planes), read at start-up.
extern int32_t screenBits;
// The one logical palette of a display of 8 bits or fewer; none on deeper displays.
extern HPALETTE sharedPalette;

// The pictures of the program's own "TEXT" resources.
extern HBITMAP clockBitmap;
extern HBITMAP clockMask;
extern HBITMAP titleBitmap;
extern HBITMAP instructionsBitmap;

// Loads the "TEXT" resource `name` into `picture` at 24 bits per pixel.
void LoadResourcePicture(Picture& picture, const char* name);
// A screen bitmap of the "TEXT" resource `name`, or none; its size goes to width and
// height when they are given.
HBITMAP LoadScreenBitmap(const char* name, int32_t* width, int32_t* height, HWND window);
// The picture at its own size; the picture's data is released.
HBITMAP ScreenBitmapNative(Picture& picture, HWND window);
// The picture scaled to rect's right by bottom; the caller keeps the picture.
HBITMAP ScreenBitmapSized(Picture& picture, HWND window, const RECT& rect);

// The clock face and its mask, the title and the instructions pictures.
void LoadStartupResourcePictures(HWND mainWindow);

void DrawBitmap(HDC dc, HBITMAP bitmap, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                int32_t sx, int32_t sy, int32_t sw, int32_t sh);
void DrawMaskedBitmap(HDC dc, HBITMAP bitmap, HBITMAP mask, int32_t dx, int32_t dy,
                      int32_t dw, int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh);
HBITMAP MakeTransparencyMask(HBITMAP bitmap, int32_t w, int32_t h);
void FillBox(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, COLORREF colour);
void DrawLine(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF colour);
void SetClientSize(HWND window, int32_t x, int32_t y, int32_t w, int32_t h, bool repaint);

template <typename Handle>
void DeleteAndClear(Handle& handle)
{
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}
