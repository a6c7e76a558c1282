#include "shell/recent_lists.h"

#include <cstring>

#include "game/file_image.h"
#include "shell/options.h"

RecentLists recentLists{};

namespace {

const char* const kListFileName = "gmnflist";

bool ValidList(int32_t list) { return list >= 0 && list < kRecentListCount; }

}  // namespace

void ApplyRecentListsImage(const uint8_t* data, size_t size) {
  size_t count = size < kRecentListsFileSize ? size : kRecentListsFileSize;
  size_t offset = 0;
  for (auto& list : recentLists) {
    for (auto& entry : list) {
      if (offset >= count) return;
      size_t take = count - offset < kRecentEntryBytes ? count - offset : kRecentEntryBytes;
      std::memcpy(entry.data(), data + offset, take);
      // An entry the file ends in before its NUL would name another file.
      if (take < kRecentEntryBytes && std::memchr(data + offset, '\0', take) == nullptr) {
        entry[0] = '\0';
      }
      offset += kRecentEntryBytes;
    }
  }
}

std::array<uint8_t, kRecentListsFileSize> BuildRecentListsImage() {
  std::array<uint8_t, kRecentListsFileSize> image{};
  size_t offset = 0;
  for (const auto& list : recentLists) {
    for (const auto& entry : list) {
      std::memcpy(image.data() + offset, entry.data(), kRecentEntryBytes);
      offset += kRecentEntryBytes;
    }
  }
  return image;
}

void ResetRecentLists() { recentLists = RecentLists{}; }

void ReadRecentLists() {
  std::array<uint8_t, kRecentListsFileSize> image{};
  int64_t size = ReadFileStart(ProgramFilePath(kListFileName), image.data(), image.size());
  if (size < 0) return;
  ApplyRecentListsImage(image.data(), static_cast<size_t>(size));
}

void WriteRecentLists() {
  auto image = BuildRecentListsImage();
  ReplaceFileContents(ProgramFilePath(kListFileName), image.data(), image.size());
}

std::string RecentEntry(int32_t list, int32_t entry) {
  if (!ValidList(list) || entry < 0 || entry >= kRecentEntryCount) return std::string();
  const RecentEntryBytes& bytes = recentLists[list][entry];
  const void* end = std::memchr(bytes.data(), '\0', kRecentEntryBytes);
  if (end == nullptr) return std::string();
  return std::string(bytes.data(), static_cast<const char*>(end) - bytes.data());
}

void AddRecentFile(WindowId window, const std::string& name, int32_t list) {
  if (!ValidList(list)) return;
  // An empty name names no file and would push the oldest entry out for nothing.
  if (!name.empty() && name.size() <= kRecentEntryMaxChars &&
      name.find('\0') == std::string::npos) {
    auto& entries = recentLists[list];
    int32_t from = kRecentEntryCount - 1;  // without a match the last entry is dropped
    for (int32_t i = 0; i < kRecentEntryCount; ++i) {
      if (RecentEntry(list, i) == name) {
        from = i;
        break;
      }
    }
    for (int32_t i = from; i > 0; --i) entries[i] = entries[i - 1];
    entries[0].fill('\0');
    std::memcpy(entries[0].data(), name.data(), name.size());
  }
  FillRecentMenu(window, list);
}
