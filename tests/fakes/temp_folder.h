// A scratch folder for tests that read and write files; removed with its contents when
// the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

struct TempFolder {
  std::filesystem::path path;

  TempFolder() {
    std::random_device seed;
    path = std::filesystem::temp_directory_path() /
           ("zd-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string File(const std::string& name) const { return (path / name).string(); }
  // The folder with a trailing separator, as the shell's program folder is kept.
  std::string Prefix() const { return path.string() + "/"; }
};

inline void WriteBytes(const std::string& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Bytes that differ from each other and from zero, so that a misplaced copy shows.
inline std::vector<uint8_t> PatternBytes(size_t size, uint32_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<uint8_t>((seed >> 16) | 1u);
  }
  return bytes;
}

// A scratch folder that is the current folder while it lives, for code that writes its
// files in the current folder (the high-score table).
struct ScratchCurrentFolder {
  TempFolder folder;
  std::filesystem::path previous = std::filesystem::current_path();

  ScratchCurrentFolder() { std::filesystem::current_path(folder.path); }
  ~ScratchCurrentFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
  }
  ScratchCurrentFolder(const ScratchCurrentFolder&) = delete;
  ScratchCurrentFolder& operator=(const ScratchCurrentFolder&) = delete;
};
