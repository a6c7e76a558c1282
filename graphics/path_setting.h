// The 256-byte path settings (backgroundPath, tileSetPath) that the options file keeps.
#pragma once

#include <cstring>
#include <string>

// Keeps `path` in `setting` when it fits with its NUL. A longer path is not remembered:
// cut short it would name another file at the next start.
template <size_t N>
void StorePathSetting(char (&setting)[N], const std::string& path)
{
    if (path.size() < N)
        memcpy(setting, path.c_str(), path.size() + 1);
    else
        setting[0] = '\0';
}
