// The recent-file lists, stored in the file "gmnflist" (6000 bytes in the program
// folder): three lists of ten entries of 200 bytes, list k entry i at k * 2000 + i * 200,
// each a NUL-terminated text of at most 199 characters, entry 0 the most recent. Only
// list 1, the backgrounds, is shown (menu items 7020..7029); lists 0 and 2 are kept byte
// for byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/platform.h"
#include "resources/resource.h"

constexpr int32_t kRecentListCount = 3;
constexpr int32_t kRecentEntryCount = 10;
constexpr size_t kRecentEntryBytes = 200;
constexpr size_t kRecentEntryMaxChars = kRecentEntryBytes - 1;
constexpr size_t kRecentListsFileSize = kRecentListCount * kRecentEntryCount * kRecentEntryBytes;
constexpr int32_t kBackgroundList = 1;

using RecentEntryBytes = std::array<char, kRecentEntryBytes>;
using RecentLists = std::array<std::array<RecentEntryBytes, kRecentEntryCount>, kRecentListCount>;

extern RecentLists recentLists;
// Empties every list, as the program starts (ResetShellState).
void ResetRecentLists();

// Reads "gmnflist" from the program folder; without the file the lists stay as they
// are (empty at start-up). A shorter file fills what it has; an entry it cuts off
// before its NUL becomes empty.
void ReadRecentLists();
// Replaces "gmnflist" with the lists; a failed write is silent and leaves the old file
// whole.
void WriteRecentLists();

// The lists from the first `size` bytes of a list file (the rest stays as it was), and
// the 6000-byte file image of the lists.
void ApplyRecentListsImage(const uint8_t* data, size_t size);
std::array<uint8_t, kRecentListsFileSize> BuildRecentListsImage();

// Entry i of list k as text; an entry whose bytes lack their NUL, or an index outside
// the lists, gives the empty text.
std::string RecentEntry(int32_t list, int32_t entry);
// The menu command of entry i of list k.
constexpr int32_t RecentCommandId(int32_t list, int32_t entry) {
  return CMD_RECENT_FIRST + 20 * list + entry;
}

// Puts `name` at the front of list k (moving an equal entry forward, or dropping entry
// 9 to make room) and then writes the list into the menu of `window`. A name longer than
// 199 characters is not listed: a shortened path would name another file; nor is an
// empty name.
void AddRecentFile(WindowId window, const std::string& name, int32_t list);
