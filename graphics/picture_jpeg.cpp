// picture_jpeg.cpp - JPEG through libjpeg-turbo. (Placeholder until the reader lands.)
#include "picture_codecs.h"
bool ReadJpegInfo(const uint8_t*, size_t, PictureInfo&) { return false; }
bool DecodeJpeg(const uint8_t*, size_t, Picture&) { return false; }
bool EncodeJpeg(const Picture&, int32_t, bool, std::vector<uint8_t>&) { return false; }
