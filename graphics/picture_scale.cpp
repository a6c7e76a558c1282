// picture_scale.cpp - scaling. (Lands later.)
#include "picture.h"
int32_t ScalePicture(const Picture&, Picture&, int32_t, int32_t) { return kPictureFailure; }
