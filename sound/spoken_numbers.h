// Spoken numbers and times: the recorded number words and the rules that turn a whole
// number or a count of seconds into a sequence of them. Every word is played to its end
// before the next begins. None of these operations looks at SoundOn; their callers do.
#pragma once

#include <array>
#include <cstdint>

#include "game/platform.h"

struct NumberWords {
  std::array<SoundHandle, 20> units;  // "n0" .. "n19"
  std::array<SoundHandle, 10> tens;   // index 2..9: "n20" .. "n90"; 0 and 1 unused
  SoundHandle hundred;                // "n100"
  SoundHandle thousand;               // "n1000"
  SoundHandle million;                // "million"
  SoundHandle hoursWord;              // "HOURS_WAV"
  SoundHandle minutesWord;            // "MINUTES_WAV"
  SoundHandle secondsWord;            // "SECONDS_WAV"
};

extern NumberWords numberWords;

// Loads the 34 word recordings (20 units, 8 tens, hundred, thousand, million, hours,
// minutes, seconds); a missing one stays null and is skipped when spoken.
void LoadNumberWords();
// Frees them and leaves every handle null.
void FreeNumberWords();
// Leaves every handle null without freeing it (ResetSoundState).
void ForgetNumberWords();

// 0 <= n <= 19: the unit word. Other values speak nothing.
void SpeakUnit(int32_t n);
// 0 <= n <= 99. Other values speak nothing.
void SpeakBelowHundred(int32_t n);
// 0 <= n <= 999. Other values speak nothing.
void SpeakBelowThousand(int32_t n);
// Any whole number; a negative one speaks nothing.
void SpeakNumber(int32_t n);
// Hours, minutes and seconds, each only when more than one whole unit is left over;
// a negative count speaks nothing.
void SpeakDuration(int32_t seconds);
