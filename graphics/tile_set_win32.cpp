// Piece image sets: loading a set file into its screen bitmap.

#include "graphics/tile_set_win32.h"

#include <cstring>
#include <string>

#include "game/platform.h"
#include "graphics/picture.h"
#include "graphics/screen_bitmap_win32.h"
#include "shell/shell_win32.h"

HBITMAP tileSetBitmap = nullptr;
char tileSetPath[256] = {};

void LoadTileSet(const char* path)
{
    // A path too long for the 256-byte setting is loaded but not remembered: a cut path
    // would name another file at the next start.
    std::string file = path;
    if (file.size() < sizeof tileSetPath)
        memcpy(tileSetPath, file.c_str(), file.size() + 1);
    else
        tileSetPath[0] = '\0';

    PictureInfo info;
    ReadPictureFileInfo(file.c_str(), info);
    Picture picture;
    PreparePicture(picture, info.width, info.height, info.bitsPerPixel);
    LoadPictureFile(file.c_str(), picture, info.bitsPerPixel, info.loadValue);
    HBITMAP fresh = picture.width > 0 ? ScreenBitmapNative(picture, mainWindow) : nullptr;
    ReleasePicture(picture);
    DeleteAndClear(tileSetBitmap);
    tileSetBitmap = fresh;
}

void ChooseTileSet(const char* fileName)
{
    std::string path = dataFolder + fileName;
    LoadTileSet(path.c_str());
    InvalidateRect(mainWindow, nullptr, FALSE);
}

void FreeTileSet()
{
    DeleteAndClear(tileSetBitmap);
}
