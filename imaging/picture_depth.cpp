// picture_depth.cpp - colour resolution changes and the colour quantiser.
//
// Going up (to 16, 24 or 32 bits) keeps every colour, except that 16 bits keeps 5 bits
// of each channel. Going down to a palette of at most 1 << bits colours:
//   - a picture that already has no more colours than that gets exactly its colours;
//   - kDepthFixedPalette maps to the fixed palette (a 6 x 6 x 6 colour cube and a grey
//     ramp at 8 bits, the 16 standard colours at 4, black and white at 1), which is the
//     same for every picture, so it serves as the shared palette of palette displays;
//   - otherwise a palette made for the picture: median cut over a histogram of 5 bits
//     per channel, refined by two rounds of k-means, then every pixel mapped to its
//     nearest palette colour, with Floyd-Steinberg error diffusion for kDepthDithered
//     (pure black is never dithered, so that black-keyed transparency survives).
#include "picture.h"
#include "picture_codecs.h"
#include "picture_bytes.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int kBins = 1 << 15;

inline int BinOf(int r, int g, int b) { return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3); }

struct Palette {
  int count = 0;
  std::array<PictureColour, 256> colours{};
};

Palette FixedPalette(int bits) {
  Palette p;
  if (bits >= 8) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          p.colours[size_t(p.count++)] =
              PictureColour{uint8_t(b * 51), uint8_t(g * 51), uint8_t(r * 51), 0};
    // Greys between the cube's steps.
    for (int i = 1; i <= 20; ++i) {
      int level = i * 255 / 21;
      if (level % 51 == 0) continue;
      uint8_t v = uint8_t(level);
      p.colours[size_t(p.count++)] = PictureColour{v, v, v, 0};
    }
  } else if (bits >= 4) {
    static const uint8_t vga[16][3] = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    for (auto& c : vga) p.colours[size_t(p.count++)] = PictureColour{c[2], c[1], c[0], 0};
  } else {
    p.colours[0] = PictureColour{0, 0, 0, 0};
    p.colours[1] = PictureColour{255, 255, 255, 0};
    p.count = 2;
  }
  return p;
}

int Distance(const PictureColour& c, int r, int g, int b) {
  int dr = c.red - r, dg = c.green - g, db = c.blue - b;
  // Weighted a little towards green, as the eye is.
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int Nearest(const Palette& p, int r, int g, int b) {
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < p.count; ++i) {
    int d = Distance(p.colours[size_t(i)], r, g, b);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

// Nearest palette entry per histogram bin, filled on first use.
struct NearestTable {
  const Palette& palette;
  std::unique_ptr<int16_t[]> entries{new int16_t[kBins]};
  explicit NearestTable(const Palette& p) : palette(p) {
    std::fill(entries.get(), entries.get() + kBins, int16_t(-1));
  }
  int Find(int r, int g, int b) {
    int bin = BinOf(r, g, b);
    int16_t& e = entries[size_t(bin)];
    if (e < 0) e = int16_t(Nearest(palette, (r & ~7) | 4, (g & ~7) | 4, (b & ~7) | 4));
    return e;
  }
};

struct Histogram {
  std::unique_ptr<uint32_t[]> count{new uint32_t[kBins]()};
  std::unique_ptr<uint64_t[]> sum{new uint64_t[kBins * 3]()};
};

struct Box {
  int lo[3], hi[3];  // inclusive bin coordinates, 0..31, per channel r, g, b
  uint64_t pixels;
};

void ShrinkBox(const Histogram& h, Box& box) {
  int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
  uint64_t pixels = 0;
  for (int r = box.lo[0]; r <= box.hi[0]; ++r)
    for (int g = box.lo[1]; g <= box.hi[1]; ++g)
      for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
        uint32_t n = h.count[size_t(r << 10 | g << 5 | b)];
        if (n == 0) continue;
        pixels += n;
        lo[0] = std::min(lo[0], r);
        hi[0] = std::max(hi[0], r);
        lo[1] = std::min(lo[1], g);
        hi[1] = std::max(hi[1], g);
        lo[2] = std::min(lo[2], b);
        hi[2] = std::max(hi[2], b);
      }
  box.pixels = pixels;
  if (pixels == 0) return;
  std::memcpy(box.lo, lo, sizeof lo);
  std::memcpy(box.hi, hi, sizeof hi);
}

Palette MedianCut(const Histogram& h, int colours) {
  std::vector<Box> boxes;
  Box all{{0, 0, 0}, {31, 31, 31}, 0};
  ShrinkBox(h, all);
  boxes.push_back(all);
  while (int(boxes.size()) < colours) {
    // Split the box with the most pixels times its longest side.
    int pick = -1;
    uint64_t bestScore = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      const Box& b = boxes[i];
      int side = std::max({b.hi[0] - b.lo[0], b.hi[1] - b.lo[1], b.hi[2] - b.lo[2]});
      if (side == 0) continue;
      uint64_t score = b.pixels * uint64_t(side);
      if (score > bestScore) {
        bestScore = score;
        pick = int(i);
      }
    }
    if (pick < 0) break;
    Box box = boxes[size_t(pick)];
    int axis = 0;
    int sides[3] = {box.hi[0] - box.lo[0], (box.hi[1] - box.lo[1]), box.hi[2] - box.lo[2]};
    // Green counts a little more, red a little more than blue.
    int weighted[3] = {sides[0] * 3, sides[1] * 4, sides[2] * 2};
    if (weighted[1] >= weighted[axis]) axis = 1;
    if (weighted[2] > weighted[axis]) axis = 2;
    // Pixels per plane along the axis, then the median plane.
    uint64_t planes[32] = {};
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
      for (int g = box.lo[1]; g <= box.hi[1]; ++g)
        for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
          int coordinate = axis == 0 ? r : axis == 1 ? g : b;
          planes[coordinate] += h.count[size_t(r << 10 | g << 5 | b)];
        }
    uint64_t half = box.pixels / 2, running = 0;
    int cut = box.lo[axis];
    for (int c = box.lo[axis]; c < box.hi[axis]; ++c) {
      running += planes[c];
      cut = c;
      if (running >= half) break;
    }
    Box first = box, second = box;
    first.hi[axis] = cut;
    second.lo[axis] = cut + 1;
    ShrinkBox(h, first);
    ShrinkBox(h, second);
    boxes[size_t(pick)] = first;
    if (second.pixels > 0) boxes.push_back(second);
    if (first.pixels == 0) boxes.erase(boxes.begin() + pick);
  }
  Palette p;
  for (const Box& b : boxes) {
    uint64_t sr = 0, sg = 0, sb = 0, n = 0;
    for (int r = b.lo[0]; r <= b.hi[0]; ++r)
      for (int g = b.lo[1]; g <= b.hi[1]; ++g)
        for (int bl = b.lo[2]; bl <= b.hi[2]; ++bl) {
          size_t bin = size_t(r << 10 | g << 5 | bl);
          n += h.count[bin];
          sr += h.sum[bin * 3];
          sg += h.sum[bin * 3 + 1];
          sb += h.sum[bin * 3 + 2];
        }
    if (n == 0) continue;
    p.colours[size_t(p.count++)] =
        PictureColour{uint8_t(sb / n), uint8_t(sg / n), uint8_t(sr / n), 0};
  }
  return p;
}

// Moves each palette colour to the mean of the histogram bins nearest to it.
void Refine(const Histogram& h, Palette& p, int rounds) {
  std::vector<int> used;
  for (int bin = 0; bin < kBins; ++bin)
    if (h.count[size_t(bin)]) used.push_back(bin);
  for (int round = 0; round < rounds; ++round) {
    std::vector<uint64_t> sums(size_t(p.count) * 4, 0);
    for (int bin : used) {
      uint32_t n = h.count[size_t(bin)];
      int r = int(h.sum[size_t(bin) * 3] / n), g = int(h.sum[size_t(bin) * 3 + 1] / n),
          b = int(h.sum[size_t(bin) * 3 + 2] / n);
      size_t k = size_t(Nearest(p, r, g, b)) * 4;
      sums[k] += h.sum[size_t(bin) * 3];
      sums[k + 1] += h.sum[size_t(bin) * 3 + 1];
      sums[k + 2] += h.sum[size_t(bin) * 3 + 2];
      sums[k + 3] += n;
    }
    for (int i = 0; i < p.count; ++i) {
      uint64_t n = sums[size_t(i) * 4 + 3];
      if (n == 0) continue;
      p.colours[size_t(i)] =
          PictureColour{uint8_t(sums[size_t(i) * 4 + 2] / n), uint8_t(sums[size_t(i) * 4 + 1] / n),
                        uint8_t(sums[size_t(i) * 4] / n), 0};
    }
  }
}

// The picture's distinct colours when there are at most `limit` of them.
bool ExactColours(const Picture& picture, int limit, Palette& p) {
  // Open addressing over 1024 slots; at most 256 keys are ever stored.
  constexpr uint32_t kEmpty = 0xFFFFFFFF;
  std::vector<uint32_t> slots(1024, kEmpty);
  std::vector<uint32_t> seen;
  uint32_t last = kEmpty;
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* row = PictureRow(picture, y);
    for (int32_t x = 0; x < picture.width; ++x) {
      uint32_t key =
          uint32_t(row[3 * x]) | uint32_t(row[3 * x + 1]) << 8 | uint32_t(row[3 * x + 2]) << 16;
      if (key == last) continue;
      last = key;
      uint32_t slot = (key * 2654435761u) >> 22;
      while (slots[slot] != kEmpty && slots[slot] != key) slot = (slot + 1) & 1023;
      if (slots[slot] == key) continue;
      if (int(seen.size()) == limit) return false;
      slots[slot] = key;
      seen.push_back(key);
    }
  }
  std::sort(seen.begin(), seen.end());
  p.count = int(seen.size());
  for (size_t i = 0; i < seen.size(); ++i)
    p.colours[i] =
        PictureColour{uint8_t(seen[i]), uint8_t(seen[i] >> 8), uint8_t(seen[i] >> 16), 0};
  return true;
}

// 24-bit storage of any picture.
bool ToDirect(Picture& picture) {
  if (picture.bitsPerPixel > 8) return true;
  Picture out;
  if (!AllocatePicturePixels(out, picture.width, picture.height, 24)) return false;
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* s = PictureRow(picture, y);
    uint8_t* d = PictureRow(out, y);
    for (int32_t x = 0; x < picture.width; ++x) {
      const PictureColour& c = picture.colours[s[x]];
      d[3 * x] = c.blue;
      d[3 * x + 1] = c.green;
      d[3 * x + 2] = c.red;
    }
  }
  picture.pixels.swap(out.pixels);
  picture.stride = out.stride;
  picture.bitsPerPixel = 24;
  picture.colourCount = 0;
  return true;
}

bool MapToPalette(Picture& picture, const Palette& palette, bool dither, bool exact, int32_t bits) {
  Picture out;
  if (!AllocatePicturePixels(out, picture.width, picture.height, bits)) return false;
  NearestTable table(palette);
  int32_t w = picture.width;
  if (exact) {
    for (int32_t y = 0; y < picture.height; ++y) {
      const uint8_t* s = PictureRow(picture, y);
      uint8_t* d = PictureRow(out, y);
      for (int32_t x = 0; x < w; ++x) {
        uint32_t key =
            uint32_t(s[3 * x]) | uint32_t(s[3 * x + 1]) << 8 | uint32_t(s[3 * x + 2]) << 16;
        int lo = 0, hi = palette.count - 1;
        while (lo < hi) {
          int mid = (lo + hi) / 2;
          const PictureColour& c = palette.colours[size_t(mid)];
          uint32_t k = uint32_t(c.blue) | uint32_t(c.green) << 8 | uint32_t(c.red) << 16;
          if (k < key)
            lo = mid + 1;
          else
            hi = mid;
        }
        d[x] = uint8_t(lo);
      }
    }
  } else if (!dither) {
    for (int32_t y = 0; y < picture.height; ++y) {
      const uint8_t* s = PictureRow(picture, y);
      uint8_t* d = PictureRow(out, y);
      for (int32_t x = 0; x < w; ++x)
        d[x] = uint8_t(table.Find(s[3 * x + 2], s[3 * x + 1], s[3 * x]));
    }
  } else {
    // Floyd-Steinberg, serpentine, errors in sixteenths.
    std::vector<int32_t> errors(size_t(w + 2) * 3 * 2, 0);
    int32_t* current = errors.data();
    int32_t* next = errors.data() + size_t(w + 2) * 3;
    for (int32_t y = 0; y < picture.height; ++y) {
      const uint8_t* s = PictureRow(picture, y);
      uint8_t* d = PictureRow(out, y);
      std::fill(next, next + size_t(w + 2) * 3, 0);
      bool forward = (y & 1) == 0;
      int step = forward ? 1 : -1;
      for (int32_t i = 0; i < w; ++i) {
        int32_t x = forward ? i : w - 1 - i;
        int32_t* e = current + size_t(x + 1) * 3;
        // Pure black stays pure black and passes no error on: it is the transparent
        // colour of masked pictures.
        if (s[3 * x] == 0 && s[3 * x + 1] == 0 && s[3 * x + 2] == 0) {
          d[x] = uint8_t(table.Find(0, 0, 0));
          continue;
        }
        int rgb[3];
        for (int c = 0; c < 3; ++c) {
          int v = s[3 * x + 2 - c] + (e[c] + 8) / 16;
          rgb[c] = v < 0 ? 0 : v > 255 ? 255 : v;
        }
        int index = table.Find(rgb[0], rgb[1], rgb[2]);
        d[x] = uint8_t(index);
        const PictureColour& chosen = palette.colours[size_t(index)];
        int err[3] = {rgb[0] - chosen.red, rgb[1] - chosen.green, rgb[2] - chosen.blue};
        for (int c = 0; c < 3; ++c) {
          current[size_t(x + 1 + step) * 3 + size_t(c)] += err[c] * 7;
          next[size_t(x + 1 - step) * 3 + size_t(c)] += err[c] * 3;
          next[size_t(x + 1) * 3 + size_t(c)] += err[c] * 5;
          next[size_t(x + 1 + step) * 3 + size_t(c)] += err[c];
        }
      }
      std::swap(current, next);
    }
  }
  picture.pixels.swap(out.pixels);
  picture.stride = out.stride;
  picture.bitsPerPixel = bits;
  picture.colourCount = palette.count;
  picture.colours = palette.colours;
  for (int i = palette.count; i < 256; ++i) picture.colours[size_t(i)] = PictureColour{};
  return true;
}

int32_t ToPalette(Picture& picture, int32_t bits, int32_t option) {
  int limit = 1 << bits;
  Palette palette;
  if (option == kDepthFixedPalette) {
    palette = FixedPalette(bits);
    return MapToPalette(picture, palette, false, false, bits) ? kPictureSuccess : kPictureNoMemory;
  }
  if (ExactColours(picture, limit, palette))
    return MapToPalette(picture, palette, false, true, bits) ? kPictureSuccess : kPictureNoMemory;
  Histogram h;
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint8_t* s = PictureRow(picture, y);
    for (int32_t x = 0; x < picture.width; ++x) {
      int b = s[3 * x], g = s[3 * x + 1], r = s[3 * x + 2];
      size_t bin = size_t(BinOf(r, g, b));
      ++h.count[bin];
      h.sum[bin * 3] += uint64_t(r);
      h.sum[bin * 3 + 1] += uint64_t(g);
      h.sum[bin * 3 + 2] += uint64_t(b);
    }
  }
  palette = MedianCut(h, limit);
  Refine(h, palette, 2);
  bool dither = option == kDepthDithered;
  return MapToPalette(picture, palette, dither, false, bits) ? kPictureSuccess : kPictureNoMemory;
}

}  // namespace

int32_t ChangePictureDepth(Picture& picture, int32_t bitsPerPixel, int32_t option) {
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return kPictureBadArgument;
  }
  if ((picture.flags & kPictureHasData) == 0 || picture.width < 1 || picture.height < 1 ||
      picture.pixels.size() < size_t(picture.stride) * size_t(picture.height))
    return kPictureBadArgument;
  try {
    if (bitsPerPixel == picture.bitsPerPixel && option != kDepthFixedPalette)
      return kPictureSuccess;
    if (!ToDirect(picture)) return kPictureNoMemory;
    if (bitsPerPixel <= 8) return ToPalette(picture, bitsPerPixel, option);
    if (bitsPerPixel == 16) {
      for (int32_t y = 0; y < picture.height; ++y) {
        uint8_t* row = PictureRow(picture, y);
        for (int32_t x = 0; x < picture.width * 3; ++x) row[x] = Expand5(uint32_t(row[x]) >> 3);
      }
    }
    picture.bitsPerPixel = bitsPerPixel;
    return kPictureSuccess;
  } catch (const std::bad_alloc&) {
    return kPictureNoMemory;
  }
}

int32_t AdaptPictureToDisplay(Picture& picture, int32_t /*mode*/, int32_t displayBits) {
  if (displayBits > 8) return ChangePictureDepth(picture, displayBits, kDepthOptimisedPalette);
  if (displayBits < 1) return kPictureBadArgument;
  int32_t bits = displayBits >= 8 ? 8 : displayBits >= 4 ? 4 : 1;
  // Dithered to the fixed palette, which is the one palette displays share.
  if ((picture.flags & kPictureHasData) == 0) return kPictureBadArgument;
  try {
    if (!ToDirect(picture)) return kPictureNoMemory;
    Palette palette = FixedPalette(bits);
    return MapToPalette(picture, palette, true, false, bits) ? kPictureSuccess : kPictureNoMemory;
  } catch (const std::bad_alloc&) {
    return kPictureNoMemory;
  }
}
