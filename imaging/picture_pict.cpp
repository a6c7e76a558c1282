// picture_pict.cpp - Macintosh PICT (version 2) pictures, read and written by our own
// code.
//
// Reading: with or without the 512-byte file header. The picture is the frame's size,
// white where nothing is drawn; the pixel opcodes BitsRect, BitsRgn, PackBitsRect,
// PackBitsRgn (bitmaps and 1 to 8-bit pixel maps with their colour tables),
// DirectBitsRect and DirectBitsRgn (16 and 32 bits, every pack type) are drawn at their
// destination rectangles, clipped to the frame; regions are not used as masks. Drawing
// and text opcodes are skipped by their sizes; an opcode whose size cannot be known
// (pixel patterns, QuickTime) ends the picture where it stands. A picture with no
// pixels drawn at all, or whose pixel data is cut short or damaged, is a failure.
// Writing: 512 zero bytes, then a version 2 picture holding one DirectBitsRect of 32-bit
// pixels packed component by component (pack type 4), 72 dots per inch; pictures wider
// than a pixel map row allows (4095 pixels) get one DirectBitsRect per band of columns.
#include "picture_codecs.h"
#include "picture_bytes.h"

#include <algorithm>
#include <cstring>

namespace {

struct Rect {
  int32_t top = 0, left = 0, bottom = 0, right = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
};

Rect ReadRect(ByteReader& r, size_t at) {
  Rect rect;
  rect.top = int16_t(r.Be16(at));
  rect.left = int16_t(r.Be16(at + 2));
  rect.bottom = int16_t(r.Be16(at + 4));
  rect.right = int16_t(r.Be16(at + 6));
  return rect;
}

// Where the picture starts (after the optional 512-byte header), or 0 when neither
// place holds a version 2 picture.
size_t PictStart(const uint8_t* data, size_t size) {
  for (size_t start : {size_t(512), size_t(0)}) {
    ByteReader r{data, size};
    if (r.Be16(start + 10) == 0x0011 && r.Be16(start + 12) == 0x02FF && !r.bad) {
      Rect frame = ReadRect(r, start + 2);
      if (frame.Width() > 0 && frame.Height() > 0) return start + 2;
    }
  }
  return 0;
}

// Unpacks one PackBits row of `unit`-byte elements into exactly `length` bytes;
// false when the data runs out or overflows.
bool UnpackBits(const uint8_t* in, size_t inSize, uint8_t* out, size_t length, size_t unit) {
  size_t i = 0, o = 0;
  while (o < length) {
    if (i >= inSize) return false;
    uint8_t n = in[i++];
    if (n < 128) {
      size_t count = (size_t(n) + 1) * unit;
      if (i + count > inSize) return false;
      size_t take = std::min(count, length - o);
      std::memcpy(out + o, in + i, take);
      i += count;
      o += take;
    } else if (n > 128) {
      size_t count = size_t(257 - n);
      if (i + unit > inSize) return false;
      for (size_t k = 0; k < count && o < length; ++k)
        for (size_t u = 0; u < unit && o < length; ++u) out[o++] = in[i + u];
      i += unit;
    }
  }
  return true;
}

struct Canvas {
  Picture* picture;
  Rect frame;
  bool drawn = false;
  bool damaged = false;
};

// Draws one source row's colours (B,G,R per pixel, `count` pixels) into the canvas row
// that the destination rectangle maps it to.
void DrawRow(Canvas& canvas, const Rect& bounds, const Rect& src, const Rect& dst, int32_t sourceY,
             const uint8_t* bgr) {
  if (src.Width() <= 0 || src.Height() <= 0 || dst.Width() <= 0 || dst.Height() <= 0) return;
  if (sourceY < src.top || sourceY >= src.bottom) return;
  int64_t y0 = dst.top + int64_t(sourceY - src.top) * dst.Height() / src.Height();
  int64_t y1 = dst.top + int64_t(sourceY - src.top + 1) * dst.Height() / src.Height();
  for (int64_t dy = y0; dy < y1; ++dy) {
    int64_t cy = dy - canvas.frame.top;
    if (cy < 0 || cy >= canvas.picture->height) continue;
    uint8_t* row = PictureRow(*canvas.picture, int32_t(cy));
    for (int64_t dx = dst.left; dx < dst.right; ++dx) {
      int64_t cx = dx - canvas.frame.left;
      if (cx < 0 || cx >= canvas.picture->width) continue;
      int64_t sx = src.left + (dx - dst.left) * src.Width() / dst.Width();
      int64_t bx = sx - bounds.left;
      if (bx < 0 || bx >= bounds.Width()) continue;
      std::memcpy(row + 3 * cx, bgr + 3 * bx, 3);
      canvas.drawn = true;
    }
  }
}

// A pixel opcode at `at` (just after the opcode word). Returns the offset after its
// data, or 0 on damage.
size_t ReadPixels(const uint8_t* data, size_t size, size_t at, uint16_t opcode, Canvas& canvas) {
  ByteReader r{data, size};
  bool direct = opcode == 0x009A || opcode == 0x009B;
  bool region = opcode & 1;
  if (direct) at += 4;  // base address
  uint16_t rowWord = r.Be16(at);
  bool pixmap = direct || (rowWord & 0x8000);
  size_t rowBytes = rowWord & 0x3FFF;
  Rect bounds = ReadRect(r, at + 2);
  at += 10;
  uint32_t pixelSize = 1, packType = 0, componentCount = 1;
  PictureColour table[256];
  for (int i = 0; i < 256; ++i) table[i] = PictureColour{};
  table[0] = PictureColour{255, 255, 255, 0};  // bitmaps: 0 white, 1 black
  if (pixmap) {
    packType = r.Be16(at + 2);
    pixelSize = r.Be16(at + 18);
    componentCount = r.Be16(at + 20);
    at += 36;
    if (!direct) {
      uint16_t flags = r.Be16(at + 4);
      uint32_t entries = uint32_t(r.Be16(at + 6)) + 1;
      at += 8;
      if (entries > 256 || r.bad) return 0;
      for (uint32_t i = 0; i < entries; ++i) {
        uint32_t index = (flags & 0x8000) ? i : r.Be16(at) & 0xFF;
        // 16-bit channels to 8 bits, rounded.
        auto channel = [&](size_t offset) {
          return uint8_t((r.Be16(offset) * 255u + 32767u) / 65535u);
        };
        table[index] = PictureColour{channel(at + 6), channel(at + 4), channel(at + 2), 0};
        at += 8;
      }
    }
  }
  Rect src = ReadRect(r, at);
  Rect dst = ReadRect(r, at + 8);
  at += 18;  // both rectangles and the transfer mode
  if (region) {
    uint16_t regionSize = r.Be16(at);
    if (regionSize < 2) return 0;
    at += regionSize;
  }
  if (r.bad || at > size) return 0;
  int32_t width = bounds.Width(), height = bounds.Height();
  if (width <= 0 || height <= 0 || !PictureSizeAllowed(width, height)) return 0;
  bool supported = direct ? (pixelSize == 16 || pixelSize == 32)
                          : (pixelSize == 1 || pixelSize == 2 || pixelSize == 4 || pixelSize == 8);
  if (!supported) return 0;
  size_t minRow = direct && pixelSize == 32 && packType == 2 ? size_t(width) * 3
                                                             : (size_t(width) * pixelSize + 7) / 8;
  if (rowBytes == 0 && pixelSize == 32) rowBytes = size_t(width) * 4;
  if (rowBytes < minRow && !(direct && pixelSize == 32 && packType == 2)) return 0;
  // How the rows are stored.
  bool packed = rowBytes >= 8 && packType != 1 && packType != 2;
  size_t storedRow = (direct && pixelSize == 32 && packType == 2) ? size_t(width) * 3 : rowBytes;
  size_t unpackedLength = storedRow;
  size_t unit = 1;
  if (packed && direct && pixelSize == 16) unit = 2;
  if (packed && direct && pixelSize == 32) {
    if (componentCount != 3 && componentCount != 4) return 0;
    unpackedLength = size_t(width) * componentCount;
  }
  // Every row needs at least a byte; refuse before allocating a scratch row.
  if (size - at < size_t(height) / 2) return 0;
  std::vector<uint8_t> row(unpackedLength), bgr(size_t(width) * 3);
  for (int32_t y = 0; y < height; ++y) {
    if (packed) {
      size_t count;
      if (rowBytes > 250) {
        if (at + 2 > size) return 0;
        count = size_t(data[at] << 8 | data[at + 1]);
        at += 2;
      } else {
        if (at + 1 > size) return 0;
        count = data[at];
        at += 1;
      }
      if (count > size - at) return 0;
      if (!UnpackBits(data + at, count, row.data(), unpackedLength, unit)) return 0;
      at += count;
    } else {
      if (storedRow > size - at) return 0;
      std::memcpy(row.data(), data + at, storedRow);
      at += storedRow;
    }
    for (int32_t x = 0; x < width; ++x) {
      uint8_t* p = bgr.data() + 3 * x;
      if (!direct) {
        uint32_t bits = pixelSize;
        uint32_t perByte = 8 / bits;
        uint32_t shift = 8 - bits * (1 + uint32_t(x) % perByte);
        uint32_t index = (row[size_t(x) / perByte] >> shift) & ((1u << bits) - 1);
        if (!pixmap) index = index ? 1 : 0;
        const PictureColour& c = table[index];
        p[0] = c.blue;
        p[1] = c.green;
        p[2] = c.red;
      } else if (pixelSize == 16) {
        uint32_t v = uint32_t(row[2 * x] << 8 | row[2 * x + 1]);
        p[0] = Expand5(v);
        p[1] = Expand5(v >> 5);
        p[2] = Expand5(v >> 10);
      } else if (packed) {
        size_t plane = size_t(width), skip = componentCount == 4 ? plane : 0;
        p[2] = row[skip + x];
        p[1] = row[skip + plane + x];
        p[0] = row[skip + 2 * plane + x];
      } else if (packType == 2) {
        p[2] = row[3 * x];
        p[1] = row[3 * x + 1];
        p[0] = row[3 * x + 2];
      } else {
        p[2] = row[4 * x + 1];
        p[1] = row[4 * x + 2];
        p[0] = row[4 * x + 3];
      }
    }
    DrawRow(canvas, bounds, src, dst, bounds.top + y, bgr.data());
  }
  return at;
}

// Bytes of data after an opcode that is not a pixel opcode; -1 when unknown.
int64_t SkipLength(ByteReader& r, size_t at, uint16_t op) {
  switch (op) {
    case 0x0000:
    case 0x001C:
    case 0x001E:
      return 0;
    case 0x0001:
      return r.Be16(at);  // clip region
    case 0x0002:
    case 0x0009:
    case 0x000A:
    case 0x0010:
      return 8;
    case 0x0003:
    case 0x0005:
    case 0x0008:
    case 0x000D:
    case 0x0015:
    case 0x0016:
      return 2;
    case 0x0004:
      return 1;
    case 0x0006:
    case 0x0007:
    case 0x000B:
    case 0x000C:
    case 0x000E:
    case 0x000F:
      return 4;
    case 0x0011:
      return 1;
    case 0x001A:
    case 0x001B:
    case 0x001D:
    case 0x001F:
      return 6;
    case 0x0020:
      return 8;
    case 0x0021:
      return 4;
    case 0x0022:
      return 6;
    case 0x0023:
      return 2;
    case 0x0028:
      return 5 + r.U8(at + 4);
    case 0x0029:
    case 0x002A:
      return 2 + r.U8(at + 1);
    case 0x002B:
      return 3 + r.U8(at + 2);
    case 0x00A0:
      return 2;
    case 0x00A1:
      return 4 + r.Be16(at + 2);
    case 0x0C00:
      return 24;
    default:
      break;
  }
  if (op >= 0x0017 && op <= 0x0019) return 0;
  if ((op >= 0x0024 && op <= 0x0027) || (op >= 0x002C && op <= 0x002F)) return 2 + r.Be16(at);
  if (op >= 0x0030 && op <= 0x006F) {
    uint16_t low = op & 0x0F;
    if (op >= 0x0060) return low < 8 ? 12 : 4;
    return low < 8 ? 8 : 0;
  }
  if ((op >= 0x0070 && op <= 0x0077) || (op >= 0x0080 && op <= 0x0087)) return r.Be16(at);
  if ((op >= 0x0078 && op <= 0x007F) || (op >= 0x0088 && op <= 0x008F)) return 0;
  if (op >= 0x0092 && op <= 0x0097) return 2 + r.Be16(at);
  if (op >= 0x009C && op <= 0x009F) return 2 + r.Be16(at);
  if (op >= 0x00A2 && op <= 0x00AF) return 2 + r.Be16(at);
  if (op >= 0x00B0 && op <= 0x00CF) return 0;
  if (op >= 0x00D0 && op <= 0x00FE) return 4 + int64_t(r.Be32(at));
  if (op >= 0x0100 && op <= 0x7FFF) return (op >> 8) * 2;
  if (op >= 0x8000 && op <= 0x80FF) return 0;
  if (op >= 0x8100 && op != 0x8200 && op != 0x8201) return 4 + int64_t(r.Be32(at));
  return -1;
}

}  // namespace

bool LooksLikePict(const uint8_t* data, size_t size) { return PictStart(data, size) != 0; }

bool ReadPictInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  size_t start = PictStart(data, size);
  if (start == 0) return false;
  ByteReader r{data, size};
  Rect frame = ReadRect(r, start);
  info.width = frame.Width();
  info.height = frame.Height();
  info.bitsPerPixel = 24;
  // The first pixel opcode tells the depth of an indexed picture.
  size_t at = start + 12;
  for (int steps = 0; steps < 64 && at + 2 <= size; ++steps) {
    uint16_t op = r.Be16(at);
    at += 2;
    if (op == 0x0090 || op == 0x0091 || op == 0x0098 || op == 0x0099) {
      uint16_t rowWord = r.Be16(at);
      uint32_t bits = (rowWord & 0x8000) ? r.Be16(at + 2 + 8 + 18) : 1;
      info.bitsPerPixel = bits <= 1 ? 1 : bits <= 4 ? 4 : 8;
      break;
    }
    if (op == 0x009A || op == 0x009B || op == 0x00FF) break;
    int64_t skip = SkipLength(r, at, op);
    if (skip < 0 || r.bad) break;
    at += size_t(skip);
    at = (at + 1) & ~size_t(1);
  }
  return true;
}

bool DecodePict(const uint8_t* data, size_t size, Picture& picture) {
  size_t start = PictStart(data, size);
  if (start == 0) return false;
  ByteReader r{data, size};
  Canvas canvas;
  canvas.frame = ReadRect(r, start);
  if (!AllocatePicturePixels(picture, canvas.frame.Width(), canvas.frame.Height(), 24))
    return false;
  std::fill(picture.pixels.begin(), picture.pixels.end(), uint8_t(255));
  canvas.picture = &picture;
  size_t at = start + 12;  // after the frame and the version opcode
  while (at + 2 <= size) {
    uint16_t op = r.Be16(at);
    at += 2;
    if (op == 0x00FF) break;
    if ((op >= 0x0090 && op <= 0x0091) || (op >= 0x0098 && op <= 0x009B)) {
      size_t next = ReadPixels(data, size, at, op, canvas);
      if (next == 0) {
        canvas.damaged = true;
        break;
      }
      at = next;
    } else {
      int64_t skip = SkipLength(r, at, op);
      if (skip < 0 || r.bad || uint64_t(skip) > size - at) break;
      at += size_t(skip);
    }
    at = (at + 1) & ~size_t(1);
  }
  return canvas.drawn && !canvas.damaged;
}

namespace {

void PackBitsRow(const uint8_t* in, size_t length, std::vector<uint8_t>& out) {
  size_t i = 0;
  while (i < length) {
    size_t run = 1;
    while (i + run < length && run < 128 && in[i + run] == in[i]) ++run;
    if (run >= 3) {
      out.push_back(uint8_t(257 - run));
      out.push_back(in[i]);
      i += run;
      continue;
    }
    // A literal stretch up to the next run of three.
    size_t j = i;
    while (j < length && j - i < 128) {
      if (j + 2 < length && in[j] == in[j + 1] && in[j] == in[j + 2]) break;
      ++j;
    }
    out.push_back(uint8_t(j - i - 1));
    out.insert(out.end(), in + i, in + j);
    i = j;
  }
}

}  // namespace

bool EncodePict(const Picture& picture, std::vector<uint8_t>& out) {
  if (picture.bitsPerPixel <= 8 || picture.width > 32767 || picture.height > 32767) return false;
  uint32_t w = uint32_t(picture.width), h = uint32_t(picture.height);
  size_t begin = out.size();
  out.resize(begin + 512, 0);
  size_t sizeField = out.size();
  PutBe16(out, 0);  // picture size, low 16 bits, set below
  auto rect = [&](uint32_t top, uint32_t left, uint32_t bottom, uint32_t right) {
    PutBe16(out, top);
    PutBe16(out, left);
    PutBe16(out, bottom);
    PutBe16(out, right);
  };
  rect(0, 0, h, w);
  PutBe16(out, 0x0011);
  PutBe16(out, 0x02FF);
  PutBe16(out, 0x0C00);  // extended version 2 header
  PutBe16(out, 0xFFFE);
  PutBe16(out, 0);
  PutBe32(out, 72u << 16);
  PutBe32(out, 72u << 16);
  rect(0, 0, h, w);
  PutBe32(out, 0);
  PutBe16(out, 0x001E);  // default highlight
  PutBe16(out, 0x0001);
  PutBe16(out, 10);
  rect(0, 0, h, w);  // clip region
  // A pixel map row holds at most 0x3FFF bytes, 4095 pixels of 32 bits: wider pictures
  // are written as side-by-side bands of equal width.
  uint32_t bands = (w + 4094) / 4095;
  std::vector<uint8_t> planes, packedRow;
  for (uint32_t band = 0; band < bands; ++band) {
    uint32_t left = w * band / bands, right = w * (band + 1) / bands, bw = right - left;
    if ((out.size() - begin) & 1) out.push_back(0);
    PutBe16(out, 0x009A);  // DirectBitsRect
    PutBe32(out, 0x000000FF);
    PutBe16(out, 0x8000 | (bw * 4));
    rect(0, left, h, right);
    PutBe16(out, 0);  // pixel map version
    PutBe16(out, 4);  // pack type: components
    PutBe32(out, 0);
    PutBe32(out, 72u << 16);
    PutBe32(out, 72u << 16);
    PutBe16(out, 16);  // RGBDirect
    PutBe16(out, 32);
    PutBe16(out, 3);
    PutBe16(out, 8);
    PutBe32(out, 0);
    PutBe32(out, 0);
    PutBe32(out, 0);
    rect(0, left, h, right);
    rect(0, left, h, right);
    PutBe16(out, 0);  // srcCopy
    planes.resize(size_t(bw) * 3);
    for (uint32_t y = 0; y < h; ++y) {
      const uint8_t* row = PictureRow(picture, int32_t(y)) + size_t(left) * 3;
      for (uint32_t x = 0; x < bw; ++x) {
        planes[x] = row[3 * x + 2];
        planes[bw + x] = row[3 * x + 1];
        planes[2 * bw + x] = row[3 * x];
      }
      packedRow.clear();
      PackBitsRow(planes.data(), planes.size(), packedRow);
      if (bw * 4 > 250)
        PutBe16(out, uint32_t(packedRow.size()));
      else
        out.push_back(uint8_t(packedRow.size()));
      out.insert(out.end(), packedRow.begin(), packedRow.end());
    }
  }
  if ((out.size() - begin) & 1) out.push_back(0);
  PutBe16(out, 0x00FF);
  size_t length = out.size() - sizeField;
  out[sizeField] = uint8_t(length >> 8);
  out[sizeField + 1] = uint8_t(length);
  return true;
}
