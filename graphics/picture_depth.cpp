// picture_depth.cpp - colour resolution changes. (Reductions to a palette land later.)
#include "picture.h"
#include "picture_codecs.h"

int32_t ChangePictureDepth(Picture& picture, int32_t bitsPerPixel, int32_t) {
  if (picture.bitsPerPixel == bitsPerPixel) return kPictureSuccess;
  if (bitsPerPixel == 24 && picture.bitsPerPixel <= 8) {
    Picture out;
    if (!AllocatePicturePixels(out, picture.width, picture.height, 24)) return kPictureNoMemory;
    for (int32_t y = 0; y < picture.height; ++y) {
      const uint8_t* s = PictureRow(picture, y);
      uint8_t* d = PictureRow(out, y);
      for (int32_t x = 0; x < picture.width; ++x) {
        const PictureColour& c = picture.colours[s[x]];
        d[3 * x] = c.blue; d[3 * x + 1] = c.green; d[3 * x + 2] = c.red;
      }
    }
    picture.pixels.swap(out.pixels);
    picture.stride = out.stride;
    picture.bitsPerPixel = 24;
    picture.colourCount = 0;
    return kPictureSuccess;
  }
  return kPictureFailure;
}

int32_t AdaptPictureToDisplay(Picture&, int32_t, int32_t) { return kPictureFailure; }
