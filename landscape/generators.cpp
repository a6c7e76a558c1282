#include "landscape/generators.h"

#include <cmath>
#include <cstdlib>

#include "game/board.h"
#include "landscape/landscape.h"

namespace {

std::vector<int32_t> stripRed;
std::vector<int32_t> stripGreen;
std::vector<int32_t> stripBlue;
std::vector<int8_t> stripSlope;
int8_t nudgeTable[16][16] = {};

}  // namespace

const std::vector<int32_t>& RedStripRows() { return stripRed; }

int32_t NudgeTableEntry(int32_t row, int32_t col) { return nudgeTable[row][col]; }

void ForgetColourStrips() {
  stripRed.clear();
  stripGreen.clear();
  stripBlue.clear();
  stripSlope.clear();
  for (auto& row : nudgeTable)
    for (int8_t& entry : row) entry = 0;
}

namespace {

#ifdef __MINGW32__
// The C runtime's own logarithm. The toolchain's static math library otherwise puts an
// x87 version in its place that is several times slower and rounds differently more
// often; the fractal takes three logarithms per step.
extern "C" double (*__MINGW_IMP_SYMBOL(log))(double);
inline double Log(double x) { return __MINGW_IMP_SYMBOL(log)(x); }
#else
inline double Log(double x) { return std::log(x); }
#endif

inline int32_t Height(const uint8_t* grid, int32_t x, int32_t y) { return grid[y * kGridSide + x]; }

// Paints rows j..top (inclusive, those inside the canvas) of column x and returns the
// new running row: top itself, so that a rising profile paints back up from there.
int32_t PaintSpan(const LandscapeCanvas& canvas, int32_t x, int32_t j, int32_t top,
                  LandscapeColour colour) {
  uint32_t* pixel = canvas.pixels + x;
  for (int32_t y = j; y <= top && y < canvas.height; ++y) pixel[y * canvas.width] = colour;
  return top;
}

// The three draws that nudge one strip component: two of 0..2 and one of 0..10, in
// this order.
int32_t StripDrift() {
  int32_t first = RandomBelow(3);
  int32_t second = RandomBelow(3);
  int32_t third = RandomBelow(11);
  return first + second + third;
}

// Makes sure the strips hold `rows` rows plus the two guard entries; rows added start
// at 0, rows already there keep their values.
void SizeStrips(int32_t rows) {
  size_t wanted = size_t(rows) + 2;
  if (stripRed.size() < wanted) {
    stripRed.resize(wanted, 0);
    stripGreen.resize(wanted, 0);
    stripBlue.resize(wanted, 0);
  }
  if (stripSlope.size() < size_t(rows)) stripSlope.resize(size_t(rows), 0);
}

}  // namespace

int32_t ClampInt(int32_t v, int32_t lo, int32_t hi) {
  if (v < lo) return lo;
  if (v > hi) return hi;
  return v;
}

LandscapeColour MakeColour(int32_t red, int32_t green, int32_t blue) {
  return (uint32_t(red) & 0xFF) << 16 | (uint32_t(green) & 0xFF) << 8 | (uint32_t(blue) & 0xFF);
}

LandscapeColour ShadeColour(LandscapeColour colour, int32_t num, int32_t den, int32_t screenBits) {
  if (screenBits < 4) return colour;
  return MakeColour(RedOf(colour) * num / den, GreenOf(colour) * num / den,
                    BlueOf(colour) * num / den);
}

// ---- Height grids -------------------------------------------------------------------------

void Displace(uint8_t* grid, uint32_t seed, int32_t x, int32_t y, int32_t range, int32_t p,
              int32_t q) {
  SeedRandom(uint32_t(x) + uint32_t(y) + seed + uint32_t(p) + uint32_t(q));
  int32_t half = range / 2;
  int32_t m = RandomBelow(half);
  m -= RandomBelow(half);
  m -= RandomBelow(half);
  m += RandomBelow(half);
  if (range > 200) m = m < 0 ? -(-m % 256) : m % 256;
  m = 2 * m / 3;
  grid[y * kGridSide + x] = uint8_t(ClampInt((p + q) / 2 + m, 0, 255));
}

void BuildHeightGrid(uint8_t* grid, uint32_t seed) {
  constexpr int32_t last = kGridSide - 1;
  SeedRandom(seed);
  grid[0] = uint8_t(134 + RandomBelow(4));
  grid[last] = uint8_t(134 + RandomBelow(4));
  grid[last * kGridSide] = uint8_t(44 + RandomBelow(64));
  grid[last * kGridSide + last] = uint8_t(44 + RandomBelow(64));
  for (int32_t b = last; b > 1; b /= 2) {
    for (int32_t c = 0; c < last; c += b) {
      for (int32_t f = 0; f < last; f += b) {
        int32_t d = c + b, e = c + b / 2, h = f + b, r = f + b / 2;
        Displace(grid, seed, e, f, b, Height(grid, c, f), Height(grid, d, f));
        Displace(grid, seed, e, h, b, Height(grid, c, h), Height(grid, d, h));
        Displace(grid, seed, c, r, b, Height(grid, c, f), Height(grid, c, h));
        Displace(grid, seed, d, r, b, Height(grid, d, f), Height(grid, d, h));
        Displace(grid, seed, e, r, 3 * b / 2, Height(grid, e, f), Height(grid, e, h));
      }
    }
  }
}

LandscapeColour HeightColour(int32_t e, int32_t avg) {
  if (e < 60) {
    int32_t grey = 100 - (e + 2 * avg) / 8;
    return MakeColour(grey, grey, 255);
  }
  if (e < 63) return MakeColour(255, 255, 0);
  if (e < 68) return MakeColour(0, e % 16 - 17, 0);
  if (e < 90) return MakeColour((6 * e - 384) / 9 + 32, e + 32, (6 * e - 204) / 9);
  if (e < 105) return MakeColour(3 * e / 2, 3 * e / 2, 0);
  if (e < 127) return MakeColour(6 * e / 12, e, 0);
  if (e < 191) return MakeColour(e / 4, 2 * e / 3, 0);
  int32_t snow = e / 4 - 66;
  return MakeColour(snow, snow, snow);
}

void RenderLandscape(const LandscapeCanvas& canvas, const uint8_t* shapeGrid,
                     const uint8_t* tintGrid, int32_t screenBits, LandscapeProgress progress,
                     void* context) {
  const int32_t width = canvas.width, height = canvas.height;
  const int32_t samples = height + kLandscapeDepth;
  for (int32_t i = 0; i < width; ++i) {
    if (TakeStopRequest()) {
      return;
    }
    int32_t gx = i * kGridSide / width;
    int32_t j = 0;
    for (int32_t k = 0; k < samples; ++k) {
      int32_t gy = k * kGridSide / samples;
      int32_t e = Height(shapeGrid, gx, gy);
      int32_t avg = (e + Height(tintGrid, gx, gy)) / 2;
      LandscapeColour colour = HeightColour(e, avg);
      if (e >= 60) {
        if (gx > 0 && gy > 0 && RandomBelow(2) == 1 && Height(shapeGrid, gx - 1, gy) > e &&
            Height(shapeGrid, gx, gy - 1) > e)
          colour = ShadeColour(colour, 9, 10, screenBits);
        if (RandomBelow(4) == 1) colour = ShadeColour(colour, 12, 13, screenBits);
        if ((e / 4) % 2 == 1) colour = ShadeColour(colour, 15, 16, screenBits);
      }
      j = PaintSpan(canvas, i, j, ClampInt(k - e + 96, 0, height), colour);
    }
    if (progress) progress(i, context);
  }
}

// ---- Colour strips ------------------------------------------------------------------------

int32_t NudgeAt(int32_t index) {
  if (index < 0 || index >= 256) return 0;
  return nudgeTable[index / 16][index % 16];
}

int32_t SmoothStrip(const std::vector<int32_t>& x, int32_t f, int32_t height) {
  if (f < 2) return (x[f + 1] + 3 * x[f]) / 3;
  if (f > height - 3) return (x[f - 1] + 2 * x[f]) / 4;
  return (2 * (x[f + 1] + x[f - 1] + 3 * x[f]) + x[f + 2] + x[f - 2]) / 12;
}

void RenderColourStrips(const LandscapeCanvas& canvas, uint32_t tick, LandscapeProgress progress,
                        void* context) {
  const int32_t width = canvas.width, height = canvas.height;
  const int32_t rows = height + kLandscapeDepth;
  SizeStrips(rows);
  std::vector<int32_t>* strips[3] = {&stripRed, &stripGreen, &stripBlue};

  for (auto* strip : strips) (*strip)[0] = 64 + RandomBelow(128);
  SeedRandom(tick);
  for (int32_t row = 1; row < 16; ++row)
    for (int32_t col = 1; col < 16; ++col) nudgeTable[row][col] = int8_t(RandomBelow(3) - 1);
  for (int32_t a = 1; a < height; ++a)
    for (auto* strip : strips)
      (*strip)[a] = ClampInt((*strip)[a - 1] + RandomBelow(11) - 5, 0, 255);

  // Column 0: the fresh rows as they are.
  int32_t j = 0;
  for (int32_t a = 1; a < height; ++a) {
    int32_t sum = stripRed[a] + stripGreen[a] + stripBlue[a];
    j = PaintSpan(canvas, 0, j, ClampInt(a - sum / 3 + 96, 0, height),
                  MakeColour(stripRed[a], stripGreen[a], stripBlue[a]));
  }
  if (progress) progress(0, context);

  int32_t tilt = RandomBelow(3) - 1;
  stripSlope[0] = 0;
  for (int32_t f = 1; f < rows; ++f) {
    stripSlope[f] = stripSlope[f - 1];
    if (RandomBelow(30) == 0) stripSlope[f] = int8_t(RandomBelow(3) - 1);
  }

  const int32_t shorter = width < rows ? width : rows;
  for (int32_t l = 1; l < width; ++l) {
    if (RandomBelow(30) == 0) tilt = RandomBelow(3) - 1;
    j = 0;
    for (int32_t f = 0; f < rows; ++f) {
      if (TakeStopRequest()) {
        if (progress) progress(l, context);
        return;
      }
      int32_t g = 0;
      if (RandomBelow(2) == 0)
        g = NudgeAt(16 * ((16 * l + 16 * f) / (width + rows)) + 16 * std::abs(f - l) / shorter);
      int32_t t = (f % 2 == 1 && l % 2 == 1) ? 0 : tilt;
      for (auto* strip : strips) (*strip)[f] += stripSlope[f] * t + StripDrift() + g - 6;
      for (auto* strip : strips) (*strip)[f] = SmoothStrip(*strip, f, height);
      for (auto* strip : strips) (*strip)[f] = ClampInt((*strip)[f], 0, 255);
      int32_t red = stripRed[f], green = stripGreen[f], blue = stripBlue[f];
      int32_t sum = red + green + blue;
      LandscapeColour colour =
          sum >= 192 ? MakeColour(red, green, blue) : MakeColour(100 - sum / 8, 100 - sum / 8, 255);
      j = PaintSpan(canvas, l, j, ClampInt(f - sum / 3 + 96, 0, height), colour);
    }
    if (progress) progress(l, context);
  }
}

// ---- Banded fractal -----------------------------------------------------------------------

FractalRegion DrawFractalRegion() {
  FractalRegion region;
  region.y1 = 500 + RandomBelow(5000);
  region.x1 = 500 + RandomBelow(5000);
  region.y0 = 1 + RandomBelow(500);
  region.x0 = 1 + RandomBelow(500);
  return region;
}

LandscapeColour BandColour(double v, int32_t n) {
  const double f = 256.0 * std::fmod(3.0 * v, 1.0);
  const int32_t full = int32_t(f), inverse = int32_t(255.0 - f);
  switch (n % 9) {
    case 0:
      return MakeColour(full, 0, 0);
    case 1:
      return MakeColour(0, full, 0);
    case 2:
      return MakeColour(0, 0, full);
    case 3:
      return MakeColour(full, full, 0);
    case 4:
      return MakeColour(0, full, full);
    case 5:
      return MakeColour(full, 0, full);
    case 6:
      return MakeColour(full, full, full);
    case 7:
      return MakeColour(inverse, full, full);
    default:
      return MakeColour(inverse, full, 0);
  }
}

LandscapeColour BandedFormula(double a, double b) {
  constexpr LandscapeColour black = 0;
  int32_t n = 0;
  double s = 0;
  for (;;) {
    // A logarithm of 0 (a point of value exactly 1 leads there) has no band.
    if (!(a > 0) || !(b > 0)) return black;
    double la = Log(a), lb = Log(b);
    s = std::sqrt(la * la + lb * lb);
    if (!(s > 0) || !std::isfinite(s)) return black;
    double t = std::fabs(Log(s));
    a = std::fmod(std::fabs(la), 2.8);
    b = std::fmod(std::fabs(lb), 2.8);
    ++n;
    double q = std::sqrt(t - std::floor(t));
    if (!(0.2 < q && q < 0.8 && n < 12)) break;
  }
  return BandColour(std::sin(s), n);
}

void RenderBandedFractal(const LandscapeCanvas& canvas, const FractalRegion& region,
                         LandscapeProgress progress, void* context) {
  const int32_t width = canvas.width, height = canvas.height;
  // A single column or row shows the region's first edge.
  const double sx = width > 1 ? (region.x1 - region.x0) / (width - 1) : 0.0;
  const double sy = height > 1 ? (region.y1 - region.y0) / (height - 1) : 0.0;
  for (int32_t py = 0; py < 10; ++py) {
    for (int32_t px = 0; px < 10; ++px) {
      if (TakeStopRequest()) {
        return;
      }
      for (int32_t y = py; y < height; y += 10) {
        uint32_t* row = canvas.pixels + y * width;
        const double b = region.y0 + y * sy;
        for (int32_t x = px; x < width; x += 10) row[x] = BandedFormula(region.x0 + x * sx, b);
      }
      if (progress) progress(py * 10 + px, context);
    }
  }
}
