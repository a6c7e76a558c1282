// picture_tiff.cpp - TIFF through libtiff. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool ReadTiffInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodeTiff(const uint8_t*, size_t, Picture&) { return false; }
bool EncodeTiff(const Picture&, TiffCompression, int32_t, std::vector<uint8_t>&) { return false; }
