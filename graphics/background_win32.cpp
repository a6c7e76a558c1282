// Backgrounds: loading a picture file as the background and keeping its screen bitmap
// at the size of the main window's client area.

#include "graphics/background_win32.h"

#include <new>
#include <string>

#include "game/platform.h"
#include "game/settings.h"
#include "graphics/drawing_kit_win32.h"
#include "graphics/screen_bitmap_win32.h"
#include "resources/resource.h"

Picture backgroundPicture;
HBITMAP backgroundBitmap = nullptr;
int32_t backgroundIsSheet = 1;

namespace {

RECT MainClientRect() {
  RECT client;
  GetClientRect(screenWindow, &client);
  return client;
}

// Makes the screen bitmap from a copy of backgroundPicture, which the conversion for the
// display changes (and, for a sheet, releases): backgroundPicture keeps the pixels that
// were loaded, so a rescale or a save never works from a reduced copy. Without memory
// for the copy, a scaled bitmap is made from the picture itself.
HBITMAP MakeBackgroundBitmapFromCopy(const RECT* size) {
  try {
    Picture shown = backgroundPicture;
    return MakeScreenBitmap(shown, screenWindow, size);
  } catch (const std::bad_alloc&) {
    return size ? MakeScreenBitmap(backgroundPicture, screenWindow, size) : nullptr;
  }
}

// Makes backgroundBitmap from backgroundPicture: a sheet at its own size, anything
// else scaled to the client area. A picture that failed to load gives no bitmap.
void MakeBackgroundBitmap() {
  DeleteAndClear(backgroundBitmap);
  if (backgroundPicture.width == kSheetSize && backgroundPicture.height == kSheetSize) {
    backgroundIsSheet = 1;
    backgroundBitmap = MakeBackgroundBitmapFromCopy(nullptr);
    return;
  }
  backgroundIsSheet = 0;
  if (backgroundPicture.width > 0) {
    RECT client = MainClientRect();
    backgroundBitmap = MakeBackgroundBitmapFromCopy(&client);
  }
}

}  // namespace

bool LoadBackground(HWND owner, const char* path) {
  WaitCursor wait;
  std::string file = path;  // path may be backgroundPath itself
  // The current picture stays until the new one has loaded: after a failed load the
  // next resize still has a picture to scale.
  if (!LoadPictureReplacing(file.c_str(), backgroundPicture)) {
    MessageBoxA(owner, "The image load failed.", "Sorry:", MB_OK);
    return false;
  }
  SetBackgroundPath(file);
  MakeBackgroundBitmap();
  return true;
}

void LoadStartupBackground(const std::string& dataFolder) {
  std::string file = backgroundPath;
  if (file.empty()) {
    file = dataFolder + DEFAULT_BACKGROUND_FILE;
    SetBackgroundPath(file);
  }
  LoadPictureReplacing(file.c_str(), backgroundPicture);
  MakeBackgroundBitmap();
}

void RescaleBackground() {
  if (backgroundIsSheet == 1) return;
  DeleteAndClear(backgroundBitmap);
  if (backgroundPicture.width > 0) {
    RECT client = MainClientRect();
    backgroundBitmap = MakeBackgroundBitmapFromCopy(&client);
  }
}

void FreeBackground() {
  ReleasePicture(backgroundPicture);
  DeleteAndClear(backgroundBitmap);
}
