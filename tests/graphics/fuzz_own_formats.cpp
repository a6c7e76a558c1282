// Our own readers (BMP, TGA, PCX, PICT) called directly on every input, whatever its
// first bytes, so that each parser sees the inputs the front would route elsewhere.
#include "picture_codecs.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using Info = bool (*)(const uint8_t*, size_t, PictureInfo&);
  using Decode = bool (*)(const uint8_t*, size_t, Picture&);
  const Info infos[] = {ReadBmpInfo, ReadTgaInfo, ReadPcxInfo, ReadPictInfo};
  const Decode decoders[] = {DecodeBmp, DecodeTga, DecodePcx, DecodePict};
  for (int i = 0; i < 4; ++i) {
    PictureInfo info;
    infos[i](data, size, info);
    Picture picture;
    if (decoders[i](data, size, picture) &&
        picture.pixels.size() < size_t(picture.stride) * size_t(picture.height)) {
      __builtin_trap();
    }
  }
  LooksLikeTga(data, size);
  LooksLikePict(data, size);
  return 0;
}
