// The three background generators: the arithmetic of their pictures, portable.
//
// Each generator writes its colours into a canvas of 0x00RRGGBB pixels (top-down rows,
// the same layout as a 32-bit DIB section) and calls back after every finished column
// or pass, so that the Windows side can show the picture growing. A pixel the generator
// never sets keeps what the canvas held. All randomness comes from the game's generator
// (SeedRandom, RandomBelow), so a picture depends only on the seeds and the generator's
// state at the start.
#pragma once

#include <cstdint>
#include <vector>

// 0x00RRGGBB.
using LandscapeColour = uint32_t;

struct LandscapeCanvas {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t* pixels = nullptr;  // width * height, row by row from the top
};

// Called after each finished screen column (the landscapes) or pass (the fractal) with
// its number; also once more for a column cut short by stopRequest.
using LandscapeProgress = void (*)(int32_t step, void* context);

constexpr int32_t kGridSide = 513;
constexpr int32_t kGridBytes = kGridSide * kGridSide;
// Rows of the landscapes' samples beyond the window's height.
constexpr int32_t kLandscapeDepth = 330;

// v limited to lo..hi.
int32_t ClampInt(int32_t v, int32_t lo, int32_t hi);
// Each component's low 8 bits.
LandscapeColour MakeColour(int32_t red, int32_t green, int32_t blue);
inline int32_t RedOf(LandscapeColour c) { return int32_t(c >> 16 & 0xFF); }
inline int32_t GreenOf(LandscapeColour c) { return int32_t(c >> 8 & 0xFF); }
inline int32_t BlueOf(LandscapeColour c) { return int32_t(c & 0xFF); }
// Each component times num / den, or the colour unchanged on a display of fewer than
// 4 bits per pixel.
LandscapeColour ShadeColour(LandscapeColour colour, int32_t num, int32_t den, int32_t screenBits);

// ---- Height grids -----------------------------------------------------------------------

// Sets H(x, y) of a 513 x 513 grid (row by row) from the average of its neighbours' heights
// p and q and a random offset drawn from a generator seeded by the position and p, q.
void Displace(uint8_t* grid, uint32_t seed, int32_t x, int32_t y, int32_t range, int32_t p,
              int32_t q);
// Fills the whole grid, midpoint by midpoint, from four random corners.
void BuildHeightGrid(uint8_t* grid, uint32_t seed);
// The colour of landscape height e; avg is the mean of e and the second grid's height,
// which tints the water.
LandscapeColour HeightColour(int32_t e, int32_t avg);

// The shaded fractal landscape of two grids built by BuildHeightGrid. Stops early, clearing
// stopRequest, when it finds stopRequest set before a column.
void RenderLandscape(const LandscapeCanvas& canvas, const uint8_t* shapeGrid,
                     const uint8_t* tintGrid, int32_t screenBits, LandscapeProgress progress,
                     void* context);

// ---- Colour strips ----------------------------------------------------------------------

// The strips' state (red, green, blue, slope) and the nudge table live in
// generators.cpp, written only by RenderColourStrips. Rows from the window's height on
// keep their values from one generation to the next (they start at 0); the arrays grow,
// zero-filled, with the window.

// Read-only views for the tests: the red strip's rows, and entry (row, col) of the
// 16 x 16 nudge table.
const std::vector<int32_t>& RedStripRows();
int32_t NudgeTableEntry(int32_t row, int32_t col);
// Puts the strips and the nudge table back as the program starts: no rows, all 0.
void ForgetColourStrips();

// The nudge table's entry at flat index i (row i / 16, column i % 16); 0 past the table.
int32_t NudgeAt(int32_t index);
// One step of the strips' smoothing of row f of x; rows above f hold this column's
// values, rows below the previous column's.
int32_t SmoothStrip(const std::vector<int32_t>& x, int32_t f, int32_t height);
// The 3D view of drifting colour strips. Draws its first colours from the generator as it
// stands, then reseeds it with tick. Stops early, clearing stopRequest, when it finds
// stopRequest set before a strip row.
void RenderColourStrips(const LandscapeCanvas& canvas, uint32_t tick, LandscapeProgress progress,
                        void* context);

// ---- Banded fractal ---------------------------------------------------------------------

struct FractalRegion {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A random region: y1, x1, y0, x0 drawn in this order; 1 <= x0, y0 <= 500 <= x1, y1.
FractalRegion DrawFractalRegion();
// The colour band of value v at iteration count n.
LandscapeColour BandColour(double v, int32_t n);
// The iterated logarithm map at (a, b); black where a logarithm would be taken of 0 or a
// value stops being finite.
LandscapeColour BandedFormula(double a, double b);
// The region drawn over the canvas in 10 x 10 interlaced passes. Stops early, clearing
// stopRequest, when it finds stopRequest set before a pass.
void RenderBandedFractal(const LandscapeCanvas& canvas, const FractalRegion& region,
                         LandscapeProgress progress, void* context);
