// picconv - the imaging library on the command line.
//   picconv info FILE               prints "WIDTH HEIGHT BITS"
//   picconv convert IN OUT ENTRY    writes IN as entry ENTRY (1..11) of the save table
// A failed load or save prints one line saying so and exits with 1; bad usage exits
// with 2.
#include "picture.h"
#include "save_filters.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: picconv info FILE\n"
               "       picconv convert IN OUT ENTRY   (ENTRY 1..11 of the save table)\n");
  return 2;
}

bool ParseEntry(const char* text, int32_t& entry) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != 0 || value < -1000000 || value > 1000000) return false;
  entry = int32_t(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "info") == 0) {
    PictureInfo info;
    int32_t result = ReadPictureFileInfo(argv[2], info);
    if (result != kPictureSuccess) {
      std::printf("picconv: cannot read picture information of %s (error %d)\n", argv[2],
                  int(result));
      return 1;
    }
    std::printf("%d %d %d\n", int(info.width), int(info.height), int(info.bitsPerPixel));
    return 0;
  }
  if (argc == 5 && std::strcmp(argv[1], "convert") == 0) {
    int32_t entry = 0;
    if (!ParseEntry(argv[4], entry)) return Usage();
    const SaveFilter* filter = FindSaveFilter(entry);
    if (filter == nullptr) {
      std::printf("picconv: no save table entry %s (error %d)\n", argv[4],
                  int(kPictureUnknownFormat));
      return 1;
    }
    Picture picture;
    int32_t result = LoadPictureFile(argv[2], picture, 0, 0);
    if (result != kPictureSuccess || picture.width <= 0) {
      std::printf("picconv: cannot load %s (error %d)\n", argv[2], int(result));
      return 1;
    }
    // The game saves with the best quality.
    result = SavePictureWithFilter(argv[3], picture, entry, 2);
    ReleasePicture(picture);
    if (result != kPictureSuccess) {
      std::printf("picconv: cannot save %s as %s (error %d)\n", argv[3], filter->filterText,
                  int(result));
      return 1;
    }
    return 0;
  }
  return Usage();
}
