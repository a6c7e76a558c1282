// The files shipped beside the program in data/: the twelve piece image sets and the
// default background, and the folder's size budget.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "picture_headers.h"
#include "res_file.h"
#include "resource.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> DataFile(const std::string& name) {
  return ReadWholeFile(std::string(ZD_DATA_DIR) + "/" + name).value_or(std::vector<uint8_t>{});
}

TEST(DataFiles, EveryPieceSetIsATwoRowPicture) {
  const char* files[] = TILESET_FILES;
  std::set<std::string> names(std::begin(files), std::end(files));
  EXPECT_EQ(names.size(), 12u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    auto bytes = DataFile(name);
    ASSERT_FALSE(bytes.empty());
    auto png = ReadPngInfo(bytes);
    ASSERT_TRUE(png.has_value());
    // Eleven 96 x 96 images in the first row, eight explosion frames in the second.
    EXPECT_EQ(png->width, 11u * 96);
    EXPECT_EQ(png->height, 2u * 96);
    EXPECT_EQ(png->bitDepth, 8);
    EXPECT_EQ(png->colourType, 2);
  }
  // No stray set files that the menu cannot reach.
  for (const auto& entry : fs::directory_iterator(ZD_DATA_DIR)) {
    if (entry.path().extension() == ".vod") {
      EXPECT_EQ(names.count(entry.path().filename().string()), 1u) << entry.path();
    }
  }
}

TEST(DataFiles, DefaultBackgroundIsALargeProgressiveJpeg) {
  auto bytes = DataFile(DEFAULT_BACKGROUND_FILE);
  ASSERT_FALSE(bytes.empty());
  auto jpeg = ReadJpegInfo(bytes);
  ASSERT_TRUE(jpeg.has_value());
  EXPECT_TRUE(jpeg->progressive);
  EXPECT_TRUE(jpeg->hasHuffmanTables);
  EXPECT_EQ(jpeg->components, 3);
  EXPECT_GE(jpeg->width, 1280u);
  EXPECT_GE(jpeg->height, 960u);
  // Not a sheet: a 320 x 320 picture would be tiled instead of fitted to the window.
  EXPECT_FALSE(jpeg->width == 320 && jpeg->height == 320);
}

TEST(DataFiles, FolderStaysWithinItsBudget) {
  uintmax_t total = 0;
  for (const auto& entry : fs::recursive_directory_iterator(ZD_DATA_DIR))
    if (entry.is_regular_file()) total += entry.file_size();
  EXPECT_GT(total, 0u);
  EXPECT_LT(total, 12u * 1024 * 1024);
}

// The readers above must tell a damaged file from a good one, or the checks prove
// nothing: cut or spoil each kind and see it refused.
TEST(HeaderReaders, RejectDamagedInput) {
  auto png = DataFile("rosewood.vod");
  ASSERT_TRUE(ReadPngInfo(png).has_value());
  EXPECT_FALSE(ReadPngInfo(std::vector<uint8_t>(png.begin(), png.begin() + 20)).has_value());
  auto spoiled = png;
  spoiled[13] = 'X';  // "IHDR" no more
  EXPECT_FALSE(ReadPngInfo(spoiled).has_value());

  auto jpeg = DataFile(DEFAULT_BACKGROUND_FILE);
  ASSERT_TRUE(ReadJpegInfo(jpeg).has_value());
  EXPECT_FALSE(ReadJpegInfo(std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 30)).has_value());
  EXPECT_FALSE(ReadJpegInfo(png).has_value());

  auto res = ReadWholeFile(ZD_RES_FILE);
  ASSERT_TRUE(res.has_value());
  ASSERT_TRUE(ParseResFile(*res).has_value());
  // A header that claims more data than the file holds.
  std::vector<uint8_t> cut(res->begin(), res->begin() + 32 + 200);
  EXPECT_FALSE(ParseResFile(cut).has_value());

  std::vector<uint8_t> wav = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_FALSE(ReadWaveInfo(wav).has_value());  // neither format nor data
  std::vector<uint8_t> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF};
  EXPECT_FALSE(ReadTiffInfo(tiff).has_value());          // more entries than bytes
  EXPECT_FALSE(ParseMenu({0, 0, 0x10, 0}).has_value());  // a pop-up cut short
  EXPECT_FALSE(ParseDialog({1, 2, 3}).has_value());
}

}  // namespace
