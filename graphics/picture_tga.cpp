// picture_tga.cpp - TGA pictures. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool LooksLikeTga(const uint8_t*, size_t) { return false; }
bool ReadTgaInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodeTga(const uint8_t*, size_t, Picture&) { return false; }
bool EncodeTga(const Picture&, std::vector<uint8_t>&) { return false; }
