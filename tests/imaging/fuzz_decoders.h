// The body shared by the fuzzers that call the format readers directly: every reader's
// information and decoder on the same input. A decoder that reports success must leave
// a whole picture; anything less stops the run.
#pragma once

#include "imaging/picture_codecs.h"

#include <cstddef>
#include <cstdint>

using FuzzInfoReader = bool (*)(const uint8_t*, size_t, PictureInfo&);
using FuzzDecoder = bool (*)(const uint8_t*, size_t, Picture&);

template <size_t N>
void FuzzDecoders(const uint8_t* data, size_t size, const FuzzInfoReader (&infos)[N],
                  const FuzzDecoder (&decoders)[N]) {
  for (size_t i = 0; i < N; ++i) {
    PictureInfo info;
    infos[i](data, size, info);
    Picture picture;
    if (decoders[i](data, size, picture) &&
        picture.pixels.size() < size_t(picture.stride) * size_t(picture.height)) {
      __builtin_trap();
    }
  }
}
