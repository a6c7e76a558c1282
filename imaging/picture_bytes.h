// picture_bytes.h - bounds-checked reading of the byte fields of picture headers, and
// a growing byte buffer for writers. Internal to graphics/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads fields at offsets inside [data, data + size); a field that would cross the end
// reads as 0 and marks the reader bad, so a parser can read a whole header and check
// `bad` once.
struct ByteReader {
  const uint8_t* data;
  size_t size;
  bool bad = false;

  bool Has(size_t offset, size_t count) const { return offset <= size && count <= size - offset; }
  uint8_t U8(size_t offset) {
    if (!Has(offset, 1)) {
      bad = true;
      return 0;
    }
    return data[offset];
  }
  uint16_t Le16(size_t offset) {
    if (!Has(offset, 2)) {
      bad = true;
      return 0;
    }
    return uint16_t(data[offset] | data[offset + 1] << 8);
  }
  uint32_t Le32(size_t offset) {
    if (!Has(offset, 4)) {
      bad = true;
      return 0;
    }
    return uint32_t(data[offset]) | uint32_t(data[offset + 1]) << 8 |
           uint32_t(data[offset + 2]) << 16 | uint32_t(data[offset + 3]) << 24;
  }
  uint16_t Be16(size_t offset) {
    if (!Has(offset, 2)) {
      bad = true;
      return 0;
    }
    return uint16_t(data[offset] << 8 | data[offset + 1]);
  }
  uint32_t Be32(size_t offset) {
    if (!Has(offset, 4)) {
      bad = true;
      return 0;
    }
    return uint32_t(data[offset]) << 24 | uint32_t(data[offset + 1]) << 16 |
           uint32_t(data[offset + 2]) << 8 | uint32_t(data[offset + 3]);
  }
};

inline void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
inline void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}
inline void PutBe16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}
inline void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  PutBe16(out, v >> 16);
  PutBe16(out, v & 0xFFFF);
}

// Spreads a 5-bit channel over 8 bits.
inline uint8_t Expand5(uint32_t v) {
  v &= 31;
  return uint8_t(v << 3 | v >> 2);
}
