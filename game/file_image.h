// The game's three small files are raw little-endian images of fixed-size records.
// These helpers read the start of such a file into a fixed buffer, replace a file
// safely, and get or put the 32-bit fields at their offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads at most `capacity` bytes from the start of the file at `path` into `buffer`.
// Returns the number of bytes read, or -1 when the file cannot be opened. Never reads
// more than `capacity`, however long the file is.
int64_t ReadFileStart(const std::string& path, uint8_t* buffer, size_t capacity);

// Replaces the file at `path` with exactly `size` bytes of `data`. The bytes are
// written to a file beside it first, which then takes the old file's place only when it
// is complete; on any failure the old file is left as it was and the scratch file is
// removed. Returns true when the new contents are in place.
bool ReplaceFileContents(const std::string& path, const uint8_t* data, size_t size);

// Puts the file `from` in the place of `to` in one step, replacing a file (not a
// folder) there. The paths are in the encoding that fopen takes: on Windows the ANSI
// code page. Defined for each platform (file_move_win32.cpp, file_move_posix.cpp).
bool MoveFileReplacing(const std::string& from, const std::string& to);

// True when a file exists at `path` and is marked read-only (on Windows the read-only
// attribute, elsewhere no write permission for its owner). Same encoding as above.
bool IsReadOnlyFile(const std::string& path);

inline uint32_t GetUint32LE(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline int32_t GetInt32LE(const uint8_t* p) { return static_cast<int32_t>(GetUint32LE(p)); }

inline void PutUint32LE(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
  p[2] = static_cast<uint8_t>(value >> 16);
  p[3] = static_cast<uint8_t>(value >> 24);
}

inline void PutInt32LE(uint8_t* p, int32_t value) { PutUint32LE(p, static_cast<uint32_t>(value)); }
