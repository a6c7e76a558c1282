// screen_bitmap_win32.cpp - screen bitmaps, palette handling and the drawing helpers.
#include "screen_bitmap_win32.h"
#include "picture_win32.h"
#include "graphics/drawing_kit_win32.h"

HWND screenWindow = nullptr;
int32_t screenBits = 0;
HPALETTE sharedPalette = nullptr;
HBITMAP clockBitmap = nullptr;
HBITMAP clockMask = nullptr;
HBITMAP titleBitmap = nullptr;
HBITMAP instructionsBitmap = nullptr;

void ReadScreenBits(HWND window) {
  if (screenBits != 0) return;
  WindowDc screen(window);
  screenBits = GetDeviceCaps(screen.dc, BITSPIXEL) * GetDeviceCaps(screen.dc, PLANES);
}

namespace {

// The first load on a palette display seeds the shared palette with the fixed palette.
void SeedSharedPalette() {
  if (sharedPalette != nullptr || !PaletteDisplay()) return;
  Picture seed;
  PreparePicture(seed, 32, 32, 24);
  ChangePictureDepth(seed, 8, kDepthFixedPalette);
  HPALETTE own = MakePicturePalette(nullptr, seed);
  sharedPalette = CopyPicturePalette(own);
  if (own) DeleteObject(own);
  ReleasePicture(seed);
}

// The bytes of a "TEXT" resource, or nullptr.
const uint8_t* FindTextResource(const char* name, size_t& size) {
  size = 0;
  HRSRC found = FindResourceA(nullptr, name, "TEXT");
  if (found == nullptr) return nullptr;
  size = SizeofResource(nullptr, found);
  HGLOBAL loaded = LoadResource(nullptr, found);
  return loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
}

void SetPictureRect(Picture& picture) { picture.viewRect = {0, 0, picture.width, picture.height}; }

// A screen bitmap of that size. On a palette display it is an 8-bit DIB section whose
// colour table is the shared palette, so that it keeps every colour of that palette
// (Wine maps pictures painted into a compatible bitmap of a palette display to the
// twenty static colours only); elsewhere a bitmap compatible with the window.
HBITMAP CreateScreenBitmap(HDC windowDc, int width, int height) {
  if (!SharedPaletteInUse()) return CreateCompatibleBitmap(windowDc, width, height);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info{};
  PALETTEENTRY entries[256];
  UINT count = GetPaletteEntries(sharedPalette, 0, 256, entries);
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = count;
  for (UINT i = 0; i < count; ++i)
    info.colours[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  void* bits = nullptr;
  return CreateDIBSection(windowDc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                          nullptr, 0);
}

BITMAP BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObject(bitmap, sizeof info, &info) == 0) info = BITMAP{};
  return info;
}

// Source clamp: an area ending one pixel short of an edge, or past it, goes to the edge.
void ClampSource(const BITMAP& size, int sx, int sy, int& sw, int& sh) {
  if (sy + sh + 1 >= size.bmHeight) sh = size.bmHeight - sy;
  if (sx + sw + 1 >= size.bmWidth) sw = size.bmWidth - sx;
}

}  // namespace

void LoadResourcePicture(Picture& picture, const char* name) {
  size_t size = 0;
  const uint8_t* data = FindTextResource(name, size);
  PictureInfo info;
  ReadPictureMemoryInfo(data, info, size);
  PreparePicture(picture, info.width, info.height, info.bitsPerPixel);
  LoadPictureMemory(data, picture, 24, size, info.loadValue);
  SetPictureRect(picture);
}

HBITMAP LoadScreenBitmap(const char* name, int32_t* width, int32_t* height, HWND window) {
  ReadScreenBits(window);
  SeedSharedPalette();
  size_t size = 0;
  const uint8_t* data = FindTextResource(name, size);
  WaitCursor wait;
  PictureInfo info;
  ReadPictureMemoryInfo(data, info, size);
  Picture picture;
  PreparePicture(picture, info.width, info.height, info.bitsPerPixel);
  if (LoadPictureMemory(data, picture, 24, size) < 0) return nullptr;
  SetPictureRect(picture);
  if (width) *width = picture.width;
  if (height) *height = picture.height;
  return MakeScreenBitmap(picture, window, nullptr);
}

HBITMAP MakeScreenBitmap(Picture& picture, HWND window, const RECT* size) {
  WaitCursor wait;
  ReadScreenBits(window);
  picture.flags |= kPictureForScreenBitmap;
  picture.paintOption = 0;
  WindowDc screen(window);
  bool hasData = (picture.flags & kPictureHasData) != 0 && picture.width > 0;
  if (hasData) {
    if (!PaletteDisplay())
      ChangePictureDepth(picture, screenBits, kDepthDithered);
    else if (picture.bitsPerPixel >= 8)
      AdaptPictureToDisplay(picture, 3, screenBits);
  }
  if (PaletteDisplay() && hasData && (picture.bitsPerPixel <= 8 || sharedPalette == nullptr)) {
    HPALETTE made = MakePicturePalette(screen.dc, picture);
    if (made) {
      DeleteAndClear(sharedPalette);
      sharedPalette = made;
    }
  }
  int32_t width = size ? size->right : picture.width;
  int32_t height = size ? size->bottom : picture.height;
  if (size) {
    picture.viewRect = {0, 0, width, height};
    picture.flags |= kPicturePaintScaled;
    picture.paintOffsetX = 0;
    picture.paintOffsetY = 0;
  }
  HBITMAP bitmap = nullptr;
  {
    PaletteScope screenPalette(hasData ? screen.dc : nullptr);
    if (width > 0 && height > 0) bitmap = CreateScreenBitmap(screen.dc, width, height);
    if (bitmap != nullptr) {
      MemoryDc memory(screen.dc, bitmap);
      PaletteScope memoryPalette(memory.dc, false);
      RECT all{0, 0, width, height};
      if (hasData) {
        PaintPicture(window, memory.dc, picture, &all, 0, 0);
      } else {
        FillRect(memory.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      }
    }
  }
  if (size == nullptr) ReleasePicture(picture);
  return bitmap;
}

void SetScreenWindow(HWND window) { screenWindow = window; }

void LoadStartupResourcePictures(HWND mainWindow) {
  Picture clock;
  LoadResourcePicture(clock, "clock");
  DeleteAndClear(clockBitmap);
  DeleteAndClear(clockMask);
  clockBitmap = ScreenBitmapNative(clock, mainWindow);
  if (clockBitmap) clockMask = MakeTransparencyMask(clockBitmap, 96, 96);
  DeleteAndClear(titleBitmap);
  DeleteAndClear(instructionsBitmap);
  titleBitmap = LoadScreenBitmap("egg2", nullptr, nullptr, mainWindow);
  instructionsBitmap = LoadScreenBitmap("BombInst", nullptr, nullptr, mainWindow);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int dx, int dy, int dw, int dh, int sx, int sy, int sw,
                int sh) {
  BITMAP size = BitmapSize(bitmap);
  if (size.bmWidth <= 0 || size.bmHeight <= 0) return;
  ClampSource(size, sx, sy, sw, sh);
  if (sw <= 0 || sh <= 0) return;
  MemoryDc memory(dc, bitmap);
  PaletteScope targetPalette(dc);
  if (dw == sw && dh == sh) {
    BitBlt(dc, dx, dy, dw, dh, memory.dc, sx, sy, SRCCOPY);
  } else {
    PaletteScope sourcePalette(memory.dc, false);
    StretchBlt(dc, dx, dy, dw, dh, memory.dc, sx, sy, sw, sh, SRCCOPY);
  }
}

void DrawMaskedBitmap(HDC dc, HBITMAP bitmap, HBITMAP mask, int dx, int dy, int dw, int dh, int sx,
                      int sy, int sw, int sh) {
  BITMAP size = BitmapSize(bitmap);
  if (size.bmWidth <= 0 || size.bmHeight <= 0 || mask == nullptr) return;
  ClampSource(size, sx, sy, sw, sh);
  if (sw <= 0 || sh <= 0) return;
  MemoryDc image(dc, bitmap);
  MemoryDc masks(dc, mask);
  if (dw == sw && dh == sh) {
    BitBlt(dc, dx, dy, dw, dh, masks.dc, sx, sy, SRCAND);
    BitBlt(dc, dx, dy, dw, dh, image.dc, sx, sy, SRCPAINT);
  } else {
    PaletteScope targetPalette(dc, false);
    PaletteScope imagePalette(image.dc, false);
    PaletteScope maskPalette(masks.dc, false);
    StretchBlt(dc, dx, dy, dw, dh, masks.dc, sx, sy, sw, sh, SRCAND);
    StretchBlt(dc, dx, dy, dw, dh, image.dc, sx, sy, sw, sh, SRCPAINT);
  }
}

HBITMAP MakeTransparencyMask(HBITMAP bitmap, int width, int height) {
  if (bitmap == nullptr || width <= 0 || height <= 0) return nullptr;
  WindowDc screen(screenWindow);
  MemoryDc first(screen.dc, bitmap);
  MemoryDc second(screen.dc);
  COLORREF oldBackground = SetBkColor(first.dc, RGB(0, 0, 0));
  // A bitmap compatible with a fresh memory context is monochrome.
  HBITMAP mask = CreateCompatibleBitmap(second.dc, width, height);
  {
    HGDIOBJ oldSecond = SelectObject(second.dc, mask);
    BitBlt(second.dc, 0, 0, width, height, first.dc, 0, 0, SRCCOPY);
    SelectObject(second.dc, oldSecond);
  }
  SetBkColor(first.dc, oldBackground);
  return mask;
}

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT box{left, top, right, bottom};
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void SetClientSize(HWND window, int x, int y, int width, int height, BOOL repaint) {
  MoveWindow(window, x, y, width, height, FALSE);
  RECT client{};
  GetClientRect(window, &client);
  MoveWindow(window, x, y, 2 * width - client.right, 2 * height - client.bottom, repaint);
}
