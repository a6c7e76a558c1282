// Every reader through the library's front: load from memory at the file's own depth
// and at 24 bits.
#include "imaging/picture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Picture picture;
  if (LoadPictureMemory(data, picture, 0, size) == kPictureSuccess) {
    if (picture.width < 1 || picture.height < 1 ||
        picture.pixels.size() < size_t(picture.stride) * size_t(picture.height)) {
      __builtin_trap();
    }
    ChangePictureDepth(picture, 24, 0);
  }
  ReleasePicture(picture);
  return 0;
}
