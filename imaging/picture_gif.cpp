// picture_gif.cpp - GIF reading and writing through giflib.
//
// Reading takes the first image of the file (interlaced or not, with its local palette
// or the global one); the picture has that image's size. An image with neither palette
// gets a default one of 256 entries, all black, as other readers show such a file. Only the records
// up to the first image are read, so a file of many frames costs no more than one. Writing makes a
// GIF89a file of one image from an indexed picture.
#include "picture_codecs.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

namespace {

struct GifSource {
  const uint8_t* data;
  size_t size;
  size_t position;
};

int ReadGifBytes(GifFileType* gif, GifByteType* buffer, int count) {
  GifSource* source = static_cast<GifSource*>(gif->UserData);
  if (count <= 0) return 0;
  size_t n = std::min(size_t(count), source->size - source->position);
  std::memcpy(buffer, source->data + source->position, n);
  source->position += n;
  return int(n);
}

int WriteGifBytes(GifFileType* gif, const GifByteType* buffer, int count) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), buffer, buffer + count);
  return count;
}

struct GifCloser {
  GifFileType* gif;
  ~GifCloser() {
    if (gif != nullptr) {
      int error = 0;
      DGifCloseFile(gif, &error);
    }
  }
};

// Walks the records up to the first image descriptor; false when there is none.
bool FindFirstImage(GifFileType* gif) {
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) != GIF_ERROR;
    if (type == TERMINATE_RECORD_TYPE) return false;
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
      while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
      }
    } else {
      return false;
    }
  }
}

int BitsOfMap(const ColorMapObject& map) {
  return map.BitsPerPixel <= 1 ? 1 : map.BitsPerPixel <= 4 ? 4 : 8;
}

int BitsFor(int colours) {
  int bits = 1;
  while ((1 << bits) < colours) ++bits;
  return bits;
}

// ---- LZW minimum code sizes above 8 ------------------------------------------------
// giflib refuses an LZW minimum code size above 8, but codes may grow to 12 bits, so
// sizes 9 to 11 are valid too and other readers take them. For such a file the first
// image is found and decompressed here.

constexpr int kLzwMaxCodes = 4096;

struct RawGifImage {
  int width = 0, height = 0;
  bool interlaced = false;
  const uint8_t* colours = nullptr;  // the local table, else the global one, else none
  int colourCount = 0;
  int codeSize = 0;
  size_t dataAt = 0;  // the first sub-block of the image data
};

// Skips a sequence of sub-blocks ending in an empty one; false when the file ends first.
bool SkipSubBlocks(const uint8_t* data, size_t size, size_t& at) {
  for (;;) {
    if (at >= size) return false;
    size_t length = data[at++];
    if (length == 0) return true;
    if (length > size - at) return false;
    at += length;
  }
}

bool FindFirstRawImage(const uint8_t* data, size_t size, RawGifImage& image) {
  if (size < 13 || std::memcmp(data, "GIF8", 4) != 0) return false;
  size_t at = 13;
  if (data[10] & 0x80) {
    image.colourCount = 2 << (data[10] & 7);
    image.colours = data + at;
    at += size_t(image.colourCount) * 3;
  }
  while (at < size) {
    uint8_t kind = data[at++];
    if (kind == 0x21) {
      if (at >= size) return false;
      ++at;  // the extension's label
      if (!SkipSubBlocks(data, size, at)) return false;
    } else if (kind == 0x2C) {
      if (size - at < 9) return false;
      image.width = data[at + 4] | data[at + 5] << 8;
      image.height = data[at + 6] | data[at + 7] << 8;
      uint8_t flags = data[at + 8];
      image.interlaced = (flags & 0x40) != 0;
      at += 9;
      if (flags & 0x80) {
        image.colourCount = 2 << (flags & 7);
        image.colours = data + at;
        at += size_t(image.colourCount) * 3;
      }
      if (at >= size || size < image.colourCount * size_t(3)) return false;
      image.codeSize = data[at++];
      image.dataAt = at;
      return image.colours == nullptr || image.colours + image.colourCount * 3 <= data + size;
    } else {
      return false;
    }
  }
  return false;
}

// Decompresses `count` pixels of the LZW data starting at the sub-blocks at `at` into
// `out`; pixel values of `top` or more become 0. False when the data ends or is
// damaged before every pixel is known.
bool DecompressWideLzw(const uint8_t* data, size_t size, size_t at, int codeSize, uint8_t* out,
                       size_t count, int top) {
  std::vector<uint16_t> prefix(kLzwMaxCodes), stack(kLzwMaxCodes + 1);
  std::vector<uint8_t> suffix(kLzwMaxCodes);
  const int clear = 1 << codeSize, end = clear + 1;
  int width = codeSize + 1, next = clear + 2, previous = -1, first = 0;
  uint32_t bits = 0;
  int held = 0;
  size_t blockLeft = 0, written = 0;
  auto put = [&](int pixel) {
    if (written < count) out[written++] = pixel < top ? uint8_t(pixel) : 0;
  };
  while (written < count) {
    while (held < width) {
      if (blockLeft == 0) {
        if (at >= size || data[at] == 0) return false;
        blockLeft = data[at++];
      }
      if (at >= size) return false;
      bits |= uint32_t(data[at++]) << held;
      held += 8;
      --blockLeft;
    }
    int code = int(bits & ((1u << width) - 1));
    bits >>= width;
    held -= width;
    if (code == clear) {
      width = codeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) return false;
    if (previous < 0) {
      if (code > clear) return false;
      put(code);
      first = code;
      previous = code;
      continue;
    }
    if (code > next) return false;
    int depth = 0, walk = code;
    if (code == next) {
      stack[size_t(depth++)] = uint16_t(first);
      walk = previous;
    }
    while (walk > end) {
      if (depth >= kLzwMaxCodes) return false;
      stack[size_t(depth++)] = suffix[size_t(walk)];
      walk = prefix[size_t(walk)];
    }
    first = walk;
    stack[size_t(depth++)] = uint16_t(first);
    while (depth > 0) put(stack[size_t(--depth)]);
    if (next < kLzwMaxCodes) {
      prefix[size_t(next)] = uint16_t(previous);
      suffix[size_t(next)] = uint8_t(first);
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    previous = code;
  }
  return true;
}

bool IsWideCodeImage(const uint8_t* data, size_t size, RawGifImage& image) {
  return FindFirstRawImage(data, size, image) && image.codeSize > 8 && image.codeSize <= 11 &&
         image.width > 0 && image.height > 0;
}

int BitsOfCount(int colourCount) { return colourCount <= 2 ? 1 : colourCount <= 16 ? 4 : 8; }

bool DecodeWideCodeGif(const uint8_t* data, size_t size, const RawGifImage& image,
                       Picture& picture) {
  int bits = image.colours ? BitsOfCount(image.colourCount) : 8;
  if (!AllocatePicturePixels(picture, image.width, image.height, bits)) return false;
  picture.colourCount = 1 << bits;
  picture.colours.fill(PictureColour{});
  for (int i = 0; image.colours != nullptr && i < image.colourCount && i < 256; ++i) {
    const uint8_t* c = image.colours + 3 * i;
    picture.colours[size_t(i)] = PictureColour{c[2], c[1], c[0], 0};
  }
  size_t count = size_t(image.width) * size_t(image.height);
  std::vector<uint8_t> pixels(count);
  int top = std::min(image.colours ? image.colourCount : 256, picture.colourCount);
  if (!DecompressWideLzw(data, size, image.dataAt, image.codeSize, pixels.data(), count, top))
    return false;
  int row = 0;
  static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < (image.interlaced ? 4 : 1); ++pass) {
    for (int y = image.interlaced ? start[pass] : 0; y < image.height;
         y += image.interlaced ? step[pass] : 1) {
      std::memcpy(PictureRow(picture, y), pixels.data() + size_t(row++) * size_t(image.width),
                  size_t(image.width));
    }
  }
  return true;
}

}  // namespace

bool ReadGifInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  GifSource source{data, size, 0};
  int error = 0;
  RawGifImage wide;
  if (IsWideCodeImage(data, size, wide)) {
    info.width = wide.width;
    info.height = wide.height;
    info.bitsPerPixel = wide.colours ? BitsOfCount(wide.colourCount) : 8;
    return true;
  }
  GifCloser closer{DGifOpen(&source, ReadGifBytes, &error)};
  if (closer.gif == nullptr || !FindFirstImage(closer.gif)) return false;
  const GifImageDesc& desc = closer.gif->Image;
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : closer.gif->SColorMap;
  info.width = desc.Width;
  info.height = desc.Height;
  info.bitsPerPixel = map == nullptr ? 8 : BitsOfMap(*map);
  return true;
}

bool DecodeGif(const uint8_t* data, size_t size, Picture& picture) {
  RawGifImage wide;
  if (IsWideCodeImage(data, size, wide)) return DecodeWideCodeGif(data, size, wide, picture);
  GifSource source{data, size, 0};
  int error = 0;
  GifCloser closer{DGifOpen(&source, ReadGifBytes, &error)};
  GifFileType* gif = closer.gif;
  if (gif == nullptr || !FindFirstImage(gif)) return false;
  const GifImageDesc& desc = gif->Image;
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (map != nullptr && (map->ColorCount < 1 || map->ColorCount > 256)) return false;
  int bits = map == nullptr ? 8 : BitsOfMap(*map);
  if (!AllocatePicturePixels(picture, desc.Width, desc.Height, bits)) return false;
  // Indices beyond the palette show as black, so the palette is always full.
  picture.colourCount = 1 << bits;
  picture.colours.fill(PictureColour{});
  for (int i = 0; map != nullptr && i < map->ColorCount && i < picture.colourCount; ++i) {
    const GifColorType& c = map->Colors[i];
    picture.colours[size_t(i)] = PictureColour{c.Blue, c.Green, c.Red, 0};
  }
  int width = desc.Width, height = desc.Height;
  if (desc.Interlace) {
    static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (int y = start[pass]; y < height; y += step[pass]) {
        if (DGifGetLine(gif, PictureRow(picture, y), width) == GIF_ERROR) return false;
      }
    }
  } else {
    for (int y = 0; y < height; ++y) {
      if (DGifGetLine(gif, PictureRow(picture, y), width) == GIF_ERROR) return false;
    }
  }
  // Only stored indices below the palette size were given colours above.
  int top = picture.colourCount;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = PictureRow(picture, y);
    for (int x = 0; x < width; ++x) {
      if (row[x] >= top) row[x] = 0;
    }
  }
  return true;
}

bool EncodeGif(const Picture& picture, std::vector<uint8_t>& out) {
  if (picture.bitsPerPixel > 8 || picture.colourCount < 1 || picture.colourCount > 256 ||
      picture.width > 65535 || picture.height > 65535)
    return false;
  int bits = BitsFor(picture.colourCount);
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (map == nullptr) return false;
  for (int i = 0; i < (1 << bits); ++i) {
    PictureColour c = i < picture.colourCount ? picture.colours[size_t(i)] : PictureColour{};
    map->Colors[i] = GifColorType{c.red, c.green, c.blue};
  }
  std::vector<uint8_t> bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, WriteGifBytes, &error);
  if (gif == nullptr) {
    GifFreeMapObject(map);
    return false;
  }
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, bits, 0, map) != GIF_ERROR &&
            EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) != GIF_ERROR;
  for (int32_t y = 0; ok && y < picture.height; ++y) {
    ok = EGifPutLine(gif, const_cast<GifPixelType*>(PictureRow(picture, y)), picture.width) !=
         GIF_ERROR;
  }
  ok = EGifCloseFile(gif, &error) != GIF_ERROR && ok;
  GifFreeMapObject(map);
  if (!ok) return false;
  out.insert(out.end(), bytes.begin(), bytes.end());
  return true;
}
