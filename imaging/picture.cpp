// picture.cpp - the library's front: records, limits, reading by content, saving.
#include "picture.h"
#include "picture_codecs.h"

#include "game/file_image.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

bool HasPrefix(const uint8_t* data, size_t size, const char* magic, size_t length) {
  return size >= length && std::memcmp(data, magic, length) == 0;
}

// Reads a whole file into memory; false when it cannot be opened or read, or is larger
// than kMaxPictureFileBytes.
int32_t ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  if (path == nullptr || *path == 0) return kPictureFileError;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return kPictureFileError;
  int32_t result = kPictureSuccess;
  if (std::fseek(file, 0, SEEK_END) != 0) {
    result = kPictureFileError;
  } else {
    long length = std::ftell(file);
    if (length < 0) {
      result = kPictureFileError;
    } else if (int64_t(length) > kMaxPictureFileBytes) {
      result = kPictureTooLarge;
    } else {
      std::rewind(file);
      try {
        bytes.resize(size_t(length));
      } catch (const std::bad_alloc&) {
        result = kPictureNoMemory;
      }
      if (result == kPictureSuccess && length > 0 &&
          std::fread(bytes.data(), 1, size_t(length), file) != size_t(length)) {
        result = kPictureFileError;
      }
    }
  }
  std::fclose(file);
  if (result != kPictureSuccess) bytes.clear();
  return result;
}

void ClearData(Picture& picture) {
  std::vector<uint8_t>().swap(picture.pixels);
  picture.width = 0;
  picture.height = 0;
  picture.bitsPerPixel = 0;
  picture.stride = 0;
  picture.colourCount = 0;
  picture.flags &= ~kPictureHasData;
}

bool DecodeKind(PictureKind kind, const uint8_t* data, size_t size, Picture& picture) {
  switch (kind) {
    case PictureKind::Bmp:
      return DecodeBmp(data, size, picture);
    case PictureKind::Tga:
      return DecodeTga(data, size, picture);
    case PictureKind::Pcx:
      return DecodePcx(data, size, picture);
    case PictureKind::Tiff:
      return DecodeTiff(data, size, picture);
    case PictureKind::Gif:
      return DecodeGif(data, size, picture);
    case PictureKind::Jpeg:
      return DecodeJpeg(data, size, picture);
    case PictureKind::Png:
      return DecodePng(data, size, picture);
    case PictureKind::Pict:
      return DecodePict(data, size, picture);
    case PictureKind::Unknown:
      break;
  }
  return false;
}

bool ReadKindInfo(PictureKind kind, const uint8_t* data, size_t size, PictureInfo& info) {
  switch (kind) {
    case PictureKind::Bmp:
      return ReadBmpInfo(data, size, info);
    case PictureKind::Tga:
      return ReadTgaInfo(data, size, info);
    case PictureKind::Pcx:
      return ReadPcxInfo(data, size, info);
    case PictureKind::Tiff:
      return ReadTiffInfo(data, size, info);
    case PictureKind::Gif:
      return ReadGifInfo(data, size, info);
    case PictureKind::Jpeg:
      return ReadJpegInfo(data, size, info);
    case PictureKind::Png:
      return ReadPngInfo(data, size, info);
    case PictureKind::Pict:
      return ReadPictInfo(data, size, info);
    case PictureKind::Unknown:
      break;
  }
  return false;
}

bool DepthAllowed(int32_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

// Keeps the program's own fields (flags other than the data bit, hints, palette
// handle) and replaces the data with that of `decoded`.
void AdoptData(Picture& picture, Picture& decoded) {
  picture.width = decoded.width;
  picture.height = decoded.height;
  picture.bitsPerPixel = decoded.bitsPerPixel;
  picture.stride = decoded.stride;
  picture.pixels.swap(decoded.pixels);
  picture.colourCount = decoded.colourCount;
  picture.colours = decoded.colours;
  picture.flags |= kPictureHasData;
  picture.viewRect = {0, 0, picture.width, picture.height};
}

}  // namespace

bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

bool AllocatePicturePixels(Picture& picture, int64_t width, int64_t height, int32_t bitsPerPixel) {
  if (!PictureSizeAllowed(width, height) || !DepthAllowed(bitsPerPixel)) return false;
  int64_t rowBytes = bitsPerPixel <= 8 ? width : width * 3;
  int64_t stride = (rowBytes + 3) & ~int64_t(3);
  int64_t total = stride * height;
  if (uint64_t(total) > SIZE_MAX) return false;
  try {
    std::vector<uint8_t> rows(static_cast<size_t>(total));
    picture.pixels.swap(rows);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  picture.width = int32_t(width);
  picture.height = int32_t(height);
  picture.bitsPerPixel = bitsPerPixel;
  picture.stride = int32_t(stride);
  if (bitsPerPixel > 8) picture.colourCount = 0;
  return true;
}

PictureKind SniffPicture(const uint8_t* data, size_t size) {
  if (data == nullptr || size < 4) return PictureKind::Unknown;
  if (HasPrefix(data, size, "\x89PNG\r\n\x1a\n", 8)) return PictureKind::Png;
  if (data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return PictureKind::Jpeg;
  if (HasPrefix(data, size, "GIF87a", 6) || HasPrefix(data, size, "GIF89a", 6))
    return PictureKind::Gif;
  if (HasPrefix(data, size, "II*\0", 4) || HasPrefix(data, size, "MM\0*", 4))
    return PictureKind::Tiff;
  if (HasPrefix(data, size, "BM", 2)) return PictureKind::Bmp;
  // PCX: manufacturer 10, a known version, run-length encoding 0 or 1, a valid depth.
  if (size >= 128 && data[0] == 0x0A && data[1] <= 5 && data[2] <= 1 &&
      (data[3] == 1 || data[3] == 2 || data[3] == 4 || data[3] == 8))
    return PictureKind::Pcx;
  if (LooksLikePict(data, size)) return PictureKind::Pict;
  if (LooksLikeTga(data, size)) return PictureKind::Tga;
  return PictureKind::Unknown;
}

int32_t ReadPictureMemoryInfo(const uint8_t* data, PictureInfo& info, size_t byteCount) {
  info = PictureInfo{};
  PictureKind kind = SniffPicture(data, byteCount);
  if (kind == PictureKind::Unknown) return kPictureBadData;
  PictureInfo found;
  bool ok = false;
  try {
    ok = ReadKindInfo(kind, data, byteCount, found);
  } catch (...) {
    ok = false;
  }
  if (!ok || !PictureSizeAllowed(found.width, found.height) || !DepthAllowed(found.bitsPerPixel)) {
    return kPictureBadData;
  }
  info = found;
  info.kind = kind;
  info.loadValue = 0;
  return kPictureSuccess;
}

int32_t ReadPictureFileInfo(const char* path, PictureInfo& info) {
  info = PictureInfo{};
  std::vector<uint8_t> bytes;
  int32_t result = ReadWholeFile(path, bytes);
  if (result != kPictureSuccess) return result;
  return ReadPictureMemoryInfo(bytes.data(), info, bytes.size());
}

int32_t PreparePicture(Picture& picture, int32_t width, int32_t height, int32_t bitsPerPixel) {
  ClearData(picture);
  if (!DepthAllowed(bitsPerPixel)) return kPictureBadArgument;
  if (!PictureSizeAllowed(width, height)) return kPictureTooLarge;
  if (!AllocatePicturePixels(picture, width, height, bitsPerPixel)) return kPictureNoMemory;
  if (bitsPerPixel <= 8) {
    // A black picture: every index 0, a grey ramp as palette.
    int32_t count = 1 << bitsPerPixel;
    picture.colourCount = count;
    for (int32_t i = 0; i < count; ++i) {
      uint8_t level = uint8_t(count == 1 ? 0 : i * 255 / (count - 1));
      picture.colours[size_t(i)] = PictureColour{level, level, level, 0};
    }
  }
  picture.flags |= kPictureHasData;
  picture.viewRect = {0, 0, width, height};
  return kPictureSuccess;
}

int32_t LoadPictureMemory(const uint8_t* data, Picture& picture, int32_t bitsPerPixel,
                          size_t byteCount, int32_t /*loadValue*/) {
  ClearData(picture);
  if (bitsPerPixel != 0 && !DepthAllowed(bitsPerPixel)) return kPictureBadArgument;
  PictureKind kind = SniffPicture(data, byteCount);
  if (kind == PictureKind::Unknown) return kPictureBadData;
  Picture decoded;
  bool ok = false;
  try {
    ok = DecodeKind(kind, data, byteCount, decoded);
  } catch (const std::bad_alloc&) {
    return kPictureNoMemory;
  } catch (...) {
    ok = false;
  }
  if (!ok || decoded.width < 1 || decoded.height < 1 ||
      decoded.pixels.size() < size_t(decoded.stride) * size_t(decoded.height)) {
    return kPictureBadData;
  }
  AdoptData(picture, decoded);
  if (bitsPerPixel != 0 && bitsPerPixel != picture.bitsPerPixel) {
    int32_t result = ChangePictureDepth(picture, bitsPerPixel, kDepthOptimisedPalette);
    if (result != kPictureSuccess) {
      ClearData(picture);
      return result;
    }
  }
  return kPictureSuccess;
}

int32_t LoadPictureFile(const char* path, Picture& picture, int32_t bitsPerPixel,
                        int32_t loadValue) {
  ClearData(picture);
  std::vector<uint8_t> bytes;
  int32_t result = ReadWholeFile(path, bytes);
  if (result != kPictureSuccess) return result;
  return LoadPictureMemory(bytes.data(), picture, bitsPerPixel, bytes.size(), loadValue);
}

void ReleasePicture(Picture& picture) { ClearData(picture); }

int32_t EncodePicture(const Picture& picture, int32_t format, int32_t bitsPerPixel, int32_t quality,
                      std::vector<uint8_t>& out) {
  out.clear();
  switch (format) {
    case kFormatPcx:
    case kFormatGif:
    case kFormatTiff:
    case kFormatTga:
    case kFormatBmp:
    case kFormatJfif:
    case kFormatJpegTiff:
    case kFormatOs2Bmp:
    case kFormatTiffLzw:
    case kFormatBkg:
    case kFormatPict:
      break;
    default:
      return kPictureUnknownFormat;
  }
  if (picture.width < 1 || picture.height < 1 || (picture.flags & kPictureHasData) == 0 ||
      picture.pixels.size() < size_t(picture.stride) * size_t(picture.height)) {
    return kPictureBadArgument;
  }
  if (bitsPerPixel != 0 && !DepthAllowed(bitsPerPixel)) return kPictureBadArgument;
  try {
    // The writers take 8-bit indexed pictures (GIF) or 24-bit storage (the rest); a
    // picture in another storage is converted in a copy, the caller's stays as it is.
    bool wantIndexed = format == kFormatGif;
    Picture converted;
    const Picture* source = &picture;
    if ((picture.bitsPerPixel <= 8) != wantIndexed) {
      converted = picture;
      int32_t result = ChangePictureDepth(converted, wantIndexed ? 8 : 24, kDepthDithered);
      if (result != kPictureSuccess) return result;
      source = &converted;
    }
    const Picture& copy = *source;
    bool ok = false;
    switch (format) {
      case kFormatPcx:
        ok = EncodePcx(copy, out);
        break;
      case kFormatGif:
        ok = EncodeGif(copy, out);
        break;
      case kFormatTiff:
        ok = EncodeTiff(copy, TiffCompression::None, quality, out);
        break;
      case kFormatTga:
        ok = EncodeTga(copy, out);
        break;
      case kFormatBmp:
        ok = EncodeBmp(copy, false, out);
        break;
      case kFormatJfif:
        ok = EncodeJpeg(copy, quality, false, out);
        break;
      case kFormatJpegTiff:
        ok = EncodeTiff(copy, TiffCompression::Jpeg, quality, out);
        break;
      case kFormatOs2Bmp:
        ok = EncodeBmp(copy, true, out);
        break;
      case kFormatTiffLzw:
        ok = EncodeTiff(copy, TiffCompression::Lzw, quality, out);
        break;
      case kFormatBkg:
        ok = EncodeJpeg(copy, quality, true, out);
        break;
      case kFormatPict:
        ok = EncodePict(copy, out);
        break;
      default:
        break;
    }
    if (!ok) {
      out.clear();
      return kPictureFailure;
    }
  } catch (const std::bad_alloc&) {
    out.clear();
    return kPictureNoMemory;
  } catch (...) {
    out.clear();
    return kPictureFailure;
  }
  return kPictureSuccess;
}

bool LoadPictureReplacing(const char* path, Picture& picture) {
  PictureInfo info;
  ReadPictureFileInfo(path, info);
  Picture loaded;
  LoadPictureFile(path, loaded, info.bitsPerPixel, info.loadValue);
  if (loaded.width <= 0) return false;
  ReleasePicture(picture);
  AdoptData(picture, loaded);
  return true;
}

int32_t SavePictureFile(const char* path, const Picture& picture, int32_t format,
                        int32_t bitsPerPixel, int32_t quality) {
  if (path == nullptr || *path == 0) return kPictureFileError;
  std::vector<uint8_t> bytes;
  int32_t result = EncodePicture(picture, format, bitsPerPixel, quality, bytes);
  if (result != kPictureSuccess) return result;
  // A write that fails half-way leaves the file that was there as it was.
  if (!ReplaceFileContents(path, bytes.data(), bytes.size())) return kPictureFileError;
  return kPictureSuccess;
}
