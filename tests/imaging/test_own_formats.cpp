// Our own BMP, TGA, PCX and PICT code, checked against ImageMagick: it reads the files
// ImageMagick writes with the same pixels, and ImageMagick reads the files we write.
#include <gtest/gtest.h>

#include "magick_util.h"
#include "imaging/picture_codecs.h"
#include "imaging/save_filters.h"

#include <fstream>

namespace {

// Pictures ImageMagick makes in every variant we read.
const MadeFile kMadeFiles[] = {
    {"rgb24.bmp", "-type TrueColor BMP3:", 24},
    {"os2.bmp", "-type TrueColor BMP2:", 24},
    {"v5.bmp", "-type TrueColor BMP:", 24},
    {"pal8.bmp", "-colors 200 -type Palette BMP3:", 8},
    {"pal4.bmp", "-colors 12 -type Palette BMP3:", 4},
    {"mono.bmp", "-monochrome BMP3:", 1},
    {"rle8.bmp", "-colors 100 -type Palette -compress RLE BMP3:", 8},
    {"rgb565.bmp", "-define bmp:subtype=RGB565 BMP:", 16},
    {"rgb555.bmp", "-define bmp:subtype=RGB555 BMP:", 16},
    {"argb32.bmp", "-alpha set -channel A -fx 0.5 +channel -type TrueColorAlpha BMP:", 32},
    {"top.tga", "-orient TopLeft", 24},
    {"bottom.tga", "-flip -orient BottomLeft", 24},
    {"rle.tga", "-orient TopLeft -compress RLE", 24},
    {"pal.tga", "-orient TopLeft -colors 60 -type Palette", 8},
    {"palrle.tga", "-orient TopLeft -colors 60 -type Palette -compress RLE", 8},
    {"grey.tga", "-orient TopLeft -type Grayscale", 8},
    {"rgba.tga", "-orient TopLeft -alpha set -type TrueColorAlpha", 32},
    {"rgb.pcx", "", 24},
    {"pal.pcx", "-colors 90 -type Palette", 8},
    {"mono.pcx", "-monochrome", 24},  // ImageMagick writes it as RGB
    {"rgb.pct", "", 24},
    {"pal.pct", "-colors 40 -type Palette", 8, 0,
     1},  // ImageMagick rounds 16-bit colour tables its own way
};

class MadeByMagick : public ::testing::TestWithParam<MadeFile> {};

TEST_P(MadeByMagick, ReadsTheSamePixelsAndDepth) {
  ExpectReadLikeMagick(GetParam(), "own-source.ppm", 37, 23);
}

INSTANTIATE_TEST_SUITE_P(Own, MadeByMagick, ::testing::ValuesIn(kMadeFiles), [](const auto& info) {
  std::string n = info.param.name;
  for (char& c : n)
    if (c == '.') c = '_';
  return n;
});

// What we write, ImageMagick reads with exactly our pixels; and we read it back.
TEST(OwnFormats, WrittenFilesReadTheSameInImageMagickAndInOurs) {
  Picture source;
  FillTestPicture(source, 41, 29);
  struct Entry {
    int32_t entry;
    const char* name;
    const char* magickFormat;
  };
  const Entry entries[] = {{2, "w.pcx", "PCX"},
                           {3, "w.bmp", "BMP3"},
                           {9, "w.tga", "TGA"},
                           {10, "w2.bmp", "BMP2"},
                           {11, "w.pct", "PICT"}};
  for (const Entry& e : entries) {
    std::string path = ScratchFolder() + "/" + e.name;
    ASSERT_EQ(SavePictureWithFilter(path.c_str(), source, e.entry, 2), kPictureSuccess) << e.name;
    std::string format;
    FILE* pipe = popen(("identify -format %m '" + path + "' 2>/dev/null").c_str(), "r");
    char text[64] = {};
    if (pipe) {
      if (std::fgets(text, sizeof text, pipe)) format = text;
      pclose(pipe);
    }
    EXPECT_EQ(format, e.magickFormat) << e.name;
    int32_t w, h;
    std::vector<uint8_t> theirs;
    ASSERT_TRUE(MagickReadRgb(path, w, h, theirs)) << e.name;
    EXPECT_EQ(w, 41);
    EXPECT_EQ(h, 29);
    EXPECT_EQ(RgbDifferences(theirs, PictureRgb(source)), 0u) << e.name;
    Picture back;
    ASSERT_TRUE(LoadOurs(path, back)) << e.name;
    EXPECT_EQ(RgbDifferences(PictureRgb(back), PictureRgb(source)), 0u) << e.name;
  }
}

// Hand-made files for what ImageMagick does not write: a top-down BMP, RLE4 with delta
// moves, a 16-bit TGA with a right-to-left origin, a four-plane PCX.
TEST(OwnFormats, HandMadeVariants) {
  // 2 x 2 top-down 24-bit BMP: first stored row is the top.
  std::vector<uint8_t> bmp = {
      'B',  'M',  70, 0, 0,  0, 0, 0, 0,   0, 54,  0, 0, 0, 40,  0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF,
      0xFF, 0xFF, 1,  0, 24, 0, 0, 0, 0,   0, 16,  0, 0, 0, 0,   0, 0, 0, 0, 0, 0, 0, 0,    0,
      0,    0,    0,  0, 0,  0, 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0};
  Picture p;
  ASSERT_EQ(LoadPictureMemory(bmp.data(), p, 0, bmp.size()), kPictureSuccess);
  std::vector<uint8_t> want = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
  EXPECT_EQ(PictureRgb(p), want);

  // 4 x 3 RLE4: line 0 (bottom) = run of 4 of colours 1/2; delta to (1, 2); absolute 3.
  std::vector<uint8_t> rle = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0,
                              4,   0,   0, 0, 3, 0, 0, 0, 1, 0, 4, 0, 2, 0, 0,  0, 0, 0,
                              0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0,  0, 0, 0};
  const uint8_t palette[16] = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  rle.insert(rle.end(), palette, palette + 16);
  rle[10] = uint8_t(rle.size());
  const uint8_t stream[] = {4, 0x12, 0, 0, 0, 2, 1, 1, 0, 3, 0x31, 0x20, 0, 1};
  rle.insert(rle.end(), stream, stream + sizeof stream);
  ASSERT_EQ(LoadPictureMemory(rle.data(), p, 0, rle.size()), kPictureSuccess);
  ASSERT_EQ(p.bitsPerPixel, 4);
  // Top row: x=0 colour 0, then 3, 1, 2 (absolute run of three).
  const uint8_t* top = p.pixels.data();
  EXPECT_EQ(top[0], 0);
  EXPECT_EQ(top[1], 3);
  EXPECT_EQ(top[2], 1);
  EXPECT_EQ(top[3], 2);
  const uint8_t* bottom = p.pixels.data() + 2 * size_t(p.stride);
  EXPECT_EQ(std::vector<uint8_t>(bottom, bottom + 4), (std::vector<uint8_t>{1, 2, 1, 2}));
  // The same stream without its end marker is cut short: a failed load.
  rle.resize(rle.size() - 5);
  EXPECT_LT(LoadPictureMemory(rle.data(), p, 0, rle.size()), 0);
  EXPECT_EQ(p.width, 0);

  // 2 x 1 16-bit TGA, right-to-left: stored red then blue shows blue then red.
  std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0,  0,    0,    0,    0,    0,
                              0, 2, 0, 1, 0, 16, 0x10, 0x00, 0x7C, 0x1F, 0x00};
  ASSERT_EQ(LoadPictureMemory(tga.data(), p, 0, tga.size()), kPictureSuccess);
  EXPECT_EQ(PictureRgb(p), (std::vector<uint8_t>{0, 0, 255, 255, 0, 0}));

  // 8 x 1 PCX, 1 bit in 4 planes (16 colours from the header palette), uncompressed.
  std::vector<uint8_t> pcx(128, 0);
  pcx[0] = 10;
  pcx[1] = 5;
  pcx[2] = 0;
  pcx[3] = 1;
  pcx[8] = 7;
  pcx[65] = 4;
  pcx[66] = 1;
  for (int i = 0; i < 16; ++i) pcx[16 + 3 * i] = uint8_t(i * 16);  // red = 16 * index
  const uint8_t planes[4] = {0xF0, 0xCC, 0xAA, 0x00};              // indices 7,3,5,1,6,2,4,0
  pcx.insert(pcx.end(), planes, planes + 4);
  ASSERT_EQ(LoadPictureMemory(pcx.data(), p, 0, pcx.size()), kPictureSuccess);
  ASSERT_EQ(p.bitsPerPixel, 4);
  EXPECT_EQ(std::vector<uint8_t>(p.pixels.begin(), p.pixels.begin() + 8),
            (std::vector<uint8_t>{7, 3, 5, 1, 6, 2, 4, 0}));
}

// Damaged files: every cut of a good file either loads with the right size or fails
// cleanly; cuts inside the pixel data fail.
// Grey with alpha, 16 bits a pixel (the grey byte, then the alpha byte), raw and
// run-length encoded. ImageMagick takes these for 5-5-5 colour, so the expected grey
// comes from the bytes themselves.
TEST(OwnFormats, GreyWithAlphaTga) {
  const int w = 5, h = 3;
  std::vector<uint8_t> grey(w * h), alpha(w * h);
  for (int i = 0; i < w * h; ++i) {
    grey[size_t(i)] = uint8_t(i * 17 + 3);
    alpha[size_t(i)] = uint8_t(255 - i * 9);
  }
  auto header = [&](uint8_t type) {
    // Bottom-up rows, 8 alpha bits in the descriptor.
    return std::vector<uint8_t>{0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0, w, 0, h, 0, 16, 0x08};
  };
  std::vector<uint8_t> raw = header(3);
  for (int i = 0; i < w * h; ++i) {
    raw.push_back(grey[size_t(i)]);
    raw.push_back(alpha[size_t(i)]);
  }
  // Run-length: one run of the first pixel three times, then the rest as a raw packet.
  std::vector<uint8_t> rle = header(11);
  rle.insert(rle.end(), {0x82, grey[0], alpha[0]});
  rle.push_back(uint8_t(w * h - 3 - 1));
  for (int i = 3; i < w * h; ++i) {
    rle.push_back(grey[size_t(i)]);
    rle.push_back(alpha[size_t(i)]);
  }
  std::vector<uint8_t> rleGrey = grey;
  rleGrey[1] = rleGrey[2] = grey[0];
  for (const auto& [file, expectGrey] : {std::make_pair(raw, grey), std::make_pair(rle, rleGrey)}) {
    PictureInfo info;
    ASSERT_EQ(ReadPictureMemoryInfo(file.data(), info, file.size()), kPictureSuccess);
    EXPECT_EQ(info.bitsPerPixel, 8);
    Picture p;
    ASSERT_EQ(LoadPictureMemory(file.data(), p, 0, file.size()), kPictureSuccess);
    ASSERT_EQ(p.width, w);
    std::vector<uint8_t> rgb = PictureRgb(p);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        uint8_t want = expectGrey[size_t((h - 1 - y) * w + x)];  // stored bottom-up
        const uint8_t* got = &rgb[size_t((y * w + x) * 3)];
        EXPECT_EQ(got[0], want) << x << "," << y;
        EXPECT_EQ(got[1], want);
        EXPECT_EQ(got[2], want);
      }
    }
  }
}

TEST(OwnFormats, CutFilesFailCleanly) {
  Picture source;
  FillTestPicture(source, 19, 17);
  for (int32_t entry : {2, 3, 9, 10, 11}) {
    std::vector<uint8_t> bytes;
    const SaveFilter* f = FindSaveFilter(entry);
    ASSERT_EQ(EncodePicture(source, f->formatCode, 24, 0, bytes), kPictureSuccess);
    for (size_t cut = 0; cut < bytes.size(); cut += 1 + cut / 8) {
      std::vector<uint8_t> part(bytes.begin(), bytes.begin() + ptrdiff_t(cut));
      Picture p;
      int32_t result = LoadPictureMemory(part.data(), p, 0, part.size());
      if (result == kPictureSuccess) {
        EXPECT_EQ(p.width, 19) << "entry " << entry << " cut " << cut;
        EXPECT_EQ(p.height, 17);
      } else {
        EXPECT_EQ(p.width, 0);
      }
      // Half the data or less is never a picture.
      if (cut <= bytes.size() / 2) {
        EXPECT_NE(result, kPictureSuccess) << entry << " " << cut;
      }
    }
  }
}

// Headers that claim more than the limits are refused before any memory is taken.
TEST(OwnFormats, OversizedHeadersAreRefused) {
  std::vector<uint8_t> bmp = {'B', 'M', 0, 0,    0,    0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                              0,   0,   0, 0x01, 0x40, 0, 0, 1, 0, 0, 0,  1, 0, 24, 0};
  bmp.resize(64, 0);  // 16385 x 1
  PictureInfo info;
  EXPECT_LT(ReadPictureMemoryInfo(bmp.data(), info, bmp.size()), 0);
  Picture p;
  EXPECT_LT(LoadPictureMemory(bmp.data(), p, 0, bmp.size()), 0);
  // 16000 x 16800 is over 2^28 pixels in all.
  bmp[18] = 0x80;
  bmp[19] = 0x3E;
  bmp[22] = 0xA0;
  bmp[23] = 0x41;
  EXPECT_LT(LoadPictureMemory(bmp.data(), p, 0, bmp.size()), 0);
  EXPECT_LT(ReadPictureMemoryInfo(bmp.data(), info, bmp.size()), 0);
  // A TGA claiming 65535 x 65535 from a few bytes.
  std::vector<uint8_t> tga = {0, 0,    10,   0,    0,    0,  0, 0,    0, 0, 0,
                              0, 0xFF, 0xFF, 0xFF, 0xFF, 24, 0, 0x81, 1, 2, 3};
  EXPECT_LT(LoadPictureMemory(tga.data(), p, 0, tga.size()), 0);
  EXPECT_EQ(p.width, 0);
}

}  // namespace

namespace {

// A one-plane 1-bit PCX with an empty header palette is black and white.
TEST(OwnFormats, MonochromePcx) {
  std::vector<uint8_t> pcx(128, 0);
  pcx[0] = 10;
  pcx[1] = 5;
  pcx[2] = 1;
  pcx[3] = 1;
  pcx[8] = 9;
  pcx[65] = 1;
  pcx[66] = 2;
  // Row of 10 pixels in 2 bytes: 1010 1010 11.., run-length encoded as one literal byte
  // and a run of one.
  const uint8_t data[] = {0xAA, 0xC1, 0xC0};
  pcx.insert(pcx.end(), data, data + sizeof data);
  Picture p;
  ASSERT_EQ(LoadPictureMemory(pcx.data(), p, 0, pcx.size()), kPictureSuccess);
  EXPECT_EQ(p.bitsPerPixel, 1);
  std::vector<uint8_t> rgb = PictureRgb(p);
  std::vector<uint8_t> want;
  for (int bit : {1, 0, 1, 0, 1, 0, 1, 0, 1, 1})
    for (int c = 0; c < 3; ++c) want.push_back(bit ? 255 : 0);
  EXPECT_EQ(rgb, want);
}

}  // namespace

namespace {

// A pixel map row holds at most 4095 pixels; a wider picture is written in bands that
// ImageMagick and we put back together.
TEST(OwnFormats, WidePictIsWrittenInBands) {
  Picture source;
  FillTestPicture(source, 5000, 3);
  std::string path = ScratchFolder() + "/wide.pct";
  ASSERT_EQ(SavePictureWithFilter(path.c_str(), source, 11, 0), kPictureSuccess);
  int32_t w, h;
  std::vector<uint8_t> theirs;
  ASSERT_TRUE(MagickReadRgb(path, w, h, theirs));
  EXPECT_EQ(w, 5000);
  EXPECT_EQ(RgbDifferences(theirs, PictureRgb(source)), 0u);
  Picture back;
  ASSERT_TRUE(LoadOurs(path, back));
  EXPECT_EQ(RgbDifferences(PictureRgb(back), PictureRgb(source)), 0u);
}

}  // namespace
