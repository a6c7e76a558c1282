// Any bytes as a list file: reading stops at 6000 bytes, entries read as bounded texts,
// a move to the front keeps the hidden lists byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/recent_lists.h"
#include "tests/fakes/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetFakePlatform();
  ApplyRecentListsImage(data, size);
  auto before = BuildRecentListsImage();
  // Whole entries the file gives are kept byte for byte.
  size_t given = size < kRecentListsFileSize ? size : kRecentListsFileSize;
  given -= given % kRecentEntryBytes;
  if (std::memcmp(before.data(), data, given) != 0) std::abort();

  for (int32_t list = 0; list < kRecentListCount; ++list) {
    for (int32_t entry = 0; entry < kRecentEntryCount; ++entry) {
      if (RecentEntry(list, entry).size() > kRecentEntryMaxChars) std::abort();
    }
  }
  // Use the last entry of the visible list (or the file's tail) as a new name.
  std::string name = RecentEntry(kBackgroundList, kRecentEntryCount - 1);
  if (name.empty() && size > 0) {
    name.assign(reinterpret_cast<const char*>(data), size > 300 ? 300 : size);
  }
  AddRecentFile(MenuDialogId, name, kBackgroundList);
  auto after = BuildRecentListsImage();
  if (std::memcmp(before.data(), after.data(), 2000) != 0) std::abort();
  if (std::memcmp(before.data() + 4000, after.data() + 4000, 2000) != 0) std::abort();
  if (name.size() <= kRecentEntryMaxChars && name.find('\0') == std::string::npos &&
      RecentEntry(kBackgroundList, 0) != name) {
    std::abort();
  }
  return 0;
}
