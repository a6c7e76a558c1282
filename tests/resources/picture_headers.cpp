#include "picture_headers.h"

#include <cstring>

namespace {

uint32_t Be32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint16_t Be16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

}  // namespace

std::optional<PngInfo> ReadPngInfo(const std::vector<uint8_t>& b) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 33 || std::memcmp(b.data(), kSignature, 8) != 0) return std::nullopt;
  if (Be32(&b[8]) != 13 || std::memcmp(&b[12], "IHDR", 4) != 0) return std::nullopt;
  PngInfo info;
  info.width = Be32(&b[16]);
  info.height = Be32(&b[20]);
  info.bitDepth = b[24];
  info.colourType = b[25];
  return info;
}

std::optional<TiffInfo> ReadTiffInfo(const std::vector<uint8_t>& b) {
  if (b.size() < 8) return std::nullopt;
  bool little = b[0] == 'I' && b[1] == 'I';
  if (!little && !(b[0] == 'M' && b[1] == 'M')) return std::nullopt;
  auto u16 = [&](size_t at) { return little ? Le16(&b[at]) : Be16(&b[at]); };
  auto u32 = [&](size_t at) { return little ? Le32(&b[at]) : Be32(&b[at]); };
  if (u16(2) != 42) return std::nullopt;
  size_t ifd = u32(4);
  if (ifd > b.size() || b.size() - ifd < 2) return std::nullopt;
  uint16_t count = u16(ifd);
  if ((b.size() - ifd - 2) / 12 < count) return std::nullopt;
  TiffInfo info;
  for (uint16_t i = 0; i < count; ++i) {
    size_t e = ifd + 2 + size_t(i) * 12;
    uint16_t tag = u16(e), type = u16(e + 2);
    uint32_t n = u32(e + 4);
    size_t size = type == 3 ? 2 : type == 4 ? 4 : 0;
    if (size == 0) continue;  // only SHORT and LONG values are needed here
    if (n > (1u << 20)) return std::nullopt;
    size_t at = size * n <= 4 ? e + 8 : u32(e + 8);
    if (at > b.size() || (b.size() - at) / size < n) return std::nullopt;
    std::vector<uint32_t> values;
    for (uint32_t k = 0; k < n; ++k)
      values.push_back(size == 2 ? u16(at + 2 * k) : u32(at + 4 * k));
    if (values.empty()) continue;
    switch (tag) {
      case 256:
        info.width = values[0];
        break;
      case 257:
        info.height = values[0];
        break;
      case 258:
        info.bitsPerSample = values[0];
        break;
      case 259:
        info.compression = values[0];
        break;
      case 262:
        info.photometric = values[0];
        break;
      case 273:
        info.stripOffsets = values;
        break;
      case 277:
        info.samplesPerPixel = values[0];
        break;
      case 279:
        info.stripByteCounts = values;
        break;
      case 284:
        info.planarConfig = values[0];
        break;
      default:
        break;
    }
  }
  return info;
}

std::optional<std::vector<uint8_t>> ReadTiffRgb(const std::vector<uint8_t>& b) {
  auto info = ReadTiffInfo(b);
  if (!info || info->compression != 1 || info->samplesPerPixel != 3 || info->bitsPerSample != 8 ||
      info->planarConfig != 1 || info->stripOffsets.size() != info->stripByteCounts.size())
    return std::nullopt;
  std::vector<uint8_t> rgb;
  for (size_t s = 0; s < info->stripOffsets.size(); ++s) {
    size_t at = info->stripOffsets[s], n = info->stripByteCounts[s];
    if (at > b.size() || b.size() - at < n) return std::nullopt;
    rgb.insert(rgb.end(), b.begin() + long(at), b.begin() + long(at + n));
  }
  if (rgb.size() != size_t(info->width) * info->height * 3) return std::nullopt;
  return rgb;
}

std::optional<JpegInfo> ReadJpegInfo(const std::vector<uint8_t>& b) {
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
  JpegInfo info;
  size_t pos = 2;
  while (pos + 4 <= b.size()) {
    if (b[pos] != 0xFF) return std::nullopt;
    uint8_t marker = b[pos + 1];
    if (marker == 0xFF) {
      ++pos;
      continue;
    }
    size_t length = Be16(&b[pos + 2]);
    if (length < 2 || pos + 2 + length > b.size()) return std::nullopt;
    const uint8_t* seg = &b[pos + 4];
    if (marker == 0xC4) info.hasHuffmanTables = true;
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 8) return std::nullopt;
      info.height = Be16(seg + 1);
      info.width = Be16(seg + 3);
      info.components = seg[5];
      info.progressive = marker == 0xC2;
    }
    if (marker == 0xDA) return info.width ? std::optional<JpegInfo>(info) : std::nullopt;
    pos += 2 + length;
  }
  return std::nullopt;
}

std::optional<WaveInfo> ReadWaveInfo(const std::vector<uint8_t>& b) {
  if (b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0)
    return std::nullopt;
  if (Le32(&b[4]) != b.size() - 8) return std::nullopt;  // the RIFF size covers the whole image
  WaveInfo info;
  bool haveFormat = false, haveData = false;
  size_t pos = 12;
  while (pos + 8 <= b.size()) {
    uint32_t size = Le32(&b[pos + 4]);
    if (size > b.size() - pos - 8) return std::nullopt;
    const uint8_t* body = &b[pos + 8];
    if (std::memcmp(&b[pos], "fmt ", 4) == 0 && size >= 16) {
      info.format = Le16(body);
      info.channels = Le16(body + 2);
      info.sampleRate = Le32(body + 4);
      info.byteRate = Le32(body + 8);
      info.blockAlign = Le16(body + 12);
      info.bitsPerSample = Le16(body + 14);
      haveFormat = true;
    } else if (std::memcmp(&b[pos], "data", 4) == 0) {
      info.dataBytes = size;
      info.dataOffset = uint32_t(pos + 8);
      haveData = true;
    }
    pos += 8 + size + (size & 1);
  }
  if (!haveFormat || !haveData) return std::nullopt;
  return info;
}
