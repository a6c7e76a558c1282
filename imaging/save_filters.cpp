// save_filters.cpp - saving through the save dialog's entries.
#include "save_filters.h"

const SaveFilter* FindSaveFilter(int32_t entry) {
  for (const SaveFilter& filter : SaveFilters) {
    if (filter.entry == entry) return &filter;
  }
  return nullptr;
}

int32_t SavePictureWithFilter(const char* path, const Picture& picture, int32_t entry,
                              int32_t saveQuality) {
  const SaveFilter* filter = FindSaveFilter(entry);
  if (filter == nullptr) return kPictureUnknownFormat;
  return SavePictureFile(path, picture, filter->formatCode, filter->bitsPerPixel,
                         filter->usesSaveQuality ? saveQuality : 0);
}
