#include "game/file_image.h"

#include <cstdio>

int64_t ReadFileStart(const std::string& path, uint8_t* buffer, size_t capacity) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return -1;
  size_t total = 0;
  while (total < capacity) {
    size_t got = std::fread(buffer + total, 1, capacity - total, file);
    if (got == 0) break;
    total += got;
  }
  std::fclose(file);
  return static_cast<int64_t>(total);
}

bool ReplaceFileContents(const std::string& path, const uint8_t* data, size_t size) {
  // A file the player made read-only is kept as it is (Windows refuses to replace it; an
  // administrator's rename would not).
  if (IsReadOnlyFile(path)) return false;
  const std::string scratch = path + ".new";
  std::FILE* file = std::fopen(scratch.c_str(), "wb");
  if (file == nullptr) return false;
  bool complete = std::fwrite(data, 1, size, file) == size;
  complete = std::fflush(file) == 0 && complete;
  complete = std::fclose(file) == 0 && complete;
  // Written with fopen and moved with the same narrow path: one encoding for both.
  if (complete && MoveFileReplacing(scratch, path)) return true;
  std::remove(scratch.c_str());
  return false;
}
