// picture_win32.cpp - painting pictures into device contexts, palettes, and copying a
// window back into a picture.
#include "picture_win32.h"
#include "imaging/picture_codecs.h"
#include "graphics/drawing_kit_win32.h"

#include <memory>
#include <vector>

namespace {

struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

void FillHeader(DibHeader& dib, const Picture& picture) {
  ZeroMemory(&dib, sizeof dib);
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = picture.width;
  dib.header.biHeight = -picture.height;  // rows run top-down
  dib.header.biPlanes = 1;
  dib.header.biBitCount = WORD(picture.bitsPerPixel <= 8 ? 8 : 24);
  dib.header.biCompression = BI_RGB;
  if (picture.bitsPerPixel <= 8) {
    dib.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
      const PictureColour& c = picture.colours[size_t(i)];
      dib.colours[i] = RGBQUAD{c.blue, c.green, c.red, 0};
    }
  }
}

HPALETTE PaletteOf(const PictureColour* colours, int count) {
  std::vector<uint8_t> memory(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * 256);
  LOGPALETTE* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = WORD(count);
  for (int i = 0; i < count; ++i)
    log->palPalEntry[i] = PALETTEENTRY{colours[i].red, colours[i].green, colours[i].blue, 0};
  return CreatePalette(log);
}

}  // namespace

HPALETTE MakePicturePalette(HDC, const Picture& picture) {
  if (picture.bitsPerPixel <= 8 && picture.colourCount > 0)
    return PaletteOf(picture.colours.data(), picture.colourCount);
  Picture cube;
  if (PreparePicture(cube, 1, 1, 24) != kPictureSuccess ||
      ChangePictureDepth(cube, 8, kDepthFixedPalette) != kPictureSuccess)
    return nullptr;
  return PaletteOf(cube.colours.data(), cube.colourCount);
}

HPALETTE CopyPicturePalette(HPALETTE palette) {
  if (palette == nullptr) return nullptr;
  PALETTEENTRY entries[256];
  UINT count = GetPaletteEntries(palette, 0, 256, entries);
  if (count == 0) return nullptr;
  std::vector<PictureColour> colours(count);
  for (UINT i = 0; i < count; ++i)
    colours[i] = PictureColour{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  return PaletteOf(colours.data(), int(count));
}

int32_t PaintPicture(HWND, HDC dc, const Picture& picture, const RECT* rect, int32_t, int32_t) {
  if (dc == nullptr || rect == nullptr) return kPictureBadArgument;
  if ((picture.flags & kPictureHasData) == 0 || picture.width < 1 || picture.height < 1)
    return kPictureBadArgument;
  int32_t width = rect->right - rect->left, height = rect->bottom - rect->top;
  if (width < 1 || height < 1) return kPictureSuccess;
  const Picture* source = &picture;
  Picture scaled;
  if (width != picture.width || height != picture.height) {
    int32_t result = ScalePicture(picture, scaled, width, height);
    if (result != kPictureSuccess) return result;
    source = &scaled;
  }
  // A palette device would take the nearest palette colour of every pixel; dithering to
  // the fixed palette (the shared palette of palette displays) looks far better.
  if (source->bitsPerPixel > 8 && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) {
    if (source != &scaled) scaled = picture;
    if (AdaptPictureToDisplay(scaled, 3, 8) != kPictureSuccess) return kPictureNoMemory;
    source = &scaled;
  }
  auto dib = std::make_unique<DibHeader>();
  FillHeader(*dib, *source);
  int lines = SetDIBitsToDevice(dc, rect->left, rect->top, DWORD(width), DWORD(height), 0, 0, 0,
                                UINT(height), source->pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(dib.get()), DIB_RGB_COLORS);
  return lines > 0 ? kPictureSuccess : kPictureFailure;
}

int32_t CopyWindowToPicture(HDC dc, Picture& picture, const RECT* rect) {
  if (dc == nullptr || rect == nullptr) return kPictureBadArgument;
  int32_t width = rect->right - rect->left, height = rect->bottom - rect->top;
  Picture copy;
  if (PreparePicture(copy, width, height, 24) != kPictureSuccess) return kPictureTooLarge;
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  bool ok = bitmap != nullptr;
  if (ok) {
    MemoryDc reader(dc);
    // On a palette display the copied indices are read through the palette the screen
    // shows them with, not through the default one.
    PaletteScope palette(reader.dc, false);
    {
      // The bitmap is selected only for the copy: GetDIBits wants it free.
      MemoryDc copier(dc, bitmap);
      ok = copier.dc != nullptr &&
           BitBlt(copier.dc, 0, 0, width, height, dc, rect->left, rect->top, SRCCOPY) != 0;
    }
    auto dib = std::make_unique<DibHeader>();
    FillHeader(*dib, copy);
    ok = ok && reader.dc != nullptr &&
         GetDIBits(reader.dc, bitmap, 0, UINT(height), copy.pixels.data(),
                   reinterpret_cast<BITMAPINFO*>(dib.get()), DIB_RGB_COLORS) == height;
  }
  if (bitmap) DeleteObject(bitmap);
  if (!ok) return kPictureFailure;
  uint32_t keep = picture.flags & ~kPictureHasData;
  picture = std::move(copy);
  picture.flags |= keep;
  return kPictureSuccess;
}
