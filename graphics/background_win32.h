// The background: the picture under the field, kept at its own resolution and as a
// screen bitmap scaled to the main window's client area (a 320 x 320 picture is a sheet,
// kept at its own size and never scaled).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "graphics/picture.h"

constexpr int32_t kSheetSize = 320;

extern Picture backgroundPicture;
extern HBITMAP backgroundBitmap;
// 1 while the background is a 320 x 320 sheet; 1 until the first background is loaded,
// so that resizes before then only record the client size.
extern int32_t backgroundIsSheet;

// Loads the picture file at `path` as the background. On failure says "The image load
// failed." and keeps the previous background and path. Returns true on success.
bool LoadBackground(HWND owner, const char* path);
// The start-up load: backgroundPath, or the data folder's "PLANET_R.BKG" when it is
// empty, loaded without a failure test or message.
void LoadStartupBackground(const std::string& dataFolder);
// Remakes the screen bitmap for the new client size from backgroundPicture (not for a
// sheet). Called on every WM_SIZE of the main window.
void RescaleBackground();
// Releases the picture and its bitmap at shutdown.
void FreeBackground();

// The background dialog (command 115), saving the background (119), capturing the game
// screen (120), and adopting a generated landscape.
void ChooseBackground(HWND window);
void SaveCurrentBackground(HWND window);
void CaptureGameScreen(HWND window);
void TakeBackgroundFromWindow(HDC dc);
