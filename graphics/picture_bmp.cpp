// picture_bmp.cpp - Windows and OS/2 bitmaps. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool ReadBmpInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodeBmp(const uint8_t*, size_t, Picture&) { return false; }
bool EncodeBmp(const Picture&, bool, std::vector<uint8_t>&) { return false; }
