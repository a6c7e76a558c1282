#include "sound/sound_effects.h"

#include "game/settings.h"
#include "sound/spoken_numbers.h"

std::array<SoundHandle, kExplosionChoices> explosionSounds{};
int32_t explosionChoice = kFirstExplosionCommand;

namespace {

struct CueName {
  SoundHandle* handle;
  const char* name;
};

// The cue table, except the explosion: SoundExplosion follows the choice.
const std::array<CueName, 9> kCues = {{
    {&SoundTick, "tick_wav"},
    {&SoundBonus, "bonus_wav"},
    {&SoundBonus2, "bonus2_wav"},
    {&SoundYourScoreWas, "yourscorewas_wav"},
    {&SoundExplosionsWord, "explosions_wav"},
    {&SoundNewRecord, "new_rec_wav"},
    {&SoundRecordWas, "recordmoves_wav"},
    {&SoundOnCue, "soundon"},
    {&SoundOffCue, "soundoff"},
}};

// Recordings of commands 8200..8203.
const std::array<const char*, kExplosionChoices> kExplosionNames = {
    "explode", "nuclear_wav", "goshdarn_wav", "aweshucks_wav"};

// Loads a recording, plays it to its end and frees it again.
void PlayRecordingOnce(const char* name) {
  SoundHandle sound = LoadSoundResource(name);
  PlaySoundAndWait(sound);
  FreeSoundResource(sound);
}

}  // namespace

void ResetSoundState() {
  explosionSounds.fill(nullptr);
  explosionChoice = kFirstExplosionCommand;
  ForgetNumberWords();
}

void LoadSoundEffects() {
  for (const CueName& cue : kCues) *cue.handle = LoadSoundResource(cue.name);
  for (int32_t i = 0; i < kExplosionChoices; ++i) {
    explosionSounds[i] = LoadSoundResource(kExplosionNames[i]);
  }
  SoundExplosion = explosionSounds[explosionChoice - kFirstExplosionCommand];
}

void FreeSoundEffects() {
  for (const CueName& cue : kCues) {
    FreeSoundResource(*cue.handle);
    *cue.handle = nullptr;
  }
  for (SoundHandle& sound : explosionSounds) {
    FreeSoundResource(sound);
    sound = nullptr;
  }
  SoundExplosion = nullptr;
}

void SelectExplosionSound(int32_t commandId) {
  if (commandId < kFirstExplosionCommand || commandId > kLastExplosionCommand) return;
  explosionChoice = commandId;
  SoundExplosion = explosionSounds[commandId - kFirstExplosionCommand];
  UpdateExplosionChecks();
}

void UpdateExplosionChecks() {
  SetMenuRadioCheck(kFirstExplosionCommand, kLastExplosionCommand, explosionChoice);
}

void ToggleSound() {
  SetSoundOn(SoundOn == 0 ? 1 : 0);
  PlaySoundAsync(SoundOn == 1 ? SoundOnCue : SoundOffCue);
}

void PlayStartupSound() { PlayRecordingOnce("deepexpl"); }

void PlayFarewell() {
  if (SoundOn) PlayRecordingOnce("goodbye");
}
