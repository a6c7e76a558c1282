#include "sound/spoken_numbers.h"

#include <string>

NumberWords numberWords{};

namespace {

void Say(SoundHandle word) {
  if (word != nullptr) PlaySoundAndWait(word);
}

// Millions above 999 (from 1,000,000,000 on) are spoken as thousands of millions:
// 2,147,483,647 is "two thousand one hundred forty seven million ...".
void SpeakMillions(int32_t millions) {
  if (millions > 999) {
    SpeakBelowHundred(millions / 1000);
    Say(numberWords.thousand);
    millions %= 1000;
    if (millions != 0) SpeakBelowThousand(millions);
  } else if (millions <= 99) {
    SpeakBelowHundred(millions);
  } else {
    SpeakBelowThousand(millions);
  }
  Say(numberWords.million);
}

}  // namespace

void LoadNumberWords() {
  for (int32_t n = 0; n < 20; ++n) {
    numberWords.units[n] = LoadSoundResource(("n" + std::to_string(n)).c_str());
  }
  for (int32_t tens = 2; tens <= 9; ++tens) {
    numberWords.tens[tens] = LoadSoundResource(("n" + std::to_string(tens * 10)).c_str());
  }
  numberWords.hundred = LoadSoundResource("n100");
  numberWords.thousand = LoadSoundResource("n1000");
  numberWords.million = LoadSoundResource("million");
  numberWords.hoursWord = LoadSoundResource("HOURS_WAV");
  numberWords.minutesWord = LoadSoundResource("MINUTES_WAV");
  numberWords.secondsWord = LoadSoundResource("SECONDS_WAV");
}

void ForgetNumberWords() { numberWords = NumberWords{}; }

void FreeNumberWords() {
  for (SoundHandle word : numberWords.units) FreeSoundResource(word);
  for (int32_t tens = 2; tens <= 9; ++tens) FreeSoundResource(numberWords.tens[tens]);
  for (SoundHandle word :
       {numberWords.hundred, numberWords.thousand, numberWords.million, numberWords.hoursWord,
        numberWords.minutesWord, numberWords.secondsWord}) {
    FreeSoundResource(word);
  }
  numberWords = NumberWords{};
}

void SpeakUnit(int32_t n) {
  if (n < 0 || n > 19) return;
  Say(numberWords.units[n]);
}

void SpeakBelowHundred(int32_t n) {
  if (n < 0 || n > 99) return;
  if (n < 20) {
    SpeakUnit(n);
    return;
  }
  Say(numberWords.tens[n / 10]);
  if (n % 10 != 0) SpeakUnit(n % 10);
}

void SpeakBelowThousand(int32_t n) {
  if (n < 0 || n > 999) return;
  if (n >= 100) {
    SpeakUnit(n / 100);
    Say(numberWords.hundred);
    n %= 100;
    if (n == 0) return;
  }
  SpeakBelowHundred(n);
}

void SpeakNumber(int32_t n) {
  if (n < 0) return;
  if (n == 0) {
    SpeakUnit(0);
    return;
  }
  if (n > 999999) SpeakMillions(n / 1000000);
  n %= 1000000;
  if (n > 999) {
    if (n <= 99999) {
      SpeakBelowHundred(n / 1000);
    } else {
      SpeakBelowThousand(n / 1000);
    }
    Say(numberWords.thousand);
  }
  n %= 1000;
  if (n > 99) {
    SpeakBelowThousand(n);
  } else if (n > 0) {
    SpeakBelowHundred(n);
  }
}

void SpeakDuration(int32_t seconds) {
  if (seconds < 0) return;
  if (seconds > 3600) {
    SpeakNumber(seconds / 3600);
    Say(numberWords.hoursWord);
    seconds %= 3600;
  }
  if (seconds > 60) {
    SpeakNumber(seconds / 60);
    Say(numberWords.minutesWord);
    seconds %= 60;
  }
  if (seconds != 0) {
    SpeakNumber(seconds);
    Say(numberWords.secondsWord);
  }
}
