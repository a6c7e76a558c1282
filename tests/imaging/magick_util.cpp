#include <gtest/gtest.h>

#include "magick_util.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <unistd.h>

namespace {
struct ScratchHolder {
  std::string path;
  ~ScratchHolder() {
    if (!path.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  }
};
ScratchHolder scratch;
}  // namespace

std::string ScratchFolder() {
  if (scratch.path.empty()) {
    char pattern[] = "/tmp/zdimaging-XXXXXX";
    const char* made = mkdtemp(pattern);
    scratch.path = made ? made : "/tmp";
  }
  return scratch.path;
}

bool RunCommand(const std::string& commandLine) { return std::system(commandLine.c_str()) == 0; }

bool RunConvert(const std::string& args) { return RunCommand("convert " + args + " 2>/dev/null"); }

bool MagickReadRgb(const std::string& path, int32_t& width, int32_t& height,
                   std::vector<uint8_t>& rgb) {
  width = height = 0;
  rgb.clear();
  std::string size = "identify -format '%w %h' '" + path + "[0]' 2>/dev/null";
  FILE* pipe = popen(size.c_str(), "r");
  if (!pipe) return false;
  int w = 0, h = 0;
  int got = std::fscanf(pipe, "%d %d", &w, &h);
  if (pclose(pipe) != 0 || got != 2 || w <= 0 || h <= 0) return false;
  std::string pixels =
      "convert '" + path + "[0]' -auto-orient -alpha off -depth 8 rgb:- 2>/dev/null";
  pipe = popen(pixels.c_str(), "r");
  if (!pipe) return false;
  rgb.resize(size_t(w) * size_t(h) * 3);
  size_t read = std::fread(rgb.data(), 1, rgb.size(), pipe);
  if (pclose(pipe) != 0 || read != rgb.size()) {
    rgb.clear();
    return false;
  }
  width = w;
  height = h;
  return true;
}

std::vector<uint8_t> PictureRgb(const Picture& picture) {
  std::vector<uint8_t> rgb;
  if (picture.width < 1 || picture.height < 1) return rgb;
  rgb.reserve(size_t(picture.width) * size_t(picture.height) * 3);
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* row = picture.pixels.data() + size_t(y) * size_t(picture.stride);
    for (int32_t x = 0; x < picture.width; ++x) {
      if (picture.bitsPerPixel <= 8) {
        const PictureColour& c = picture.colours[row[x]];
        rgb.push_back(c.red);
        rgb.push_back(c.green);
        rgb.push_back(c.blue);
      } else {
        rgb.push_back(row[3 * x + 2]);
        rgb.push_back(row[3 * x + 1]);
        rgb.push_back(row[3 * x]);
      }
    }
  }
  return rgb;
}

double RgbPsnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 0.0;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    double d = double(a[i]) - double(b[i]);
    sum += d * d;
  }
  if (sum == 0) return 999.0;
  double mse = sum / double(a.size());
  return 10.0 * std::log10(255.0 * 255.0 / mse);
}

size_t RgbDifferences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int tolerance) {
  if (a.size() != b.size()) return a.size() > b.size() ? a.size() : b.size();
  size_t count = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::abs(int(a[i]) - int(b[i])) > tolerance) ++count;
  }
  return count;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WriteTestPpm(const std::string& name, int32_t width, int32_t height) {
  std::string path = ScratchFolder() + "/" + name;
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  uint32_t seed = 12345;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      int noise = int((seed >> 16) % 17) - 8;
      int r = x * 255 / (width > 1 ? width - 1 : 1);
      int g = y * 255 / (height > 1 ? height - 1 : 1);
      int b = ((x / 7 + y / 5) & 1) ? 220 : 40;
      if (x > width / 2 && y > height / 2) r = 255 - r;
      auto clamp = [](int v) { return char(v < 0 ? 0 : v > 255 ? 255 : v); };
      out.put(clamp(r + noise)).put(clamp(g - noise)).put(clamp(b + noise / 2));
    }
  }
  return path;
}

void FillTestPicture(Picture& picture, int32_t width, int32_t height) {
  PreparePicture(picture, width, height, 24);
  std::string path = WriteTestPpm("fill.ppm", width, height);
  std::vector<uint8_t> bytes = ReadFileBytes(path);
  size_t start = bytes.size() - size_t(width) * size_t(height) * 3;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = picture.pixels.data() + size_t(y) * size_t(picture.stride);
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t* p = bytes.data() + start + (size_t(y) * size_t(width) + size_t(x)) * 3;
      row[3 * x] = p[2];
      row[3 * x + 1] = p[1];
      row[3 * x + 2] = p[0];
    }
  }
}

bool LoadOurs(const std::string& path, Picture& picture) {
  return LoadPictureFile(path.c_str(), picture, 0, 0) == kPictureSuccess && picture.width > 0;
}

void ExpectReadLikeMagick(const MadeFile& made, const std::string& sourceName, int32_t width,
                          int32_t height) {
  std::string source = WriteTestPpm(sourceName, width, height);
  std::string path = ScratchFolder() + "/" + made.name;
  std::string options = made.options;
  if (!options.empty() && options.back() != ':') options += ' ';
  ASSERT_TRUE(RunConvert("'" + source + "' " + options + "'" + path + "'")) << made.name;
  int32_t w, h;
  std::vector<uint8_t> expected;
  ASSERT_TRUE(MagickReadRgb(path, w, h, expected));

  PictureInfo info;
  ASSERT_EQ(ReadPictureFileInfo(path.c_str(), info), kPictureSuccess) << made.name;
  EXPECT_EQ(info.width, width);
  EXPECT_EQ(info.height, height);
  EXPECT_EQ(info.bitsPerPixel, made.bits) << made.name;

  Picture picture;
  ASSERT_TRUE(LoadOurs(path, picture)) << made.name;
  ASSERT_EQ(picture.width, w);
  ASSERT_EQ(picture.height, h);
  if (made.minimumPsnr == 0) {
    EXPECT_EQ(RgbDifferences(PictureRgb(picture), expected, made.tolerance), 0u) << made.name;
  } else {
    EXPECT_GE(RgbPsnr(PictureRgb(picture), expected), made.minimumPsnr) << made.name;
  }
}
