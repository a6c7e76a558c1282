// Painting the main window: the loading text during start-up, the title picture before
// the first game, otherwise the field square by square over the background; the clock
// face; the background shown, and the field painted back, in a rectangle of the window
// (the requests of the game's end, declared in game/platform.h).
#pragma once

#include <windows.h>

#include <cstdint>

// 1 while a landscape generator draws into the window: mouse moves are ignored and
// neither the field nor the clock is drawn meanwhile. Written only by
// SetGeneratingPicture, which the landscape command calls around its drawing.
extern int32_t generatingPicture;
void SetGeneratingPicture(bool on);

// Draws square (col, row) with the image its state selects (or the background under
// it).
void DrawSquare(HDC dc, int32_t col, int32_t row);
// Every square of the field; nothing while a landscape is being generated.
void PaintBoard(HDC dc);
// The WM_PAINT handler of the main window; until start-up is complete it shows the
// loading text.
void PaintMainWindow(HWND window, bool startupComplete);
// The clock face showing `elapsed` milliseconds at the clock's place.
void DrawClock(HWND window, uint32_t elapsed);
// A clock face of w x h at (x, y) with hands for t seconds; black pixels of the face
// (set in the mask) are transparent.
void DrawClockFace(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t t, HBITMAP face,
                   HBITMAP mask);
