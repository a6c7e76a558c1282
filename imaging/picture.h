// picture.h - the imaging library: picture records and the operations on them.
//
// Portable (no <windows.h>). The game calls these operations by their role; the
// Win32 half (painting into a device context, palettes, copying a window into a
// picture) is declared in picture_win32.h.
//
// Storage. A picture's data is a block of top-down rows, each `stride` bytes long
// (a multiple of 4, so that a row is also a valid DIB row):
//   bitsPerPixel 1, 4 or 8  one byte per pixel, an index into `colours`
//                           (`colourCount` entries, at most 1 << bitsPerPixel);
//   bitsPerPixel 16, 24, 32 three bytes per pixel, blue, green, red. A 16-bit picture
//                           holds only colours of 5 bits per channel (the low three
//                           bits of every byte are copies of the high ones); a 32-bit
//                           picture is stored like a 24-bit one.
// The library allocates and releases the data; the program owns the record itself.
//
// Results: 1 means success; failures are negative (the kPicture... codes below).
// Every operation is safe on any input: a damaged or hostile file is a failed load
// with width 0, never a crash, and nothing larger than kMaxPictureSide on a side or
// kMaxPicturePixels in all is ever allocated.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int32_t kPictureSuccess = 1;
constexpr int32_t kPictureFailure = -1;    // anything else that went wrong
constexpr int32_t kPictureFileError = -2;  // cannot open, read or write the file
constexpr int32_t kPictureNoMemory = -3;
constexpr int32_t kPictureTooLarge = -4;        // over the size limits below
constexpr int32_t kPictureBadData = -9;         // not a picture we read, or damaged
constexpr int32_t kPictureBadArgument = -13;    // absurd depth, size or option
constexpr int32_t kPictureUnknownFormat = -16;  // no such save format or save entry

constexpr int32_t kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = int64_t(1) << 28;
// Files larger than this are not read at all.
constexpr int64_t kMaxPictureFileBytes = int64_t(1) << 30;

// `flags` bits.
constexpr uint32_t kPictureHasData = 0x1;  // set by the library while data is held
constexpr uint32_t kPictureForPaletteDisplay = 0x400;
constexpr uint32_t kPictureForScreenBitmap = 0x800;
constexpr uint32_t kPicturePaintScaled = 0x1000;

// Options of ChangePictureDepth when the new depth has a palette (8 bits or fewer).
constexpr int32_t kDepthOptimisedPalette = 0;  // a palette made for the picture
constexpr int32_t kDepthFixedPalette = 1;      // the fixed colour cube, the same for all
constexpr int32_t kDepthDithered = 4;          // optimised palette, error diffusion

// Format codes of SavePictureFile.
constexpr int32_t kFormatPcx = 1;
constexpr int32_t kFormatGif = 2;
constexpr int32_t kFormatTiff = 3;
constexpr int32_t kFormatTga = 4;
constexpr int32_t kFormatBmp = 6;
constexpr int32_t kFormatJfif = 10;
constexpr int32_t kFormatJpegTiff = 11;
constexpr int32_t kFormatOs2Bmp = 14;
constexpr int32_t kFormatTiffLzw = 17;
constexpr int32_t kFormatBkg = 20;
constexpr int32_t kFormatPict = 56;

// What a file turned out to be, decided by its content alone.
enum class PictureKind : int32_t {
  Unknown = 0,
  Bmp,
  Tga,
  Pcx,
  Tiff,
  Gif,
  Jpeg,
  Png,
  Pict,
};

struct PictureColour {
  uint8_t blue = 0, green = 0, red = 0, unused = 0;
};

struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  int32_t paintOffsetX = 0;
  int32_t paintOffsetY = 0;
  uint32_t flags = 0;
  uintptr_t palette = 0;              // display palette handle (Win32 layer)
  std::array<int32_t, 4> viewRect{};  // left, top, right, bottom
  int32_t conversionHint = 0;
  int32_t paintOption = 0;

  int32_t stride = 0;
  std::vector<uint8_t> pixels;
  int32_t colourCount = 0;
  std::array<PictureColour, 256> colours{};
};

struct PictureInfo {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;  // as stored in the file: 1, 4, 8, 16, 24, 32
  int32_t loadValue = 0;     // passed back unchanged to the loads
  PictureKind kind = PictureKind::Unknown;
};

// Reads the information of a picture file (width, height, depth). Result 1 or a
// failure code; on failure the record is zeroed.
int32_t ReadPictureFileInfo(const char* path, PictureInfo& info);
// The same for a picture held in memory.
int32_t ReadPictureMemoryInfo(const uint8_t* data, PictureInfo& info, size_t byteCount);

// Makes the record an empty (black) picture of that size and depth, releasing any
// data it held. bitsPerPixel 1, 4, 8, 16, 24 or 32.
int32_t PreparePicture(Picture& picture, int32_t width, int32_t height, int32_t bitsPerPixel);

// Loads a picture file into the record at the given depth (0 keeps the file's own).
// On failure the record holds no data and its width is 0.
int32_t LoadPictureFile(const char* path, Picture& picture, int32_t bitsPerPixel,
                        int32_t loadValue);
// Loads a picture file at its own depth into a new record and, only when it loaded,
// puts it in the place of `picture` (whose data is released). On failure `picture`
// keeps what it held. Returns true on success.
bool LoadPictureReplacing(const char* path, Picture& picture);
// The same from memory.
int32_t LoadPictureMemory(const uint8_t* data, Picture& picture, int32_t bitsPerPixel,
                          size_t byteCount, int32_t loadValue = 0);

// Changes the colour resolution. Going to 8 bits or fewer makes a palette as the option
// says; going up keeps the colours exactly.
int32_t ChangePictureDepth(Picture& picture, int32_t bitsPerPixel, int32_t option);

// Adapts a picture for a palette display of displayBits (8 or fewer): the picture is
// dithered to the fixed palette of that depth (see ChangePictureDepth), the palette that
// palette displays share. On a deeper display it changes to that depth. `mode` is
// accepted for the callers' sake and has no effect.
int32_t AdaptPictureToDisplay(Picture& picture, int32_t mode, int32_t displayBits);

// Scales source into target (any depth in, 24 bits out): averaging every source pixel
// a target pixel covers when shrinking, bilinear when enlarging.
int32_t ScalePicture(const Picture& source, Picture& target, int32_t width, int32_t height);

// Releases the picture's data; the record can be loaded again.
void ReleasePicture(Picture& picture);

// Writes the picture as format code `format` at bitsPerPixel (24, or 8 for GIF); the
// picture itself is left as it is. quality: 0 the format's default, 2 the best,
// larger values smaller files. The file is written only when the whole picture
// encoded. Result 1 on success, kPictureUnknownFormat for an unknown code.
int32_t SavePictureFile(const char* path, const Picture& picture, int32_t format,
                        int32_t bitsPerPixel, int32_t quality);

// Encodes into memory instead of a file (the same rules).
int32_t EncodePicture(const Picture& picture, int32_t format, int32_t bitsPerPixel, int32_t quality,
                      std::vector<uint8_t>& out);

// Decides what kind of picture the bytes hold.
PictureKind SniffPicture(const uint8_t* data, size_t byteCount);
