// Moving a finished file into place, for the native builds (tests, fuzzers, tools).
#include "game/file_image.h"

#include <sys/stat.h>

#include <cstdio>

bool MoveFileReplacing(const std::string& from, const std::string& to) {
  // rename replaces an existing file in one step and refuses to replace a folder.
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         (status.st_mode & S_IWUSR) == 0;
}
