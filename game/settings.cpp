#include "game/settings.h"

int32_t SoundOn = 1;
char backgroundPath[kPathSettingSize] = {};
char tileSetPath[kPathSettingSize] = {};
