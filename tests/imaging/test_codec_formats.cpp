// JPEG, PNG, TIFF and GIF through the codec libraries, and every entry of the save
// table, checked against ImageMagick.
#include <gtest/gtest.h>

#include "magick_util.h"
#include "imaging/save_filters.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

const MadeFile kMadeFiles[] = {
    {"base.jpg", "-quality 90", 24, 40},
    {"prog.jpg", "-quality 80 -interlace JPEG", 24, 40},
    {"grey.jpg", "-colorspace Gray -quality 85", 8, 40},
    {"cmyk.jpg", "-colorspace CMYK -quality 90", 24, 35},
    {"sub.jpg", "-quality 75 -sampling-factor 2x2", 24, 40},
    {"rgb.png", "", 24, 0},
    {"rgb16.png", "-depth 16", 24, 0},
    {"pal.png", "-colors 50 PNG8:", 8, 0},
    {"grey.png", "-colorspace Gray", 8, 0},
    {"rgba.png", "-alpha set -channel A -fx 0.5 +channel", 32, 0},
    {"none.tif", "-compress None", 24, 0},
    {"lzw.tif", "-compress LZW", 24, 0},
    {"packbits.tif", "-compress RLE", 24, 0},
    {"zip.tif", "-compress Zip", 24, 0},
    {"motorola.tif", "-endian MSB -compress LZW", 24, 0},
    {"bottomup.tif", "-orient BottomLeft -compress LZW", 24, 0},
    {"tiles.tif", "-define tiff:tile-geometry=16x16 -compress LZW", 24, 0},
    {"pal.tif", "-colors 30 -type Palette", 8, 0,
     1},  // libtiff and ImageMagick round 16-bit colour maps differently
    {"grey.tif", "-type Grayscale", 8, 0},
    {"bilevel.tif", "-monochrome -depth 1 -compress None", 1, 0},
    {"jpeg.tif", "-compress JPEG -quality 90", 24, 40},
    {"plain.gif", "-colors 200", 8, 0},
    {"interlaced.gif", "-colors 100 -interlace GIF", 8, 0},
    {"small.gif", "-colors 9", 4, 0},
};

class CodecMadeByMagick : public ::testing::TestWithParam<MadeFile> {};

TEST_P(CodecMadeByMagick, ReadsTheSamePixelsAndDepth) {
  ExpectReadLikeMagick(GetParam(), "codec-source.ppm", 45, 31);
}

INSTANTIATE_TEST_SUITE_P(Codec, CodecMadeByMagick, ::testing::ValuesIn(kMadeFiles),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& c : n)
                             if (c == '.') c = '_';
                           return n;
                         });

// Files that others made (the codec libraries' own test pictures and kinds that other
// writers make): every one reads as ImageMagick reads it.
std::vector<std::string> ForeignFiles() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ZD_FOREIGN_CORPUS)) {
    std::string name = entry.path().filename().string();
    if (name != "README.txt") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ForeignFile : public ::testing::TestWithParam<std::string> {};

TEST_P(ForeignFile, ReadsAsImageMagickReadsIt) {
  const std::string path = std::string(ZD_FOREIGN_CORPUS) + "/" + GetParam();
  int32_t w = 0, h = 0;
  std::vector<uint8_t> expected;
  if (!MagickReadRgb(path, w, h, expected) && GetParam() == "nocolours.gif") {
    // ImageMagick shows it all black, and exits with a warning about the colour map.
    w = 7;
    h = 5;
    expected.assign(size_t(w * h * 3), 0);
  }
  ASSERT_FALSE(expected.empty());
  PictureInfo info;
  ASSERT_EQ(ReadPictureFileInfo(path.c_str(), info), kPictureSuccess);
  EXPECT_EQ(info.width, w);
  EXPECT_EQ(info.height, h);
  Picture picture;
  ASSERT_TRUE(LoadOurs(path, picture));
  ASSERT_EQ(picture.width, w);
  ASSERT_EQ(picture.height, h);
  // libtiff and ImageMagick round 16-bit colour maps differently.
  int tolerance = GetParam() == "palette-1c-4b.tiff" ? 1 : 0;
  EXPECT_EQ(RgbDifferences(PictureRgb(picture), expected, tolerance), 0u);
}

INSTANTIATE_TEST_SUITE_P(Foreign, ForeignFile, ::testing::ValuesIn(ForeignFiles()),
                         [](const auto& info) {
                           std::string n = info.param;
                           for (char& c : n)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });

std::string MagickFormat(const std::string& path) {
  std::string format;
  FILE* pipe =
      popen(("identify -format '%m %[compression]' '" + path + "[0]' 2>/dev/null").c_str(), "r");
  char text[128] = {};
  if (pipe) {
    if (std::fgets(text, sizeof text, pipe)) format = text;
    pclose(pipe);
  }
  return format;
}

// Every entry of the save table writes a file ImageMagick reads as the right format,
// with the same pixels for lossless formats and close ones for JPEG.
TEST(SaveTable, EveryEntryIsReadByImageMagick) {
  Picture source;
  // 72 wide: ImageMagick's PICT reader takes the row byte counts of rows 63 to 66 pixels
  // wide for single bytes, against the format's rule (words when a row is over 250 bytes).
  FillTestPicture(source, 72, 48);
  struct Expect {
    int32_t entry;
    const char* name;
    const char* format;
    double psnr;
  };
  const Expect expects[] = {
      {1, "s.bkg", "JPEG JPEG", 18},      {2, "s.pcx", "PCX Undefined", 0},
      {3, "s.bmp", "BMP3 None", 0},       {4, "s.jpg", "JPEG JPEG", 34},
      {5, "s2.jpg", "TIFF JPEG", 34},     {6, "s.tif", "TIFF LZW", 0},
      {7, "s2.tif", "TIFF None", 0},      {8, "s.gif", "GIF LZW", 25},
      {9, "s.tga", "TGA None", 0},        {10, "s2.bmp", "BMP2 None", 0},
      {11, "s.pct", "PICT Undefined", 0},
  };
  for (const Expect& e : expects) {
    std::string path = ScratchFolder() + "/" + e.name;
    ASSERT_EQ(SavePictureWithFilter(path.c_str(), source, e.entry, 2), kPictureSuccess) << e.name;
    EXPECT_EQ(MagickFormat(path), e.format) << e.name;
    int32_t w, h;
    std::vector<uint8_t> theirs;
    ASSERT_TRUE(MagickReadRgb(path, w, h, theirs)) << e.name;
    ASSERT_EQ(w, 72);
    ASSERT_EQ(h, 48);
    Picture back;
    ASSERT_TRUE(LoadOurs(path, back)) << e.name;
    if (e.psnr == 0) {
      EXPECT_EQ(RgbDifferences(theirs, PictureRgb(source)), 0u) << e.name;
    } else {
      EXPECT_GE(RgbPsnr(theirs, PictureRgb(source)), e.psnr) << e.name;
      // What ImageMagick reads and what we read agree closely.
      EXPECT_GE(RgbPsnr(theirs, PictureRgb(back)), 40) << e.name;
    }
    // The save table's depth: 8 bits for GIF, 24 for every other entry.
    PictureInfo info;
    ASSERT_EQ(ReadPictureFileInfo(path.c_str(), info), kPictureSuccess);
    EXPECT_EQ(info.bitsPerPixel, e.entry == 8 ? 8 : 24) << e.name;
  }
}

TEST(SaveTable, UnknownEntriesAreRefusedWithoutWriting) {
  Picture source;
  FillTestPicture(source, 8, 8);
  for (int32_t entry : {0, 12, -1, 1000}) {
    std::string path = ScratchFolder() + "/never" + std::to_string(entry);
    EXPECT_EQ(SavePictureWithFilter(path.c_str(), source, entry, 2), -16);
    EXPECT_TRUE(ReadFileBytes(path).empty());
    FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(f, nullptr);
    if (f) std::fclose(f);
  }
  // A picture without data is not written either.
  Picture empty;
  std::string path = ScratchFolder() + "/empty.bmp";
  EXPECT_LT(SavePictureWithFilter(path.c_str(), empty, 3, 2), 0);
  EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
}

// The ".bkg" format is a progressive JPEG at least ten times smaller than the BMP of a
// photographic picture, and reads back.
TEST(SaveTable, BkgIsSmallProgressiveAndReadsBack) {
  std::string photo = ScratchFolder() + "/photo.png";
  ASSERT_TRUE(RunConvert("-size 640x480 -seed 7 plasma:fractal -blur 0x1 '" + photo + "'"));
  Picture picture;
  ASSERT_TRUE(LoadOurs(photo, picture));
  std::vector<uint8_t> bkg, bmp;
  ASSERT_EQ(EncodePicture(picture, kFormatBkg, 24, 2, bkg), kPictureSuccess);
  ASSERT_EQ(EncodePicture(picture, kFormatBmp, 24, 0, bmp), kPictureSuccess);
  EXPECT_GE(bmp.size(), 10 * bkg.size()) << bmp.size() << " vs " << bkg.size();
  // Progressive: a start-of-frame 2 marker.
  bool progressive = false;
  for (size_t i = 0; i + 1 < bkg.size(); ++i)
    if (bkg[i] == 0xFF && bkg[i + 1] == 0xC2) progressive = true;
  EXPECT_TRUE(progressive);
  Picture back;
  ASSERT_EQ(LoadPictureMemory(bkg.data(), back, 24, bkg.size()), kPictureSuccess);
  EXPECT_GE(RgbPsnr(PictureRgb(back), PictureRgb(picture)), 32.0);
}

// Cut and corrupted codec files fail cleanly instead of giving half a picture.
TEST(CodecFormats, DamagedFilesFail) {
  Picture source;
  FillTestPicture(source, 40, 30);
  for (int32_t format :
       {kFormatJfif, kFormatBkg, kFormatTiffLzw, kFormatTiff, kFormatGif, kFormatJpegTiff}) {
    std::vector<uint8_t> bytes;
    ASSERT_EQ(EncodePicture(source, format, 0, 2, bytes), kPictureSuccess);
    for (size_t cut : {bytes.size() / 4, bytes.size() / 2, bytes.size() * 3 / 4}) {
      Picture p;
      EXPECT_LT(LoadPictureMemory(bytes.data(), p, 0, cut), 0) << format << " cut " << cut;
      EXPECT_EQ(p.width, 0);
    }
  }
  std::string png = ScratchFolder() + "/cut.png";
  ASSERT_TRUE(RunConvert("'" + WriteTestPpm("cut.ppm", 40, 30) + "' '" + png + "'"));
  std::vector<uint8_t> bytes = ReadFileBytes(png);
  Picture p;
  EXPECT_LT(LoadPictureMemory(bytes.data(), p, 0, bytes.size() / 2), 0);
  bytes[bytes.size() / 2] ^= 0x55;  // a CRC error
  EXPECT_LT(LoadPictureMemory(bytes.data(), p, 0, bytes.size()), 0);
}

}  // namespace

namespace {

// A bottom-up TIFF large enough to be read in several bands comes out the right way up.
TEST(CodecFormats, LargeBottomUpTiffIsNotScrambled) {
  std::string path = ScratchFolder() + "/tall.tif";
  ASSERT_TRUE(
      RunConvert("-size 4200x1000 gradient:red-blue -depth 8 -orient BottomLeft -compress LZW '" +
                 path + "'"));
  int32_t w, h;
  std::vector<uint8_t> expected;
  ASSERT_TRUE(MagickReadRgb(path, w, h, expected));
  Picture picture;
  ASSERT_TRUE(LoadOurs(path, picture));
  EXPECT_EQ(RgbDifferences(PictureRgb(picture), expected), 0u);
}

}  // namespace

namespace {

// The first image's local palette is used when there is no global one.
TEST(CodecFormats, GifLocalPalette) {
  const uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x00, 0, 0,
                         // image descriptor at (0,0) 2 x 1, local table of 2 entries
                         0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x80, 255, 0, 0, 0, 0, 255,
                         // LZW: minimum code size 2; clear, 0, 1, end in 3-bit codes
                         2, 2, 0x44, 0x0A, 0, 0x3B};
  Picture p;
  ASSERT_EQ(LoadPictureMemory(gif, p, 0, sizeof gif), kPictureSuccess);
  EXPECT_EQ(p.bitsPerPixel, 1);
  EXPECT_EQ(PictureRgb(p), (std::vector<uint8_t>{255, 0, 0, 0, 0, 255}));
  // Without any palette there is no picture.
  uint8_t bare[sizeof gif];
  std::copy(gif, gif + sizeof gif, bare);
  bare[22] = 0x00;
  EXPECT_LT(LoadPictureMemory(bare, p, 0, sizeof bare), 0);
}

}  // namespace
