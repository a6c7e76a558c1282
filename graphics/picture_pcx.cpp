// picture_pcx.cpp - PCX pictures. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool ReadPcxInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodePcx(const uint8_t*, size_t, Picture&) { return false; }
bool EncodePcx(const Picture&, std::vector<uint8_t>&) { return false; }
