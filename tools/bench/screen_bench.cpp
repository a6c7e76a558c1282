// screen_bench FILE [WIDTH HEIGHT]: times loading a background picture and making its
// screen picture (decode, conversion to the display's 32 bits, scaling to the screen)
// inside the library. Prints the median and the best of 15 runs in milliseconds.
#include "picture.h"

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
  std::vector<double> times;
  for (int run = 0; run < 15; ++run) {
    auto start = std::chrono::steady_clock::now();
    Picture picture, screen;
    if (LoadPictureFile(argv[1], picture, 24, 0) != kPictureSuccess ||
        ChangePictureDepth(picture, 32, kDepthDithered) != kPictureSuccess ||
        ScalePicture(picture, screen, width, height) != kPictureSuccess) {
      std::printf("screen_bench: cannot load or scale %s\n", argv[1]);
      return 1;
    }
    auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("load + screen picture %dx%d: median %.1f ms, best %.1f ms\n", int(width),
              int(height), times[times.size() / 2], times.front());
  return 0;
}
