// picture_png.cpp - PNG reading through libpng's simplified interface.
//
// Every PNG colour type and depth comes out as 24-bit B,G,R; alpha is dropped. libpng checks every chunk's CRC and fails a file that is cut short.
#include "picture_codecs.h"

#include <cstring>

#include <png.h>

namespace {

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
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
    case 0: case 3: info.bitsPerPixel = depth <= 1 ? 1 : depth <= 4 ? 4 : 8; break;
    case 2: info.bitsPerPixel = 24; break;
    case 4: case 6: info.bitsPerPixel = 32; break;
    default: return false;
  }
  if (type == 4) info.bitsPerPixel = 8;
  return true;
}

bool DecodePng(const uint8_t* data, size_t size, Picture& picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return false;
  bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  if (!PictureSizeAllowed(image.width, image.height) ||
      !AllocatePicturePixels(picture, image.width, image.height, 24)) {
    png_image_free(&image);
    return false;
  }
  if (!alpha) {
    image.format = PNG_FORMAT_BGR;
    bool ok = png_image_finish_read(&image, nullptr, picture.pixels.data(), picture.stride,
                                    nullptr) != 0;
    png_image_free(&image);
    return ok;
  }
  // With alpha: read B,G,R,A and keep the colours as they are, like every other reader.
  image.format = PNG_FORMAT_BGRA;
  std::vector<uint8_t> rows;
  try {
    rows.resize(size_t(PNG_IMAGE_SIZE(image)));
  } catch (...) {
    png_image_free(&image);
    return false;
  }
  bool ok = png_image_finish_read(&image, nullptr, rows.data(), 0, nullptr) != 0;
  png_image_free(&image);
  if (!ok) return false;
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* s = rows.data() + size_t(y) * size_t(picture.width) * 4;
    uint8_t* d = PictureRow(picture, y);
    for (int32_t x = 0; x < picture.width; ++x) {
      d[3 * x] = s[4 * x];
      d[3 * x + 1] = s[4 * x + 1];
      d[3 * x + 2] = s[4 * x + 2];
    }
  }
  return true;
}
