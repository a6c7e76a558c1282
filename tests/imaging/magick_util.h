// magick_util.h - test helpers that make and read pictures with ImageMagick, so that
// our readers and writers are checked against code we did not write.
#pragma once

#include "imaging/picture.h"

#include <cstdint>
#include <string>
#include <vector>

// A fresh scratch folder for one test program (removed at exit).
std::string ScratchFolder();
// Runs `convert ARGS`; true when it exits with 0.
bool RunConvert(const std::string& args);
// Runs a whole shell command line; true when it exits with 0.
bool RunCommand(const std::string& commandLine);
// Reads a picture file with ImageMagick as 8-bit RGB (first frame).
bool MagickReadRgb(const std::string& path, int32_t& width, int32_t& height,
                   std::vector<uint8_t>& rgb);
// Our picture as 8-bit RGB rows without padding.
std::vector<uint8_t> PictureRgb(const Picture& picture);
// Peak signal-to-noise ratio of two equal-sized RGB buffers, in dB (999 when equal).
double RgbPsnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
// Number of bytes that differ by more than `tolerance`.
size_t RgbDifferences(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                      int tolerance = 0);
// Writes a deterministic test picture of w x h as a binary PPM: smooth gradients with
// some noise and a few hard edges, so that both lossless and lossy paths are exercised.
std::string WriteTestPpm(const std::string& name, int32_t width, int32_t height);
// The same test picture as WriteTestPpm, made directly as a 24-bit picture.
void FillTestPicture(Picture& picture, int32_t width, int32_t height);
// Loads a file with our library at its own depth; true on success.
bool LoadOurs(const std::string& path, Picture& picture);
// Reads a whole file.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// A picture file that ImageMagick makes from the test picture, and what our library
// must make of it.
struct MadeFile {
  const char* name;        // file name; the extension tells ImageMagick the format
  const char* options;     // convert options before the output name
  int32_t bits;            // the depth we must report
  double minimumPsnr = 0;  // 0: the pixels must be exactly ImageMagick's
  int tolerance = 0;       // for colour tables that ImageMagick rounds its own way
};

// Makes `made` from the test picture of width x height (kept as `sourceName` in the
// scratch folder) and checks, with gtest expectations, that our library reports its
// size and depth and reads the pixels ImageMagick reads.
void ExpectReadLikeMagick(const MadeFile& made, const std::string& sourceName, int32_t width,
                          int32_t height);
