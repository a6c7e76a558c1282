// picture_tga.cpp - TGA pictures, read and written by our own code.
//
// TGA has no signature; a file is taken for one when its 18-byte header is consistent
// (known image type, depths that belong to it, a colour map where one is needed).
// Reading: colour-mapped (8-bit indices, 15/16/24/32-bit map entries), true colour
// (15/16, 24, 32 bits) and grey (8 bits, or 16 with alpha), raw or run-length encoded,
// any origin corner. Alpha is dropped. Writing: 24 bits, raw, bottom-left origin.
#include "picture_codecs.h"
#include "picture_bytes.h"

#include <algorithm>

namespace {

struct TgaHeader {
  uint32_t idLength, mapType, imageType, mapFirst, mapLength, mapEntryBits;
  uint32_t width, height, pixelBits, descriptor;
};

bool ParseHeader(const uint8_t* data, size_t size, TgaHeader& h) {
  if (size < 18) return false;
  ByteReader r{data, size};
  h.idLength = r.U8(0);
  h.mapType = r.U8(1);
  h.imageType = r.U8(2);
  h.mapFirst = r.Le16(3);
  h.mapLength = r.Le16(5);
  h.mapEntryBits = r.U8(7);
  h.width = r.Le16(12);
  h.height = r.Le16(14);
  h.pixelBits = r.U8(16);
  h.descriptor = r.U8(17);
  if (h.mapType > 1 || h.width == 0 || h.height == 0 || (h.descriptor & 0xC0) != 0) return false;
  uint32_t kind = h.imageType & 7;
  if ((h.imageType & ~8u) == 0 || (h.imageType & ~0xBu) != 0 || kind > 3) return false;
  if (h.mapType == 1) {
    if (h.mapEntryBits != 15 && h.mapEntryBits != 16 && h.mapEntryBits != 24 &&
        h.mapEntryBits != 32)
      return false;
    if (h.mapLength == 0 || h.mapFirst + h.mapLength > 65536) return false;
  }
  switch (kind) {
    case 1:
      if (h.mapType != 1 || h.pixelBits != 8) return false;
      break;
    case 2:
      if (h.pixelBits != 15 && h.pixelBits != 16 && h.pixelBits != 24 && h.pixelBits != 32)
        return false;
      break;
    case 3:  // grey, or grey and alpha
      if (h.pixelBits != 8 && h.pixelBits != 16) return false;
      break;
  }
  size_t mapBytes = h.mapType ? size_t(h.mapLength) * ((h.mapEntryBits + 7) / 8) : 0;
  return size > 18 + h.idLength + mapBytes;
}

void ColourOf(const uint8_t* p, uint32_t bits, uint8_t& b, uint8_t& g, uint8_t& r) {
  if (bits <= 16) {
    uint32_t v = uint32_t(p[0] | p[1] << 8);
    b = Expand5(v);
    g = Expand5(v >> 5);
    r = Expand5(v >> 10);
  } else {
    b = p[0];
    g = p[1];
    r = p[2];
  }
}

}  // namespace

bool LooksLikeTga(const uint8_t* data, size_t size) {
  TgaHeader h;
  return ParseHeader(data, size, h);
}

bool ReadTgaInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  TgaHeader h;
  if (!ParseHeader(data, size, h)) return false;
  info.width = int32_t(h.width);
  info.height = int32_t(h.height);
  if ((h.imageType & 7) == 3)
    info.bitsPerPixel = 8;
  else
    info.bitsPerPixel = h.pixelBits == 15 ? 16 : int32_t(h.pixelBits);
  return true;
}

bool DecodeTga(const uint8_t* data, size_t size, Picture& picture) {
  TgaHeader h;
  if (!ParseHeader(data, size, h)) return false;
  uint32_t kind = h.imageType & 7;
  bool rle = (h.imageType & 8) != 0;
  bool indexed = kind != 2;
  size_t at = 18 + h.idLength;
  size_t entryBytes = (h.mapEntryBits + 7) / 8;
  size_t pixelBytes = (h.pixelBits + 7) / 8;
  if (!PictureSizeAllowed(h.width, h.height)) return false;
  size_t pixels = size_t(h.width) * h.height;  // at most 2^28 from here on
  // Raw data must all be there; run-length data can at best pack 128 pixels in
  // 1 + pixelBytes bytes.
  size_t mapBytes = h.mapType ? size_t(h.mapLength) * entryBytes : 0;
  size_t available = size - at - mapBytes;
  if (!rle && uint64_t(available) < uint64_t(pixels) * pixelBytes) return false;
  if (rle && uint64_t(available) * 128 < pixels) return false;
  if (!AllocatePicturePixels(picture, h.width, h.height, indexed ? 8 : 24)) return false;

  if (indexed) {
    picture.colourCount = 256;
    if (kind == 3) {
      for (int i = 0; i < 256; ++i)
        picture.colours[size_t(i)] = PictureColour{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    } else {
      for (uint32_t i = 0; i < h.mapLength; ++i) {
        uint32_t index = h.mapFirst + i;
        if (index > 255) break;
        uint8_t b, g, r;
        ColourOf(data + at + i * entryBytes, h.mapEntryBits, b, g, r);
        picture.colours[index] = PictureColour{b, g, r, 0};
      }
    }
  }
  // Colour-mapped pictures only address the map entries present in the file.
  int32_t firstIndex = kind == 1 ? int32_t(h.mapFirst) : 0;
  int32_t lastIndex =
      kind == 1 ? int32_t(std::min<uint32_t>(255, h.mapFirst + h.mapLength - 1)) : 255;
  at += mapBytes;

  bool topDown = (h.descriptor & 0x20) != 0;
  bool rightToLeft = (h.descriptor & 0x10) != 0;
  auto store = [&](size_t n, const uint8_t* p) {
    uint32_t y = uint32_t(n / h.width), x = uint32_t(n % h.width);
    if (!topDown) y = h.height - 1 - y;
    if (rightToLeft) x = h.width - 1 - x;
    uint8_t* row = PictureRow(picture, int32_t(y));
    if (indexed) {
      int32_t v = p[0];  // a grey pixel's alpha byte follows it
      row[x] = (v < firstIndex || v > lastIndex) ? 0 : uint8_t(v);
      if (kind == 1 && (v < firstIndex || v > lastIndex)) row[x] = 0;
    } else {
      ColourOf(p, h.pixelBits, row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
  };
  if (indexed && kind == 1 && firstIndex > 0) {
    // Out-of-map indices were mapped to 0 above: make colour 0 black when the map does
    // not cover it.
    picture.colours[0] = PictureColour{};
  }
  if (!rle) {
    for (size_t n = 0; n < pixels; ++n) store(n, data + at + n * pixelBytes);
    return true;
  }
  size_t n = 0;
  while (n < pixels) {
    if (at >= size) return false;
    uint8_t packet = data[at++];
    size_t count = (packet & 0x7F) + 1u;
    if (packet & 0x80) {
      if (at + pixelBytes > size) return false;
      for (size_t i = 0; i < count && n < pixels; ++i) store(n++, data + at);
      at += pixelBytes;
    } else {
      if (count * pixelBytes > size - at) return false;
      for (size_t i = 0; i < count && n < pixels; ++i) store(n++, data + at + i * pixelBytes);
      at += count * pixelBytes;
    }
  }
  return true;
}

bool EncodeTga(const Picture& picture, std::vector<uint8_t>& out) {
  if (picture.bitsPerPixel <= 8 || picture.width > 65535 || picture.height > 65535) return false;
  const uint8_t header[18] = {0,
                              0,
                              2,
                              0,
                              0,
                              0,
                              0,
                              0,
                              0,
                              0,
                              0,
                              0,
                              uint8_t(picture.width),
                              uint8_t(picture.width >> 8),
                              uint8_t(picture.height),
                              uint8_t(picture.height >> 8),
                              24,
                              0};
  out.insert(out.end(), header, header + 18);
  size_t rowBytes = size_t(picture.width) * 3;
  size_t start = out.size();
  out.resize(start + rowBytes * size_t(picture.height));
  for (int32_t y = 0; y < picture.height; ++y) {
    std::copy_n(PictureRow(picture, picture.height - 1 - y), rowBytes,
                out.begin() + ptrdiff_t(start + size_t(y) * rowBytes));
  }
  // TGA 2.0 footer: no extension or developer area.
  static const char footer[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
  out.insert(out.end(), footer, footer + sizeof footer);
  return true;
}
