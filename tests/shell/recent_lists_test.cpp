#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/options.h"
#include "shell/recent_lists.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/temp_folder.h"

namespace {

class RecentListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakePlatform();
    programFolder = folder.Prefix();
  }
  std::vector<std::string> Backgrounds() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < kRecentEntryCount; ++i) names.push_back(RecentEntry(1, i));
    return names;
  }
  TempFolder folder;
};

TEST_F(RecentListsTest, MoveToFront) {
  AddRecentFile(MenuDialogId, "a.bmp", 1);
  AddRecentFile(MenuDialogId, "b.bmp", 1);
  AddRecentFile(MenuDialogId, "c.bmp", 1);
  AddRecentFile(MenuDialogId, "a.bmp", 1);
  std::vector<std::string> expected = {"a.bmp", "c.bmp", "b.bmp", "", "", "", "", "", "", ""};
  EXPECT_EQ(Backgrounds(), expected);
  AddRecentFile(MenuDialogId, "A.bmp", 1);  // a different name: comparison is exact
  EXPECT_EQ(RecentEntry(1, 0), "A.bmp");
  EXPECT_EQ(RecentEntry(1, 1), "a.bmp");
  EXPECT_EQ(FakeEventTexts(), std::vector<std::string>(5, "fill-menu 1 1"));
  AddRecentFile(MainWindowId, "A.bmp", 1);
  EXPECT_EQ(FakeEventTexts().back(), "fill-menu 0 1");
  EXPECT_EQ(RecentEntry(1, 0), "A.bmp");
  EXPECT_EQ(RecentEntry(1, 4), "");
}

TEST_F(RecentListsTest, EleventhNameDropsTheOldest) {
  for (int i = 0; i < 11; ++i) AddRecentFile(MenuDialogId, "f" + std::to_string(i), 1);
  std::vector<std::string> expected;
  for (int i = 10; i >= 1; --i) expected.push_back("f" + std::to_string(i));
  EXPECT_EQ(Backgrounds(), expected);
  // Moving the last entry to the front drops nothing.
  AddRecentFile(MenuDialogId, "f1", 1);
  EXPECT_EQ(RecentEntry(1, 0), "f1");
  EXPECT_EQ(RecentEntry(1, 1), "f10");
  EXPECT_EQ(RecentEntry(1, 9), "f2");
}

// An empty name (a background path that did not fit its setting) must not take the
// front of a full list and push the oldest entry out.
TEST_F(RecentListsTest, EmptyNameIsNotListed) {
  for (int i = 0; i < 10; ++i) AddRecentFile(MenuDialogId, "f" + std::to_string(i), 1);
  std::vector<std::string> before = Backgrounds();
  AddRecentFile(MenuDialogId, "", 1);
  EXPECT_EQ(Backgrounds(), before);
  EXPECT_EQ(FakeEventTexts().back(), "fill-menu 1 1");
}

TEST_F(RecentListsTest, OverlongNamesAreNotListed) {
  AddRecentFile(MenuDialogId, "keep", 1);
  AddRecentFile(MenuDialogId, std::string(200, 'p'), 1);
  EXPECT_EQ(RecentEntry(1, 0), "keep");
  EXPECT_EQ(RecentEntry(1, 1), "");
  AddRecentFile(MenuDialogId, std::string(199, 'p'), 1);
  EXPECT_EQ(RecentEntry(1, 0), std::string(199, 'p'));
  EXPECT_EQ(RecentEntry(1, 1), "keep");
  AddRecentFile(MenuDialogId, "x", 3);  // no such list
  EXPECT_EQ(RecentEntry(3, 0), "");
}

TEST_F(RecentListsTest, FileLayoutAndHiddenListsKeptByteForByte) {
  std::vector<uint8_t> original = PatternBytes(6000, 5);
  // List 1 entries 0 and 1 are real names; the pattern bytes elsewhere have no NUL.
  std::memcpy(&original[2000], "C:\\PICS\\one.bmp", 16);
  std::memcpy(&original[2200], "C:\\PICS\\two.bmp", 16);
  WriteBytes(folder.File("gmnflist"), original);
  ReadRecentLists();
  EXPECT_EQ(RecentEntry(1, 0), "C:\\PICS\\one.bmp");
  EXPECT_EQ(RecentEntry(1, 1), "C:\\PICS\\two.bmp");
  EXPECT_EQ(RecentEntry(1, 2), "") << "an entry without its NUL names nothing";
  EXPECT_EQ(RecentEntry(0, 0), "");

  AddRecentFile(MenuDialogId, "C:\\PICS\\two.bmp", 1);
  WriteRecentLists();
  std::vector<uint8_t> written = ReadBytes(folder.File("gmnflist"));
  ASSERT_EQ(written.size(), 6000u);
  EXPECT_TRUE(std::equal(original.begin(), original.begin() + 2000, written.begin()));
  EXPECT_TRUE(std::equal(original.begin() + 4000, original.end(), written.begin() + 4000));
  EXPECT_STREQ(reinterpret_cast<const char*>(&written[2000]), "C:\\PICS\\two.bmp");
  EXPECT_STREQ(reinterpret_cast<const char*>(&written[2200]), "C:\\PICS\\one.bmp");
  EXPECT_TRUE(std::equal(original.begin() + 2400, original.begin() + 4000, written.begin() + 2400));
  EXPECT_EQ(RecentCommandId(1, 0), 7020);
  EXPECT_EQ(RecentCommandId(2, 9), 7049);
}

TEST_F(RecentListsTest, MissingShortAndLongFiles) {
  ReadRecentLists();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>(10, ""));

  std::vector<uint8_t> lists(6000, 0);
  std::memcpy(&lists[2000], "first", 6);
  std::memcpy(&lists[2200], "second", 7);
  WriteBytes(folder.File("gmnflist"), std::vector<uint8_t>(lists.begin(), lists.begin() + 2203));
  ReadRecentLists();
  EXPECT_EQ(RecentEntry(1, 0), "first");
  EXPECT_EQ(RecentEntry(1, 1), "") << "entry cut short before its NUL";

  std::vector<uint8_t> longer = lists;
  longer.resize(50000, 'z');
  WriteBytes(folder.File("gmnflist"), longer);
  ReadRecentLists();
  EXPECT_EQ(RecentEntry(1, 1), "second");
  WriteRecentLists();
  EXPECT_EQ(ReadBytes(folder.File("gmnflist")), lists);
}

TEST_F(RecentListsTest, FailedWriteLeavesTheOldFile) {
  std::vector<uint8_t> original = PatternBytes(6000, 8);
  WriteBytes(folder.File("gmnflist"), original);
  std::filesystem::create_directory(folder.File("gmnflist.new"));
  WriteRecentLists();
  EXPECT_EQ(ReadBytes(folder.File("gmnflist")), original);
}

}  // namespace
