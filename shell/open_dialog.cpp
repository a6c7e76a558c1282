#include "shell/open_dialog.h"

#include <cstring>

void TrimFolderSeparator(char (&folder)[kOpenFolderSize]) {
  size_t length = strnlen(folder, kOpenFolderSize - 1);
  folder[length] = '\0';
  if (length > 0 && folder[length - 1] == '\\') folder[length - 1] = '\0';
}

void KeepFolderOf(char (&folder)[kOpenFolderSize], const char* path) {
  const char* last = std::strrchr(path, '\\');
  size_t length = last == nullptr ? 0 : size_t(last - path) + 1;
  if (length >= kOpenFolderSize) length = 0;  // never a folder cut short
  std::memcpy(folder, path, length);
  folder[length] = '\0';
}
