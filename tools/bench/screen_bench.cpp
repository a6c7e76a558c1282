// screen_bench FILE [WIDTH HEIGHT]: times loading a background picture and making its
// screen picture (decode, conversion to the display's 32 bits, scaling to the screen)
// inside the library. Prints the median and the best of 15 runs in milliseconds, and
// the medians of the two halves.
#include "imaging/picture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: screen_bench FILE [WIDTH HEIGHT]\n");
    return 2;
  }
  int32_t width = argc == 4 ? std::atoi(argv[2]) : 1024;
  int32_t height = argc == 4 ? std::atoi(argv[3]) : 768;
  std::vector<double> times, loads, scales;
  using Clock = std::chrono::steady_clock;
  auto ms = [](Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
  };
  for (int run = 0; run < 15; ++run) {
    auto start = Clock::now();
    Picture picture, screen;
    bool ok = LoadPictureFile(argv[1], picture, 24, 0) == kPictureSuccess;
    auto loaded = Clock::now();
    ok = ok && ChangePictureDepth(picture, 32, kDepthDithered) == kPictureSuccess &&
         ScalePicture(picture, screen, width, height) == kPictureSuccess;
    auto end = Clock::now();
    if (!ok) {
      std::printf("screen_bench: cannot load or scale %s\n", argv[1]);
      return 1;
    }
    times.push_back(ms(start, end));
    loads.push_back(ms(start, loaded));
    scales.push_back(ms(loaded, end));
  }
  for (auto* v : {&times, &loads, &scales}) std::sort(v->begin(), v->end());
  std::printf(
      "load + screen picture %dx%d: median %.1f ms, best %.1f ms "
      "(of which reading and decoding: median %.1f ms; conversion and scaling: "
      "median %.1f ms)\n",
      int(width), int(height), times[times.size() / 2], times.front(), loads[loads.size() / 2],
      scales[scales.size() / 2]);
  return 0;
}
