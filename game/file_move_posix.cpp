// Moving a finished file into place, for the native builds (tests, fuzzers, tools).
#include "game/file_image.h"

#include <cstdio>

bool MoveFileReplacing(const std::string& from, const std::string& to) {
  // rename replaces an existing file in one step and refuses to replace a folder.
  return std::rename(from.c_str(), to.c_str()) == 0;
}
