// Piece image sets: loading a set file, and the set's images made ready for drawing.
//
// Squares are rarely 96 x 96. Rather than stretching an image on every draw (slow, and
// a plain stretch drops pixels, which turns fine textures into speckle), the set's
// images are scaled once per square size with the imaging library's averaging scaler
// and kept as one screen bitmap per size; drawing a square is then a plain copy. A
// field has at most four square sizes (widths and heights differ by one pixel); only
// those are kept, so resizing the window does not pile up images of sizes no longer
// drawn. The scaled images are made again when another set is loaded.

#include "graphics/tile_set_win32.h"

#include <cstring>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/platform.h"
#include "game/settings.h"
#include "graphics/drawing_kit_win32.h"
#include "imaging/picture.h"
#include "graphics/screen_bitmap_win32.h"

HBITMAP tileSetBitmap = nullptr;

namespace {

constexpr int32_t kImagesInFirstRow = 11;
constexpr int32_t kExplosionFramesInRow = 8;
constexpr int32_t kSetWidth = kImagesInFirstRow * kPieceSize;
constexpr int32_t kSetHeight = 2 * kPieceSize;

// The set picture at 24 bits, kept for scaling; no data when the set failed to load.
Picture setPicture;

// The images at one square size, selected once into a memory context of their own:
// a field of 2000 squares is then 2000 plain copies, with no context made per square.
struct ScaledPieces {
  int32_t width;
  int32_t height;
  HBITMAP bitmap;  // the eleven images in the first row, the frames in the second
  HDC dc;
  HGDIOBJ oldBitmap;
};
std::vector<ScaledPieces> scaledPieces;

void FreeScaledSize(ScaledPieces& pieces) {
  if (pieces.dc) {
    SelectObject(pieces.dc, pieces.oldBitmap);
    DeleteDC(pieces.dc);
  }
  DeleteAndClear(pieces.bitmap);
}

void FreeScaledPieces() {
  for (ScaledPieces& pieces : scaledPieces) FreeScaledSize(pieces);
  scaledPieces.clear();
}

// Copies the 96 x 96 image at (x, y) of the set into its own picture.
Picture CutPiece(int32_t x, int32_t y) {
  Picture piece;
  PreparePicture(piece, kPieceSize, kPieceSize, 24);
  for (int32_t row = 0; row < kPieceSize; ++row) {
    const uint8_t* from = setPicture.pixels.data() +
                          static_cast<size_t>(y + row) * static_cast<size_t>(setPicture.stride) +
                          static_cast<size_t>(x) * 3;
    memcpy(piece.pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(piece.stride), from,
           kPieceSize * 3);
  }
  return piece;
}

// Scales the piece at (x, y) of the set to w x h and puts it at (tx, ty) of `target`.
void PastePiece(Picture& target, int32_t x, int32_t y, int32_t w, int32_t h, int32_t tx,
                int32_t ty) {
  Picture piece = CutPiece(x, y);
  Picture scaled;
  if (ScalePicture(piece, scaled, w, h) != kPictureSuccess) return;
  for (int32_t row = 0; row < h; ++row) {
    memcpy(target.pixels.data() +
               static_cast<size_t>(ty + row) * static_cast<size_t>(target.stride) +
               static_cast<size_t>(tx) * 3,
           scaled.pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(scaled.stride),
           static_cast<size_t>(w) * 3);
  }
}

HBITMAP MakeScaledPieces(int32_t w, int32_t h) {
  Picture all;
  if (PreparePicture(all, kImagesInFirstRow * w, 2 * h, 24) != kPictureSuccess) return nullptr;
  for (int32_t k = 0; k < kImagesInFirstRow; ++k)
    PastePiece(all, k * kPieceSize, 0, w, h, k * w, 0);
  for (int32_t f = 0; f < kExplosionFramesInRow; ++f)
    PastePiece(all, f * kPieceSize, kPieceSize, w, h, f * w, h);
  return ScreenBitmapNative(all, screenWindow);
}

// The set's images at w x h in their memory context, made on first use; none without
// a set.
const ScaledPieces* PiecesOfSize(HDC target, int32_t w, int32_t h) {
  if (setPicture.width <= 0 || w <= 0 || h <= 0) return nullptr;
  for (const ScaledPieces& pieces : scaledPieces)
    if (pieces.width == w && pieces.height == h) return pieces.bitmap ? &pieces : nullptr;
  FreeUnusedPieceSizes();
  ScaledPieces pieces{w, h, MakeScaledPieces(w, h), nullptr, nullptr};
  if (pieces.bitmap) {
    pieces.dc = CreateCompatibleDC(target);
    // Held for the cache's lifetime, not a scope: the palette stays selected.
    if (SharedPaletteInUse()) SelectPalette(pieces.dc, sharedPalette, FALSE);
    pieces.oldBitmap = SelectObject(pieces.dc, pieces.bitmap);
  }
  scaledPieces.push_back(pieces);
  return scaledPieces.back().bitmap ? &scaledPieces.back() : nullptr;
}

void DrawFromSet(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t column, int32_t row) {
  if (w == kPieceSize && h == kPieceSize) {
    DrawBitmap(dc, tileSetBitmap, x, y, w, h, column * kPieceSize, row * kPieceSize, kPieceSize,
               kPieceSize);
    return;
  }
  const ScaledPieces* pieces = PiecesOfSize(dc, w, h);
  if (pieces) {
    PaletteScope palette(dc);
    BitBlt(dc, x, y, w, h, pieces->dc, column * w, row * h, SRCCOPY);
  } else
    DrawBitmap(dc, tileSetBitmap, x, y, w, h, column * kPieceSize, row * kPieceSize, kPieceSize,
               kPieceSize);
}

}  // namespace

void FreeUnusedPieceSizes() {
  size_t kept = 0;
  for (ScaledPieces& pieces : scaledPieces) {
    if (IsSquareSizeInUse(pieces.width, pieces.height))
      scaledPieces[kept++] = pieces;
    else
      FreeScaledSize(pieces);
  }
  scaledPieces.resize(kept);
}

void LoadTileSet(const char* path) {
  std::string file = path;  // path may be tileSetPath itself
  SetTileSetPath(file);

  FreeScaledPieces();
  ReleasePicture(setPicture);
  PictureInfo info;
  ReadPictureFileInfo(file.c_str(), info);
  Picture picture;
  PreparePicture(picture, info.width, info.height, info.bitsPerPixel);
  LoadPictureFile(file.c_str(), picture, info.bitsPerPixel, info.loadValue);
  HBITMAP fresh = nullptr;
  if (picture.width > 0) {
    // A picture smaller than the two rows of the layout is not a set.
    if (picture.width >= kSetWidth && picture.height >= kSetHeight) {
      setPicture = picture;
      if (setPicture.bitsPerPixel != 24) ChangePictureDepth(setPicture, 24, 0);
    }
    fresh = ScreenBitmapNative(picture, screenWindow);
  }
  ReleasePicture(picture);
  DeleteAndClear(tileSetBitmap);
  tileSetBitmap = fresh;
}

void ChooseTileSet(const std::string& path) {
  LoadTileSet(path.c_str());
  InvalidateRect(screenWindow, nullptr, FALSE);
}

void FreeTileSet() {
  FreeScaledPieces();
  ReleasePicture(setPicture);
  DeleteAndClear(tileSetBitmap);
}

void DrawPieceImage(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t image) {
  DrawFromSet(dc, x, y, w, h, image, 0);
}

void DrawExplosionImage(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, int32_t frame) {
  DrawFromSet(dc, x, y, w, h, frame, 1);
}
