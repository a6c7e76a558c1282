// Just enough of the picture and sound formats to check what the game's files are:
// sizes, depths and sample formats, read from their headers with bounds checks.
#ifndef ZD_TESTS_PICTURE_HEADERS_H
#define ZD_TESTS_PICTURE_HEADERS_H

#include <cstdint>
#include <optional>
#include <vector>

struct PngInfo {
  uint32_t width = 0, height = 0;
  uint8_t bitDepth = 0, colourType = 0;
};
std::optional<PngInfo> ReadPngInfo(const std::vector<uint8_t>& bytes);

struct TiffInfo {
  uint32_t width = 0, height = 0;
  uint32_t samplesPerPixel = 0, bitsPerSample = 0, photometric = 0, compression = 0;
  uint32_t planarConfig = 1;
  std::vector<uint32_t> stripOffsets, stripByteCounts;
};
std::optional<TiffInfo> ReadTiffInfo(const std::vector<uint8_t>& bytes);
// The RGB pixels of an uncompressed, chunky 8-bit RGB TIFF, row by row.
std::optional<std::vector<uint8_t>> ReadTiffRgb(const std::vector<uint8_t>& bytes);

struct JpegInfo {
  uint32_t width = 0, height = 0;
  uint8_t components = 0;
  bool progressive = false;
  bool hasHuffmanTables = false;
};
std::optional<JpegInfo> ReadJpegInfo(const std::vector<uint8_t>& bytes);

struct WaveInfo {
  uint16_t format = 0, channels = 0, bitsPerSample = 0, blockAlign = 0;
  uint32_t sampleRate = 0, byteRate = 0;
  uint32_t dataBytes = 0;
  uint32_t dataOffset = 0;
};
std::optional<WaveInfo> ReadWaveInfo(const std::vector<uint8_t>& bytes);

#endif
