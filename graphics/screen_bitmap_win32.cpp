// screen_bitmap_win32.cpp - screen bitmaps, palette handling and the drawing helpers.
#include "screen_bitmap_win32.h"
#include "picture_win32.h"

int32_t screenBits = 0;
HPALETTE sharedPalette = nullptr;
HBITMAP clockBitmap = nullptr;
HBITMAP clockMask = nullptr;
HBITMAP titleBitmap = nullptr;
HBITMAP instructionsBitmap = nullptr;

namespace {

// The window whose device context the masks are made from (the main window).
HWND maskWindow = nullptr;

void ReadScreenBits(HWND window) {
  if (screenBits != 0) return;
  HDC dc = GetDC(window);
  screenBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(window, dc);
}

// The first load on a palette display seeds the shared palette with the fixed palette.
void SeedSharedPalette() {
  if (sharedPalette != nullptr || screenBits > 8) return;
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

void SetPictureRect(Picture& picture) {
  picture.viewRect = {0, 0, picture.width, picture.height};
}

// A screen bitmap of that size. On a palette display it is an 8-bit DIB section whose
// colour table is the shared palette, so that it keeps every colour of that palette
// (Wine maps pictures painted into a compatible bitmap of a palette display to the
// twenty static colours only); elsewhere a bitmap compatible with the window.
HBITMAP CreateScreenBitmap(HDC windowDc, int width, int height) {
  if (screenBits > 8 || sharedPalette == nullptr)
    return CreateCompatibleBitmap(windowDc, width, height);
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
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  PictureInfo info;
  ReadPictureMemoryInfo(data, info, size);
  Picture picture;
  PreparePicture(picture, info.width, info.height, info.bitsPerPixel);
  int32_t result = LoadPictureMemory(data, picture, 24, size);
  SetPictureRect(picture);
  if (result < 0) {
    SetCursor(previous);
    return nullptr;
  }
  if (screenBits == 8) picture.flags |= kPictureForPaletteDisplay;
  else picture.flags &= ~kPictureForPaletteDisplay;
  picture.paintOption = 0;
  HDC windowDc = GetDC(window);
  if (picture.bitsPerPixel <= 8) {
    if (screenBits <= 8) AdaptPictureToDisplay(picture, 3, screenBits);
    else ChangePictureDepth(picture, screenBits, picture.conversionHint ? kDepthDithered : 0);
  }
  HPALETTE picturePalette = nullptr;
  if (screenBits <= 8 && (picture.bitsPerPixel != screenBits || sharedPalette == nullptr)) {
    picturePalette = MakePicturePalette(windowDc, picture);
    picture.palette = reinterpret_cast<uintptr_t>(picturePalette);
  }
  if (width) *width = picture.width;
  if (height) *height = picture.height;
  if (screenBits <= 8) {
    if (sharedPalette == nullptr) sharedPalette = CopyPicturePalette(picturePalette);
    SelectPalette(windowDc, sharedPalette, FALSE);
    RealizePalette(windowDc);
  }
  HDC memory = CreateCompatibleDC(windowDc);
  HPALETTE oldPalette = nullptr;
  if (screenBits <= 8 && sharedPalette) oldPalette = SelectPalette(memory, sharedPalette, FALSE);
  HBITMAP bitmap = CreateScreenBitmap(windowDc, picture.width, picture.height);
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, picture.width, picture.height};
    PaintPicture(window, memory, picture, &all, 0, 0);
    SelectObject(memory, old);
  }
  if (oldPalette) SelectPalette(memory, oldPalette, FALSE);
  DeleteDC(memory);
  if (picturePalette) DeleteObject(picturePalette);
  ReleasePicture(picture);
  ReleaseDC(window, windowDc);
  SetCursor(previous);
  return bitmap;
}

HBITMAP MakeScreenBitmap(Picture& picture, HWND window, const RECT* size) {
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  ReadScreenBits(window);
  picture.flags |= kPictureForScreenBitmap;
  picture.paintOption = 0;
  int32_t entryBits = picture.bitsPerPixel;
  HDC windowDc = GetDC(window);
  bool hasData = (picture.flags & kPictureHasData) != 0 && picture.width > 0;
  if (hasData) {
    if (screenBits > 8) ChangePictureDepth(picture, screenBits, kDepthDithered);
    else if (picture.bitsPerPixel >= 8) AdaptPictureToDisplay(picture, 3, screenBits);
  }
  if (screenBits <= 8 && hasData) {
    if (picture.bitsPerPixel <= 8 || sharedPalette == nullptr) {
      HPALETTE made = MakePicturePalette(windowDc, picture);
      if (made) {
        DeleteAndClear(sharedPalette);
        sharedPalette = made;
      }
    }
    if (sharedPalette) {
      SelectPalette(windowDc, sharedPalette, FALSE);
      RealizePalette(windowDc);
    }
  }
  HDC memory = CreateCompatibleDC(windowDc);
  bool usePalette = sharedPalette && (screenBits <= 8 || entryBits <= 8);
  HPALETTE oldPalette = usePalette ? SelectPalette(memory, sharedPalette, FALSE) : nullptr;
  int32_t width = size ? size->right : picture.width;
  int32_t height = size ? size->bottom : picture.height;
  if (size) {
    picture.viewRect = {0, 0, width, height};
    picture.flags |= kPicturePaintScaled;
    picture.paintOffsetX = 0;
    picture.paintOffsetY = 0;
  }
  HBITMAP bitmap = nullptr;
  if (width > 0 && height > 0) bitmap = CreateScreenBitmap(windowDc, width, height);
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, width, height};
    if (hasData) {
      PaintPicture(window, memory, picture, &all, 0, 0);
    } else {
      FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    SelectObject(memory, old);
  }
  if (usePalette && oldPalette) SelectPalette(memory, oldPalette, FALSE);
  DeleteDC(memory);
  if (size == nullptr) ReleasePicture(picture);
  ReleaseDC(window, windowDc);
  SetCursor(previous);
  return bitmap;
}

void LoadStartupResourcePictures(HWND mainWindow) {
  maskWindow = mainWindow;
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
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  if (dw == sw && dh == sh) {
    if (screenBits == 8 && sharedPalette) {
      SelectPalette(dc, sharedPalette, FALSE);
      RealizePalette(dc);
    }
    BitBlt(dc, dx, dy, dw, dh, memory, sx, sy, SRCCOPY);
  } else {
    HPALETTE oldPalette = nullptr;
    if (screenBits == 8 && sharedPalette) {
      SelectPalette(dc, sharedPalette, FALSE);
      RealizePalette(dc);
      oldPalette = SelectPalette(memory, sharedPalette, FALSE);
    }
    StretchBlt(dc, dx, dy, dw, dh, memory, sx, sy, sw, sh, SRCCOPY);
    if (oldPalette) SelectPalette(memory, oldPalette, FALSE);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
}

void DrawMaskedBitmap(HDC dc, HBITMAP bitmap, HBITMAP mask, int dx, int dy, int dw, int dh,
                      int sx, int sy, int sw, int sh) {
  BITMAP size = BitmapSize(bitmap);
  if (size.bmWidth <= 0 || size.bmHeight <= 0 || mask == nullptr) return;
  ClampSource(size, sx, sy, sw, sh);
  if (sw <= 0 || sh <= 0) return;
  HDC image = CreateCompatibleDC(dc);
  HDC masks = CreateCompatibleDC(dc);
  HGDIOBJ oldImage = SelectObject(image, bitmap);
  HGDIOBJ oldMask = SelectObject(masks, mask);
  if (dw == sw && dh == sh) {
    BitBlt(dc, dx, dy, dw, dh, masks, sx, sy, SRCAND);
    BitBlt(dc, dx, dy, dw, dh, image, sx, sy, SRCPAINT);
  } else {
    HPALETTE p1 = nullptr, p2 = nullptr;
    if (screenBits == 8 && sharedPalette) {
      SelectPalette(dc, sharedPalette, FALSE);
      p1 = SelectPalette(image, sharedPalette, FALSE);
      p2 = SelectPalette(masks, sharedPalette, FALSE);
    }
    StretchBlt(dc, dx, dy, dw, dh, masks, sx, sy, sw, sh, SRCAND);
    StretchBlt(dc, dx, dy, dw, dh, image, sx, sy, sw, sh, SRCPAINT);
    if (p1) SelectPalette(image, p1, FALSE);
    if (p2) SelectPalette(masks, p2, FALSE);
  }
  SelectObject(image, oldImage);
  SelectObject(masks, oldMask);
  DeleteDC(image);
  DeleteDC(masks);
}

HBITMAP MakeTransparencyMask(HBITMAP bitmap, int width, int height) {
  if (bitmap == nullptr || width <= 0 || height <= 0) return nullptr;
  HDC windowDc = GetDC(maskWindow);
  HDC first = CreateCompatibleDC(windowDc);
  HDC second = CreateCompatibleDC(windowDc);
  ReleaseDC(maskWindow, windowDc);
  COLORREF oldBackground = SetBkColor(first, RGB(0, 0, 0));
  HGDIOBJ oldFirst = SelectObject(first, bitmap);
  // A bitmap compatible with a fresh memory context is monochrome.
  HBITMAP mask = CreateCompatibleBitmap(second, width, height);
  HGDIOBJ oldSecond = SelectObject(second, mask);
  BitBlt(second, 0, 0, width, height, first, 0, 0, SRCCOPY);
  SelectObject(second, oldSecond);
  SelectObject(first, oldFirst);
  SetBkColor(first, oldBackground);
  DeleteDC(first);
  DeleteDC(second);
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
