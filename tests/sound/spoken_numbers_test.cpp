#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "sound/spoken_numbers.h"
#include "tests/fakes/fake_platform.h"

namespace {

// "N1 N100 MILLION" -> the recordings played to their end, as the fake logs them.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> played;
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    if (word == "MILLION") {
      played.push_back("wait million");
    } else if (word[0] == 'N') {
      played.push_back("wait n" + word.substr(1));
    } else {
      played.push_back("wait " + word);
    }
  }
  return played;
}

class SpokenNumbersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakePlatform();
    LoadNumberWords();
  }
  void TearDown() override { FreeNumberWords(); }
  std::vector<std::string> Number(int32_t n) {
    fakePlatform.events.clear();
    SpeakNumber(n);
    return FakeEventTexts();
  }
  std::vector<std::string> Duration(int32_t seconds) {
    fakePlatform.events.clear();
    SpeakDuration(seconds);
    return FakeEventTexts();
  }
};

TEST_F(SpokenNumbersTest, Numbers) {
  EXPECT_EQ(Number(0), Words("N0"));
  EXPECT_EQ(Number(-1), Words(""));
  EXPECT_EQ(Number(-2147483647 - 1), Words(""));
  EXPECT_EQ(Number(7), Words("N7"));
  EXPECT_EQ(Number(19), Words("N19"));
  EXPECT_EQ(Number(20), Words("N20"));
  EXPECT_EQ(Number(21), Words("N20 N1"));
  EXPECT_EQ(Number(99), Words("N90 N9"));
  EXPECT_EQ(Number(100), Words("N1 N100"));
  EXPECT_EQ(Number(101), Words("N1 N100 N1"));
  EXPECT_EQ(Number(110), Words("N1 N100 N10"));
  EXPECT_EQ(Number(999), Words("N9 N100 N90 N9"));
  EXPECT_EQ(Number(1000), Words("N1 N1000"));
  EXPECT_EQ(Number(1001), Words("N1 N1000 N1"));
  EXPECT_EQ(Number(12345), Words("N12 N1000 N3 N100 N40 N5"));
  EXPECT_EQ(Number(100000), Words("N1 N100 N1000"));
  EXPECT_EQ(Number(250000), Words("N2 N100 N50 N1000"));
  EXPECT_EQ(Number(1000000), Words("N1 MILLION"));
  EXPECT_EQ(Number(123456789), Words("N1 N100 N20 N3 MILLION N4 N100 N50 N6 N1000 N7 N100 N80 N9"));
}

TEST_F(SpokenNumbersTest, MoreCountsAroundTheGroupEdges) {
  EXPECT_EQ(Number(1000001), Words("N1 MILLION N1"));
  EXPECT_EQ(Number(20000000), Words("N20 MILLION"));
  EXPECT_EQ(Number(99999999), Words("N90 N9 MILLION N9 N100 N90 N9 N1000 N9 N100 N90 N9"));
  EXPECT_EQ(Number(320000), Words("N3 N100 N20 N1000"));
  EXPECT_EQ(Number(666), Words("N6 N100 N60 N6"));
}

TEST_F(SpokenNumbersTest, BillionsAreSpokenAsThousandsOfMillions) {
  EXPECT_EQ(Number(1000000000), Words("N1 N1000 MILLION"));
  EXPECT_EQ(Number(2147483647),
            Words("N2 N1000 N1 N100 N40 N7 MILLION N4 N100 N80 N3 N1000 N6 N100 N40 N7"));
}

TEST_F(SpokenNumbersTest, Durations) {
  EXPECT_EQ(Duration(0), Words(""));
  EXPECT_EQ(Duration(-5), Words(""));
  EXPECT_EQ(Duration(45), Words("N40 N5 SECONDS_WAV"));
  EXPECT_EQ(Duration(60), Words("N60 SECONDS_WAV"));
  EXPECT_EQ(Duration(61), Words("N1 MINUTES_WAV N1 SECONDS_WAV"));
  EXPECT_EQ(Duration(120), Words("N2 MINUTES_WAV"));
  EXPECT_EQ(Duration(3600), Words("N60 MINUTES_WAV"));
  EXPECT_EQ(Duration(3601), Words("N1 HOURS_WAV N1 SECONDS_WAV"));
  EXPECT_EQ(Duration(3660), Words("N1 HOURS_WAV N60 SECONDS_WAV"));
  EXPECT_EQ(Duration(3661), Words("N1 HOURS_WAV N1 MINUTES_WAV N1 SECONDS_WAV"));
  EXPECT_EQ(Duration(7200), Words("N2 HOURS_WAV"));
  EXPECT_EQ(Duration(320000), Words("N80 N8 HOURS_WAV N50 N3 MINUTES_WAV N20 SECONDS_WAV"));
}

TEST_F(SpokenNumbersTest, PartsOutOfRangeSpeakNothing) {
  fakePlatform.events.clear();
  SpeakUnit(20);
  SpeakUnit(-1);
  SpeakBelowHundred(100);
  SpeakBelowThousand(1000);
  SpeakBelowThousand(-3);
  EXPECT_TRUE(fakePlatform.events.empty());
  SpeakBelowThousand(300);
  EXPECT_EQ(FakeEventTexts(), Words("N3 N100"));
}

TEST(SpokenNumbersWords, LoadsEveryWordAndSkipsMissingOnes) {
  ResetFakePlatform();
  fakePlatform.missingSounds = {"n100", "SECONDS_WAV"};
  LoadNumberWords();
  EXPECT_EQ(fakePlatform.soundsLoaded, 32);
  SpeakNumber(305);
  SpeakDuration(5);
  EXPECT_EQ(FakeEventTexts(), Words("N3 N5 N5"));
  FreeNumberWords();
  EXPECT_EQ(fakePlatform.soundsFreed, 32);
  fakePlatform.events.clear();
  SpeakNumber(12);
  EXPECT_TRUE(fakePlatform.events.empty()) << "freed words are not played";

  ResetFakePlatform();
  LoadNumberWords();
  EXPECT_EQ(fakePlatform.soundsLoaded, 34);
  FreeNumberWords();
  EXPECT_EQ(fakePlatform.soundsFreed, 34);
}

}  // namespace
