// picture_win32.h - the imaging library's operations on device contexts and palettes.
#pragma once

#include <windows.h>

#include "imaging/picture.h"

// A logical palette for painting the picture on dc: the picture's own colours for an
// indexed picture, the fixed colour cube for a direct one.
HPALETTE MakePicturePalette(HDC dc, const Picture& picture);
// A copy of a palette (the picture's palette handle); nullptr for none.
HPALETTE CopyPicturePalette(HPALETTE palette);
// Paints the whole picture into the rectangle of dc, scaled to fill it (averaging when
// shrinking); on a palette device a direct-colour picture is dithered to the fixed
// palette first. A picture without data paints nothing. Result 1 or a failure code.
int32_t PaintPicture(HWND window, HDC dc, const Picture& picture, const RECT* rect, int32_t,
                     int32_t);
// Copies a rectangle of dc into the picture (24 bits).
int32_t CopyWindowToPicture(HDC dc, Picture& picture, const RECT* rect);
