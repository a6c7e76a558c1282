// picture_pict.cpp - Macintosh PICT pictures. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool LooksLikePict(const uint8_t*, size_t) { return false; }
bool ReadPictInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodePict(const uint8_t*, size_t, Picture&) { return false; }
bool EncodePict(const Picture&, std::vector<uint8_t>&) { return false; }
