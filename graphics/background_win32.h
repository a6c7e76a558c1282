// The background: the picture under the field, kept at its own resolution and as a
// screen bitmap scaled to the main window's client area (a 320 x 320 picture is a sheet,
// kept at its own size and never scaled).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "game/settings.h"
#include "imaging/picture.h"

constexpr int32_t kSheetSize = 320;

// The picture on screen at its own resolution and depth (a sheet's own pixels too), the
// source of every rescale and of "Save Current Background Image".
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

// The Open dialog the choose dialog runs (the shell's ChooseFileToOpen): 1 with the
// chosen full path in `result`, or 0 when the player cancelled. `folder` is where it
// opens and afterwards holds the folder of the file chosen.
using FileChooser = int (*)(char (&result)[kPathSettingSize], const char* filterText,
                            char (&folder)[kPathSettingSize], HWND owner);
// The background dialog (command 115): a file chosen there through `chooseFile`, which
// opens in `dataFolder` the first time, becomes the background. The caller puts
// backgroundPath at the front of the recent list afterwards.
void ChooseBackground(HWND window, const std::string& dataFolder, FileChooser chooseFile);
// Saves backgroundPicture through the Save dialog (command 119); after a successful save
// backgroundPath names the new file.
void SaveCurrentBackground(HWND window);
// Saves a copy of the game window's client area through the Save dialog (command 120).
void CaptureGameScreen(HWND window);
// Adopts what a landscape generator drew into the main window as the background.
void TakeBackgroundFromWindow(HDC dc);
// The Save dialog ("Save Bitmap File") with the eleven formats; writes the picture as
// the chosen entry says. True when the file was written; its path then goes to
// savedPath when one is given. A failed save says nothing and leaves any file that was
// there as it was.
bool SavePictureAs(HWND owner, const Picture& picture, std::string* savedPath);
