// picture_png.cpp - PNG reading through libpng's simplified interface.
//
// Every PNG colour type and depth comes out as 24-bit B,G,R with the samples as stored,
// as other readers show a file's colours: 16-bit samples are taken to 8 bits, palettes
// and grey are expanded, alpha and transparency are dropped, and only a picture of
// linear light (gAMA 1.0) is converted, to sRGB; no other gamma is applied. libpng checks every
// chunk's CRC and fails a file that is cut short.
#include "picture_codecs.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>

#include <png.h>

namespace {

struct PngSource {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > source->size - source->position) png_error(png, "file cut short");
  std::memcpy(out, source->data + source->position, count);
  source->position += count;
}

void IgnoreWarning(png_structp, png_const_charp) {}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// 16-bit samples to 8 bits as other readers show them (v / 257, rounded down).
uint8_t Sample16To8(uint32_t v) { return uint8_t(v / 257); }

// A sample of a picture stored with linear light (gAMA 1.0) in the sRGB encoding that
// screens expect, from its value scaled to 16 bits.
uint8_t LinearToSrgb(uint32_t v) {
  double x = v / 65535.0;
  double encoded = x <= 0.0031306684425005883 ? 12.92 * x : 1.055 * std::pow(x, 1 / 2.4) - 0.055;
  return uint8_t(std::floor(std::min(1.0, std::max(0.0, encoded)) * 255.0 + 0.5));
}

// Reads the whole picture into `picture`. libpng reports errors by jumping back to the
// setjmp here, so nothing with a destructor is made between it and the reading calls;
// `rows` and `samples` belong to the caller for that reason.
bool ReadPngRows(png_structp png, png_infop info, PngSource* source, Picture& picture,
                 std::vector<png_bytep>& rows, std::vector<uint8_t>& samples) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadPngBytes);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int depth = 0, type = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &type, nullptr, nullptr, nullptr);
  if (!PictureSizeAllowed(width, height)) return false;
  // A picture that says it holds linear light is turned into sRGB; other gamma values
  // are taken as they are.
  png_fixed_point gamma = 0;
  bool linear = png_get_gAMA_fixed(png, info, &gamma) != 0 && gamma == PNG_FP_1 &&
                type != PNG_COLOR_TYPE_PALETTE;
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if ((type & PNG_COLOR_MASK_COLOR) == 0) {
    if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  png_set_strip_alpha(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  size_t sampleBytes = depth == 16 ? 2 : 1;
  size_t rowBytes = size_t(width) * 3 * sampleBytes;
  if (png_get_rowbytes(png, info) != rowBytes) return false;
  if (!AllocatePicturePixels(picture, width, height, 24)) return false;
  bool direct = sampleBytes == 1 && !linear;
  try {
    rows.resize(height);
    if (!direct) samples.resize(rowBytes * height);
  } catch (...) {
    return false;
  }
  for (png_uint_32 y = 0; y < height; ++y)
    rows[y] = direct ? PictureRow(picture, int32_t(y)) : samples.data() + rowBytes * y;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  if (direct) return true;
  uint8_t table[256];
  for (uint32_t v = 0; v < 256; ++v) table[v] = linear ? LinearToSrgb(v * 257) : uint8_t(v);
  for (png_uint_32 y = 0; y < height; ++y) {
    const uint8_t* s = rows[y];
    uint8_t* d = PictureRow(picture, int32_t(y));
    for (size_t i = 0; i < size_t(width) * 3; ++i) {
      if (sampleBytes == 1) {
        d[i] = table[s[i]];
      } else {
        // Linear samples are taken to 8 bits before they are encoded, as other
        // readers do.
        d[i] = table[Sample16To8(uint32_t(s[2 * i]) << 8 | s[2 * i + 1])];
      }
    }
  }
  return true;
}

}  // namespace

bool ReadPngInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  // Signature, then the IHDR chunk: length 13, "IHDR", width, height, depth, type.
  if (size < 33 || std::memcmp(data + 12, "IHDR", 4) != 0) return false;
  uint32_t width = BigEndian32(data + 16), height = BigEndian32(data + 20);
  int depth = data[24], type = data[25];
  if (width == 0 || height == 0 || width > uint32_t(kMaxPictureSide) ||
      height > uint32_t(kMaxPictureSide))
    return false;
  info.width = int32_t(width);
  info.height = int32_t(height);
  switch (type) {
    case 0:
    case 3:
      info.bitsPerPixel = depth <= 1 ? 1 : depth <= 4 ? 4 : 8;
      break;
    case 2:
      info.bitsPerPixel = 24;
      break;
    case 4:
    case 6:
      info.bitsPerPixel = 32;
      break;
    default:
      return false;
  }
  if (type == 4) info.bitsPerPixel = 8;
  return true;
}

bool DecodePng(const uint8_t* data, size_t size, Picture& picture) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  PngSource source{data, size, 0};
  std::vector<png_bytep> rows;
  std::vector<uint8_t> samples;
  bool ok = ReadPngRows(png, info, &source, picture, rows, samples);
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}
