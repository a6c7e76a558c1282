// Adopting what a landscape generator drew into the main window as the background.

#include "graphics/background_win32.h"

#include "graphics/picture_win32.h"
#include "graphics/screen_bitmap_win32.h"

void TakeBackgroundFromWindow(HDC dc) {
  RECT client;
  GetClientRect(screenWindow, &client);
  // A copy that fails (no memory for the picture) keeps the previous background.
  if (CopyWindowToPicture(dc, backgroundPicture, &client) != kPictureSuccess) return;
  DeleteAndClear(backgroundBitmap);
  backgroundBitmap = ScreenBitmapSized(backgroundPicture, screenWindow, client);
  backgroundIsSheet = 0;
}
