// picture_codecs.h - the contract between the library's front (picture.cpp) and the
// readers and writers of each file format. Internal to graphics/.
//
// Readers:
//   bool Read<Fmt>Info(data, size, info)   width, height and the file's depth; cheap,
//                                          header only where the format allows.
//   bool Decode<Fmt>(data, size, picture)  the whole picture, in one of the two
//                                          storages of picture.h: indexed (bitsPerPixel
//                                          1, 4 or 8, with colours; grey pictures get a
//                                          grey palette) or 24 bits B,G,R. Must call
//                                          AllocatePicturePixels for the data, which
//                                          checks the size limits. On false the front
//                                          releases whatever was put in the record.
// Both get the whole file and must not read outside it, loop without progress or
// allocate anything in proportion to a size field before checking it against the data
// present. Alpha channels are dropped.
//
// Writers get a picture in 24-bit storage (or 8-bit indexed storage for GIF), with
// width and height at least 1, and append the whole file to `out`. quality as in
// SavePictureFile.
#pragma once

#include "picture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Sets width, height, bitsPerPixel and stride and allocates zeroed rows. False (and
// nothing allocated) when the size is zero, negative, over the limits, or memory is
// short.
bool AllocatePicturePixels(Picture& picture, int64_t width, int64_t height, int32_t bitsPerPixel);
bool PictureSizeAllowed(int64_t width, int64_t height);
inline uint8_t* PictureRow(Picture& picture, int32_t y) {
  return picture.pixels.data() + size_t(y) * size_t(picture.stride);
}
inline const uint8_t* PictureRow(const Picture& picture, int32_t y) {
  return picture.pixels.data() + size_t(y) * size_t(picture.stride);
}

// Our own formats.
bool LooksLikeTga(const uint8_t* data, size_t size);
bool LooksLikePict(const uint8_t* data, size_t size);
bool ReadBmpInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodeBmp(const uint8_t* data, size_t size, Picture& picture);
bool ReadTgaInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodeTga(const uint8_t* data, size_t size, Picture& picture);
bool ReadPcxInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodePcx(const uint8_t* data, size_t size, Picture& picture);
bool ReadPictInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodePict(const uint8_t* data, size_t size, Picture& picture);

bool EncodeBmp(const Picture& picture, bool os2, std::vector<uint8_t>& out);
bool EncodeTga(const Picture& picture, std::vector<uint8_t>& out);
bool EncodePcx(const Picture& picture, std::vector<uint8_t>& out);
bool EncodePict(const Picture& picture, std::vector<uint8_t>& out);

// Formats read and written through the codec libraries.
bool ReadJpegInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodeJpeg(const uint8_t* data, size_t size, Picture& picture);
bool ReadPngInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodePng(const uint8_t* data, size_t size, Picture& picture);
bool ReadTiffInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodeTiff(const uint8_t* data, size_t size, Picture& picture);
bool ReadGifInfo(const uint8_t* data, size_t size, PictureInfo& info);
bool DecodeGif(const uint8_t* data, size_t size, Picture& picture);

// JFIF: baseline JPEG. ".bkg": progressive JPEG with optimised tables (see
// picture_jpeg.cpp for its parameters).
bool EncodeJpeg(const Picture& picture, int32_t quality, bool progressive,
                std::vector<uint8_t>& out);
// TIFF, uncompressed or LZW; JPEG inside TIFF for the "JTIF" variant.
enum class TiffCompression { None, Lzw, Jpeg };
bool EncodeTiff(const Picture& picture, TiffCompression compression, int32_t quality,
                std::vector<uint8_t>& out);
// GIF from an indexed picture.
bool EncodeGif(const Picture& picture, std::vector<uint8_t>& out);
