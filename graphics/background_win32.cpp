// Backgrounds: loading a picture file as the background and keeping its screen bitmap
// at the size of the main window's client area.

#include "graphics/background_win32.h"

#include <string>

#include "game/platform.h"
#include "game/settings.h"
#include "graphics/drawing_kit_win32.h"
#include "graphics/path_setting.h"
#include "graphics/screen_bitmap_win32.h"
#include "resources/resource.h"

Picture backgroundPicture;
HBITMAP backgroundBitmap = nullptr;
int32_t backgroundIsSheet = 1;

namespace {

// Reads the file into backgroundPicture at its own depth.
void ReadBackgroundPicture(const char* path)
{
    PictureInfo info;
    ReadPictureFileInfo(path, info);
    PreparePicture(backgroundPicture, info.width, info.height, info.bitsPerPixel);
    LoadPictureFile(path, backgroundPicture, info.bitsPerPixel, info.loadValue);
}

RECT MainClientRect()
{
    RECT client;
    GetClientRect(screenWindow, &client);
    return client;
}

// Makes backgroundBitmap from backgroundPicture: a sheet at its own size, anything
// else scaled to the client area. A picture that failed to load gives no bitmap.
void MakeBackgroundBitmap()
{
    DeleteAndClear(backgroundBitmap);
    if (backgroundPicture.width == kSheetSize && backgroundPicture.height == kSheetSize) {
        backgroundIsSheet = 1;
        backgroundBitmap = ScreenBitmapNative(backgroundPicture, screenWindow);
        return;
    }
    backgroundIsSheet = 0;
    if (backgroundPicture.width > 0)
        backgroundBitmap = ScreenBitmapSized(backgroundPicture, screenWindow, MainClientRect());
}

}  // namespace

bool LoadBackground(HWND owner, const char* path)
{
    WaitCursor wait;
    std::string file = path;  // path may be backgroundPath itself
    ReleasePicture(backgroundPicture);
    ReadBackgroundPicture(file.c_str());
    if (backgroundPicture.width <= 0) {
        MessageBoxA(owner, "The image load failed.", "Sorry:", MB_OK);
        return false;
    }
    StorePathSetting(backgroundPath, file);
    MakeBackgroundBitmap();
    return true;
}

void LoadStartupBackground(const std::string& dataFolder)
{
    std::string file = backgroundPath;
    if (file.empty()) {
        file = dataFolder + DEFAULT_BACKGROUND_FILE;
        StorePathSetting(backgroundPath, file);
    }
    ReadBackgroundPicture(file.c_str());
    MakeBackgroundBitmap();
}

void RescaleBackground()
{
    if (backgroundIsSheet == 1)
        return;
    DeleteAndClear(backgroundBitmap);
    if (backgroundPicture.width > 0)
        backgroundBitmap = ScreenBitmapSized(backgroundPicture, screenWindow, MainClientRect());
}

void FreeBackground()
{
    ReleasePicture(backgroundPicture);
    DeleteAndClear(backgroundBitmap);
}
