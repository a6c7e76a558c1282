// Playing the program's recordings: "WAVE" resources of the program's own module, each a
// complete RIFF/WAVE image handed to the sound system from memory, unchanged.
//
// A missing recording is a null handle, and a null handle plays nothing. When the sound
// device cannot play, sndPlaySoundA fails at once and the game goes on as if it had
// played.

#include <windows.h>
#include <mmsystem.h>

#include "game/platform.h"

namespace {

const char kWaveType[] = "WAVE";

int32_t PlayResource(SoundHandle sound, UINT flags) {
  if (sound == nullptr) return 0;
  const void* image = LockResource(static_cast<HGLOBAL>(const_cast<void*>(sound)));
  if (image == nullptr) return 0;
  return sndPlaySoundA(static_cast<LPCSTR>(image), flags) ? 1 : 0;
}

}  // namespace

// Resource names are compared without regard to case by FindResourceA itself.
SoundHandle LoadSoundResource(const char* name) {
  HMODULE program = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(program, name, kWaveType);
  if (found == nullptr) return nullptr;
  return LoadResource(program, found);
}

void FreeSoundResource(SoundHandle sound) {
  if (sound != nullptr) FreeResource(static_cast<HGLOBAL>(const_cast<void*>(sound)));
}

int32_t PlaySoundAsync(SoundHandle sound) {
  return PlayResource(sound, SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
}

int32_t PlaySoundAndWait(SoundHandle sound) {
  return PlayResource(sound, SND_NODEFAULT | SND_MEMORY);
}
