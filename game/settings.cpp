#include "game/settings.h"

#include <algorithm>
#include <cstring>

int32_t SoundOn = 1;
char backgroundPath[kPathSettingSize] = {};
char tileSetPath[kPathSettingSize] = {};

namespace {

void ReadPathField(char (&setting)[kPathSettingSize], const uint8_t* field, size_t available) {
  available = std::min(available, sizeof setting);
  std::memcpy(setting, field, available);
  if (std::memchr(field, '\0', available) == nullptr) setting[0] = '\0';
}

}  // namespace

void SetSoundOn(int32_t on) { SoundOn = on; }

void SetBackgroundPath(const std::string& path) { StorePathSetting(backgroundPath, path); }

void SetTileSetPath(const std::string& path) { StorePathSetting(tileSetPath, path); }

void ReadBackgroundPathField(const uint8_t* field, size_t available) {
  ReadPathField(backgroundPath, field, available);
}

void ReadTileSetPathField(const uint8_t* field, size_t available) {
  ReadPathField(tileSetPath, field, available);
}

void ResetSettings() {
  SoundOn = 1;
  backgroundPath[0] = '\0';
  tileSetPath[0] = '\0';
}
