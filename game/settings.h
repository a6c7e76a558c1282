// The settings that the options file stores beside its options block: whether sound is
// on, and the paths of the background and of the piece image set.
//
// They live here, in the core, because the rules (a gated cue tests SoundOn), the
// picture code and the options code all reach them, and the game folder is the one
// every other folder may include. The options code owns them: ReadOptions fills them,
// WriteOptions stores them. Besides it, only the sound command changes SoundOn, and only
// LoadBackground and LoadTileSet change the path of what they have just loaded.
#pragma once

#include <cstdint>

constexpr int32_t kPathSettingSize = 256;

// 1 while sound is on, 0 while it is off.
extern int32_t SoundOn;
// Full paths of the background file and of the piece image set, NUL-terminated in
// their 256-byte buffers.
extern char backgroundPath[kPathSettingSize];
extern char tileSetPath[kPathSettingSize];
