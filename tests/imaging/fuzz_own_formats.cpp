// Our own readers (BMP, TGA, PCX, PICT) called directly on every input, whatever its
// first bytes, so that each parser sees the inputs the front would route elsewhere.
#include "fuzz_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInfoReader infos[] = {ReadBmpInfo, ReadTgaInfo, ReadPcxInfo, ReadPictInfo};
  const FuzzDecoder decoders[] = {DecodeBmp, DecodeTga, DecodePcx, DecodePict};
  FuzzDecoders(data, size, infos, decoders);
  LooksLikeTga(data, size);
  LooksLikePict(data, size);
  return 0;
}
