// picture_png.cpp - PNG through libpng. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool ReadPngInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodePng(const uint8_t*, size_t, Picture&) { return false; }
