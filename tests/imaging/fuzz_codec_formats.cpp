// The readers over the codec libraries (JPEG, PNG, TIFF, GIF) called directly on every
// input.
#include "fuzz_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInfoReader infos[] = {ReadJpegInfo, ReadPngInfo, ReadTiffInfo, ReadGifInfo};
  const FuzzDecoder decoders[] = {DecodeJpeg, DecodePng, DecodeTiff, DecodeGif};
  FuzzDecoders(data, size, infos, decoders);
  return 0;
}
