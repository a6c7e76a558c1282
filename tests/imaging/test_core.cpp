// The library's front: records, limits, depth changes, the quantiser and the scaler.
#include <gtest/gtest.h>

#include "magick_util.h"
#include "imaging/picture_codecs.h"
#include "tests/fakes/file_size_limit.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sys/wait.h>

namespace {

TEST(PictureRecord, PrepareLoadAndReleaseKeepTheProgramsFields) {
  Picture p;
  p.conversionHint = 7;
  p.flags = kPictureForScreenBitmap;
  ASSERT_EQ(PreparePicture(p, 5, 3, 24), kPictureSuccess);
  EXPECT_EQ(p.flags, kPictureForScreenBitmap | kPictureHasData);
  EXPECT_EQ(p.viewRect, (std::array<int32_t, 4>{0, 0, 5, 3}));
  EXPECT_EQ(p.stride % 4, 0);
  ReleasePicture(p);
  EXPECT_EQ(p.flags, kPictureForScreenBitmap);
  EXPECT_EQ(p.width, 0);
  EXPECT_EQ(p.conversionHint, 7);
  // Absurd requests.
  EXPECT_LT(PreparePicture(p, 0, 5, 24), 0);
  EXPECT_LT(PreparePicture(p, 16385, 1, 24), 0);
  EXPECT_LT(PreparePicture(p, 16000, 16800, 24), 0);  // over 2^28 pixels in all
  EXPECT_LT(PreparePicture(p, 5, 5, 12), 0);
  EXPECT_EQ(p.width, 0);
}

TEST(PictureRecord, FailedLoadsLeaveNoPicture) {
  Picture p;
  PreparePicture(p, 4, 4, 24);
  EXPECT_LT(LoadPictureFile("/nonexistent/picture.bmp", p, 24, 0), 0);
  EXPECT_LE(p.width, 0);
  EXPECT_EQ(p.flags & kPictureHasData, 0u);
  const uint8_t text[] = "this is not a picture at all, only words";
  EXPECT_LT(LoadPictureMemory(text, p, 24, sizeof text), 0);
  EXPECT_LT(LoadPictureMemory(nullptr, p, 24, 0), 0);
  PictureInfo info;
  EXPECT_LT(ReadPictureMemoryInfo(text, info, sizeof text), 0);
  EXPECT_EQ(info.width, 0);
  // A folder is not a picture file.
  EXPECT_LT(LoadPictureFile("/tmp", p, 24, 0), 0);
}

// A failed load must not cost the picture already held: the background is rescaled from
// it on every resize.
TEST(PictureRecord, LoadReplacingKeepsThePictureUntilTheNewOneLoaded) {
  Picture first, second;
  FillTestPicture(first, 21, 13);
  FillTestPicture(second, 9, 30);
  const std::string firstFile = ScratchFolder() + "/replacing-first.bmp";
  const std::string secondFile = ScratchFolder() + "/replacing-second.tga";
  const std::string notAPicture = ScratchFolder() + "/replacing-words.bmp";
  ASSERT_EQ(SavePictureFile(firstFile.c_str(), first, kFormatBmp, 24, 0), kPictureSuccess);
  ASSERT_EQ(SavePictureFile(secondFile.c_str(), second, kFormatTga, 24, 0), kPictureSuccess);
  FILE* words = std::fopen(notAPicture.c_str(), "wb");
  ASSERT_NE(words, nullptr);
  std::fputs("BM but no picture follows", words);
  std::fclose(words);

  Picture held;
  held.conversionHint = 3;
  ASSERT_TRUE(LoadPictureReplacing(firstFile.c_str(), held));
  EXPECT_EQ(PictureRgb(held), PictureRgb(first));
  for (const std::string& bad :
       {std::string("/nonexistent/gone.bmp"), notAPicture, std::string()}) {
    EXPECT_FALSE(LoadPictureReplacing(bad.c_str(), held)) << bad;
    ASSERT_EQ(held.width, 21) << bad;
    EXPECT_EQ(held.flags & kPictureHasData, kPictureHasData);
    EXPECT_EQ(PictureRgb(held), PictureRgb(first)) << bad;
  }
  ASSERT_TRUE(LoadPictureReplacing(secondFile.c_str(), held));
  EXPECT_EQ(held.width, 9);
  EXPECT_EQ(held.viewRect, (std::array<int32_t, 4>{0, 0, 9, 30}));
  EXPECT_EQ(PictureRgb(held), PictureRgb(second));
  EXPECT_EQ(held.conversionHint, 3);  // the program's own fields stay
}

// A save that fails half-way (a full disk) must not cost the file that was there.
TEST(PictureRecord, FailedSaveLeavesTheOldFile) {
  Picture small, large;
  FillTestPicture(small, 8, 8);
  FillTestPicture(large, 200, 150);
  const std::string file = ScratchFolder() + "/save-over.bmp";
  ASSERT_EQ(SavePictureFile(file.c_str(), small, kFormatBmp, 24, 0), kPictureSuccess);
  const std::vector<uint8_t> before = ReadFileBytes(file);
  ASSERT_GT(before.size(), 100u);
  {
    FileSizeLimit fullDisk(4096);  // the new file is about 90 000 bytes
    EXPECT_EQ(SavePictureFile(file.c_str(), large, kFormatBmp, 24, 0), kPictureFileError);
  }
  EXPECT_EQ(ReadFileBytes(file), before);
  EXPECT_FALSE(std::ifstream(file + ".new").good());
  // The same save with room for it replaces the file.
  ASSERT_EQ(SavePictureFile(file.c_str(), large, kFormatBmp, 24, 0), kPictureSuccess);
  Picture back;
  ASSERT_TRUE(LoadOurs(file, back));
  EXPECT_EQ(back.width, 200);
}

TEST(Depth, UpAndDownKeepColours) {
  Picture p;
  FillTestPicture(p, 30, 20);
  std::vector<uint8_t> original = PictureRgb(p);
  Picture copy = p;
  ASSERT_EQ(ChangePictureDepth(copy, 32, 0), kPictureSuccess);
  EXPECT_EQ(copy.bitsPerPixel, 32);
  EXPECT_EQ(PictureRgb(copy), original);
  // 16 bits keeps five bits a channel.
  ASSERT_EQ(ChangePictureDepth(copy, 16, 0), kPictureSuccess);
  std::vector<uint8_t> sixteen = PictureRgb(copy);
  for (size_t i = 0; i < original.size(); ++i) {
    EXPECT_EQ(sixteen[i] >> 3, original[i] >> 3);
  }
  // A picture of few colours keeps them exactly at 8 and 4 bits.
  Picture few;
  PreparePicture(few, 16, 16, 24);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      uint8_t* px = few.pixels.data() + size_t(y) * size_t(few.stride) + 3 * size_t(x);
      px[0] = uint8_t((x % 4) * 60);
      px[1] = uint8_t((y % 3) * 100);
      px[2] = 17;
    }
  std::vector<uint8_t> fewRgb = PictureRgb(few);
  for (int32_t bits : {8, 4}) {
    Picture q = few;
    ASSERT_EQ(ChangePictureDepth(q, bits, kDepthDithered), kPictureSuccess);
    EXPECT_EQ(q.bitsPerPixel, bits);
    EXPECT_LE(q.colourCount, 1 << bits);
    EXPECT_EQ(PictureRgb(q), fewRgb) << bits;
  }
}

TEST(Depth, QuantiserMakesAGoodPaletteOfAtMost256Colours) {
  std::string photo = ScratchFolder() + "/q.png";
  ASSERT_TRUE(RunConvert("-size 200x150 -seed 3 plasma:fractal '" + photo + "'"));
  Picture p;
  ASSERT_TRUE(LoadOurs(photo, p));
  std::vector<uint8_t> original = PictureRgb(p);
  for (int32_t option : {kDepthOptimisedPalette, kDepthDithered}) {
    Picture q = p;
    ASSERT_EQ(ChangePictureDepth(q, 8, option), kPictureSuccess);
    ASSERT_EQ(q.bitsPerPixel, 8);
    ASSERT_LE(q.colourCount, 256);
    std::set<int> used;
    for (int32_t y = 0; y < q.height; ++y)
      for (int32_t x = 0; x < q.width; ++x)
        used.insert(q.pixels[size_t(y) * size_t(q.stride) + size_t(x)]);
    EXPECT_GT(used.size(), 200u);
    EXPECT_LT(*used.rbegin(), q.colourCount);
    EXPECT_GE(RgbPsnr(PictureRgb(q), original), 28.0) << option;
  }
  // The fixed palette is the same for every picture.
  Picture a = p, b;
  PreparePicture(b, 8, 8, 24);
  ASSERT_EQ(ChangePictureDepth(a, 8, kDepthFixedPalette), kPictureSuccess);
  ASSERT_EQ(ChangePictureDepth(b, 8, kDepthFixedPalette), kPictureSuccess);
  ASSERT_EQ(a.colourCount, b.colourCount);
  for (int i = 0; i < a.colourCount; ++i) {
    EXPECT_EQ(a.colours[size_t(i)].red, b.colours[size_t(i)].red);
    EXPECT_EQ(a.colours[size_t(i)].blue, b.colours[size_t(i)].blue);
  }
  EXPECT_GE(RgbPsnr(PictureRgb(a), original), 22.0);
  // Palette displays: at most 16 colours at 4 bits.
  Picture d = p;
  ASSERT_EQ(AdaptPictureToDisplay(d, 3, 4), kPictureSuccess);
  EXPECT_EQ(d.bitsPerPixel, 4);
  EXPECT_LE(d.colourCount, 16);
}

// Dithering for a palette display keeps pure black pure black next to anti-aliased
// edges, so that a black-keyed mask still works on the converted picture.
TEST(Depth, DitheringKeepsBlackBlack) {
  Picture p;
  PreparePicture(p, 40, 40, 24);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      int d2 = (x - 20) * (x - 20) + (y - 20) * (y - 20);
      uint8_t v = d2 < 100 ? 230 : d2 < 140 ? uint8_t(30 + (140 - d2) * 4) : 0;  // soft edge
      uint8_t* px = p.pixels.data() + size_t(y) * size_t(p.stride) + 3 * size_t(x);
      px[0] = v;
      px[1] = uint8_t(v / 2);
      px[2] = v;
    }
  std::vector<uint8_t> before = PictureRgb(p);
  ASSERT_EQ(AdaptPictureToDisplay(p, 3, 8), kPictureSuccess);
  std::vector<uint8_t> after = PictureRgb(p);
  size_t black = 0;
  for (size_t i = 0; i < before.size(); i += 3) {
    if (before[i] == 0 && before[i + 1] == 0 && before[i + 2] == 0) {
      ++black;
      EXPECT_EQ(after[i] | after[i + 1] | after[i + 2], 0) << "pixel " << i / 3;
    }
  }
  EXPECT_GT(black, 1000u);
}

TEST(Scale, ShrinkingAveragesAndEnlargingInterpolates) {
  // A 4 x 2 picture of black and white columns shrinks to 2 x 1 mid grey, exactly.
  Picture p;
  PreparePicture(p, 4, 2, 24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; x += 2)
      for (int c = 0; c < 3; ++c)
        p.pixels[size_t(y) * size_t(p.stride) + 3 * size_t(x) + size_t(c)] = 255;
  Picture small;
  ASSERT_EQ(ScalePicture(p, small, 2, 1), kPictureSuccess);
  EXPECT_EQ(PictureRgb(small), (std::vector<uint8_t>{128, 128, 128, 128, 128, 128}));
  // A 3 to 2 shrink weighs the middle pixel half to each side.
  Picture row;
  PreparePicture(row, 3, 1, 24);
  for (int c = 0; c < 3; ++c)
    row.pixels[size_t(c)] = 0, row.pixels[3 + size_t(c)] = 120, row.pixels[6 + size_t(c)] = 240;
  ASSERT_EQ(ScalePicture(row, small, 2, 1), kPictureSuccess);
  std::vector<uint8_t> rgb = PictureRgb(small);
  EXPECT_EQ(rgb[0], 40);   // (0 * 1 + 120 * 0.5) / 1.5
  EXPECT_EQ(rgb[3], 200);  // (120 * 0.5 + 240 * 1) / 1.5
  // Enlarging a flat picture keeps it flat; an edge is interpolated monotonically.
  Picture big;
  ASSERT_EQ(ScalePicture(row, big, 12, 3), kPictureSuccess);
  rgb = PictureRgb(big);
  for (int x = 1; x < 12; ++x) EXPECT_GE(rgb[3 * size_t(x)], rgb[3 * size_t(x - 1)]);
  EXPECT_EQ(rgb[0], 0);
  EXPECT_EQ(rgb[33], 240);
  // Indexed sources scale through their palette.
  Picture indexed = p;
  ASSERT_EQ(ChangePictureDepth(indexed, 1, 0), kPictureSuccess);
  ASSERT_EQ(ScalePicture(indexed, small, 2, 1), kPictureSuccess);
  EXPECT_EQ(PictureRgb(small), (std::vector<uint8_t>{128, 128, 128, 128, 128, 128}));
  // No data, or an absurd size: refused.
  Picture none;
  EXPECT_LT(ScalePicture(none, small, 2, 2), 0);
  EXPECT_LT(ScalePicture(p, small, 0, 2), 0);
  EXPECT_LT(ScalePicture(p, small, 20000, 2), 0);
}

// picconv's promises: info prints three numbers; failures print one line and exit 1.
TEST(Picconv, InfoConvertAndFailures) {
  std::string tool = std::string(ZD_PICCONV);
  std::string png = ScratchFolder() + "/pc.png";
  ASSERT_TRUE(RunConvert("'" + WriteTestPpm("pc.ppm", 21, 13) + "' '" + png + "'"));
  FILE* pipe = popen((tool + " info '" + png + "'").c_str(), "r");
  char line[128] = {};
  ASSERT_NE(pipe, nullptr);
  ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_STREQ(line, "21 13 24\n");
  std::string out = ScratchFolder() + "/pc.gif";
  EXPECT_TRUE(RunCommand(tool + " convert '" + png + "' '" + out + "' 8"));
  PictureInfo info;
  ASSERT_EQ(ReadPictureFileInfo(out.c_str(), info), kPictureSuccess);
  EXPECT_EQ(info.bitsPerPixel, 8);
  for (const std::string& args :
       std::vector<std::string>{"info /nonexistent", "convert '" + png + "' /tmp/x.bmp 12",
                                "convert /etc/hostname /tmp/x.bmp 3",
                                "convert '" + png + "' /nonexistent/dir/x.bmp 3"}) {
    pipe = popen((tool + " " + args + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    while (std::fgets(line, sizeof line, pipe)) text += line;
    int status = pclose(pipe);
    EXPECT_EQ(WEXITSTATUS(status), 1) << args;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << args << ": " << text;
  }
}

}  // namespace
