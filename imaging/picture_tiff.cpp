// picture_tiff.cpp - TIFF reading and writing through libtiff.
//
// Reading: the first image of the file, either byte order, strips or tiles, any
// compression libtiff was built with (at least none, LZW, PackBits, deflate and JPEG),
// RGB, palette, grey (with or without alpha), bilevel and the other photometric kinds
// libtiff turns into RGBA.
// Memory is capped through libtiff's open options and the size limits are checked
// before the picture is allocated. The picture comes out as 24-bit B,G,R.
//
// Writing: 8-bit RGB, contiguous, in strips of about 64 KiB; uncompressed, LZW with
// horizontal differencing, or (the "JTIF" variant) JPEG inside TIFF, YCbCr without
// chroma subsampling, at the JFIF quality scale of picture_jpeg.cpp.
#include "picture_codecs.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>

#include <tiffio.h>

namespace {

constexpr tmsize_t kMaxSingleAllocation = tmsize_t(512) * 1024 * 1024;

// A file in memory for libtiff: reading from the caller's bytes, writing into a vector.
struct MemoryFile {
  const uint8_t* data = nullptr;
  std::vector<uint8_t>* out = nullptr;
  uint64_t size = 0;
  uint64_t position = 0;
};

tmsize_t MemoryRead(thandle_t handle, void* buffer, tmsize_t count) {
  MemoryFile* file = static_cast<MemoryFile*>(handle);
  if (count <= 0 || file->position >= file->size) return 0;
  uint64_t available = file->size - file->position;
  uint64_t n = std::min<uint64_t>(available, uint64_t(count));
  const uint8_t* source = file->data ? file->data : file->out->data();
  std::memcpy(buffer, source + file->position, size_t(n));
  file->position += n;
  return tmsize_t(n);
}

tmsize_t MemoryWrite(thandle_t handle, void* buffer, tmsize_t count) {
  MemoryFile* file = static_cast<MemoryFile*>(handle);
  if (file->out == nullptr || count < 0) return -1;
  uint64_t end = file->position + uint64_t(count);
  if (end > file->out->size()) file->out->resize(size_t(end));
  std::memcpy(file->out->data() + file->position, buffer, size_t(count));
  file->position = end;
  if (end > file->size) file->size = end;
  return count;
}

toff_t MemorySeek(thandle_t handle, toff_t offset, int whence) {
  MemoryFile* file = static_cast<MemoryFile*>(handle);
  uint64_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? file->size : 0;
  uint64_t target = base + offset;
  // Reading cannot seek past the end; writing may (the gap reads as zeros).
  if (file->out == nullptr && target > file->size) return toff_t(-1);
  file->position = target;
  return target;
}

int MemoryClose(thandle_t) { return 0; }
toff_t MemorySize(thandle_t handle) { return static_cast<MemoryFile*>(handle)->size; }
int MemoryMap(thandle_t, void**, toff_t*) { return 0; }
void MemoryUnmap(thandle_t, void*, toff_t) {}

int QuietHandler(TIFF*, void*, const char*, const char*, va_list) { return 1; }

TIFF* OpenMemory(MemoryFile& file, const char* mode) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (options == nullptr) return nullptr;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAllocation);
  TIFFOpenOptionsSetErrorHandlerExtR(options, QuietHandler, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, QuietHandler, nullptr);
  TIFF* tif = TIFFClientOpenExt("memory", mode, &file, MemoryRead, MemoryWrite, MemorySeek,
                                MemoryClose, MemorySize, MemoryMap, MemoryUnmap, options);
  TIFFOpenOptionsFree(options);
  return tif;
}

bool ReadSizes(TIFF* tif, PictureInfo& info) {
  uint32_t width = 0, height = 0;
  uint16_t bits = 1, samples = 1;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height))
    return false;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  if (!PictureSizeAllowed(width, height)) return false;
  info.width = int32_t(width);
  info.height = int32_t(height);
  if (samples <= 2)
    info.bitsPerPixel = bits <= 1 ? 1 : bits <= 4 ? 4 : 8;
  else
    info.bitsPerPixel = samples == 3 ? 24 : 32;
  return true;
}

}  // namespace

bool ReadTiffInfo(const uint8_t* data, size_t size, PictureInfo& info) {
  MemoryFile file;
  file.data = data;
  file.size = size;
  TIFF* tif = OpenMemory(file, "rm");
  if (tif == nullptr) return false;
  bool ok = ReadSizes(tif, info);
  TIFFClose(tif);
  return ok;
}

// How a picture stored in strips lays out its samples.
struct StripLayout {
  uint16_t photometric = 0, bits = 0, samples = 0, planar = 0, orientation = 0, extra = 0;
  uint16_t* extraKinds = nullptr;
  uint32_t width = 0, height = 0, rowsPerStrip = 0;
};

// False for a tiled picture or one that does not say how its colours are stored.
bool ReadStripLayout(TIFF* tif, StripLayout& layout) {
  if (TIFFIsTiled(tif) || !TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &layout.photometric))
    return false;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &layout.bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &layout.samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &layout.planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &layout.orientation);
  TIFFGetFieldDefaulted(tif, TIFFTAG_EXTRASAMPLES, &layout.extra, &layout.extraKinds);
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &layout.width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &layout.height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &layout.rowsPerStrip);
  return true;
}

// The common case, 8-bit RGB in contiguous strips stored top-down, read strip by strip
// without libtiff's general RGBA conversion. False when the picture is not of that
// kind (nothing read) or a strip is damaged (*damaged set).
bool DecodePlainRgbStrips(TIFF* tif, Picture& picture, bool& damaged) {
  damaged = false;
  StripLayout layout;
  if (!ReadStripLayout(tif, layout) || layout.photometric != PHOTOMETRIC_RGB) return false;
  const uint16_t bits = layout.bits, samples = layout.samples, extra = layout.extra;
  const uint16_t* extraKinds = layout.extraKinds;
  const uint32_t width = layout.width, height = layout.height;
  uint32_t rowsPerStrip = layout.rowsPerStrip;
  // Associated alpha would need undoing; leave that to the general path.
  bool plainExtra =
      extra == 0 || (extra == 1 && extraKinds && extraKinds[0] != EXTRASAMPLE_ASSOCALPHA);
  if (bits != 8 || (samples != 3 && samples != 4) || samples != 3 + extra || !plainExtra ||
      layout.planar != PLANARCONFIG_CONTIG || layout.orientation != ORIENTATION_TOPLEFT ||
      rowsPerStrip == 0 || !PictureSizeAllowed(width, height))
    return false;
  tmsize_t stripSize = TIFFStripSize(tif);
  uint64_t rowBytes = uint64_t(width) * samples;
  if (stripSize <= 0 || uint64_t(stripSize) < rowBytes) return false;
  rowsPerStrip = std::min(rowsPerStrip, height);
  std::unique_ptr<uint8_t[]> strip(new (std::nothrow) uint8_t[size_t(stripSize)]);
  if (strip == nullptr || !AllocatePicturePixels(picture, width, height, 24)) {
    damaged = true;
    return false;
  }
  for (uint32_t y = 0; y < height; y += rowsPerStrip) {
    uint32_t rows = std::min(rowsPerStrip, height - y);
    tmsize_t wanted = tmsize_t(rowBytes * rows);
    if (TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, y, 0), strip.get(), wanted) != wanted) {
      damaged = true;
      return false;
    }
    for (uint32_t r = 0; r < rows; ++r) {
      const uint8_t* source = strip.get() + size_t(r) * size_t(rowBytes);
      uint8_t* target = PictureRow(picture, int32_t(y + r));
      for (uint32_t x = 0; x < width; ++x) {
        target[3 * x] = source[samples * x + 2];
        target[3 * x + 1] = source[samples * x + 1];
        target[3 * x + 2] = source[samples * x];
      }
    }
  }
  return true;
}

// 16-bit samples to 8 bits as other readers show them (v / 257, rounded down).
uint8_t Scale16To8(uint32_t v) { return uint8_t(v / 257); }

// Grey pictures, with or without an alpha sample, of 1, 2, 4, 8 or 16 bits a sample, in
// contiguous strips stored top-down: read row by row, the alpha dropped and the grey
// kept as stored, or divided by an associated alpha (libtiff's RGBA conversion takes
// grey and alpha only at 8 bits, and keeps an associated alpha multiplied in).
// False when the picture is not of that kind (nothing read) or a row is damaged
// (*damaged set).
bool DecodeGreyStrips(TIFF* tif, Picture& picture, bool& damaged) {
  damaged = false;
  StripLayout layout;
  if (!ReadStripLayout(tif, layout) || (layout.photometric != PHOTOMETRIC_MINISBLACK &&
                                        layout.photometric != PHOTOMETRIC_MINISWHITE))
    return false;
  const uint16_t photometric = layout.photometric, bits = layout.bits, samples = layout.samples;
  const uint16_t extra = layout.extra;
  const uint16_t* extraKinds = layout.extraKinds;
  const uint32_t width = layout.width, height = layout.height;
  uint16_t format = SAMPLEFORMAT_UINT;
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format);
  bool knownBits = bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
  if (!knownBits || samples < 1 || samples > 2 || samples != 1 + extra ||
      format != SAMPLEFORMAT_UINT || (layout.planar != PLANARCONFIG_CONTIG && samples > 1) ||
      layout.orientation != ORIENTATION_TOPLEFT || !PictureSizeAllowed(width, height))
    return false;
  uint64_t rowBits = uint64_t(width) * samples * bits;
  tmsize_t lineSize = TIFFScanlineSize(tif);
  if (lineSize <= 0 || uint64_t(lineSize) * 8 < rowBits) return false;
  std::unique_ptr<uint8_t[]> line(new (std::nothrow) uint8_t[size_t(lineSize)]);
  if (line == nullptr || !AllocatePicturePixels(picture, width, height, 24)) {
    damaged = true;
    return false;
  }
  const uint32_t top = (1u << std::min<uint16_t>(bits, 8)) - 1;
  const bool associated = extra == 1 && extraKinds && extraKinds[0] == EXTRASAMPLE_ASSOCALPHA;
  auto sampleAt = [&](const uint8_t* row, size_t sample) -> uint32_t {
    if (bits == 16) {
      uint16_t v;  // libtiff gives 16-bit samples in the machine's byte order
      std::memcpy(&v, row + sample * 2, 2);
      return Scale16To8(v);
    }
    if (bits == 8) return row[sample];
    size_t bit = sample * bits;
    uint32_t v = (row[bit / 8] >> (8 - bits - bit % 8)) & top;
    return v * 255 / top;
  };
  for (uint32_t y = 0; y < height; ++y) {
    if (TIFFReadScanline(tif, line.get(), y, 0) < 0) {
      damaged = true;
      return false;
    }
    uint8_t* target = PictureRow(picture, int32_t(y));
    for (uint32_t x = 0; x < width; ++x) {
      size_t sample = size_t(x) * samples;  // the grey sample; the alpha follows it
      uint32_t value = sampleAt(line.get(), sample);
      if (associated) {
        // Stored multiplied by its alpha: the colour itself is shown, as other readers
        // show it with the alpha dropped.
        uint32_t a = sampleAt(line.get(), sample + 1);
        value = a == 0 ? 0 : std::min<uint32_t>(255, value * 255 / a);
      }
      if (photometric == PHOTOMETRIC_MINISWHITE) value = 255 - value;
      target[3 * x] = target[3 * x + 1] = target[3 * x + 2] = uint8_t(value);
    }
  }
  return true;
}

bool DecodeTiff(const uint8_t* data, size_t size, Picture& picture) {
  MemoryFile file;
  file.data = data;
  file.size = size;
  TIFF* tif = OpenMemory(file, "rm");
  if (tif == nullptr) return false;
  bool damaged = false;
  if (DecodePlainRgbStrips(tif, picture, damaged) || damaged ||
      DecodeGreyStrips(tif, picture, damaged) || damaged) {
    TIFFClose(tif);
    return !damaged;
  }
  PictureInfo info;
  char message[1024];
  bool ok = ReadSizes(tif, info) && TIFFRGBAImageOK(tif, message);
  TIFFRGBAImage image;
  if (ok) ok = TIFFRGBAImageBegin(&image, tif, 1, message) != 0;
  if (!ok) {
    TIFFClose(tif);
    return false;
  }
  image.req_orientation = ORIENTATION_TOPLEFT;
  uint32_t width = image.width, height = image.height;
  // Read in bands, so that the RGBA buffer stays small whatever the picture's size.
  uint32_t band = std::max<uint32_t>(1, std::min<uint32_t>(height, (16u << 20) / (width * 4u)));
  // libtiff turns a picture stored bottom-up (or sideways) within one call only, so
  // such pictures are read whole.
  uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  if (orientation != ORIENTATION_TOPLEFT) band = height;
  std::unique_ptr<uint32_t[]> raster;
  ok = AllocatePicturePixels(picture, width, height, 24);
  if (ok) raster.reset(new (std::nothrow) uint32_t[size_t(width) * band]);
  ok = ok && raster != nullptr;
  for (uint32_t y = 0; ok && y < height; y += band) {
    uint32_t rows = std::min(band, height - y);
    image.row_offset = int(y);
    image.col_offset = 0;
    if (!TIFFRGBAImageGet(&image, raster.get(), width, rows)) {
      ok = false;
      break;
    }
    for (uint32_t r = 0; r < rows; ++r) {
      const uint32_t* source = raster.get() + size_t(r) * width;
      uint8_t* target = PictureRow(picture, int32_t(y + r));
      for (uint32_t x = 0; x < width; ++x) {
        uint32_t p = source[x];
        target[3 * x] = uint8_t(TIFFGetB(p));
        target[3 * x + 1] = uint8_t(TIFFGetG(p));
        target[3 * x + 2] = uint8_t(TIFFGetR(p));
      }
    }
  }
  TIFFRGBAImageEnd(&image);
  TIFFClose(tif);
  return ok;
}

bool EncodeTiff(const Picture& picture, TiffCompression compression, int32_t quality,
                std::vector<uint8_t>& out) {
  if (picture.bitsPerPixel <= 8) return false;
  std::vector<uint8_t> bytes;
  MemoryFile file;
  file.out = &bytes;
  TIFF* tif = OpenMemory(file, "w");
  if (tif == nullptr) return false;
  uint32_t width = uint32_t(picture.width), height = uint32_t(picture.height);
  uint32_t rowsPerStrip = std::min(height, std::max<uint32_t>(1, 65536u / (width * 3u)));
  if (compression == TiffCompression::Jpeg)
    rowsPerStrip = std::min(height, std::max<uint32_t>(8, rowsPerStrip / 8 * 8));
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, 96.0);
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, 96.0);
  switch (compression) {
    case TiffCompression::None:
      TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
      TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
      break;
    case TiffCompression::Lzw:
      TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
      TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
      TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
      break;
    case TiffCompression::Jpeg: {
      int32_t q = quality == 0   ? 85
                  : quality <= 2 ? 95
                                 : std::max(5, 95 - (std::min(quality, 255) - 2) * 90 / 253);
      TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
      TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
      TIFFSetField(tif, TIFFTAG_YCBCRSUBSAMPLING, 1, 1);
      TIFFSetField(tif, TIFFTAG_JPEGQUALITY, int(q));
      TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
      break;
    }
  }
  // Whole strips at a time, turned from B,G,R into R,G,B.
  size_t rowBytes = size_t(width) * 3;
  std::vector<uint8_t> strip(rowBytes * rowsPerStrip);
  bool ok = true;
  for (uint32_t y = 0; ok && y < height; y += rowsPerStrip) {
    uint32_t rows = std::min(rowsPerStrip, height - y);
    for (uint32_t r = 0; r < rows; ++r) {
      const uint8_t* source = PictureRow(picture, int32_t(y + r));
      uint8_t* row = strip.data() + size_t(r) * rowBytes;
      for (uint32_t x = 0; x < width; ++x) {
        row[3 * x] = source[3 * x + 2];
        row[3 * x + 1] = source[3 * x + 1];
        row[3 * x + 2] = source[3 * x];
      }
    }
    ok = TIFFWriteEncodedStrip(tif, TIFFComputeStrip(tif, y, 0), strip.data(),
                               tmsize_t(rowBytes * rows)) >= 0;
  }
  ok = ok && TIFFWriteDirectory(tif) == 1;
  TIFFClose(tif);
  if (!ok) return false;
  out.insert(out.end(), bytes.begin(), bytes.begin() + ptrdiff_t(file.size));
  return true;
}
