// The settings that the options file stores beside its options block: whether sound is
// on, and the paths of the background and of the piece image set.
//
// They live here, in the core, because the rules (a gated cue tests SoundOn), the
// picture code and the options code all reach them, and the game folder is the one
// every other folder may include. This file is their one writer: everyone else reads
// them and changes them only through the setters below. ReadOptions fills them from the
// options file and WriteOptions stores them (shell/options.cpp); the sound command
// toggles SoundOn; LoadBackground, LoadTileSet and the Save dialog name what they have
// just loaded or saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

constexpr int32_t kPathSettingSize = 256;

// 1 while sound is on, 0 while it is off.
extern int32_t SoundOn;
// Full paths of the background file and of the piece image set, NUL-terminated in
// their 256-byte buffers. The options file stores the whole buffer, so the bytes after
// the NUL are kept as they are unless a stored field overwrites them.
extern char backgroundPath[kPathSettingSize];
extern char tileSetPath[kPathSettingSize];

void SetSoundOn(int32_t on);

// Keeps `path` in the path buffer `setting` when it fits with its NUL. A longer path is
// not remembered: cut short it would name another file at the next start, so the
// setting becomes empty.
template <size_t N>
void StorePathSetting(char (&setting)[N], const std::string& path) {
  if (path.size() < N)
    std::memcpy(setting, path.c_str(), path.size() + 1);
  else
    setting[0] = '\0';
}

// The two path settings, kept as StorePathSetting keeps them.
void SetBackgroundPath(const std::string& path);
void SetTileSetPath(const std::string& path);

// A path field of the options file: its first `available` bytes (at most
// kPathSettingSize) replace the setting's first bytes. A field without its terminating
// NUL (damaged, or cut short by the end of the file) names no file: the path becomes
// empty.
void ReadBackgroundPathField(const uint8_t* field, size_t available);
void ReadTileSetPathField(const uint8_t* field, size_t available);

// The start-up values: sound on, no paths.
void ResetSettings();
