// picture_scale.cpp - scaling a picture to another size.
//
// Separable: each output pixel is a weighted sum of source pixels, computed along rows
// and then along columns. Shrinking along an axis averages every source pixel the
// output pixel covers, weighted by how much of it is covered (a box filter over exact
// areas); enlarging interpolates linearly between the two nearest source pixels. The
// weights are 14-bit fixed point and sum to exactly 1 for every output pixel.
#include "picture.h"
#include "picture_codecs.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWeightBits = 14;
constexpr int32_t kOne = 1 << kWeightBits;

struct Taps {
  std::vector<int32_t> first;   // first source index per output pixel
  std::vector<int32_t> count;   // number of taps per output pixel
  std::vector<int32_t> offset;  // where its weights start in `weights`
  std::vector<int32_t> weights;
};

Taps MakeTaps(int32_t source, int32_t target) {
  Taps t;
  t.first.resize(size_t(target));
  t.count.resize(size_t(target));
  t.offset.resize(size_t(target));
  double scale = double(source) / double(target);
  std::vector<double> w;
  for (int32_t i = 0; i < target; ++i) {
    w.clear();
    int32_t first;
    if (scale > 1.0) {
      double lo = i * scale, hi = (i + 1) * scale;
      first = int32_t(std::floor(lo));
      int32_t last = std::min(source - 1, int32_t(std::ceil(hi)) - 1);
      for (int32_t s = first; s <= last; ++s)
        w.push_back(std::min(hi, double(s + 1)) - std::max(lo, double(s)));
    } else {
      double centre = (i + 0.5) * scale - 0.5;
      if (centre < 0) centre = 0;
      first = std::min(int32_t(std::floor(centre)), source - 1);
      double frac = centre - first;
      if (first + 1 < source && frac > 0) {
        w.push_back(1.0 - frac);
        w.push_back(frac);
      } else {
        w.push_back(1.0);
      }
    }
    double total = 0;
    for (double v : w) total += v;
    t.first[size_t(i)] = first;
    t.count[size_t(i)] = int32_t(w.size());
    t.offset[size_t(i)] = int32_t(t.weights.size());
    int32_t sum = 0;
    size_t heaviest = 0;
    for (size_t k = 0; k < w.size(); ++k) {
      int32_t q = int32_t(std::lround(w[k] / total * kOne));
      t.weights.push_back(q);
      sum += q;
      if (w[k] > w[heaviest]) heaviest = k;
    }
    t.weights[size_t(t.offset[size_t(i)]) + heaviest] += kOne - sum;
  }
  return t;
}

}  // namespace

int32_t ScalePicture(const Picture& source, Picture& target, int32_t width, int32_t height) {
  if ((source.flags & kPictureHasData) == 0 || source.width < 1 || source.height < 1 ||
      source.pixels.size() < size_t(source.stride) * size_t(source.height))
    return kPictureBadArgument;
  if (!PictureSizeAllowed(width, height)) return kPictureTooLarge;
  if (&source == &target) return kPictureBadArgument;
  try {
    Picture out;
    if (!AllocatePicturePixels(out, width, height, 24)) return kPictureNoMemory;
    Taps across = MakeTaps(source.width, width);
    Taps down = MakeTaps(source.height, height);
    // Rows scaled across, kept as 16-bit values with 6 extra bits of precision, each
    // made once when the first output row needs it.
    std::vector<uint16_t> rows(size_t(width) * 3 * size_t(source.height));
    std::vector<uint8_t> made(size_t(source.height), 0);
    std::vector<uint8_t> expanded(source.bitsPerPixel <= 8 ? size_t(source.width) * 3 : 0);
    auto makeRow = [&](int32_t sy) {
      const uint8_t* s = PictureRow(source, sy);
      if (source.bitsPerPixel <= 8) {
        for (int32_t x = 0; x < source.width; ++x) {
          const PictureColour& c = source.colours[s[x]];
          expanded[size_t(x) * 3] = c.blue;
          expanded[size_t(x) * 3 + 1] = c.green;
          expanded[size_t(x) * 3 + 2] = c.red;
        }
        s = expanded.data();
      }
      uint16_t* d = rows.data() + size_t(sy) * size_t(width) * 3;
      for (int32_t x = 0; x < width; ++x) {
        const int32_t* w = across.weights.data() + across.offset[size_t(x)];
        const uint8_t* p = s + size_t(across.first[size_t(x)]) * 3;
        int32_t b = 0, g = 0, r = 0;
        for (int32_t k = 0; k < across.count[size_t(x)]; ++k) {
          b += p[3 * k] * w[k];
          g += p[3 * k + 1] * w[k];
          r += p[3 * k + 2] * w[k];
        }
        d[3 * x] = uint16_t((b + (1 << 7)) >> 8);
        d[3 * x + 1] = uint16_t((g + (1 << 7)) >> 8);
        d[3 * x + 2] = uint16_t((r + (1 << 7)) >> 8);
      }
      made[size_t(sy)] = 1;
    };
    // Values up to 255 << 6 times weights summing to 1 << 14 stay below 2^31.
    std::vector<int32_t> sums(size_t(width) * 3);
    for (int32_t y = 0; y < height; ++y) {
      std::fill(sums.begin(), sums.end(), 0);
      const int32_t* w = down.weights.data() + down.offset[size_t(y)];
      for (int32_t k = 0; k < down.count[size_t(y)]; ++k) {
        int32_t sy = down.first[size_t(y)] + k;
        if (!made[size_t(sy)]) makeRow(sy);
        const uint16_t* s = rows.data() + size_t(sy) * size_t(width) * 3;
        int32_t weight = w[k];
        int32_t* sum = sums.data();
        for (size_t i = 0, n = sums.size(); i < n; ++i) sum[i] += int32_t(s[i]) * weight;
      }
      uint8_t* d = PictureRow(out, y);
      for (size_t i = 0; i < sums.size(); ++i) {
        int32_t v = (sums[i] + (1 << 19)) >> 20;
        d[i] = uint8_t(v > 255 ? 255 : v);
      }
    }
    target.width = out.width;
    target.height = out.height;
    target.bitsPerPixel = 24;
    target.stride = out.stride;
    target.pixels.swap(out.pixels);
    target.colourCount = 0;
    target.flags |= kPictureHasData;
    target.viewRect = {0, 0, width, height};
    return kPictureSuccess;
  } catch (const std::bad_alloc&) {
    return kPictureNoMemory;
  }
}
