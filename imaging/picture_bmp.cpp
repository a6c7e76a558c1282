// picture_bmp.cpp - Windows and OS/2 bitmaps, read and written by our own code.
//
// Reading: the OS/2 1.x core header (12 bytes), OS/2 2.x headers (16 to 64 bytes) and
// the Windows headers (40, 52, 56, 108, 124 bytes); 1, 2, 4, 8, 16, 24 and 32 bits per
// pixel; uncompressed, RLE8, RLE4 and bit fields; bottom-up and top-down. Pixels that an
// RLE stream skips with delta moves or line ends are colour 0 of the palette, as
// Windows draws them; a stream cut short before its end marker is a failed load. Palette indices
// past the palette read as black. Writing: 24 bits, bottom-up, uncompressed, with the Windows
// 40-byte header or the OS/2 1.x core header.
#include "picture_codecs.h"
#include "picture_bytes.h"

#include <algorithm>

namespace {

struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;  // positive; topDown says which way the rows run
  bool topDown = false;
  uint32_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t dataOffset = 0;
  uint32_t headerSize = 0;
  uint32_t coloursUsed = 0;
  uint32_t masks[3] = {0, 0, 0};
  size_t paletteOffset = 0;
  size_t paletteEntrySize = 4;
};

bool ParseHeader(const uint8_t* data, size_t size, BmpHeader& h) {
  ByteReader r{data, size};
  if (r.U8(0) != 'B' || r.U8(1) != 'M') return false;
  h.dataOffset = r.Le32(10);
  h.headerSize = r.Le32(14);
  if (h.headerSize == 12) {
    h.width = r.Le16(18);
    h.height = r.Le16(20);
    h.bitCount = r.Le16(24);
    h.paletteEntrySize = 3;
  } else if (h.headerSize >= 16 && h.headerSize <= 124) {
    h.width = int32_t(r.Le32(18));
    int32_t height = int32_t(r.Le32(22));
    h.bitCount = r.Le16(28);
    if (h.headerSize >= 20) h.compression = r.Le32(30);
    if (h.headerSize >= 36) h.coloursUsed = r.Le32(46);
    if (height < 0) {
      if (height == INT32_MIN) return false;
      h.topDown = true;
      height = -height;
    }
    h.height = height;
    bool os2v2 = h.headerSize != 40 && h.headerSize != 52 && h.headerSize != 56 &&
                 h.headerSize != 108 && h.headerSize != 124;
    // OS/2 2.x numbers its compressions differently: 3 is Huffman, 4 is RLE24.
    if (os2v2 && h.compression >= 3) return false;
    if (h.compression == 3 || h.compression == 6) {
      size_t at = h.headerSize >= 52 ? 54 : 14 + h.headerSize;
      for (int i = 0; i < 3; ++i) h.masks[i] = r.Le32(at + 4 * size_t(i));
      if (h.headerSize < 52) h.paletteOffset = 12 + (h.compression == 6 ? 4 : 0);
    }
  } else {
    return false;
  }
  h.paletteOffset += 14 + h.headerSize;
  if (r.bad || h.width < 1 || h.height < 1) return false;
  switch (h.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
      if (h.compression != 0 && !(h.compression == 1 && h.bitCount == 8) &&
          !(h.compression == 2 && h.bitCount == 4))
        return false;
      break;
    case 16:
    case 32:
      if (h.compression != 0 && h.compression != 3 && h.compression != 6) return false;
      break;
    case 24:
      if (h.compression != 0) return false;
      break;
    default:
      return false;
  }
  if ((h.compression == 1 || h.compression == 2) && h.topDown) return false;
  return PictureSizeAllowed(h.width, h.height);
}

// One channel of a bit-field pixel, scaled to 8 bits.
struct Field {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
};

Field MakeField(uint32_t mask) {
  Field f;
  f.mask = mask;
  if (mask == 0) return f;
  while (((mask >> f.shift) & 1) == 0) ++f.shift;
  while (f.shift + f.bits < 32 && ((mask >> (f.shift + f.bits)) & 1)) ++f.bits;
  return f;
}

uint8_t FieldValue(const Field& f, uint32_t pixel) {
  if (f.bits == 0) return 0;
  uint32_t v = (pixel & f.mask) >> f.shift;
  if (f.bits >= 8) return uint8_t(v >> (f.bits - 8));
  // Spread the bits over 8 by repeating them.
  uint32_t out = 0;
  int filled = 0;
  while (filled < 8) {
    out = (out << f.bits) | v;
    filled += f.bits;
  }
  return uint8_t(out >> (filled - 8));
}

bool DecodeRle(const uint8_t* data, size_t size, const BmpHeader& h, Picture& picture) {
  size_t at = 0;
  int64_t x = 0, line = 0;  // line counts from the bottom
  bool four = h.compression == 2;
  auto put = [&](uint8_t index) {
    if (x < h.width && line < h.height)
      PictureRow(picture, int32_t(h.height - 1 - line))[x] = index;
    ++x;
  };
  while (at + 1 < size && line < h.height) {
    uint8_t count = data[at], value = data[at + 1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? uint8_t(i & 1 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++line;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (at + 1 >= size) return false;
      x += data[at];
      line += data[at + 1];
      at += 2;
    } else {
      size_t bytes = four ? (size_t(value) + 1) / 2 : value;
      if (at + bytes > size) return false;
      for (int i = 0; i < value; ++i) {
        size_t b = four ? size_t(i / 2) : size_t(i);
        if (b >= bytes) break;
        uint8_t v = data[at + b];
        put(four ? uint8_t(i & 1 ? v & 15 : v >> 4) : v);
      }
      at += (bytes + 1) & ~size_t(1);
    }
  }
  // Every line given is complete; a stream cut short before that is damaged.
  return line >= h.height;
}

}  // namespace

bool ReadBmpInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  BmpHeader h;
  if (!ParseHeader(data, size, h)) return false;
  info.width = int32_t(h.width);
  info.height = int32_t(h.height);
  info.bitsPerPixel = h.bitCount == 2 ? 4 : int32_t(h.bitCount);
  return true;
}

bool DecodeBmp(const uint8_t* data, size_t size, Picture& picture) {
  BmpHeader h;
  if (!ParseHeader(data, size, h) || h.dataOffset >= size) return false;
  bool indexed = h.bitCount <= 8;
  size_t rowBytes = size_t((h.width * h.bitCount + 31) / 32 * 4);
  if (h.compression != 1 && h.compression != 2) {
    // Uncompressed: the rows must all be there (the last one may lack its padding).
    size_t needed = rowBytes * size_t(h.height - 1) + size_t((h.width * h.bitCount + 7) / 8);
    if (size - h.dataOffset < needed) return false;
  }
  int32_t depth = indexed ? (h.bitCount == 2 ? 4 : int32_t(h.bitCount)) : 24;
  if (!AllocatePicturePixels(picture, h.width, h.height, depth)) return false;
  if (indexed) {
    size_t count = h.coloursUsed != 0 ? h.coloursUsed : size_t(1) << h.bitCount;
    count = std::min<size_t>(count, size_t(1) << h.bitCount);
    picture.colourCount = 1 << depth;
    for (size_t i = 0; i < count; ++i) {
      size_t at = h.paletteOffset + i * h.paletteEntrySize;
      if (at + 3 > size || at + 3 > h.dataOffset) break;
      picture.colours[i] = PictureColour{data[at], data[at + 1], data[at + 2], 0};
    }
  }
  if (h.compression == 1 || h.compression == 2)
    return DecodeRle(data + h.dataOffset, size - h.dataOffset, h, picture);

  Field fields[3];
  uint32_t defaultMasks16[3] = {0x7C00, 0x03E0, 0x001F};
  uint32_t defaultMasks32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
  for (int i = 0; i < 3; ++i) {
    uint32_t mask = h.compression == 0 ? (h.bitCount == 16 ? defaultMasks16[i] : defaultMasks32[i])
                                       : h.masks[i];
    fields[i] = MakeField(mask);
  }
  for (int64_t y = 0; y < h.height; ++y) {
    const uint8_t* source = data + h.dataOffset + size_t(y) * rowBytes;
    uint8_t* target = PictureRow(picture, int32_t(h.topDown ? y : h.height - 1 - y));
    for (int64_t x = 0; x < h.width; ++x) {
      switch (h.bitCount) {
        case 1:
          target[x] = (source[x >> 3] >> (7 - (x & 7))) & 1;
          break;
        case 2:
          target[x] = (source[x >> 2] >> (6 - 2 * (x & 3))) & 3;
          break;
        case 4:
          target[x] = (source[x >> 1] >> (x & 1 ? 0 : 4)) & 15;
          break;
        case 8:
          target[x] = source[x];
          break;
        case 24:
          target[3 * x] = source[3 * x];
          target[3 * x + 1] = source[3 * x + 1];
          target[3 * x + 2] = source[3 * x + 2];
          break;
        default: {
          uint32_t pixel = h.bitCount == 16
                               ? uint32_t(source[2 * x] | source[2 * x + 1] << 8)
                               : uint32_t(source[4 * x]) | uint32_t(source[4 * x + 1]) << 8 |
                                     uint32_t(source[4 * x + 2]) << 16 |
                                     uint32_t(source[4 * x + 3]) << 24;
          target[3 * x] = FieldValue(fields[2], pixel);
          target[3 * x + 1] = FieldValue(fields[1], pixel);
          target[3 * x + 2] = FieldValue(fields[0], pixel);
        }
      }
    }
  }
  return true;
}

bool EncodeBmp(const Picture& picture, bool os2, std::vector<uint8_t>& out) {
  if (picture.bitsPerPixel <= 8) return false;
  if (os2 && (picture.width > 65535 || picture.height > 65535)) return false;
  uint32_t rowBytes = (uint32_t(picture.width) * 3 + 3) & ~3u;
  uint32_t headerSize = os2 ? 12 : 40;
  uint32_t offset = 14 + headerSize;
  uint64_t total = uint64_t(offset) + uint64_t(rowBytes) * uint64_t(picture.height);
  if (total > 0xFFFFFFFFull) return false;
  out.reserve(out.size() + size_t(total));
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, uint32_t(total));
  PutLe32(out, 0);
  PutLe32(out, offset);
  PutLe32(out, headerSize);
  if (os2) {
    PutLe16(out, uint32_t(picture.width));
    PutLe16(out, uint32_t(picture.height));
    PutLe16(out, 1);
    PutLe16(out, 24);
  } else {
    PutLe32(out, uint32_t(picture.width));
    PutLe32(out, uint32_t(picture.height));
    PutLe16(out, 1);
    PutLe16(out, 24);
    PutLe32(out, 0);
    PutLe32(out, rowBytes * uint32_t(picture.height));
    PutLe32(out, 3780);  // 96 dots per inch
    PutLe32(out, 3780);
    PutLe32(out, 0);
    PutLe32(out, 0);
  }
  size_t start = out.size();
  out.resize(start + size_t(rowBytes) * size_t(picture.height));
  for (int32_t y = 0; y < picture.height; ++y) {
    std::copy_n(PictureRow(picture, picture.height - 1 - y), size_t(picture.width) * 3,
                out.begin() + ptrdiff_t(start + size_t(y) * rowBytes));
  }
  return true;
}
