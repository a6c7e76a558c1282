// picture_gif.cpp - GIF reading and writing through giflib.
//
// Reading takes the first image of the file (interlaced or not, with its local palette
// or the global one); the picture has that image's size. An image with neither palette
// gets a default one of 256 entries, all black, as other readers show such a file. Only the records up to the
// first image are read, so a file of many frames costs no more than one.
// Writing makes a GIF89a file of one image from an indexed picture.
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

}  // namespace

bool ReadGifInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  GifSource source{data, size, 0};
  int error = 0;
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
