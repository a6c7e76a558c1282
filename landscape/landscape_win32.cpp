// The landscape commands (116, 117, 118): a generator computes its picture into a DIB
// section that starts as a copy of the window, and every finished column (or pass of the
// fractal) is copied onto the window at once, so the player watches it grow. When it is
// done the window's contents become the background.

#include "landscape/landscape.h"

#include <windows.h>

#include <memory>
#include <new>

#include "game/board.h"
#include "game/platform.h"
#include "graphics/background_win32.h"
#include "graphics/board_paint_win32.h"
#include "graphics/drawing_kit_win32.h"
#include "graphics/screen_bitmap_win32.h"
#include "landscape/generators.h"
#include "resources/resource.h"
#include "shell/shell_win32.h"

namespace {

const char kNeedsMoreColours[] =
    "The landscape generators are intended for machines that are set for higher than 256 "
    "colors. Your machine is set for 256 or less colors. You may wish to change your video "
    "driver and try making a landscape later.";

// The window's client area mirrored in a 32-bit top-down DIB section that the generators
// write into.
struct Mirror {
  HDC window = nullptr;
  HDC memory = nullptr;
  LandscapeCanvas canvas;
};

// Copies columns x .. x + width - 1 onto the window and makes them visible at once, although
// no message is handled until the picture is finished.
void ShowArea(const Mirror& mirror, int32_t x, int32_t width) {
  BitBlt(mirror.window, x, 0, width, mirror.canvas.height, mirror.memory, x, 0, SRCCOPY);
  GdiFlush();
}

void ShowColumn(int32_t column, void* context) {
  ShowArea(*static_cast<Mirror*>(context), column, 1);
}

void ShowPass(int32_t, void* context) {
  const Mirror& mirror = *static_cast<Mirror*>(context);
  ShowArea(mirror, 0, mirror.canvas.width);
}

// Runs the command's generator over the mirror. The grids of 117 are the caller's.
void RunGenerator(int32_t commandId, Mirror& mirror, uint8_t* shape, uint8_t* tint) {
  switch (commandId) {
    case CMD_GENERATE_LANDSCAPE:
      BuildHeightGrid(shape, GetTickCount());
      BuildHeightGrid(tint, GetTickCount());
      RenderLandscape(mirror.canvas, shape, tint, screenBits, ShowColumn, &mirror);
      break;
    case CMD_GENERATE_MULTICOLOR:
      RenderColourStrips(mirror.canvas, GetTickCount(), ShowColumn, &mirror);
      break;
    default: {
      FractalRegion region = DrawFractalRegion();
      RenderBandedFractal(mirror.canvas, region, ShowPass, &mirror);
      break;
    }
  }
}

// Draws the command's picture into the window's client area through a mirror that starts
// as a copy of it, so that pixels a generator leaves alone keep what the window showed.
// False, with nothing drawn, when there is no room for the mirror.
bool DrawIntoWindow(int32_t commandId, HDC window, uint8_t* shape, uint8_t* tint) {
  const int32_t width = gameState.clientWidth, height = gameState.clientHeight;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return false;
  }
  {
    MemoryDc memory(window, bitmap);
    BitBlt(memory.dc, 0, 0, width, height, window, 0, 0, SRCCOPY);
    GdiFlush();
    Mirror mirror;
    mirror.window = window;
    mirror.memory = memory.dc;
    mirror.canvas.width = width;
    mirror.canvas.height = height;
    mirror.canvas.pixels = static_cast<uint32_t*>(bits);
    RunGenerator(commandId, mirror, shape, tint);
    // Whatever was computed, also a column cut short, is on the window.
    ShowArea(mirror, 0, width);
  }
  DeleteObject(bitmap);
  return true;
}

}  // namespace

void GenerateBackground(int32_t commandId) {
  if (commandId != CMD_GENERATE_MULTICOLOR && commandId != CMD_GENERATE_LANDSCAPE &&
      commandId != CMD_GENERATE_BANDED)
    return;
  if (commandId != CMD_GENERATE_BANDED && PaletteDisplay()) {
    MessageBoxA(mainWindow, kNeedsMoreColours, "I'm Sorry:", MB_OK);
    return;
  }
  // Without room for the height grids the command does nothing.
  std::unique_ptr<uint8_t[]> shape, tint;
  if (commandId == CMD_GENERATE_LANDSCAPE) {
    shape.reset(new (std::nothrow) uint8_t[kGridBytes]());
    tint.reset(new (std::nothrow) uint8_t[kGridBytes]());
    if (!shape || !tint) return;
  }

  HideMenuDialog();
  SetGeneratingPicture(true);
  ClearStopRequest();
  {
    WindowDc window(mainWindow);
    PaletteScope palette(window.dc);
    // Without room for the picture the background stays as it was.
    if (DrawIntoWindow(commandId, window.dc, shape.get(), tint.get()))
      TakeBackgroundFromWindow(window.dc);
  }
  InvalidateRect(mainWindow, nullptr, FALSE);
  SetGeneratingPicture(false);
}
