// landscape_render: the background generators of the game on the command line, for
// tests and for anyone checking their arithmetic. Built from the game's own generator
// files.
//
//   landscape_render grid SEED OUT              the 513 x 513 height grid of
//                                               BuildHeightGrid(SEED), raw bytes, row by row
//   landscape_render landscape W H TICK1 TICK2 OUT.ppm
//   landscape_render strips W H STATE TICK OUT.ppm
//   landscape_render fractal W H X0 Y0 X1 Y1 OUT.ppm
//
// TICK1 and TICK2 seed the landscape's two grids. STATE is the generator's state when
// the strips start, TICK the tick count they reseed with; their carried-over rows start
// at 0, as in the program's first generation. OUT.ppm is a binary PPM of W x H pixels;
// a pixel the generator never sets is black. The display is taken as 24 bits.
// Exit code 0 on success, 1 when the file cannot be written, 2 on a usage error.

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/board.h"
#include "landscape/generators.h"

namespace {

constexpr int32_t kMaxSide = 8192;
constexpr int32_t kScreenBits = 24;

int Usage() {
  fprintf(stderr,
          "usage: landscape_render grid SEED OUT\n"
          "       landscape_render landscape W H TICK1 TICK2 OUT.ppm\n"
          "       landscape_render strips W H STATE TICK OUT.ppm\n"
          "       landscape_render fractal W H X0 Y0 X1 Y1 OUT.ppm\n"
          "W and H 1..%d; seeds 0..4294967295; X0..Y1 decimal numbers\n",
          int(kMaxSide));
  return 2;
}

bool ParseUnsigned(const char* text, uint32_t& value) {
  if (*text < '0' || *text > '9') return false;
  errno = 0;
  char* end = nullptr;
  unsigned long long v = strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0' || v > 0xFFFFFFFFull) return false;
  value = uint32_t(v);
  return true;
}

bool ParseSide(const char* text, int32_t& value) {
  uint32_t v = 0;
  if (!ParseUnsigned(text, v) || v < 1 || v > uint32_t(kMaxSide)) return false;
  value = int32_t(v);
  return true;
}

bool ParseNumber(const char* text, double& value) {
  errno = 0;
  char* end = nullptr;
  value = strtod(text, &end);
  return end != text && *end == '\0' && errno == 0 && std::isfinite(value);
}

bool WriteFile(const char* path, const void* data, size_t size) {
  FILE* file = fopen(path, "wb");
  if (!file) return false;
  bool ok = fwrite(data, 1, size, file) == size;
  ok = fclose(file) == 0 && ok;
  return ok;
}

bool WritePpm(const char* path, const LandscapeCanvas& canvas) {
  char header[64];
  int length =
      snprintf(header, sizeof header, "P6\n%d %d\n255\n", int(canvas.width), int(canvas.height));
  std::vector<uint8_t> data(header, header + length);
  size_t count = size_t(canvas.width) * size_t(canvas.height);
  data.reserve(data.size() + 3 * count);
  for (size_t i = 0; i < count; ++i) {
    uint32_t c = canvas.pixels[i];
    data.push_back(uint8_t(RedOf(c)));
    data.push_back(uint8_t(GreenOf(c)));
    data.push_back(uint8_t(BlueOf(c)));
  }
  return WriteFile(path, data.data(), data.size());
}

int Written(bool ok, const char* path) {
  if (ok) return 0;
  fprintf(stderr, "landscape_render: cannot write %s\n", path);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const char* what = argv[1];

  if (strcmp(what, "grid") == 0) {
    uint32_t seed = 0;
    if (argc != 4 || !ParseUnsigned(argv[2], seed)) return Usage();
    std::vector<uint8_t> grid(kGridBytes, 0);
    BuildHeightGrid(grid.data(), seed);
    return Written(WriteFile(argv[3], grid.data(), grid.size()), argv[3]);
  }

  int32_t width = 0, height = 0;
  if (argc < 4 || !ParseSide(argv[2], width) || !ParseSide(argv[3], height)) return Usage();
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
  LandscapeCanvas canvas;
  canvas.width = width;
  canvas.height = height;
  canvas.pixels = pixels.data();
  const char* out = argv[argc - 1];

  if (strcmp(what, "landscape") == 0) {
    uint32_t tick1 = 0, tick2 = 0;
    if (argc != 7 || !ParseUnsigned(argv[4], tick1) || !ParseUnsigned(argv[5], tick2))
      return Usage();
    std::vector<uint8_t> shape(kGridBytes, 0), tint(kGridBytes, 0);
    BuildHeightGrid(shape.data(), tick1);
    BuildHeightGrid(tint.data(), tick2);
    RenderLandscape(canvas, shape.data(), tint.data(), kScreenBits, nullptr, nullptr);
  } else if (strcmp(what, "strips") == 0) {
    uint32_t state = 0, tick = 0;
    if (argc != 7 || !ParseUnsigned(argv[4], state) || !ParseUnsigned(argv[5], tick))
      return Usage();
    SeedRandom(state);
    RenderColourStrips(canvas, tick, nullptr, nullptr);
  } else if (strcmp(what, "fractal") == 0) {
    FractalRegion region;
    if (argc != 9 || !ParseNumber(argv[4], region.x0) || !ParseNumber(argv[5], region.y0) ||
        !ParseNumber(argv[6], region.x1) || !ParseNumber(argv[7], region.y1))
      return Usage();
    RenderBandedFractal(canvas, region, nullptr, nullptr);
  } else {
    return Usage();
  }
  return Written(WritePpm(out, canvas), out);
}
