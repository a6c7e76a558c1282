// The texts the background's file dialogs are given, the save table behind the Save
// dialog, and when the choose dialog closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/file_dialogs.h"
#include "imaging/save_filters.h"

namespace {

// The parts of a filter as the common dialogs read it: NUL-separated texts up to the
// empty one.
std::vector<std::string> DialogParts(const std::string& filter) {
  std::vector<std::string> parts;
  const char* p = filter.c_str();
  const char* end = p + filter.size();
  while (p < end && *p != '\0') {
    parts.emplace_back(p);
    p += parts.back().size() + 1;
  }
  return parts;
}

TEST(DialogFilters, SaveFilterIsTheSaveTableInOrder) {
  EXPECT_STREQ(kSaveFilterString,
               "Very small, slow (*.bkg)|*.bkg|PCX 24 bit (*.pcx)|*.pcx|Windows BMP 24 bit "
               "(*.bmp)|*.bmp|JFIF (jpg) (*.jpg)|*.jpg|JTIF (jpg variant)|*.jpg|TIF LZW 24 "
               "(*.tif)|*.tif|TIF 24 (*.tif)|*.tif|GIF (8 bit) (*.gif)|*.gif|TGA 24 "
               "(*.tga)|*.tga|OS/2 BMP 24 (*.bmp)|*.bmp|Macintosh PICTURE 24 (*.pct)|*.pct|");
  std::string filter = DialogFilterText(kSaveFilterString);
  ASSERT_EQ(filter.size(), std::string(kSaveFilterString).size());
  EXPECT_EQ(filter.find('|'), std::string::npos);
  EXPECT_EQ(filter.back(), '\0');  // with the string's own terminator: two NULs
  std::vector<std::string> parts = DialogParts(filter);
  ASSERT_EQ(parts.size(), 2 * SaveFilters.size());
  // The dialog numbers its entries from 1; entry n must save as row n of the table.
  for (size_t i = 0; i < SaveFilters.size(); ++i) {
    EXPECT_EQ(SaveFilters[i].entry, int32_t(i + 1));
    EXPECT_EQ(parts[2 * i], SaveFilters[i].filterText);
    EXPECT_EQ(parts[2 * i + 1], SaveFilters[i].pattern);
    ASSERT_NE(FindSaveFilter(int32_t(i + 1)), nullptr);
    EXPECT_STREQ(FindSaveFilter(int32_t(i + 1))->filterText, SaveFilters[i].filterText);
  }
}

TEST(DialogFilters, SaveTableFormatsDepthsAndQuality) {
  struct Row {
    int32_t formatCode, bits;
    bool quality;
  };
  const Row rows[] = {{20, 24, true}, {1, 24, false},  {6, 24, false}, {10, 24, true},
                      {11, 24, true}, {17, 24, false}, {3, 24, false}, {2, 8, false},
                      {4, 24, false}, {14, 24, false}, {56, 24, false}};
  ASSERT_EQ(std::size(rows), SaveFilters.size());
  for (size_t i = 0; i < SaveFilters.size(); ++i) {
    EXPECT_EQ(SaveFilters[i].formatCode, rows[i].formatCode) << "entry " << i + 1;
    EXPECT_EQ(SaveFilters[i].bitsPerPixel, rows[i].bits) << "entry " << i + 1;
    EXPECT_EQ(SaveFilters[i].usesSaveQuality, rows[i].quality) << "entry " << i + 1;
  }
  EXPECT_EQ(FindSaveFilter(0), nullptr);
  EXPECT_EQ(FindSaveFilter(12), nullptr);
}

TEST(DialogFilters, OpenFilterPairsEveryDescriptionWithItsPatterns) {
  EXPECT_STREQ(kOpenFilterString,
               "Backgrounds|*.bkg|MOST IMAGES|*.tga;*.pcx;*.cmp;*.mac;*.gif;*.bmp;*.jpg;*.tif;"
               "*.pcd;*.jtf|ALL FILES|*.*|TGA|*.tga|TIF|*.tif|CALS|*.cal|MAC|*.mac|PCT|*.pct|"
               "GEM IMG|*.img|RAS|*.ras|WPG|*.wpg|MS Paint|*.msp|Photo CD|*.pcd|EPS|*.eps|"
               "PCX|*.pcx|GIF|*.gif|JPEG|*.jpg;*.jff;*.jtf|");
  std::vector<std::string> parts = DialogParts(DialogFilterText(kOpenFilterString));
  ASSERT_EQ(parts.size(), 34u);
  EXPECT_EQ(parts[0], "Backgrounds");
  EXPECT_EQ(parts[1], "*.bkg");  // the first entry, the one the dialog opens with
  for (size_t i = 1; i < parts.size(); i += 2) EXPECT_EQ(parts[i].rfind("*.", 0), 0u) << parts[i];
  EXPECT_EQ(parts[32], "JPEG");
  EXPECT_EQ(parts[33], "*.jpg;*.jff;*.jtf");
}

TEST(DialogFilters, EveryBarBecomesANul) {
  EXPECT_EQ(DialogFilterText("a|b||"), std::string("a\0b\0\0", 5));
  EXPECT_EQ(DialogFilterText(""), "");
}

TEST(ChooseDialog, ClosesUnlessASheetLoadedAndOnClicksAboveTheButton) {
  EXPECT_TRUE(ChooseDialogStaysOpen(true, true));
  EXPECT_FALSE(ChooseDialogStaysOpen(true, false));
  // A failed load closes it whatever the background still on screen is.
  EXPECT_FALSE(ChooseDialogStaysOpen(false, true));
  EXPECT_FALSE(ChooseDialogStaysOpen(false, false));
  EXPECT_TRUE(ClickClosesChooseDialog(0));
  EXPECT_TRUE(ClickClosesChooseDialog(319));
  EXPECT_FALSE(ClickClosesChooseDialog(320));
  EXPECT_FALSE(ClickClosesChooseDialog(344));
  EXPECT_EQ(kChooseButtonTop + kChooseButtonHeight, kChooseDialogHeight);
}

}  // namespace
