// picture_pcx.cpp - PCX pictures, read and written by our own code.
//
// Reading: 1 bit in 1 plane (two colours from the header palette, black and white when
// it is empty), 1 bit in 2-4 planes and 2 or 4 bits in 1 plane (header palette), 8 bits
// in 1 plane (the 256-colour palette at the end of the file, grey when it is missing),
// 8 bits in 3 or 4 planes (RGB, the fourth plane ignored). Run-length encoded or raw;
// runs may cross from one scan line to the next.
// Writing: version 5, 8 bits in 3 planes, run-length encoded, runs kept inside a plane
// line.
#include "picture_codecs.h"
#include "picture_bytes.h"

#include <algorithm>

namespace {

struct PcxHeader {
  uint32_t version, encoding, bits, planes, bytesPerLine;
  int64_t width, height;
};

bool ParseHeader(const uint8_t* data, size_t size, PcxHeader& h) {
  if (size < 128) return false;
  ByteReader r{data, size};
  if (r.U8(0) != 0x0A) return false;
  h.version = r.U8(1);
  h.encoding = r.U8(2);
  h.bits = r.U8(3);
  int64_t xMin = r.Le16(4), yMin = r.Le16(6), xMax = r.Le16(8), yMax = r.Le16(10);
  h.planes = r.U8(65);
  h.bytesPerLine = r.Le16(66);
  h.width = xMax - xMin + 1;
  h.height = yMax - yMin + 1;
  if (h.encoding > 1 || h.width < 1 || h.height < 1) return false;
  bool known = (h.bits == 1 && h.planes >= 1 && h.planes <= 4) ||
               ((h.bits == 2 || h.bits == 4) && h.planes == 1) ||
               (h.bits == 8 && (h.planes == 1 || h.planes == 3 || h.planes == 4));
  if (!known) return false;
  if (int64_t(h.bytesPerLine) * 8 < h.width * h.bits) return false;
  return PictureSizeAllowed(h.width, h.height);
}

int32_t DepthOf(const PcxHeader& h) {
  uint32_t total = h.bits * h.planes;
  if (h.bits == 8 && h.planes >= 3) return 24;
  return total <= 1 ? 1 : total <= 4 ? 4 : 8;
}

}  // namespace

bool ReadPcxInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  PcxHeader h;
  if (!ParseHeader(data, size, h)) return false;
  info.width = int32_t(h.width);
  info.height = int32_t(h.height);
  info.bitsPerPixel = DepthOf(h);
  return true;
}

bool DecodePcx(const uint8_t* data, size_t size, Picture& picture) {
  PcxHeader h;
  if (!ParseHeader(data, size, h)) return false;
  size_t lineBytes = size_t(h.bytesPerLine) * h.planes;
  uint64_t total = uint64_t(lineBytes) * uint64_t(h.height);
  // A run byte pair gives at most 63 bytes.
  uint64_t stored = size - 128;
  if (h.encoding == 0 ? stored < total : stored * 63 / 2 + 63 < total) return false;
  int32_t depth = DepthOf(h);
  if (!AllocatePicturePixels(picture, h.width, h.height, depth)) return false;
  if (depth <= 8) {
    picture.colourCount = 1 << depth;
    if (h.bits == 8) {
      bool hasPalette = size >= 128 + 769 && data[size - 769] == 0x0C;
      for (int i = 0; i < 256; ++i) {
        const uint8_t* p = data + size - 768 + 3 * i;
        picture.colours[size_t(i)] = hasPalette
                                         ? PictureColour{p[2], p[1], p[0], 0}
                                         : PictureColour{uint8_t(i), uint8_t(i), uint8_t(i), 0};
      }
    } else {
      for (int i = 0; i < 16; ++i) {
        const uint8_t* p = data + 16 + 3 * i;
        picture.colours[size_t(i)] = PictureColour{p[2], p[1], p[0], 0};
      }
      if (depth == 1) {
        const PictureColour& a = picture.colours[0];
        const PictureColour& b = picture.colours[1];
        if (a.red == b.red && a.green == b.green && a.blue == b.blue) {
          picture.colours[0] = PictureColour{0, 0, 0, 0};
          picture.colours[1] = PictureColour{255, 255, 255, 0};
        }
      }
    }
  }
  std::vector<uint8_t> line(lineBytes);
  size_t at = 128;
  uint8_t runValue = 0;
  size_t runLeft = 0;
  for (int64_t y = 0; y < h.height; ++y) {
    for (size_t i = 0; i < lineBytes; ++i) {
      if (h.encoding == 0) {
        line[i] = data[at++];
        continue;
      }
      if (runLeft == 0) {
        if (at >= size) return false;
        uint8_t b = data[at++];
        if (b >= 0xC0) {
          if (at >= size) return false;
          runLeft = b & 0x3F;
          runValue = data[at++];
          if (runLeft == 0) {
            --i;
            continue;
          }
        } else {
          runLeft = 1;
          runValue = b;
        }
      }
      line[i] = runValue;
      --runLeft;
    }
    uint8_t* row = PictureRow(picture, int32_t(y));
    const uint8_t* plane = line.data();
    size_t bpl = h.bytesPerLine;
    for (int64_t x = 0; x < h.width; ++x) {
      if (depth == 24) {
        row[3 * x + 2] = plane[x];
        row[3 * x + 1] = plane[bpl + size_t(x)];
        row[3 * x] = plane[2 * bpl + size_t(x)];
      } else if (h.bits == 8) {
        row[x] = plane[x];
      } else if (h.planes == 1) {
        uint32_t perByte = 8 / h.bits;
        uint32_t shift = 8 - h.bits * (1 + uint32_t(x) % perByte);
        row[x] = uint8_t((plane[size_t(x) / perByte] >> shift) & ((1u << h.bits) - 1));
      } else {
        uint8_t v = 0;
        for (uint32_t p = 0; p < h.planes; ++p)
          v |= uint8_t(((plane[p * bpl + size_t(x) / 8] >> (7 - x % 8)) & 1) << p);
        row[x] = v;
      }
    }
  }
  return true;
}

bool EncodePcx(const Picture& picture, std::vector<uint8_t>& out) {
  if (picture.bitsPerPixel <= 8 || picture.width > 65535 || picture.height > 65535) return false;
  uint32_t bpl = (uint32_t(picture.width) + 1) & ~1u;
  uint8_t header[128] = {};
  header[0] = 0x0A;
  header[1] = 5;
  header[2] = 1;
  header[3] = 8;
  header[8] = uint8_t(picture.width - 1);
  header[9] = uint8_t((picture.width - 1) >> 8);
  header[10] = uint8_t(picture.height - 1);
  header[11] = uint8_t((picture.height - 1) >> 8);
  header[12] = 96;  // dots per inch
  header[14] = 96;
  header[65] = 3;
  header[66] = uint8_t(bpl);
  header[67] = uint8_t(bpl >> 8);
  header[68] = 1;  // colour
  out.insert(out.end(), header, header + 128);
  std::vector<uint8_t> plane(bpl);
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* row = PictureRow(picture, y);
    for (int c = 2; c >= 0; --c) {
      for (int32_t x = 0; x < picture.width; ++x) plane[size_t(x)] = row[3 * x + c];
      if (bpl > uint32_t(picture.width)) plane[bpl - 1] = 0;
      for (uint32_t x = 0; x < bpl;) {
        uint8_t v = plane[x];
        uint32_t run = 1;
        while (x + run < bpl && run < 63 && plane[x + run] == v) ++run;
        if (run > 1 || v >= 0xC0) out.push_back(uint8_t(0xC0 | run));
        out.push_back(v);
        x += run;
      }
    }
  }
  return true;
}
