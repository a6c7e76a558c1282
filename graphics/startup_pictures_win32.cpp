#include "graphics/startup_pictures_win32.h"

#include "game/platform.h"
#include "game/settings.h"
#include "graphics/background_win32.h"
#include "graphics/screen_bitmap_win32.h"
#include "graphics/tile_set_win32.h"
#include "resources/resource.h"

void LoadStartupPictures(HWND mainWindow, const std::string& dataFolder) {
  LoadTileSet(tileSetPath[0] ? tileSetPath : DEFAULT_TILESET_FILE);
  LoadStartupBackground(dataFolder);
  LoadStartupResourcePictures(mainWindow);
}

void FreeStartupPictures() {
  DeleteAndClear(instructionsBitmap);
  DeleteAndClear(titleBitmap);
  DeleteAndClear(clockBitmap);
  DeleteAndClear(clockMask);
}
