// picture_gif.cpp - GIF through giflib. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool ReadGifInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodeGif(const uint8_t*, size_t, Picture&) { return false; }
bool EncodeGif(const Picture&, std::vector<uint8_t>&) { return false; }
