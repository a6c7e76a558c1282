// The information reader: never reads outside the data, never reports a size that a
// load would refuse.
#include "imaging/picture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PictureInfo info;
  if (ReadPictureMemoryInfo(data, info, size) == kPictureSuccess) {
    if (info.width < 1 || info.height < 1 || info.width > kMaxPictureSide ||
        info.height > kMaxPictureSide) {
      __builtin_trap();
    }
  }
  return 0;
}
