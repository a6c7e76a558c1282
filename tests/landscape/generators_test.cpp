#include "landscape/generators.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/board.h"
#include "landscape/landscape.h"

namespace {

constexpr uint32_t kUnset = 0xFF000000u;  // a value no generator writes

struct TestCanvas {
  std::vector<uint32_t> pixels;
  LandscapeCanvas canvas;
  TestCanvas(int32_t width, int32_t height) : pixels(size_t(width) * height, kUnset) {
    canvas.width = width;
    canvas.height = height;
    canvas.pixels = pixels.data();
  }
  uint32_t At(int32_t x, int32_t y) const { return pixels[size_t(y) * canvas.width + x]; }
  int32_t CountUnset() const {
    int32_t n = 0;
    for (uint32_t p : pixels) n += p == kUnset;
    return n;
  }
};

// FNV-1a over the pixels, for pinning whole pictures.
uint64_t Checksum(const std::vector<uint32_t>& pixels) {
  uint64_t h = 1469598103934665603ull;
  for (uint32_t p : pixels)
    for (int shift = 0; shift < 32; shift += 8) h = (h ^ (p >> shift & 0xFF)) * 1099511628211ull;
  return h;
}
uint64_t Checksum(const std::vector<uint8_t>& bytes) {
  uint64_t h = 1469598103934665603ull;
  for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

std::vector<uint8_t> Grid(uint32_t seed) {
  std::vector<uint8_t> grid(kGridBytes, 0);
  BuildHeightGrid(grid.data(), seed);
  return grid;
}
int32_t H(const std::vector<uint8_t>& grid, int32_t x, int32_t y) {
  return grid[size_t(y) * kGridSide + x];
}

// Progress callback that asks the generator to stop once `stopAfter` steps are done.
struct StopAfter {
  int32_t stopAfter;
  std::vector<int32_t> steps;
};
void RecordAndStop(int32_t step, void* context) {
  auto* s = static_cast<StopAfter*>(context);
  s->steps.push_back(step);
  if (int32_t(s->steps.size()) == s->stopAfter) RequestStop();
}

// The strips carry rows over from one generation to the next; each test starts afresh.
void ForgetStrips() { ForgetColourStrips(); }

TEST(LandscapeArithmetic, ClampIntAndColourBytes) {
  EXPECT_EQ(ClampInt(-5, 0, 255), 0);
  EXPECT_EQ(ClampInt(300, 0, 255), 255);
  EXPECT_EQ(ClampInt(17, 0, 255), 17);
  EXPECT_EQ(ClampInt(0, 0, 0), 0);
  // Out-of-range components keep their low 8 bits.
  EXPECT_EQ(MakeColour(-2, 256, 511), 0xFE00FFu);
  // Shading truncates each component; a display below 4 bits is left alone.
  EXPECT_EQ(ShadeColour(MakeColour(200, 101, 19), 9, 10, 24), MakeColour(180, 90, 17));
  EXPECT_EQ(ShadeColour(MakeColour(200, 101, 19), 9, 10, 1), MakeColour(200, 101, 19));
  EXPECT_EQ(ShadeColour(MakeColour(255, 255, 255), 12, 13, 4), MakeColour(235, 235, 235));
}

TEST(LandscapeArithmetic, HeightColoursAtTheirBounds) {
  // Water: blue 255, red = green from 100 (lowest, calm) to 54 (deepest tint).
  EXPECT_EQ(HeightColour(0, 0), MakeColour(100, 100, 255));
  EXPECT_EQ(HeightColour(59, 157), MakeColour(54, 54, 255));
  EXPECT_EQ(HeightColour(59, 29), MakeColour(86, 86, 255));
  // Shore.
  EXPECT_EQ(HeightColour(60, 30), MakeColour(255, 255, 0));
  EXPECT_EQ(HeightColour(62, 200), MakeColour(255, 255, 0));
  // The green band wraps below zero.
  EXPECT_EQ(HeightColour(63, 0), MakeColour(0, 254, 0));
  EXPECT_EQ(HeightColour(64, 0), MakeColour(0, 239, 0));
  EXPECT_EQ(HeightColour(67, 0), MakeColour(0, 242, 0));
  EXPECT_EQ(HeightColour(68, 0), MakeColour(34, 100, 22));
  EXPECT_EQ(HeightColour(89, 0), MakeColour(48, 121, 36));
  EXPECT_EQ(HeightColour(90, 0), MakeColour(135, 135, 0));
  EXPECT_EQ(HeightColour(104, 0), MakeColour(156, 156, 0));
  EXPECT_EQ(HeightColour(105, 0), MakeColour(52, 105, 0));
  EXPECT_EQ(HeightColour(126, 0), MakeColour(63, 126, 0));
  EXPECT_EQ(HeightColour(127, 0), MakeColour(31, 84, 0));
  EXPECT_EQ(HeightColour(190, 0), MakeColour(47, 126, 0));
  // Snow, near white, wrapped from below zero.
  EXPECT_EQ(HeightColour(191, 0), MakeColour(237, 237, 237));
  EXPECT_EQ(HeightColour(255, 255), MakeColour(253, 253, 253));
}

TEST(HeightGrid, CornersComeFromTheSeedInOrder) {
  for (uint32_t seed : {0u, 1u, 123456u, 0xFFFFFFFFu}) {
    auto grid = Grid(seed);
    SeedRandom(seed);
    EXPECT_EQ(H(grid, 0, 0), 134 + RandomBelow(4));
    EXPECT_EQ(H(grid, 512, 0), 134 + RandomBelow(4));
    EXPECT_EQ(H(grid, 0, 512), 44 + RandomBelow(64));
    EXPECT_EQ(H(grid, 512, 512), 44 + RandomBelow(64));
  }
}

TEST(HeightGrid, LastPassIsPlainAverages) {
  auto grid = Grid(987654);
  int32_t checked = 0;
  for (int32_t y = 0; y < kGridSide; ++y) {
    for (int32_t x = 0; x < kGridSide; ++x) {
      if (x % 2 == 1)  // edge midpoints of a row, and the centres
        ASSERT_EQ(H(grid, x, y), y % 2 == 0 ? (H(grid, x - 1, y) + H(grid, x + 1, y)) / 2
                                            : (H(grid, x, y - 1) + H(grid, x, y + 1)) / 2)
            << x << "," << y;
      else if (y % 2 == 1)  // edge midpoints of a column
        ASSERT_EQ(H(grid, x, y), (H(grid, x, y - 1) + H(grid, x, y + 1)) / 2) << x << "," << y;
      else
        continue;
      ++checked;
    }
  }
  EXPECT_EQ(checked, kGridBytes - 257 * 257);
}

TEST(HeightGrid, SameTickSameGridAndOtherTicksDiffer) {
  auto a = Grid(5000), b = Grid(5000), c = Grid(5001);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  // Displace depends only on its arguments: reseeded from position and neighbours.
  std::vector<uint8_t> one(kGridBytes, 0), two(kGridBytes, 0);
  SeedRandom(1);
  Displace(one.data(), 77, 10, 20, 512, 100, 150);
  SeedRandom(999);
  Displace(two.data(), 77, 10, 20, 512, 100, 150);
  EXPECT_EQ(one[20 * kGridSide + 10], two[20 * kGridSide + 10]);
}

TEST(HeightGrid, DisplaceFoldsLargeRangesAndTruncatesTowardZero) {
  // Range 2 and 3 draw RandomBelow(1) = 0: the plain average, rounded down.
  std::vector<uint8_t> grid(kGridBytes, 0);
  Displace(grid.data(), 1, 5, 5, 3, 10, 13);
  EXPECT_EQ(grid[5 * kGridSide + 5], 11);
  // The result is clamped.
  for (uint32_t seed = 0; seed < 200; ++seed) {
    Displace(grid.data(), seed, 1, 1, 768, 255, 255);
    Displace(grid.data(), seed, 2, 2, 768, 0, 0);
    EXPECT_GE(grid[1 * kGridSide + 1], 85);  // 255 + m with |m| <= 2 * 255 / 3
    EXPECT_LE(grid[2 * kGridSide + 2], 170);
  }
  // For one seed, work the offset out by hand: m = r1 - r2 - r3 + r4 over range / 2.
  SeedRandom(1 + 2 + 40 + 60 + 80);
  int32_t r1 = RandomBelow(384), r2 = RandomBelow(384), r3 = RandomBelow(384),
          r4 = RandomBelow(384);
  int32_t m = r1 - r2 - r3 + r4;
  m = m < 0 ? -((-m) % 256) : m % 256;
  m = 2 * m / 3;
  Displace(grid.data(), 40, 1, 2, 768, 60, 80);
  EXPECT_EQ(grid[2 * kGridSide + 1], ClampInt(70 + m, 0, 255));
}

TEST(Landscape, PaintsEveryRowOfEveryColumnAndStopsBetweenColumns) {
  auto shape = Grid(31), tint = Grid(47);
  TestCanvas full(64, 40);
  StopAfter none{-1, {}};
  ClearStopRequest();
  SeedRandom(1);  // the shading draws from the generator as it stands
  RenderLandscape(full.canvas, shape.data(), tint.data(), 24, RecordAndStop, &none);
  EXPECT_EQ(full.CountUnset(), 0);
  ASSERT_EQ(none.steps.size(), 64u);
  EXPECT_EQ(none.steps.back(), 63);

  TestCanvas cut(64, 40);
  StopAfter five{5, {}};
  SeedRandom(1);
  RenderLandscape(cut.canvas, shape.data(), tint.data(), 24, RecordAndStop, &five);
  EXPECT_EQ(stopRequest, 0) << "the generator clears the request it obeys";
  EXPECT_EQ(five.steps.size(), 5u);
  for (int32_t y = 0; y < 40; ++y) {
    EXPECT_EQ(cut.At(4, y), full.At(4, y));
    EXPECT_EQ(cut.At(5, y), kUnset);
  }
}

TEST(Landscape, ColoursFollowTheGridAndSameSeedsSamePicture) {
  // With both grids from one tick, the water tint is the first grid's height itself.
  auto grid = Grid(2024);
  TestCanvas a(50, 30), b(50, 30);
  SeedRandom(8);
  RenderLandscape(a.canvas, grid.data(), grid.data(), 24, nullptr, nullptr);
  SeedRandom(8);
  RenderLandscape(b.canvas, grid.data(), grid.data(), 24, nullptr, nullptr);
  EXPECT_EQ(a.pixels, b.pixels);
  for (uint32_t p : a.pixels) {
    if (BlueOf(p) == 255 && RedOf(p) == GreenOf(p)) {
      EXPECT_GE(RedOf(p), 54);
      EXPECT_LE(RedOf(p), 100);
    }
  }
}

TEST(ColourStrips, SmoothingEdgeRulesAsWritten) {
  std::vector<int32_t> x = {-7, 1, 30, 40, 50, 60, 70, 80};
  // Top rows: (next + 3 * this) / 3, truncating toward zero.
  EXPECT_EQ(SmoothStrip(x, 0, 8), (1 - 21) / 3);
  EXPECT_EQ(SmoothStrip(x, 0, 8), -6);
  EXPECT_EQ(SmoothStrip(x, 1, 8), (30 + 3) / 3);
  // Middle rows: a five-row kernel over 12.
  EXPECT_EQ(SmoothStrip(x, 2, 8), (2 * (40 + 1 + 90) + 50 - 7) / 12);
  EXPECT_EQ(SmoothStrip(x, 5, 8), (2 * (70 + 50 + 180) + 80 + 40) / 12);
  // From height - 2 on: (previous + 2 * this) / 4.
  EXPECT_EQ(SmoothStrip(x, 6, 8), (60 + 140) / 4);
  EXPECT_EQ(SmoothStrip(x, 7, 8), (70 + 160) / 4);
}

TEST(ColourStrips, NudgeTableBordersAndBeyond) {
  ForgetStrips();
  TestCanvas c(40, 20);
  SeedRandom(3);
  RenderColourStrips(c.canvas, 12345, nullptr, nullptr);
  for (int32_t i = 0; i < 16; ++i) {
    EXPECT_EQ(NudgeTableEntry(0, i), 0);
    EXPECT_EQ(NudgeTableEntry(i, 0), 0);
  }
  int32_t nonZero = 0;
  for (int32_t i = 0; i < 256; ++i) {
    EXPECT_EQ(NudgeAt(i), NudgeTableEntry(i / 16, i % 16));
    EXPECT_GE(NudgeAt(i), -1);
    EXPECT_LE(NudgeAt(i), 1);
    nonZero += NudgeAt(i) != 0;
  }
  EXPECT_GT(nonZero, 50);
  EXPECT_EQ(NudgeAt(256), 0);
  EXPECT_EQ(NudgeAt(5000), 0);
}

TEST(ColourStrips, FreshRowsBelowTheHeightCarriedRowsBeyondIt) {
  ForgetStrips();
  const int32_t w = 60, h = 50;
  TestCanvas first(w, h), fresh(w, h);
  SeedRandom(11);
  RenderColourStrips(first.canvas, 777, nullptr, nullptr);
  ASSERT_EQ(RedStripRows().size(), size_t(h + kLandscapeDepth + 2));
  int32_t nonZero = 0;
  for (size_t f = h; f < RedStripRows().size(); ++f) nonZero += RedStripRows()[f] != 0;
  EXPECT_GT(nonZero, 100) << "the rows beyond the height were worked on";
  EXPECT_EQ(RedStripRows()[h + kLandscapeDepth], 0) << "the guard rows are only read";

  ForgetStrips();
  SeedRandom(11);
  RenderColourStrips(fresh.canvas, 777, nullptr, nullptr);
  EXPECT_EQ(fresh.pixels, first.pixels) << "a first generation depends on the seeds alone";

  // Column 0 leaves unset the rows below its last span; every other column is whole.
  for (int32_t x = 1; x < w; ++x)
    for (int32_t y = 0; y < h; ++y) ASSERT_NE(first.At(x, y), kUnset) << x << "," << y;

  // A second generation starts from the rows the first one left beyond the height (their
  // weight halves with every column, so a narrow picture shows it); the rows below the
  // height start afresh from the seeds, as column 0 shows.
  ForgetStrips();
  TestCanvas narrowFirst(3, h), narrowAgain(3, h);
  SeedRandom(11);
  RenderColourStrips(narrowFirst.canvas, 777, nullptr, nullptr);
  std::vector<int32_t> firstTail(RedStripRows().begin() + h, RedStripRows().end());
  SeedRandom(11);
  RenderColourStrips(narrowAgain.canvas, 777, nullptr, nullptr);
  std::vector<int32_t> againTail(RedStripRows().begin() + h, RedStripRows().end());
  EXPECT_NE(againTail, firstTail);
  for (int32_t y = 0; y < h; ++y) EXPECT_EQ(narrowAgain.At(0, y), narrowFirst.At(0, y));
  // The window growing keeps the rows there are and adds rows of 0.
  TestCanvas taller(3, h + 10);
  SeedRandom(11);
  RenderColourStrips(taller.canvas, 777, nullptr, nullptr);
  EXPECT_EQ(RedStripRows().size(), size_t(h + 10 + kLandscapeDepth + 2));
}

TEST(ColourStrips, StopsBeforeAStripRow) {
  ForgetStrips();
  TestCanvas c(30, 20);
  StopAfter three{3, {}};  // column 0, 1, 2 done, then the request
  SeedRandom(5);
  ClearStopRequest();
  RenderColourStrips(c.canvas, 9, RecordAndStop, &three);
  EXPECT_EQ(stopRequest, 0);
  EXPECT_EQ(three.steps, (std::vector<int32_t>{0, 1, 2, 3}));
  for (int32_t y = 0; y < 20; ++y) EXPECT_EQ(c.At(3, y), kUnset);
  for (int32_t y = 0; y < 20; ++y) EXPECT_NE(c.At(2, y), kUnset);
}

TEST(BandedFractal, RegionBounds) {
  for (uint32_t seed = 0; seed < 3000; ++seed) {
    SeedRandom(seed * 7919u);
    FractalRegion r = DrawFractalRegion();
    ASSERT_GE(r.x0, 1);
    ASSERT_LE(r.x0, 500);
    ASSERT_GE(r.y0, 1);
    ASSERT_LE(r.y0, 500);
    ASSERT_GE(r.x1, 500);
    ASSERT_LE(r.x1, 5499);
    ASSERT_GE(r.y1, 500);
    ASSERT_LE(r.y1, 5499);
  }
  // Drawn y1, x1, y0, x0, in this order.
  SeedRandom(42);
  int32_t y1 = 500 + RandomBelow(5000), x1 = 500 + RandomBelow(5000);
  int32_t y0 = 1 + RandomBelow(500), x0 = 1 + RandomBelow(500);
  SeedRandom(42);
  FractalRegion r = DrawFractalRegion();
  EXPECT_EQ(r.y1, y1);
  EXPECT_EQ(r.x1, x1);
  EXPECT_EQ(r.y0, y0);
  EXPECT_EQ(r.x0, x0);
}

TEST(BandedFractal, BandColourWrapsAndTruncates) {
  const double v = -0.390625 / 3;  // F = -100 exactly
  EXPECT_EQ(BandColour(v, 9), MakeColour(156, 0, 0));
  EXPECT_EQ(BandColour(v, 1), MakeColour(0, 156, 0));
  EXPECT_EQ(BandColour(v, 7), MakeColour(99, 156, 156));   // 255 - (-100) = 355
  EXPECT_EQ(BandColour(0.25, 8), MakeColour(63, 192, 0));  // F = 192
  EXPECT_EQ(BandColour(0.1, 6), MakeColour(76, 76, 76));   // F = 76.8
  EXPECT_EQ(BandColour(0.1, 7), MakeColour(178, 76, 76));  // 255 - 76.8 = 178.2
  EXPECT_EQ(BandColour(0.0, 3), MakeColour(0, 0, 0));
}

TEST(BandedFractal, FormulaBlackWhereALogarithmMeetsZero) {
  EXPECT_EQ(BandedFormula(1.0, 1.0), 0u);  // s = 0
  // ln 1 = 0 makes the next iteration take the logarithm of 0, if there is one.
  EXPECT_EQ(BandedFormula(1.0, 3.0), 0u);
  EXPECT_EQ(BandedFormula(0.0, 7.0), 0u);
  // Ordinary points are coloured and deterministic.
  int32_t coloured = 0;
  for (int32_t i = 2; i < 200; ++i) coloured += BandedFormula(i * 3.7, i * 1.9) != 0;
  EXPECT_GT(coloured, 150);
}

TEST(BandedFractal, PassesFillTheCanvasAndStop) {
  TestCanvas c(53, 37);
  FractalRegion region{17, 431, 3210, 888};
  StopAfter none{-1, {}};
  ClearStopRequest();
  RenderBandedFractal(c.canvas, region, RecordAndStop, &none);
  EXPECT_EQ(c.CountUnset(), 0);
  ASSERT_EQ(none.steps.size(), 100u);
  for (int32_t i = 0; i < 100; ++i) EXPECT_EQ(none.steps[i], i);

  // After the first pass only every tenth pixel both ways is set.
  TestCanvas first(53, 37);
  StopAfter one{1, {}};
  RenderBandedFractal(first.canvas, region, RecordAndStop, &one);
  EXPECT_EQ(stopRequest, 0);
  for (int32_t y = 0; y < 37; ++y)
    for (int32_t x = 0; x < 53; ++x)
      ASSERT_EQ(first.At(x, y), x % 10 == 0 && y % 10 == 0 ? c.At(x, y) : kUnset);

  // A region one column wide: every column alike.
  TestCanvas narrow(20, 10);
  RenderBandedFractal(narrow.canvas, FractalRegion{500, 3, 500, 900}, nullptr, nullptr);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 1; x < 20; ++x) EXPECT_EQ(narrow.At(x, y), narrow.At(0, y));
}

// Whole pictures, pinned after they matched tests/landscape/reference.py (an independent
// reading of the arithmetic) pixel for pixel; that script runs as its own test.
TEST(PinnedPictures, Checksums) {
  EXPECT_EQ(Checksum(Grid(7)), 17948630594506691608ull);

  auto shape = Grid(123456), tint = Grid(123470);
  TestCanvas land(96, 64);
  RenderLandscape(land.canvas, shape.data(), tint.data(), 24, nullptr, nullptr);
  EXPECT_EQ(Checksum(land.pixels), 2446276418219145435ull);

  ForgetStrips();
  TestCanvas strips(96, 64);
  SeedRandom(1);
  RenderColourStrips(strips.canvas, 5000, nullptr, nullptr);
  EXPECT_EQ(Checksum(strips.pixels), 14336066039109092676ull);

  TestCanvas fractal(90, 70);
  RenderBandedFractal(fractal.canvas, FractalRegion{17, 431, 3210, 888}, nullptr, nullptr);
  EXPECT_EQ(Checksum(fractal.pixels), 16725730706495834206ull);
}

}  // namespace
