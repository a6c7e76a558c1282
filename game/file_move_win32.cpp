// Moving a finished file into place, for the Windows programs.
#include "game/file_image.h"

#include <windows.h>

bool MoveFileReplacing(const std::string& from, const std::string& to) {
  // The narrow paths are in the ANSI code page, the one the C library's fopen takes, so
  // the scratch file written with fopen is found again here whatever the folder's name.
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool IsReadOnlyFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}
