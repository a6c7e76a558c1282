// The readers over the codec libraries (JPEG, PNG, TIFF, GIF) called directly on every
// input.
#include "picture_codecs.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using Info = bool (*)(const uint8_t*, size_t, PictureInfo&);
  using Decode = bool (*)(const uint8_t*, size_t, Picture&);
  const Info infos[] = {ReadJpegInfo, ReadPngInfo, ReadTiffInfo, ReadGifInfo};
  const Decode decoders[] = {DecodeJpeg, DecodePng, DecodeTiff, DecodeGif};
  for (int i = 0; i < 4; ++i) {
    PictureInfo info;
    infos[i](data, size, info);
    Picture picture;
    if (decoders[i](data, size, picture) &&
        picture.pixels.size() < size_t(picture.stride) * size_t(picture.height)) {
      __builtin_trap();
    }
  }
  return 0;
}
